#pragma once
// The preferences panel. It covers the whole main window when shown, with a column of
// page buttons on the left and one page at a time on the right. There is no OK or
// Cancel: every control stores its setting the moment it changes.

#include <QWidget>

class AutoDownloadWidget;
class ConnectWidget;
class DCacheFolderWidget;
class DownloaderSetWidget;
class MyPushButton;
class MyTempButton2;
class NormalSetWidget;
class QLabel;
class SupportQWidget;

class SettingWidget : public QWidget
{
    Q_OBJECT
public:
    enum PageIndex {
        NormalPage = 0,
        ProxyPage,
        AutoDownloadPage,
        DownloadCachePage,
        DownloaderPage,
        HelpPage,
        PageCount
    };

    explicit SettingWidget(QWidget *parent = nullptr);

    NormalSetWidget *normalPage() const
    {
        return m_normalPage;
    }
    ConnectWidget *proxyPage() const
    {
        return m_proxyPage;
    }
    AutoDownloadWidget *autoDownloadPage() const
    {
        return m_autoDownloadPage;
    }
    DCacheFolderWidget *cachePage() const
    {
        return m_cachePage;
    }
    DownloaderSetWidget *downloaderPage() const
    {
        return m_downloaderPage;
    }
    SupportQWidget *supportPage() const
    {
        return m_supportPage;
    }
    MyTempButton2 *pageButton(int index) const
    {
        return m_pageButtons[index];
    }
    QWidget *page(int index) const
    {
        return m_pages[index];
    }
    MyPushButton *closeButton() const
    {
        return m_closeButton;
    }
    int currentPage() const
    {
        return m_current;
    }

public slots:
    // Run by the main window each time it opens the dialog: lays the pages out for the
    // current size, reads the settings into the controls and selects the Normal page.
    void buildPages();
    void retranslate();

    void closeButton_slots();
    void normalButton_slots();
    void proxyButton_slots();
    void autodlButton_slots();
    void dlCacheButton_slots();
    void downloaderButton_slots();
    void supportButton_slots();
    // A failed download's offer: the Downloader page, checking for updates.
    void showDownloaderUpdate();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutDialog();
    void selectPage(int index);

    QWidget *m_frame;
    QWidget *m_header;
    QLabel *m_iconLabel;
    QLabel *m_titleLabel;
    MyPushButton *m_closeButton;
    QWidget *m_sideBar;
    MyTempButton2 *m_pageButtons[PageCount];
    QWidget *m_pages[PageCount];
    NormalSetWidget *m_normalPage;
    ConnectWidget *m_proxyPage;
    AutoDownloadWidget *m_autoDownloadPage;
    DCacheFolderWidget *m_cachePage;
    DownloaderSetWidget *m_downloaderPage;
    SupportQWidget *m_supportPage;
    int m_current = NormalPage;
};
