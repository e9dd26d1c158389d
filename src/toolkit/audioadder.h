#pragma once
// The audio adder: one video and one audio file combined into a new file beside the
// video, the video stream copied and the chosen sound taking the place of its own.

#include <QWidget>

class MyTempButton2;
class QLabel;
class ToolJobRunner;

class VideoAddAudioWidget : public QWidget
{
    Q_OBJECT
public:
    explicit VideoAddAudioWidget(QWidget *parent = nullptr);

    void retranslate();
    void showTool();
    // Stops any run without a word and forgets both files.
    void stopAndClear();

    QString videoPath() const
    {
        return m_videoPath;
    }
    QString audioPath() const
    {
        return m_audioPath;
    }
    QLabel *videoLabel() const
    {
        return m_videoLabel;
    }
    QLabel *audioLabel() const
    {
        return m_audioLabel;
    }
    MyTempButton2 *addVideoButton() const
    {
        return m_addVideoButton;
    }
    MyTempButton2 *addAudioButton() const
    {
        return m_addAudioButton;
    }
    MyTempButton2 *startButton() const
    {
        return m_startButton;
    }
    ToolJobRunner *job() const
    {
        return m_job;
    }

public slots:
    void addfileButton_slots();
    void addaudioButton_slots();
    void startButton_slots();
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateStartButton();
    void layoutPage();

    ToolJobRunner *m_job;
    QString m_videoPath;
    QString m_audioPath;
    QLabel *m_step1Label;
    QLabel *m_step2Label;
    QLabel *m_step3Label;
    MyTempButton2 *m_addVideoButton;
    QLabel *m_videoLabel;
    MyTempButton2 *m_addAudioButton;
    QLabel *m_audioLabel;
    MyTempButton2 *m_startButton;
};
