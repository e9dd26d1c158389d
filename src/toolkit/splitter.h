#pragma once
// The splitter: one media file divided into consecutive pieces by stream copy, into a
// given number of pieces or into pieces of a given length. A probe run reads the
// length first, as in the cutter.

#include <QWidget>

class MyPushButton;
class MyTempButton2;
class QIntValidator;
class QLabel;
class QLineEdit;
class ToolJobRunner;

class VideoSpliterWidget : public QWidget
{
    Q_OBJECT
public:
    explicit VideoSpliterWidget(QWidget *parent = nullptr);

    void retranslate();
    // Shows the page with nothing selected.
    void showTool();
    // Stops any run without a word and clears the selection.
    void stopAndClear();

    QString inputPath() const
    {
        return m_inputPath;
    }
    qint64 duration() const;
    // 0 by count, 1 by length.
    int splitMode() const
    {
        return m_splitMode;
    }
    int segmentLength() const
    {
        return m_segmentLength;
    }
    int segmentCount() const
    {
        return m_segmentCount;
    }
    QLineEdit *countLineEdit() const
    {
        return m_countLineEdit;
    }
    QLineEdit *timesLineEdit() const
    {
        return m_timesLineEdit;
    }
    QLabel *countInfoLabel() const
    {
        return m_countInfoLabel;
    }
    QLabel *timesInfoLabel() const
    {
        return m_timesInfoLabel;
    }
    MyPushButton *countButton() const
    {
        return m_countButton;
    }
    MyPushButton *timesButton() const
    {
        return m_timesButton;
    }
    MyTempButton2 *addButton() const
    {
        return m_addButton;
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
    void startButton_slots();
    void countButton_slots();
    void timesButton_slots();
    void countLineEdit_change_slots(const QString &text);
    void timesLineEdit_change_slots(const QString &text);
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void clearSelection();
    void refresh();
    void startPiece();
    void showMode(bool countActive, bool timesActive);
    void layoutPage();

    ToolJobRunner *m_job;
    QString m_inputPath;
    QLabel *m_step1Label;
    QLabel *m_step2Label;
    QLabel *m_step3Label;
    MyTempButton2 *m_addButton;
    QLabel *m_pathLabel;
    MyPushButton *m_countButton;
    QLabel *m_countLabel;
    QLineEdit *m_countLineEdit;
    QLabel *m_countInfoLabel;
    MyPushButton *m_timesButton;
    QLabel *m_timesLabel;
    QLineEdit *m_timesLineEdit;
    QLabel *m_timesInfoLabel;
    MyTempButton2 *m_startButton;
    QIntValidator *m_countValidator = nullptr;
    QIntValidator *m_timesValidator = nullptr;
    int m_splitMode = 0;
    int m_segmentLength = 0;
    int m_segmentCount = 0;
    int m_segmentIndex = 0;
};
