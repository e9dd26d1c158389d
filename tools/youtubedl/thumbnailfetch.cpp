#include "thumbnailfetch.h"

#include "dependentprocess.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>

namespace
{

// Pictures are small; anything larger is not what was asked for.
constexpr qint64 kMaxThumbnailBytes = 20 * 1024 * 1024;
constexpr int kTimeoutMs = 20000;

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "youtubedl";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// The proxy yt-dlp would use for the same text; false for a kind Qt cannot speak.
bool proxyFor(const QByteArray &text, QNetworkProxy *proxy)
{
    if (text.isNull()) {
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        *proxy = QNetworkProxy(QNetworkProxy::DefaultProxy);
        return true;
    }
    if (text.isEmpty()) {
        *proxy = QNetworkProxy(QNetworkProxy::NoProxy);
        return true;
    }
    const QUrl url = QUrl::fromUserInput(QString::fromUtf8(text.contains("://") ? text : "http://" + text));
    const QString scheme = url.scheme().toLower();
    QNetworkProxy::ProxyType type;
    if (scheme == QLatin1String("http"))
        type = QNetworkProxy::HttpProxy;
    else if (scheme == QLatin1String("socks5") || scheme == QLatin1String("socks5h"))
        type = QNetworkProxy::Socks5Proxy;
    else
        return false;
    *proxy = QNetworkProxy(type, url.host(), quint16(url.port(scheme == QLatin1String("http") ? 80 : 1080)),
                           url.userName(), url.password());
    return url.isValid() && !url.host().isEmpty();
}

} // namespace

QByteArray fetchThumbnail(const Adapter::ThumbnailSource &source, const QByteArray &proxyText, QByteArray *error)
{
    ensureApplication();
    QNetworkProxy proxy;
    if (!proxyFor(proxyText, &proxy)) {
        *error = "a proxy of this kind is left to yt-dlp";
        return QByteArray();
    }
    QNetworkAccessManager manager;
    manager.setProxy(proxy);
    QNetworkRequest request(QUrl::fromEncoded(source.url));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(kTimeoutMs);
    for (const auto &header : source.headers)
        request.setRawHeader(header.first, header.second);
    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxThumbnailBytes)
            reply->abort();
    });
    // A stop of the download must not wait for the picture.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, reply, [reply]() {
        if (DependentProcess::receivedSignal())
            reply->abort();
    });
    watch.start(50);
    if (!reply->isFinished())
        loop.exec();
    QByteArray data;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError)
        *error = reply->errorString().toUtf8();
    else if (status != 200)
        *error = "HTTP status " + QByteArray::number(status);
    else
        data = reply->readAll();
    delete reply;
    return data;
}
