#pragma once
// A link's work folder under the download cache folder, its config.ini state file,
// and the names of its temporary and final files. The state file is what lets a
// restarted item skip every step an earlier run already did.

#include <QDate>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

class MediaInfo;

namespace WorkFolder
{

// cache folder + "/" + md5 of the page URL.
QString pathFor(const QString &cacheFolder, const QString &url);
// The same, created when missing and hidden where the platform hides folders.
QString make(const QString &cacheFolder, const QString &url);
// md5 of url + format id + suffix: the base name of the item's temporary files.
QString tempName(const QString &url, const QString &formatId, const QString &suffix);
QString thumbnailPath(const QString &workFolder);

// File names are limited to 255 bytes here.
constexpr int kMaxFileNameBytes = 255;
// The final file: folder + "/" + name + "." + ext, or "name (n).ext" with n = 0, 1, ...
// when taken. The name is cut (at a character boundary) so that it always fits, and
// a title that cleans to nothing falls back to the media id, then to "video".
// A name counts as taken when the file or one of its companions (stem + "." + suffix, such
// as "en.vtt") exists.
QString makeFinalPath(const QString &folder, const MediaInfo &media, const QString &forcedExt,
                      const QStringList &companionSuffixes = QStringList());
bool isNameTaken(const QString &path, const QStringList &companionSuffixes);
// Cuts text so that its UTF-8 form takes at most maxBytes, never splitting a character.
QString truncateUtf8(const QString &text, int maxBytes);

} // namespace WorkFolder

struct SubtitleLists {
    QStringList subtitles;
    QStringList autoCaptions;
};

struct ChannelListing {
    QString title;
    QStringList names;
    QStringList urls;
    bool noTitle = false;
};

// config.ini of one work folder. Every value is text; reads give the defaults of a
// fresh file. "today" is passed in so that expiry can be tested.
class ItemStateFile
{
public:
    explicit ItemStateFile(const QString &workFolder);
    ~ItemStateFile();

    QString filePath() const;
    QString value(const QString &key, const QString &defaultValue) const;
    void setValue(const QString &key, const QString &value);
    void sync();

    // The info JSON is fresh (used within 5 days); a stale one is deleted.
    bool isInfoCached(const QDate &today = QDate::currentDate());
    // The same question without deleting anything.
    bool infoIsFresh(const QDate &today = QDate::currentDate()) const;
    void recordInfoJson(const QString &jsonPath, const QDate &today = QDate::currentDate());

    bool isSubtitleListCached(SubtitleLists &out) const;
    void storeSubtitleLists(const SubtitleLists &lists);

    // A listing stored today or yesterday.
    bool isChannelListCached(ChannelListing &out, const QDate &today = QDate::currentDate()) const;
    void storeChannelListing(const ChannelListing &listing, const QDate &today = QDate::currentDate());

    // A confirmation is used once: the key is cleared when read.
    bool isTempVideoReady(const QString &tempVideoPath);
    bool isTempAudioReady(const QString &tempAudioPath);
    void confirmTempVideo(const QString &path);
    void confirmTempAudio(const QString &path);

    // The final path of a finished download whose file still exists, else "".
    QString completedFinalPath(const QString &tempVideoPath) const;
    void recordCompleted(const QString &tempVideoPath, const QString &finalPath);

    static constexpr const char *DateFormat = "yyyy-MM-dd";

private:
    bool isTempReady(const char *key, const QString &expectedPath);
    std::unique_ptr<QSettings> m_settings;
};
