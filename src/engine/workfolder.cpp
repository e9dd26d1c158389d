#include "engine/workfolder.h"

#include "app/format.h"
#include "engine/mediainfo.h"
#include "external/toolargs.h"
#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace
{
const QString kOldDate = QStringLiteral("2018-01-01");
const QString kNull = QStringLiteral("NULL");

QDate readDate(const QString &text)
{
    return QDate::fromString(text, QLatin1String(ItemStateFile::DateFormat));
}

QStringList splitCodes(const QString &stored)
{
    QStringList codes;
    for (const QString &part : stored.split(QLatin1Char(','))) {
        const QString code = part.trimmed();
        if (code.size() > 1)
            codes << code;
    }
    return codes;
}

QString joinCodes(const QStringList &codes)
{
    QString out;
    for (const QString &c : codes)
        out += QLatin1Char(',') + c;
    return out;
}
} // namespace

namespace WorkFolder
{

QString pathFor(const QString &cacheFolder, const QString &url)
{
    return cacheFolder + QLatin1Char('/') + md5Hex(url);
}

QString make(const QString &cacheFolder, const QString &url)
{
    const QString folder = pathFor(cacheFolder, url);
    QDir().mkpath(folder);
    Platform::setHiddenAttribute(folder);
    return folder;
}

QString tempName(const QString &url, const QString &formatId, const QString &suffix)
{
    return md5Hex(url + formatId + suffix);
}

QString thumbnailPath(const QString &workFolder)
{
    return workFolder + QStringLiteral("/thumb.jpg");
}

QString truncateUtf8(const QString &text, int maxBytes)
{
    if (text.toUtf8().size() <= maxBytes)
        return text;
    QString out;
    int bytes = 0;
    for (int i = 0; i < text.size();) {
        const int units = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, units);
        const int chBytes = ch.toUtf8().size();
        if (bytes + chBytes > maxBytes)
            break;
        out += ch;
        bytes += chBytes;
        i += units;
    }
    return out;
}

bool isNameTaken(const QString &path, const QStringList &companionSuffixes)
{
    if (QFileInfo::exists(path))
        return true;
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > path.lastIndexOf(QLatin1Char('/')) ? path.left(dot + 1) : path + QLatin1Char('.');
    for (const QString &suffix : companionSuffixes)
        if (QFileInfo::exists(stem + suffix))
            return true;
    return false;
}

QString makeFinalPath(const QString &folder, const MediaInfo &media, const QString &forcedExt,
                      const QStringList &companionSuffixes)
{
    QString ext = forcedExt;
    if (ext.isEmpty()) {
        const MediaFormat *f = media.selectedFormat();
        ext = f ? f->ext : QStringLiteral("mp4");
    }
    QString name = media.displayName();
    name = cleanFileName(name);
    if (name.trimmed().isEmpty())
        name = cleanFileName(media.id);
    if (name.trimmed().isEmpty())
        name = QStringLiteral("video");

    auto candidate = [&](int n) -> QString {
        const QString tail = (n < 0 ? QString() : QStringLiteral(" (%1)").arg(n)) + QLatin1Char('.') + ext;
        const QString base = truncateUtf8(name, kMaxFileNameBytes - tail.toUtf8().size());
        return folder + QLatin1Char('/') + base + tail;
    };
    QString path = candidate(-1);
    for (int n = 0; isNameTaken(path, companionSuffixes); ++n)
        path = candidate(n);
    return path;
}

} // namespace WorkFolder

ItemStateFile::ItemStateFile(const QString &workFolder)
    : m_settings(std::make_unique<QSettings>(workFolder + QStringLiteral("/config.ini"), QSettings::IniFormat))
{
}

ItemStateFile::~ItemStateFile() = default;

QString ItemStateFile::filePath() const
{
    return m_settings->fileName();
}

QString ItemStateFile::value(const QString &key, const QString &defaultValue) const
{
    return m_settings->value(key, defaultValue).toString();
}

void ItemStateFile::setValue(const QString &key, const QString &value)
{
    m_settings->setValue(key, value);
}

void ItemStateFile::sync()
{
    m_settings->sync();
}

bool ItemStateFile::infoIsFresh(const QDate &today) const
{
    const QDate used = readDate(value(QStringLiteral("LoadJsonDate"), kOldDate));
    const QString json = value(QStringLiteral("LoadJsonName"), QString());
    return !json.isEmpty() && QFileInfo::exists(json) && used.isValid() && today <= used.addDays(5);
}

bool ItemStateFile::isInfoCached(const QDate &today)
{
    if (infoIsFresh(today))
        return true;
    const QString json = value(QStringLiteral("LoadJsonName"), QString());
    if (!json.isEmpty() && QFileInfo::exists(json))
        QFile::remove(json);
    return false;
}

void ItemStateFile::recordInfoJson(const QString &jsonPath, const QDate &today)
{
    setValue(QStringLiteral("LoadJsonDate"), today.toString(QLatin1String(DateFormat)));
    setValue(QStringLiteral("LoadJsonName"), jsonPath);
}

bool ItemStateFile::isSubtitleListCached(SubtitleLists &out) const
{
    if (value(QStringLiteral("isLoadLang"), QStringLiteral("NO")) != QLatin1String("YES"))
        return false;
    out.subtitles += splitCodes(value(QStringLiteral("subtitles"), QString()));
    out.autoCaptions += splitCodes(value(QStringLiteral("AutoCaption"), QString()));
    return true;
}

void ItemStateFile::storeSubtitleLists(const SubtitleLists &lists)
{
    setValue(QStringLiteral("subtitles"), joinCodes(lists.subtitles));
    setValue(QStringLiteral("AutoCaption"), joinCodes(lists.autoCaptions));
    setValue(QStringLiteral("isLoadLang"), QStringLiteral("YES"));
}

bool ItemStateFile::isChannelListCached(ChannelListing &out, const QDate &today) const
{
    if (value(QStringLiteral("isLoadChannelItem"), QStringLiteral("NO")) != QLatin1String("YES"))
        return false;
    const QDate listed = readDate(value(QStringLiteral("LoadChannelDate"), kOldDate));
    if (!listed.isValid() || today > listed.addDays(1))
        return false;
    out.title = value(QStringLiteral("ChannelName"), QStringLiteral("NO"));
    const int count = value(QStringLiteral("Channel_ITEMCount"), QStringLiteral("0")).toInt();
    const QString noTitle = value(QStringLiteral("Channel_ITEM_NO_TITLE"), QString());
    if (count < 1 || noTitle.isEmpty())
        return false;
    if (noTitle == QLatin1String("TRUE"))
        out.noTitle = true;
    QSet<QString> seen(out.urls.cbegin(), out.urls.cend());
    for (int n = 0; n < count; ++n) {
        const QString urlKey = QStringLiteral("Item_URL_") + QString::number(n);
        // The items are stored in a row from 0: a count past them is damage, not more items.
        if (!m_settings->contains(urlKey))
            break;
        const QString url = value(urlKey, QString());
        if (seen.contains(url))
            continue;
        seen.insert(url);
        out.names << value(QStringLiteral("Item_Name_") + QString::number(n), QString());
        out.urls << url;
    }
    return true;
}

void ItemStateFile::storeChannelListing(const ChannelListing &listing, const QDate &today)
{
    setValue(QStringLiteral("isLoadChannelItem"), QStringLiteral("YES"));
    setValue(QStringLiteral("ChannelName"), listing.title);
    setValue(QStringLiteral("Channel_ITEMCount"), QString::number(listing.names.size()));
    setValue(QStringLiteral("LoadChannelDate"), today.toString(QLatin1String(DateFormat)));
    setValue(QStringLiteral("Channel_ITEM_NO_TITLE"),
             listing.noTitle ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    for (int n = 0; n < listing.names.size(); ++n) {
        setValue(QStringLiteral("Item_Name_") + QString::number(n), listing.names.at(n));
        setValue(QStringLiteral("Item_URL_") + QString::number(n), listing.urls.value(n));
    }
}

bool ItemStateFile::isTempReady(const char *key, const QString &expectedPath)
{
    const QString stored = value(QLatin1String(key), kNull);
    setValue(QLatin1String(key), QString());
    return !stored.isEmpty() && stored != kNull && QFileInfo::exists(stored) && stored == expectedPath
           && !QFileInfo::exists(stored + DownloaderText::PartialMarkerSuffix);
}

bool ItemStateFile::isTempVideoReady(const QString &tempVideoPath)
{
    return isTempReady("TempVideo_OK", tempVideoPath);
}

bool ItemStateFile::isTempAudioReady(const QString &tempAudioPath)
{
    // Compared with the audio's own temporary path, so a finished audio part is taken over.
    return isTempReady("TempAudio", tempAudioPath);
}

void ItemStateFile::confirmTempVideo(const QString &path)
{
    setValue(QStringLiteral("TempVideo_OK"), path);
}

void ItemStateFile::confirmTempAudio(const QString &path)
{
    setValue(QStringLiteral("TempAudio"), path);
}

QString ItemStateFile::completedFinalPath(const QString &tempVideoPath) const
{
    const QString finalPath = value(QStringLiteral("completed:") + tempVideoPath, kNull);
    if (finalPath == kNull || finalPath.isEmpty() || !QFileInfo::exists(finalPath))
        return QString();
    return finalPath;
}

void ItemStateFile::recordCompleted(const QString &tempVideoPath, const QString &finalPath)
{
    setValue(QStringLiteral("completed:") + tempVideoPath, finalPath);
}
