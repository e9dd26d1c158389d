// The queue at scale: 10,000 links inserted and keyed, the load of 10,000 stored rows
// into the queue, and one scheduler pass over 10,000 waiting items.

#include "app/format.h"
#include "fakes/fakequeuecontext.h"
#include "queue/database.h"
#include "queue/downloaditem.h"
#include "queue/scheduler.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>

namespace
{
QString freshFolder(const QString &name)
{
    const QString dir = TestEnv::root() + QStringLiteral("/tmp/") + name;
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}

void fill(DBManagerThread &db, int rows)
{
    for (int i = 0; i < rows; ++i) {
        const QString url = QStringLiteral("https://vimeo.com/%1").arg(i);
        db.insertLink(url);
        db.runStatement(
            DBManagerThread::setKeyStatement(url, itemKey(url, QStringLiteral("18")), QStringLiteral("18")));
    }
}
} // namespace

class BenchQueue : public QObject
{
    Q_OBJECT
private slots:
    void insertAndKeyLinks_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("1,000 links") << 1000;
        QTest::newRow("10,000 links") << 10000;
    }
    void insertAndKeyLinks()
    {
        QFETCH(int, rows);
        int round = 0;
        QBENCHMARK_ONCE
        {
            DBManagerThread db(freshFolder(QStringLiteral("insert%1-%2").arg(rows).arg(++round)));
            fill(db, rows);
        }
    }

    void loadStoredRowsIntoTheQueue()
    {
        const QString dir = freshFolder(QStringLiteral("load"));
        {
            DBManagerThread db(dir);
            fill(db, 10000);
        }
        QBENCHMARK_ONCE
        {
            DBManagerThread db(dir);
            FakeQueueContext context;
            context.db = &db;
            DownloadQueue queue(&context);
            queue.setLoading(true);
            QObject::connect(&db, &DBManagerThread::checkwillLoad, &db, [&db]() { db.answerRestore(true); });
            QObject::connect(&db, &DBManagerThread::updateloaditem, &db, [&]() {
                QVector<DownloadRecord> records;
                for (const StoredRow &row : db.currentRows())
                    records << row.record;
                queue.addRestoredItems(records);
                db.setRowTaken();
            });
            QSignalSpy finished(&db, &QThread::finished);
            db.start();
            QVERIFY(finished.wait(60000));
            QCOMPARE(queue.count(), 10000);
        }
    }

    void onePassOverTenThousandItems()
    {
        FakeQueueContext context;
        context.limit = 2;
        DownloadQueue queue(&context);
        queue.setLoading(true);
        for (int i = 0; i < 10000; ++i) {
            DownloadRecord r;
            r.url = QStringLiteral("https://vimeo.com/%1").arg(i);
            queue.addRestoredItem(r)->setStateForTest(i < 2 ? ItemState::Downloading : ItemState::Paused);
        }
        queue.setLoading(false);
        QBENCHMARK
        {
            queue.downloadPass();
            queue.analysisPass();
        }
    }
};

CW_TEST_MAIN(BenchQueue)
#include "bench_queue.moc"
