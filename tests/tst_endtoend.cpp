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
    // A proxy stored in an earlier session is the downloader's from the session's start,
    // before anyone opens the proxy settings (the driver passes it to every run).
    void aStoredProxyIsUsedFromTheSessionsStart()
    {
        Settings::writeSwitch(Key::Proxy_enabled, true);
        Settings::writeNumber(Key::Proxy_protocal, 0); // SOCKS5
        Settings::writeText(Key::Proxy_server, QStringLiteral("127.0.0.1"));
        Settings::writeText(Key::Proxy_port, QStringLiteral("1080"));
        setProxyString(QString()); // a fresh session knows nothing yet
        {
            DoRaDuvoZezavi window;
            QCOMPARE(proxyString(), QStringLiteral("socks5://127.0.0.1:1080"));
        }
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
            QString sizeShown, statusShown;
            connect(page->queue(), &DownloadQueue::itemProgress, this, [&](DLItemData *item) {
                maxProgress = qMax(maxProgress, item->currentProgress());
                if (const DLItemWidget *row = page->downloadList()->rowFor(item)) {
                    sizeShown = row->sizeText();
                    statusShown = row->statusText();
                }
            });
            QGuiApplication::clipboard()->setText(url);
            page->pasteURLButton_slots();
            QTRY_COMPARE_WITH_TIMEOUT(page->finishedList()->count(), 1, 90000);
            QVERIFY(chooserRows >= 1);
            QVERIFY2(maxProgress > 0 && maxProgress < 10000, qPrintable(QString::number(maxProgress)));
            // The site names no size; the transfer does, and the row shows it while it runs.
            QVERIFY2(sizeShown != QLatin1String("--"), qPrintable(sizeShown));
            QVERIFY2(!statusShown.contains(QLatin1String("-- / --")), qPrintable(statusShown));
            QCOMPARE(page->queue()->count(), 0);
            QCOMPARE(page->downloadedTabText(), QStringLiteral("Downloaded (1)"));

            const FinishedEntry *done = page->finishedList()->entryAt(0);
            finalPath = done->finishfilename;
            QVERIFY2(finalPath.startsWith(out + QLatin1Char('/')), qPrintable(finalPath));
            QVERIFY(done->filePresent);
            QCOMPARE(done->extformat, QStringLiteral("mp4"));
            QCOMPARE(done->duration, QStringLiteral("00:03"));
            QVERIFY(!done->size.trimmed().isEmpty() && done->size.trimmed() != QLatin1String("--"));
            const DecoderMediaInfo info = decoderMediaInfo(finalPath);
            QVERIFY(info.result == 0 && info.hasVideo && info.hasAudio);
        }

        // An unfinished download left in the queue, as a closed run leaves it.
        {
            DBManagerThread db(root + QStringLiteral("/cache"));
            DownloadRecord r;
            r.url = server.url(QStringLiteral("/media/second.mp4")).toString();
            r.formatid = QStringLiteral("0");
            r.md5 = itemKey(r.url, r.formatid);
            r.isenabled = true;
            db.insertLink(r.url);
            db.runStatement(DBManagerThread::fixChoiceStatement(r));
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
