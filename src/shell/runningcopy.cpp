#include "shell/runningcopy.h"

#include "app/commandline.h"
#include "queue/intake.h"
#include "queue/scheduler.h"
#include "shell/loadingwidget.h"
#include "shell/mainwindow.h"
#include "views/downloadpage.h"

#include <QApplication>
#include <QMetaObject>

#include <cstdio>

namespace
{
// How long a later start waits for the running copy, which may itself be starting.
const int kHandOverTimeoutMs = 10000;

void raiseWindow(QWidget *window)
{
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

RunningCopy::RunningCopy(const QString &name, const QStringList &links, QObject *parent)
    : QObject(parent), m_name(name), m_guard(name), m_channel(name), m_ownLinks(links)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(50);
    connect(&m_retry, &QTimer::timeout, this, &RunningCopy::deliverNext);
    m_first = m_guard.tryAcquire();
    if (!m_first)
        return;
    // Listening at once lets a later start hand over while this one still starts up.
    m_channel.listen();
    connect(&m_channel, &InstanceChannel::received, this, &RunningCopy::takeRequest);
    if (!m_ownLinks.isEmpty())
        m_pending << m_ownLinks;
}

int RunningCopy::handOver()
{
    if (InstanceChannel::send(m_name, m_ownLinks, kHandOverTimeoutMs) || m_ownLinks.isEmpty())
        return 0;
    CommandLine::loadTranslation();
    std::fputs(tr("Clipwright is already running but did not take the links.").toLocal8Bit().constData(), stderr);
    std::fputs("\n", stderr);
    return 1;
}

void RunningCopy::deliverTo(DoRaDuvoZezavi *window)
{
    m_window = window;
    deliverNext();
}

void RunningCopy::takeRequest(const QStringList &links)
{
    if (m_window)
        raiseWindow(m_window);
    if (links.isEmpty())
        return;
    m_pending << links;
    deliverNext();
}

void RunningCopy::deliverNext()
{
    if (!m_window || m_pending.isEmpty())
        return;
    auto *page = qobject_cast<DLManagerWidget *>(m_window->page(DoRaDuvoZezavi::Page::Download));
    if (!page) {
        m_pending.clear();
        return;
    }
    // A dialog or a busy overlay (a tool at work, a paste, a load) is the user's to finish.
    if (QApplication::activeModalWidget() || !m_window->loadingWidget()->isHidden()) {
        m_retry.start();
        return;
    }
    if (!page->isVisible()) {
        // As the "Video Downloader" tile does, so the home knows the page was visited.
        QWidget *home = m_window->page(DoRaDuvoZezavi::Page::Toolkit);
        if (!home || !QMetaObject::invokeMethod(home, "downloadButton_slots"))
            m_window->showDownloadPage();
    }
    m_window->fristLoad_slots(); // the stored queue first; nothing after the first time
    // The stored queue loads first, and a paste in progress would be replaced by this one.
    if (page->queue()->isLoading() || page->intake()->isPasting()) {
        m_retry.start();
        return;
    }
    page->pasteLinks(m_pending.takeFirst().join(QLatin1Char('\n')));
    if (!m_pending.isEmpty())
        m_retry.start();
}
