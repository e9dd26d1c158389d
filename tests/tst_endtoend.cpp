// A link pasted on the download page becomes a file, with nothing faked: the main
// window and its download page, the built youtubedl adapter, Debian's yt-dlp and
// ffmpeg, the decoder library, and a server on 127.0.0.1. A second start on the same
// folders shows the finished row again and restores an unfinished item.

#include "app/appenv.h"
#include "app/settings.h"
#include "engine/proxy.h"
#include "external/mydecoder.h"
#include "fakes/fakescenario.h"
#include "queue/database.h"
#include "queue/downloaditem.h"
#include "queue/intake.h"
#include "queue/scheduler.h"
#include "shell/mainwindow.h"
#include "testlib/localhttpserver.h"
#include "testlib/testenv.h"
#include "views/downloadlist.h"
#include "views/downloadpage.h"
#include "views/finishedlist.h"
#include "views/qualitychooser.h"
#include "widgets/messagedialogs.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

using Settings::Key;

class TestEndToEnd : public QObject
{
    Q_OBJECT

    static DLManagerWidget *downloadPage(DoRaDuvoZezavi &window)
    {
        return qobject_cast<DLManagerWidget *>(window.page(DoRaDuvoZezavi::Page::Download));
    }

private slots:
    // A proxy stored in an earlier session is used from the session's first downloader run,
    // before anyone opens the proxy settings.
    void aStoredProxyReachesTheFirstRunOfTheSession()
    {
        const QString root = TestEnv::root() + QStringLiteral("/tmp/proxy");
        const QString app = root + QStringLiteral("/app");
        QDir().mkpath(app);
        QDir().mkpath(root + QStringLiteral("/cache"));
        QVERIFY(FakeScenario::installAs(app + QStringLiteral("/youtubedl")));
        FakeScenario scenario(root + QStringLiteral("/scenario"));
        scenario.setInfoJson(FakeMedia::infoJson(QStringLiteral("p1"), QStringLiteral("Proxied"),
                                                 {FakeMedia::format("18", "mp4", 160, 90, "avc1", "mp4a", 9000)}));
        QVERIFY(scenario.write());
        setAppDirPath(app);
        Settings::writeText(Key::DownloadTempFolder, root + QStringLiteral("/cache"));
        Settings::writeSwitch(Key::Proxy_enabled, true);
        Settings::writeNumber(Key::Proxy_protocal, 0); // SOCKS5
        Settings::writeText(Key::Proxy_server, QStringLiteral("127.0.0.1"));
        Settings::writeText(Key::Proxy_port, QStringLiteral("1080"));
        setProxyString(QString()); // a fresh session knows nothing yet

        DoRaDuvoZezavi window;
        DLManagerWidget *page = downloadPage(window);
        window.showDownloadPage();
        window.fristLoad_slots();
        QTRY_VERIFY(!page->queue()->isLoading());
        page->intake()->pasteText(QStringLiteral("https://vimeo.com/1"));
        QTRY_VERIFY_WITH_TIMEOUT(!scenario.loggedRuns(FakeScenario::Job::Info).isEmpty(), 20000);
        QCOMPARE(scenario.loggedRuns(FakeScenario::Job::Info).first().proxy(),
                 QStringLiteral("socks5://127.0.0.1:1080"));
        page->queue()->DLItemRemoveAllItem_slots();
        Settings::writeSwitch(Key::Proxy_enabled, false);
        setProxyString(QString());
    }

    void aPastedLinkBecomesAFileAndSurvivesARestart()
    {
        const QString root = TestEnv::root() + QStringLiteral("/tmp");
        const QString media = root + QStringLiteral("/media"), out = root + QStringLiteral("/Videos");
        QDir().mkpath(media);
        QDir().mkpath(out);
        QVERIFY(FakeMedia::makeClip(media + QStringLiteral("/clip.mp4"), 3, true, true));
        QVERIFY(FakeMedia::makeClip(media + QStringLiteral("/second.mp4"), 2, true, true));
        LocalHttpServer server;
        QVERIFY(server.start());
        LocalHttpServer::Options slow;
        slow.bytesPerSecond = QFileInfo(media + QStringLiteral("/clip.mp4")).size() / 2; // about two seconds
        QVERIFY(
            server.addFile(QStringLiteral("/media/clip.mp4"), media + QStringLiteral("/clip.mp4"), QByteArray(), slow));
        QVERIFY(server.addFile(QStringLiteral("/media/second.mp4"), media + QStringLiteral("/second.mp4")));
        const QString url = server.url(QStringLiteral("/media/clip.mp4")).toString();

        setAppDirPath(TestEnv::binDir()); // the built application folder
        Settings::writeText(Key::DownloadTempFolder, root + QStringLiteral("/cache"));
        QDir().mkpath(root + QStringLiteral("/cache"));
        Settings::writeText(Key::SaveDownloadPath, out);

        QString finalPath;
        {
            DoRaDuvoZezavi window;
            DLManagerWidget *page = downloadPage(window);
            QVERIFY(page);
            window.showDownloadPage();
            window.fristLoad_slots();
            QTRY_VERIFY(!page->queue()->isLoading());
            for (int i = 0; i < 5; ++i)
                page->statusInfoLabel_slots();
            QVERIFY(page->acceptAnySite());

            int chooserRows = 0;
            SelectQualityWidget::answerNextWith([&chooserRows](SelectQualityWidget &chooser) {
                chooserRows = chooser.listedRows().size();
                chooser.downloadButton_slots();
            });
            int maxProgress = 0;
            connect(page->queue(), &DownloadQueue::itemProgress, this,
                    [&maxProgress](DLItemData *item) { maxProgress = qMax(maxProgress, item->currentProgress()); });
            QGuiApplication::clipboard()->setText(url);
            page->pasteURLButton_slots();
            QCOMPARE(page->queue()->count(), 1);
            QTRY_COMPARE_WITH_TIMEOUT(page->finishedList()->count(), 1, 90000);
            QVERIFY(chooserRows >= 1);
            QVERIFY2(maxProgress > 0 && maxProgress < 10000, qPrintable(QString::number(maxProgress)));
            QCOMPARE(page->queue()->count(), 0);
            QCOMPARE(page->downloadedTabText(), QStringLiteral("Downloaded (1)"));

            const FinishedEntry *done = page->finishedList()->entryAt(0);
            finalPath = done->finishfilename;
            QVERIFY2(finalPath.startsWith(out + QLatin1Char('/')), qPrintable(finalPath));
            QVERIFY(done->filePresent);
            QCOMPARE(done->extformat, QStringLiteral("mp4"));
            QCOMPARE(done->duration, QStringLiteral("00:03"));
            QVERIFY(!done->size.trimmed().isEmpty() && done->size.trimmed() != QLatin1String("--"));
            QVERIFY(page->finishedList()->rowFor(done));
            const DecoderMediaInfo info = decoderMediaInfo(finalPath);
            QCOMPARE(info.result, 0);
            QVERIFY(info.hasVideo && info.hasAudio);
        }

        // An unfinished download left in the queue, as a closed run leaves it.
        {
            DBManagerThread db(root + QStringLiteral("/cache"));
            const QString second = server.url(QStringLiteral("/media/second.mp4")).toString();
            db.insertLink(second);
            DownloadRecord r;
            r.url = second;
            r.formatid = QStringLiteral("0");
            r.md5 = itemKey(second, r.formatid);
            r.isenabled = true;
            db.runStatement(DBManagerThread::setKeyStatement(second, r.md5, r.formatid));
            db.runStatement(DBManagerThread::fullRowStatement(r));
        }

        DoRaDuvoZezavi again;
        DLManagerWidget *page = downloadPage(again);
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        again.showDownloadPage();
        again.fristLoad_slots();
        QTRY_VERIFY(!page->queue()->isLoading());
        QCOMPARE(DialogTestHook::lastMessage(),
                 QStringLiteral("1 video(s) were failed to download last time. Restore download(s)?"));
        QCOMPARE(page->finishedList()->count(), 1);
        QCOMPARE(page->finishedList()->entryAt(0)->finishfilename, finalPath);
        QCOMPARE(page->queue()->count(), 1);
        QVERIFY(page->queue()->items().first()->state() != ItemState::Stopped);
    }
};

CW_TEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
