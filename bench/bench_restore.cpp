// Opening the download page over a stored queue of 10,000 rows: the time from the first
// opening (the queue load) until the page is usable again, through the real page,
// offscreen. Unfinished rows come back into the queue, finished ones into their list.

#include "app/appenv.h"
#include "app/settings.h"
#include "queue/database.h"
#include "queue/downloaditem.h"
#include "queue/scheduler.h"
#include "testlib/testenv.h"
#include "views/downloadpage.h"
#include "views/finishedlist.h"
#include "widgets/messagedialogs.h"

#include <QDir>
#include <QElapsedTimer>

namespace
{
constexpr int kRows = 10000;

QString storedQueue(bool finished)
{
    const QString dir = TestEnv::root() + QStringLiteral("/tmp/restore-") + (finished ? "finished" : "unfinished");
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    DBManagerThread db(dir);
    QVector<SqlStatement> statements;
    for (int i = 0; i < kRows; ++i) {
        DownloadRecord r;
        r.url = QStringLiteral("https://vimeo.com/%1").arg(i);
        r.formatid = QStringLiteral("18");
        r.md5 = itemKey(r.url, r.formatid);
        r.name = QStringLiteral("Stored clip %1").arg(i);
        r.isenabled = true;
        r.finishfilename = QStringLiteral("/nonexistent/clip%1.mp4").arg(i);
        statements << DBManagerThread::insertLinkStatement(r.url)
                   << DBManagerThread::setKeyStatement(r.url, r.md5, r.formatid) << DBManagerThread::fullRowStatement(r);
        if (finished)
            statements << SqlStatement{QStringLiteral("UPDATE dldata set finishfilename=?,isfinished='1' WHERE md5=?"),
                                       {r.finishfilename, r.md5}};
    }
    db.runStatements(statements);
    return dir;
}
} // namespace

class BenchRestore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // No downloader in the application folder: restored items that start analysing
        // fail at once instead of running anything.
        const QString app = TestEnv::root() + QStringLiteral("/tmp/empty-app");
        QDir().mkpath(app);
        setAppDirPath(app);
    }

    void openThePageOverTenThousandRows_data()
    {
        QTest::addColumn<bool>("finished");
        QTest::newRow("10,000 unfinished rows, restored") << false;
        QTest::newRow("10,000 finished rows") << true;
    }
    void openThePageOverTenThousandRows()
    {
        QFETCH(bool, finished);
        const QString dir = storedQueue(finished);
        Settings::writeText(Settings::Key::DownloadTempFolder, dir);
        DLManagerWidget page;
        page.resize(998, 599);
        page.show();
        QCoreApplication::processEvents();
        if (!finished)
            DialogTestHook::answerNext(DialogTestHook::Press::OK); // "Yes", restore them
        QElapsedTimer clock;
        QBENCHMARK_ONCE
        {
            clock.start();
            page.fristLoad();
            while (page.queue()->isLoading())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QCoreApplication::processEvents();
        }
        qInfo("usable after %lld ms", clock.elapsed());
        if (finished) {
            QCOMPARE(page.finishedList()->count(), kRows);
            QCOMPARE(page.finishedList()->entryAt(kRows - 1)->name, QStringLiteral("Stored clip %1").arg(kRows - 1));
        } else {
            QCOMPARE(page.queue()->count(), kRows);
            QCOMPARE(page.queue()->items().first()->record().url, QStringLiteral("https://vimeo.com/0"));
            QCOMPARE(page.queue()->items().last()->record().url, QStringLiteral("https://vimeo.com/%1").arg(kRows - 1));
        }
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        page.mayExit();
    }
};

CW_TEST_MAIN(BenchRestore)
#include "bench_restore.moc"
