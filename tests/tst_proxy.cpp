// The proxy texts handed to the downloader: the user's own proxy from the settings
// and the desktop's, including automatic configuration scripts served locally.

#include "app/settings.h"
#include "engine/proxy.h"
#include "testlib/localhttpserver.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QProcess>
#include <QSslKey>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTcpServer>

using Settings::Key;

namespace
{
// Serves a proxy script over TLS with the given certificate.
class TlsServer : public QTcpServer
{
public:
    TlsServer(const QSslCertificate &cert, const QSslKey &key) : m_cert(cert), m_key(key) {}
    int handshakes = 0;
    int served = 0;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QSslSocket(this);
        socket->setSocketDescriptor(descriptor);
        socket->setLocalCertificate(m_cert);
        socket->setPrivateKey(m_key);
        ++handshakes;
        QObject::connect(socket, &QSslSocket::readyRead, socket, [this, socket]() {
            socket->readAll();
            ++served;
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 35\r\nConnection: close\r\n\r\n"
                          "return \"PROXY 127.0.0.1:9; DIRECT\";");
            socket->disconnectFromHost();
        });
        socket->startServerEncryption();
    }

private:
    QSslCertificate m_cert;
    QSslKey m_key;
};
} // namespace

class TestProxy : public QObject
{
    Q_OBJECT

    LocalHttpServer m_server;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
    }

    void init()
    {
        TestEnv::clearSettings();
        qunsetenv("CLIPWRIGHT_PROXY_PAC");
        qunsetenv("http_proxy");
    }

    void userProxy_data()
    {
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *on, const char *server, const char *port,
                            const char *protocol, const char *expected) {
            QTest::newRow(name) << on << server << port << protocol << expected;
        };
        row("SOCKS5", "1", "S", "1080", "0", "socks5://S:1080");
        row("HTTPS", "1", "S", "1080", "1", "https://S:1080");
        row("HTTP has no prefix", "1", "S", "1080", "2", "S:1080");
        row("an out-of-range kind acts as HTTP", "1", "S", "1080", "7", "S:1080");
        row("an empty port is kept", "1", "S", "", "0", "socks5://S:");
        row("an empty server gives nothing", "1", "", "1080", "0", "");
        row("switched off gives nothing", "0", "S", "1080", "0", "");
        row("TRUE is not the switch's on", "TRUE", "S", "1080", "0", "");
        row("values pass as typed", "1", "my host", "80a", "2", "my host:80a");
    }
    void userProxy()
    {
        QFETCH(QString, enabled);
        QFETCH(QString, server);
        QFETCH(QString, port);
        QFETCH(QString, protocol);
        QFETCH(QString, expected);
        Settings::writeText(Key::Proxy_enabled, enabled);
        Settings::writeText(Key::Proxy_server, server);
        Settings::writeText(Key::Proxy_port, port);
        Settings::writeText(Key::Proxy_protocal, protocol);
        QCOMPARE(Proxy::userProxyFromSettings(), expected);
        loadProxySetting();
        QCOMPARE(proxyString(), expected);
    }

    // The same texts steer the program's own requests (the downloader components).
    void networkProxies_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("no text, no proxy") << "" << int(QNetworkProxy::NoProxy) << "" << 0;
        QTest::newRow("socks5 prefix") << "socks5://S:1080" << int(QNetworkProxy::Socks5Proxy) << "S" << 1080;
        QTest::newRow("a desktop socks prefix")
            << "socks://127.0.0.1:7890" << int(QNetworkProxy::Socks5Proxy) << "127.0.0.1" << 7890;
        QTest::newRow("https prefix is an HTTP proxy")
            << "https://S:8443" << int(QNetworkProxy::HttpProxy) << "S" << 8443;
        QTest::newRow("a bare address is an HTTP proxy") << "S:3128" << int(QNetworkProxy::HttpProxy) << "S" << 3128;
        QTest::newRow("an empty port keeps the proxy, so nothing goes around it")
            << "socks5://S:" << int(QNetworkProxy::Socks5Proxy) << "S" << 0;
    }
    void networkProxies()
    {
        QFETCH(QString, text);
        QFETCH(int, type);
        QFETCH(QString, host);
        QFETCH(int, port);
        const QNetworkProxy proxy = Proxy::networkProxy(text);
        QCOMPARE(int(proxy.type()), type);
        QCOMPARE(proxy.hostName(), host);
        QCOMPARE(int(proxy.port()), port);
    }

    void pacScripts_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *script, const char *expected) {
            QTest::newRow(name) << script << expected;
        };
        row("a var proxy line with SOCKS5",
            "function FindProxyForURL(url, host) {\n  var proxy = \"SOCKS5 127.0.0.1:7890; DIRECT\";\n  return "
            "proxy;\n}",
            "socks5://127.0.0.1:7890");
        row("a var proxy line with SOCKS", "var proxy = 'SOCKS 127.0.0.1:1086; DIRECT';\n", "socks://127.0.0.1:1086");
        row("a PROXY return", "function FindProxyForURL(u, h) { return \"PROXY 127.0.0.1:8080; DIRECT\"; }",
            "127.0.0.1:8080");
        row("a port that is not a number", "return \"PROXY 127.0.0.1:80x; DIRECT\";", "");
        row("a proxy elsewhere is not ours", "return \"PROXY 10.0.0.1:8080; DIRECT\";", "");
        row("SOCKS on another line than var proxy", "var proxy = \"DIRECT\";\nreturn \"SOCKS5 127.0.0.1:1\";", "");
        row("empty", "", "");
    }
    void pacScripts()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QCOMPARE(Proxy::parsePacText(script), expected);
        m_server.addData(QStringLiteral("/proxy.pac"), script.toUtf8(), "application/x-ns-proxy-autoconfig");
        QCOMPARE(Proxy::parsePacProxy(m_server.url(QStringLiteral("/proxy.pac")).toString()), expected);
    }

    // The desktop's proxy: its script first, else http_proxy unless a colon comes too early.
    void theSystemProxy_data()
    {
        QTest::addColumn<bool>("script");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("proxy");
        const auto row = [](const char *name, bool script, const char *variable, const char *proxy) {
            QTest::newRow(name) << script << variable << proxy;
        };
        row("the script wins over the variable", true, "proxy.example:8080", "127.0.0.1:3128");
        row("the variable", false, "proxy.example:8080", "proxy.example:8080");
        row("a per-protocol variable", false, "http=host:80;https=host:443", "http=host:80;https=host:443");
        row("a colon too early is refused", false, "a:8080", "");
        row("nothing", false, "", "");
    }
    void theSystemProxy()
    {
        QFETCH(bool, script);
        QFETCH(QString, variable);
        QFETCH(QString, proxy);
        m_server.addData(QStringLiteral("/sys.pac"), "return \"PROXY 127.0.0.1:3128; DIRECT\";", "text/plain");
        if (script)
            qputenv("CLIPWRIGHT_PROXY_PAC", m_server.url(QStringLiteral("/sys.pac")).toEncoded());
        if (!variable.isEmpty())
            qputenv("http_proxy", variable.toUtf8());
        autoReadIEProxyConfig();
        QCOMPARE(systemProxyString(), proxy);
    }

    void unreachableScriptsGiveNothingWithinTheBound()
    {
        // A port nobody listens on: refused at once.
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        QCOMPARE(Proxy::httpGetText(QStringLiteral("http://127.0.0.1:%1/x.pac").arg(port)), QString());
        // A missing script: a 404 is no script.
        QCOMPARE(Proxy::httpGetText(m_server.url(QStringLiteral("/missing.pac")).toString()), QString());
        // A server that accepts and never answers: given up after the bound.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        QCOMPARE(Proxy::httpGetText(QStringLiteral("http://127.0.0.1:%1/x.pac").arg(silent.serverPort()), 300),
                 QString());
        QCOMPARE(Proxy::httpGetText(QStringLiteral("not a url")), QString());
    }

    void httpsScriptsAreVerified()
    {
        // A script behind a self-signed certificate is not trusted: nothing is read.
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty())
            QSKIP("openssl is not installed");
        const QString dir = TestEnv::root() + QStringLiteral("/tmp/tls");
        QDir().mkpath(dir);
        QProcess gen;
        gen.start(openssl, {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1",
                            "-keyout", dir + "/key.pem", "-out", dir + "/cert.pem"});
        QVERIFY(gen.waitForFinished(30000));
        QFile certFile(dir + QStringLiteral("/cert.pem")), keyFile(dir + QStringLiteral("/key.pem"));
        QVERIFY(certFile.open(QIODevice::ReadOnly) && keyFile.open(QIODevice::ReadOnly));
        TlsServer server(QSslCertificate(certFile.readAll()), QSslKey(keyFile.readAll(), QSsl::Rsa));
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString url = QStringLiteral("https://127.0.0.1:%1/proxy.pac").arg(server.serverPort());
        QCOMPARE(Proxy::httpGetText(url, 3000), QString());
        QVERIFY(server.handshakes > 0); // the server was reached; the client refused it
        QCOMPARE(server.served, 0);
    }
};

CW_TEST_MAIN(TestProxy)
#include "tst_proxy.moc"
