#include "engine/mediainfo.h"

#include "app/format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QtDebug>

#include <algorithm>
#include <cjson/cJSON.h>
#include <cmath>
#include <limits>
#include <memory>

namespace
{

// Info JSON files are a few megabytes at most; anything far larger is not one.
constexpr qint64 kMaxInfoJsonBytes = 64 * 1024 * 1024;

using JsonPtr = std::unique_ptr<cJSON, decltype(&cJSON_Delete)>;

const cJSON *item(const cJSON *obj, const char *key)
{
    return cJSON_GetObjectItemCaseSensitive(obj, key);
}

// A string key counts only when present, of string type and non-empty.
bool readString(const cJSON *obj, const char *key, QString &out)
{
    const cJSON *v = item(obj, key);
    if (!cJSON_IsString(v) || !v->valuestring || !*v->valuestring)
        return false;
    out = QString::fromUtf8(v->valuestring);
    return true;
}

QString stringOf(const cJSON *obj, const char *key)
{
    QString s;
    readString(obj, key, s);
    return s;
}

// A number key counts only when it is a finite number above 0.
bool readPositive(const cJSON *obj, const char *key, double &out)
{
    const cJSON *v = item(obj, key);
    if (!cJSON_IsNumber(v) || !std::isfinite(v->valuedouble) || v->valuedouble <= 0)
        return false;
    out = v->valuedouble;
    return true;
}

template <typename T> T truncated(double v)
{
    const double maxV = double(std::numeric_limits<T>::max());
    return v >= maxV ? std::numeric_limits<T>::max() : T(v);
}

int positiveInt(const cJSON *obj, const char *key, int fallback)
{
    double v = 0;
    return readPositive(obj, key, v) ? truncated<int>(v) : fallback;
}

// Size estimates stop at the largest size a site may give rather than wrapping to a
// negative one.
qint64 sizeSum(qint64 a, qint64 b)
{
    qint64 sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? std::numeric_limits<qint64>::max() : sum;
}

qint64 sizeProduct(qint64 a, qint64 b)
{
    qint64 product = 0;
    return __builtin_mul_overflow(a, b, &product) ? std::numeric_limits<qint64>::max() : product;
}

QString codecHead(const QString &codec)
{
    return codec.section(QLatin1Char('.'), 0, 0).toLower();
}

// "format_id" as text, or a positive number printed the way the format list prints ids.
QString formatIdOf(const cJSON *obj)
{
    QString s;
    if (readString(obj, "format_id", s))
        return s;
    double n = 0;
    if (readPositive(obj, "format_id", n))
        return QString::number(n, 'g', 6);
    return QString();
}

bool hasNoCodec(const QString &codec)
{
    return codec.isEmpty() || codec == QLatin1String("none");
}

// Returns false for a format that is never listed.
bool readFormat(const cJSON *obj, MediaFormat &f)
{
    f.id = formatIdOf(obj);
    f.ext = stringOf(obj, "ext");
    f.acodec = codecHead(stringOf(obj, "acodec"));
    f.vcodec = codecHead(stringOf(obj, "vcodec"));
    f.note = stringOf(obj, "format_note");
    f.width = positiveInt(obj, "width", 0);
    f.height = positiveInt(obj, "height", 0);
    f.abr = positiveInt(obj, "abr", 128);
    f.fps = positiveInt(obj, "fps", 0);
    double size = 0;
    f.fileSizeBytes = readPositive(obj, "filesize", size) ? truncated<qint64>(size) : 0;

    const QString resolution = stringOf(obj, "resolution");
    if (!resolution.isEmpty()) {
        const QStringList parts = resolution.toLower().split(QLatin1Char('x'));
        if (parts.size() >= 2) {
            if (f.width < 1)
                f.width = qMax(0, parts.at(0).trimmed().toInt());
            if (f.height < 1)
                f.height = qMax(0, parts.at(1).trimmed().toInt());
        }
    }
    if (f.vcodec.size() > 3 && f.vcodec.startsWith(QLatin1String("av01")))
        return false;
    if (f.height > 0 && f.width < 1)
        f.width = widthForHeight(f.height);
    return true;
}

void classify(MediaFormat &f)
{
    // A direct link to a sound file says it has no picture but names no audio codec.
    if (f.vcodec == QLatin1String("none") && f.acodec.isEmpty())
        f.kind = FormatKind::AudioOnly;
    else if (hasNoCodec(f.acodec))
        f.kind = f.note.toLower() == QLatin1String("dash video") ? FormatKind::DashVideo : FormatKind::Video;
    else
        f.kind = hasNoCodec(f.vcodec) ? FormatKind::AudioOnly : FormatKind::Video;
    f.ext = safeMediaExtension(f.ext, f.kind == FormatKind::AudioOnly);
}

QString resolutionKey(const MediaFormat &f)
{
    return QString::number(f.width) + QLatin1Char('x') + QString::number(f.height);
}

// Sites list audio worst first; every choice among audio formats wants the best first.
bool betterAudio(const MediaFormat &a, const MediaFormat &b)
{
    if (a.abr != b.abr)
        return a.abr > b.abr;
    return a.fileSizeBytes > b.fileSizeBytes;
}

} // namespace

QString safeMediaExtension(const QString &siteExt, bool audioOnly)
{
    static const QSet<QString> known = {
        QStringLiteral("mp4"), QStringLiteral("m4v"),  QStringLiteral("webm"), QStringLiteral("mkv"),
        QStringLiteral("mov"), QStringLiteral("avi"),  QStringLiteral("flv"),  QStringLiteral("3gp"),
        QStringLiteral("ts"),  QStringLiteral("mp3"),  QStringLiteral("m4a"),  QStringLiteral("aac"),
        QStringLiteral("ac3"), QStringLiteral("ogg"),  QStringLiteral("oga"),  QStringLiteral("opus"),
        QStringLiteral("wav"), QStringLiteral("flac"), QStringLiteral("wma"),  QStringLiteral("amr")};
    const QString ext = siteExt.toLower();
    if (known.contains(ext))
        return ext;
    return audioOnly ? QStringLiteral("m4a") : QStringLiteral("mp4");
}

int widthForHeight(int height)
{
    if (height >= 4000)
        return 8192;
    if (height >= 2160)
        return 4096;
    if (height >= 1440)
        return 2160;
    if (height >= 1080)
        return 1920;
    if (height >= 720)
        return 1280;
    if (height >= 480)
        return 640;
    if (height >= 240)
        return 320;
    if (height >= 1)
        return 240;
    return 0;
}

void MediaInfo::reset(const QString &path)
{
    title.clear();
    playlistTitle.clear();
    webpageUrl.clear();
    uploadDate.clear();
    uploader.clear();
    uploaderId.clear();
    formatId.clear();
    playlistIndex = 0;
    durationSeconds = 0;
    viewCount = 0;
    progress = 0;
    m_selected = -1;
    fallbackCount = 0;
    audioChoiceCount = 0;
    m_formats.clear();
    QString base = QFileInfo(path).completeBaseName();
    base.replace(QLatin1Char(','), QLatin1Char('_')).replace(QLatin1Char('%'), QLatin1Char('_'));
    base.remove(QStringLiteral(".info"));
    id = base;
}

bool MediaInfo::loadFromFile(const QString &path)
{
    reset(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxInfoJsonBytes)
        return false;
    const QByteArray utf8 = QString::fromUtf8(file.readAll()).toUtf8();
    JsonPtr root(cJSON_ParseWithLength(utf8.constData(), size_t(utf8.size())), cJSON_Delete);
    if (!root || !cJSON_IsObject(root.get()))
        return false;
    const cJSON *r = root.get();

    readString(r, "webpage_url", webpageUrl);
    if (!readString(r, "title", title))
        readString(r, "fulltitle", title);
    if (!readString(r, "playlist_title", playlistTitle))
        readString(r, "playlist", playlistTitle);
    playlistTitle = playlistTitle.remove(QStringLiteral("Uploads from")).trimmed();
    playlistIndex = positiveInt(r, "playlist_index", 0);
    readString(r, "upload_date", uploadDate);
    readString(r, "uploader", uploader);
    readString(r, "uploader_id", uploaderId);
    formatId = formatIdOf(r);
    double v = 0;
    durationSeconds = readPositive(r, "duration", v) ? truncated<qint64>(v) : 0;
    viewCount = readPositive(r, "view_count", v) ? truncated<qint64>(v) : 0;

    const cJSON *formats = item(r, "formats");
    if (!cJSON_IsArray(formats)) {
        // A single video: the record itself is its only format.
        MediaFormat f;
        if (!readFormat(r, f))
            f = MediaFormat();
        f.kind = FormatKind::Video;
        f.id = formatId;
        f.ext = safeMediaExtension(f.ext, false);
        m_formats.append(f);
        return true;
    }
    const cJSON *element = nullptr;
    cJSON_ArrayForEach(element, formats)
    {
        if (!cJSON_IsObject(element))
            continue;
        MediaFormat f;
        if (!readFormat(element, f) || f.id.isEmpty())
            continue;
        classify(f);
        m_formats.append(f);
    }
    processFormats();
    return true;
}

void MediaInfo::setFormatsForTest(const QVector<MediaFormat> &formats, bool process)
{
    m_formats = formats;
    for (MediaFormat &f : m_formats)
        if (f.kind == FormatKind::Unclassified)
            classify(f);
    m_selected = -1;
    if (process)
        processFormats();
}

void MediaInfo::processFormats()
{
    QVector<MediaFormat> &list = m_formats;

    // Size estimates: the largest audio plus the matching video-only stream.
    qint64 largestAudio = 0;
    for (const MediaFormat &f : list)
        if (f.kind == FormatKind::AudioOnly)
            largestAudio = qMax(largestAudio, f.fileSizeBytes);
    QHash<QString, qint64> dashByResolution;
    QHash<int, qint64> dashByHeight;
    QVector<QPair<int, qint64>> dashSized; // height, size, in list order
    for (const MediaFormat &f : list) {
        if (f.kind != FormatKind::DashVideo || f.fileSizeBytes <= 0)
            continue;
        const QString key = resolutionKey(f);
        if (!dashByResolution.contains(key))
            dashByResolution.insert(key, f.fileSizeBytes);
        if (!dashByHeight.contains(f.height))
            dashByHeight.insert(f.height, f.fileSizeBytes);
        dashSized.append({f.height, f.fileSizeBytes});
    }
    for (MediaFormat &f : list) {
        if (f.kind == FormatKind::AudioOnly || f.fileSizeBytes > 0)
            continue;
        qint64 video = 0;
        if (dashByResolution.contains(resolutionKey(f))) {
            video = dashByResolution.value(resolutionKey(f));
        } else if (dashByHeight.contains(f.height)) {
            video = dashByHeight.value(f.height);
        } else {
            qint64 bestDistance = -1;
            for (const auto &d : dashSized) {
                const qint64 distance = qAbs(qint64(d.first) - f.height);
                if (bestDistance < 0 || distance < bestDistance) {
                    bestDistance = distance;
                    video = d.second;
                }
            }
        }
        f.fileSizeBytes = sizeSum(largestAudio, video);
    }

    // Where a resolution exists as mp4, the other containers of it go.
    QSet<QString> mp4Resolutions;
    for (const MediaFormat &f : list)
        if (f.width > 0 && f.height > 0 && f.ext == QLatin1String("mp4"))
            mp4Resolutions.insert(resolutionKey(f));
    if (!mp4Resolutions.isEmpty() && list.size() >= 2) {
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const MediaFormat &f) {
                                      return f.width > 0 && f.height > 0 && f.ext != QLatin1String("mp4")
                                             && mp4Resolutions.contains(resolutionKey(f));
                                  }),
                   list.end());
    }

    // Duplicates: the first of a resolution, container and frame rate stays. A format
    // without a frame rate is a duplicate of any rate, but gives way to a later one that
    // knows its rate.
    struct Group {
        int withoutFps = -1; // position in kept of the group's format without a rate
        QSet<int> fps;
    };
    QHash<QString, Group> groups;
    QVector<MediaFormat> kept;
    kept.reserve(list.size());
    for (const MediaFormat &f : list) {
        if (f.kind == FormatKind::AudioOnly || f.width <= 0 || f.height <= 0) {
            kept.append(f);
            continue;
        }
        Group &g = groups[resolutionKey(f) + QLatin1Char('.') + f.ext.toLower()];
        const bool first = g.withoutFps < 0 && g.fps.isEmpty();
        if (f.fps <= 0) {
            if (first) {
                g.withoutFps = kept.size();
                kept.append(f);
            }
        } else if (g.withoutFps >= 0) {
            kept[g.withoutFps] = f;
            g.withoutFps = -1;
            g.fps.insert(f.fps);
        } else if (!g.fps.contains(f.fps)) {
            g.fps.insert(f.fps);
            kept.append(f);
        }
    }
    list = kept;

    // Audio of unknown size: its bit rate over the media's length.
    for (MediaFormat &f : list)
        if (f.kind == FormatKind::AudioOnly && f.fileSizeBytes <= 0 && durationSeconds > 0)
            f.fileSizeBytes = sizeProduct(qint64(f.abr) * 1000 / 8, durationSeconds);

    // Largest picture first; at equal size the higher frame rate; audio last, best first.
    std::stable_sort(list.begin(), list.end(), [](const MediaFormat &a, const MediaFormat &b) {
        if (a.area() != b.area())
            return a.area() > b.area();
        const bool audioA = a.kind == FormatKind::AudioOnly, audioB = b.kind == FormatKind::AudioOnly;
        if (audioA != audioB)
            return audioB;
        if (audioA)
            return betterAudio(a, b);
        return a.fps > b.fps;
    });

    // Video sizes never grow down the list, so a better quality never looks smaller.
    // Audio rows keep their own sizes: they are alternatives, not steps of one ladder.
    int videos = 0;
    while (videos < list.size() && list[videos].kind != FormatKind::AudioOnly)
        ++videos;
    for (int i = videos - 1; i >= 1; --i) {
        MediaFormat &earlier = list[i - 1];
        if (list[i].fileSizeBytes >= earlier.fileSizeBytes)
            earlier.fileSizeBytes = sizeSum(sizeProduct(earlier.area(), 4), list[i].fileSizeBytes);
    }
}

const MediaFormat *MediaInfo::selectedFormat() const
{
    return m_selected >= 0 && m_selected < m_formats.size() ? &m_formats[m_selected] : nullptr;
}

MediaFormat *MediaInfo::mutableSelectedFormat()
{
    return m_selected >= 0 && m_selected < m_formats.size() ? &m_formats[m_selected] : nullptr;
}

void MediaInfo::selectFormatById(const QString &wanted)
{
    if (m_formats.isEmpty())
        return;
    QString current = wanted;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < m_formats.size(); ++i) {
            if (m_formats[i].id == current) {
                m_selected = i;
                return;
            }
        }
        if (current == formatId) {
            m_selected = 0;
            return;
        }
        current = formatId;
    }
    m_selected = 0;
}

void MediaInfo::selectFormatByResolution(const QString &text)
{
    QString t = text.toLower();
    t.remove(QLatin1Char('p'));
    if (!t.contains(QLatin1Char('x')))
        t.prepend(QStringLiteral("4096x"));
    const QStringList parts = t.split(QLatin1Char('x'));
    int wantedWidth = 0, wantedHeight = -1;
    bool audioChoice = false;
    if (parts.size() == 2) {
        wantedWidth = parts.at(0).toInt();
        wantedHeight = parts.at(1).toInt();
        audioChoice = wantedWidth < 1 && wantedHeight < 1;
    } else {
        qDebug() << "error";
        audioChoice = true;
        wantedHeight = -1;
    }

    int pick = -1;
    if (audioChoice) {
        for (int i = 0; i < m_formats.size(); ++i) {
            const MediaFormat &f = m_formats[i];
            if (f.kind == FormatKind::AudioOnly && (pick < 0 || f.abr > m_formats[pick].abr))
                pick = i;
        }
    } else {
        for (int i = 0; i < m_formats.size(); ++i) {
            const MediaFormat &f = m_formats[i];
            if (f.kind != FormatKind::AudioOnly && f.width == wantedWidth && f.height == wantedHeight) {
                pick = i;
                break;
            }
        }
    }
    if (pick < 0) {
        qint64 best = -1;
        for (int i = 0; i < m_formats.size(); ++i) {
            const MediaFormat &f = m_formats[i];
            const qint64 distance = qAbs(qint64(f.height) - wantedHeight);
            if (best < 0 || distance < best || (distance == best && f.fps > m_formats[pick].fps)) {
                best = distance;
                pick = i;
            }
        }
    }
    if (pick < 0 && !m_formats.isEmpty())
        pick = 0;
    if (pick >= 0)
        m_selected = pick;
}

const MediaFormat *MediaInfo::chooseAudioFormat(bool advance)
{
    audioChoiceCount = advance ? audioChoiceCount + 1 : 0;
    return currentAudioFormat();
}

const MediaFormat *MediaInfo::currentAudioFormat() const
{
    static const QSet<QString> preferred = {QStringLiteral("mp3"), QStringLiteral("aac"), QStringLiteral("ac3"),
                                            QStringLiteral("m4a")};
    static const QSet<QString> others = {QStringLiteral("opus"), QStringLiteral("amr"), QStringLiteral("mp"),
                                         QStringLiteral("wma")};
    QVector<const MediaFormat *> first, second;
    for (const MediaFormat &f : m_formats) {
        if (f.acodec.isEmpty() || !hasNoCodec(f.vcodec))
            continue;
        const QString ext = f.ext.toLower();
        if (preferred.contains(ext))
            first.append(&f);
        else if (others.contains(ext))
            second.append(&f);
    }
    // The next candidate after a failure is the next best, never a worse one first.
    const auto best = [](const MediaFormat *a, const MediaFormat *b) { return betterAudio(*a, *b); };
    std::stable_sort(first.begin(), first.end(), best);
    std::stable_sort(second.begin(), second.end(), best);
    const int n = audioChoiceCount;
    if (n < first.size())
        return first.at(n);
    // The second group continues where the first ran out, so no candidate is skipped.
    const int m = n - first.size();
    if (m < second.size())
        return second.at(m);
    return nullptr;
}

QString MediaInfo::nextFormatAfterFailure(const QString &failedId)
{
    int failed = -1;
    for (int i = 0; i < m_formats.size(); ++i) {
        if (m_formats[i].id == failedId) {
            failed = i;
            break;
        }
    }
    if (failed < 0)
        return QString();
    ++fallbackCount;
    int n = fallbackCount;
    const int h = m_formats[failed].height;

    for (int i = 0; i < m_formats.size(); ++i) {
        if (i == failed || m_formats[i].height < h)
            continue;
        if (--n < 1) {
            m_selected = i;
            return m_formats[i].id;
        }
    }

    // Then the lower ones, nearest heights first, band by band.
    QMap<int, QVector<int>> bands; // distance below h -> members in list order
    for (int i = 0; i < m_formats.size(); ++i)
        if (i != failed && m_formats[i].height <= h)
            bands[h - m_formats[i].height].append(i);
    for (auto it = bands.cbegin(); it != bands.cend() && n >= 0; ++it) {
        const QVector<int> &members = it.value();
        int chosen = members.first();
        if (members.size() >= n)
            chosen = members.at(n == 0 ? 0 : n - 1);
        n = qMax(0, n - int(members.size())) - 1;
        if (n < 1) {
            m_selected = chosen;
            return m_formats[chosen].id;
        }
    }
    if (m_formats.isEmpty())
        return QString();
    m_selected = 0;
    return m_formats[0].id;
}

qint64 MediaInfo::selectedFileSize() const
{
    const MediaFormat *f = selectedFormat();
    return f ? f->fileSizeBytes : 0;
}

QString MediaInfo::displayName() const
{
    if (!playlistTitle.isEmpty())
        return cleanFileName(playlistTitle);
    if (!title.isEmpty())
        return cleanFileName(title);
    return cleanFileName(id);
}

MediaInfo *loadInfoFromFolder(const QString &folder)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Size | QDir::Reversed);
    for (const QFileInfo &fi : entries) {
        if (fi.suffix() != QLatin1String("json"))
            continue;
        auto *info = new MediaInfo;
        info->loadFromFile(fi.filePath());
        return info;
    }
    qDebug() << "error.........";
    return nullptr;
}
