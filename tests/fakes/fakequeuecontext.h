#pragma once
// The download page as the queue sees it, for tests: answers for the choosers and
// messages queued in advance, and a record of what was shown and called.

#include "engine/downloaddriver.h"
#include "queue/database.h"
#include "queue/queuecontext.h"

#include <QHash>
#include <QQueue>

class FakeQueueContext : public QueueContext
{
public:
    QString folder;
    int limit = 5;
    QString autoQuality;
    int speed = 0;
    DBManagerThread *db = nullptr;

    // Answers, taken in order; when empty: the chooser takes the first format,
    // the playlist chooser every entry, a message is closed, the clip is chosen.
    QQueue<QualityChoice> qualityAnswers;
    QQueue<PlaylistChoice> playlistAnswers;
    QQueue<int> clipAnswers;
    QQueue<int> messageAnswers; // for messages; when empty a message is closed (-1)

    QStringList messages;
    QList<QPair<QString, QString>> clipQuestions;
    int qualityAsked = 0;
    int playlistAsked = 0;
    QList<DownloadRecord> finishedRows;
    int finishedActions = 0;
    int totalsRefreshed = 0;
    bool loadingShown = false;
    QString loadingText;
    std::function<bool(const DownloadRecord &)> onAddItem;

    QString downloadFolder() const override
    {
        return folder;
    }
    int countAtSameTime() const override
    {
        return limit;
    }
    QString autoDownloadQualityText() const override
    {
        return autoQuality;
    }
    int speedIndex() const override
    {
        return speed;
    }
    DBManagerThread *database() const override
    {
        return db;
    }

    QualityChoice chooseQuality(YoutobeDownloadObj *driver) override
    {
        ++qualityAsked;
        if (!qualityAnswers.isEmpty())
            return qualityAnswers.dequeue();
        QualityChoice c;
        if (driver && driver->mediaInfo() && !driver->mediaInfo()->formats().isEmpty()) {
            c.accepted = true;
            c.formatId = driver->mediaInfo()->formats().first().id;
        }
        return c;
    }
    PlaylistChoice choosePlaylistEntries(const QString &, const QStringList &names, const QStringList &) override
    {
        ++playlistAsked;
        if (!playlistAnswers.isEmpty())
            return playlistAnswers.dequeue();
        PlaylistChoice c;
        c.accepted = true;
        for (int i = 0; i < names.size(); ++i)
            c.entries << i;
        c.quality = QStringLiteral("1920x1080p");
        return c;
    }
    int message(const QString &text, const QStringList &) override
    {
        messages << text;
        return messageAnswers.isEmpty() ? -1 : messageAnswers.dequeue();
    }
    int askClipOrPlaylist(const QString &clip, const QString &playlist) override
    {
        clipQuestions << qMakePair(clip, playlist);
        return clipAnswers.isEmpty() ? 0 : clipAnswers.dequeue();
    }
    void showLoading(bool show, const QString &text) override
    {
        loadingShown = show;
        loadingText = text;
    }
    bool addItem(const DownloadRecord &record) override
    {
        return onAddItem ? onAddItem(record) : false;
    }
    void addFinishedRow(const DownloadRecord &record, qint64) override
    {
        finishedRows << record;
    }
    void refreshTotals() override
    {
        ++totalsRefreshed;
    }
    // Finished downloads by link, as the page's finished list would answer.
    QHash<QString, FinishedMatch> finished;
    FinishedMatch finishedDownloadOf(const QString &url) const override
    {
        return finished.value(url);
    }
    void runFinishedAction() override
    {
        ++finishedActions;
    }
};
