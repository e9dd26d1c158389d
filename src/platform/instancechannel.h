#pragma once
// The running copy's door for later starts: a local socket in the user's private
// runtime folder, beside the instance lock. A later start writes its links, one per
// line in UTF-8, then an empty line, and waits for "OK". Only the same user can
// connect (owner-only folder and socket, and the peer's user is checked), and what a
// peer sends is bounded: a longer line, more lines, more bytes or a stalled peer
// is dropped without effect.

#include <QHash>
#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class InstanceChannel : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxLineBytes = 32 * 1024;
    static constexpr int MaxLines = 10000;
    static constexpr int MaxRequestBytes = 4 * 1024 * 1024;
    static constexpr int PeerTimeoutMs = 10000;

    explicit InstanceChannel(const QString &name, QObject *parent = nullptr);
    ~InstanceChannel() override;

    // Starts listening, replacing a socket a crashed copy left behind. Call only while
    // holding the single-instance lock, so no living copy's socket is taken.
    bool listen();
    QString socketPath() const
    {
        return m_path;
    }
    // "" when no private folder can be had.
    static QString socketPathFor(const QString &name);

    // A later start: hands the lines to the running copy and waits for its receipt,
    // trying again while the running copy is still starting. Lines holding line breaks
    // are split, empty ones dropped. False when nobody took them in time, or when they
    // exceed what the running copy accepts.
    static bool send(const QString &name, const QStringList &lines, int timeoutMs);

signals:
    // One complete request; an empty list asks only for the window.
    void received(const QStringList &lines);

private:
    void acceptPending();
    void readFrom(QLocalSocket *socket);

    // What one peer has sent so far.
    struct Peer {
        QByteArray partial;
        QStringList lines;
        qint64 bytes = 0;
        bool done = false;
    };

    QString m_path;
    QLocalServer *m_server = nullptr;
    QHash<QLocalSocket *, Peer> m_peers;
};
