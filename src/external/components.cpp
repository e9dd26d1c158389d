#include "external/components.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <climits>
#include <unistd.h>

namespace Components
{

const QString YtDlp = QStringLiteral("yt-dlp");
const QString Deno = QStringLiteral("deno");
const QString CurrentLink = QStringLiteral("current");
const QString PreviousLink = QStringLiteral("previous");
const QString RolledBackLink = QStringLiteral("rolled-back");
const QString JsRuntimeSince = QStringLiteral("2025.11.12");

namespace
{
bool isExecutableFile(const QString &path)
{
    const QFileInfo fi(path);
    return fi.isFile() && fi.isExecutable();
}

// The program's place in one of the user's standard folders ("~/.cache" and the like).
QString userFolder(QStandardPaths::StandardLocation location, const QString &fallback)
{
    QString base = QStandardPaths::writableLocation(location);
    if (base.isEmpty())
        base = QDir::homePath() + fallback;
    return base + QStringLiteral("/Kestrova/Clipwright");
}

QString versionCachePath()
{
    return userFolder(QStandardPaths::GenericCacheLocation, QStringLiteral("/.cache"))
           + QStringLiteral("/tool-versions.ini");
}

QString askVersion(const QString &program)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, {QStringLiteral("--version")}, QIODevice::ReadOnly);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished(1000);
        return QString();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
}

int nodeMajorVersion(const QString &node)
{
    QString version = toolVersion(node);
    if (version.startsWith(QLatin1Char('v')))
        version.remove(0, 1);
    bool ok = false;
    const int major = version.section(QLatin1Char('.'), 0, 0).toInt(&ok);
    return ok ? major : 0;
}
} // namespace

QString root()
{
    return userFolder(QStandardPaths::GenericDataLocation, QStringLiteral("/.local/share"))
           + QStringLiteral("/components");
}

QString folder(const QString &name)
{
    return root() + QLatin1Char('/') + name;
}

bool isValidVersion(const QString &version)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9A-Za-z][0-9A-Za-z._+-]{0,63}$"));
    return pattern.match(version).hasMatch();
}

QString linkedVersion(const QString &name, const QString &link)
{
    const QByteArray path = QFile::encodeName(folder(name) + QLatin1Char('/') + link);
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.constData(), target, sizeof target - 1);
    if (n <= 0)
        return QString();
    const QString version = QFile::decodeName(QByteArray(target, int(n)));
    // The updater writes a bare version name; anything else is not ours to follow.
    return isValidVersion(version) ? version : QString();
}

QString currentVersion(const QString &name)
{
    return linkedVersion(name, CurrentLink);
}

QString previousVersion(const QString &name)
{
    return linkedVersion(name, PreviousLink);
}

QString executable(const QString &name, const QString &version)
{
    return folder(name) + QLatin1Char('/') + version + QLatin1Char('/') + name;
}

QString currentExecutable(const QString &name)
{
    const QString version = currentVersion(name);
    if (version.isEmpty())
        return QString();
    const QString path = executable(name, version);
    return isExecutableFile(path) ? path : QString();
}

int compareVersions(const QString &a, const QString &b)
{
    static const QRegularExpression separators(QStringLiteral("[.\\-+_]"));
    const QStringList pa = a.split(separators);
    const QStringList pb = b.split(separators);
    for (int i = 0; i < qMax(pa.size(), pb.size()); ++i) {
        const QString x = pa.value(i, QStringLiteral("0"));
        const QString y = pb.value(i, QStringLiteral("0"));
        bool okX = false;
        bool okY = false;
        const qlonglong nx = x.toLongLong(&okX);
        const qlonglong ny = y.toLongLong(&okY);
        const int c = okX && okY ? (nx < ny ? -1 : nx > ny ? 1 : 0) : QString::compare(x, y);
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    return 0;
}

QString toolVersion(const QString &program)
{
    const QFileInfo fi(program);
    if (!fi.isFile())
        return QString();
    const QString path = fi.canonicalFilePath();
    const QString stamp = QString::number(fi.size()) + QLatin1Char(' ')
                          + QString::number(fi.lastModified().toMSecsSinceEpoch()) + QLatin1Char(' ');
    const QString key =
        QString::fromLatin1(QCryptographicHash::hash(QFile::encodeName(path), QCryptographicHash::Sha1).toHex());
    QSettings cache(versionCachePath(), QSettings::IniFormat);
    const QString known = cache.value(key).toString();
    if (known.startsWith(stamp))
        return known.mid(stamp.size());
    const QString version = askVersion(program);
    // A failed query is asked again next time rather than remembered.
    if (!version.isEmpty())
        cache.setValue(key, QString(stamp + version));
    return version;
}

YtdlpChoice chooseYtdlp(const QString &adapterFolder)
{
    YtdlpChoice choice;
    const QString fromEnv = qEnvironmentVariable("CLIPWRIGHT_YTDLP");
    const QString component = currentExecutable(YtDlp);
    const QString beside = adapterFolder + QStringLiteral("/yt-dlp");
    if (!fromEnv.isEmpty() && isExecutableFile(fromEnv)) {
        choice.source = YtdlpChoice::Environment;
        choice.path = QFileInfo(fromEnv).absoluteFilePath();
    } else if (!component.isEmpty()) {
        choice.source = YtdlpChoice::Component;
        choice.path = component;
        // The version folder's name is the version: no start of yt-dlp needed.
        choice.version = currentVersion(YtDlp);
        return choice;
    } else if (!adapterFolder.isEmpty() && isExecutableFile(beside)) {
        choice.source = YtdlpChoice::BesideAdapter;
        choice.path = beside;
    } else {
        choice.path = QStandardPaths::findExecutable(YtDlp);
        choice.source = choice.path.isEmpty() ? YtdlpChoice::None : YtdlpChoice::SystemPath;
    }
    if (!choice.path.isEmpty())
        choice.version = toolVersion(choice.path);
    return choice;
}

QString sourceName(YtdlpChoice::Source source)
{
    switch (source) {
    case YtdlpChoice::Environment:
        return QStringLiteral("CLIPWRIGHT_YTDLP");
    case YtdlpChoice::Component:
        return QStringLiteral("component");
    case YtdlpChoice::BesideAdapter:
        return QStringLiteral("beside the adapter");
    case YtdlpChoice::SystemPath:
        return QStringLiteral("PATH");
    case YtdlpChoice::None:
        break;
    }
    return QStringLiteral("none");
}

QString jsRuntimeChoice(const QString &ytdlpVersion)
{
    if (ytdlpVersion.isEmpty() || compareVersions(ytdlpVersion, JsRuntimeSince) < 0)
        return QString();
    const QString deno = currentExecutable(Deno);
    if (!deno.isEmpty())
        return QStringLiteral("deno:") + deno;
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (!node.isEmpty() && nodeMajorVersion(node) >= 20)
        return QStringLiteral("node");
    return QString();
}

QStringList jsRuntimeArguments(const QString &ytdlpVersion)
{
    const QString runtime = jsRuntimeChoice(ytdlpVersion);
    if (runtime.isEmpty())
        return {};
    return {QStringLiteral("--js-runtimes"), runtime};
}

} // namespace Components
