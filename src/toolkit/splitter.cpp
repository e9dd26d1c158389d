#include "toolkit/splitter.h"

#include "app/appenv.h"
#include "app/format.h"
#include "external/toolargs.h"
#include "toolkit/toolhost.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <climits>

namespace
{
int clampedInt(qint64 value)
{
    return int(qBound<qint64>(INT_MIN, value, INT_MAX));
}
} // namespace

VideoSpliterWidget::VideoSpliterWidget(QWidget *parent)
    : ProbeToolPage(parent), m_countButton(new MyPushButton(this)), m_countLabel(new QLabel(this)),
      m_countLineEdit(new QLineEdit(this)), m_countInfoLabel(new QLabel(this)), m_timesButton(new MyPushButton(this)),
      m_timesLabel(new QLabel(this)), m_timesLineEdit(new QLineEdit(this)), m_timesInfoLabel(new QLabel(this))
{
    attachJob();
    for (MyPushButton *selector : {m_countButton, m_timesButton}) {
        selector->setPicture(loadPicture(QStringLiteral(":/images/radio.png")));
        for (int state = 0; state < 4; ++state)
            selector->setStateRect(state, Sprites::RadioSelector.part(state));
        selector->setCursor(Qt::PointingHandCursor);
    }
    m_countLineEdit->setObjectName(QStringLiteral("countLineEdit"));
    m_timesLineEdit->setObjectName(QStringLiteral("timesLineEdit"));
    connect(m_addButton, SIGNAL(clicked()), this, SLOT(addfileButton_slots()));
    connect(m_startButton, SIGNAL(clicked()), this, SLOT(startButton_slots()));
    connect(m_countButton, SIGNAL(clicked()), this, SLOT(countButton_slots()));
    connect(m_timesButton, SIGNAL(clicked()), this, SLOT(timesButton_slots()));
    connect(m_countLineEdit, SIGNAL(textChanged(const QString &)), this,
            SLOT(countLineEdit_change_slots(const QString &)));
    connect(m_timesLineEdit, SIGNAL(textChanged(const QString &)), this,
            SLOT(timesLineEdit_change_slots(const QString &)));
    retranslate();
    clearSelection();
}

void VideoSpliterWidget::retranslate()
{
    stepLabel(0)->setText(ToolLook::stepText(
        tr("Step1:"), tr("Click the \"+\" button below to select the file that need to be splite.")));
    stepLabel(1)->setText(ToolLook::stepText(tr("Step2:"), tr("Enter the number of segments separated.")));
    stepLabel(2)->setText(
        ToolLook::stepText(tr("Step3:"), tr("Click the \"Start\" button below to start the conversion.")));
    m_countLabel->setText(tr("Split Count:"));
    m_timesLabel->setText(tr("Split Duration:"));
    m_startButton->setText(tr("Start"));
    refresh();
}

void VideoSpliterWidget::showTool()
{
    clearSelection();
    ProbeToolPage::showTool();
}

void VideoSpliterWidget::layoutPage()
{
    const int left = scaled(40);
    const int w = width() - 2 * left;
    const int indent = scaled(26);
    stepLabel(0)->setGeometry(left, scaled(20), w, scaled(24));
    m_addButton->setGeometry(left, scaled(52), scaled(80), scaled(30));
    m_pathLabel->setGeometry(left + scaled(96), scaled(52), w - scaled(96), scaled(30));
    stepLabel(1)->setGeometry(left, scaled(112), w, scaled(24));
    m_countButton->setGeometry(left, scaled(153), scaled(16), scaled(16));
    m_countLabel->setGeometry(left + indent, scaled(146), scaled(120), scaled(30));
    m_countLineEdit->setGeometry(left + indent + scaled(124), scaled(146), scaled(120), scaled(30));
    m_countInfoLabel->setGeometry(left + indent, scaled(184), w - indent, scaled(40));
    m_timesButton->setGeometry(left, scaled(243), scaled(16), scaled(16));
    m_timesLabel->setGeometry(left + indent, scaled(236), scaled(120), scaled(30));
    m_timesLineEdit->setGeometry(left + indent + scaled(124), scaled(236), scaled(120), scaled(30));
    m_timesInfoLabel->setGeometry(left + indent, scaled(274), w - indent, scaled(40));
    stepLabel(2)->setGeometry(left, scaled(330), w, scaled(24));
    m_startButton->setGeometry(left, scaled(362), scaled(160), scaled(40));
}

void VideoSpliterWidget::showMode(bool countActive, bool timesActive)
{
    m_countLineEdit->setEnabled(countActive);
    m_timesLineEdit->setEnabled(timesActive);
    ToolLook::styleField(m_countLineEdit, countActive);
    ToolLook::styleField(m_timesLineEdit, timesActive);
    ToolLook::styleFieldLabel(m_countLabel, countActive);
    ToolLook::styleFieldLabel(m_timesLabel, timesActive);
    ToolLook::styleInfoLabel(m_countInfoLabel, countActive);
    ToolLook::styleInfoLabel(m_timesInfoLabel, timesActive);
}

void VideoSpliterWidget::clearSelection()
{
    m_splitting = false;
    m_inputPath.clear();
    m_pathLabel->clear();
    showMode(false, false);
    m_countButton->setEnabled(true);
    m_timesButton->setEnabled(true);
    m_startButton->setEnabled(false);
}

void VideoSpliterWidget::countButton_slots()
{
    if (m_splitting)
        return;
    m_splitMode = 0;
    showMode(true, false);
    m_countButton->setEnabled(false);
    m_timesButton->setEnabled(true);
    refresh();
}

void VideoSpliterWidget::timesButton_slots()
{
    if (m_splitting)
        return;
    m_splitMode = 1;
    showMode(false, true);
    m_timesButton->setEnabled(false);
    m_countButton->setEnabled(true);
    refresh();
}

void VideoSpliterWidget::lockPlan(bool locked)
{
    m_splitting = locked;
    if (locked) // the mode selectors keep showing the chosen mode but do nothing
        showMode(false, false);
    else if (m_splitMode == 0)
        countButton_slots();
    else
        timesButton_slots();
}

void VideoSpliterWidget::refresh()
{
    m_pathLabel->setText(m_inputPath);
    const quint64 d = quint64(qMax<qint64>(m_job->duration(), 0));
    if (m_splitting) {
        // The texts are rebuilt (a language switch), the plan is not.
    } else if (m_splitMode == 0) {
        const quint64 n = quint64(qMax(m_countLineEdit->text().toLongLong(), qint64(1)));
        m_segmentLength = int(d / n + (d % n ? 1 : 0));
        m_segmentCount = int(n);
    } else {
        const quint64 length = quint64(qMax(m_timesLineEdit->text().toLongLong(), qint64(2)));
        m_segmentLength = int(length);
        m_segmentCount = int(d / length + (d % length ? 1 : 0));
    }
    m_countInfoLabel->setText(tr("Divide the video into segments, Please enter a number greater than 0.")
                              + QLatin1Char('\n') + tr(" The current video duration is: ") + formatSeconds(qint64(d))
                              + tr(" , The each segment video will be divided into :")
                              + formatSeconds(m_segmentLength));
    m_timesInfoLabel->setText(tr("Segmentation by length of time, Enter seconds of a segments. ") + QLatin1Char('\n')
                              + tr("The current video duration is: ") + formatSeconds(qint64(d))
                              + tr(" , It will split to ") + QString::number(m_segmentCount) + tr(" files."));
}

void VideoSpliterWidget::addfileButton_slots()
{
    const QString chosen = pickInput();
    if (chosen.isEmpty())
        return;
    m_inputPath = chosen;
    m_pathLabel->setText(m_inputPath);
    startProbe();
}

void VideoSpliterWidget::startButton_slots()
{
    QReadWriteLock &guard = m_job->startGuard();
    if (!guard.tryLockForWrite())
        return;
    m_startButton->setEnabled(false);
    m_segmentIndex = 0;
    m_failedPieces = 0;
    refresh();
    lockPlan(true);
    guard.unlock();
    startPiece();
}

void VideoSpliterWidget::startPiece()
{
    QReadWriteLock &guard = m_job->startGuard();
    if (!guard.tryLockForWrite())
        return;
    if (m_segmentIndex >= m_segmentCount) {
        ToolHost::showBusy(false);
        lockPlan(false);
        m_startButton->setEnabled(true);
        guard.unlock();
        QString text = tr("Splite completed.");
        if (m_failedPieces == m_segmentCount)
            text = tr("Splitting failed.");
        else if (m_failedPieces > 0)
            text = tr("Splitting failed for %1 of %2 pieces.").arg(m_failedPieces).arg(m_segmentCount);
        m_job->showMessage(text, tr("OK"));
        return;
    }
    const QString output =
        ToolJob::freeSiblingName(m_inputPath, QStringLiteral("_segment_") + QString::number(m_segmentIndex));
    startWork(output, ConverterArgs::splitSegment(qint64(m_segmentIndex) * m_segmentLength, m_inputPath,
                                                  m_segmentLength, output));
}

void VideoSpliterWidget::countLineEdit_change_slots(const QString &)
{
    refresh();
}

void VideoSpliterWidget::timesLineEdit_change_slots(const QString &)
{
    refresh();
}

void VideoSpliterWidget::ffmpegProcess_StandardOutput_slots()
{
    readProbeOutput();
}

void VideoSpliterWidget::ffmpegProcess_Finished(int)
{
    if (!m_job->acceptFinish())
        return;
    if (m_job->runKind() == 1) {
        // Each piece is judged by what it left, as the list tools judge their rows.
        if (!ToolJob::keepOutput(m_job->outputPath()))
            ++m_failedPieces;
        ++m_segmentIndex;
        startPiece();
        return;
    }
    if (!probeSucceeded())
        return;
    const qint64 d = m_job->duration();
    delete m_countValidator;
    delete m_timesValidator;
    m_countValidator = new QIntValidator(2, clampedInt(d / 10), this);
    m_countLineEdit->setValidator(m_countValidator);
    const qint64 count = qMax<qint64>(d / 300, 2);
    m_countLineEdit->setText(QString::number(count));
    m_timesValidator = new QIntValidator(2, clampedInt(d - 2), this);
    m_timesLineEdit->setValidator(m_timesValidator);
    m_timesLineEdit->setText(QString::number(qMax<qint64>(d / count, 2)));
    countButton_slots();
    m_startButton->setEnabled(true);
    refresh();
}

void VideoSpliterWidget::stopAndClear()
{
    m_job->startGuard().lockForWrite();
    m_job->stop();
    clearSelection();
    m_job->startGuard().unlock();
}
