#pragma once
// The queue side of the in-progress list: owns the unfinished items in display order,
// starts the earliest eligible ones under the analysis limit (5) and the download
// limit, sums their speeds, moves succeeded items on, and pauses, resumes, removes
// or saves them all. The list view shows these items; it decides nothing itself.

#include <QList>
#include <QObject>
#include <QTimer>
#include <QVector>

#include "queue/downloadrecord.h"

class DLItemData;
class QueueContext;

class DownloadQueue : public QObject
{
    Q_OBJECT
public:
    static constexpr int kAnalysisLimit = 5;

    explicit DownloadQueue(QueueContext *context, QObject *parent = nullptr);
    ~DownloadQueue() override;

    const QList<DLItemData *> &items() const
    {
        return m_items;
    }
    int count() const
    {
        return m_items.size();
    }
    qint64 totalSpeed() const
    {
        return m_totalSpeed;
    }
    DLItemData *selectedItem() const
    {
        return m_selected;
    }
    void setSelectedItem(DLItemData *item)
    {
        m_selected = item;
    }

    DLItemData *addNewLink(const QString &link);
    DLItemData *addRestoredItem(const DownloadRecord &record);
    // The queue load: many stored rows at once, announced with one itemsAdded().
    void addRestoredItems(const QVector<DownloadRecord> &records);
    int hasAnalysingLink(const QString &link) const;
    // Whether any item is being analysed, listed or downloaded.
    bool hasRunningWork() const;

    void downloadPass();
    void analysisPass();

    bool isLoading() const
    {
        return m_loading;
    }
    void setLoading(bool loading)
    {
        m_loading = loading;
    }
    bool isClosing() const
    {
        return m_closing;
    }
    // Back on the download page: the queue runs again.
    void reopen();
    // Leaving the page: every unfinished item is saved and stopped. An item that was
    // running comes back waiting, so the passes start it again on return.
    void saveAndStopAll();
    // The user removes one item (its row's delete button).
    void removeItem(DLItemData *item);
    bool isCheckTimerActive() const
    {
        return m_timer_checkdl.isActive();
    }

signals:
    void itemAdded(DLItemData *item);
    void itemsAdded(const QList<DLItemData *> &items);
    void itemRemoved(DLItemData *item);
    void itemChanged(DLItemData *item);
    void itemProgress(DLItemData *item);
    void totalSpeedChanged(qint64 bytesPerSecond);
    void emptied();

public slots:
    void DLItemUpdateDownload_slots();
    void DLItemUpdateParsed_slots();
    void DLItemUpdateShow_slots(DLItemData *item);
    void DLItemUpdateProgress_slots(DLItemData *item);
    void DLItemChangeDLSpeed_slots(int change);
    void DLItemDownloadFinished_slots(DLItemData *item);
    void DLItemDeleteItem_slots(DLItemData *item);
    void m_timer_checkdl_slots();
    void DLItemRemoveAllItem_slots();
    void DLItempauseAllItem_slots();
    void DLItemresumeAllItem_slots();
    void DLItemDiskFull_slots(DLItemData *item, const QString &folder);

private:
    DLItemData *append(DLItemData *item);
    DLItemData *adopt(DLItemData *item);
    void take(DLItemData *item);
    void afterRemoval();
    // The total speed is the sum of what the items last reported, so an item that goes
    // away (removed, finished, stopped while the page was left) takes its speed along.
    void recountSpeed();

    QueueContext *m_context;
    QList<DLItemData *> m_items;
    DLItemData *m_selected = nullptr;
    qint64 m_totalSpeed = 0;
    bool m_closing = false;
    bool m_loading = false;
    bool m_pausingAll = false;
    bool m_reportingDiskFull = false;
    // Items waiting for disk space are tried again only when space may have been freed.
    bool m_recheckSpace = false;
    QTimer m_timer_checkdl;
};
