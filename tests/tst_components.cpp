// The downloader components: `clipwright --update-components` against a local release
// server whose checksum lists are signed with a throw-away key, the refusals that keep the
// version in use, a roll-back, the adapter running what was installed with the JavaScript
// runtime, the daily automatic check, the settings dialog's Downloader page, and a current
// yt-dlp installed from a release downloading a clip through the program's driver.

#include "app/appenv.h"
#include "app/settings.h"
#include "engine/downloaddriver.h"
#include "external/components.h"
#include "fakes/fakescenario.h"
#include "settings/downloadersetwidget.h"
#include "testlib/localhttpserver.h"
#include "testlib/testenv.h"
#include "update/componentstore.h"
#include "update/componentupdater.h"
#include "update/componentupdates.h"
#include "widgets/controls.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSysInfo>

#include <archive.h>
#include <archive_entry.h>

using Settings::Key;

namespace
{
const QString kVendorYtdlp = QStringLiteral(CLIPWRIGHT_SOURCE_DIR "/../shared/vendor/yt-dlp-2026.08.19/yt-dlp");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size())
        return false;
    f.close();
    return !executable || f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QByteArray sha256(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

// A stand-in executable: prints the version for --version, otherwise records its
// arguments one per line in ARGS_FILE. The padding makes a download worth cutting off.
QByteArray versionScript(const QString &versionLine)
{
    return "#!/bin/sh\nif [ \"$1\" = --version ]; then echo '" + versionLine.toUtf8()
           + "'; exit 0; fi\n[ -n \"$ARGS_FILE\" ] && printf '%s\\n' \"$@\" > \"$ARGS_FILE\"\nexit 0\n# "
           + QByteArray(200000, 'x') + "\n";
}

QByteArray zipOf(const QString &entryName, const QByteArray &data)
{
    QByteArray out(int(data.size() + (1 << 16)), '\0');
    size_t used = 0;
    struct archive *writer = archive_write_new();
    archive_write_set_format_zip(writer);
    archive_write_open_memory(writer, out.data(), size_t(out.size()), &used);
    struct archive_entry *entry = archive_entry_new();
    archive_entry_set_pathname(entry, entryName.toUtf8().constData());
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0755);
    archive_entry_set_size(entry, data.size());
    archive_write_header(writer, entry);
    archive_write_data(writer, data.constData(), size_t(data.size()));
    archive_entry_free(entry);
    archive_write_close(writer);
    archive_write_free(writer);
    out.truncate(int(used));
    return out;
}

struct Run {
    int exitCode = -1;
    QStringList lines;
};

// What can be wrong with a served yt-dlp release.
enum class Fault {
    None,
    WrongChecksum,
    SignedByStranger,
    ChangedAfterSigning,
    NoSignature,
    PrintsAnotherVersion,
    DoesNotStart,
    CutOff,
    ServerGone
};
} // namespace
Q_DECLARE_METATYPE(Fault)

class TestComponents : public QObject
{
    Q_OBJECT

    LocalHttpServer m_server;
    QString m_gnupg;
    QString m_keyring;
    QString m_work;
    int m_case = 0;
    QString m_ytdlpAsset;
    QString m_denoAsset;

    bool gpg(const QStringList &args)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start("gpg",
                QStringList{"--batch", "--homedir", m_gnupg, "--passphrase", QString(), "--pinentry-mode", "loopback"}
                    + args);
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    QByteArray sign(const QByteArray &data, const QString &signer)
    {
        const QString in = m_work + "/to-sign";
        const QString out = in + ".sig";
        QFile::remove(out);
        if (!writeFile(in, data) || !gpg({"--local-user", signer, "--detach-sign", "-o", out, in}))
            return QByteArray();
        return readAll(out);
    }

    void serveRelease(const QString &repo, const QString &tag, const QList<QPair<QString, QByteArray>> &assets,
                      const LocalHttpServer::Options &cut = LocalHttpServer::Options())
    {
        QJsonArray list;
        for (const auto &asset : assets) {
            const QString path = QStringLiteral("/download/%1/%2/%3").arg(repo, tag, asset.first);
            m_server.addData(path, asset.second, "application/octet-stream",
                             asset.first.endsWith(QLatin1String(".zip")) || asset.first.startsWith(QLatin1String("yt"))
                                 ? cut
                                 : LocalHttpServer::Options());
            list.append(QJsonObject{{"name", asset.first}, {"browser_download_url", m_server.url(path).toString()}});
        }
        const QJsonObject release{{"tag_name", tag}, {"assets", list}};
        m_server.addData(QStringLiteral("/repos/%1/releases/latest").arg(repo), QJsonDocument(release).toJson(),
                         "application/json");
    }

    void serveYtdlp(const QString &version, Fault fault = Fault::None, const QByteArray &given = QByteArray())
    {
        QByteArray payload = given.isEmpty() ? versionScript(version) : given;
        if (fault == Fault::PrintsAnotherVersion)
            payload = versionScript("1999.01.01");
        if (fault == Fault::DoesNotStart)
            payload = "\x7f"
                      "ELF but not really"
                      + QByteArray(1000, '\0');
        const QByteArray listed = fault == Fault::WrongChecksum ? sha256("something else") : sha256(payload);
        QByteArray sums = sha256("windows build") + "  yt-dlp.exe\n" + listed + "  " + m_ytdlpAsset.toUtf8() + "\n";
        const QByteArray signature =
            sign(sums, fault == Fault::SignedByStranger ? "stranger@test.invalid" : "release@test.invalid");
        QVERIFY(!signature.isEmpty());
        if (fault == Fault::ChangedAfterSigning)
            sums += sha256("a file slipped in later") + "  yt-dlp_macos\n";
        QList<QPair<QString, QByteArray>> assets{{m_ytdlpAsset, payload}, {"SHA2-256SUMS", sums}};
        if (fault != Fault::NoSignature)
            assets.append({"SHA2-256SUMS.sig", signature});
        LocalHttpServer::Options cut;
        if (fault == Fault::CutOff)
            cut.dropAtOffset = payload.size() / 2;
        serveRelease("yt-dlp/yt-dlp", version, assets, cut);
    }

    void serveDeno(const QString &version)
    {
        const QByteArray zip = zipOf(
            "deno", versionScript(QStringLiteral("deno %1 (stable, release, x86_64-unknown-linux-gnu)").arg(version)));
        serveRelease(
            "denoland/deno", "v" + version,
            {{m_denoAsset, zip}, {m_denoAsset + ".sha256sum", sha256(zip) + "  " + m_denoAsset.toUtf8() + "\n"}});
    }

    QProcessEnvironment environment(bool serverUp = true) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CLIPWRIGHT_GITHUB_API", serverUp ? m_server.url(QString()).toString() : "http://127.0.0.1:9");
        env.insert("CLIPWRIGHT_COMPONENTS_KEYRING", m_keyring);
        return env;
    }

    Run run(const QString &program, const QStringList &args, const QProcessEnvironment &env)
    {
        Run r;
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(program, args);
        if (!p.waitForFinished(120000))
            return r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return r;
    }

    Run clipwright(const QString &command, bool serverUp = true)
    {
        return run(TestEnv::binDir() + "/clipwright", {command}, environment(serverUp));
    }

    QString adapterVersion()
    {
        QProcessEnvironment env = environment();
        env.insert("PATH", m_work + "/nothing");
        const Run r = run(TestEnv::binDir() + "/youtubedl", {"--version"}, env);
        return r.lines.value(0);
    }

    // The JavaScript runtime the adapter hands yt-dlp (recorded by the stand-in), or "" for none.
    QString runtimeArgument(QProcessEnvironment env)
    {
        const QString argsFile = m_work + QStringLiteral("/args%1").arg(m_case);
        QFile::remove(argsFile);
        env.insert("ARGS_FILE", argsFile);
        run(TestEnv::binDir() + "/youtubedl",
            {"--no-warnings", "--ignore-errors", "--skip-download", "--list-subs", "http://127.0.0.1:9/clip"}, env);
        const QStringList args = QString::fromUtf8(readAll(argsFile)).split('\n');
        const int at = args.indexOf("--js-runtimes");
        return at < 0 ? QString("") : args.value(at + 1);
    }

    // Nothing but the two links and version folders: no staging or half-switched leftovers.
    QStringList leftovers(const QString &name) const
    {
        QStringList odd;
        const QStringList entries =
            QDir(Components::folder(name))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &entry : entries) {
            if (entry != Components::CurrentLink && entry != Components::PreviousLink
                && !Components::isValidVersion(entry))
                odd.append(entry);
        }
        return odd;
    }

    void installFirstVersions()
    {
        serveYtdlp("2030.01.01");
        serveDeno("2.9.9");
        const Run first = clipwright("--update-components");
        QCOMPARE(first.lines, (QStringList{QStringLiteral("yt-dlp: (none) -> 2030.01.01"), "deno: (none) -> 2.9.9"}));
        QCOMPARE(first.exitCode, 0);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        m_work = TestEnv::root() + "/tmp/work";
        m_gnupg = TestEnv::root() + "/tmp/gnupg";
        QDir().mkpath(m_work);
        QDir().mkpath(m_gnupg);
        QFile::setPermissions(m_gnupg, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (QStandardPaths::findExecutable("gpg").isEmpty() || QStandardPaths::findExecutable("gpgv").isEmpty())
            QSKIP("gpg and gpgv are needed (scripts/setup installs gnupg and gpgv)");
        // A throw-away release key, whose public half is the keyring, and a stranger's key.
        for (const char *who : {"release", "stranger"})
            QVERIFY(gpg({"--quick-gen-key", QLatin1String(who) + "@test.invalid", "ed25519", "sign", "never"}));
        m_keyring = m_work + "/release.gpg";
        QVERIFY(gpg({"--export", "-o", m_keyring, "release@test.invalid"}));
        const QString arch = QSysInfo::currentCpuArchitecture();
        m_ytdlpAsset = ComponentUpdater::assetName(Components::YtDlp, arch);
        m_denoAsset = ComponentUpdater::assetName(Components::Deno, arch);
        if (m_ytdlpAsset.isEmpty())
            QSKIP("no component builds for this machine's architecture");
    }

    void cleanupTestCase()
    {
        // gpg started an agent for the key generation; it ends with the keys.
        QProcess::execute("gpgconf", {"--homedir", m_gnupg, "--kill", "gpg-agent"});
        ComponentUpdates::instance()->stop();
    }

    void init()
    {
        // Every case starts without components.
        qputenv("XDG_DATA_HOME", QFile::encodeName(TestEnv::root() + QStringLiteral("/data%1").arg(++m_case)));
        qunsetenv("CLIPWRIGHT_YTDLP");
        TestEnv::clearSettings();
    }

    void firstInstallIsWhatTheAdapterRunsWithTheRuntime()
    {
        installFirstVersions();
        const QString deno = Components::executable(Components::Deno, "2.9.9");
        QCOMPARE(Components::currentExecutable(Components::Deno), deno);
        QCOMPARE(adapterVersion(), QStringLiteral("2030.01.01"));
        // The installed yt-dlp runs, and being recent it gets the deno component.
        QCOMPARE(runtimeArgument(environment()), "deno:" + deno);
        const Run shown = clipwright("--components");
        QCOMPARE(shown.exitCode, 0);
        QVERIFY(shown.lines.contains("yt-dlp: current 2030.01.01, previous (none)"));
        QVERIFY(shown.lines.contains("adapter passes JavaScript runtime: deno:" + deno));
    }

    void aRefusedUpdateKeepsTheVersionInUse_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("step");
        QTest::newRow("a checksum that does not match") << Fault::WrongChecksum << "checksum";
        QTest::newRow("a list signed by another key") << Fault::SignedByStranger << "signature check";
        QTest::newRow("a list changed after signing") << Fault::ChangedAfterSigning << "signature check";
        QTest::newRow("a release without a signature") << Fault::NoSignature << "signature check";
        QTest::newRow("a build that prints another version") << Fault::PrintsAnotherVersion << "smoke test";
        QTest::newRow("a build that does not start") << Fault::DoesNotStart << "smoke test";
        QTest::newRow("a download cut off halfway") << Fault::CutOff << "download";
        QTest::newRow("no server to ask") << Fault::ServerGone << "release information";
    }
    void aRefusedUpdateKeepsTheVersionInUse()
    {
        QFETCH(Fault, fault);
        QFETCH(QString, step);
        installFirstVersions();
        serveYtdlp("2031.02.02", fault);
        const Run r = clipwright("--update-components", fault != Fault::ServerGone);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.lines.value(0).startsWith("yt-dlp: failed at " + step + ": "), qPrintable(r.lines.value(0)));
        QVERIFY(r.lines.value(0).endsWith("; still using 2030.01.01"));
        QCOMPARE(Components::currentVersion(Components::YtDlp), QStringLiteral("2030.01.01"));
        QCOMPARE(Components::previousVersion(Components::YtDlp), QString());
        QCOMPARE(leftovers(Components::YtDlp), QStringList());
        QVERIFY(!QFileInfo::exists(Components::folder(Components::YtDlp) + "/2031.02.02"));
        QCOMPARE(adapterVersion(), QStringLiteral("2030.01.01"));
    }

    // A roll-back needs a previous version; an update keeps one to go back to.
    void aSecondUpdateThenARollBack()
    {
        installFirstVersions();
        Run r = clipwright("--rollback-components");
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.lines.value(0).startsWith("yt-dlp: failed at roll-back"), qPrintable(r.lines.value(0)));
        QCOMPARE(Components::currentVersion(Components::YtDlp), QStringLiteral("2030.01.01"));

        serveYtdlp("2031.02.02");
        serveDeno("3.0.0");
        r = clipwright("--update-components");
        QCOMPARE(r.lines, (QStringList{"yt-dlp: 2030.01.01 -> 2031.02.02", "deno: 2.9.9 -> 3.0.0"}));
        QCOMPARE(Components::previousVersion(Components::YtDlp), QStringLiteral("2030.01.01"));
        QCOMPARE(adapterVersion(), QStringLiteral("2031.02.02"));

        // The release in use is not fetched again.
        m_server.clearRequests();
        r = clipwright("--update-components");
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.lines.value(0), QStringLiteral("yt-dlp: 2031.02.02 (up to date)"));
        QCOMPARE(m_server.requests().size(), 2);

        r = clipwright("--rollback-components");
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.lines, (QStringList{"yt-dlp: 2031.02.02 -> 2030.01.01", "deno: 3.0.0 -> 2.9.9"}));
        QCOMPARE(Components::currentVersion(Components::YtDlp), QStringLiteral("2030.01.01"));
        QCOMPARE(Components::previousVersion(Components::YtDlp), QStringLiteral("2031.02.02"));
        QCOMPARE(adapterVersion(), QStringLiteral("2030.01.01"));

        // The release rolled back from is not brought straight back; a newer one is taken.
        m_server.clearRequests();
        r = clipwright("--update-components");
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.lines.value(0), QStringLiteral("yt-dlp: 2030.01.01 (2031.02.02 was rolled back)"));
        QCOMPARE(m_server.requests().size(), 2);
        serveYtdlp("2032.03.03");
        r = clipwright("--update-components");
        QCOMPARE(r.lines.value(0), QStringLiteral("yt-dlp: 2030.01.01 -> 2032.03.03"));
    }

    void leftoversOfACrashAreClearedAndNeverRun()
    {
        installFirstVersions();
        // What a run killed mid-way leaves: a half download and a link never renamed into place.
        const QString folder = Components::folder(Components::YtDlp);
        QVERIFY(writeFile(folder + "/.staging-abc123/yt-dlp_linux", "half"));
        QVERIFY(QFile::link("2031.02.02", folder + "/.current-4242"));
        QCOMPARE(adapterVersion(), QStringLiteral("2030.01.01"));
        serveYtdlp("2030.01.01");
        QCOMPARE(clipwright(QStringLiteral("--update-components")).exitCode, 0);
        QCOMPARE(leftovers(Components::YtDlp), QStringList());
    }

    void theAdapterSearchesInOrder_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("expected");
        const QStringList all{"environment", "component", "beside", "path"};
        QTest::newRow("CLIPWRIGHT_YTDLP first") << all << "1.0.1";
        QTest::newRow("then the current component") << QStringList(all.mid(1)) << "1.0.2";
        QTest::newRow("then a yt-dlp beside the adapter") << QStringList(all.mid(2)) << "1.0.3";
        QTest::newRow("then PATH") << QStringList(all.mid(3)) << "1.0.4";
    }
    void theAdapterSearchesInOrder()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, expected);
        const QString base = m_work + QStringLiteral("/order%1").arg(m_case);
        const QString adapter = base + "/app/youtubedl";
        QVERIFY(writeFile(adapter, readAll(TestEnv::binDir() + "/youtubedl"), true));
        QProcessEnvironment env = environment();
        env.insert("PATH", base + "/path");
        if (present.contains("environment")) {
            QVERIFY(writeFile(base + "/env/yt-dlp", versionScript("1.0.1"), true));
            env.insert("CLIPWRIGHT_YTDLP", base + "/env/yt-dlp");
        }
        if (present.contains("component")) {
            QVERIFY(writeFile(Components::executable(Components::YtDlp, "1.0.2"), versionScript("1.0.2"), true));
            QString error;
            QVERIFY(ComponentStore::pointLink(Components::YtDlp, Components::CurrentLink, "1.0.2", &error));
        }
        if (present.contains("beside"))
            QVERIFY(writeFile(base + "/app/yt-dlp", versionScript("1.0.3"), true));
        QVERIFY(writeFile(base + "/path/yt-dlp", versionScript("1.0.4"), true));
        const Run r = run(adapter, {"--version"}, env);
        QCOMPARE(r.lines.value(0), expected);
    }

    void theRuntimeFollowsTheYtdlpVersion_data()
    {
        QTest::addColumn<QString>("ytdlp");
        QTest::addColumn<bool>("deno");
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("expected");
        QTest::newRow("an older yt-dlp never gets the option") << "2025.10.22" << true << "v22.1.0" << QString("");
        QTest::newRow("a current yt-dlp gets the deno component")
            << "2025.11.12" << true << "v22.1.0" << QString("deno");
        QTest::newRow("without deno, node 20 from PATH") << "2026.08.19" << false << "v20.0.0" << QString("node");
        QTest::newRow("node 18 is too old for it") << "2026.08.19" << false << "v18.19.1" << QString("");
        QTest::newRow("with neither, nothing") << "2026.08.19" << false << "" << QString("");
    }
    void theRuntimeFollowsTheYtdlpVersion()
    {
        QFETCH(QString, ytdlp);
        QFETCH(bool, deno);
        QFETCH(QString, node);
        QFETCH(QString, expected);
        const QString base = m_work + QStringLiteral("/runtime%1").arg(m_case);
        QProcessEnvironment env = environment();
        env.insert("PATH", base + "/path");
        QVERIFY(writeFile(base + "/yt-dlp", versionScript(ytdlp), true));
        env.insert("CLIPWRIGHT_YTDLP", base + "/yt-dlp");
        if (!node.isEmpty())
            QVERIFY(writeFile(base + "/path/node", versionScript(node), true));
        const QString denoPath = Components::executable(Components::Deno, "2.9.9");
        QString error;
        if (deno) {
            QVERIFY(writeFile(denoPath, versionScript("deno 2.9.9"), true));
            QVERIFY(ComponentStore::pointLink(Components::Deno, Components::CurrentLink, "2.9.9", &error));
        }
        QCOMPARE(runtimeArgument(env), expected == QLatin1String("deno") ? "deno:" + denoPath : expected);
    }

    void checksumLists_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray a(64, 'a');
        const QByteArray b(64, 'B');
        QTest::newRow("the line that names the file")
            << QByteArray(a + "  other\n" + b + "  file.zip\n") << b.toLower();
        QTest::newRow("a binary-mode star before the name") << QByteArray(b + " *file.zip\n") << b.toLower();
        QTest::newRow("a lone checksum") << QByteArray(a + "\n") << a;
        QTest::newRow("a list that does not name the file") << QByteArray(a + "  other\n") << QByteArray();
        QTest::newRow("a name that only ends the same") << QByteArray(a + "  my-file.zip\n") << QByteArray();
        QTest::newRow("a checksum one digit short") << QByteArray(a.left(63) + "  file.zip\n") << QByteArray();
    }
    void checksumLists()
    {
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, expected);
        QCOMPARE(ComponentRelease::expectedSha256(list, QStringLiteral("file.zip")), expected);
    }

    void onlyTheOneFileIsUnpacked()
    {
        // An archive whose entry tries to leave the folder gives nothing.
        const QString folder = m_work + QStringLiteral("/unpack%1").arg(m_case);
        QVERIFY(writeFile(folder + "/evil.zip", zipOf("../deno", "x")));
        QString error;
        QVERIFY(!ComponentRelease::extractEntry(folder + "/evil.zip", "deno", folder + "/out/deno", &error));
        QVERIFY(!QFileInfo::exists(m_work + "/deno"));
        QVERIFY(!QFileInfo::exists(folder + "/out/deno"));
    }

    void theDailyCheck_data()
    {
        QTest::addColumn<bool>("switchedOn");
        QTest::addColumn<int>("hoursAgo"); // 0: never checked
        QTest::addColumn<bool>("downloading");
        QTest::addColumn<bool>("runs");
        QTest::newRow("never checked runs") << true << 0 << false << true;
        QTest::newRow("a day and an hour ago runs") << true << 25 << false << true;
        QTest::newRow("two hours ago waits") << true << 2 << false << false;
        QTest::newRow("a check dated in the future runs") << true << -30 << false << true;
        QTest::newRow("switched off never runs") << false << 0 << false << false;
        QTest::newRow("a running download holds it off") << true << 0 << true << false;
    }
    void theDailyCheck()
    {
        QFETCH(bool, switchedOn);
        QFETCH(int, hoursAgo);
        QFETCH(bool, downloading);
        QFETCH(bool, runs);
        Settings::writeSwitch(Key::AutoUpdateComponents, switchedOn);
        if (hoursAgo != 0)
            Settings::writeText(Key::LastComponentCheck,
                                QDateTime::currentDateTimeUtc().addSecs(-3600 * hoursAgo).toString(Qt::ISODate));
        ComponentAutoCheck::setTimings({-1, -1});
        ComponentAutoCheck check([downloading]() { return downloading; });
        QSignalSpy finished(ComponentUpdates::instance(), &ComponentUpdates::finished);
        QCOMPARE(check.checkIfDue(), runs);
        if (!runs)
            return;
        // The check (against a closed port here) is stamped and not repeated the same day.
        QVERIFY(finished.wait(30000));
        QVERIFY(!check.checkIfDue());
    }

    void theDownloaderPageChecksAndRollsBack()
    {
        serveYtdlp("2030.01.01");
        serveDeno("2.9.9");
        qputenv("CLIPWRIGHT_GITHUB_API", m_server.url(QString()).toString().toUtf8());
        qputenv("CLIPWRIGHT_COMPONENTS_KEYRING", QFile::encodeName(m_keyring));
        DownloaderSetWidget page;
        page.resize(838, 599);
        page.loadSettings();
        page.retranslate();
        page.show();
        QVERIFY(page.autoUpdateBox()->isChecked());
        QVERIFY(!page.rollbackButton()->isEnabled());

        const auto check = [&page]() {
            QSignalSpy finished(ComponentUpdates::instance(), &ComponentUpdates::finished);
            page.checkButton_slots();
            // While it runs: the bar shows and a second check cannot start.
            QVERIFY(page.progressBar()->isVisibleTo(&page));
            QVERIFY(!page.checkButton()->isEnabled());
            QVERIFY(finished.wait(60000));
            QVERIFY(!page.progressBar()->isVisibleTo(&page));
        };
        check();
        QCOMPARE(page.resultLabel()->text(), QStringLiteral("yt-dlp: 2030.01.01 installed\ndeno: 2.9.9 installed"));
        QCOMPARE(page.ytdlpLabel()->text(), QStringLiteral("2030.01.01, installed by Clipwright"));
        QCOMPARE(page.runtimeLabel()->text(), QStringLiteral("deno 2.9.9, installed by Clipwright"));

        serveYtdlp("2031.02.02", Fault::SignedByStranger);
        check();
        QVERIFY(page.resultLabel()->text().startsWith(
            "yt-dlp: not updated, the signature is missing or wrong; 2030.01.01 stays in use."));

        serveYtdlp("2031.02.02");
        check();
        QVERIFY(page.resultLabel()->text().startsWith("yt-dlp: updated from 2030.01.01 to 2031.02.02"));
        QVERIFY(page.rollbackButton()->isEnabled());
        page.rollbackButton_slots();
        QVERIFY(page.resultLabel()->text().startsWith("yt-dlp: back to 2030.01.01"));
        QCOMPARE(page.ytdlpLabel()->text(), QStringLiteral("2030.01.01, installed by Clipwright; previous 2031.02.02"));

        page.autoUpdateBox()->click();
        QVERIFY(!Settings::readSwitch(Key::AutoUpdateComponents));
        qputenv("CLIPWRIGHT_GITHUB_API", "http://127.0.0.1:9");
        qunsetenv("CLIPWRIGHT_COMPONENTS_KEYRING");
    }

    void aCurrentYtdlpFromAReleaseDownloadsThroughTheProgram()
    {
        if (!QFileInfo(kVendorYtdlp).isExecutable())
            QSKIP("../shared/vendor/yt-dlp-2026.08.19/yt-dlp is absent (it is outside the repository)");
        serveYtdlp("2026.08.19", Fault::None, readAll(kVendorYtdlp));
        serveDeno("2.9.9");
        const Run installed = clipwright("--update-components");
        QCOMPARE(installed.exitCode, 0);
        QCOMPARE(installed.lines.value(0), QStringLiteral("yt-dlp: (none) -> 2026.08.19"));
        QVERIFY(clipwright("--components")
                    .lines.contains("adapter runs yt-dlp: 2026.08.19 (component) "
                                    + Components::executable(Components::YtDlp, "2026.08.19")));

        // The program's driver, the built adapter and the installed yt-dlp fetch a served clip.
        const QString clip = m_work + "/clip.mp4";
        QVERIFY(FakeMedia::makeClip(clip, 1, true, true));
        QVERIFY(m_server.addFile("/media/clip.mp4", clip));
        const QString app = m_work + "/app";
        QVERIFY(TestEnv::makeRealApplicationFolder(app));
        const QString previousApp = appDirPath();
        setAppDirPath(app);
        const QString out = m_work + "/out";
        QDir().mkpath(out);
        Settings::writeText(Key::DownloadTempFolder, m_work + "/cache");
        YoutobeDownloadObj driver;
        QSignalSpy analysed(&driver, &YoutobeDownloadObj::getInfoFinished);
        driver.getInfo(m_server.url("/media/clip.mp4").toString());
        QVERIFY(analysed.wait(120000));
        QVERIFY(driver.m_infoReady && driver.mediaInfo() && !driver.mediaInfo()->formats().isEmpty());
        MediaInfo *media = driver.mediaInfo();
        driver.m_formatId = media->formats().first().id;
        media->selectFormatById(driver.m_formatId);
        driver.m_outputFolder = out;
        QSignalSpy downloaded(&driver, &YoutobeDownloadObj::downloadFinished);
        driver.startDownload(media);
        QVERIFY(downloaded.wait(120000));
        setAppDirPath(previousApp);
        QCOMPARE(int(media->state), int(MediaInfo::StateFinished));
        QCOMPARE(QFileInfo(media->finalPath).size(), QFileInfo(clip).size());
    }
};

CW_TEST_MAIN(TestComponents)
#include "tst_components.moc"
