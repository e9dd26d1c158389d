#include "toolkit/backgroundcopy.h"

#include <QFile>
#include <QThread>

namespace
{
std::atomic<int> g_running{0};
const qint64 kBlock = 1 << 20;

// Copies one file block by block, giving up when asked; the copy is removed unless whole.
bool copyOne(const QString &from, const QString &to, const std::atomic<bool> &cancelled)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block(int(kBlock), Qt::Uninitialized);
    bool whole = true;
    for (;;) {
        if (cancelled) {
            whole = false;
            break;
        }
        const qint64 got = in.read(block.data(), kBlock);
        if (got == 0)
            break;
        if (got < 0 || out.write(block.constData(), got) != got) {
            whole = false;
            break;
        }
    }
    whole = whole && out.flush();
    out.close();
    if (!whole)
        QFile::remove(to);
    return whole;
}
} // namespace

BackgroundCopy::BackgroundCopy(QObject *parent) : QObject(parent) {}

BackgroundCopy::~BackgroundCopy()
{
    cancel(0);
}

void BackgroundCopy::start(const Pairs &pairs)
{
    cancel(0);
    auto shared = std::make_shared<Shared>();
    m_shared = shared;
    ++g_running;
    m_thread = QThread::create([pairs, shared] {
        bool ok = true;
        for (const auto &pair : pairs) {
            if (shared->cancelled || !copyOne(pair.first, pair.second, shared->cancelled)) {
                ok = false;
                break;
            }
        }
        shared->ok = ok && !shared->cancelled;
        --g_running;
    });
    // The thread object outlives a cancel that did not wait it out.
    connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    // A notice already on its way when the copying was cancelled is dropped here.
    QThread *thread = m_thread;
    connect(m_thread, &QThread::finished, this, [this, thread, shared] {
        if (shared->cancelled || m_thread != thread)
            return;
        m_thread = nullptr;
        emit finished(shared->ok);
    });
    m_thread->start();
}

void BackgroundCopy::cancel(int waitMs)
{
    if (!m_thread)
        return;
    QThread *thread = m_thread;
    m_thread = nullptr;
    thread->disconnect(this);
    m_shared->cancelled = true;
    thread->wait(static_cast<unsigned long>(qMax(waitMs, 0)));
}

int BackgroundCopy::runningCount()
{
    return g_running;
}
