#pragma once
// The format converter: a list of media files converted one after another to MP4,
// MKV, MOV or AVI, each output written beside its input.

#include <QWidget>

class MyPushButton;
class MyTempButton2;
class QLabel;
class QTreeWidgetItem;
class ToolFileList;
class ToolJobRunner;

class VideoConverterWidget : public QWidget
{
    Q_OBJECT
public:
    explicit VideoConverterWidget(QWidget *parent = nullptr);

    void retranslate();
    void showTool();
    // Stops any run without a word and empties the list.
    void stopAndClear();

    int formatIndex() const
    {
        return m_formatIndex;
    }
    int currentIndex() const
    {
        return m_currentIndex;
    }
    ToolFileList *fileList() const
    {
        return m_fileList;
    }
    MyTempButton2 *addButton() const
    {
        return m_addButton;
    }
    MyTempButton2 *startButton() const
    {
        return m_startButton;
    }
    MyPushButton *formatButton(int index) const;
    ToolJobRunner *job() const
    {
        return m_job;
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
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void chooseFormat(int index);
    QString targetSuffix() const;
    void layoutPage();

    ToolJobRunner *m_job;
    QLabel *m_step1Label;
    QLabel *m_step2Label;
    QLabel *m_step3Label;
    MyTempButton2 *m_addButton;
    ToolFileList *m_fileList;
    MyPushButton *m_formatButtons[4];
    MyTempButton2 *m_startButton;
    int m_formatIndex = 0;
    int m_currentIndex = -1;
};
