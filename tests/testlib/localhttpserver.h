#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for tests: it serves registered bytes per path,
// answers HEAD and single byte ranges, can slow a response down or cut it off, and logs
// every request. It runs in a thread of its own, so a test may block on a child process
// (yt-dlp, the adapter) or on QNetworkAccessManager while the server keeps answering.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

class QThread;

// How one resource is served.
struct LocalHttpServerOptions {
    qint64 bytesPerSecond = 0; // 0: as fast as the connection takes it
    qint64 dropAtOffset = -1;  // close the connection once the body reaches this byte of the resource
    qint64 stallAtOffset = -1; // stop sending at this byte and hold the connection open, as a hung server does
    QList<QPair<QByteArray, QByteArray>> extraHeaders;
};

class LocalHttpServer : public QObject
{
    Q_OBJECT
public:
    using Options = LocalHttpServerOptions;

    struct Request {
        QByteArray method;
        QString path; // without the query
        QByteArray query;
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray header(const QByteArray &name) const
        {
            return headers.value(name.toLower());
        }
    };

    explicit LocalHttpServer(QObject *parent = nullptr);
    ~LocalHttpServer() override;

    // Listens on 127.0.0.1 with a port the system picks; false when that fails.
    bool start();
    void stop();
    quint16 port() const;
    QUrl url(const QString &path) const;

    void addData(const QString &path, const QByteArray &body, const QByteArray &contentType,
                 const Options &options = Options());
    // The content type is guessed from the suffix when none is given.
    bool addFile(const QString &path, const QString &filePath, const QByteArray &contentType = QByteArray(),
                 const Options &options = Options());
    void setOptions(const QString &path, const Options &options);
    void remove(const QString &path);

    QList<Request> requests() const;
    QList<Request> requests(const QString &path) const;
    // Whether a response for this path has sent everything up to its stall point.
    bool hasStalled(const QString &path) const;
    // Forgets the requests and the stalls seen so far.
    void clearRequests();

    static QByteArray contentTypeFor(const QString &fileName);

    struct Shared;
    class Worker;

private:
    std::shared_ptr<Shared> m_shared;
    Worker *m_worker = nullptr;
    QThread *m_thread = nullptr;
    quint16 m_port = 0;
};
