#pragma once
// One pasted link on its way to a file: its record, its driver, its state, and the
// timers for progress and automatic retries. The scheduler decides when it starts;
// the item performs the step and announces the outcome through its signals.

#include "engine/failurereason.h"
#include "queue/database.h"
#include "queue/downloadrecord.h"

#include <QObject>
#include <QReadWriteLock>
#include <QStringList>

class QTimer;
class QueueContext;
class YoutobeDownloadObj;

enum class ItemState {
    Stopped = -1,
    WaitingToAnalyze = 0,
    Analyzing = 1,
    Analyzed = 2,
    Downloading = 3,
    Succeeded = 4,
    AnalyzeFailed = 5,
    DownloadFailed = 6,
    WaitingToDownload = 7,
    Paused = 8,
    ListingEntries = 9,
};

class DLItemData : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRetrySeconds = 60;

    DLItemData(QueueContext *context, QObject *parent = nullptr);
    ~DLItemData() override;

    ItemState state() const
    {
        return m_state;
    }
    const DownloadRecord &record() const
    {
        return m_record;
    }
    YoutobeDownloadObj *driver() const
    {
        return m_driver;
    }

    void setLink(const QString &text);
    void loadRecord(const DownloadRecord &stored);
    void startAnalysis();
    void startDownload();
    // A download stops (its partial file stays for the resume); a waiting one is held back.
    void pause();
    void resume();
    void retry();
    void stop();
    // After stop(): a running item goes back to waiting, so it starts again later.
    void rewindAfterStop();
    // Back on the page: a failed item counts down to its automatic retry again.
    void restartCountdown();
    // A playlist still being queued stops queueing its entries (the page is left).
    void stopListing();
    void reset();
    void remove();
    // The item's key once it has a driver, else "".
    QString key() const;
    const DownloadRecord &finishInfo();
    // The full-row update of this item's row, with the progress refreshed.
    SqlStatement recordStatement();
    int currentProgress() const;
    // Puts the item in a state without running anything (tests and screenshots); speed is
    // what it reports as transferring, in bytes per second.
    void setStateForTest(ItemState state, int progress = 0, int countdown = 0, int speed = 0,
                         int analysisCountdown = 0);
    // What the downloader's errors said of the last analysis or download; the setter is for
    // tests and screenshots.
    // Why the last analysis or download failed (kept over a restart for permanent ones).
    FailureClass failure() const
    {
        return m_failure;
    }
    FailureReason failureReason() const
    {
        return m_failure.reason;
    }
    void setFailureForTest(const FailureClass &failure);
    void setSpaceShortForTest(const QString &folder)
    {
        m_spaceShortFolder = folder;
    }

    QString speedText() const
    {
        return m_speedText;
    }
    QString remainingTimeText() const
    {
        return m_remainingText;
    }
    qint64 totalSize() const
    {
        return m_totalSize;
    }
    int downloadCountdown() const
    {
        return m_downloadCountdown;
    }
    int analysisCountdown() const
    {
        return m_analysisCountdown;
    }
    int lastSpeed() const
    {
        return m_lastSpeed;
    }
    // The folder without room for this download, while it waits for space; else "".
    QString spaceShortFolder() const
    {
        return m_spaceShortFolder;
    }
    // Free bytes a download of this size needs: its size plus 5 %, at least 200 MB more.
    static qint64 spaceNeededFor(qint64 bytes);

    // The bound row widget (kept by the list view), or null.
    QObject *boundRow = nullptr;

    // "1.5MB/s" and the like in bytes per second; 0 without one of the three units.
    static int parseSpeed(const QString &text);

signals:
    void updateDownload();
    void updateParsed();
    void updateShow(DLItemData *item);
    void updateProgress(DLItemData *item);
    void dlspeedChange(int change);
    void downloadFinished(DLItemData *item);
    void deleteDataItem(DLItemData *item);
    // The download stopped because folder is full; the item waits paused.
    void diskFull(DLItemData *item, const QString &folder);

public slots:
    void getInfoFinished_slots();
    void getChannelInfoFinished_slots();
    void downloadFinished_slots(void *media);
    void m_timer_progress_slots();
    void m_timer_autoredl_slots();
    void m_timer_autoreparsed_slots();
    void load_channel_timer_slots();

private:
    void ensureDriver();
    void analysisFailed();
    // Takes the driver's failure class and stores it with the row.
    void noteFailure();
    // Seconds until the automatic retry this failure allows, 0 for none.
    int automaticRetryWait();
    void choose();
    void stopTimers();
    void reportSpeed(int speed);

    QueueContext *m_context;
    ItemState m_state = ItemState::Stopped;
    YoutobeDownloadObj *m_driver = nullptr;
    DownloadRecord m_record;
    QTimer *m_entryTimer = nullptr;
    QReadWriteLock m_entryLock;
    QList<int> m_chosenEntries;
    bool m_entrySubtitle = false;
    QString m_entryLang;
    QString m_entryQuality;
    int m_nextEntry = 0;
    QString m_speedText;
    QString m_remainingText;
    qint64 m_totalSize = 0;
    QTimer *m_timer_progress = nullptr;
    QTimer *m_timer_autoredl = nullptr;
    QTimer *m_timer_autoreparsed = nullptr;
    int m_downloadCountdown = 0;
    int m_analysisCountdown = 0;
    int m_lastSpeed = 0;
    QString m_spaceShortFolder;
    FailureClass m_failure;
    int m_rateLimitStrikes = 0;
    int m_outdatedStrikes = 0;
};
