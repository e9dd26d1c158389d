#include "adaptercore.h"

#include "external/components.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

#include <cjson/cJSON.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace Adapter
{

namespace
{

// Options whose next argument is their value, so that a value is never read as a flag.
const char *const ValueOptions[] = {
    "--proxy",
    "--limit-rate",
    "-r",
    "--sub-lang",
    "--sub-langs",
    "--sub-format",
    "--convert-subs",
    "--ffmpeg-location",
    "--progress-template",
    "--retries",
    "-R",
    "--fragment-retries",
    "--socket-timeout",
    "--user-agent",
    "--referer",
    "--add-header",
    "--cookies",
    "-P",
    "--paths",
    "-I",
    "--playlist-items",
    "--print",
    "-O",
    "--downloader",
    "--external-downloader",
    "--downloader-args",
    "--external-downloader-args",
    "--merge-output-format",
    "--remux-video",
    "--recode-video",
    "--exec",
    "--source-address",
    "--username",
    "-u",
    "--password",
    "-p",
    "--format-sort",
    "-S",
    "--match-filter",
    "--http-chunk-size",
    "--throttled-rate",
    "--buffer-size",
    "--sleep-requests",
    "--sleep-interval",
    "--max-sleep-interval",
    "--config-locations",
    "--cache-dir",
    "--geo-verification-proxy",
    "--xff",
    "--extractor-args",
    "--encoding",
    "--concurrent-fragments",
    "-N",
    "--output-na-placeholder",
};

const char *const SubtitleFlags[] = {"--write-subs", "--write-auto-subs", "--all-subs"};

// The full names of the short forms the program passes; yt-dlp only guesses prefixes, and a
// later option of the same beginning would make the guess ambiguous.
const char *const FullOptionNames[][2] = {
    {"--write-sub", "--write-subs"},
    {"--write-auto-sub", "--write-auto-subs"},
    {"--write-automatic-sub", "--write-auto-subs"},
    {"--write-automatic-subs", "--write-auto-subs"},
    {"--sub-lang", "--sub-langs"},
};

QByteArray fullOptionName(const QByteArray &option)
{
    for (const auto &pair : FullOptionNames)
        if (option == pair[0])
            return pair[1];
    return option;
}

// The first yt-dlp release that knows each option the adapter passes on its own.
const char *const OptionSince[][2] = {
    {"--write-subs", "2021.01.05"},
    {"--write-auto-subs", "2021.01.05"},
    {"--sub-langs", "2021.01.05"},
    {"--convert-thumbnails", "2021.04.11"},
    {"--ignore-no-formats-error", "2021.04.22"},
    {"--progress-template", "2021.10.09"},
};

// Formats that ffmpeg (or yt-dlp's own TTML reader) can turn into WebVTT.
const char *const ConvertibleSubtitleFormats[] = {"vtt", "srt", "ass", "ssa", "ttml", "dfxp", "tt"};

// Containers yt-dlp can merge separate video and audio formats into.
const char *const MergeContainers[] = {"mp4", "mkv", "webm", "mov", "flv", "avi"};

template <size_t N> bool isOneOf(const QByteArray &value, const char *const (&list)[N])
{
    return std::any_of(std::begin(list), std::end(list), [&](const char *s) { return value == s; });
}

struct JsonDeleter {
    void operator()(cJSON *item) const
    {
        cJSON_Delete(item);
    }
};
using JsonPtr = std::unique_ptr<cJSON, JsonDeleter>;

JsonPtr parseJson(const QByteArray &json)
{
    return JsonPtr(cJSON_ParseWithLength(json.constData(), size_t(json.size())));
}

QByteArray printJson(const cJSON *item)
{
    char *text = cJSON_PrintUnformatted(item);
    if (!text)
        return QByteArray();
    QByteArray result(text);
    cJSON_free(text);
    return result;
}

QByteArray stringField(const cJSON *object, const char *key)
{
    const cJSON *item = cJSON_GetObjectItemCaseSensitive(object, key);
    return cJSON_IsString(item) && item->valuestring ? QByteArray(item->valuestring) : QByteArray();
}

void setStringField(cJSON *object, const char *key, const QByteArray &value)
{
    cJSON *item = cJSON_CreateString(value.constData());
    if (cJSON_GetObjectItemCaseSensitive(object, key))
        cJSON_ReplaceItemInObjectCaseSensitive(object, key, item);
    else
        cJSON_AddItemToObject(object, key, item);
}

QByteArray escapeTemplate(QByteArray text)
{
    // yt-dlp expands "%(...)" fields and "$VAR" in output templates, and its "$$" escape is
    // itself expanded in yt-dlp 2023.03.04; a missing field with "$" as its default is not.
    text.replace('%', "%%");
    text.replace('$', "%(youtubedl_dollar|$)s");
    return text;
}

QString stemOf(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash + 1 ? path.left(dot) : path;
}

double numberField(const QByteArray &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? value : -1;
}

QByteArray formatPercent(double percent)
{
    return QByteArray::number(percent, 'f', 1) + '%';
}

// An unknown speed is a word: the program keeps the last speed it read for a text that
// does not start with a digit, where "0.00B/s" would drop the row's speed to nothing.
QByteArray formatSpeed(double bytesPerSecond)
{
    if (bytesPerSecond < 0)
        return "Unknown";
    return formatBytes(bytesPerSecond) + "/s";
}

bool isMainSiteHost(const QString &host)
{
    static const char *const domains[] = {"youtube.com", "youtu.be", "youtube-nocookie.com"};
    for (const char *d : domains) {
        const QString domain = QLatin1String(d);
        if (host == domain || host.endsWith(QLatin1Char('.') + domain))
            return true;
    }
    return false;
}

bool isVideoId(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^[0-9A-Za-z_-]{11}$"));
    return re.match(text).hasMatch();
}

// Reduces a main-site video to its id; false for an entry that is no video (a channel tab
// or a playlist of the site), which the program cannot download as one item.
bool normalizeEntry(cJSON *entry)
{
    if (!cJSON_IsObject(entry))
        return true;
    const QByteArray ieKey = stringField(entry, "ie_key");
    const QString url = QString::fromUtf8(stringField(entry, "url"));
    const bool mainSite = ieKey.startsWith("Youtube") || isMainSiteHost(QUrl(url).host().toLower());
    if (!mainSite)
        return true;
    QString id;
    const QString ownId = QString::fromUtf8(stringField(entry, "id"));
    if (ieKey == "Youtube" && !ownId.isEmpty())
        id = ownId;
    else
        id = youtubeVideoId(url);
    if (id.isEmpty())
        return false;
    setStringField(entry, "url", id.toUtf8());
    return true;
}

void flattenEntries(const cJSON *entries, cJSON *into)
{
    const cJSON *entry = nullptr;
    cJSON_ArrayForEach(entry, entries)
    {
        const cJSON *nested = cJSON_GetObjectItemCaseSensitive(entry, "entries");
        if (cJSON_IsObject(entry) && stringField(entry, "_type") == "playlist" && cJSON_IsArray(nested)) {
            // A channel lists its tabs as playlists of their own; the program wants the videos.
            flattenEntries(nested, into);
            continue;
        }
        cJSON *copy = cJSON_Duplicate(entry, true);
        if (normalizeEntry(copy))
            cJSON_AddItemToArray(into, copy);
        else
            cJSON_Delete(copy);
    }
}

void collectVideos(const cJSON *item, QList<const cJSON *> *videos)
{
    if (!cJSON_IsObject(item))
        return;
    const cJSON *entries = cJSON_GetObjectItemCaseSensitive(item, "entries");
    if (stringField(item, "_type") == "playlist" && cJSON_IsArray(entries)) {
        const cJSON *entry = nullptr;
        cJSON_ArrayForEach(entry, entries) collectVideos(entry, videos);
        return;
    }
    videos->append(item);
}

QByteArray subtitleSection(const cJSON *video, const char *key, const char *title, const char *none)
{
    QByteArray id = stringField(video, "id");
    if (id.isEmpty())
        id = "NA";
    QByteArray rows;
    const cJSON *languages = cJSON_GetObjectItemCaseSensitive(video, key);
    const cJSON *language = nullptr;
    cJSON_ArrayForEach(language, languages)
    {
        if (!language->string || !cJSON_IsArray(language))
            continue;
        QList<QByteArray> formats{"vtt"};
        bool deliverable = false;
        const cJSON *format = nullptr;
        cJSON_ArrayForEach(format, language)
        {
            const QByteArray ext = stringField(format, "ext").toLower();
            if (!isOneOf(ext, ConvertibleSubtitleFormats))
                continue;
            deliverable = true;
            if (!formats.contains(ext))
                formats.append(ext);
        }
        // Live chat replays and other formats ffmpeg cannot read never become WebVTT.
        if (!deliverable)
            continue;
        if (!formats.contains("srt"))
            formats.append("srt");
        QByteArray row = QByteArray(language->string).leftJustified(8) + ' ';
        for (int i = 0; i < formats.size(); ++i)
            row += (i ? ", " : "") + formats.at(i);
        rows += row + '\n';
    }
    if (rows.isEmpty())
        return id + ' ' + none + '\n';
    return QByteArray(title) + ' ' + id + ":\nLanguage formats\n" + rows;
}

bool dropFormat(const cJSON *format)
{
    const QByteArray note = stringField(format, "format_note").toLower();
    const QByteArray vcodec = stringField(format, "vcodec");
    const QByteArray acodec = stringField(format, "acodec");
    return note.contains("storyboard") || stringField(format, "protocol") == "mhtml"
           || (vcodec == "none" && acodec == "none");
}

bool markVideoOnly(cJSON *format)
{
    const QByteArray vcodec = stringField(format, "vcodec");
    const QByteArray acodec = stringField(format, "acodec");
    if ((!acodec.isEmpty() && acodec != "none") || vcodec.isEmpty() || vcodec == "none")
        return false;
    if (stringField(format, "format_note") == "DASH video")
        return false;
    setStringField(format, "format_note", "DASH video");
    return true;
}

bool fillFileSize(cJSON *format)
{
    const cJSON *size = cJSON_GetObjectItemCaseSensitive(format, "filesize");
    if (cJSON_IsNumber(size))
        return false;
    const cJSON *approx = cJSON_GetObjectItemCaseSensitive(format, "filesize_approx");
    if (!cJSON_IsNumber(approx) || approx->valuedouble <= 0)
        return false;
    cJSON *value = cJSON_CreateNumber(std::round(approx->valuedouble));
    if (size)
        cJSON_ReplaceItemInObjectCaseSensitive(format, "filesize", value);
    else
        cJSON_AddItemToObject(format, "filesize", value);
    return true;
}

} // namespace

const char ProgressTag[] = "[youtubedl-progress]";

Invocation parseInvocation(const ArgList &args)
{
    Invocation inv;
    int end = args.size();
    if (end > 0 && !args.last().startsWith('-')) {
        inv.url = args.last();
        inv.hasUrl = true;
        --end;
    }
    bool listSubs = false, dumpJson = false, infoJson = false, thumbnail = false;
    for (int i = 0; i < end; ++i) {
        const QByteArray &a = args.at(i);
        if ((a == "-o" || a == "--output") && i + 1 < end) {
            inv.output = args.at(++i);
            inv.hasOutput = true;
            continue;
        }
        if ((a == "-f" || a == "--format") && i + 1 < end) {
            inv.format = args.at(++i);
            inv.hasFormat = true;
            continue;
        }
        if (a == "--list-subs") {
            listSubs = true;
            continue;
        }
        if (a == "--all-subs") {
            inv.options << "--write-subs"
                        << "--sub-langs"
                        << "all";
            inv.subtitles = true;
            continue;
        }
        const QByteArray option = fullOptionName(a);
        inv.options.append(option);
        if (a == "--skip-download" || a == "--no-download")
            inv.skipDownload = true;
        else if (a == "-J" || a == "--dump-single-json")
            dumpJson = true;
        else if (a == "--write-info-json")
            infoJson = true;
        else if (a == "--write-thumbnail")
            thumbnail = true;
        else if (isOneOf(option, SubtitleFlags))
            inv.subtitles = true;
        else if (isOneOf(option, ValueOptions) && i + 1 < end)
            inv.options.append(args.at(++i));
    }
    if (listSubs)
        inv.job = Job::SubtitleList;
    else if (dumpJson)
        inv.job = Job::Listing;
    else if (infoJson)
        inv.job = Job::Info;
    else if (thumbnail)
        inv.job = Job::Thumbnail;
    else if (inv.skipDownload && inv.subtitles)
        inv.job = Job::SubtitlesOnly;
    else if (!inv.skipDownload && inv.hasOutput && inv.hasUrl && inv.output != "-")
        inv.job = Job::Download;
    return inv;
}

QByteArray literalTemplate(const QString &path)
{
    return escapeTemplate(QFile::encodeName(path));
}

QByteArray templateInLiteralFolder(const QByteArray &outputTemplate)
{
    const int slash = outputTemplate.lastIndexOf('/');
    if (slash < 0)
        return outputTemplate;
    return escapeTemplate(outputTemplate.left(slash + 1)) + outputTemplate.mid(slash + 1);
}

QByteArray progressTemplate()
{
    return QByteArray("download:") + ProgressTag
           + " %(progress.status)s %(progress.downloaded_bytes)s %(progress.total_bytes)s"
             " %(progress.total_bytes_estimate)s %(progress.speed)s %(progress.eta)s %(progress.elapsed)s"
             " %(progress.fragment_index)s %(progress.fragment_count)s %(progress.filename)s";
}

ArgList ytdlpArguments(const Invocation &inv, const RunContext &ctx)
{
    ArgList a{"--ignore-config", "--no-colors", "--newline", "--encoding", "utf-8"};
    if (!ctx.ffmpegLocation.isEmpty())
        a << "--ffmpeg-location" << ctx.ffmpegLocation;
    a += inv.options;

    const auto subtitleOptions = [&] {
        a << "--sub-format"
          << "vtt/best"
          << "--convert-subs"
          << "vtt";
        // Subtitles are named after the output's base name whatever the media's own extension.
        if (!ctx.outputPath.isEmpty())
            a << "-o"
              << "subtitle:" + literalTemplate(stemOf(ctx.outputPath)) + ".%(ext)s";
    };
    const auto givenFormat = [&] {
        if (inv.hasFormat)
            a << "-f" << inv.format;
    };

    switch (inv.job) {
    case Job::Info:
        givenFormat();
        // A link that also names a list gives its one video, never the whole list.
        if (!inv.options.contains("--no-playlist"))
            a << "--no-playlist";
        // A JSON left from an earlier run is written anew, so this run knows which file it is.
        a << "--force-overwrites";
        if (inv.hasOutput)
            a << "-o" << templateInLiteralFolder(inv.output);
        break;
    case Job::Thumbnail:
        givenFormat();
        if (ctx.convertThumbnails)
            a << "--convert-thumbnails"
              << "jpg";
        a << "--no-playlist"
          << "-o" << literalTemplate(ctx.thumbnailFolder) + "/thumb.%(ext)s";
        break;
    case Job::SubtitleList:
        givenFormat();
        // The listing is built from the JSON; a page without playable formats still has subtitles.
        a << "-J"
          << "--ignore-no-formats-error"
          << "--no-playlist";
        break;
    case Job::Download:
        // A subtitle or fix-up that fails must not cost the media file; errors are still printed.
        a << "--progress-template" << progressTemplate() << "--no-playlist"
          << "--ignore-errors";
        // A fragment that cannot be had ends the transfer: skipped, it would leave a hole in a
        // file that looks complete.
        a << "--abort-on-unavailable-fragments";
        if (inv.subtitles)
            subtitleOptions();
        if (ctx.outputComplete)
            a << "--skip-download";
        // One file is wanted: without a format, the best single file rather than a merge.
        a << "-f" << (inv.hasFormat ? inv.format : QByteArray("b/bv*/ba"));
        // A merge of separate formats must land in the very file asked for, not one with another extension.
        if (inv.format.contains('+')) {
            const QByteArray ext = QFileInfo(ctx.outputPath).suffix().toLower().toUtf8();
            if (isOneOf(ext, MergeContainers))
                a << "--merge-output-format" << ext;
        }
        a << "-o" << literalTemplate(ctx.outputPath);
        break;
    case Job::SubtitlesOnly:
        a << "--progress-template" << progressTemplate() << "--no-playlist";
        subtitleOptions();
        givenFormat();
        if (inv.hasOutput)
            a << "-o" << literalTemplate(ctx.outputPath);
        break;
    case Job::Listing:
    case Job::Other:
        givenFormat();
        if (inv.hasOutput)
            a << "-o" << inv.output;
        break;
    }
    if (inv.hasUrl)
        a << "--" << (inv.job == Job::Listing ? channelVideosUrl(inv.url) : inv.url);
    return a;
}

bool parseProgressRecord(const QByteArray &line, ProgressRecord *record)
{
    const QByteArray tag = QByteArray(ProgressTag) + ' ';
    if (!line.startsWith(tag))
        return false;
    QByteArray rest = line.mid(tag.size());
    QList<QByteArray> fields;
    for (int i = 0; i < 9; ++i) {
        const int blank = rest.indexOf(' ');
        if (blank < 0)
            return false;
        fields.append(rest.left(blank));
        rest = rest.mid(blank + 1);
    }
    ProgressRecord r;
    r.status = fields.at(0);
    r.downloaded = numberField(fields.at(1));
    r.total = numberField(fields.at(2));
    r.estimate = numberField(fields.at(3));
    r.speed = numberField(fields.at(4));
    r.eta = numberField(fields.at(5));
    r.elapsed = numberField(fields.at(6));
    r.fragmentIndex = numberField(fields.at(7));
    r.fragmentCount = numberField(fields.at(8));
    r.filename = rest;
    *record = r;
    return true;
}

QByteArray formatBytes(double bytes)
{
    static const char *const units[] = {"B", "KiB", "MiB", "GiB", "TiB", "PiB"};
    // A size no one can have (a guess past the largest number) is as good as none.
    if (!(bytes > 0) || !std::isfinite(bytes))
        return "0.00B";
    int exponent = std::min(5, int(std::floor(std::log(bytes) / std::log(1024.0))));
    exponent = std::max(0, exponent);
    return QByteArray::number(bytes / std::pow(1024.0, exponent), 'f', 2) + units[exponent];
}

QByteArray formatEta(double seconds)
{
    if (seconds < 0)
        return "--:--";
    const qint64 s = qint64(std::llround(seconds));
    const QByteArray mm = QByteArray::number((s / 60) % 60).rightJustified(2, '0');
    const QByteArray ss = QByteArray::number(s % 60).rightJustified(2, '0');
    if (s >= 3600)
        return QByteArray::number(s / 3600) + ':' + mm + ':' + ss;
    return mm + ':' + ss;
}

QByteArray formatProgressLine(const ProgressRecord &r)
{
    if (r.status == "finished") {
        const double size = r.total >= 0 ? r.total : r.downloaded;
        double speed = r.speed;
        if (!(speed > 0) && size > 0 && r.elapsed > 0)
            speed = size / r.elapsed;
        return "[download] 100% of " + formatBytes(size) + " at " + formatSpeed(speed) + " ETA 00:00";
    }
    if (r.status != "downloading")
        return QByteArray();
    double percent;
    QByteArray size;
    if (r.total > 0 && r.downloaded >= 0) {
        percent = 100 * r.downloaded / r.total;
        size = formatBytes(r.total);
    } else if (r.estimate > 0 && r.downloaded >= 0) {
        percent = 100 * r.downloaded / r.estimate;
        size = '~' + formatBytes(r.estimate);
    } else if (r.fragmentCount > 0 && r.fragmentIndex >= 0) {
        percent = 100 * r.fragmentIndex / r.fragmentCount;
        const double guess =
            r.fragmentIndex > 0 && r.downloaded > 0 ? r.downloaded * r.fragmentCount / r.fragmentIndex : 0;
        size = '~' + formatBytes(guess);
    } else {
        return QByteArray();
    }
    // A transfer still running must not look finished: the program takes 100% as done.
    percent = std::max(0.0, std::min(percent, 99.9));
    return "[download] " + formatPercent(percent) + " of " + size + " at " + formatSpeed(r.speed) + " ETA "
           + formatEta(r.eta);
}

QByteArray completedLine(qint64 size)
{
    return "[download] 100% of " + formatBytes(double(size)) + " at " + formatSpeed(0) + " ETA 00:00";
}

QByteArray translateLine(const QByteArray &line, Job job)
{
    QByteArray l = line;
    l.replace('\r', "");
    if (l.startsWith("ERROR:")) {
        QByteArray message = l.mid(6).trimmed();
        // Advice to report yt-dlp bugs means nothing to the program's users.
        const int advice = message.indexOf("; please report this issue on");
        if (advice >= 0)
            message.truncate(advice);
        const QByteArray lower = message.toLower();
        if (lower.contains("requested format is not available") || lower.contains("requested format not available"))
            return "ERROR: requested format not available";
        if (lower.contains("playlist does not exist"))
            return "ERROR: This playlist does not exist.";
        if (job == Job::Download && message.contains("HTTP Error 404") && !lower.contains("subtitle"))
            return "ERROR: unable to download video data: HTTP Error 404: Not Found";
        if (lower.contains("cannot write") && lower.contains("metadata to json file"))
            return "ERROR: Cannot write metadata to JSON file";
        return "ERROR: " + message;
    }
    const QByteArray retry = "[download] Got error: HTTP Error";
    const int at = l.indexOf(retry);
    if (at >= 0)
        l.replace(at, retry.size(), "[download] Got server HTTP error: HTTP Error");
    return l;
}

QByteArray subtitleListing(const QByteArray &json)
{
    const JsonPtr root = parseJson(json);
    QList<const cJSON *> videos;
    collectVideos(root.get(), &videos);
    QByteArray out;
    for (const cJSON *video : videos) {
        // yt-dlp lists the automatic captions first; the program relies on the section headers.
        out += subtitleSection(video, "automatic_captions", "Available automatic captions for",
                               "has no automatic captions");
        out += subtitleSection(video, "subtitles", "Available subtitles for", "has no subtitles");
    }
    return out;
}

QByteArray normalizeListing(const QByteArray &json)
{
    const JsonPtr root = parseJson(json);
    if (!cJSON_IsObject(root.get()))
        return json;
    const cJSON *entries = cJSON_GetObjectItemCaseSensitive(root.get(), "entries");
    if (!cJSON_IsArray(entries))
        return json;
    cJSON *flat = cJSON_CreateArray();
    flattenEntries(entries, flat);
    cJSON_ReplaceItemInObjectCaseSensitive(root.get(), "entries", flat);
    const QByteArray printed = printJson(root.get());
    return printed.isEmpty() ? json : printed + '\n';
}

bool tidyInfoJson(QByteArray *json)
{
    const JsonPtr root = parseJson(*json);
    if (!cJSON_IsObject(root.get()))
        return false;
    bool changed = false;
    cJSON *formats = cJSON_GetObjectItemCaseSensitive(root.get(), "formats");
    if (cJSON_IsArray(formats)) {
        for (int i = cJSON_GetArraySize(formats) - 1; i >= 0; --i) {
            cJSON *format = cJSON_GetArrayItem(formats, i);
            if (!cJSON_IsObject(format))
                continue;
            if (dropFormat(format)) {
                cJSON_DeleteItemFromArray(formats, i);
                changed = true;
                continue;
            }
            changed |= markVideoOnly(format);
            changed |= fillFileSize(format);
        }
    } else {
        changed |= fillFileSize(root.get());
    }
    if (!changed)
        return false;
    const QByteArray printed = printJson(root.get());
    if (printed.isEmpty())
        return false;
    *json = printed;
    return true;
}

QString youtubeVideoId(const QString &url)
{
    if (isVideoId(url))
        return url;
    const QUrl u(url);
    const QString host = u.host().toLower();
    if (!isMainSiteHost(host))
        return QString();
    const QStringList segments = u.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString id;
    if (host == QLatin1String("youtu.be") || host.endsWith(QLatin1String(".youtu.be"))) {
        id = segments.value(0);
    } else {
        id = QUrlQuery(u).queryItemValue(QStringLiteral("v"));
        static const QStringList prefixes{QStringLiteral("embed"), QStringLiteral("shorts"), QStringLiteral("live"),
                                          QStringLiteral("v"),     QStringLiteral("e"),      QStringLiteral("watch")};
        if (id.isEmpty() && segments.size() >= 2 && prefixes.contains(segments.at(0)))
            id = segments.at(1);
    }
    return isVideoId(id) ? id : QString();
}

QByteArray infoJsonPath(const QByteArray &line)
{
    static const QByteArray start = "[info] Writing ";
    static const QByteArray middle = " metadata as JSON to: ";
    if (!line.startsWith(start))
        return QByteArray();
    const int at = line.indexOf(middle);
    return at < 0 ? QByteArray() : line.mid(at + middle.size());
}

QByteArray channelVideosUrl(const QByteArray &url)
{
    QUrl u(QString::fromUtf8(url));
    if (!isMainSiteHost(u.host().toLower()))
        return url;
    QStringList segments = u.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (segments.isEmpty())
        return url;
    const QString first = segments.first();
    const bool handle = first.size() > 1 && first.startsWith(QLatin1Char('@')) && segments.size() == 1;
    const bool named =
        segments.size() == 2
        && (first == QLatin1String("c") || first == QLatin1String("user") || first == QLatin1String("channel"));
    if (!handle && !named)
        return url;
    segments << QStringLiteral("videos");
    u.setPath(QLatin1Char('/') + segments.join(QLatin1Char('/')));
    return u.toEncoded();
}

QByteArray versionIntroducing(const QByteArray &option)
{
    for (const auto &pair : OptionSince)
        if (option == pair[0])
            return pair[1];
    return QByteArray();
}

QByteArray unknownOptionIn(const QByteArray &line)
{
    static const QByteArray marker = ": error: no such option: ";
    const int at = line.indexOf(marker);
    return at < 0 ? QByteArray() : line.mid(at + marker.size()).trimmed();
}

QByteArray tooOldLine(const QByteArray &found, const QByteArray &option)
{
    QByteArray needed = versionIntroducing(option);
    if (needed.isEmpty()) {
        // An option outside the table: at least the newest release the table names.
        for (const auto &pair : OptionSince)
            if (Components::compareVersions(QLatin1String(pair[1]), QString::fromLatin1(needed)) > 0)
                needed = pair[1];
    }
    const QByteArray version = found.isEmpty() ? QByteArray("of unknown version") : found;
    if (!found.isEmpty() && Components::compareVersions(QString::fromLatin1(found), QString::fromLatin1(needed)) >= 0)
        return "ERROR: yt-dlp " + version + " does not accept " + option;
    return "ERROR: yt-dlp " + version + " is too old: " + option + " needs yt-dlp " + needed + " or newer";
}

InfoIndex InfoIndex::forUser()
{
    InfoIndex index;
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty())
        return index;
    const QString folder = base + QStringLiteral("/Kestrova/youtubedl-info");
    if (!QDir().mkpath(folder))
        return index;
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    index.folder = folder;
    return index;
}

namespace
{
QString indexFile(const QString &folder, const QByteArray &url)
{
    return folder + QLatin1Char('/')
           + QString::fromLatin1(QCryptographicHash::hash(url, QCryptographicHash::Md5).toHex());
}
} // namespace

void InfoIndex::record(const QByteArray &url, const QStringList &jsonFiles) const
{
    if (folder.isEmpty() || jsonFiles.isEmpty() || url.contains('\n'))
        return;
    QSaveFile file(indexFile(folder, url));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(url + '\n');
    for (const QString &path : jsonFiles)
        file.write(QFile::encodeName(path) + '\n');
    file.commit();
}

QStringList InfoIndex::freshFiles(const QByteArray &url) const
{
    if (folder.isEmpty())
        return QStringList();
    QFile file(indexFile(folder, url));
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1024 * 1024)
        return QStringList();
    QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.isEmpty() || lines.takeFirst() != url)
        return QStringList();
    const QDateTime oldest = QDateTime::currentDateTime().addDays(-FreshDays);
    QStringList files;
    for (const QByteArray &line : qAsConst(lines)) {
        if (line.isEmpty())
            continue;
        const QFileInfo fi(QFile::decodeName(line));
        if (!fi.isFile() || fi.lastModified() < oldest)
            return QStringList();
        files << fi.absoluteFilePath();
    }
    return files;
}

QList<ThumbnailSource> thumbnailSources(const QByteArray &infoJson)
{
    QList<ThumbnailSource> sources;
    const JsonPtr root = parseJson(infoJson);
    if (!cJSON_IsObject(root.get()))
        return sources;
    QList<QPair<QByteArray, QByteArray>> defaults;
    const cJSON *rootHeaders = cJSON_GetObjectItemCaseSensitive(root.get(), "http_headers");
    const QByteArray agent = stringField(rootHeaders, "User-Agent");
    if (!agent.isEmpty())
        defaults.append({"User-Agent", agent});
    const auto add = [&](const QByteArray &url, const cJSON *headers) {
        if (!(url.startsWith("http://") || url.startsWith("https://")))
            return;
        for (const ThumbnailSource &known : qAsConst(sources))
            if (known.url == url)
                return;
        ThumbnailSource source{url, {}};
        const cJSON *header = nullptr;
        cJSON_ArrayForEach(header, headers)
        {
            if (header->string && cJSON_IsString(header) && header->valuestring)
                source.headers.append({QByteArray(header->string), QByteArray(header->valuestring)});
        }
        if (!cJSON_IsObject(headers) || !cJSON_GetObjectItemCaseSensitive(headers, "User-Agent"))
            source.headers += defaults;
        sources.append(source);
    };
    // yt-dlp keeps the list sorted worst first; its "thumbnail" is the best.
    add(stringField(root.get(), "thumbnail"), nullptr);
    const cJSON *list = cJSON_GetObjectItemCaseSensitive(root.get(), "thumbnails");
    for (int i = cJSON_GetArraySize(list) - 1; i >= 0; --i) {
        const cJSON *entry = cJSON_GetArrayItem(list, i);
        add(stringField(entry, "url"), cJSON_GetObjectItemCaseSensitive(entry, "http_headers"));
    }
    return sources;
}

} // namespace Adapter
