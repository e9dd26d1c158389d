#include "testlib/localhttpserver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>

struct LocalHttpServer::Shared {
    struct Resource {
        QByteArray body;
        QByteArray contentType;
        Options options;
    };
    mutable QMutex mutex;
    QMap<QString, Resource> resources;
    QList<Request> requests;
    QSet<QString> stalled;
};

namespace
{

const qint64 ChunkSize = 64 * 1024;
const qint64 MaxQueued = 256 * 1024;
const int MaxHeaderBytes = 64 * 1024;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 416:
        return "Range Not Satisfiable";
    default:
        return "Bad Request";
    }
}

// One client connection: reads one request, answers it, and closes.
class Connection : public QObject
{
public:
    Connection(QTcpSocket *socket, std::shared_ptr<LocalHttpServer::Shared> shared, QObject *parent)
        : QObject(parent), m_socket(socket), m_shared(std::move(shared))
    {
        m_socket->setParent(this);
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, [this] { pump(); });
        connect(m_socket, &QTcpSocket::readyRead, this, [this] { onReadyRead(); });
        connect(m_socket, &QTcpSocket::bytesWritten, this, [this] { pump(); });
        connect(m_socket, &QTcpSocket::disconnected, this, [this] {
            m_timer.stop();
            deleteLater();
        });
        if (m_socket->bytesAvailable() > 0)
            onReadyRead();
    }

private:
    void onReadyRead()
    {
        if (m_responded) {
            m_socket->readAll();
            return;
        }
        m_buffer += m_socket->readAll();
        const int end = m_buffer.indexOf("\r\n\r\n");
        if (end < 0) {
            if (m_buffer.size() > MaxHeaderBytes)
                m_socket->abort();
            return;
        }
        m_responded = true;
        const QList<QByteArray> lines = m_buffer.left(end).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        LocalHttpServer::Request request;
        request.method = requestLine.value(0);
        const QByteArray target = requestLine.value(1);
        const int q = target.indexOf('?');
        request.path = QUrl::fromPercentEncoding(q < 0 ? target : target.left(q));
        request.query = q < 0 ? QByteArray() : target.mid(q + 1);
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const int colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        LocalHttpServer::Shared::Resource resource;
        bool found = false;
        {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->requests.append(request);
            const auto it = m_shared->resources.constFind(request.path);
            if (it != m_shared->resources.constEnd()) {
                resource = it.value();
                found = true;
            }
        }
        m_path = request.path;
        respond(request, found ? &resource : nullptr);
    }

    void respond(const LocalHttpServer::Request &request, const LocalHttpServer::Shared::Resource *resource)
    {
        // Every response ends the connection: simpler than keep-alive, and both clients cope.
        if (request.method != "GET" && request.method != "HEAD") {
            sendSimple(405, "Method Not Allowed\n");
            return;
        }
        if (!resource) {
            sendSimple(404, "Not Found\n");
            return;
        }
        const qint64 size = resource->body.size();
        qint64 first = 0;
        qint64 last = size - 1;
        int status = 200;
        static const QRegularExpression rangeRe(QStringLiteral("^bytes=(\\d*)-(\\d*)$"));
        const QRegularExpressionMatch m = rangeRe.match(QString::fromLatin1(request.header("Range")));
        if (m.hasMatch() && !(m.captured(1).isEmpty() && m.captured(2).isEmpty())) {
            if (m.captured(1).isEmpty()) {
                const qint64 suffix = m.captured(2).toLongLong();
                first = std::max<qint64>(0, size - suffix);
                status = suffix > 0 && size > 0 ? 206 : 416;
            } else {
                first = m.captured(1).toLongLong();
                if (!m.captured(2).isEmpty())
                    last = std::min(last, m.captured(2).toLongLong());
                status = first < size ? 206 : 416;
                // An inverted range is ignored, as RFC 9110 allows.
                if (status == 206 && last < first) {
                    status = 200;
                    first = 0;
                    last = size - 1;
                }
            }
        }
        QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
        head += "Content-Type: " + resource->contentType + "\r\n";
        head += "Accept-Ranges: bytes\r\nConnection: close\r\n";
        for (const auto &h : resource->options.extraHeaders)
            head += h.first + ": " + h.second + "\r\n";
        if (status == 416) {
            head += "Content-Range: bytes */" + QByteArray::number(size) + "\r\nContent-Length: 0\r\n\r\n";
            m_socket->write(head);
            m_socket->disconnectFromHost();
            return;
        }
        const qint64 length = last - first + 1;
        if (status == 206)
            head += "Content-Range: bytes " + QByteArray::number(first) + '-' + QByteArray::number(last) + '/'
                    + QByteArray::number(size) + "\r\n";
        head += "Content-Length: " + QByteArray::number(length) + "\r\n\r\n";
        m_socket->write(head);
        if (request.method == "HEAD") {
            m_socket->disconnectFromHost();
            return;
        }
        m_body = resource->body;
        m_pos = first;
        m_end = last + 1;
        if (resource->options.dropAtOffset >= 0)
            m_end = std::max(m_pos, std::min(m_end, resource->options.dropAtOffset));
        const qint64 stall = resource->options.stallAtOffset;
        m_stalls = stall >= m_pos && stall < m_end;
        if (m_stalls)
            m_end = stall;
        m_rate = resource->options.bytesPerSecond;
        m_clock.start();
        m_sending = true;
        pump();
    }

    void sendSimple(int status, const QByteArray &body)
    {
        m_socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status)
                        + "\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: "
                        + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        m_socket->disconnectFromHost();
    }

    // Sends what the rate allows; called again on bytesWritten and by the timer.
    void pump()
    {
        if (!m_sending || m_socket->state() != QAbstractSocket::ConnectedState)
            return;
        while (m_pos < m_end) {
            // Keeping the socket's queue short keeps the throttle honest and memory flat.
            if (m_socket->bytesToWrite() > MaxQueued)
                return;
            qint64 chunk = std::min(ChunkSize, m_end - m_pos);
            if (m_rate > 0) {
                const qint64 allowed = m_rate * m_clock.elapsed() / 1000 - m_sent;
                if (allowed <= 0) {
                    if (!m_timer.isActive())
                        m_timer.start(20);
                    return;
                }
                chunk = std::min(chunk, allowed);
            }
            m_socket->write(m_body.constData() + m_pos, chunk);
            m_pos += chunk;
            m_sent += chunk;
        }
        m_sending = false;
        if (m_stalls) {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->stalled.insert(m_path);
            return;
        }
        // Closing after the last byte is also how a cut-off transfer looks to the client.
        m_socket->disconnectFromHost();
    }

    QTcpSocket *m_socket;
    std::shared_ptr<LocalHttpServer::Shared> m_shared;
    QByteArray m_buffer;
    QString m_path;
    bool m_responded = false;
    bool m_sending = false;
    bool m_stalls = false;
    QByteArray m_body;
    qint64 m_pos = 0;
    qint64 m_end = 0;
    qint64 m_rate = 0;
    qint64 m_sent = 0;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

} // namespace

class LocalHttpServer::Worker : public QObject
{
public:
    explicit Worker(std::shared_ptr<Shared> shared) : m_shared(std::move(shared)) {}

    quint16 listen()
    {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server->nextPendingConnection())
                new Connection(socket, m_shared, this);
        });
        if (!m_server->listen(QHostAddress::LocalHost, 0))
            return 0;
        return m_server->serverPort();
    }

    // Runs in the server's thread: sockets must be deleted where they live.
    void shutdown()
    {
        if (m_server)
            m_server->close();
        const QList<QObject *> children = this->children();
        for (QObject *child : children) {
            if (child != m_server)
                delete child;
        }
    }

private:
    std::shared_ptr<Shared> m_shared;
    QTcpServer *m_server = nullptr;
};

LocalHttpServer::LocalHttpServer(QObject *parent) : QObject(parent), m_shared(std::make_shared<Shared>()) {}

LocalHttpServer::~LocalHttpServer()
{
    stop();
}

bool LocalHttpServer::start()
{
    if (m_thread)
        return m_port != 0;
    m_thread = new QThread;
    m_worker = new Worker(m_shared);
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start();
    Worker *worker = m_worker;
    quint16 port = 0;
    QMetaObject::invokeMethod(
        m_worker, [worker, &port] { port = worker->listen(); }, Qt::BlockingQueuedConnection);
    m_port = port;
    return m_port != 0;
}

void LocalHttpServer::stop()
{
    if (!m_thread)
        return;
    Worker *worker = m_worker;
    QMetaObject::invokeMethod(
        m_worker, [worker] { worker->shutdown(); }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_worker = nullptr;
    m_port = 0;
}

quint16 LocalHttpServer::port() const
{
    return m_port;
}

QUrl LocalHttpServer::url(const QString &path) const
{
    QUrl u;
    u.setScheme(QStringLiteral("http"));
    u.setHost(QStringLiteral("127.0.0.1"));
    u.setPort(m_port);
    u.setPath(path);
    return u;
}

void LocalHttpServer::addData(const QString &path, const QByteArray &body, const QByteArray &contentType,
                              const Options &options)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->resources.insert(path, Shared::Resource{body, contentType, options});
}

bool LocalHttpServer::addFile(const QString &path, const QString &filePath, const QByteArray &contentType,
                              const Options &options)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    addData(path, file.readAll(), contentType.isEmpty() ? contentTypeFor(filePath) : contentType, options);
    return true;
}

void LocalHttpServer::setOptions(const QString &path, const Options &options)
{
    QMutexLocker lock(&m_shared->mutex);
    const auto it = m_shared->resources.find(path);
    if (it != m_shared->resources.end())
        it->options = options;
}

void LocalHttpServer::remove(const QString &path)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->resources.remove(path);
}

QList<LocalHttpServer::Request> LocalHttpServer::requests() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->requests;
}

QList<LocalHttpServer::Request> LocalHttpServer::requests(const QString &path) const
{
    QList<Request> result;
    for (const Request &r : requests()) {
        if (r.path == path)
            result.append(r);
    }
    return result;
}

bool LocalHttpServer::hasStalled(const QString &path) const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->stalled.contains(path);
}

void LocalHttpServer::clearRequests()
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->requests.clear();
    m_shared->stalled.clear();
}

QByteArray LocalHttpServer::contentTypeFor(const QString &fileName)
{
    static const QMap<QString, QByteArray> types{
        {QStringLiteral("html"), "text/html; charset=utf-8"},
        {QStringLiteral("htm"), "text/html; charset=utf-8"},
        {QStringLiteral("mp4"), "video/mp4"},
        {QStringLiteral("m4v"), "video/mp4"},
        {QStringLiteral("webm"), "video/webm"},
        {QStringLiteral("mkv"), "video/x-matroska"},
        {QStringLiteral("m4a"), "audio/mp4"},
        {QStringLiteral("mp3"), "audio/mpeg"},
        {QStringLiteral("mpd"), "application/dash+xml"},
        {QStringLiteral("m4s"), "video/iso.segment"},
        {QStringLiteral("m3u8"), "application/vnd.apple.mpegurl"},
        {QStringLiteral("vtt"), "text/vtt"},
        {QStringLiteral("srt"), "application/x-subrip"},
        {QStringLiteral("png"), "image/png"},
        {QStringLiteral("jpg"), "image/jpeg"},
        {QStringLiteral("jpeg"), "image/jpeg"},
        {QStringLiteral("webp"), "image/webp"},
        {QStringLiteral("json"), "application/json"},
        {QStringLiteral("txt"), "text/plain; charset=utf-8"},
    };
    return types.value(QFileInfo(fileName).suffix().toLower(), "application/octet-stream");
}
