#include "platform/instancechannel.h"

#include "platform/platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QtDebug>

#include <sys/socket.h>
#include <unistd.h>

namespace
{
const char kReceipt[] = "OK\n";

bool peerIsThisUser(qintptr fd)
{
    struct ucred cred {
    };
    socklen_t size = sizeof cred;
    if (::getsockopt(int(fd), SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0)
        return false;
    return cred.uid == ::getuid();
}

// The lines as the running copy will read them, or empty when they break a bound.
QByteArray encodeRequest(const QStringList &lines, bool *fits)
{
    QByteArray request;
    int count = 0;
    *fits = true;
    for (const QString &text : lines) {
        for (QString line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            line.remove(QLatin1Char('\r'));
            if (line.isEmpty())
                continue;
            const QByteArray bytes = line.toUtf8();
            if (bytes.size() > InstanceChannel::MaxLineBytes || ++count > InstanceChannel::MaxLines)
                *fits = false;
            request += bytes + '\n';
        }
    }
    request += '\n';
    if (request.size() > InstanceChannel::MaxRequestBytes)
        *fits = false;
    return request;
}

int remaining(const QElapsedTimer &clock, int timeoutMs)
{
    return int(qMax<qint64>(0, timeoutMs - clock.elapsed()));
}
} // namespace

InstanceChannel::InstanceChannel(const QString &name, QObject *parent) : QObject(parent), m_path(socketPathFor(name)) {}

InstanceChannel::~InstanceChannel()
{
    if (m_server)
        m_server->close(); // removes the socket file
}

QString InstanceChannel::socketPathFor(const QString &name)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString folder = runtime.isEmpty() ? QString() : Platform::ensurePrivateFolder(runtime);
    if (folder.isEmpty())
        folder = Platform::ensurePrivateFolder(Platform::privateTempBase() + QLatin1Char('/') + name);
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name + QStringLiteral(".socket");
}

bool InstanceChannel::listen()
{
    if (m_path.isEmpty())
        return false;
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::acceptPending);
    }
    QLocalServer::removeServer(m_path);
    if (m_server->listen(m_path))
        return true;
    qDebug() << "InstanceChannel::listen" << m_path << m_server->errorString();
    return false;
}

void InstanceChannel::acceptPending()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsThisUser(socket->socketDescriptor())) {
            qDebug() << "InstanceChannel: refused a peer of another user";
            socket->abort();
            continue;
        }
        // Qt's buffer stays small, so one read never holds more than a line's worth extra.
        socket->setReadBufferSize(MaxLineBytes);
        m_peers.insert(socket, Peer());
        connect(socket, &QObject::destroyed, this, [this, socket]() { m_peers.remove(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket]() { readFrom(socket); });
        QTimer::singleShot(PeerTimeoutMs, socket, [socket]() {
            if (socket->state() == QLocalSocket::ConnectedState)
                socket->abort();
        });
        if (socket->bytesAvailable() > 0)
            readFrom(socket);
    }
}

void InstanceChannel::readFrom(QLocalSocket *socket)
{
    const auto found = m_peers.find(socket);
    if (found == m_peers.end() || found->done)
        return;
    Peer *peer = &*found;
    const auto drop = [socket, peer](const char *why) {
        qDebug() << "InstanceChannel: dropped a peer:" << why;
        peer->done = true;
        socket->abort();
    };
    while (socket->bytesAvailable() > 0) {
        const QByteArray chunk = socket->read(MaxLineBytes);
        peer->bytes += chunk.size();
        if (peer->bytes > MaxRequestBytes)
            return drop("request too large");
        peer->partial += chunk;
        int end;
        while ((end = peer->partial.indexOf('\n')) >= 0) {
            QByteArray line = peer->partial.left(end);
            peer->partial.remove(0, end + 1);
            if (line.endsWith('\r'))
                line.chop(1);
            if (line.size() > MaxLineBytes)
                return drop("line too long");
            if (line.isEmpty()) {
                peer->done = true;
                const QStringList lines = peer->lines;
                socket->write(kReceipt);
                socket->flush();
                socket->disconnectFromServer();
                emit received(lines);
                return;
            }
            if (peer->lines.size() >= MaxLines)
                return drop("too many lines");
            peer->lines << QString::fromUtf8(line);
        }
        if (peer->partial.size() > MaxLineBytes)
            return drop("line too long");
    }
}

bool InstanceChannel::send(const QString &name, const QStringList &lines, int timeoutMs)
{
    bool fits = true;
    const QByteArray request = encodeRequest(lines, &fits);
    const QString path = socketPathFor(name);
    if (!fits || path.isEmpty())
        return false;
    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(path);
        if (socket.waitForConnected(remaining(clock, timeoutMs)))
            break;
        if (remaining(clock, timeoutMs) == 0)
            return false;
        QThread::msleep(100); // the running copy may not be listening yet
    }
    socket.write(request);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remaining(clock, timeoutMs)))
            return false;
    }
    QByteArray reply = socket.readAll();
    while (!reply.contains('\n') && socket.waitForReadyRead(remaining(clock, timeoutMs)))
        reply += socket.readAll();
    return reply + socket.readAll() == kReceipt;
}
