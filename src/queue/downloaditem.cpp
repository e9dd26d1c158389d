#include "queue/downloaditem.h"

#include "app/folders.h"
#include "app/format.h"
#include "app/settings.h"
#include "engine/downloaddriver.h"
#include "platform/platform.h"
#include "queue/database.h"
#include "queue/intake.h"
#include "queue/queuecontext.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QtDebug>

using Settings::Key;

DLItemData::DLItemData(QueueContext *context, QObject *parent) : QObject(parent), m_context(context) {}

DLItemData::~DLItemData()
{
    stopTimers();
}

int DLItemData::parseSpeed(const QString &text)
{
    struct Unit {
        const char *text;
        double factor;
    };
    static const Unit units[] = {{"KB/s", 1024.0}, {"MB/s", 1024.0 * 1024}, {"GB/s", 1024.0 * 1024 * 1024}};
    for (const Unit &u : units) {
        if (!text.contains(QLatin1String(u.text)))
            continue;
        QString number = text;
        number.remove(QLatin1String(u.text));
        bool ok = false;
        const double value = number.trimmed().toDouble(&ok);
        if (!ok || value <= 0)
            return 0;
        const double bytes = value * u.factor;
        return bytes >= 2147483647.0 ? 2147483647 : int(bytes);
    }
    return 0;
}

void DLItemData::stopTimers()
{
    for (QTimer *t : {m_timer_progress, m_timer_autoredl, m_timer_autoreparsed})
        if (t)
            t->stop();
}

void DLItemData::reportSpeed(int speed)
{
    const int change = speed - m_lastSpeed;
    m_lastSpeed = speed;
    emit dlspeedChange(change);
}

void DLItemData::setLink(const QString &text)
{
    reset();
    m_record.reset();
    m_record.url = text.trimmed();
    m_state = ItemState::WaitingToAnalyze;
}

void DLItemData::loadRecord(const DownloadRecord &stored)
{
    m_record.isenabled = stored.isenabled;
    m_record.url = stored.url;
    m_record.formatid = stored.formatid;
    m_record.frame = stored.frame;
    m_record.dlfolder = stored.dlfolder;
    m_record.name = stored.name;
    m_record.issubtitle = stored.issubtitle;
    m_record.subtitlelang = stored.subtitlelang;
    m_record.convertformat = stored.convertformat;
    m_record.savepath = stored.savepath;
    m_record.md5 = stored.md5;
    m_record.progress = stored.progress;
    m_record.failreason = stored.failreason;
    // A permanent failure stays one after a restart: no analysis runs for it by itself.
    m_failure = failureFromCode(stored.failreason);
    if (m_failure.reason == FailureReason::Permanent)
        m_state =
            m_record.isenabled && !m_record.formatid.isEmpty() ? ItemState::DownloadFailed : ItemState::AnalyzeFailed;
}

void DLItemData::ensureDriver()
{
    if (m_driver)
        return;
    m_driver = new YoutobeDownloadObj(this);
    connect(m_driver, &YoutobeDownloadObj::getInfoFinished, this, &DLItemData::getInfoFinished_slots);
    connect(m_driver, &YoutobeDownloadObj::getChannelListFinished, this, &DLItemData::getChannelInfoFinished_slots);
    connect(m_driver, &YoutobeDownloadObj::downloadFinished, this, &DLItemData::downloadFinished_slots);
    m_timer_progress = new QTimer(this);
    m_timer_autoredl = new QTimer(this);
    m_timer_autoreparsed = new QTimer(this);
    connect(m_timer_progress, &QTimer::timeout, this, &DLItemData::m_timer_progress_slots);
    connect(m_timer_autoredl, &QTimer::timeout, this, &DLItemData::m_timer_autoredl_slots);
    connect(m_timer_autoreparsed, &QTimer::timeout, this, &DLItemData::m_timer_autoreparsed_slots);
}

void DLItemData::startAnalysis()
{
    m_state = ItemState::Analyzing;
    ensureDriver();
    m_driver->getInfo(m_record.url);
    emit updateShow(this);
}

void DLItemData::getInfoFinished_slots()
{
    if (!m_driver)
        return;
    if (m_driver->m_infoReady && m_driver->mediaInfo()) {
        m_state = ItemState::Analyzed;
        choose();
        return; // choose() reports (or the item is gone)
    }
    analysisFailed();
    emit updateDownload();
    emit updateShow(this);
}

void DLItemData::analysisFailed()
{
    m_state = ItemState::AnalyzeFailed;
    noteFailure();
    m_analysisCountdown = automaticRetryWait();
    if (m_analysisCountdown > 0 && Settings::readSwitch(Key::AutoReDownload))
        m_timer_autoreparsed->start(1000);
    emit updateParsed();
}

void DLItemData::noteFailure()
{
    m_failure = m_driver ? m_driver->failure() : FailureClass();
    m_record.failreason = failureCode(m_failure);
    if (DBManagerThread *db = m_context->database())
        db->runStatement(DBManagerThread::failReasonStatement(m_record.url, m_record.md5, m_record.failreason));
}

int DLItemData::automaticRetryWait()
{
    switch (m_failure.reason) {
    case FailureReason::Permanent:
    case FailureReason::DiskFull:
        return 0;
    case FailureReason::RateLimited:
        // 2, 4, 8 and 16 minutes, then the site has said no for long enough.
        return ++m_rateLimitStrikes > 4 ? 0 : 120 << (m_rateLimitStrikes - 1);
    case FailureReason::OutdatedDownloader:
        return ++m_outdatedStrikes > 1 ? 0 : kRetrySeconds;
    case FailureReason::Transient:
    case FailureReason::Unknown:
        break;
    }
    return kRetrySeconds;
}

void DLItemData::choose()
{
    m_record.thumb = m_driver->m_workFolder + QStringLiteral("/thumb.jpg");
    m_record.name = m_driver->mediaInfo()->title;
    if (Settings::readSwitch(Key::AutoDL_Enabled)) {
        m_record.issubtitle = Settings::readSwitch(Key::AutoDL_DLSubtitle);
        m_record.subtitlelang = Settings::readText(Key::AutoDL_DLSubtitleLang);
        m_record.frame = m_context->autoDownloadQualityText().trimmed();
        m_record.isenabled = true;
    }
    if (!m_record.formatid.isEmpty()) {
        m_record.isenabled = true;
        if (m_record.md5.isEmpty())
            m_record.md5 = itemKey(m_record.url, m_record.formatid);
    }
    if (!m_record.isenabled) {
        const QualityChoice choice = m_context->chooseQuality(m_driver);
        if (!choice.accepted) {
            emit deleteDataItem(this);
            return;
        }
        m_record.isenabled = true;
        m_record.formatid = choice.formatId.trimmed();
        m_record.issubtitle = choice.subtitle;
        m_record.subtitlelang = choice.subtitleLangs.trimmed();
        if (m_record.md5.isEmpty()) {
            m_record.md5 = itemKey(m_record.url, m_record.formatid);
            if (DBManagerThread *db = m_context->database())
                db->runStatement(DBManagerThread::fixChoiceStatement(m_record));
        }
    }
    m_state = ItemState::WaitingToDownload;
    emit updateParsed();
    emit updateDownload();
    emit updateShow(this);
}

void DLItemData::startDownload()
{
    ensureDriver();
    YoutobeDownloadObj *d = m_driver;
    MediaInfo *media = d->mediaInfo();
    if (!media) {
        // Restored items arrive without a description: describe them first.
        m_state = ItemState::WaitingToAnalyze;
        emit updateParsed();
        emit updateShow(this);
        return;
    }
    if (!m_record.formatid.isEmpty() && m_record.formatid != QLatin1String("-1"))
        media->selectFormatById(m_record.formatid);
    else if (!m_record.frame.isEmpty() && m_record.frame != QLatin1String("-1"))
        media->selectFormatByResolution(m_record.frame);
    else
        media->selectFormatById(media->formatId);
    if (!media->selectedFormat())
        media->selectFormatByResolution(QStringLiteral("1920x1080p"));
    const MediaFormat *selected = media->selectedFormat();
    d->m_formatId = selected ? selected->id : QString();
    d->m_subtitleEnabled = m_record.issubtitle;
    d->m_subtitleLang = m_record.subtitlelang.trimmed();
    const QString folder = QDir::fromNativeSeparators(m_context->downloadFolder());
    d->m_outputFolder = folder;
    const bool hasVideo = selected && selected->kind != FormatKind::AudioOnly;
    if (Settings::readSwitch(Key::DL_ConvertVideo2mp4) && hasVideo)
        d->m_convertExt = QStringLiteral("mp4");
    else if (Settings::readSwitch(Key::DL_ConvertAudio2mp3) && selected && !hasVideo)
        d->m_convertExt = QStringLiteral("mp3");
    else
        d->m_convertExt.clear();
    if (!m_record.dlfolder.isEmpty()) {
        QString name = cleanFileName(m_record.dlfolder).trimmed();
        if (name.isEmpty() || !QDir(folder).mkpath(name)) {
            name = md5Hex(m_record.url);
            QDir(folder).mkpath(name);
        }
        d->m_outputFolder = folder + QLatin1Char('/') + name;
        if (m_record.frame == QLatin1String("0x0"))
            d->m_convertExt = QStringLiteral("mp3");
    }
    // Room first: with too little free space the download does not start; it waits and
    // the queue tries again when space may have been freed.
    const qint64 expected = media->selectedFileSize();
    m_spaceShortFolder.clear();
    if (expected > 0) {
        for (const QString &place : {downloadCacheFolder(), d->m_outputFolder}) {
            const qint64 free = Platform::freeBytes(place);
            if (free >= 0 && free < spaceNeededFor(expected)) {
                m_spaceShortFolder = place;
                m_state = ItemState::WaitingToDownload;
                emit updateShow(this);
                return;
            }
        }
    }
    m_state = ItemState::Downloading;
    if (m_record.md5.isEmpty()) {
        m_record.md5 = itemKey(m_record.url, d->m_formatId);
        if (DBManagerThread *db = m_context->database())
            db->runStatement(DBManagerThread::setKeyStatement(m_record.url, m_record.md5, d->m_formatId));
    }
    m_record.extformat = selected ? selected->ext : QString();
    m_totalSize = media->selectedFileSize();
    // The record keeps seconds; the row shows the real length.
    m_record.duration = formatDurationMicros(media->durationSeconds * 1000000);
    if (!m_timer_progress->isActive())
        m_timer_progress->start(500);
    // Every download runs with the speed box's current limit, restored ones too.
    setRateLimitText(Intake::rateTextForIndex(m_context->speedIndex()));
    d->startDownload(media);
    emit updateShow(this);
}

qint64 DLItemData::spaceNeededFor(qint64 bytes)
{
    constexpr qint64 kMinimumMargin = 200LL * 1024 * 1024;
    return bytes + qMax(bytes / 20, kMinimumMargin);
}

void DLItemData::setStateForTest(ItemState state, int progress, int countdown, int speed, int analysisCountdown)
{
    m_state = state;
    m_record.progress = progress;
    m_downloadCountdown = countdown;
    m_analysisCountdown = analysisCountdown;
    reportSpeed(speed);
}

void DLItemData::setFailureForTest(const FailureClass &failure)
{
    m_failure = failure;
}

int DLItemData::currentProgress() const
{
    const int stored = m_record.progress >= 1 && m_record.progress <= 9999 ? m_record.progress : 0;
    int live = 0;
    if (m_driver && m_driver->mediaInfo())
        live = int(m_driver->mediaInfo()->progress);
    return qMax(stored, live);
}

void DLItemData::m_timer_progress_slots()
{
    MediaInfo *media = m_driver ? m_driver->mediaInfo() : nullptr;
    const int speed = m_state == ItemState::Downloading && media ? parseSpeed(media->speedText) : 0;
    reportSpeed(speed);
    m_record.progress = currentProgress();
    if (media) {
        m_speedText = media->speedText;
        m_remainingText = media->remainingTimeText;
        m_totalSize = media->selectedFileSize();
    }
    emit updateProgress(this);
}

void DLItemData::downloadFinished_slots(void *result)
{
    if (!result)
        return;
    auto *media = static_cast<MediaInfo *>(result);
    if (m_timer_progress)
        m_timer_progress->stop();
    if (media->state == MediaInfo::StateFinished && QFileInfo::exists(media->finalPath)) {
        m_state = ItemState::Succeeded;
        reportSpeed(0);
        emit downloadFinished(this);
        return;
    }
    reportSpeed(0);
    noteFailure();
    // A write that failed for want of room shows no message of its own: the free space tells.
    const qint64 written = QFileInfo(media->tempPath).size();
    const qint64 free = Platform::freeBytes(m_driver->m_outputFolder);
    QString fullFolder = m_failure.reason == FailureReason::DiskFull ? downloadCacheFolder() : QString();
    if (fullFolder.isEmpty() && free >= 0 && written > 0 && free < written) {
        m_failure = {FailureReason::DiskFull, PermanentCause::None};
        fullFolder = m_driver->m_outputFolder;
    }
    if (m_failure.reason == FailureReason::DiskFull) {
        // Nothing is lost: the item waits paused, its partial file kept, until resumed.
        m_state = ItemState::Paused;
        emit updateShow(this);
        emit diskFull(this, fullFolder);
        emit updateDownload();
        return;
    }
    m_state = ItemState::DownloadFailed;
    m_downloadCountdown = automaticRetryWait();
    if (m_downloadCountdown > 0 && Settings::readSwitch(Key::AutoReDownload) && m_timer_autoredl)
        m_timer_autoredl->start(1000);
    emit updateDownload();
    emit updateShow(this);
}

void DLItemData::m_timer_autoredl_slots()
{
    if (m_state != ItemState::DownloadFailed)
        return;
    if (--m_downloadCountdown <= 0) {
        m_timer_autoredl->stop();
        m_state = ItemState::WaitingToDownload;
        emit updateDownload();
    }
    emit updateShow(this);
}

void DLItemData::m_timer_autoreparsed_slots()
{
    if (m_state != ItemState::AnalyzeFailed)
        return;
    if (--m_analysisCountdown <= 0) {
        m_timer_autoreparsed->stop();
        m_state = ItemState::WaitingToAnalyze;
        emit updateParsed();
    }
    emit updateShow(this);
}

void DLItemData::pause()
{
    if (m_timer_progress)
        m_timer_progress->stop();
    if (m_state == ItemState::WaitingToDownload) {
        m_state = ItemState::Paused;
        emit updateShow(this);
        return;
    }
    if (m_state != ItemState::Downloading)
        return;
    m_driver->stop();
    m_state = ItemState::Paused;
    emit updateParsed();
    emit updateDownload();
    emit updateShow(this);
    reportSpeed(0);
}

void DLItemData::resume()
{
    if (m_state != ItemState::Paused)
        return;
    m_state = ItemState::WaitingToDownload;
    emit updateShow(this);
    emit updateParsed();
    emit updateDownload();
}

void DLItemData::retry()
{
    if (m_state == ItemState::DownloadFailed || m_state == ItemState::AnalyzeFailed) {
        stopTimers();
        // The user tries again: a stored verdict no longer holds the item back after a restart.
        if (!m_record.failreason.isEmpty()) {
            m_record.failreason.clear();
            if (DBManagerThread *db = m_context->database())
                db->runStatement(DBManagerThread::failReasonStatement(m_record.url, m_record.md5, QString()));
        }
        m_state = m_state == ItemState::DownloadFailed ? ItemState::WaitingToDownload : ItemState::WaitingToAnalyze;
        emit updateShow(this);
    }
    emit updateParsed();
    emit updateDownload();
}

void DLItemData::stop()
{
    stopTimers();
    if (m_driver)
        m_driver->stop();
    m_downloadCountdown = 0;
    emit updateParsed();
    emit updateDownload();
    emit updateShow(this);
    reportSpeed(0);
}

void DLItemData::rewindAfterStop()
{
    if (m_state == ItemState::Downloading)
        m_state = ItemState::WaitingToDownload;
    else if (m_state == ItemState::Analyzing)
        m_state = ItemState::WaitingToAnalyze;
}

void DLItemData::restartCountdown()
{
    const bool automatic = Settings::readSwitch(Key::AutoReDownload);
    if (m_state == ItemState::DownloadFailed) {
        m_downloadCountdown = kRetrySeconds;
        if (automatic && m_timer_autoredl)
            m_timer_autoredl->start(1000);
    } else if (m_state == ItemState::AnalyzeFailed) {
        m_analysisCountdown = kRetrySeconds;
        if (automatic && m_timer_autoreparsed)
            m_timer_autoreparsed->start(1000);
    } else {
        return;
    }
    emit updateShow(this);
}

void DLItemData::stopListing()
{
    if (m_entryTimer) {
        m_entryTimer->stop();
        m_entryTimer->deleteLater();
        m_entryTimer = nullptr;
        m_context->showLoading(false, QString());
    }
    m_chosenEntries.clear();
    m_nextEntry = 0;
}

void DLItemData::reset()
{
    stopTimers();
    boundRow = nullptr;
    m_state = ItemState::Stopped;
    if (m_driver)
        m_driver->stop();
    m_lastSpeed = 0;
    m_downloadCountdown = 0;
}

void DLItemData::remove()
{
    stopTimers();
    // By the record's own key, so a restored item that never ran leaves no row behind.
    if (DBManagerThread *db = m_context->database())
        db->runStatement(DBManagerThread::deleteItemStatement(m_record.url, m_record.md5));
    if (m_driver)
        m_driver->stop();
    boundRow = nullptr;
}

QString DLItemData::key() const
{
    return m_driver ? m_record.md5 : QString();
}

const DownloadRecord &DLItemData::finishInfo()
{
    if (m_driver && m_driver->mediaInfo()) {
        MediaInfo *media = m_driver->mediaInfo();
        m_record.finishfilename = media->finalPath;
        const qint64 bytes = QFileInfo(media->finalPath).size();
        if (MediaFormat *f = media->mutableSelectedFormat())
            f->fileSizeBytes = bytes;
        m_totalSize = bytes;
        m_record.size = formatSize(bytes);
        m_record.thumb = m_driver->m_workFolder + QStringLiteral("/thumb.jpg");
        if (const MediaFormat *f = media->selectedFormat())
            m_record.extformat = f->ext;
        m_record.duration = formatDurationMicros(media->durationSeconds * 1000000);
    }
    m_record.finishdate = QDate::currentDate().toString(Qt::ISODate);
    return m_record;
}

SqlStatement DLItemData::recordStatement()
{
    m_record.progress = currentProgress();
    return DBManagerThread::fullRowStatement(m_record);
}

void DLItemData::getChannelInfoFinished_slots()
{
    if (!m_driver)
        return;
    if (!m_driver->m_infoReady) {
        analysisFailed();
        emit updateShow(this);
        return;
    }
    m_state = ItemState::ListingEntries;
    if (!m_entryTimer) {
        m_entryTimer = new QTimer(this);
        connect(m_entryTimer, &QTimer::timeout, this, &DLItemData::load_channel_timer_slots);
    }
    m_chosenEntries.clear();
    const QStringList &names = m_driver->m_channelNames;
    if (!Settings::readSwitch(Key::AutoDL_Enabled) && !m_driver->m_channelNoTitle && names.size() <= 1000) {
        const PlaylistChoice choice =
            m_context->choosePlaylistEntries(m_driver->m_channelTitle, names, m_driver->m_channelUrls);
        if (!choice.accepted || choice.entries.isEmpty()) {
            m_entryTimer->deleteLater();
            m_entryTimer = nullptr;
            emit deleteDataItem(this);
            return;
        }
        m_chosenEntries = choice.entries;
        m_entrySubtitle = choice.subtitle;
        m_entryQuality = choice.quality;
        m_entryLang = Settings::readText(Key::AutoDL_DLSubtitleLang);
    } else {
        // Queued whole, but for entries downloaded before: a playlist pasted again brings
        // only what is new.
        const QStringList &urls = m_driver->m_channelUrls;
        for (int i = 0; i < names.size(); ++i)
            if (!m_context->finishedDownloadOf(urls.value(i)).found)
                m_chosenEntries << i;
        m_entrySubtitle = Settings::readSwitch(Key::AutoDL_DLSubtitle);
        m_entryQuality = m_context->autoDownloadQualityText();
        m_entryLang = Settings::readText(Key::AutoDL_DLSubtitleLang);
        if (m_entryQuality.isEmpty())
            m_entryQuality = QStringLiteral("1920x1080p");
    }
    m_nextEntry = 0;
    m_context->showLoading(true, QString());
    m_entryTimer->start(10);
}

void DLItemData::load_channel_timer_slots()
{
    if (!m_entryLock.tryLockForWrite())
        return;
    if (m_nextEntry >= m_chosenEntries.size()) {
        if (m_entryTimer) {
            m_entryTimer->stop();
            m_entryTimer->deleteLater();
            m_entryTimer = nullptr;
        }
        m_nextEntry = 0;
        m_context->showLoading(false, QString());
        m_entryLock.unlock();
        emit updateParsed();
        emit deleteDataItem(this);
        return;
    }
    const int index = m_chosenEntries.at(m_nextEntry);
    DownloadRecord entry;
    entry.url = m_driver->m_channelUrls.value(index);
    entry.name = m_driver->m_channelNames.value(index);
    entry.dlfolder = m_driver->m_channelTitle;
    entry.frame = m_entryQuality;
    entry.issubtitle = m_entrySubtitle;
    entry.subtitlelang = m_entryLang;
    entry.isenabled = true;
    if (!entry.url.isEmpty()) {
        // The row comes first: the new item may be analysed, and even removed, before
        // addItem() returns.
        DBManagerThread *db = m_context->database();
        if (db)
            db->runStatements(
                {DBManagerThread::insertLinkStatement(entry.url), DBManagerThread::fullRowStatement(entry)});
        if (!m_context->addItem(entry) && db)
            db->runStatement(DBManagerThread::deleteItemStatement(entry.url, QString()));
    }
    ++m_nextEntry;
    m_context->showLoading(true, QCoreApplication::translate("DLItemData", "Analyzing...")
                                     + QString::number(m_nextEntry) + QStringLiteral(" / ")
                                     + QString::number(m_chosenEntries.size()));
    m_entryLock.unlock();
}
