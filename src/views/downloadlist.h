#pragma once
// The "Downloading" view: the in-progress items of the queue shown through a small
// pool of rows. Every piece of display state lives in the item; a row is redrawn from
// its item whenever it is bound or the item reports a change.

#include "queue/downloaditem.h"
#include "widgets/lazylist.h"

#include <QMap>
#include <QPointer>
#include <QRect>

class DownloadQueue;
class MyPushButton;
class QLabel;
class QMenu;
class QAction;
class QMovie;

class DLItemWidget : public MyTableItemWidget
{
    Q_OBJECT
public:
    explicit DLItemWidget(QWidget *parent = nullptr);

    DLItemData *item() const
    {
        return m_item;
    }
    void setItem(DLItemData *item)
    {
        m_item = item;
    }
    void clearData() override;
    void setHighlighted(bool on) override;

    void layoutRow();
    void refreshStatus();
    void refreshInfo();
    void refreshProgress();
    void retranslate();

    // Read by tests: what the row shows.
    QString titleText() const;
    QString linkText() const;
    QString statusText() const;
    QString waitingText() const;
    QString sizeText() const; // the "Size:" value
    bool isButtonShown(const QString &name) const;
    QList<QAction *> menuActions() const;
    int progressFillWidth() const;
    // The parts on show, by name, in the row's own coordinates.
    QMap<QString, QRect> visibleParts() const;

signals:
    void deleteitem(DLItemWidget *row);
    void clickeditem(DLItemWidget *row);
    void signal_removeAllAction();
    void signal_pauseAllAction();
    void signal_resumeAllAction();

public slots:
    void deleteButton_slots();
    void redownloadButton_slots();
    void openButton_slots();
    void pausedownloadButton_slots();
    void resumedownloadButton_slots();
    void copyurlAction_slots();
    void removeAction_slots();
    void pauseAction_slots();
    void resumeAction_slots();
    void removeAllAction_slots();
    void pauseAllAction_slots();
    void resumeAllAction_slots();
    void updateDownloaderLink_slots();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeStatus(bool underTitle);
    // The automatic retry's countdown, "" when none runs.
    QString countdownText(int seconds) const;
    void setStatusStyle(int size, const char *colour);
    // A failure that reads like an outdated downloader offers updating it (once per run).
    void offerDownloaderUpdate();

    QPointer<DLItemData> m_item;
    bool m_highlighted = false;
    qint64 m_shownSize = -1; // the size the info line shows, so a size learnt mid-transfer is shown
    QWidget *m_frame;
    QWidget *m_fill;
    QLabel *m_thumbBorder;
    QLabel *m_thumb;
    QLabel *m_title;
    QLabel *m_link;
    QWidget *m_info;
    QLabel *m_infoCaptions[4];
    QLabel *m_infoValues[4];
    QLabel *m_status;
    QWidget *m_right;
    MyPushButton *m_delete;
    MyPushButton *m_pause;
    MyPushButton *m_resume;
    MyPushButton *m_redownload;
    MyPushButton *m_open;
    QLabel *m_waiting;
    QLabel *m_spinner;
    QMovie *m_movie;
    QMenu *m_menu;
    QAction *m_copyAction;
    QAction *m_removeAction;
    QAction *m_pauseAction;
    QAction *m_resumeAction;
    QAction *m_removeAllAction;
    QAction *m_pauseAllAction;
    QAction *m_resumeAllAction;
    QString m_thumbPath;
};

class DLListWidget : public MyTableListWidget
{
    Q_OBJECT
public:
    static constexpr int kPoolSize = 30;

    DLListWidget(DownloadQueue *queue, QWidget *parent = nullptr);
    DownloadQueue *queue() const
    {
        return m_queue;
    }
    void retranslate();
    bool isEmptyViewShown() const;
    DLItemWidget *rowFor(DLItemData *item) const;

signals:
    // Progress or counts changed: the page refreshes its totals.
    void totalsChanged();

public slots:
    void DLItemUpdateShow_slots(DLItemData *item);
    void DLItemUpdateProgress_slots(DLItemData *item);
    void DLItemDeleted_slots(DLItemWidget *row);
    void DLItemClicked_slots(DLItemWidget *row);
    void myTableListWidget_loadDataSingal(MyTableItemWidget *row);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void makePool();
    void itemAdded(DLItemData *item);
    void itemsAdded(const QList<DLItemData *> &items);
    void itemRemoved(DLItemData *item);
    void showEmptyView(bool show);

    DownloadQueue *m_queue;
    bool m_poolMade = false;
    class EmptyView *m_empty;
};

// "--", or a speed in KB/s, MB/s or GB/s with two decimals.
QString formatSpeed(qint64 bytesPerSecond);
