#include "toolkit/rotator.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "external/toolargs.h"
#include "toolkit/toolhost.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>

namespace
{
const char *const kAngles[3] = {"90", "180", "270"};
} // namespace

VideoRotateWidget::VideoRotateWidget(QWidget *parent)
    : QWidget(parent), m_job(new ToolJobRunner(this)), m_step1Label(new QLabel(this)), m_step2Label(new QLabel(this)),
      m_step3Label(new QLabel(this)), m_addButton(new MyTempButton2(this)), m_fileList(new ToolFileList(this)),
      m_startButton(new MyTempButton2(this))
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    for (QLabel *label : {m_step1Label, m_step2Label, m_step3Label})
        ToolLook::styleStepLabel(label);
    ToolLook::styleAddButton(m_addButton);
    ToolLook::styleStartButton(m_startButton);
    for (int i = 0; i < 3; ++i) {
        m_angleButtons[i] = new MyPushButton(this);
        ToolLook::styleChoiceButton(m_angleButtons[i]);
        m_angleButtons[i]->setText(QString::fromLatin1(kAngles[i]));
    }
    connect(m_angleButtons[0], SIGNAL(clicked()), this, SLOT(R090Button_slots()));
    connect(m_angleButtons[1], SIGNAL(clicked()), this, SLOT(R180Button_slots()));
    connect(m_angleButtons[2], SIGNAL(clicked()), this, SLOT(R270Button_slots()));
    connect(m_addButton, SIGNAL(clicked()), this, SLOT(addfileButton_slots()));
    connect(m_startButton, SIGNAL(clicked()), this, SLOT(startButton_slots()));
    connect(m_fileList, SIGNAL(itemClicked(QTreeWidgetItem *, int)), this,
            SLOT(fileListTreeWidgetClicked_slots(QTreeWidgetItem *, int)));
    chooseAngle(0);
    m_startButton->setEnabled(false);
    retranslate();
}

MyPushButton *VideoRotateWidget::angleButton(int index) const
{
    return index >= 0 && index < 3 ? m_angleButtons[index] : nullptr;
}

QString VideoRotateWidget::angleText() const
{
    if (m_angleIndex < 0 || m_angleIndex > 2)
        return QStringLiteral("90");
    return QString::fromLatin1(kAngles[m_angleIndex]);
}

void VideoRotateWidget::retranslate()
{
    m_step1Label->setText(ToolLook::stepText(
        tr("Step1:"), tr("Click the \"+\" button below to select the file that need to be rotate.")));
    m_step2Label->setText(ToolLook::stepText(tr("Step2:"), tr("Select the angle of rotation.")));
    m_step3Label->setText(
        ToolLook::stepText(tr("Step3:"), tr("Click the \"Start\" button below to start the conversion.")));
    m_addButton->setText(tr("+"));
    m_startButton->setText(tr("Start"));
}

void VideoRotateWidget::showTool()
{
    show();
    raise();
    setFocusPolicy(Qt::WheelFocus);
    setFocus();
}

void VideoRotateWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}

void VideoRotateWidget::layoutPage()
{
    const int left = scaled(40);
    const int w = width() - 2 * left;
    m_step1Label->setGeometry(left, scaled(20), w, scaled(24));
    m_addButton->setGeometry(left, scaled(52), scaled(80), scaled(30));
    m_fileList->setGeometry(left, scaled(92), w, scaled(296));
    m_step2Label->setGeometry(left, scaled(402), w, scaled(24));
    for (int i = 0; i < 3; ++i)
        m_angleButtons[i]->setGeometry(left + i * scaled(106), scaled(432), scaled(90), scaled(32));
    m_step3Label->setGeometry(left, scaled(480), w, scaled(24));
    m_startButton->setGeometry(left, scaled(512), scaled(160), scaled(40));
}

void VideoRotateWidget::chooseAngle(int index)
{
    m_angleIndex = index;
    for (int i = 0; i < 3; ++i)
        m_angleButtons[i]->setEnabled(i != index);
}

void VideoRotateWidget::R090Button_slots()
{
    chooseAngle(0);
}

void VideoRotateWidget::R180Button_slots()
{
    chooseAngle(1);
}

void VideoRotateWidget::R270Button_slots()
{
    chooseAngle(2);
}

void VideoRotateWidget::addfileButton_slots()
{
    const QStringList chosen =
        ToolJob::pickFiles(this, true, tr("Select files to the conversion"), ToolJob::mediaFilter());
    if (chosen.isEmpty())
        return;
    for (const QString &path : chosen)
        if (QFileInfo::exists(path))
            m_fileList->addFile(path);
    m_startButton->setEnabled(false);
    // A running job picks the new rows up itself; Start waits for its end.
    if (m_fileList->count() > 0 && m_currentIndex == -1)
        m_startButton->setEnabled(true);
}

void VideoRotateWidget::startButton_slots()
{
    QReadWriteLock &guard = m_job->startGuard();
    if (!guard.tryLockForWrite())
        return;
    m_startButton->setEnabled(false);
    if (m_currentIndex == -1) {
        m_fileList->setAllStatuses(tr("Ready"));
        m_currentIndex = 0;
    }
    m_job->setDuration(0);
    if (m_currentIndex >= m_fileList->count()) {
        m_currentIndex = -1;
        ToolHost::showBusy(false);
        m_startButton->setEnabled(true);
        guard.unlock();
        m_job->showMessage(tr("Conversion completed."), tr("OK"));
        return;
    }
    m_fileList->setStatus(m_currentIndex, tr("Converting"));
    const QString input = m_fileList->pathAt(m_currentIndex);
    const QString angle = angleText();
    const QString output = ToolJob::freeOutputName(ToolJob::outputBase(input), QStringLiteral("_Rotate") + angle,
                                                   QFileInfo(input).suffix());
    m_job->setOutputPath(output);
    m_job->start(ffmpegPath(), ConverterArgs::rotate(input, angle.toInt(), output));
    ToolHost::showBusy(true);
    ToolHost::showBusy(true, tr("Converting..."));
    guard.unlock();
}

void VideoRotateWidget::fileListTreeWidgetClicked_slots(QTreeWidgetItem *, int) {}

void VideoRotateWidget::ffmpegProcess_StandardOutput_slots()
{
    const int progress = m_job->readProgress(m_job->readOutput());
    if (progress >= 0)
        ToolHost::showBusy(true, tr("Converting...") + ToolJob::percentText(progress));
}

void VideoRotateWidget::ffmpegProcess_Finished(int)
{
    if (!m_job->acceptFinish())
        return;
    const bool done = ToolJob::keepOutput(m_job->outputPath(), true);
    m_fileList->setStatus(m_currentIndex, done ? tr("Converted") : tr("Failed"));
    ++m_currentIndex;
    startButton_slots();
}

void VideoRotateWidget::stopAndClear()
{
    m_job->startGuard().lockForWrite();
    m_fileList->clear();
    m_currentIndex = -1;
    m_job->stop();
    m_startButton->setEnabled(false);
    m_job->startGuard().unlock();
}

void VideoRotateWidget::keyPressEvent(QKeyEvent *event)
{
    QWidget::keyPressEvent(event);
    if (!isVisible() || !m_startButton->isEnabled())
        return;
    if (m_fileList->handleListKey(event, m_startButton))
        event->accept();
}
