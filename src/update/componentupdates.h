#pragma once
// The program's one run of the component updater at a time. The settings dialog's
// Downloader page, the daily automatic check and a failed row's offer all start it here
// and all watch the same run; the updater itself works in a thread of its own, so the
// window stays responsive through downloads, signature checks and smoke tests.

#include "update/componentupdater.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class QThread;

class ComponentUpdates : public QObject
{
    Q_OBJECT
public:
    static ComponentUpdates *instance();
    ~ComponentUpdates() override;

    bool isRunning() const
    {
        return m_thread != nullptr;
    }
    // Whether an update was started in this run of the program.
    bool hasRunThisSession() const
    {
        return m_hasRun;
    }
    // The outcome of the last finished run, one result per component.
    QList<ComponentResult> lastResults() const
    {
        return m_results;
    }

    // Checks and installs both components in the background; false when a run is under way.
    bool start();
    // Switches both back to their previous versions; refused while a run is under way.
    QList<ComponentResult> rollBack();
    // Stops a running check at its next chance and waits for it; the versions in use stay.
    void stop();

signals:
    void started();
    void progress(const QString &component, qint64 received, qint64 total);
    void finished();

private:
    ComponentUpdates();
    void threadFinished();

    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic_bool> m_cancel;
    QList<ComponentResult> m_results;
    QList<ComponentResult> m_workerResults; // written by the worker, read once it has ended
    bool m_hasRun = false;
};

// Keeps the components current without being asked: at most once a day, only while the
// switch is on, and never while a download or an analysis is running.
class ComponentAutoCheck : public QObject
{
    Q_OBJECT
public:
    // The first look some time after start, then one look per interval; tests change them.
    // A negative first look leaves the check unscheduled.
    struct Timings {
        int firstMs = 60 * 1000;
        int intervalMs = 15 * 60 * 1000;
    };
    static Timings timings();
    static void setTimings(const Timings &timings);

    ComponentAutoCheck(std::function<bool()> downloadsRunning, QObject *parent = nullptr);

public slots:
    // Starts a run when one is due; true when it did.
    bool checkIfDue();

private:
    std::function<bool()> m_downloadsRunning;
    QTimer m_timer;
};
