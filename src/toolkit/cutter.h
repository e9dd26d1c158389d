#pragma once
// The cutter: one stretch of one media file written beside it by stream copy. A probe
// run reads the file's length first; the user then gives a start and a length in
// whole seconds.

#include "toolkit/toolpages.h"

class QIntValidator;
class QLineEdit;

class VideoCutterWidget : public ProbeToolPage
{
    Q_OBJECT
public:
    explicit VideoCutterWidget(QWidget *parent = nullptr);

    void retranslate() override;
    // Stops any run without a word and resets the fields; the input path itself stays.
    void stopAndClear() override;

    QLineEdit *startTimeLineEdit() const
    {
        return m_startTimeLineEdit;
    }
    QLineEdit *durationsLineEdit() const
    {
        return m_durationsLineEdit;
    }
    QLabel *informationLabel() const
    {
        return m_infoLabel;
    }
    QLabel *pathLabel() const
    {
        return m_pathLabel;
    }

public slots:
    void addfileButton_slots();
    void startButton_slots();
    void startTimeLineEdit_change_slots(const QString &text);
    void durationsLineEdit_change_slots(const QString &text);
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

protected:
    void layoutPage() override;
    void refresh() override;

private:
    void resetPage();
    void setFieldsEnabled(bool enabled);

    QLabel *m_startTimeLabel;
    QLineEdit *m_startTimeLineEdit;
    QLabel *m_durationsLabel;
    QLineEdit *m_durationsLineEdit;
    QLabel *m_infoLabel;
    QIntValidator *m_startValidator = nullptr;
    QIntValidator *m_durationsValidator = nullptr;
};
