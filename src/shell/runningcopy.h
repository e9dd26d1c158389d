#pragma once
// One running copy of the program, and the links of later starts. The first start holds
// the instance lock and listens on the instance channel; a later start hands its links
// (or, without links, just a knock) to it and ends. The running copy raises its window,
// opens the download page and pastes each start's links there as "+ Paste URL" would,
// one start at a time, once the page has loaded its queue and no dialog is open.

#include "platform/instancechannel.h"
#include "platform/singleinstance.h"

#include <QList>
#include <QPointer>
#include <QTimer>

class DoRaDuvoZezavi;

class RunningCopy : public QObject
{
    Q_OBJECT
public:
    // Takes the instance lock when it is free; links are this start's own.
    RunningCopy(const QString &name, const QStringList &links, QObject *parent = nullptr);

    // True when this process is the running copy.
    bool isFirst() const
    {
        return m_first;
    }
    // A later start: hands the links over and gives the exit code, 0 when they were taken
    // (or there were none), 1 with a message on standard error when they were not.
    int handOver();
    // Start-up is done: this start's links and those of later starts go to the window.
    void deliverTo(DoRaDuvoZezavi *window);

private:
    void takeRequest(const QStringList &links);
    void deliverNext();

    QString m_name;
    SingleInstanceGuard m_guard;
    InstanceChannel m_channel;
    bool m_first = false;
    QStringList m_ownLinks;
    QList<QStringList> m_pending;
    QPointer<DoRaDuvoZezavi> m_window;
    QTimer m_retry;
};
