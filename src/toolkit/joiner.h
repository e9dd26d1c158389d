#pragma once
// The joiner: the entries of its list joined, in list order, into one file beside the
// first. Files of one suffix are first joined losslessly through a list file; when
// that leaves nothing usable, or the suffixes differ, a concat filter re-encodes them.

#include <QWidget>

class MyTempButton2;
class QLabel;
class QTreeWidgetItem;
class ToolFileList;
class ToolJobRunner;

class VideoJionerWidget : public QWidget
{
    Q_OBJECT
public:
    explicit VideoJionerWidget(QWidget *parent = nullptr);

    void retranslate();
    void showTool();
    // Stops any run without a word and empties the list.
    void stopAndClear();

    // 0 on the first try of a join, 1 on the retry by the filter.
    int attempt() const
    {
        return m_attempt;
    }
    qint64 totalDuration() const
    {
        return m_totalDuration;
    }
    QString outputPath() const
    {
        return m_outputPath;
    }
    // The list file in the download cache folder.
    static QString listFilePath();
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
    ToolJobRunner *job() const
    {
        return m_job;
    }

public slots:
    void addfileButton_slots();
    void startButton_slots();
    void fileListTreeWidgetClicked_slots(QTreeWidgetItem *item, int column);
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void join();
    bool writeListFile();
    void removeSegmentCopies();
    QString segmentName(int row) const;
    QString program() const;
    void layoutPage();

    ToolJobRunner *m_job;
    QLabel *m_step1Label;
    QLabel *m_step2Label;
    MyTempButton2 *m_addButton;
    ToolFileList *m_fileList;
    MyTempButton2 *m_startButton;
    QString m_outputPath;
    qint64 m_totalDuration = 0;
    int m_attempt = 0;
};
