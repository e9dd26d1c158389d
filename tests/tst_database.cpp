// The stored queue: data.db and its dldata table, every statement, the load with its
// restore question and row-by-row hand-over, and files that are not what they seem.

#include "queue/database.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace
{
QString folderFor(const QString &name)
{
    const QString dir = TestEnv::root() + QStringLiteral("/tmp/db-") + name;
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}

DownloadRecord record(const QString &url, const QString &format)
{
    DownloadRecord r;
    r.url = url;
    r.formatid = format;
    r.md5 = itemKey(url, format);
    r.frame = QStringLiteral("1920x1080");
    r.name = QStringLiteral("It's \"quoted\" ' OR '1'='1");
    r.dlfolder = QStringLiteral("O'Neil's list");
    r.savepath = QStringLiteral("/home/o'brien/Videos");
    r.convertformat = QStringLiteral("mp4");
    r.issubtitle = true;
    r.subtitlelang = QStringLiteral("en'");
    r.isenabled = true;
    r.progress = 4200;
    return r;
}

// Stores url as a queued link chosen in r's format, as the queue does.
void storeKeyed(DBManagerThread &db, const QString &url, const DownloadRecord &r)
{
    db.insertLink(url);
    db.runStatement(DBManagerThread::setKeyStatement(url, r.md5, r.formatid));
}

// Runs statements on a data.db through a connection of its own, as another program
// would; returns the first column of the last statement's rows ("failed" if it fails).
QStringList rawSql(const QString &path, const QStringList &statements)
{
    QStringList out;
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), path);
        raw.setDatabaseName(path);
        raw.open();
        QSqlQuery q(raw);
        for (const QString &statement : statements) {
            out = q.exec(statement) ? QStringList() : QStringList{QStringLiteral("failed")};
            while (q.next())
                out << q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(path);
    return out;
}

struct LoadResult {
    QVector<StoredRow> rows;
    int questions = 0;
};

// Runs the queue load as the page does, answering the restore question.
LoadResult load(DBManagerThread &db, bool restore)
{
    LoadResult result;
    QObject::connect(&db, &DBManagerThread::checkwillLoad, &db, [&]() {
        ++result.questions;
        db.answerRestore(restore);
    });
    QObject::connect(&db, &DBManagerThread::updateloaditem, &db, [&]() {
        result.rows << db.currentRows();
        db.setRowTaken();
    });
    QSignalSpy finished(&db, &QThread::finished);
    db.start();
    if (!finished.wait(30000))
        qWarning("the queue load did not finish");
    return result;
}
} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT
private slots:
    void anEmptyFolderGetsTheTableAndLoadsNothing()
    {
        const QString dir = folderFor("empty");
        DBManagerThread db(dir);
        QVERIFY(db.isUsable());
        QVERIFY(QFile::exists(dir + QStringLiteral("/data.db")));
        const LoadResult r = load(db, true);
        QCOMPARE(r.questions, 0);
        QCOMPARE(r.rows.size(), 0);
    }

    void quotesRoundTripInEveryColumn()
    {
        const QString dir = folderFor("quotes");
        const QString url = QStringLiteral("https://www.youtube.com/watch?v=a'b\"c");
        {
            DBManagerThread db(dir);
            DownloadRecord r = record(url, QStringLiteral("137'"));
            storeKeyed(db, url, r);
            QVERIFY(db.runStatement(DBManagerThread::fullRowStatement(r)));
            r.finishfilename = QStringLiteral("/v/It's here.mp4");
            r.thumb = QStringLiteral("/c/'x'/thumb.jpg");
            QVERIFY(db.markFinished(r) > 0);
        }
        DBManagerThread db(dir); // survives closing and opening again
        const QVector<StoredRow> rows = db.allRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().isfinished, 1);
        const DownloadRecord &got = rows.first().record;
        const DownloadRecord want = record(url, QStringLiteral("137'"));
        for (QString DownloadRecord::*text :
             {&DownloadRecord::url, &DownloadRecord::formatid, &DownloadRecord::name, &DownloadRecord::dlfolder,
              &DownloadRecord::savepath, &DownloadRecord::subtitlelang, &DownloadRecord::md5})
            QCOMPARE(got.*text, want.*text);
        QCOMPARE(got.progress, 4200);
        QVERIFY(got.issubtitle && got.isenabled);
        QCOMPARE(got.finishfilename, QStringLiteral("/v/It's here.mp4"));
        QCOMPARE(got.thumb, QStringLiteral("/c/'x'/thumb.jpg"));
    }

    void aQuoteNeverWidensADelete()
    {
        const QString dir = folderFor("widen");
        DBManagerThread db(dir);
        db.insertLink(QStringLiteral("https://a"));
        db.insertLink(QStringLiteral("https://b"));
        QVERIFY(db.runStatement(DBManagerThread::deleteItemStatement(QStringLiteral("x' OR '1'='1"), QString())));

        QCOMPARE(db.allRows().size(), 2);
    }

    void restoreQuestion_data()
    {
        QTest::addColumn<int>("unfinished");
        QTest::addColumn<int>("finished");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("loaded");
        QTest::newRow("only finished rows: no question, all load") << 0 << 3 << true << 0 << 3;
        QTest::newRow("two unfinished, restored") << 2 << 1 << true << 1 << 3;
        QTest::newRow("two unfinished, declined: deleted, finished load") << 2 << 1 << false << 1 << 1;
    }
    void restoreQuestion()
    {
        QFETCH(int, unfinished);
        QFETCH(int, finished);
        QFETCH(bool, answer);
        QFETCH(int, questions);
        QFETCH(int, loaded);
        const QString dir = folderFor(QStringLiteral("restore%1%2%3").arg(unfinished).arg(finished).arg(answer));
        {
            DBManagerThread db(dir);
            for (int i = 0; i < unfinished + finished; ++i) {
                const QString url = QStringLiteral("https://v/%1").arg(i);
                const DownloadRecord r = record(url, QStringLiteral("18"));
                storeKeyed(db, url, r);
                if (i >= unfinished)
                    db.markFinished(r);
            }
        }
        DBManagerThread db(dir);
        const LoadResult r = load(db, answer);
        QCOMPARE(r.questions, questions);
        QCOMPARE(r.rows.size(), loaded);
        QCOMPARE(db.allRows().size(), loaded);
        int finishedLoaded = 0;
        for (const StoredRow &row : r.rows)
            finishedLoaded += row.isfinished;
        QCOMPARE(finishedLoaded, finished);
    }

    void theSameLinkTwiceGivesTwoKeylessRows()
    {
        const QString dir = folderFor("twice");
        DBManagerThread db(dir);
        const QString url = QStringLiteral("https://v/1");
        db.insertLink(url);
        db.insertLink(url);
        QCOMPARE(db.allRows().size(), 2);
        // Keying one item keys one row; removing the other keyless item removes one row.
        QVERIFY(db.runStatement(DBManagerThread::setKeyStatement(url, itemKey(url, "18"), QStringLiteral("18"))));
        QVERIFY(db.runStatement(DBManagerThread::deleteItemStatement(url, QString())));
        const QVector<StoredRow> rows = db.allRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().record.md5, itemKey(url, "18"));
    }

    void aFinishedRowIsNeverTouchedThroughItsUnfinishedTwin()
    {
        const QString dir = folderFor("twin");
        DBManagerThread db(dir);
        const QString url = QStringLiteral("https://v/twin");
        DownloadRecord r = record(url, QStringLiteral("18"));
        storeKeyed(db, url, r);
        r.finishfilename = QStringLiteral("/v/first.mp4");
        const qint64 finishedRow = db.markFinished(r);
        // The same link in the same format again: an unfinished twin with the same key.
        storeKeyed(db, url, r);
        db.runStatement(DBManagerThread::fullRowStatement(r));
        db.runStatement(DBManagerThread::deleteItemStatement(url, r.md5));
        QVector<StoredRow> rows = db.allRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().isfinished, 1);
        QCOMPARE(rows.first().record.finishfilename, QStringLiteral("/v/first.mp4"));
        // And removing the finished row leaves an unfinished twin alone.
        storeKeyed(db, url, r);
        db.runStatement(DBManagerThread::deleteFinishedStatement(finishedRow));
        rows = db.allRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().isfinished, 0);
    }

    void anEmptyFullRowStatementRunsNothing()
    {
        QVERIFY(DBManagerThread::fullRowStatement(DownloadRecord()).isEmpty());
    }

    void nullsAndTextsInNumberColumnsLoadAsDefaults()
    {
        const QString dir = folderFor("nulls");
        {
            DBManagerThread db(dir);
        }
        QCOMPARE(
            rawSql(dir + QStringLiteral("/data.db"),
                   {"INSERT INTO dldata (url, progress, isfinished, issubtitle) values (NULL, 'lots', NULL, 'yes')",
                    "INSERT INTO dldata (url, progress) values ('https://x', 99999)"}),
            QStringList());
        DBManagerThread db(dir);
        const LoadResult r = load(db, true);
        QCOMPARE(r.rows.size(), 2);
        QCOMPARE(r.rows[0].record.url, QString());
        QCOMPARE(r.rows[0].record.progress, 0);
        QVERIFY(!r.rows[0].record.issubtitle);
        QCOMPARE(r.rows[1].record.progress, 10000);
    }

    void aDamagedFileIsKeptAndNothingIsWritten_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text that is not a database") << QByteArray("these are my notes, not a database\n");
        QByteArray header("SQLite format 3");
        header.append('\0');
        header.append(QByteArray(4000, '\xff'));
        QTest::newRow("a truncated database") << header;
    }
    void aDamagedFileIsKeptAndNothingIsWritten()
    {
        QFETCH(QByteArray, content);
        const QString dir = folderFor(QStringLiteral("damaged%1").arg(content.size()));
        const QString path = dir + QStringLiteral("/data.db");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        {
            DBManagerThread db(dir);
            QVERIFY(!db.isUsable());
            db.insertLink(QStringLiteral("https://v/1"));
            QVERIFY(!db.runStatement(DBManagerThread::deleteFinishedStatement(1)));
            const LoadResult r = load(db, true);
            QCOMPARE(r.rows.size(), 0);
        }
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }

    void aMissingFolderWorksWithoutStoring()
    {
        DBManagerThread db(TestEnv::root() + QStringLiteral("/tmp/no/such/folder"));
        QVERIFY(!db.isUsable());
        db.insertLink(QStringLiteral("https://v/1"));
        QCOMPARE(db.allRows().size(), 0);
        QCOMPARE(load(db, true).rows.size(), 0);
    }

    void aReadOnlyDatabaseStillLoads()
    {
        const QString dir = folderFor("readonly");
        {
            DBManagerThread db(dir);
            db.insertLink(QStringLiteral("https://v/ro"));
        }
        QFile::setPermissions(dir + QStringLiteral("/data.db"), QFile::ReadOwner);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(dir + QStringLiteral("/data.db")).isWritable())
            QSKIP("running as a user who can write anyway (root)");
        DBManagerThread db(dir);
        db.insertLink(QStringLiteral("https://v/other"));
        const LoadResult r = load(db, true);
        QCOMPARE(r.rows.size(), 1);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The cache folder changes while the queue runs: rows still only in the write-ahead log
    // and rows written after the change are all there at the next start, and a queue that
    // already lived in the new folder is kept beside it.
    void movingTheCacheFolderCarriesEveryRowAlong()
    {
        const QString from = folderFor("movefrom"), to = folderFor("moveto");
        {
            DBManagerThread older(to);
            older.insertLink(QStringLiteral("https://v/older"));
        }
        {
            DBManagerThread db(from);
            for (int i = 0; i < 20; ++i)
                db.insertLink(QStringLiteral("https://v/before%1").arg(i));
            QVERIFY(db.moveTo(to));
            QCOMPARE(db.filePath(), to + QStringLiteral("/data.db"));
            db.insertLink(QStringLiteral("https://v/after"));
        }
        DBManagerThread again(to);
        QStringList urls;
        for (const StoredRow &row : again.allRows())
            urls << row.record.url;
        QCOMPARE(urls.size(), 21);
        QVERIFY(urls.contains(QStringLiteral("https://v/before19")));
        QVERIFY(urls.contains(QStringLiteral("https://v/after")));
        const QStringList aside = QDir(to).entryList({QStringLiteral("data.db.*")}, QDir::Files);
        QVERIFY2(aside.size() == 1, qPrintable(aside.join(QLatin1Char(' '))));
        QCOMPARE(rawSql(to + QLatin1Char('/') + aside.first(), {"select url from dldata"}),
                 QStringList{"https://v/older"});
    }

    // A data.db written by the previous version (no failure or date columns) opens with
    // every row, gains the columns at the table's end, as a new one has them, and stays
    // readable by that version's query.
    void aDatabaseOfThePreviousVersionIsMigrated()
    {
        const QString dir = folderFor("previous"), path = dir + QStringLiteral("/data.db");
        QCOMPARE(
            rawSql(path, {QLatin1String(DBManagerThread::CreateTableStatement),
                          "INSERT INTO dldata (url,md5,name,isfinished,progress,finishfilename) "
                          "values('https://v/old','k1','Old ''one''','1','0','/v/old.mp4')",
                          "INSERT INTO dldata (url,md5,isfinished,progress) values('https://v/half','k2','0','4200')"}),
            QStringList());
        {
            DBManagerThread db(dir);
            QVERIFY(db.isUsable());
            const QVector<StoredRow> rows = db.allRows();
            QCOMPARE(rows.size(), 2);
            QCOMPARE(rows.at(0).record.name, QStringLiteral("Old 'one'"));
            QCOMPARE(rows.at(0).record.finishfilename, QStringLiteral("/v/old.mp4"));
            QCOMPARE(rows.at(1).record.progress, 4200);
            QVERIFY(db.runStatement(DBManagerThread::failReasonStatement("https://v/half", "k2", "permanent")));
        }
        DBManagerThread again(dir);
        QCOMPARE(again.allRows().at(1).record.failreason, QStringLiteral("permanent"));
        QCOMPARE(load(again, true).rows.size(), 2);
        QString created = QLatin1String(DBManagerThread::CreateTableStatement);
        created.chop(1);
        QCOMPARE(rawSql(path, {"select sql from sqlite_master where name='dldata'"}),
                 QStringList{created + ", failreason varchar(64), finishdate varchar(64))"});
    }

    void statementsFromTheGuiRunDuringTheLoad()
    {
        const QString dir = folderFor("during");
        {
            DBManagerThread db(dir);
            for (int i = 0; i < 50; ++i)
                db.insertLink(QStringLiteral("https://v/%1").arg(i));
        }
        DBManagerThread db(dir);
        int delivered = 0;
        connect(&db, &DBManagerThread::checkwillLoad, &db, [&]() { db.answerRestore(true); });
        connect(&db, &DBManagerThread::updateloaditem, &db, [&]() {
            delivered += db.currentRows().size();
            db.insertLink(QStringLiteral("https://new/%1").arg(delivered));
            QCOMPARE(db.rowsDelivered(), delivered);
            db.setRowTaken();
        });
        QSignalSpy finished(&db, &QThread::finished);
        db.start();
        QVERIFY(finished.wait(30000));
        QCOMPARE(delivered, 50);
        QCOMPARE(db.allRows().size(), 51);
    }
};

CW_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
