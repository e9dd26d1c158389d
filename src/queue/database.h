#pragma once
// The persistent download queue: data.db with its one table, dldata. One object owns
// the connections; its thread body runs once per run to hand the stored rows to the
// download page, one at a time, after the restore question. Every other statement is
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
    // Inserts a keyless row for the link unless it already has one.
    void insertLink(const QString &url);

    // The statements of the queue, built with bound values.
    static SqlStatement fixChoiceStatement(const DownloadRecord &r);
    static SqlStatement setKeyStatement(const QString &url, const QString &md5, const QString &formatId);
    static SqlStatement fullRowStatement(const DownloadRecord &r);
    static SqlStatement finishedStatement(const DownloadRecord &r);
    static SqlStatement deleteItemStatement(const QString &url, const QString &md5);
    static SqlStatement deleteFinishedStatement(const QString &md5);

    // GUI side of the load handshake.
    int unfinishedRowCount() const
    {
        return m_unfinishedCount;
    }
    void answerRestore(bool restore);
    const StoredRow &currentRow() const
    {
        return m_row;
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

private:
    bool openConnection(const QString &name);
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
    StoredRow m_row;
    int m_unfinishedCount = 0;
    int m_rowCount = 0;
    int m_rowsDelivered = 0;
};
