#pragma once
// The audio adder: one video and one audio file combined into a new file beside the
// video, the video stream copied and the chosen sound taking the place of its own.

#include "toolkit/toolpages.h"

class VideoAddAudioWidget : public ToolPage
{
    Q_OBJECT
public:
    explicit VideoAddAudioWidget(QWidget *parent = nullptr);

    void retranslate() override;
    // Stops any run without a word and forgets both files.
    void stopAndClear() override;

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

public slots:
    void addfileButton_slots();
    void addaudioButton_slots();
    void startButton_slots();
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

protected:
    void layoutPage() override;

private:
    void updateStartButton();

    QString m_videoPath;
    QString m_audioPath;
    MyTempButton2 *m_addVideoButton;
    QLabel *m_videoLabel;
    MyTempButton2 *m_addAudioButton;
    QLabel *m_audioLabel;
};
