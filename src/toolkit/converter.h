#pragma once
// The format converter: a list of media files converted one after another to MP4,
// MKV, MOV or AVI, each output written beside its input.

#include "toolkit/toolpages.h"

class QTreeWidgetItem;

class VideoConverterWidget : public BatchToolPage
{
    Q_OBJECT
public:
    explicit VideoConverterWidget(QWidget *parent = nullptr);

    void retranslate() override;

    int formatIndex() const
    {
        return choice();
    }
    MyPushButton *formatButton(int index) const
    {
        return choiceButton(index);
    }

public slots:
    void mp4Button_slots();
    void mkvButton_slots();
    void movButton_slots();
    void aviButton_slots();
    void addfileButton_slots();
    void startButton_slots();
    void fileListTreeWidgetClicked_slots(QTreeWidgetItem *item, int column);
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

protected:
    QStringList rowArguments(const QString &input, QString &output) override;
};
