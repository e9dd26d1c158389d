#pragma once
// The proxy texts handed to the downloader: the user's own proxy from the
// settings, and the desktop's proxy (a manual one, or one found in a proxy
// auto-configuration script).

#include <QNetworkProxy>
#include <QString>

namespace Proxy
{

// The user's proxy from the settings: prefix + server + ":" + port, or "".
QString userProxyFromSettings();
// The desktop's proxy, from the platform's values; "" when there is none.
QString readSystemProxy();

// Only local proxies on 127.0.0.1 are recognised in a script.
QString parsePacText(const QString &script);
QString parsePacProxy(const QString &url);
// A proxy text ("socks5://host:port", "https://host:port", "host:port") for Qt's own
// requests; "" gives no proxy. A text that names no usable port still gives a proxy, so a
// request fails rather than quietly going around the user's proxy.
QNetworkProxy networkProxy(const QString &text);
// GET with a 5 s bound (default TLS verification); "" on any failure.
QString httpGetText(const QString &url, int timeoutMs = 5000);

} // namespace Proxy

// The process-wide proxy strings, kept by the main window and read by the driver.
QString proxyString();
void setProxyString(const QString &text);
QString systemProxyString();
// Rebuilds proxyString() from the settings.
void loadProxySetting();
// Rebuilds systemProxyString() from the desktop's settings.
void autoReadIEProxyConfig();
