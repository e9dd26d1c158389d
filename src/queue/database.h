#pragma once
// The persistent download queue: data.db with its one table, dldata. One object owns
// the connections; its thread body runs once per run to hand the stored rows to the
// download page, in batches, after the restore question. Every other statement is
// a plain call from the GUI thread. Values are always bound, never pasted into SQL,
// so a title or link with a quote stays a value.

#include "queue/downloadrecord.h"

#include <QMutex>
#include <QReadWriteLock>
#include <QThread>
#include <QVariant>
#include <QVector>
#include <QWaitCondition>

struct SqlStatement {
    QString sql; // "" runs nothing
    QVariantList values;
    bool isEmpty() const
    {
        return sql.isEmpty();
    }
};

// A stored row as the queue load hands it over.
struct StoredRow {
    DownloadRecord record; // fields 1 to 12 (and the finished texts below)
    int isfinished = 0;
    qint64 rowid = 0; // SQLite's own row number: names exactly this row
};

class DBManagerThread : public QThread
{
    Q_OBJECT
public:
    static const char *const CreateTableStatement;

    // Opens (and when needed creates) folder + "/data.db".
    explicit DBManagerThread(const QString &folder, QObject *parent = nullptr);
    ~DBManagerThread() override;

    QString filePath() const
    {
        return m_path;
    }
    // False when the file could not be used; the program then works in memory only
    // and never writes to the file (a damaged one is kept for the user).
    bool isUsable() const;

    bool runStatement(const SqlStatement &statement);
    // Runs the statements in one transaction: all of them or none.
    bool runStatements(const QVector<SqlStatement> &statements);
    // Marks one unfinished row of the record's key finished; returns that row's number,
    // 0 when there was none.
    qint64 markFinished(const DownloadRecord &r);
    // The download cache moved: a consistent copy of the database (the write-ahead log
    // included) is written to folder + "/data.db" and every later statement goes there.
    // A database already there is kept beside it under a dated name. False when the copy
    // could not be made; the current file then stays in use.
    bool moveTo(const QString &folder);
    // Inserts a keyless row for the link unless it already has one.
    void insertLink(const QString &url);

    // The statements of the queue, built with bound values.
    static SqlStatement insertLinkStatement(const QString &url);
    static SqlStatement fixChoiceStatement(const DownloadRecord &r);
    static SqlStatement setKeyStatement(const QString &url, const QString &md5, const QString &formatId);
    static SqlStatement fullRowStatement(const DownloadRecord &r);
    // The failure class of an unfinished row, "" to clear it.
    static SqlStatement failReasonStatement(const QString &url, const QString &md5, const QString &reason);
    static SqlStatement deleteItemStatement(const QString &url, const QString &md5);
    static SqlStatement deleteFinishedStatement(qint64 rowid);

    // GUI side of the load handshake.
    int unfinishedRowCount() const
    {
        return m_unfinishedCount;
    }
    void answerRestore(bool restore);
    // The batch of rows handed over by the last updateloaditem().
    const QVector<StoredRow> &currentRows() const
    {
        return m_batch;
    }
    int rowCount() const
    {
        return m_rowCount;
    }
    int rowsDelivered() const
    {
        return m_rowsDelivered;
    }
    void setRowTaken();

    // Test access: every row as stored.
    QVector<StoredRow> allRows();

signals:
    void updateloaditem();
    void checkwillLoad();

protected:
    void run() override;

    // Rows per hand-over of the queue load.
    static constexpr int kLoadBatch = 500;

private:
    bool openConnection(const QString &name);
    bool ensureOpen();
    static void migrate(class QSqlQuery &q);
    void loadQueue();
    static StoredRow rowFrom(const class QSqlQuery &q);

    QString m_path;
    QString m_guiConnection;
    QString m_loadConnection;
    mutable QReadWriteLock m_lock; // serialises every statement of both threads
    bool m_opened = false;
    bool m_broken = false;

    QMutex m_handshake;
    QWaitCondition m_wake;
    bool m_answered = false;
    bool m_restore = false;
    bool m_rowTaken = false;
    bool m_aborting = false;
    bool m_asked = false;
    QVector<StoredRow> m_batch;
    int m_unfinishedCount = 0;
    int m_rowCount = 0;
    int m_rowsDelivered = 0;
};
