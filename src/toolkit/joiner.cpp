#include "toolkit/joiner.h"

#include "app/folders.h"
#include "external/toolargs.h"
#include "platform/platform.h"
#include "toolkit/backgroundcopy.h"
#include "toolkit/toolhost.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace
{
// How long a stop waits for the copying to give up.
const int kStopWaitMs = 400;

// A suffix the converter can name a format by, and the list reader takes as it is.
bool plainSuffix(const QString &suffix)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9]+$"));
    return plain.match(suffix).hasMatch();
}
} // namespace

VideoJionerWidget::VideoJionerWidget(QWidget *parent) : ListToolPage(parent, 0), m_copy(new BackgroundCopy(this))
{
    attachJob();
    connectList();
    connect(m_copy, SIGNAL(finished(bool)), this, SLOT(copiesMade_slots(bool)));
    retranslate();
}

VideoJionerWidget::~VideoJionerWidget() = default;

QString VideoJionerWidget::workFolder() const
{
    return m_workFolder ? m_workFolder->path() : QString();
}

void VideoJionerWidget::retranslate()
{
    stepLabel(0)->setText(
        ToolLook::stepText(tr("Step1:"), tr("Click the \"+\" button below to select the file that need to be jion.")));
    stepLabel(1)->setText(
        ToolLook::stepText(tr("Step2:"), tr("Click the \"Start\" button below to start the conversion.")));
    m_startButton->setText(tr("Start"));
}

void VideoJionerWidget::addfileButton_slots()
{
    addFiles();
}

void VideoJionerWidget::startButton_slots()
{
    QReadWriteLock &guard = m_job->startGuard();
    if (!guard.tryLockForWrite())
        return;
    m_attempt = 0;
    m_startButton->setEnabled(false);
    join();
    guard.unlock();
}

QString VideoJionerWidget::copyName(int row) const
{
    // The list names plain copies: the list reader refuses unusual names, and a line
    // break could not be written in the list at all.
    const QString suffix = QFileInfo(m_fileList->pathAt(row)).suffix();
    QString name = QStringLiteral("segment_") + QString::number(row);
    if (plainSuffix(suffix))
        name += QLatin1Char('.') + suffix;
    return name;
}

bool VideoJionerWidget::writeListFile()
{
    m_listText.clear();
    for (int row = 0; row < m_fileList->count(); ++row)
        m_listText += ConverterArgs::joinListLine(copyName(row)).toUtf8() + "\r\n";
    QFile list(workFolder() + QStringLiteral("/join.txt"));
    if (!list.open(QIODevice::WriteOnly) || list.write(m_listText) != m_listText.size() || !list.flush()) {
        qCDebug(lcToolkit).noquote() << "VideoJionerWidget::writeListFile cannot write" << list.fileName();
        return false;
    }
    return true;
}

void VideoJionerWidget::removeWorkFolder()
{
    m_workFolder.reset(); // QTemporaryDir removes the folder with everything in it
}

QString VideoJionerWidget::program() const
{
    const QString source = ffmpegPath();
    if (m_attempt != 0)
        return source;
    // The first try runs a copy in the private tool folder, which no other user can
    // plant; it follows the system's program when that changes.
    const QString folder = toolTempFolder();
    if (folder.isEmpty())
        return source;
    const QString copy = folder + QStringLiteral("/ffmpeg") + Platform::executableSuffix();
    return refreshPrivateCopy(source, copy) ? copy : source;
}

void VideoJionerWidget::join()
{
    QString suffix;
    QString reference;
    bool mixed = false;
    for (int row = 0; row < m_fileList->count(); ++row) {
        const QString path = m_fileList->pathAt(row);
        const QString rowSuffix = QFileInfo(path).suffix().toLower();
        if (row == 0) {
            suffix = rowSuffix;
            reference = path;
        } else if (rowSuffix != suffix) {
            mixed = true;
        }
    }
    // Without a suffix of its own (or with one no format goes by) the output is an mp4.
    if (mixed || !plainSuffix(suffix))
        suffix = QStringLiteral("mp4");
    // Backslashes are part of a name here, not separators.
    const QString folder = QFileInfo(reference).absolutePath() + QLatin1Char('/');
    m_outputPath = ToolJob::freeJoinName(folder, suffix);
    m_totalDuration = 0;
    ToolHost::showBusy(true);
    ToolHost::showBusy(true, tr("Converting..."));

    if (!mixed && m_attempt == 0) {
        // A fresh folder of the joiner's own: the cache may hold the user's files of any name.
        m_workFolder = std::make_unique<QTemporaryDir>(downloadCacheFolder() + QStringLiteral("/join-XXXXXX"));
        if (m_workFolder->isValid()) {
            BackgroundCopy::Pairs pairs;
            for (int row = 0; row < m_fileList->count(); ++row)
                pairs.append({m_fileList->pathAt(row), workFolder() + QLatin1Char('/') + copyName(row)});
            m_copy->start(pairs);
            return; // copiesMade_slots goes on
        }
        qCDebug(lcToolkit).noquote() << "VideoJionerWidget::join cannot make a folder in" << downloadCacheFolder();
        removeWorkFolder();
        m_attempt = 1;
    }
    QStringList inputs;
    for (int row = 0; row < m_fileList->count(); ++row)
        inputs << m_fileList->pathAt(row);
    startConverter(ConverterArgs::joinByFilter(inputs, m_outputPath));
}

void VideoJionerWidget::copiesMade_slots(bool ok)
{
    if (ok && writeListFile()) {
        startConverter(ConverterArgs::joinByList(workFolder() + QStringLiteral("/join.txt"), m_outputPath));
        return;
    }
    // Without whole copies the list cannot work: straight to the filter.
    removeWorkFolder();
    m_attempt = 1;
    join();
}

void VideoJionerWidget::startConverter(const QStringList &arguments)
{
    m_job->start(program(), arguments, m_outputPath);
}

void VideoJionerWidget::fileListTreeWidgetClicked_slots(QTreeWidgetItem *, int) {}

void VideoJionerWidget::ffmpegProcess_StandardOutput_slots()
{
    const QString text = m_job->readOutput();
    if (text.isEmpty())
        return;
    // Every input reports its own length; the join is measured against their sum.
    m_totalDuration += ToolJob::totalDurationIn(text);
    const int progress = ToolJob::progressIn(text, m_totalDuration);
    if (progress >= 0)
        ToolHost::showBusy(true, tr("Converting...") + ToolJob::percentText(progress));
}

void VideoJionerWidget::ffmpegProcess_Finished(int)
{
    if (!m_job->acceptFinish())
        return;
    removeWorkFolder();
    const bool done = ToolJob::keepOutput(m_outputPath);
    if (!done && m_attempt == 0) {
        // The retry keeps the overlay up and Start disabled: it is still the same job.
        m_attempt = 1;
        join();
        return;
    }
    ToolHost::showBusy(false);
    m_startButton->setEnabled(true);
    m_job->showMessage(done ? tr("Conversion completed.") : tr("Conversion failed."), tr("OK"));
}

void VideoJionerWidget::stopAndClear()
{
    m_job->startGuard().lockForWrite();
    m_copy->cancel(kStopWaitMs);
    m_job->stop();
    removeWorkFolder();
    m_fileList->clear();
    m_startButton->setEnabled(false);
    m_job->startGuard().unlock();
}
