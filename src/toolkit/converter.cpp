#include "toolkit/converter.h"

#include "external/toolargs.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"

#include <QLabel>

namespace
{
const char *const kSuffixes[4] = {"mp4", "mkv", "mov", "avi"};
const char *const kLabels[4] = {"MP4", "MKV", "MOV", "AVI"};
} // namespace

VideoConverterWidget::VideoConverterWidget(QWidget *parent) : BatchToolPage(parent, 4)
{
    attachJob();
    for (int i = 0; i < 4; ++i)
        choiceButton(i)->setText(QString::fromLatin1(kLabels[i]));
    connect(choiceButton(0), SIGNAL(clicked()), this, SLOT(mp4Button_slots()));
    connect(choiceButton(1), SIGNAL(clicked()), this, SLOT(mkvButton_slots()));
    connect(choiceButton(2), SIGNAL(clicked()), this, SLOT(movButton_slots()));
    connect(choiceButton(3), SIGNAL(clicked()), this, SLOT(aviButton_slots()));
    connectList();
    choose(0);
    retranslate();
}

void VideoConverterWidget::retranslate()
{
    stepLabel(0)->setText(ToolLook::stepText(
        tr("Step1:"), tr("Click the \"+\" button below to select the file that need to be converted.")));
    stepLabel(1)->setText(ToolLook::stepText(tr("Step2:"), tr("Select the target format that need to be converted.")));
    stepLabel(2)->setText(
        ToolLook::stepText(tr("Step3:"), tr("Click the \"Start\" button below to start the conversion.")));
    m_startButton->setText(tr("Start"));
}

QStringList VideoConverterWidget::rowArguments(const QString &input, QString &output)
{
    const QString suffix = QString::fromLatin1(kSuffixes[choice() >= 0 && choice() <= 3 ? choice() : 0]);
    output = ToolJob::freeOutputName(ToolJob::outputBase(input), QString(), suffix);
    return ConverterArgs::convert(input, suffix, output);
}

void VideoConverterWidget::mp4Button_slots()
{
    choose(0);
}

void VideoConverterWidget::mkvButton_slots()
{
    choose(1);
}

void VideoConverterWidget::movButton_slots()
{
    choose(2);
}

void VideoConverterWidget::aviButton_slots()
{
    choose(3);
}

void VideoConverterWidget::addfileButton_slots()
{
    addFiles();
}

void VideoConverterWidget::startButton_slots()
{
    startNextRow();
}

void VideoConverterWidget::fileListTreeWidgetClicked_slots(QTreeWidgetItem *, int) {}

void VideoConverterWidget::ffmpegProcess_StandardOutput_slots()
{
    showProgress();
}

void VideoConverterWidget::ffmpegProcess_Finished(int)
{
    finishRow();
}
