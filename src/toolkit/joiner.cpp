#include "toolkit/joiner.h"

#include "app/folders.h"
#include "external/toolargs.h"
#include "platform/platform.h"
#include "toolkit/toolhost.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

VideoJionerWidget::VideoJionerWidget(QWidget *parent) : ListToolPage(parent, 0)
{
    attachJob();
    connectList();
    retranslate();
}

QString VideoJionerWidget::listFilePath()
{
    return downloadCacheFolder() + QStringLiteral("/join.txt");
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

QString VideoJionerWidget::segmentName(int row) const
{
    return QStringLiteral("segment_") + QString::number(row) + QLatin1Char('.')
           + QFileInfo(m_fileList->pathAt(row)).suffix();
}

bool VideoJionerWidget::writeListFile()
{
    const QString cache = downloadCacheFolder();
    QFile::remove(listFilePath());
    QFile list(listFilePath());
    if (!list.open(QIODevice::WriteOnly)) {
        qCDebug(lcToolkit).noquote() << "VideoJionerWidget::writeListFile cannot write" << list.fileName();
        return false;
    }
    // The list names plain copies beside it: the concat reader refuses unusual names.
    for (int row = 0; row < m_fileList->count(); ++row) {
        const QString name = segmentName(row);
        QFile::remove(cache + QLatin1Char('/') + name);
        QFile::copy(m_fileList->pathAt(row), cache + QLatin1Char('/') + name);
        list.write(ConverterArgs::joinListLine(name).toUtf8() + "\r\n");
    }
    list.flush();
    list.close();
    return true;
}

void VideoJionerWidget::removeSegmentCopies()
{
    const QString cache = downloadCacheFolder();
    for (int row = 0; row < m_fileList->count(); ++row)
        QFile::remove(cache + QLatin1Char('/') + segmentName(row));
}

QString VideoJionerWidget::program() const
{
    const QString source = ffmpegPath();
    if (m_attempt != 0)
        return source;
    // The first try runs a copy in the private tool folder, which no other user can plant.
    const QString folder = toolTempFolder();
    if (folder.isEmpty())
        return source;
    const QString copy = folder + QStringLiteral("/ffmpeg") + Platform::executableSuffix();
    if (!QFile::exists(copy))
        QFile::copy(source, copy);
    if (!Platform::isOwnedByCurrentUser(copy))
        return source;
    return copy;
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
    if (mixed)
        suffix = QStringLiteral("mp4");
    QString folder = QFileInfo(reference).absolutePath() + QLatin1Char('/');
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    m_outputPath = ToolJob::freeJoinName(folder, suffix);

    QStringList arguments;
    if (!mixed && m_attempt == 0) {
        if (!writeListFile())
            return;
        arguments = ConverterArgs::joinByList(listFilePath(), m_outputPath);
    } else {
        QStringList inputs;
        for (int row = 0; row < m_fileList->count(); ++row)
            inputs << m_fileList->pathAt(row);
        arguments = ConverterArgs::joinByFilter(inputs, m_outputPath);
    }
    m_totalDuration = 0;
    m_job->setOutputPath(m_outputPath);
    m_job->start(program(), arguments);
    ToolHost::showBusy(true);
    ToolHost::showBusy(true, tr("Converting..."));
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
    if (m_attempt == 0)
        removeSegmentCopies();
    const bool done = !m_outputPath.isEmpty() && ToolJob::keepOutput(m_outputPath, true);
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
    m_job->stop();
    if (m_attempt == 0)
        removeSegmentCopies();
    m_fileList->clear();
    m_startButton->setEnabled(false);
    m_job->startGuard().unlock();
}
