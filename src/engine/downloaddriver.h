#pragma once
// Drives the outside downloader and ffmpeg for one download item: analysis of a
// link (info JSON, thumbnail, subtitle list, or a channel listing) and the download
// of one chosen format (video, audio when the video has none, merge or conversion,
// final name). Each step is one child process; steps chain through their ends and
// short timers, and every step leaves traces in the work folder's state file so a
// restarted item skips what is already done.

#include "engine/failurereason.h"
#include "engine/listing.h"
#include "engine/mediainfo.h"
#include "engine/outputparse.h"
#include "platform/childprocess.h"

#include <QFileInfo>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringList>
#include <functional>
#include <memory>

// The process-wide speed limit given to every transfer: "", "8M", "4M", "2M" or "1M".
QString rateLimitText();
void setRateLimitText(const QString &text);

class YoutobeDownloadObj : public QObject
{
    Q_OBJECT
public:
    enum JobType {
        NoJob = 0,
        GetInfo = 1,
        GetThumbnail = 2,
        DownloadVideo = 3,
        ListSubtitles = 4,
        DownloadAudio = 5,
        ListChannel = 6
    };
    static constexpr int kAttempts = 5;
    // How long a stopped job gets to end in order before its processes are killed.
    static constexpr int kStopGraceMs = 300;

    explicit YoutobeDownloadObj(QObject *parent = nullptr);
    ~YoutobeDownloadObj() override;

    void getInfo(const QString &url);
    void startDownload(MediaInfo *media);
    void stop();
    bool autoSelectAudiotoDownload(MediaInfo *media);

    // Set by the owner before startDownload.
    bool m_subtitleEnabled = false;
    QString m_formatId;
    QString m_subtitleLang; // a code, "All", or "" for the default language
    QString m_outputFolder;
    QString m_convertExt; // "mp4", "mp3" or ""

    // Read by the owner after the signals.
    QString m_url;
    QString m_channelTitle;
    QStringList m_channelNames;
    QStringList m_channelUrls;
    bool m_channelNoTitle = false;
    QStringList m_subtitleLangs;
    QStringList m_autoCaptionLangs;
    MediaInfo *mediaInfo() const
    {
        return m_mediaInfo.get();
    }
    QString m_workFolder;
    JobType m_jobType = NoJob;
    bool m_infoReady = false;
    DownloadFlags m_flags; // reached 100 %, format unavailable
    bool m_subtitlesFound = false;
    bool m_subtitleOnlyDone = false;
    bool m_resumed = false;
    int m_retryCount = 0;
    bool m_stopped = false;
    // What the downloader's (or converter's) last recognised error says of an analysis or
    // a download, and for a permanent failure, why.
    FailureReason m_failureReason = FailureReason::Unknown;
    PermanentCause m_failureCause = PermanentCause::None;
    FailureClass failure() const
    {
        return {m_failureReason, m_failureCause};
    }
    QString m_autoProxy;
    qint64 m_totalBytes = 0;
    QString m_audioTempPath;
    QString m_convertOutputPath;

    // The program run for each downloader job (a private copy of the application
    // folder's downloader), "" when none can be had.
    static QString downloaderProgram();

signals:
    void getInfoFinished();
    void downloadFinished(void *media);
    void getChannelListFinished();

public slots:
    void downLoadThread_Finished(int exitCode);
    void downLoadThread_Finished_Type1();
    void downLoadThread_Finished_Type2();
    void downLoadThread_Finished_Type3();
    void downLoadThread_Finished_Type4();
    void downLoadThread_Finished_Type5();
    void downLoadThread_Finished_Type6();
    void downLoadThread_StandardOutput();
    void redownload_slots();
    void downloadThumb_slots();
    void downloadSubtitlesList_slots();
    void convertProcess_StandardOutput_slots();
    void convertProcess_Finished(int exitCode);
    void checkisDLFinished_slots();

private:
    // The proxy for a job: the configured one, else (analysis jobs, later attempts) the desktop's.
    QString proxyFor(bool allowSystemProxy);
    void retireProcess();
    void dropProcess(QPointer<ChildProcess> &process);
    // downloader: the adapter in a process group of its own; otherwise ffmpeg, channels merged.
    ChildProcess *spawn(void (YoutobeDownloadObj::*onOutput)(), void (YoutobeDownloadObj::*onEnd)(int),
                        bool downloader);
    void startInfoJob();
    void startListingJob();
    void startDownloadAttempt(MediaInfo *media, bool retry);
    bool startAudioAttempt(MediaInfo *media, bool retry);
    void startSubtitlesOnlyJob();
    void runDownloader(const QStringList &args);
    void finishAtOnce();
    void later(int ms, std::function<void()> step);
    void infoFailed();
    bool transferReached100();
    void downloadFailed();
    void takeOverWorkingProxy();
    void finishPlainly();
    void moveSubtitles();
    QFileInfoList pendingSubtitles() const;
    void settleFinalPath(const QString &forcedExt);
    bool outputFolderHasSubtitle() const;
    void convertVideoAndAudio(MediaInfo *media);
    QString tempVideoBase() const;
    QString cacheFolder() const;
    void drainOutput();
    DownloadStage transferStage() const;
    void noteFailureReason(const QString &text);
    // True when trying again at once cannot help (private, rate limited, disk full, an
    // extractor that needs a new downloader): the remaining attempts are given up.
    bool attemptsAreFutile() const;
    std::unique_ptr<ItemStateFile> stateFile() const;

    QPointer<ChildProcess> m_downloadProcess;
    QPointer<ChildProcess> m_convertProcess;
    MediaInfo *m_media = nullptr;
    std::unique_ptr<MediaInfo> m_mediaInfo;
    bool m_subtitleIsAuto = false;
    bool m_subtitleListAnswered = false; // the listing was complete, whether or not it named languages
    QString m_listOutput;
    QString m_channelOutput;
    LineBuffer m_stdoutLines;
    LineBuffer m_stderrLines;
    // Bumped by stop() and by every new job, so late timers and process ends of an
    // earlier job do nothing.
    quint64 m_generation = 0;
};
