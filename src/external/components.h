#pragma once
// Where the downloader components live and which version of each is in use, read
// the same way by the program and by the `youtubedl` adapter. Each component keeps its
// versions side by side under
//   $XDG_DATA_HOME/Kestrova/Clipwright/components/NAME/VERSION/NAME
// with two symbolic links, "current" and "previous", naming a version folder. The
// updater replaces a link with rename(2), so a reader sees the old or the new version,
// never half of one. Only Qt Core here: the adapter links this too.

#include <QString>
#include <QStringList>

namespace Components
{

extern const QString YtDlp; // "yt-dlp"
extern const QString Deno;  // "deno"
extern const QString CurrentLink;
extern const QString PreviousLink;
// Names the version a roll-back left: updates pass it by until a newer release appears.
extern const QString RolledBackLink;

// The yt-dlp release from which on full support for the largest site needs a JavaScript runtime.
extern const QString JsRuntimeSince; // "2025.11.12"

// $XDG_DATA_HOME/Kestrova/Clipwright/components (default ~/.local/share/...).
QString root();
QString folder(const QString &name);
// A version folder name we accept: letters, digits, ".", "_", "+", "-", not starting with a dot.
bool isValidVersion(const QString &version);
// The version a link names, or "" when the link is missing, broken or names something odd.
QString linkedVersion(const QString &name, const QString &link);
QString currentVersion(const QString &name);
QString previousVersion(const QString &name);
QString executable(const QString &name, const QString &version);
// The current version's executable through its version folder, or "" when it is not usable.
QString currentExecutable(const QString &name);

// Dotted versions compared part by part, numbers as numbers ("2025.11.12" < "2026.1.2").
int compareVersions(const QString &a, const QString &b);

// The first line a tool prints for --version, remembered per path, size and modification
// time in the user's cache, so the adapter need not start yt-dlp twice per job.
QString toolVersion(const QString &program);

// The yt-dlp the adapter runs, in this order: CLIPWRIGHT_YTDLP, the current yt-dlp
// component, a yt-dlp beside the adapter, PATH.
struct YtdlpChoice {
    enum Source { None, Environment, Component, BesideAdapter, SystemPath };
    Source source = None;
    QString path;
    QString version;
};
YtdlpChoice chooseYtdlp(const QString &adapterFolder);
QString sourceName(YtdlpChoice::Source source);

// The JavaScript runtime handed to a yt-dlp of this version: the deno component, or a
// node of version 20 or later on PATH, as yt-dlp's --js-runtimes arguments. Nothing for
// older yt-dlp versions, which do not know the option.
QStringList jsRuntimeArguments(const QString &ytdlpVersion);
// The same choice in words: "deno:PATH", "node", or "".
QString jsRuntimeChoice(const QString &ytdlpVersion);

} // namespace Components
