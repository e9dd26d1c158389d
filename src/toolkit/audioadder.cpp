#include "toolkit/audioadder.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "external/toolargs.h"
#include "toolkit/toolhost.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"

#include <QLabel>

VideoAddAudioWidget::VideoAddAudioWidget(QWidget *parent)
    : ToolPage(parent, 3), m_addVideoButton(new MyTempButton2(this)), m_videoLabel(new QLabel(this)),
      m_addAudioButton(new MyTempButton2(this)), m_audioLabel(new QLabel(this))
{
    attachJob();
    ToolLook::styleAddButton(m_addVideoButton);
    ToolLook::styleAddButton(m_addAudioButton);
    ToolLook::stylePathLabel(m_videoLabel);
    ToolLook::stylePathLabel(m_audioLabel);
    m_addVideoButton->setText(QStringLiteral("+"));
    m_addAudioButton->setText(QStringLiteral("+"));
    connect(m_addVideoButton, SIGNAL(clicked()), this, SLOT(addfileButton_slots()));
    connect(m_addAudioButton, SIGNAL(clicked()), this, SLOT(addaudioButton_slots()));
    connect(m_startButton, SIGNAL(clicked()), this, SLOT(startButton_slots()));
    m_startButton->setEnabled(false);
    retranslate();
}

void VideoAddAudioWidget::retranslate()
{
    stepLabel(0)->setText(ToolLook::stepText(
        tr("Step1:"), tr("Click the \"+\" button below to select the video file that need to add audio.")));
    stepLabel(1)->setText(
        ToolLook::stepText(tr("Step2:"), tr("Click the \"+\" button below to select the audio file.")));
    stepLabel(2)->setText(
        ToolLook::stepText(tr("Step3:"), tr("Click the \"Start\" button below to start the conversion.")));
    m_startButton->setText(tr("Start"));
}

void VideoAddAudioWidget::layoutPage()
{
    const int left = scaled(40);
    const int w = width() - 2 * left;
    stepLabel(0)->setGeometry(left, scaled(20), w, scaled(24));
    m_addVideoButton->setGeometry(left, scaled(52), scaled(80), scaled(30));
    m_videoLabel->setGeometry(left + scaled(96), scaled(52), w - scaled(96), scaled(30));
    stepLabel(1)->setGeometry(left, scaled(112), w, scaled(24));
    m_addAudioButton->setGeometry(left, scaled(144), scaled(80), scaled(30));
    m_audioLabel->setGeometry(left + scaled(96), scaled(144), w - scaled(96), scaled(30));
    stepLabel(2)->setGeometry(left, scaled(204), w, scaled(24));
    m_startButton->setGeometry(left, scaled(236), scaled(160), scaled(40));
}

void VideoAddAudioWidget::updateStartButton()
{
    m_startButton->setEnabled(!m_videoPath.isEmpty() && !m_audioPath.isEmpty() && !m_job->isRunning());
}

void VideoAddAudioWidget::addfileButton_slots()
{
    const QStringList chosen = ToolJob::pickFiles(this, false, tr("Open File"),
                                                  QStringLiteral("Media (*.mp4 *.mpeg *.mpg *.asf *.avi *.mkv *.mov)"));
    if (chosen.isEmpty())
        return;
    m_videoPath = chosen.first();
    m_videoLabel->setText(m_videoPath);
    updateStartButton();
}

void VideoAddAudioWidget::addaudioButton_slots()
{
    const QStringList chosen =
        ToolJob::pickFiles(this, false, tr("Open File"), QStringLiteral("Media (*.mp3 *.aac *.m4a)"));
    if (chosen.isEmpty())
        return;
    m_audioPath = chosen.first();
    m_audioLabel->setText(m_audioPath);
    updateStartButton();
}

void VideoAddAudioWidget::startButton_slots()
{
    QReadWriteLock &guard = m_job->startGuard();
    if (!guard.tryLockForWrite())
        return;
    if (m_videoPath.isEmpty() || m_audioPath.isEmpty() || m_job->isRunning()) {
        guard.unlock();
        return;
    }
    m_startButton->setEnabled(false);
    const QString output = ToolJob::freeSiblingName(m_videoPath, QStringLiteral("_audio"));
    m_job->setDuration(0);
    m_job->start(ffmpegPath(), ConverterArgs::addAudio(m_videoPath, m_audioPath, output), output);
    guard.unlock();
    ToolHost::showBusy(true);
    ToolHost::showBusy(true, tr("Loading..."));
}

void VideoAddAudioWidget::ffmpegProcess_StandardOutput_slots()
{
    showProgress();
}

void VideoAddAudioWidget::ffmpegProcess_Finished(int)
{
    if (!m_job->acceptFinish())
        return;
    ToolHost::showBusy(false);
    updateStartButton();
    const bool done = ToolJob::keepOutput(m_job->outputPath());
    m_job->showMessage(done ? tr("Adding audio completed.") : tr("Adding audio failed."), tr("OK"));
}

void VideoAddAudioWidget::stopAndClear()
{
    m_job->startGuard().lockForWrite();
    m_job->stop();
    m_videoPath.clear();
    m_audioPath.clear();
    m_videoLabel->clear();
    m_audioLabel->clear();
    m_startButton->setEnabled(false);
    m_job->startGuard().unlock();
}
