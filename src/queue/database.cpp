#include "queue/database.h"

#include "app/format.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtDebug>

namespace
{
const char *const kPassword = "Kw7!rQ2pLx9#tZ4m";

// Statements on one unfinished row: twins (the same link downloaded again in the
// same format, or pasted again before it had a key) each keep a row of their own.
QString oneUnfinishedRow(const QString &match)
{
    return QStringLiteral(" WHERE rowid IN (SELECT rowid FROM dldata WHERE ") + match
           + QStringLiteral(" AND isfinished != '1' LIMIT 1)");
}

QString bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

class WriteLocker
{
public:
    explicit WriteLocker(QReadWriteLock &l) : m_lock(l)
    {
        m_lock.lockForWrite();
    }
    ~WriteLocker()
    {
        m_lock.unlock();
    }

private:
    QReadWriteLock &m_lock;
};
} // namespace

const char *const DBManagerThread::CreateTableStatement =
    "CREATE TABLE dldata (autoid int auto_increment primary key, url varchar(2048), formatid varchar(32),frame "
    "varchar(32),name varchar(1024),dlfolder varchar(1024),savepath varchar(1024),convertformat "
    "varchar(64),issubtitle int,subtitlelang varchar(64),progress int,isfinished int,isenabled int,md5 "
    "varchar(64),finishfilename varchar(2048),thumb varchar(1024),duration varchar(64),size varchar(64),extformat "
    "varchar(64))";

QString itemKey(const QString &url, const QString &formatId)
{
    return md5Hex(url + formatId);
}

DBManagerThread::DBManagerThread(const QString &folder, QObject *parent)
    : QThread(parent), m_path(folder + QStringLiteral("/data.db"))
{
    const QString tag = QString::number(quintptr(this), 16);
    m_guiConnection = QStringLiteral("clipwright-queue-") + tag;
    m_loadConnection = QStringLiteral("clipwright-load-") + tag;
    WriteLocker lock(m_lock);
    m_opened = openConnection(m_guiConnection);
}

DBManagerThread::~DBManagerThread()
{
    {
        QMutexLocker lock(&m_handshake);
        m_aborting = true;
        m_wake.wakeAll();
    }
    wait();
    if (QSqlDatabase::contains(m_guiConnection)) {
        QSqlDatabase::database(m_guiConnection, false).close();
        QSqlDatabase::removeDatabase(m_guiConnection);
    }
}

bool DBManagerThread::isUsable() const
{
    return m_opened && !m_broken;
}

bool DBManagerThread::openConnection(const QString &name)
{
    if (m_broken)
        return false;
    QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                   : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(m_path);
    db.setUserName(QStringLiteral("root"));
    db.setPassword(QLatin1String(kPassword));
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
    if (!QFileInfo(m_path).absoluteDir().exists() || !db.open()) {
        qDebug() << db.lastError().text() << "failed to connect.";
        return false;
    }
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select count(*) from sqlite_master where type='table' and name='dldata'"))
        || !q.next()) {
        // Not a database we can read (damaged, or someone else's file): keep it untouched.
        qDebug() << q.lastError().text() << "failed to connect.";
        m_broken = true;
        db.close();
        return false;
    }
    const bool hasTable = q.value(0).toInt() > 0;
    // A write-ahead log: a statement costs no disk flush of its own, and the queue
    // load reads while the page writes.
    q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    if (!hasTable)
        q.exec(QLatin1String(CreateTableStatement));
    migrate(q);
    q.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS dldata_url_md5 ON dldata (url, md5)"));
    q.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS dldata_md5 ON dldata (md5)"));
    return true;
}

namespace
{
bool execBound(QSqlQuery &q, const SqlStatement &statement)
{
    q.prepare(statement.sql);
    for (const QVariant &v : statement.values) {
        // An empty text is stored as '' (never NULL), so md5='' keeps matching keyless rows.
        if (v.type() == QVariant::String && v.toString().isNull())
            q.addBindValue(QString(QLatin1String("")));
        else
            q.addBindValue(v);
    }
    const bool ok = q.exec();
    if (!ok)
        qDebug() << "runStatement:" << q.lastError().text();
    return ok;
}
} // namespace

bool DBManagerThread::ensureOpen()
{
    if (!m_opened)
        m_opened = openConnection(m_guiConnection);
    return m_opened;
}

void DBManagerThread::migrate(QSqlQuery &q)
{
    // Columns added after the first release, nullable, so a data.db of any earlier
    // version opens with every row kept, and an earlier version still reads this one.
    QStringList columns;
    if (q.exec(QStringLiteral("PRAGMA table_info(dldata)")))
        while (q.next())
            columns << q.value(1).toString();
    for (const char *column : {"failreason", "finishdate"})
        if (!columns.contains(QLatin1String(column)))
            q.exec(QStringLiteral("ALTER TABLE dldata ADD COLUMN ") + QLatin1String(column)
                   + QStringLiteral(" varchar(64)"));
}

bool DBManagerThread::runStatement(const SqlStatement &statement)
{
    if (statement.isEmpty())
        return false;
    WriteLocker lock(m_lock);
    if (!ensureOpen())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_guiConnection, false));
    return execBound(q, statement);
}

bool DBManagerThread::runStatements(const QVector<SqlStatement> &statements)
{
    WriteLocker lock(m_lock);
    if (!ensureOpen())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_guiConnection, false);
    if (!db.transaction())
        return false;
    QSqlQuery q(db);
    for (const SqlStatement &statement : statements) {
        if (!statement.isEmpty() && !execBound(q, statement)) {
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

qint64 DBManagerThread::markFinished(const DownloadRecord &r)
{
    if (r.md5.isEmpty())
        return 0;
    WriteLocker lock(m_lock);
    if (!ensureOpen())
        return 0;
    QSqlQuery q(QSqlDatabase::database(m_guiConnection, false));
    if (!execBound(q, {QStringLiteral("SELECT rowid FROM dldata WHERE md5=? AND isfinished != '1' LIMIT 1"), {r.md5}})
        || !q.next())
        return 0;
    const qint64 rowid = q.value(0).toLongLong();
    q.finish();
    const QString date = r.finishdate.isEmpty() ? QDate::currentDate().toString(Qt::ISODate) : r.finishdate;
    const bool ok =
        execBound(q, {QStringLiteral("UPDATE dldata set finishfilename=?,name=?,thumb=?,duration=?,size=?,"
                                     "extformat=?,finishdate=?,failreason=NULL,isfinished='1' WHERE rowid=?"),
                      {r.finishfilename, r.name, r.thumb, r.duration, r.size, r.extformat, date, rowid}});
    return ok ? rowid : 0;
}

bool DBManagerThread::moveTo(const QString &folder)
{
    const QString target = QDir(folder).filePath(QStringLiteral("data.db"));
    WriteLocker lock(m_lock);
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(m_path).absoluteFilePath())
        return true;
    if (!ensureOpen()) {
        // Nothing readable here to carry: later statements simply go to the new place.
        m_broken = false;
        m_path = target;
        return true;
    }
    if (QFileInfo::exists(target)) {
        // Another queue already lives there (an earlier cache folder): keep it, with its log.
        const QString aside =
            target + QLatin1Char('.') + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
        for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            if (QFileInfo::exists(target + suffix) && !QFile::rename(target + suffix, aside + suffix))
                return false;
    }
    {
        // SQLite writes a consistent snapshot itself: committed rows still in the log included.
        QSqlQuery q(QSqlDatabase::database(m_guiConnection, false));
        if (!execBound(q, {QStringLiteral("VACUUM INTO ?"), {target}})) {
            QFile::remove(target);
            return false;
        }
    }
    QSqlDatabase::database(m_guiConnection, false).close();
    const QString previous = m_path;
    m_path = target;
    m_opened = openConnection(m_guiConnection);
    if (!m_opened) {
        m_path = previous;
        m_opened = openConnection(m_guiConnection);
        return false;
    }
    return true;
}

void DBManagerThread::insertLink(const QString &url)
{
    runStatement(insertLinkStatement(url));
}

SqlStatement DBManagerThread::insertLinkStatement(const QString &url)
{
    // Every accepted link is one item, so it gets a row of its own: a link pasted again
    // while its first item has no key is restored as two items, as it was queued.
    return {QStringLiteral("INSERT INTO dldata (url,md5,isfinished,issubtitle,progress) values(?,'','0','0','0')"),
            {url}};
}

SqlStatement DBManagerThread::fixChoiceStatement(const DownloadRecord &r)
{
    return {QStringLiteral("UPDATE dldata set md5=?,formatid=?,issubtitle=?,isenabled=?,subtitlelang=? ")
                + oneUnfinishedRow(QStringLiteral("url=? AND md5=''")),
            {r.md5, r.formatid, bit(r.issubtitle), bit(r.isenabled), r.subtitlelang, r.url}};
}

SqlStatement DBManagerThread::setKeyStatement(const QString &url, const QString &md5, const QString &formatId)
{
    return {QStringLiteral("UPDATE dldata set md5=?,formatid=? ")
                + oneUnfinishedRow(QStringLiteral("url=? AND md5=''")),
            {md5, formatId, url}};
}

SqlStatement DBManagerThread::fullRowStatement(const DownloadRecord &r)
{
    if (r.url.isEmpty() && r.md5.isEmpty())
        return {};
    return {QStringLiteral("UPDATE dldata set frame=?,formatid=?,name=?,dlfolder=?,issubtitle=?,subtitlelang=?,"
                           "progress=?,savepath=?,convertformat=?,isenabled=?,isfinished='0' ")
                + oneUnfinishedRow(QStringLiteral("md5=? AND url=?")),
            {r.frame, r.formatid, r.name, r.dlfolder, bit(r.issubtitle), r.subtitlelang, QString::number(r.progress),
             r.savepath, r.convertformat, bit(r.isenabled), r.md5, r.url}};
}

SqlStatement DBManagerThread::failReasonStatement(const QString &url, const QString &md5, const QString &reason)
{
    return {QStringLiteral("UPDATE dldata set failreason=? ") + oneUnfinishedRow(QStringLiteral("url=? AND md5=?")),
            {reason.isEmpty() ? QVariant() : QVariant(reason), url, md5}};
}

SqlStatement DBManagerThread::deleteItemStatement(const QString &url, const QString &md5)
{
    return {QStringLiteral("DELETE FROM dldata") + oneUnfinishedRow(QStringLiteral("url=? AND md5=?")), {url, md5}};
}

SqlStatement DBManagerThread::deleteFinishedStatement(qint64 rowid)
{
    return {QStringLiteral("DELETE FROM dldata WHERE rowid=? AND isfinished='1'"), {rowid}};
}

StoredRow DBManagerThread::rowFrom(const QSqlQuery &q)
{
    const QSqlRecord rec = q.record();
    auto text = [&](const char *name) { return q.value(rec.indexOf(QLatin1String(name))).toString(); };
    auto number = [&](const char *name) { return q.value(rec.indexOf(QLatin1String(name))).toInt(); };
    StoredRow row;
    DownloadRecord &r = row.record;
    row.rowid = q.value(rec.indexOf(QLatin1String("rowid"))).toLongLong();
    row.isfinished = number("isfinished");
    r.issubtitle = number("issubtitle") == 1;
    r.isenabled = number("isenabled") == 1;
    r.url = text("url");
    r.formatid = text("formatid");
    r.frame = text("frame");
    r.dlfolder = text("dlfolder");
    r.name = text("name");
    r.subtitlelang = text("subtitlelang");
    r.convertformat = text("convertformat");
    r.savepath = text("savepath");
    r.progress = qBound(0, number("progress"), 10000);
    r.md5 = text("md5");
    r.finishfilename = text("finishfilename");
    r.thumb = text("thumb");
    r.duration = text("duration");
    r.size = text("size");
    r.extformat = text("extformat");
    r.failreason = text("failreason");
    r.finishdate = text("finishdate");
    return row;
}

QVector<StoredRow> DBManagerThread::allRows()
{
    QVector<StoredRow> rows;
    WriteLocker lock(m_lock);
    if (!m_opened)
        return rows;
    QSqlQuery q(QSqlDatabase::database(m_guiConnection, false));
    q.setForwardOnly(true);
    if (q.exec(QStringLiteral("select rowid, * from dldata")))
        while (q.next())
            rows << rowFrom(q);
    return rows;
}

void DBManagerThread::answerRestore(bool restore)
{
    QMutexLocker lock(&m_handshake);
    m_restore = restore;
    m_answered = true;
    m_wake.wakeAll();
}

void DBManagerThread::setRowTaken()
{
    QMutexLocker lock(&m_handshake);
    m_rowTaken = true;
    m_wake.wakeAll();
}

void DBManagerThread::run()
{
    loadQueue();
    // The load's connection belongs to this thread: closed and removed here.
    if (QSqlDatabase::contains(m_loadConnection)) {
        QSqlDatabase::database(m_loadConnection, false).close();
        QSqlDatabase::removeDatabase(m_loadConnection);
    }
}

void DBManagerThread::loadQueue()
{
    // Qt connections belong to the thread that opened them: the load has its own.
    QVector<StoredRow> rows;
    {
        WriteLocker lock(m_lock);
        if (!openConnection(m_loadConnection))
            return;
        QSqlQuery q(QSqlDatabase::database(m_loadConnection, false));
        m_unfinishedCount = 0;
        if (q.exec(QStringLiteral("select count(*) from dldata where isfinished='0'")) && q.next())
            m_unfinishedCount = q.value(0).toInt();
    }
    {
        QMutexLocker lock(&m_handshake);
        m_answered = false;
        m_restore = false;
    }
    if (m_unfinishedCount > 0 && !m_asked) {
        m_asked = true;
        emit checkwillLoad();
        QMutexLocker lock(&m_handshake);
        while (!m_answered && !m_aborting)
            m_wake.wait(&m_handshake);
        if (m_aborting)
            return;
        if (!m_restore) {
            lock.unlock();
            WriteLocker writeLock(m_lock);
            QSqlQuery q(QSqlDatabase::database(m_loadConnection, false));
            q.exec(QStringLiteral("DELETE FROM dldata WHERE isfinished='0'"));
        }
    }
    {
        // Read whole, so the GUI thread's statements never wait for the hand-over.
        WriteLocker lock(m_lock);
        QSqlQuery q(QSqlDatabase::database(m_loadConnection, false));
        q.setForwardOnly(true);
        if (q.exec(QStringLiteral("select rowid, * from dldata")))
            while (q.next())
                rows << rowFrom(q);
    }
    m_rowCount = rows.size();
    m_rowsDelivered = 0;
    // Handed over in batches: one round trip to the GUI thread per batch, not per row.
    for (int from = 0; from < rows.size(); from += kLoadBatch) {
        QMutexLocker lock(&m_handshake);
        if (m_aborting)
            return;
        m_batch = rows.mid(from, kLoadBatch);
        m_rowsDelivered = from + m_batch.size();
        m_rowTaken = false;
        lock.unlock();
        emit updateloaditem();
        lock.relock();
        while (!m_rowTaken && !m_aborting)
            m_wake.wait(&m_handshake);
    }
    QMutexLocker lock(&m_handshake);
    m_batch.clear();
}
