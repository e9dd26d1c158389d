#pragma once
// The rotator: every file of its list turned by 90, 180 or 270 degrees, one after
// another. An mp4 only gets its rotation tag rewritten on a stream copy; any other
// input is re-encoded through the rotate filter.

#include <QWidget>

class MyPushButton;
class MyTempButton2;
class QLabel;
class QTreeWidgetItem;
class ToolFileList;
class ToolJobRunner;

class VideoRotateWidget : public QWidget
{
    Q_OBJECT
public:
    explicit VideoRotateWidget(QWidget *parent = nullptr);

    void retranslate();
    void showTool();
    // Stops any run without a word and empties the list.
    void stopAndClear();

    int angleIndex() const
    {
        return m_angleIndex;
    }
    // "90", "180" or "270".
    QString angleText() const;
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
    MyPushButton *angleButton(int index) const;
    ToolJobRunner *job() const
    {
        return m_job;
    }

public slots:
    void R090Button_slots();
    void R180Button_slots();
    void R270Button_slots();
    void addfileButton_slots();
    void startButton_slots();
    void fileListTreeWidgetClicked_slots(QTreeWidgetItem *item, int column);
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void chooseAngle(int index);
    void layoutPage();

    ToolJobRunner *m_job;
    QLabel *m_step1Label;
    QLabel *m_step2Label;
    QLabel *m_step3Label;
    MyTempButton2 *m_addButton;
    ToolFileList *m_fileList;
    MyPushButton *m_angleButtons[3];
    MyTempButton2 *m_startButton;
    int m_angleIndex = 0;
    int m_currentIndex = -1;
};
