#pragma once
// What the queue needs from the download page and the windows above it: folders and
// limits the page keeps, its database, its modal choosers and messages, the loading
// overlay and the finished list. The page implements it; tests replace it.

#include "queue/downloadrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

class DBManagerThread;
class YoutobeDownloadObj;

struct QualityChoice {
    bool accepted = false;
    QString formatId;
    bool subtitle = false;
    QString subtitleLangs;
};

struct PlaylistChoice {
    bool accepted = false;
    QList<int> entries; // indices into the listing
    bool subtitle = false;
    QString quality; // a resolution text such as "1920x1080p"
};

// A finished download of a link, as the finished list knows it.
struct FinishedMatch {
    bool found = false;
    QString date; // "yyyy-MM-dd", "" when unknown
    QString path; // the file it was saved as
};

class QueueContext
{
public:
    virtual ~QueueContext() = default;

    // The page's copy of the download folder and of the number of simultaneous downloads.
    virtual QString downloadFolder() const = 0;
    virtual int countAtSameTime() const = 0;
    // The automatic download's quality as a resolution text ("1920x1080p", "0x0", ...).
    virtual QString autoDownloadQualityText() const = 0;
    // The index of the page's speed box (0 "Unlimited" .. 4 "1 Mbps").
    virtual int speedIndex() const = 0;
    virtual DBManagerThread *database() const = 0;

    virtual QualityChoice chooseQuality(YoutobeDownloadObj *driver) = 0;
    virtual PlaylistChoice choosePlaylistEntries(const QString &title, const QStringList &names,
                                                 const QStringList &urls) = 0;
    // A modal message; returns the index of the button pressed, or -1 when closed.
    virtual int message(const QString &text, const QStringList &buttons) = 0;
    // The clip-or-playlist question: 0 for the clip, anything else for the playlist.
    virtual int askClipOrPlaylist(const QString &clipLink, const QString &playlistLink) = 0;
    virtual void showLoading(bool show, const QString &text) = 0;

    // A playlist entry offered to the page; true when it was queued.
    virtual bool addItem(const DownloadRecord &record) = 0;
    // rowid names the record's stored row (0 when it has none).
    virtual void addFinishedRow(const DownloadRecord &record, qint64 rowid) = 0;
    virtual void refreshTotals() = 0;
    // The latest finished download of exactly this link, if any.
    virtual FinishedMatch finishedDownloadOf(const QString &url) const = 0;
    virtual void runFinishedAction() = 0;
};
