#pragma once
// The cutter: one stretch of one media file written beside it by stream copy. A probe
// run reads the file's length first; the user then gives a start and a length in
// whole seconds.

#include <QWidget>

class MyTempButton2;
class QIntValidator;
class QLabel;
class QLineEdit;
class ToolJobRunner;

class VideoCutterWidget : public QWidget
{
    Q_OBJECT
public:
    explicit VideoCutterWidget(QWidget *parent = nullptr);

    void retranslate();
    void showTool();
    // Stops any run without a word and resets the fields; the input path itself stays.
    void stopAndClear();

    QString inputPath() const
    {
        return m_inputPath;
    }
    qint64 duration() const;
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
    void startTimeLineEdit_change_slots(const QString &text);
    void durationsLineEdit_change_slots(const QString &text);
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void resetPage();
    void refreshInformation();
    void setFieldsEnabled(bool enabled);
    void layoutPage();

    ToolJobRunner *m_job;
    QString m_inputPath;
    QLabel *m_step1Label;
    QLabel *m_step2Label;
    QLabel *m_step3Label;
    MyTempButton2 *m_addButton;
    QLabel *m_pathLabel;
    QLabel *m_startTimeLabel;
    QLineEdit *m_startTimeLineEdit;
    QLabel *m_durationsLabel;
    QLineEdit *m_durationsLineEdit;
    QLabel *m_infoLabel;
    MyTempButton2 *m_startButton;
    QIntValidator *m_startValidator = nullptr;
    QIntValidator *m_durationsValidator = nullptr;
};
