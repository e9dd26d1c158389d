#pragma once
// The joiner: the entries of its list joined, in list order, into one file beside the
// first. Files of one suffix are first joined losslessly through a list file naming
// copies of them, made off the window's thread in a fresh folder of the joiner's own
// inside the download cache; when that leaves nothing usable, or the suffixes differ,
// a concat filter re-encodes them.

#include "toolkit/toolpages.h"

#include <memory>

class BackgroundCopy;
class QTemporaryDir;
class QTreeWidgetItem;

class VideoJionerWidget : public ListToolPage
{
    Q_OBJECT
public:
    explicit VideoJionerWidget(QWidget *parent = nullptr);
    ~VideoJionerWidget() override;

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
    // The private folder of the current list join (empty when none is under way).
    QString workFolder() const;
    // What the last list join's list file held.
    QByteArray listText() const
    {
        return m_listText;
    }

public slots:
    void addfileButton_slots();
    void startButton_slots();
    void fileListTreeWidgetClicked_slots(QTreeWidgetItem *item, int column);
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

private slots:
    void copiesMade_slots(bool ok);

private:
    void join();
    void startConverter(const QStringList &arguments);
    bool writeListFile();
    void removeWorkFolder();
    QString copyName(int row) const;
    QString program() const;

    std::unique_ptr<QTemporaryDir> m_workFolder;
    BackgroundCopy *m_copy;
    QString m_outputPath;
    QByteArray m_listText;
    qint64 m_totalDuration = 0;
    int m_attempt = 0;
};
