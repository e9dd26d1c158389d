#pragma once
// Link intake: a pasted text split into links, YouTube links inside a playlist turned
// into the clip or the playlist, links of unsupported sites refused, and accepted
// links queued and stored.

#include "queue/downloadrecord.h"

#include <QObject>
#include <QReadWriteLock>
#include <QStringList>
#include <QTimer>

class DownloadQueue;
class QueueContext;

namespace Intake
{

enum class SiteCheck { Accepted, NoLink, Unsupported };
SiteCheck checkSite(const QString &link, bool acceptAnySite);
// The supported sites' domains, in the order they are tried, and the second chance.
const QStringList &supportedSites();
const QStringList &secondChanceSites();
// The scheme prefix the link starts with, or "" for none.
QString schemePrefix(const QString &link);

// What a YouTube link inside a playlist offers: ask = false leaves the link as it is.
struct ClipOrPlaylist {
    bool ask = false;
    QString clip;
    QString playlist;
};
ClipOrPlaylist youtubeChoice(const QString &link);

// The links of a pasted text of several lines, in order, without repeats.
QStringList splitPastedText(const QString &text);
// "" for "Unlimited", then "8M", "4M", "2M", and "1M" for anything else.
QString rateTextForIndex(int speedIndex);

extern const char *const SupportAddress;

} // namespace Intake

class LinkIntake : public QObject
{
    Q_OBJECT
public:
    LinkIntake(QueueContext *context, DownloadQueue *queue, QObject *parent = nullptr);

    bool acceptAnySite = false;

    // The paste button: the clipboard's text (or the given one, for tests).
    void pasteText(const QString &text);
    // askIfDownloaded: ask before queueing a link that was downloaded before (the
    // re-download button and links the user already agreed to skip the question).
    bool addLink(const QString &text, bool askIfDownloaded = true);
    bool addItem(const DownloadRecord &record);
    bool isPasting() const
    {
        return m_pasteTimer.isActive();
    }

signals:
    // An accepted link: the page shows the in-progress view.
    void linkAccepted();

public slots:
    void pasteURLButton_slots();
    void pastetimer_slots();

private:
    // Drops from a pasted batch the links already in the queue (one message) and, after
    // one question, those downloaded before.
    QStringList withoutDuplicates(const QStringList &links);
    bool isQueued(const QString &link) const;

    QueueContext *m_context;
    DownloadQueue *m_queue;
    QStringList m_pending;
    int m_pendingIndex = 0;
    QReadWriteLock m_pasteLock;
    QTimer m_pasteTimer;
};
