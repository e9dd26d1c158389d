#include "toolkit/cutter.h"

#include "app/appenv.h"
#include "app/format.h"
#include "external/toolargs.h"
#include "toolkit/toolhost.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"

#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <climits>

VideoCutterWidget::VideoCutterWidget(QWidget *parent)
    : ProbeToolPage(parent), m_startTimeLabel(new QLabel(this)), m_startTimeLineEdit(new QLineEdit(this)),
      m_durationsLabel(new QLabel(this)), m_durationsLineEdit(new QLineEdit(this)), m_infoLabel(new QLabel(this))
{
    attachJob();
    ToolLook::styleInfoLabel(m_infoLabel, true);
    m_startTimeLineEdit->setObjectName(QStringLiteral("startTimeLineEdit"));
    m_durationsLineEdit->setObjectName(QStringLiteral("durationsLineEdit"));
    connect(m_addButton, SIGNAL(clicked()), this, SLOT(addfileButton_slots()));
    connect(m_startButton, SIGNAL(clicked()), this, SLOT(startButton_slots()));
    connect(m_startTimeLineEdit, SIGNAL(textChanged(const QString &)), this,
            SLOT(startTimeLineEdit_change_slots(const QString &)));
    connect(m_durationsLineEdit, SIGNAL(textChanged(const QString &)), this,
            SLOT(durationsLineEdit_change_slots(const QString &)));
    retranslate();
    resetPage();
}

void VideoCutterWidget::retranslate()
{
    stepLabel(0)->setText(
        ToolLook::stepText(tr("Step1:"), tr("Click the \"+\" button below to select the file that need to be cut.")));
    stepLabel(1)->setText(ToolLook::stepText(tr("Step2:"), tr("Enter start time and duration seconds.")));
    stepLabel(2)->setText(
        ToolLook::stepText(tr("Step3:"), tr("Click the \"Start\" button below to start the conversion.")));
    m_startTimeLabel->setText(tr("Start time:"));
    m_durationsLabel->setText(tr("Cut duration:"));
    m_startButton->setText(tr("Start"));
    refresh();
}

void VideoCutterWidget::layoutPage()
{
    const int left = scaled(40);
    const int w = width() - 2 * left;
    stepLabel(0)->setGeometry(left, scaled(20), w, scaled(24));
    m_addButton->setGeometry(left, scaled(52), scaled(80), scaled(30));
    m_pathLabel->setGeometry(left + scaled(96), scaled(52), w - scaled(96), scaled(30));
    stepLabel(1)->setGeometry(left, scaled(112), w, scaled(24));
    m_startTimeLabel->setGeometry(left, scaled(146), scaled(110), scaled(30));
    m_startTimeLineEdit->setGeometry(left + scaled(110), scaled(146), scaled(120), scaled(30));
    m_durationsLabel->setGeometry(left + scaled(270), scaled(146), scaled(120), scaled(30));
    m_durationsLineEdit->setGeometry(left + scaled(390), scaled(146), scaled(120), scaled(30));
    m_infoLabel->setGeometry(left, scaled(194), w, scaled(76));
    stepLabel(2)->setGeometry(left, scaled(282), w, scaled(24));
    m_startButton->setGeometry(left, scaled(314), scaled(160), scaled(40));
}

void VideoCutterWidget::setFieldsEnabled(bool enabled)
{
    m_startTimeLineEdit->setEnabled(enabled);
    m_durationsLineEdit->setEnabled(enabled);
    ToolLook::styleField(m_startTimeLineEdit, enabled);
    ToolLook::styleField(m_durationsLineEdit, enabled);
    ToolLook::styleFieldLabel(m_startTimeLabel, enabled);
    ToolLook::styleFieldLabel(m_durationsLabel, enabled);
}

void VideoCutterWidget::resetPage()
{
    m_startTimeLineEdit->setText(QStringLiteral("0"));
    m_durationsLineEdit->setText(QStringLiteral("0"));
    setFieldsEnabled(false);
    m_startButton->setEnabled(false);
    m_job->setDuration(0);
    m_pathLabel->setText(m_inputPath);
}

void VideoCutterWidget::refresh()
{
    m_pathLabel->setText(m_inputPath);
    const qint64 d = m_job->duration();
    const qint64 start = m_startTimeLineEdit->text().toLongLong();
    const qint64 cut = m_durationsLineEdit->text().toLongLong();
    const qint64 largestCut = qMax<qint64>(d - start, 2);
    const qint64 largestStart = qMax<qint64>(d - 2, 0);
    // Lowering the cut field comes back here once through its own change.
    if (cut > largestCut)
        m_durationsLineEdit->setText(QString::number(largestCut));
    m_infoLabel->setText(tr("The current video duration is: ") + formatSeconds(d) + QStringLiteral(".\n\n")
                         + tr("The  \"Start time\"  value ranges from 0 to ") + QString::number(largestStart)
                         + tr(" seconds") + QLatin1Char(' ') + tr("and the  \"Cut duration\"  value ranges from 2 to ")
                         + QString::number(largestCut) + tr(" seconds") + QLatin1Char('.'));
    // Fresh validators each time, as the ranges follow the fields.
    delete m_startValidator;
    delete m_durationsValidator;
    m_startValidator = new QIntValidator(0, int(qMin<qint64>(d - 2, INT_MAX)), this);
    m_durationsValidator = new QIntValidator(2, int(qMin<qint64>(largestCut, INT_MAX)), this);
    m_startTimeLineEdit->setValidator(m_startValidator);
    m_durationsLineEdit->setValidator(m_durationsValidator);
}

void VideoCutterWidget::addfileButton_slots()
{
    const QString chosen = pickInput();
    if (chosen.isEmpty())
        return;
    resetPage();
    m_inputPath = chosen;
    startProbe();
}

void VideoCutterWidget::startButton_slots()
{
    QReadWriteLock &guard = m_job->startGuard();
    if (!guard.tryLockForWrite())
        return;
    m_startButton->setEnabled(false);
    refresh();
    guard.unlock();

    if (!guard.tryLockForWrite())
        return;
    const qint64 start = m_startTimeLineEdit->text().toLongLong();
    const qint64 cut = qMax<qint64>(m_durationsLineEdit->text().toLongLong(), 2);
    const QString output = ToolJob::freeSiblingName(m_inputPath, QStringLiteral("_cut"));
    startWork(output, ConverterArgs::cut(start, m_inputPath, cut, output));
}

void VideoCutterWidget::startTimeLineEdit_change_slots(const QString &)
{
    refresh();
}

void VideoCutterWidget::durationsLineEdit_change_slots(const QString &)
{
    refresh();
}

void VideoCutterWidget::ffmpegProcess_StandardOutput_slots()
{
    readProbeOutput();
}

void VideoCutterWidget::ffmpegProcess_Finished(int)
{
    if (!m_job->acceptFinish())
        return;
    if (m_job->runKind() == 0) {
        if (!probeSucceeded())
            return;
        m_startButton->setEnabled(true);
        setFieldsEnabled(true);
        m_startTimeLineEdit->setText(QStringLiteral("0"));
        m_durationsLineEdit->setText(QString::number(m_job->duration()));
        refresh();
        return;
    }
    ToolHost::showBusy(false);
    m_startButton->setEnabled(true);
    const bool done = ToolJob::keepOutput(m_job->outputPath());
    m_job->showMessage(done ? tr("Cut completed.") : tr("Cut failed."), tr("OK"));
}

void VideoCutterWidget::stopAndClear()
{
    m_job->startGuard().lockForWrite();
    m_job->stop();
    resetPage();
    m_job->startGuard().unlock();
}
