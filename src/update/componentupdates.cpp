#include "update/componentupdates.h"

#include "app/settings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPointer>
#include <QThread>

using Settings::Key;

namespace
{
ComponentAutoCheck::Timings g_timings;
}

ComponentUpdates *ComponentUpdates::instance()
{
    static QPointer<ComponentUpdates> updates;
    if (!updates) {
        updates = new ComponentUpdates;
        // Ends with the application object, stopping a run that is still going.
        updates->setParent(QCoreApplication::instance());
    }
    return updates;
}

ComponentUpdates::ComponentUpdates() = default;

ComponentUpdates::~ComponentUpdates()
{
    stop();
}

bool ComponentUpdates::start()
{
    if (m_thread)
        return false;
    // Read here, on the program's thread: the settings and the proxy text.
    const ComponentUpdaterOptions options = ComponentUpdaterOptions::fromEnvironment();
    m_cancel = options.cancelled;
    m_hasRun = true;
    m_thread = QThread::create([this, options]() {
        ComponentUpdater updater(options);
        connect(&updater, &ComponentUpdater::progress, this, &ComponentUpdates::progress);
        m_workerResults = updater.updateAll();
    });
    connect(m_thread, &QThread::finished, this, &ComponentUpdates::threadFinished);
    m_thread->start();
    emit started();
    return true;
}

void ComponentUpdates::threadFinished()
{
    if (!m_thread)
        return;
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    m_results = m_workerResults;
    emit finished();
}

QList<ComponentResult> ComponentUpdates::rollBack()
{
    if (m_thread)
        return {};
    return rollBackComponents();
}

void ComponentUpdates::stop()
{
    if (!m_thread)
        return;
    m_cancel->store(true);
    m_thread->wait();
    threadFinished();
}

ComponentAutoCheck::Timings ComponentAutoCheck::timings()
{
    return g_timings;
}

void ComponentAutoCheck::setTimings(const Timings &timings)
{
    g_timings = timings;
}

ComponentAutoCheck::ComponentAutoCheck(std::function<bool()> downloadsRunning, QObject *parent)
    : QObject(parent), m_downloadsRunning(std::move(downloadsRunning))
{
    connect(&m_timer, &QTimer::timeout, this, &ComponentAutoCheck::checkIfDue);
    if (g_timings.firstMs < 0)
        return;
    QTimer::singleShot(g_timings.firstMs, this, [this]() {
        checkIfDue();
        m_timer.start(g_timings.intervalMs);
    });
}

bool ComponentAutoCheck::checkIfDue()
{
    if (!Settings::readSwitch(Key::AutoUpdateComponents))
        return false;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime last = QDateTime::fromString(Settings::readText(Key::LastComponentCheck), Qt::ISODate);
    // A last check in the future (the clock was set back) does not hold the next one off.
    if (last.isValid() && last <= now && last.secsTo(now) < 24 * 3600)
        return false;
    if ((m_downloadsRunning && m_downloadsRunning()) || ComponentUpdates::instance()->isRunning())
        return false;
    // Stored before the run, so a failing check is not repeated the same day.
    Settings::writeText(Key::LastComponentCheck, now.toString(Qt::ISODate));
    return ComponentUpdates::instance()->start();
}
