#pragma once
// Test-side half of the fake downloader: writes its scenario file (README.md beside this
// file), reads back the runs it logged, and makes small media fixtures with the real ffmpeg.

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

class FakeScenario
{
public:
    enum class Job { Info, Thumbnail, SubtitleList, Subtitles, Download, Channel };
    // How a failing run behaves: an error text on stderr, a quiet exit, random text, abort(), or
    // sleeping until killed.
    enum class Behaviour { Error, Silent, Garbage, Crash, Hang };

    // One logged run of the fake, in the order the runs started.
    struct Run {
        QString job; // "info", "thumbnail", "subtitleList", "subtitles", "download", "channel" or "invalid"
        QStringList args;
        QString program; // the path the fake was started from
        QString proxy() const;
        QString url() const;
        QString valueOf(const QString &option) const;
    };

    // The scenario lives in folder + "/scenario.json"; counters and log beside it.
    explicit FakeScenario(const QString &folder);

    void setInfoJson(const QJsonObject &info);

    void setThumbnailFile(const QString &jpeg);

    // The languages offered, in listing order; the listing and the subtitle files follow them.
    void setSubtitleCodes(const QStringList &subtitles, const QStringList &automaticCaptions);
    void setSubtitleContent(const QString &code, const QString &vtt);

    void setFormatFile(const QString &formatId, const QString &file);
    // Synthetic content of that many bytes.
    void setFormatSize(const QString &formatId, qint64 bytes);
    // "404", "unavailable" or any text: every run of that format fails with it.
    void setFormatError(const QString &formatId, const QString &error);
    // Each transfer writes its file in `steps` equal parts and sleeps stepMs after each part.
    void setPacing(int steps, int stepMs, const QString &formatId = QString());
    // Every transfer ends at percent, leaving the partial file and its ".ytdl" marker.
    void stopTransfersAt(int percent, const QString &formatId = QString());
    // Every transfer sleeps at percent until killed.
    void hangTransfersAt(int percent, const QString &formatId = QString());
    // The first `times` transfers (of that format, or of any) end at atPercent as `how` says.
    void failTransfers(int times, int atPercent = 0, Behaviour how = Behaviour::Error,
                       const QString &formatId = QString(), const QString &error = QString());

    void setChannelJson(const QJsonObject &listing);

    // The first `times` runs of the job fail (times < 0: every run).
    void failJob(Job job, int times, Behaviour how = Behaviour::Error, const QString &error = QString());
    // Every run of every job behaves so.
    void setMode(Behaviour how);
    void setJobDelay(Job job, int ms);

    // Direct access for anything the setters above do not cover.
    QJsonObject &root();

    // Writes the scenario and points CLIPWRIGHT_FAKE_SCENARIO at it, so child processes
    // started afterwards (and their children) use it.
    bool write() const;
    // Forgets the run counters and the log.
    void resetState() const;

    QVector<Run> loggedRuns() const;
    QVector<Run> loggedRuns(Job job) const;

    static QString jobName(Job job);
    // The built fake.
    static QString program();
    // Copies the fake to path, executable, e.g. an application folder + "/youtubedl".
    static bool installAs(const QString &path);

private:
    void setKey(const QString &section, const QString &key, const QJsonValue &value);
    void setFormatKey(const QString &formatId, const QString &key, const QJsonValue &value);
    void setTransferKey(const QString &formatId, const QString &key, const QJsonValue &value);
    static QString behaviourName(Behaviour how);

    QString m_folder;
    QJsonObject m_root;
};

// Media made at test time with the real ffmpeg, small and quick.
namespace FakeMedia
{
// The codecs follow the suffix: mp4, mkv, mov, avi, webm; m4a, aac, mp3, opus for sound only.
bool makeClip(const QString &path, int seconds, bool withVideo = true, bool withAudio = true, QString *error = nullptr);
bool makeJpeg(const QString &path, int width = 64, int height = 36, QString *error = nullptr);

// One entry of an info JSON's "formats"; empty codecs are written as "none".
QJsonObject format(const QString &id, const QString &ext, int width, int height, const QString &vcodec,
                   const QString &acodec, qint64 filesize = 0, const QString &note = QString());
QJsonObject infoJson(const QString &id, const QString &title, const QVector<QJsonObject> &formats = {});
} // namespace FakeMedia
