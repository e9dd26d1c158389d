#include "engine/proxy.h"

#include "app/settings.h"
#include "platform/platform.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>
#include <QtDebug>

namespace
{
QString g_proxyString;
QString g_systemProxyString;

// The digits after a marker, up to the first ";": "" unless they form a decimal integer.
QString portAfter(const QString &text, const QString &marker)
{
    QString rest = text.mid(text.indexOf(marker));
    const int semicolon = rest.indexOf(QLatin1Char(';'));
    if (semicolon >= 0)
        rest.truncate(semicolon);
    rest.remove(marker);
    rest = rest.trimmed();
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (!digits.match(rest).hasMatch())
        return QString();
    bool ok = false;
    const qulonglong port = rest.toULongLong(&ok);
    return ok ? QString::number(port) : QString();
}
} // namespace

namespace Proxy
{

QString userProxyFromSettings()
{
    using Settings::Key;
    const QString server = Settings::readText(Key::Proxy_server);
    const QString port = Settings::readText(Key::Proxy_port);
    if (!Settings::readSwitch(Key::Proxy_enabled) || server.isEmpty())
        return QString();
    static const char *const prefixes[] = {"socks5://", "https://", ""};
    return QLatin1String(prefixes[Settings::readNumber(Key::Proxy_protocal)]) + server + QLatin1Char(':') + port;
}

QNetworkProxy networkProxy(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QNetworkProxy(QNetworkProxy::NoProxy);
    const int schemeEnd = trimmed.indexOf(QLatin1String("://"));
    const QString scheme = schemeEnd >= 0 ? trimmed.left(schemeEnd).toLower() : QString();
    const QString address = schemeEnd >= 0 ? trimmed.mid(schemeEnd + 3) : trimmed;
    const int colon = address.lastIndexOf(QLatin1Char(':'));
    const QString host = colon >= 0 ? address.left(colon) : address;
    bool ok = false;
    const uint port = colon >= 0 ? address.mid(colon + 1).toUInt(&ok) : 0;
    const QNetworkProxy::ProxyType type =
        scheme.startsWith(QLatin1String("socks")) ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy;
    return QNetworkProxy(type, host, quint16(ok && port <= 65535 ? port : 0));
}

QString readSystemProxy()
{
    qDebug() << "...autoReadIEProxyConfig...";
    const Platform::SystemProxyValues v = Platform::systemProxyValues();
    QString result;
    if (!v.autoConfigUrl.isEmpty())
        result = parsePacProxy(v.autoConfigUrl);
    else if (v.proxyEnable == 1 && !v.proxyServer.isEmpty() && v.proxyServer.indexOf(QLatin1Char(':')) >= 2)
        result = v.proxyServer;
    if (!result.isEmpty())
        qDebug() << "auto_read_proxy_ip_port =" << result;
    return result;
}

QString parsePacText(const QString &text)
{
    const QString direct = QStringLiteral("PROXY 127.0.0.1:");
    if (text.contains(direct)) {
        const QString port = portAfter(text, direct);
        return port.isEmpty() ? QString() : QStringLiteral("127.0.0.1:") + port;
    }
    const QString declaration = QStringLiteral("var proxy = ");
    if (text.contains(declaration)) {
        QString line = text.mid(text.indexOf(declaration));
        const int lf = line.indexOf(QLatin1Char('\n'));
        if (lf >= 0)
            line.truncate(lf);
        const QString socks5 = QStringLiteral("SOCKS5 127.0.0.1:");
        const QString socks = QStringLiteral("SOCKS 127.0.0.1:");
        if (line.contains(socks5)) {
            const QString port = portAfter(line, socks5);
            return port.isEmpty() ? QString() : QStringLiteral("socks5://127.0.0.1:") + port;
        }
        if (line.contains(socks)) {
            const QString port = portAfter(line, socks);
            return port.isEmpty() ? QString() : QStringLiteral("socks://127.0.0.1:") + port;
        }
    }
    return QString();
}

QString parsePacProxy(const QString &url)
{
    return parsePacText(httpGetText(url));
}

QString httpGetText(const QString &url, int timeoutMs)
{
    const QUrl address(url);
    if (!address.isValid() || address.scheme().isEmpty())
        return QString();
    qDebug() << (url.startsWith(QLatin1String("https://")) ? "check. https://..." : "check. http://...");
    QNetworkAccessManager manager;
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    QString text;
    if (reply->isFinished() && reply->error() == QNetworkReply::NoError)
        text = QString::fromUtf8(reply->readAll());
    else
        reply->abort();
    delete reply;
    return text;
}

} // namespace Proxy

QString proxyString()
{
    return g_proxyString;
}

void setProxyString(const QString &text)
{
    g_proxyString = text;
}

QString systemProxyString()
{
    return g_systemProxyString;
}

void loadProxySetting()
{
    g_proxyString = Proxy::userProxyFromSettings();
}

void autoReadIEProxyConfig()
{
    g_systemProxyString.clear();
    g_systemProxyString = Proxy::readSystemProxy();
}
