#pragma once
// One analysed media: the downloader's info JSON read into a record with a
// cleaned, ordered list of formats, the selection rules over that list, and the
// download status the owner shows while the record is being fetched.

#include <QString>
#include <QVector>
#include <QtGlobal>

enum class FormatKind { Unclassified = -1, AudioOnly = 0, Video = 1, DashVideo = 2 };

struct MediaFormat {
    QString id;
    QString ext;    // always a known media suffix (see safeMediaExtension)
    QString acodec; // up to the first ".", lower-case
    QString vcodec;
    QString note;
    FormatKind kind = FormatKind::Unclassified;
    int width = 0;
    int height = 0;
    int abr = 128;
    qint64 fileSizeBytes = 0;
    int fps = 0;

    qint64 area() const
    {
        return qint64(width) * height;
    }
};

class MediaInfo
{
public:
    // Download status written by the driver and shown by the owner.
    enum State : char { StateNone = 0, StateDownloading = 2, StateFinished = 3, StateFailed = 4 };

    // Reads the info JSON at path. Returns false when only the id could be had
    // (unreadable file, broken or non-object JSON); the record is usable either way.
    bool loadFromFile(const QString &path);

    void selectFormatById(const QString &id);
    void selectFormatByResolution(const QString &text);
    // An audio-only format; advance steps to the next candidate, otherwise the first.
    const MediaFormat *chooseAudioFormat(bool advance);
    // The audio candidate the choice stands at now, without moving it.
    const MediaFormat *currentAudioFormat() const;
    // Picks a replacement for a format the downloader could not deliver.
    QString nextFormatAfterFailure(const QString &id);
    qint64 selectedFileSize() const;
    QString displayName() const;

    const MediaFormat *selectedFormat() const;
    int selectedIndex() const
    {
        return m_selected;
    }
    const QVector<MediaFormat> &formats() const
    {
        return m_formats;
    }
    MediaFormat *mutableSelectedFormat();

    // Fields read from the JSON.
    QString webpageUrl;
    QString title;
    QString playlistTitle;
    QString id;
    int playlistIndex = 0;
    QString uploadDate;
    QString uploader;
    QString uploaderId;
    QString formatId;
    qint64 durationSeconds = 0;
    qint64 viewCount = 0;

    // Download status.
    char state = StateNone;
    double progress = 0; // hundredths of a percent, 0..10000
    QString speedText;
    QString remainingTimeText;
    QString finalPath;
    QString tempPath;

    int audioChoiceCount = 0;
    int fallbackCount = 0;

    // Test and tool access: replaces the list as if read from JSON (then processed).
    void setFormatsForTest(const QVector<MediaFormat> &formats, bool process);

private:
    void reset(const QString &path);
    void processFormats();

    QVector<MediaFormat> m_formats;
    int m_selected = -1;
};

// Loads the info JSON of a work folder: the first "json" file when the folder's
// plain files are listed by size, smallest first. nullptr when there is none.
MediaInfo *loadInfoFromFolder(const QString &folder);

// The suffix a format's files may carry: the site's "ext" when it is a known media
// suffix, otherwise "mp4" for video and "m4a" for audio only.
QString safeMediaExtension(const QString &siteExt, bool audioOnly);
// The width a format of this height is taken to have when the site gives none.
int widthForHeight(int height);
