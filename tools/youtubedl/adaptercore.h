#pragma once
// The rules of the downloader adapter that do not need a running yt-dlp: reading the
// argument list the program passes, building the one yt-dlp gets, and turning what
// yt-dlp prints and writes into the lines, listings and JSON details the program reads.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace Adapter
{

using ArgList = QList<QByteArray>;

enum class Job {
    Info,          // --write-info-json
    Thumbnail,     // --write-thumbnail
    SubtitleList,  // --list-subs
    Download,      // a video or audio transfer into the -o file
    SubtitlesOnly, // --skip-download with subtitle options
    Listing,       // -J, usually with --flat-playlist
    Other          // anything else goes to yt-dlp unchanged
};

struct Invocation {
    ArgList options; // every argument except the URL, "-o", "-f" and "--list-subs", in order
    QByteArray url;
    QByteArray output;
    QByteArray format;
    bool hasUrl = false;
    bool hasOutput = false;
    bool hasFormat = false;
    bool skipDownload = false;
    bool subtitles = false;
    Job job = Job::Other;
};

Invocation parseInvocation(const ArgList &args);

// What the run needs besides the program's arguments.
struct RunContext {
    QByteArray ffmpegLocation; // folder or file for --ffmpeg-location; empty lets yt-dlp search
    bool convertThumbnails = true;
    QString outputPath;          // absolute path of the download or subtitle base file
    QString thumbnailFolder;     // private folder the thumbnail job writes into
    bool outputComplete = false; // the download file is already whole: fetch only the subtitles
};

ArgList ytdlpArguments(const Invocation &inv, const RunContext &ctx);

// An output template that stands for exactly this path.
QByteArray literalTemplate(const QString &path);
// An output template whose folder part is literal and whose file part keeps its fields.
QByteArray templateInLiteralFolder(const QByteArray &outputTemplate);

// Progress as yt-dlp reports it through the progress template; -1 marks an unknown number.
struct ProgressRecord {
    QByteArray status;
    double downloaded = -1;
    double total = -1;
    double estimate = -1;
    double speed = -1;
    double eta = -1;
    double elapsed = -1;
    double fragmentIndex = -1;
    double fragmentCount = -1;
    QByteArray filename;
};

extern const char ProgressTag[];
QByteArray progressTemplate();
bool parseProgressRecord(const QByteArray &line, ProgressRecord *record);
// "[download] 45.3% of 12.34MiB at 1.20MiB/s ETA 00:07", or empty when the record says too
// little. Only a finished record may claim 100%.
QByteArray formatProgressLine(const ProgressRecord &record);
QByteArray completedLine(qint64 size);

QByteArray formatBytes(double bytes);
QByteArray formatEta(double seconds);

// One line of yt-dlp's output as the program has to see it.
QByteArray translateLine(const QByteArray &line, Job job);

// The "--list-subs" table built from yt-dlp's JSON (-J); empty when the JSON is unusable.
QByteArray subtitleListing(const QByteArray &json);
// The -J listing with main-site entries reduced to their video ids; unchanged when unreadable.
QByteArray normalizeListing(const QByteArray &json);
// Tidies one info JSON for the program's format rules; false when nothing changed.
bool tidyInfoJson(QByteArray *json);

// The 11-character id of a main-site video URL, or empty.
QString youtubeVideoId(const QString &url);
// A main-site channel address without a tab (/@name, /c/name, /user/name, /channel/ID)
// gets its videos tab, so a listing names videos rather than the channel's tabs; any
// other URL is returned unchanged.
QByteArray channelVideosUrl(const QByteArray &url);

// --- the yt-dlp found ------------------------------------------------------------------

// (The version of the yt-dlp found comes with the choice of yt-dlp: Components::chooseYtdlp.)
// The first release that knows an option the adapter passes, or empty when not known.
QByteArray versionIntroducing(const QByteArray &option);
// The option named by yt-dlp's "PROG: error: no such option: --x", or empty.
QByteArray unknownOptionIn(const QByteArray &line);
// The one line the program gets when the yt-dlp found is too old for an option.
QByteArray tooOldLine(const QByteArray &found, const QByteArray &option);

// --- answers from the info JSON of the same link ---------------------------------------

// The info job remembers which info JSON files it wrote for a link; the thumbnail and
// subtitle-list jobs that follow read them instead of extracting the link again.
struct InfoIndex {
    QString folder; // a private folder of the user's
    // How long a written info JSON stands for its link, as the program keeps it.
    static constexpr int FreshDays = 5;
    static InfoIndex forUser();
    void record(const QByteArray &url, const QStringList &jsonFiles) const;
    // The files recorded for the link, when every one of them is still there and fresh.
    QStringList freshFiles(const QByteArray &url) const;
};

// A thumbnail named by an info JSON: its address and the headers to fetch it with.
struct ThumbnailSource {
    QByteArray url;
    QList<QPair<QByteArray, QByteArray>> headers;
};
// Best first, as yt-dlp would try them; empty when the JSON names none.
QList<ThumbnailSource> thumbnailSources(const QByteArray &infoJson);
// The path in yt-dlp's "[info] Writing ... metadata as JSON to: PATH" line, or empty.
QByteArray infoJsonPath(const QByteArray &line);

} // namespace Adapter
