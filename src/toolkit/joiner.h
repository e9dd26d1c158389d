#pragma once
// The joiner: the entries of its list joined, in list order, into one file beside the
// first. Files of one suffix are first joined losslessly through a list file; when
// that leaves nothing usable, or the suffixes differ, a concat filter re-encodes them.

#include "toolkit/toolpages.h"

class QTreeWidgetItem;

class VideoJionerWidget : public ListToolPage
{
    Q_OBJECT
public:
    explicit VideoJionerWidget(QWidget *parent = nullptr);

    void retranslate() override;
    void stopAndClear() override;

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

public slots:
    void addfileButton_slots();
    void startButton_slots();
    void fileListTreeWidgetClicked_slots(QTreeWidgetItem *item, int column);
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

private:
    void join();
    bool writeListFile();
    void removeSegmentCopies();
    QString segmentName(int row) const;
    QString program() const;

    QString m_outputPath;
    qint64 m_totalDuration = 0;
    int m_attempt = 0;
};
