#include "toolkit/rotator.h"

#include "external/toolargs.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"

#include <QLabel>

namespace
{
const char *const kAngles[3] = {"90", "180", "270"};
} // namespace

VideoRotateWidget::VideoRotateWidget(QWidget *parent) : BatchToolPage(parent, 3)
{
    attachJob();
    for (int i = 0; i < 3; ++i)
        choiceButton(i)->setText(QString::fromLatin1(kAngles[i]));
    connect(choiceButton(0), SIGNAL(clicked()), this, SLOT(R090Button_slots()));
    connect(choiceButton(1), SIGNAL(clicked()), this, SLOT(R180Button_slots()));
    connect(choiceButton(2), SIGNAL(clicked()), this, SLOT(R270Button_slots()));
    connectList();
    choose(0);
    retranslate();
}

QString VideoRotateWidget::angleText() const
{
    if (choice() < 0 || choice() > 2)
        return QStringLiteral("90");
    return QString::fromLatin1(kAngles[choice()]);
}

void VideoRotateWidget::retranslate()
{
    stepLabel(0)->setText(ToolLook::stepText(
        tr("Step1:"), tr("Click the \"+\" button below to select the file that need to be rotate.")));
    stepLabel(1)->setText(ToolLook::stepText(tr("Step2:"), tr("Select the angle of rotation.")));
    stepLabel(2)->setText(
        ToolLook::stepText(tr("Step3:"), tr("Click the \"Start\" button below to start the conversion.")));
    m_addButton->setText(tr("+"));
    m_startButton->setText(tr("Start"));
}

QStringList VideoRotateWidget::rowArguments(const QString &input, QString &output)
{
    // A new tag replaces the old one: first a look at how the file is shown now.
    if (ConverterArgs::rotatesByTag(input) && !m_shownRotation) {
        m_job->setRunKind(0);
        m_lookText.clear();
        output.clear();
        return ConverterArgs::probe(input);
    }
    m_job->setRunKind(1);
    const QString angle = angleText();
    output = ToolJob::freeSiblingName(input, QStringLiteral("_Rotate") + angle);
    const int shown = m_shownRotation.value_or(0);
    m_shownRotation.reset();
    return ConverterArgs::rotate(input, angle.toInt(), shown, output);
}

void VideoRotateWidget::R090Button_slots()
{
    choose(0);
}

void VideoRotateWidget::R180Button_slots()
{
    choose(1);
}

void VideoRotateWidget::R270Button_slots()
{
    choose(2);
}

void VideoRotateWidget::addfileButton_slots()
{
    addFiles();
}

void VideoRotateWidget::startButton_slots()
{
    startNextRow();
}

void VideoRotateWidget::fileListTreeWidgetClicked_slots(QTreeWidgetItem *, int) {}

void VideoRotateWidget::ffmpegProcess_StandardOutput_slots()
{
    if (m_job->runKind() == 0)
        m_lookText += m_job->readOutput();
    else
        showProgress();
}

void VideoRotateWidget::ffmpegProcess_Finished(int)
{
    if (m_job->runKind() != 0) {
        finishRow();
        return;
    }
    if (!m_job->acceptFinish())
        return;
    m_lookText += m_job->readOutput();
    m_shownRotation = ToolJob::displayRotationIn(m_lookText);
    startNextRow(); // the same row, now turned
}
