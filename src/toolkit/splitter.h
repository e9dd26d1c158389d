#pragma once
// The splitter: one media file divided into consecutive pieces by stream copy, into a
// given number of pieces or into pieces of a given length. A probe run reads the
// length first, as in the cutter.

#include "toolkit/toolpages.h"

class QIntValidator;
class QLineEdit;

class VideoSpliterWidget : public ProbeToolPage
{
    Q_OBJECT
public:
    explicit VideoSpliterWidget(QWidget *parent = nullptr);

    void retranslate() override;
    // Shows the page with nothing selected.
    void showTool() override;
    // Stops any run without a word and clears the selection.
    void stopAndClear() override;

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
    void layoutPage() override;
    void refresh() override;

private:
    void clearSelection();
    void startPiece();
    void showMode(bool countActive, bool timesActive);
    // While pieces are written the plan stays as it was at Start.
    void lockPlan(bool locked);

    MyPushButton *m_countButton;
    QLabel *m_countLabel;
    QLineEdit *m_countLineEdit;
    QLabel *m_countInfoLabel;
    MyPushButton *m_timesButton;
    QLabel *m_timesLabel;
    QLineEdit *m_timesLineEdit;
    QLabel *m_timesInfoLabel;
    QIntValidator *m_countValidator = nullptr;
    QIntValidator *m_timesValidator = nullptr;
    int m_splitMode = 0;
    int m_segmentLength = 0;
    int m_segmentCount = 0;
    int m_segmentIndex = 0;
    int m_failedPieces = 0;
    bool m_splitting = false;
};
