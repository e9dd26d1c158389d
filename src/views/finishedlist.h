#pragma once
// The "Downloaded" view: finished downloads, from the stored queue and from this run.
// Removing an entry deletes its stored row only; the file on disk is never touched.

#include "queue/downloadrecord.h"
#include "widgets/lazylist.h"

#include <QPointer>
#include <QSet>
#include <memory>
#include <vector>

class DBManagerThread;
class MyPushButton;
class QAction;
class QLabel;
class QMenu;

struct FinishedEntry {
    QString url;
    QString finishfilename;
    QString name;
    QString thumb;
    QString duration;
    QString extformat;
    QString size;
    QString md5;
    bool filePresent = false; // looked at once, when the entry is added
    qint64 rowid = 0;         // its stored row, 0 for none
    QString finishdate;       // "yyyy-MM-dd", "" when unknown
};

class FinishedItemWidget : public MyTableItemWidget
{
    Q_OBJECT
public:
    explicit FinishedItemWidget(QWidget *parent = nullptr);

    FinishedEntry *entry() const
    {
        return m_entry;
    }
    void setEntry(FinishedEntry *entry)
    {
        m_entry = entry;
    }
    void clearData() override;
    void setHighlighted(bool on) override;
    void redraw();
    void retranslate();

    QString titleStyle() const;
    bool isButtonShown(const QString &name) const;
    QList<QAction *> menuActions() const;

signals:
    void clickeditem(FinishedItemWidget *row);
    void deleteitem(FinishedItemWidget *row);
    void signal_removeAllAction();
    // The re-download button: the page queues the link again.
    void redownloadRequested(const QString &url);

public slots:
    void redownloadButton_slots();
    void openButton_slots();
    void deleteButton_slots();
    void copyurlAction_slots();
    void openAction_slots();
    void removeAction_slots();
    void removeAllAction_slots();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutRow();

    FinishedEntry *m_entry = nullptr;
    QWidget *m_frame;
    QLabel *m_thumbBorder;
    QLabel *m_thumb;
    QLabel *m_title;
    QLabel *m_link;
    QWidget *m_info;
    QLabel *m_captions[3];
    QLabel *m_values[3];
    QWidget *m_right;
    MyPushButton *m_redownload;
    MyPushButton *m_open;
    MyPushButton *m_delete;
    QMenu *m_menu;
    QAction *m_copyAction;
    QAction *m_removeAction;
    QAction *m_openAction;
    QAction *m_removeAllAction;
    QString m_thumbPath;
};

class FinishedListWidget : public MyTableListWidget
{
    Q_OBJECT
public:
    static constexpr int kPoolSize = 30;

    explicit FinishedListWidget(QWidget *parent = nullptr);
    ~FinishedListWidget() override;

    void setDatabase(DBManagerThread *db)
    {
        m_db = db;
    }
    void addEntry(const QString &url, const QString &finishfilename, const QString &name, const QString &thumb,
                  const QString &duration, const QString &extformat, const QString &size, const QString &md5,
                  qint64 rowid = 0);
    // Many stored rows at once (the queue load): one layout for all of them.
    void addEntries(const QVector<struct StoredRow> &rows);
    int count() const
    {
        return m_count;
    }
    const FinishedEntry *entryAt(int i) const
    {
        return m_entries.at(size_t(i)).get();
    }
    FinishedItemWidget *rowFor(const FinishedEntry *entry) const;
    // The most recent entry of exactly this link, or null.
    const FinishedEntry *latestFor(const QString &url) const;
    // Those of the links that have a finished entry.
    QSet<QString> downloadedAmong(const QStringList &urls) const;
    bool isEmptyViewShown() const;
    void retranslate();

signals:
    void totalsChanged();
    void redownloadRequested(const QString &url);

public slots:
    void ItemDeleted_slots(FinishedItemWidget *row);
    void Clickeditem_slots(FinishedItemWidget *row);
    void ItemRemoveAllItem_slots();
    void myTableListWidget_loadDataSingal(MyTableItemWidget *row);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void makePool();
    void showEmptyView(bool show);
    FinishedEntry *store(const DownloadRecord &r, qint64 rowid);

    QPointer<DBManagerThread> m_db;
    std::vector<std::unique_ptr<FinishedEntry>> m_entries;
    int m_count = 0;
    FinishedEntry *m_selected = nullptr;
    bool m_poolMade = false;
    class EmptyView *m_empty;
};
