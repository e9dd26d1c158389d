#pragma once
// The download page: the paste button, the speed box, the two tabs over the
// in-progress and finished lists, the status line and "Open Download Folder". It owns
// the queue, its database and link intake, keeps the copies of the download settings
// the items read, and answers the main window's exit question.

#include "queue/queuecontext.h"

#include <QWidget>
#include <memory>

class DBManagerThread;
class DLListWidget;
class DownloadQueue;
class FinishedListWidget;
class LinkIntake;
class MyLabel;
class MyPushButton;
class MyTempButton2;
class MyMessageDialog;
class CheckQURLItem;
class SelectQualityWidget;
class SelectChannel2Widget;
class QComboBox;
class QLabel;

class DLManagerWidget : public QWidget, public QueueContext
{
    Q_OBJECT
public:
    explicit DLManagerWidget(QWidget *parent = nullptr);
    ~DLManagerWidget() override;

    DownloadQueue *queue() const
    {
        return m_queue.get();
    }
    LinkIntake *intake() const
    {
        return m_intake.get();
    }
    DLListWidget *downloadList() const
    {
        return m_list;
    }
    FinishedListWidget *finishedList() const
    {
        return m_finished;
    }
    QString statusText() const;
    QString downloadingTabText() const;
    QString downloadedTabText() const;
    bool isShowingFinished() const;
    // The tabs, for tests of their looks.
    QWidget *downloadingTab() const;
    QWidget *downloadedTab() const;
    int speedBoxIndex() const;
    bool acceptAnySite() const;

    // Links handed over on the command line: what "+ Paste URL" does with copied text.
    void pasteLinks(const QString &text);

    // The auto-download quality as a resolution text, from the stored index.
    static QString autoQualityText(int index);

    // QueueContext
    QString downloadFolder() const override
    {
        return m_downloadFolder;
    }
    int countAtSameTime() const override
    {
        return m_countAtSameTime;
    }
    QString autoDownloadQualityText() const override;
    int speedIndex() const override;
    DBManagerThread *database() const override
    {
        return m_db.get();
    }
    QualityChoice chooseQuality(YoutobeDownloadObj *driver) override;
    PlaylistChoice choosePlaylistEntries(const QString &title, const QStringList &names,
                                         const QStringList &urls) override;
    int message(const QString &text, const QStringList &buttons) override;
    int askClipOrPlaylist(const QString &clipLink, const QString &playlistLink) override;
    void showLoading(bool show, const QString &text) override;
    bool addItem(const DownloadRecord &record) override;
    void addFinishedRow(const DownloadRecord &record, qint64 rowid) override;
    void refreshTotals() override;
    FinishedMatch finishedDownloadOf(const QString &url) const override;
    void runFinishedAction() override;

    // Settings the settings dialog changed: read again (the limit also runs a pass).
    void reloadSettings();
    // The download cache folder changed: the queue database moves along at once.
    bool moveCacheFolder(const QString &folder);
    void setCountAtSameTime(int count);

public slots:
    // Called by the main window.
    void retranslate();
    bool mayExit();
    void fristLoad();
    bool isDownloading() const;
    void reopen();

    void pasteURLButton_slots();
    void outputOpenButton_slots();
    void speedComboBox_currentIndexChanged_slots();
    void settingButton_slots();
    void statusInfoLabel_slots();
    void pastetimer_slots();
    void downloadingButton_slots();
    void downloadedButton_slots();
    void managerThread_UpdateItem();
    void managerThread_CheckwillLoad();
    void managerThread_Finished();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutPage();
    void styleTabs();
    void redownload(const QString &url);

    QString m_downloadFolder;
    int m_countAtSameTime = 5;
    bool m_restoreAsked = false;
    bool m_loadStarted = false;
    int m_statusClicks = 0;

    std::unique_ptr<DBManagerThread> m_db;
    std::unique_ptr<DownloadQueue> m_queue;
    std::unique_ptr<LinkIntake> m_intake;

    QWidget *m_toolRow;
    MyTempButton2 *m_pasteButton;
    MyTempButton2 *m_downloadingTab;
    MyTempButton2 *m_downloadedTab;
    QComboBox *m_speedBox;
    MyPushButton *m_settingButton;
    DLListWidget *m_list;
    FinishedListWidget *m_finished;
    QWidget *m_bottomBar;
    MyLabel *m_statusLabel;
    MyTempButton2 *m_openFolderButton;
    bool m_showingFinished = false;

    MyMessageDialog *m_messageDialog = nullptr;
    CheckQURLItem *m_clipDialog = nullptr;
};
