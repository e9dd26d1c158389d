#include "external/toolargs.h"

#include "app/format.h"

#include <QFileInfo>

namespace DownloaderArgs
{

QStringList prefix(const QString &proxy)
{
    QStringList args;
    if (!proxy.isEmpty())
        args << QStringLiteral("--proxy") << proxy;
    args << QStringLiteral("--no-warnings");
    return args;
}

namespace
{
QStringList analysisJob(const QString &proxy)
{
    return prefix(proxy) << QStringLiteral("--ignore-errors") << QStringLiteral("--skip-download");
}
} // namespace

QString infoOutputTemplate(const QString &workFolder)
{
    return workFolder + QStringLiteral("/%(id)s");
}

QStringList info(const QString &proxy, const QString &workFolder, const QString &url)
{
    // A link that also names a list must never make the info job crawl that list.
    return analysisJob(proxy) << QStringLiteral("--write-info-json") << QStringLiteral("--no-playlist")
                              << QStringLiteral("-o") << infoOutputTemplate(workFolder) << url;
}

QStringList thumbnail(const QString &proxy, const QString &thumbnailPath, const QString &url)
{
    return analysisJob(proxy) << QStringLiteral("--write-thumbnail") << QStringLiteral("-o") << thumbnailPath << url;
}

QStringList listSubtitles(const QString &proxy, const QString &url)
{
    return analysisJob(proxy) << QStringLiteral("--list-subs") << url;
}

QStringList video(const QString &proxy, const QStringList &subtitleArgs, const QString &rateLimit,
                  const QString &formatId, const QString &output, const QString &url)
{
    QStringList args = prefix(proxy);
    args << QStringLiteral("--no-part") << subtitleArgs;
    if (!rateLimit.isEmpty())
        args << QStringLiteral("--limit-rate") << rateLimit;
    if (!formatId.isEmpty())
        args << QStringLiteral("-f") << formatId;
    args << QStringLiteral("-o") << output << url;
    return args;
}

QStringList audio(const QString &proxy, const QString &formatId, const QString &output, const QString &url)
{
    return prefix(proxy) << QStringLiteral("--no-part") << QStringLiteral("-f") << formatId << QStringLiteral("-o")
                         << output << url;
}

QStringList subtitlesOnly(const QString &proxy, const QStringList &subtitleArgs, const QString &output,
                          const QString &url)
{
    return analysisJob(proxy) << subtitleArgs << QStringLiteral("-o") << output << url;
}

QStringList channelListing(const QString &proxy, const QString &url)
{
    return analysisJob(proxy) << QStringLiteral("--flat-playlist") << QStringLiteral("-J") << url;
}

QStringList subtitleArguments(SubtitleSource source, const QString &code)
{
    if (code.isEmpty())
        return {QStringLiteral("--write-sub")};
    const QString kind = source == SubtitleSource::AutomaticCaptions ? QStringLiteral("--write-auto-sub")
                                                                     : QStringLiteral("--write-sub");
    return {kind, QStringLiteral("--sub-lang"), code};
}

QStringList allSubtitlesArguments()
{
    return {QStringLiteral("--all-subs")};
}

} // namespace DownloaderArgs

namespace DownloaderText
{
const QString ProgressMarker = QStringLiteral("[download]");
const QString FormatNotAvailable = QStringLiteral("ERROR: requested format not available");
const QString Http404 = QStringLiteral("ERROR: unable to download video data: HTTP Error 404: Not Found");
const QString PlaylistMissing = QStringLiteral("ERROR: This playlist does not exist.");
const QString CannotWriteMetadata = QStringLiteral("ERROR: Cannot write metadata to JSON file");
const QString ErrorPrefix = QStringLiteral("ERROR: ");
const QString ServerHttpError = QStringLiteral("Got server HTTP error:");
const QString SubtitlesHeader = QStringLiteral("Available subtitles for");
const QString AutomaticCaptionsHeader = QStringLiteral("Available automatic captions for");
const QString LanguageTableHeader = QStringLiteral("Language formats");
const QString NoSubtitles = QStringLiteral(" has no subtitles");
const QString NoAutomaticCaptions = QStringLiteral(" has no automatic captions");
const QString PartialMarkerSuffix = QStringLiteral(".ytdl");
} // namespace DownloaderText

namespace ConverterArgs
{

QStringList probe(const QString &input)
{
    return {QStringLiteral("-i"), input};
}

QStringList convert(const QString &input, const QString &targetSuffix, const QString &output)
{
    QStringList args{QStringLiteral("-i"), input};
    if (QFileInfo(input).suffix().toLower() == targetSuffix)
        args << QStringLiteral("-vcodec") << QStringLiteral("copy");
    args << output;
    return args;
}

QStringList cut(qint64 startSeconds, const QString &input, qint64 lengthSeconds, const QString &output)
{
    return {QStringLiteral("-ss"),
            formatSeconds(startSeconds),
            QStringLiteral("-i"),
            input,
            QStringLiteral("-c"),
            QStringLiteral("copy"),
            QStringLiteral("-t"),
            QString::number(lengthSeconds),
            output};
}

QStringList splitSegment(qint64 startSeconds, const QString &input, qint64 lengthSeconds, const QString &output)
{
    return cut(startSeconds, input, lengthSeconds, output);
}

QStringList joinByList(const QString &listFile, const QString &output)
{
    return {QStringLiteral("-f"),
            QStringLiteral("concat"),
            QStringLiteral("-i"),
            listFile,
            QStringLiteral("-c"),
            QStringLiteral("copy"),
            output};
}

QString joinFilter(int inputCount)
{
    QString filter;
    for (int i = 0; i < inputCount; ++i)
        filter += QStringLiteral("[%1:0] [%1:1] ").arg(i);
    filter += QStringLiteral("concat=n=%1:v=1:a=1 [v] [a]").arg(inputCount);
    return filter;
}

QStringList joinByFilter(const QStringList &inputs, const QString &output)
{
    QStringList args;
    for (const QString &in : inputs)
        args << QStringLiteral("-i") << in;
    args << QStringLiteral("-filter_complex") << joinFilter(inputs.size()) << QStringLiteral("-map")
         << QStringLiteral("[v]") << QStringLiteral("-map") << QStringLiteral("[a]") << output;
    return args;
}

QString joinListLine(const QString &fileName)
{
    // Inside single quotes everything is literal; a quote itself closes, is escaped, reopens.
    QString quoted = fileName;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QStringLiteral("file '") + quoted + QStringLiteral("' ");
}

QString rotateFilter(int angle)
{
    // The rotated picture gets its own frame size; the input's would crop a quarter turn.
    const QString radians = QString::number(angle) + QStringLiteral("*PI/180");
    return QStringLiteral("rotate=") + radians + QStringLiteral(":ow=rotw(") + radians + QStringLiteral("):oh=roth(")
           + radians + QLatin1Char(')');
}

bool rotatesByTag(const QString &input)
{
    return QFileInfo(input).suffix().toLower() == QLatin1String("mp4");
}

QStringList rotate(const QString &input, int angle, int shownRotation, const QString &output)
{
    if (rotatesByTag(input)) {
        // The tag counts counter-clockwise, like the display matrix it becomes.
        const int tag = ((shownRotation - angle) % 360 + 360) % 360;
        return {QStringLiteral("-i"),
                input,
                QStringLiteral("-metadata:s:v"),
                QStringLiteral("rotate=") + QString::number(tag),
                QStringLiteral("-codec"),
                QStringLiteral("copy"),
                output};
    }
    return {QStringLiteral("-i"), input, QStringLiteral("-vf"), rotateFilter(angle), output};
}

QStringList addAudio(const QString &video, const QString &audio, const QString &output)
{
    QStringList args{QStringLiteral("-i"),  video, QStringLiteral("-i"), audio, QStringLiteral("-vcodec"),
                     QStringLiteral("copy")};
    // Unmapped, the converter keeps whichever sound has more channels, often the video's own.
    args << QStringLiteral("-map") << QStringLiteral("0:v:0") << QStringLiteral("-map") << QStringLiteral("1:a:0")
         << output;
    return args;
}

namespace
{
// A downloaded input is read as a local file only: whatever it names, ffmpeg fetches nothing.
QStringList localInput(const QString &path)
{
    return {QStringLiteral("-protocol_whitelist"), QStringLiteral("file,pipe"), QStringLiteral("-i"), path};
}
} // namespace

QStringList merge(const QString &video, const QString &audio, bool converting, const QString &audioCodec,
                  const QString &output)
{
    QStringList args = localInput(video);
    if (!audio.isEmpty())
        args << localInput(audio);
    if (!converting) {
        args << QStringLiteral("-vcodec") << QStringLiteral("copy");
        if (!audioCodec.isEmpty())
            args << QStringLiteral("-acodec") << audioCodec;
    }
    args << output;
    return args;
}

QStringList subtitleToSrt(const QString &vttPath, const QString &srtPath)
{
    return localInput(vttPath) << srtPath;
}

} // namespace ConverterArgs

namespace ConverterText
{
const QString Duration = QStringLiteral("Duration:");
const QString FrameMarker = QStringLiteral("frame=");
const QString Time = QStringLiteral("time=");
const QString Bitrate = QStringLiteral("bitrate=");
const QString Size = QStringLiteral("size=");
} // namespace ConverterText
