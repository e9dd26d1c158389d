#include "queue/scheduler.h"

#include "queue/database.h"
#include "queue/downloaditem.h"
#include "queue/queuecontext.h"

#include <QtDebug>

DownloadQueue::DownloadQueue(QueueContext *context, QObject *parent) : QObject(parent), m_context(context)
{
    m_timer_checkdl.setInterval(60000);
    connect(&m_timer_checkdl, &QTimer::timeout, this, &DownloadQueue::m_timer_checkdl_slots);
}

DownloadQueue::~DownloadQueue()
{
    m_closing = true;
    qDeleteAll(m_items);
}

DLItemData *DownloadQueue::adopt(DLItemData *item)
{
    connect(item, &DLItemData::updateDownload, this, &DownloadQueue::DLItemUpdateDownload_slots);
    connect(item, &DLItemData::updateParsed, this, &DownloadQueue::DLItemUpdateParsed_slots);
    connect(item, &DLItemData::updateShow, this, &DownloadQueue::DLItemUpdateShow_slots);
    connect(item, &DLItemData::updateProgress, this, &DownloadQueue::DLItemUpdateProgress_slots);
    connect(item, &DLItemData::dlspeedChange, this, &DownloadQueue::DLItemChangeDLSpeed_slots);
    connect(item, &DLItemData::downloadFinished, this, &DownloadQueue::DLItemDownloadFinished_slots);
    connect(item, &DLItemData::deleteDataItem, this, &DownloadQueue::DLItemDeleteItem_slots);
    connect(item, &DLItemData::diskFull, this, &DownloadQueue::DLItemDiskFull_slots);
    m_items.append(item);
    if (!m_timer_checkdl.isActive())
        m_timer_checkdl.start();
    return item;
}

DLItemData *DownloadQueue::append(DLItemData *item)
{
    adopt(item);
    emit itemAdded(item);
    analysisPass();
    return item;
}

DLItemData *DownloadQueue::addNewLink(const QString &link)
{
    auto *item = new DLItemData(m_context, this);
    item->setLink(link);
    return append(item);
}

DLItemData *DownloadQueue::addRestoredItem(const DownloadRecord &record)
{
    auto *item = new DLItemData(m_context, this);
    item->setLink(record.url);
    item->loadRecord(record);
    return append(item);
}

bool DownloadQueue::hasRunningWork() const
{
    for (const DLItemData *item : m_items) {
        const ItemState state = item->state();
        if (state == ItemState::Analyzing || state == ItemState::Downloading || state == ItemState::ListingEntries)
            return true;
    }
    return false;
}

void DownloadQueue::addRestoredItems(const QVector<DownloadRecord> &records)
{
    if (records.isEmpty())
        return;
    QList<DLItemData *> added;
    added.reserve(records.size());
    for (const DownloadRecord &record : records) {
        auto *item = new DLItemData(m_context, this);
        item->setLink(record.url);
        item->loadRecord(record);
        added << adopt(item);
    }
    emit itemsAdded(added);
    analysisPass();
}

int DownloadQueue::hasAnalysingLink(const QString &link) const
{
    for (const DLItemData *item : m_items)
        if (item->state() == ItemState::Analyzing && item->record().url == link)
            return 1;
    return 0;
}

void DownloadQueue::downloadPass()
{
    if (m_loading || m_closing || m_pausingAll)
        return;
    const int limit = m_context->countAtSameTime();
    int running = 0;
    for (const DLItemData *item : qAsConst(m_items))
        if (item->state() == ItemState::Downloading && ++running >= limit)
            return;
    const bool recheckSpace = m_recheckSpace;
    m_recheckSpace = false;
    // A start may change the list (a failed start reports at once): walk a copy.
    const QList<DLItemData *> items = m_items;
    for (DLItemData *item : items) {
        if (running >= limit)
            break;
        if (item->state() != ItemState::WaitingToDownload || !m_items.contains(item))
            continue;
        if (!item->spaceShortFolder().isEmpty() && !recheckSpace)
            continue;
        item->startDownload();
        // One still short of space (or sent back to analysis) takes no slot.
        if (item->state() != ItemState::WaitingToDownload && item->state() != ItemState::WaitingToAnalyze)
            ++running;
    }
}

void DownloadQueue::analysisPass()
{
    if (m_loading || m_closing)
        return;
    int running = 0;
    for (const DLItemData *item : qAsConst(m_items))
        if (item->state() == ItemState::Analyzing && ++running >= kAnalysisLimit)
            return;
    const QList<DLItemData *> items = m_items;
    for (DLItemData *item : items) {
        if (running >= kAnalysisLimit)
            break;
        if (item->state() == ItemState::WaitingToAnalyze && m_items.contains(item)) {
            item->startAnalysis();
            ++running;
        }
    }
}

void DownloadQueue::DLItemUpdateDownload_slots()
{
    if (m_closing)
        return;
    qDebug() << "DLItemUpdateDownload_slots...";
    downloadPass();
    m_context->refreshTotals();
}

void DownloadQueue::DLItemUpdateParsed_slots()
{
    if (m_closing)
        return;
    qDebug() << "DLItemUpdateParsed_slots...";
    analysisPass();
}

void DownloadQueue::DLItemUpdateShow_slots(DLItemData *item)
{
    if (!m_closing)
        emit itemChanged(item);
}

void DownloadQueue::DLItemUpdateProgress_slots(DLItemData *item)
{
    if (!m_closing)
        emit itemProgress(item);
}

void DownloadQueue::DLItemChangeDLSpeed_slots(int change)
{
    Q_UNUSED(change); // each item keeps its own last speed; the sum is taken afresh
    recountSpeed();
}

void DownloadQueue::recountSpeed()
{
    qint64 total = 0;
    for (const DLItemData *item : qAsConst(m_items))
        total += qMax(0, item->lastSpeed());
    if (total == m_totalSpeed)
        return;
    m_totalSpeed = total;
    emit totalSpeedChanged(m_totalSpeed);
}

void DownloadQueue::take(DLItemData *item)
{
    if (m_selected == item)
        m_selected = nullptr;
    m_items.removeOne(item);
    emit itemRemoved(item);
    item->disconnect(this);
    recountSpeed();
    // Deleted once no signal of its own is on its way.
    item->deleteLater();
}

void DownloadQueue::afterRemoval()
{
    m_context->refreshTotals();
    if (m_items.isEmpty()) {
        m_timer_checkdl.stop();
        emit emptied();
    }
}

void DownloadQueue::DLItemDownloadFinished_slots(DLItemData *item)
{
    if (m_closing || !m_items.contains(item))
        return;
    qDebug("DLItemDownloadFinished_slots...0x%llX", static_cast<unsigned long long>(quintptr(item)));
    const DownloadRecord record = item->finishInfo();
    DBManagerThread *db = m_context->database();
    m_context->addFinishedRow(record, db ? db->markFinished(record) : 0);
    item->stop();
    take(item);
    m_recheckSpace = true;
    afterRemoval();
    if (m_items.isEmpty())
        m_context->runFinishedAction();
}

void DownloadQueue::DLItemDeleteItem_slots(DLItemData *item)
{
    if (m_closing || !m_items.contains(item))
        return;
    qDebug("DLItemDeleteItem_slots...0x%llX", static_cast<unsigned long long>(quintptr(item)));
    item->remove();
    take(item);
    afterRemoval();
    m_recheckSpace = true;
    downloadPass();
}

void DownloadQueue::removeItem(DLItemData *item)
{
    DLItemDeleteItem_slots(item);
}

void DownloadQueue::m_timer_checkdl_slots()
{
    if (m_closing)
        return;
    m_recheckSpace = true;
    downloadPass();
    analysisPass();
}

void DownloadQueue::DLItemRemoveAllItem_slots()
{
    if (m_closing)
        return;
    const QList<DLItemData *> items = m_items;
    for (DLItemData *item : items) {
        item->remove();
        take(item);
    }
    m_selected = nullptr;
    afterRemoval();
}

void DownloadQueue::DLItempauseAllItem_slots()
{
    if (m_closing)
        return;
    // No slot freed on the way may start the next waiting item: it is paused as well.
    m_pausingAll = true;
    const QList<DLItemData *> items = m_items;
    for (DLItemData *item : items)
        item->pause();
    m_pausingAll = false;
    m_context->refreshTotals();
}

void DownloadQueue::DLItemDiskFull_slots(DLItemData *item, const QString &folder)
{
    Q_UNUSED(item);
    if (m_closing || m_reportingDiskFull)
        return;
    // Everything stops at once, nothing already downloaded is deleted, and the user hears
    // it once: resuming after freeing space continues each partial file.
    DLItempauseAllItem_slots();
    m_reportingDiskFull = true;
    m_context->message(
        tr("The disk is full: %1. Every download is paused; free some space there, then resume them.").arg(folder),
        {tr("Close")});
    m_reportingDiskFull = false;
}

void DownloadQueue::DLItemresumeAllItem_slots()
{
    if (m_closing)
        return;
    const QList<DLItemData *> items = m_items;
    for (DLItemData *item : items)
        item->resume();
}

void DownloadQueue::reopen()
{
    m_closing = false;
    for (DLItemData *item : qAsConst(m_items))
        item->restartCountdown();
    analysisPass();
    downloadPass();
}

void DownloadQueue::saveAndStopAll()
{
    m_closing = true;
    const QList<DLItemData *> items = m_items;
    for (DLItemData *item : items) {
        if (item->state() == ItemState::Succeeded)
            continue;
        if (item->state() == ItemState::ListingEntries) {
            // A playlist half queued: its entries so far are items of their own; the
            // placeholder and its row go, or the next start would queue them all again.
            item->stopListing();
            item->remove();
            take(item);
            continue;
        }
        if (item->key().size() > 10)
            if (DBManagerThread *db = m_context->database())
                db->runStatement(item->recordStatement());
        item->stop();
        item->rewindAfterStop();
    }
    recountSpeed();
    if (m_items.isEmpty()) {
        m_timer_checkdl.stop();
        emit emptied();
    }
}
