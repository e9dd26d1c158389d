#include "engine/downloaddriver.h"

#include "app/folders.h"
#include "app/paths.h"
#include "app/settings.h"
#include "engine/proxy.h"
#include "engine/subtitles.h"
#include "engine/workfolder.h"
#include "external/mydecoder.h"
#include "external/toolargs.h"
#include "platform/childprocess.h"
#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QtDebug>

namespace
{
QString g_rateLimitText;

QString downloaderName()
{
    return QStringLiteral("youtubedl") + Platform::executableSuffix();
}

// The folder's plain files, smallest first, as the work folder is read everywhere.
QFileInfoList filesBySize(const QString &folder)
{
    return QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Size | QDir::Reversed);
}

QString suffixAfterLastDot(const QString &path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : path.mid(dot + 1);
}

// Moves a file, also across file systems; never over an existing file. The target's
// folder is made again when it went missing (the user deleted the download folder).
bool moveFile(const QString &from, const QString &to)
{
    if (QFile::exists(to) || !QDir().mkpath(QFileInfo(to).absolutePath()))
        return false;
    if (QFile::rename(from, to))
        return true;
    if (!QFile::copy(from, to))
        return false;
    QFile::remove(from);
    return true;
}
} // namespace

QString rateLimitText()
{
    return g_rateLimitText;
}

void setRateLimitText(const QString &text)
{
    g_rateLimitText = text;
}

YoutobeDownloadObj::YoutobeDownloadObj(QObject *parent) : QObject(parent) {}

YoutobeDownloadObj::~YoutobeDownloadObj()
{
    ++m_generation;
    for (ChildProcess *p : {m_downloadProcess.data(), m_convertProcess.data()})
        if (p)
            p->stopGroup(kStopGraceMs);
}

QString YoutobeDownloadObj::downloaderProgram()
{
    const QString source = AppPaths::adapterProgram();
    const QString folder = toolTempFolder();
    if (folder.isEmpty())
        return source;
    // ffmpeg and ffprobe go beside the copy, where the downloader looks for them. Each copy
    // follows its source, so an upgraded program or ffmpeg is what runs.
    for (const QString &tool : {QStringLiteral("ffmpeg"), QStringLiteral("ffprobe")}) {
        const QString name = tool + Platform::executableSuffix();
        refreshPrivateCopy(AppPaths::mediaTool(tool), folder + QLatin1Char('/') + name);
    }
    const QString copy = folder + QLatin1Char('/') + downloaderName();
    if (refreshPrivateCopy(source, copy))
        return copy;
    // Without a source the last copy still serves; one that someone else put there never runs.
    return QFileInfo(copy).isFile() && Platform::isOwnedByCurrentUser(copy) ? copy : QString();
}

QString YoutobeDownloadObj::cacheFolder() const
{
    return downloadCacheFolder();
}

std::unique_ptr<ItemStateFile> YoutobeDownloadObj::stateFile() const
{
    return std::make_unique<ItemStateFile>(m_workFolder);
}

QString YoutobeDownloadObj::tempVideoBase() const
{
    return WorkFolder::tempName(m_url, m_formatId, QString());
}

void YoutobeDownloadObj::later(int ms, std::function<void()> step)
{
    const quint64 generation = m_generation;
    QTimer::singleShot(ms, this, [this, generation, step = std::move(step)]() {
        if (m_stopped || generation != m_generation)
            return;
        step();
    });
}

QString YoutobeDownloadObj::proxyFor(bool allowSystemProxy)
{
    const QString configured = proxyString();
    if (!configured.isEmpty())
        return configured;
    // Analysis jobs try the desktop's proxy from the third attempt on: http, then socks5.
    if (allowSystemProxy && m_retryCount <= 3) {
        autoReadIEProxyConfig();
        const QString detected = systemProxyString();
        if (detected.size() > 9) {
            if (detected.contains(QLatin1String("://")))
                m_autoProxy = detected;
            else
                m_autoProxy = (m_retryCount <= 2 ? QStringLiteral("socks5://") : QStringLiteral("http://")) + detected;
            return m_autoProxy;
        }
    }
    return QString();
}

void YoutobeDownloadObj::retireProcess()
{
    dropProcess(m_downloadProcess);
    m_stdoutLines.flush();
    m_stderrLines.flush();
}

// Stops and lets go of a job's process; a late end of it must never count.
void YoutobeDownloadObj::dropProcess(QPointer<ChildProcess> &process)
{
    if (!process)
        return;
    process->disconnect(this);
    process->stopGroup(kStopGraceMs);
    process->deleteLater();
    process = nullptr;
}

ChildProcess *YoutobeDownloadObj::spawn(void (YoutobeDownloadObj::*onOutput)(), void (YoutobeDownloadObj::*onEnd)(int),
                                        bool downloader)
{
    const quint64 generation = m_generation;
    // The downloader starts yt-dlp, which may start ffmpeg: all of it is stopped as one group.
    auto *process = new ChildProcess(this, downloader ? ChildProcess::Group::Own : ChildProcess::Group::Shared);
    if (!downloader)
        process->setProcessChannelMode(QProcess::MergedChannels);
    auto output = [this, generation, onOutput]() {
        if (generation == m_generation)
            (this->*onOutput)();
    };
    connect(process, &QProcess::readyReadStandardOutput, this, output);
    connect(process, &QProcess::readyReadStandardError, this, output);
    connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            [this, generation, onEnd](int code, QProcess::ExitStatus) {
                if (generation == m_generation)
                    (this->*onEnd)(code);
            });
    // A program that cannot be started never finishes: count it as a run that left nothing.
    connect(process, &QProcess::errorOccurred, this, [this, generation, onEnd](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        QTimer::singleShot(0, this, [this, generation, onEnd]() {
            if (generation == m_generation)
                (this->*onEnd)(-1);
        });
    });
    return process;
}

void YoutobeDownloadObj::runDownloader(const QStringList &args)
{
    retireProcess();
    ++m_generation;
    ChildProcess *process =
        spawn(&YoutobeDownloadObj::downLoadThread_StandardOutput, &YoutobeDownloadObj::downLoadThread_Finished, true);
    m_downloadProcess = process;
    const QString program = downloaderProgram();
    qDebug() << "runDownloader" << program << args;
    process->start(program.isEmpty() ? QStringLiteral("/nonexistent/youtubedl") : program, args, QIODevice::ReadWrite);
}

void YoutobeDownloadObj::finishAtOnce()
{
    retireProcess();
    ++m_generation;
    downLoadThread_Finished(0);
}

// --- analysis -------------------------------------------------------------------------

void YoutobeDownloadObj::getInfo(const QString &url)
{
    m_failureReason = FailureReason::Unknown;
    m_failureCause = PermanentCause::None;
    m_url = url;
    m_infoReady = true;
    m_retryCount = kAttempts;
    m_convertExt.clear();
    m_subtitleLang.clear();
    m_subtitleLangs.clear();
    m_autoProxy.clear();
    m_channelNoTitle = false;
    if (isChannelUrl(url))
        startListingJob();
    else
        startInfoJob();
}

void YoutobeDownloadObj::startInfoJob()
{
    m_subtitleOnlyDone = false;
    m_flags.formatUnavailable = false;
    m_listOutput.clear();
    m_autoProxy.clear();
    m_jobType = GetInfo;
    m_workFolder = WorkFolder::make(cacheFolder(), m_url);
    const QStringList args = DownloaderArgs::info(proxyFor(true), m_workFolder, m_url);
    m_media = nullptr;
    m_stopped = false;
    if (stateFile()->isInfoCached())
        finishAtOnce();
    else
        runDownloader(args);
}

void YoutobeDownloadObj::infoFailed()
{
    --m_retryCount;
    if (attemptsAreFutile())
        m_retryCount = 0;
    if (m_retryCount < 1) {
        m_infoReady = false;
        emit getInfoFinished();
        return;
    }
    later(200, [this]() { redownload_slots(); });
}

void YoutobeDownloadObj::takeOverWorkingProxy()
{
    if (m_retryCount < 4 && proxyString().isEmpty() && !m_autoProxy.isEmpty())
        setProxyString(m_autoProxy);
}

void YoutobeDownloadObj::downLoadThread_Finished_Type1()
{
    QString lastJson;
    for (const QFileInfo &fi : filesBySize(m_workFolder))
        if (fi.suffix() == QLatin1String("json"))
            lastJson = fi.filePath();
    if (lastJson.isEmpty()) {
        infoFailed();
        return;
    }
    takeOverWorkingProxy();
    auto state = stateFile();
    // Asked before the date is rewritten, and without deleting the JSON just written.
    const bool wasFresh = state->infoIsFresh();
    state->recordInfoJson(lastJson);
    state->sync();

    m_infoReady = true;
    m_mediaInfo.reset(loadInfoFromFolder(m_workFolder));
    if (!m_mediaInfo || m_mediaInfo->formats().isEmpty()) {
        // A JSON that gives no format is no description: drop it so the next try fetches anew.
        if (m_mediaInfo)
            for (const QFileInfo &fi : filesBySize(m_workFolder))
                if (fi.suffix() == QLatin1String("json"))
                    QFile::remove(fi.filePath());
        m_mediaInfo.reset();
        m_infoReady = false;
        infoFailed();
        return;
    }
    if (wasFresh)
        later(100, [this]() { downloadSubtitlesList_slots(); });
    else
        later(100, [this]() { downloadThumb_slots(); });
}

void YoutobeDownloadObj::downloadThumb_slots()
{
    m_jobType = GetThumbnail;
    m_stopped = false;
    const QString thumb = WorkFolder::thumbnailPath(m_workFolder);
    if (QFile::exists(thumb)) {
        finishAtOnce();
        return;
    }
    m_media = nullptr;
    runDownloader(DownloaderArgs::thumbnail(proxyFor(false), thumb, m_url));
}

void YoutobeDownloadObj::downLoadThread_Finished_Type2()
{
    later(100, [this]() { downloadSubtitlesList_slots(); });
}

void YoutobeDownloadObj::downloadSubtitlesList_slots()
{
    m_jobType = ListSubtitles;
    m_subtitleIsAuto = false;
    m_subtitlesFound = false;
    m_listOutput.clear();
    m_subtitleLangs.clear();
    m_autoCaptionLangs.clear();
    m_channelTitle.clear();
    m_channelNames.clear();
    m_channelUrls.clear();
    m_media = nullptr;
    m_stopped = false;
    m_subtitleListAnswered = false;
    SubtitleLists cached;
    if (stateFile()->isSubtitleListCached(cached)) {
        m_subtitleListAnswered = true;
        m_subtitleLangs = cached.subtitles;
        m_autoCaptionLangs = cached.autoCaptions;
        // Either list counts: automatic captions alone are the common case.
        m_subtitlesFound = !m_subtitleLangs.isEmpty() || !m_autoCaptionLangs.isEmpty();
        finishAtOnce();
        return;
    }
    runDownloader(DownloaderArgs::listSubtitles(proxyFor(false), m_url));
}

void YoutobeDownloadObj::downLoadThread_Finished_Type4()
{
    if (!m_subtitlesFound || !m_listOutput.isEmpty()) {
        SubtitleListParse parse;
        parse.inAutomaticSection = m_subtitleIsAuto;
        parseSubtitleList(m_listOutput, parse);
        m_listOutput.clear();
        m_subtitleIsAuto = parse.inAutomaticSection;
        m_subtitleListAnswered = m_subtitleListAnswered || parse.answered();
        if (parse.found) {
            m_subtitlesFound = true;
            m_subtitleLangs = parse.subtitles;
            m_autoCaptionLangs = parse.autoCaptions;
        }
    }
    // A listing that names no language it knows is still an answer: kept, not asked again.
    if (!m_subtitlesFound && !m_subtitleListAnswered) {
        --m_retryCount;
        if (m_retryCount > 0)
            later(200, [this]() { redownload_slots(); });
        else
            emit getInfoFinished();
        return;
    }
    auto state = stateFile();
    state->storeSubtitleLists({m_subtitleLangs, m_autoCaptionLangs});
    state->sync();
    emit getInfoFinished();
}

void YoutobeDownloadObj::startListingJob()
{
    m_workFolder = WorkFolder::make(cacheFolder(), m_url);
    const QStringList args = DownloaderArgs::channelListing(proxyFor(true), m_url);
    m_jobType = ListChannel;
    m_media = nullptr;
    m_channelNoTitle = false;
    m_stopped = false;
    m_channelOutput.clear();
    ChannelListing cached;
    if (stateFile()->isChannelListCached(cached)) {
        m_channelTitle = cached.title;
        m_channelNames = cached.names;
        m_channelUrls = cached.urls;
        m_channelNoTitle = cached.noTitle;
        finishAtOnce();
        return;
    }
    runDownloader(args);
}

void YoutobeDownloadObj::downLoadThread_Finished_Type6()
{
    ChannelListing listing{m_channelTitle, m_channelNames, m_channelUrls, m_channelNoTitle};
    parseChannelListing(m_channelOutput, listing);
    m_channelOutput.clear();
    m_channelTitle = listing.title;
    m_channelNames = listing.names;
    m_channelUrls = listing.urls;
    m_channelNoTitle = listing.noTitle;
    if (m_channelNames.isEmpty()) {
        --m_retryCount;
        if (attemptsAreFutile())
            m_retryCount = 0;
        m_infoReady = false;
        if (m_retryCount > 0)
            later(200, [this]() { redownload_slots(); });
        else
            emit getChannelListFinished();
        return;
    }
    m_infoReady = true;
    takeOverWorkingProxy();
    auto state = stateFile();
    state->storeChannelListing(listing);
    state->sync();
    emit getChannelListFinished();
}

// --- downloads ------------------------------------------------------------------------

void YoutobeDownloadObj::startDownload(MediaInfo *media)
{
    m_failureReason = FailureReason::Unknown;
    m_failureCause = PermanentCause::None;
    startDownloadAttempt(media, false);
}

void YoutobeDownloadObj::startDownloadAttempt(MediaInfo *media, bool retry)
{
    if (!media) {
        emit downloadFinished(nullptr);
        return;
    }
    m_flags.reached100 = false;
    m_subtitleOnlyDone = false;
    m_resumed = false;
    m_totalBytes = 0;

    // Another format first when the last one could not be had, so the paths follow it.
    QString format = m_formatId;
    if (m_flags.formatUnavailable) {
        format = media->nextFormatAfterFailure(m_formatId);
        if (!format.isEmpty())
            m_formatId = format;
    } else if (!media->selectedFormat()) {
        media->selectFormatById(m_formatId);
    }
    const MediaFormat *selected = media->selectedFormat();
    media->finalPath = WorkFolder::makeFinalPath(m_outputFolder, *media, QString());
    media->tempPath = cacheFolder() + QLatin1Char('/') + tempVideoBase() + QLatin1Char('.')
                      + (selected ? selected->ext : QStringLiteral("mp4"));

    QStringList subtitleArgs;
    if (m_subtitleEnabled) {
        m_subtitleLang = mapChineseCode(m_subtitleLang, m_subtitleLangs, m_autoCaptionLangs);
        subtitleArgs = subtitleArgsFor(m_subtitleLang, m_subtitleLangs, m_autoCaptionLangs);
    }
    const QStringList args =
        DownloaderArgs::video(proxyFor(false), subtitleArgs, rateLimitText(), format, media->tempPath, m_url);

    // Every fresh start gets the full budget; only retries spend it.
    if (!retry)
        m_retryCount = kAttempts;
    m_jobType = DownloadVideo;
    media->state = MediaInfo::StateDownloading;
    m_media = media;
    m_stopped = false;
    m_flags.formatUnavailable = false;

    auto state = stateFile();
    const QString completed = state->completedFinalPath(media->tempPath);
    if (!completed.isEmpty()) {
        media->finalPath = completed;
        ++m_generation;
        later(1000, [this]() { checkisDLFinished_slots(); });
        return;
    }
    if (QFile::exists(media->tempPath) && state->isTempVideoReady(media->tempPath)) {
        state->sync();
        m_flags.reached100 = true;
        m_resumed = true;
        finishAtOnce();
        return;
    }
    state->sync();
    runDownloader(args);
}

void YoutobeDownloadObj::downloadFailed()
{
    --m_retryCount;
    if (attemptsAreFutile())
        m_retryCount = 0;
    if (m_retryCount > 0) {
        later(200, [this]() { redownload_slots(); });
        return;
    }
    // The partial temporary file stays for a later resume; the final path was never ours.
    MediaInfo *media = m_media;
    media->state = MediaInfo::StateFailed;
    emit downloadFinished(media);
}

// The video part takes the bar's first 90 % only when a separate audio part follows it.
DownloadStage YoutobeDownloadObj::transferStage() const
{
    if (m_jobType == DownloadAudio)
        return DownloadStage::Audio;
    const MediaFormat *f = m_media ? m_media->selectedFormat() : nullptr;
    if (!f || f->acodec.isEmpty() || f->acodec == QLatin1String("none"))
        return DownloadStage::Video;
    if (!m_convertExt.isEmpty() && m_convertExt != suffixAfterLastDot(m_media->tempPath))
        return DownloadStage::BeforeConversion;
    return DownloadStage::WholeFile;
}

void YoutobeDownloadObj::drainOutput()
{
    if (!m_downloadProcess)
        return;
    downLoadThread_StandardOutput();
    const QString rest = m_stderrLines.flush() + m_stdoutLines.flush();
    noteFailureReason(rest);
    if (m_jobType == DownloadVideo || m_jobType == DownloadAudio)
        parseDownloadOutput(rest, m_media, transferStage(), m_flags);
    else if (m_jobType == ListSubtitles)
        m_listOutput += rest;
    else if (m_jobType == ListChannel)
        m_channelOutput += rest;
    else if (m_jobType == GetInfo)
        m_url = parseInfoOutput(rest, m_url);
}

bool YoutobeDownloadObj::outputFolderHasSubtitle() const
{
    const QString base = tempVideoBase();
    for (const QFileInfo &fi : QDir(m_outputFolder).entryInfoList(QDir::Files | QDir::Hidden))
        if (fi.baseName() == base && fi.suffix() == QLatin1String("vtt"))
            return true;
    return false;
}

void YoutobeDownloadObj::startSubtitlesOnlyJob()
{
    m_subtitleOnlyDone = true;
    m_jobType = DownloadVideo;
    m_media->state = MediaInfo::StateDownloading;
    m_stopped = false;
    const QStringList subs = subtitleOnlyArgsFor(m_subtitleLang, m_subtitleLangs, m_autoCaptionLangs);
    runDownloader(DownloaderArgs::subtitlesOnly(proxyFor(false), subs, m_media->tempPath, m_url));
}

// The common start of a transfer's end: without a media or a 100 % line it ends here.
bool YoutobeDownloadObj::transferReached100()
{
    if (!m_media) {
        emit downloadFinished(nullptr);
        return false;
    }
    drainOutput();
    if (!m_flags.reached100) {
        downloadFailed();
        return false;
    }
    return true;
}

void YoutobeDownloadObj::downLoadThread_Finished_Type3()
{
    if (!transferReached100())
        return;
    MediaInfo *media = m_media;
    if (!QFile::exists(media->tempPath)) {
        media->state = MediaInfo::StateFailed;
        emit downloadFinished(media);
        return;
    }
    if (m_subtitleEnabled && !m_subtitleOnlyDone && m_subtitleLangs.isEmpty() && m_autoCaptionLangs.isEmpty()
        && !outputFolderHasSubtitle()) {
        m_subtitleLang = m_subtitleLang == QLatin1String("zh") ? QStringLiteral("zh-Hans") : QStringLiteral("en");
        m_subtitleLangs << m_subtitleLang;
        startSubtitlesOnlyJob();
        return;
    }

    if (const MediaFormat *selected = media->selectedFormat()) {
        const DecoderMediaInfo probe = decoderMediaInfo(media->tempPath);
        if (probe.result == 0) {
            if (media->durationSeconds <= 0)
                media->durationSeconds = probe.durationMicros / 1000000;
            const bool lacksSound = !probe.hasAudio && probe.hasVideo;
            if (lacksSound) {
                if (!m_resumed) {
                    auto state = stateFile();
                    state->confirmTempVideo(media->tempPath);
                    state->sync();
                }
                if (media->chooseAudioFormat(false) && autoSelectAudiotoDownload(media))
                    return;
                finishPlainly();
                return;
            }
        }
        Q_UNUSED(selected);
    }
    const QString ext = suffixAfterLastDot(media->tempPath);
    if (m_convertExt.isEmpty() || m_convertExt == ext) {
        if (MediaFormat *f = media->mutableSelectedFormat())
            f->fileSizeBytes = QFileInfo(media->tempPath).size();
        finishPlainly();
        return;
    }
    convertVideoAndAudio(media);
}

void YoutobeDownloadObj::finishPlainly()
{
    MediaInfo *media = m_media;
    settleFinalPath(QString());
    if (!moveFile(media->tempPath, media->finalPath)) {
        // An unwritable or full output folder: the file stays in the cache for a retry.
        media->state = MediaInfo::StateFailed;
        emit downloadFinished(media);
        return;
    }
    moveSubtitles();
    media->state = MediaInfo::StateFinished;
    media->progress = 10000;
    auto state = stateFile();
    state->recordCompleted(media->tempPath, media->finalPath);
    state->sync();
    emit downloadFinished(media);
}

bool YoutobeDownloadObj::autoSelectAudiotoDownload(MediaInfo *media)
{
    return startAudioAttempt(media, false);
}

bool YoutobeDownloadObj::startAudioAttempt(MediaInfo *media, bool retry)
{
    qDebug() << "autoSelectAudiotoDownload 0";
    if (!media)
        return false;
    m_totalBytes = 0;
    const MediaFormat *audio = m_flags.formatUnavailable ? media->chooseAudioFormat(true) : media->currentAudioFormat();
    qDebug() << "autoSelectAudiotoDownload 2";
    if (!audio)
        return false;
    m_audioTempPath = cacheFolder() + QLatin1Char('/')
                      + WorkFolder::tempName(m_url, m_formatId, QStringLiteral("audio")) + QLatin1Char('.')
                      + audio->ext;
    qDebug() << "autoSelectAudiotoDownload audioname:" << m_audioTempPath;
    qDebug() << "autoSelectAudiotoDownload audio formatid:" << audio->id;
    const QStringList args = DownloaderArgs::audio(proxyFor(false), audio->id, m_audioTempPath, m_url);
    if (!retry)
        m_retryCount = kAttempts;
    m_jobType = DownloadAudio;
    m_media = media;
    m_stopped = false;
    m_flags.formatUnavailable = false;
    m_resumed = false;
    m_flags.reached100 = false;
    auto state = stateFile();
    const bool ready = QFile::exists(m_audioTempPath) && state->isTempAudioReady(m_audioTempPath);
    state->sync();
    qDebug() << "autoSelectAudiotoDownload 10";
    if (ready) {
        m_flags.reached100 = true;
        m_resumed = true;
        finishAtOnce();
    } else {
        QFile::remove(m_audioTempPath);
        runDownloader(args);
    }
    return true;
}

void YoutobeDownloadObj::downLoadThread_Finished_Type5()
{
    if (!transferReached100())
        return;
    MediaInfo *media = m_media;
    if (QFile::exists(m_audioTempPath)) {
        if (!m_resumed) {
            auto state = stateFile();
            state->confirmTempAudio(m_audioTempPath);
            state->sync();
        }
        convertVideoAndAudio(media);
        return;
    }
    media->progress = 10000;
    media->state = MediaInfo::StateFailed;
    emit downloadFinished(media);
}

void YoutobeDownloadObj::checkisDLFinished_slots()
{
    MediaInfo *media = m_media;
    if (!media)
        return;
    media->state = MediaInfo::StateFinished;
    media->progress = 10000;
    emit downloadFinished(media);
}

// --- job ends and output --------------------------------------------------------------

void YoutobeDownloadObj::downLoadThread_Finished(int exitCode)
{
    Q_UNUSED(exitCode); // outcomes are judged by what the job left, never by its exit code
    if (m_stopped)
        return;
    switch (m_jobType) {
    case GetInfo:
        drainOutput();
        downLoadThread_Finished_Type1();
        break;
    case GetThumbnail:
        drainOutput();
        downLoadThread_Finished_Type2();
        break;
    case DownloadVideo:
        downLoadThread_Finished_Type3();
        break;
    case ListSubtitles:
        drainOutput();
        downLoadThread_Finished_Type4();
        break;
    case DownloadAudio:
        downLoadThread_Finished_Type5();
        break;
    case ListChannel:
        drainOutput();
        downLoadThread_Finished_Type6();
        break;
    case NoJob:
        break;
    }
}

void YoutobeDownloadObj::downLoadThread_StandardOutput()
{
    if (m_stopped || !m_downloadProcess)
        return;
    const QString err = m_stderrLines.feed(m_downloadProcess->readAllStandardError());
    const QString out = m_stdoutLines.feed(m_downloadProcess->readAllStandardOutput());
    if (!err.isEmpty())
        qDebug().noquote() << err.trimmed();
    noteFailureReason(err);
    noteFailureReason(out);
    switch (m_jobType) {
    case ListChannel:
        m_channelOutput += out;
        break;
    case ListSubtitles:
        m_listOutput += out;
        break;
    case DownloadVideo:
    case DownloadAudio: {
        const DownloadStage stage = transferStage();
        if (err.size() > 4)
            parseDownloadOutput(err, m_media, stage, m_flags);
        parseDownloadOutput(out, m_media, stage, m_flags);
        break;
    }
    case GetInfo:
        if (err.size() > 4)
            m_url = parseInfoOutput(err, m_url);
        m_url = parseInfoOutput(out, m_url);
        break;
    case GetThumbnail:
    case NoJob:
        break;
    }
}

void YoutobeDownloadObj::noteFailureReason(const QString &text)
{
    if (!text.contains(QLatin1String("ERROR")) && !text.contains(QLatin1String("rror")) // "Got error", "HTTP error"
        && !text.contains(QLatin1String("No space left")))
        return;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const FailureClass failure = classifyFailureLine(line);
        if (failure.reason != FailureReason::Unknown) {
            m_failureReason = failure.reason;
            m_failureCause = failure.cause;
        }
    }
}

bool YoutobeDownloadObj::attemptsAreFutile() const
{
    switch (m_failureReason) {
    case FailureReason::Permanent:
    case FailureReason::RateLimited:
    case FailureReason::DiskFull:
    case FailureReason::OutdatedDownloader:
        return true;
    case FailureReason::Transient:
    case FailureReason::Unknown:
        break;
    }
    return false;
}

void YoutobeDownloadObj::redownload_slots()
{
    qDebug() << "...try_download =" << m_retryCount << "...";
    switch (m_jobType) {
    case GetInfo:
        startInfoJob();
        break;
    case GetThumbnail:
        downloadThumb_slots();
        break;
    case DownloadVideo:
        startDownloadAttempt(m_media, true);
        break;
    case ListSubtitles:
        downloadSubtitlesList_slots();
        break;
    case DownloadAudio:
        if (!startAudioAttempt(m_media, true)) {
            MediaInfo *media = m_media;
            if (media)
                media->state = MediaInfo::StateFailed;
            emit downloadFinished(media);
        }
        break;
    case ListChannel:
        startListingJob();
        break;
    case NoJob:
        break;
    }
}

void YoutobeDownloadObj::stop()
{
    m_stopped = true;
    ++m_generation;
    // Nothing the download started may go on writing: the adapter's whole group ends, and
    // a merge, which a resumed download would start again over the same output, ends too.
    for (ChildProcess *p : {m_downloadProcess.data(), m_convertProcess.data()})
        if (p)
            p->stopGroup(kStopGraceMs);
}

// --- subtitles ------------------------------------------------------------------------

QFileInfoList YoutobeDownloadObj::pendingSubtitles() const
{
    QFileInfoList found;
    const MediaInfo *media = m_media;
    if (!media || !media->selectedFormat())
        return found;
    const QString base = tempVideoBase();
    const QString videoExt = media->selectedFormat()->ext;
    for (const QFileInfo &fi : filesBySize(cacheFolder())) {
        if (fi.baseName() == base && fi.suffix() != videoExt && fi.suffix() != QLatin1String("ytdl")
            && fi.suffix().toLower() == QLatin1String("vtt"))
            found << fi;
    }
    return found;
}

// The final name is settled only when the file is about to go there, and a name whose
// subtitle names are taken counts as taken, so the subtitles always match the file.
void YoutobeDownloadObj::settleFinalPath(const QString &forcedExt)
{
    MediaInfo *media = m_media;
    QStringList companions;
    for (const QFileInfo &fi : pendingSubtitles())
        companions << fi.completeSuffix();
    if (WorkFolder::isNameTaken(media->finalPath, companions))
        media->finalPath = WorkFolder::makeFinalPath(m_outputFolder, *media, forcedExt, companions);
}

void YoutobeDownloadObj::moveSubtitles()
{
    MediaInfo *media = m_media;
    if (!media || !media->selectedFormat())
        return;
    const int dot = media->finalPath.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? media->finalPath + QLatin1Char('.') : media->finalPath.left(dot + 1);
    for (const QFileInfo &fi : pendingSubtitles()) {
        // moveFile never replaces a file: a subtitle of the user's stays as it is.
        const QString target = stem + fi.completeSuffix();
        if (!moveFile(fi.filePath(), target))
            continue;
        const QString srt = target.left(target.size() - 3) + QStringLiteral("srt");
        QFile::remove(srt);
        QProcess converter;
        converter.setProcessChannelMode(QProcess::MergedChannels);
        converter.start(ffmpegPath(), ConverterArgs::subtitleToSrt(target, srt), QIODevice::ReadWrite);
        if (!converter.waitForFinished(1000)) {
            converter.kill();
            converter.waitForFinished(200);
        }
    }
}

// --- merge and conversion -------------------------------------------------------------

void YoutobeDownloadObj::convertVideoAndAudio(MediaInfo *media)
{
    qDebug() << "convertVideoAndAudio 0";
    const QString video = media->tempPath;
    QString audio = m_audioTempPath;
    m_totalBytes = QFileInfo(video).size();
    if (!audio.isEmpty() && QFile::exists(audio)) {
        qDebug() << "convertVideoAndAudio audiofilename:" << audio;
        m_totalBytes += QFileInfo(audio).size();
    } else {
        audio.clear();
    }
    QString ext = suffixAfterLastDot(video);
    const QString stem = video.left(video.size() - ext.size() - 1);
    const bool optimizing = Settings::readSwitch(Settings::Key::OptimizingAudio);
    bool converting = false;
    QString audioCodec;
    if (!m_convertExt.isEmpty() && m_convertExt != ext) {
        converting = true;
        ext = m_convertExt;
        media->finalPath = WorkFolder::makeFinalPath(m_outputFolder, *media, ext);
    } else {
        const QString audioExt = QFileInfo(audio).suffix().toLower();
        if (ext == QLatin1String("mp4") && !audio.isEmpty()
            && (audioExt == QLatin1String("m4a") || audioExt == QLatin1String("aac")))
            audioCodec = optimizing ? QStringLiteral("mp3") : QStringLiteral("copy");
        else if (optimizing && ext != QLatin1String("webm")) // webm holds only Vorbis or Opus
            audioCodec = QStringLiteral("mp3");
    }
    m_convertOutputPath = stem + QStringLiteral("_tmp.") + ext;
    QFile::remove(m_convertOutputPath);

    dropProcess(m_convertProcess);
    ChildProcess *process = spawn(&YoutobeDownloadObj::convertProcess_StandardOutput_slots,
                                  &YoutobeDownloadObj::convertProcess_Finished, false);
    m_convertProcess = process;
    process->start(ffmpegPath(), ConverterArgs::merge(video, audio, converting, audioCodec, m_convertOutputPath),
                   QIODevice::ReadWrite);
}

void YoutobeDownloadObj::convertProcess_StandardOutput_slots()
{
    if (m_stopped || !m_convertProcess)
        return;
    const QString text = QString::fromUtf8(m_convertProcess->readAllStandardOutput());
    noteFailureReason(text); // a full disk shows here first
    parseConvertProgress(text, m_media, m_totalBytes);
}

void YoutobeDownloadObj::convertProcess_Finished(int exitCode)
{
    Q_UNUSED(exitCode);
    if (m_stopped)
        return;
    MediaInfo *media = m_media;
    if (!media) {
        emit downloadFinished(nullptr);
        return;
    }
    bool done = false;
    if (QFile::exists(m_convertOutputPath)) {
        settleFinalPath(suffixAfterLastDot(m_convertOutputPath));
        if (moveFile(m_convertOutputPath, media->finalPath)) {
            moveSubtitles();
            QFile::remove(media->tempPath);
            if (!m_audioTempPath.isEmpty())
                QFile::remove(m_audioTempPath);
            if (MediaFormat *f = media->mutableSelectedFormat())
                f->fileSizeBytes = QFileInfo(media->finalPath).size();
            auto state = stateFile();
            state->recordCompleted(media->tempPath, media->finalPath);
            state->sync();
            done = true;
        }
    }
    media->progress = 10000;
    // A missing output is a failed merge: the inputs stay in the cache for a retry.
    media->state = done ? MediaInfo::StateFinished : MediaInfo::StateFailed;
    emit downloadFinished(media);
}
