// The stand-ins for the operating-system interfaces.

#include "platform/instancechannel.h"
#include "platform/platform.h"
#include "platform/singleinstance.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSysInfo>

#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

class TestPlatform : public QObject
{
    Q_OBJECT
private slots:
    // The environment's proxy, or its proxy script, is what the system proxy choice uses.
    void systemProxyFromEnvironment_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("enable");
        QTest::addColumn<QString>("script");
        QTest::newRow("no proxy variable: disabled") << QByteArray() << QByteArray() << "" << 0 << "";
        QTest::newRow("http_proxy loses its slash")
            << QByteArray("http_proxy") << QByteArray("http://10.0.0.1:3128/") << "http://10.0.0.1:3128" << 1 << "";
        QTest::newRow("HTTPS_PROXY as host and port")
            << QByteArray("HTTPS_PROXY") << QByteArray("proxy.lan:8080") << "proxy.lan:8080" << 1 << "";
        QTest::newRow("all_proxy socks") << QByteArray("all_proxy") << QByteArray("socks5://127.0.0.1:1080")
                                         << "socks5://127.0.0.1:1080" << 1 << "";
        QTest::newRow("blank value: disabled") << QByteArray("http_proxy") << QByteArray("   ") << "" << 0 << "";
        QTest::newRow("CLIPWRIGHT_PROXY_PAC names the proxy script")
            << QByteArray("CLIPWRIGHT_PROXY_PAC") << QByteArray("http://127.0.0.1:9/proxy.pac") << "" << 0
            << "http://127.0.0.1:9/proxy.pac";
    }
    void systemProxyFromEnvironment()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, value);
        QFETCH(QString, server);
        QFETCH(int, enable);
        QFETCH(QString, script);
        if (!variable.isEmpty())
            qputenv(variable.constData(), value);
        const Platform::SystemProxyValues v = Platform::systemProxyValues();
        if (!variable.isEmpty())
            qunsetenv(variable.constData());
        QCOMPARE(v.proxyEnable, enable);
        QCOMPARE(v.proxyServer, server);
        QCOMPARE(v.autoConfigUrl, script);
    }

    // A file or a link planted where a private folder should be is refused, never followed.
    void aPrivateFolderIsNeverAFileOrALink()
    {
        const QString file = TestEnv::root() + "/tmp/plain-file";
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(Platform::ensurePrivateFolder(file), QString());
        const QString target = TestEnv::root() + "/tmp/elsewhere";
        QVERIFY(QDir().mkpath(target));
        const QString link = TestEnv::root() + "/tmp/linked";
        QVERIFY(QFile::link(target, link));
        QCOMPARE(Platform::ensurePrivateFolder(link), QString());
    }

    // The single-instance lock: a living copy's lock holds; a dead copy's is taken over,
    // also while a child it forked (stuck before its exec) still holds the file locked.
    void instanceLockIsTakenOverOnlyFromTheDead_data()
    {
        QTest::addColumn<bool>("holderAlive");
        QTest::addColumn<bool>("fileLockHeld");
        QTest::addColumn<bool>("acquired");
        QTest::newRow("a living copy's lock holds") << true << true << false;
        QTest::newRow("a dead copy's lock is taken over") << false << false << true;
        QTest::newRow("a dead copy's lock is taken over while an orphaned child keeps it locked")
            << false << true << true;
    }
    void instanceLockIsTakenOverOnlyFromTheDead()
    {
        QFETCH(bool, holderAlive);
        QFETCH(bool, fileLockHeld);
        QFETCH(bool, acquired);
        const QString path = SingleInstanceGuard::lockFilePathFor("LockTest");
        QFile::remove(path);
        qint64 pid = QCoreApplication::applicationPid();
        if (!holderAlive) {
            QProcess shell;
            shell.start("sh", {"-c", "echo $$"});
            QVERIFY(shell.waitForFinished());
            pid = shell.readAllStandardOutput().trimmed().toLongLong();
        }
        QFile lock(path);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(pid) + '\n'
                   + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n'
                   + QSysInfo::machineHostName().toUtf8() + '\n');
        lock.close();
        const int fd = fileLockHeld ? ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC) : -1;
        if (fileLockHeld)
            QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);

        SingleInstanceGuard guard("LockTest");
        QCOMPARE(guard.tryAcquire(), acquired);
        QVERIFY(lock.open(QIODevice::ReadOnly));
        QCOMPARE(lock.readLine().trimmed().toLongLong(), acquired ? QCoreApplication::applicationPid() : pid);
        if (fd >= 0)
            ::close(fd);
    }

    // What a later start (or any local peer) sends the running copy: only whole requests
    // within the bounds count. The over-long line is tried against the real program.
    void instanceChannelTakesOnlyWholeBoundedRequests_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<bool>("hangUpAfterSending");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("links with spaces and non-ASCII letters arrive whole and in order")
            << QByteArray("https://vimeo.com/1 Gr\xc3\xbc\xc3\x9f"
                          "e\r\nhttps://x.test/\xe6\x97\xa5\n\n")
            << false << true
            << QStringList{QString::fromUtf8("https://vimeo.com/1 Gr\xc3\xbc\xc3\x9f"
                                             "e"),
                           QString::fromUtf8("https://x.test/\xe6\x97\xa5")};
        QTest::newRow("an empty request only asks for the window")
            << QByteArray("\n") << false << true << QStringList();
        QTest::newRow("more lines than allowed drop the peer")
            << QByteArray("https://a.test/\n").repeated(InstanceChannel::MaxLines + 1) + '\n'
            << false << false << QStringList();
        QTest::newRow("a peer that hangs up before the empty line delivers nothing")
            << QByteArray("https://a.test/\n") << true << false << QStringList();
    }
    void instanceChannelTakesOnlyWholeBoundedRequests()
    {
        QFETCH(QByteArray, sent);
        QFETCH(bool, hangUpAfterSending);
        QFETCH(bool, taken);
        QFETCH(QStringList, lines);
        InstanceChannel channel("ChannelTest");
        QVERIFY(channel.listen() && channel.socketPath().startsWith(TestEnv::root() + "/runtime/"));
        QCOMPARE(QFileInfo(channel.socketPath()).permissions() & 0x0077, QFile::Permissions());
        QList<QStringList> received;
        connect(&channel, &InstanceChannel::received, this, [&received](const QStringList &l) { received << l; });

        // The peer blocks on its socket, so it runs beside the channel's event loop.
        QByteArray reply;
        std::atomic<bool> done{false};
        std::thread peer([&]() {
            QLocalSocket socket;
            socket.connectToServer(channel.socketPath());
            if (socket.waitForConnected(5000)) {
                socket.write(sent);
                while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(5000)) {
                }
                if (!hangUpAfterSending) {
                    while (socket.waitForReadyRead(5000))
                        reply += socket.readAll();
                    reply += socket.readAll();
                }
            }
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done, 15000);
        peer.join();
        // Every connection is closed and gone before anything is judged.
        QTRY_VERIFY(channel.findChildren<QLocalSocket *>().isEmpty());
        QCOMPARE(reply, taken ? QByteArray("OK\n") : QByteArray());
        QCOMPARE(received, taken ? QList<QStringList>{lines} : QList<QStringList>());
    }
};

CW_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
