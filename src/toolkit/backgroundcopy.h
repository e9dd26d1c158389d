#pragma once
// Copies files on a thread of its own, so that inputs of any size never hold up the
// window, and can be told to give up between two blocks of a file.

#include <QObject>
#include <QPair>
#include <QString>
#include <QVector>
#include <atomic>
#include <memory>

class QThread;

class BackgroundCopy : public QObject
{
    Q_OBJECT
public:
    // From, to.
    using Pairs = QVector<QPair<QString, QString>>;

    explicit BackgroundCopy(QObject *parent = nullptr);
    // Cancels a copying still under way, as cancel() does.
    ~BackgroundCopy() override;

    // Starts copying; finished() follows on this object's thread.
    void start(const Pairs &pairs);
    bool isRunning() const
    {
        return m_thread != nullptr;
    }
    // Asks the copying to stop and waits for it at most waitMs. No finished() follows;
    // a copying that cannot stop at once (a read that blocks) ends on its own later and
    // removes the copy it was writing.
    void cancel(int waitMs);

    // Copying threads of the whole program not yet ended, cancelled ones included.
    static int runningCount();

signals:
    // ok: every file was copied whole.
    void finished(bool ok);

private:
    struct Shared {
        std::atomic<bool> cancelled{false};
        std::atomic<bool> ok{false};
    };
    QThread *m_thread = nullptr;
    std::shared_ptr<Shared> m_shared;
};
