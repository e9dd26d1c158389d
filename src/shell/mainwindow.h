#pragma once
// The one frameless top-level window. It owns every page and dialog of the program,
// draws its own title bar, is dragged by that bar, switches between the toolkit home
// and the download page, and lends its loading overlay to every page.
//
// Pages are installed with setPage() in the constructor, one line each. The window
// talks to them through slots it calls by name, so it needs no page's header:
//   every page        retranslate()
//   Download          bool mayExit(), fristLoad(), bool isDownloading()
//   Toolkit           bool closeTool()
//   Settings          buildPages(), showDownloaderUpdate()
//   Update (a dialog) startCheck(bool manual)

#include "app/shellservices.h"

#include <QPointer>
#include <QWidget>

class DaVaVudIredaz;
class LoadingWidget;

class DoRaDuvoZezavi : public QWidget, public ShellServices
{
    Q_OBJECT
public:
    explicit DoRaDuvoZezavi(QWidget *parent = nullptr);
    ~DoRaDuvoZezavi() override;

    enum class Page { Download, Toolkit, Settings, Update };
    // Takes the page into the window (the update dialog stays parentless but is owned
    // here), places it and gives it its texts. Download and Settings start hidden.
    void setPage(Page role, QWidget *page);
    QWidget *page(Page role) const;

    void retranslate();
    // Shows the overlay over the page area (text replaced when non-empty), or hides it.
    void showLoading(bool show, const QString &text = QString()) override;
    // 0 nothing, 1 restart, 2 shut down once the last download has finished.
    void setFinishedAction(int action) override;
    int finishedAction() const override
    {
        return m_finishedAction;
    }
    void runFinishedAction() override;
    void showSettings() override;
    bool moveQueueDatabase(const QString &folder) override;
    void showUpdate(bool manual) override;
    QWidget *updateDialog() const override
    {
        return m_updateDialog;
    }
    QWidget *downloadPage() const override
    {
        return m_downloadPage;
    }
    QString switchLanguage(const QString &code) override;
    bool downloadsRunning() const override;
    bool offersDownloaderUpdate() const override;
    // Opens the settings at the Downloader page and starts a check there.
    void updateDownloader() override;
    void showDownloadPage();
    // The toolkit's download tile: the page is shown and its list lifts its hold.
    void openDownloadPage(bool firstVisit) override;
    void showToolkitPage();
    // The title bar's close button: leave the download page or a tool, else close.
    void runCloseSteps();

    QString vendorUrl(const QString &page) const;
    void openVendorPage(const QString &page);

    DaVaVudIredaz *titleBar() const
    {
        return m_titleBar;
    }
    LoadingWidget *loadingWidget() const
    {
        return m_loading;
    }
    int titleBarHeight() const;

public slots:
    void fristLoad_slots();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutChildren();
    void placePage(Page role);

    QWidget *m_frame = nullptr;
    DaVaVudIredaz *m_titleBar = nullptr;
    QPointer<QWidget> m_downloadPage;
    QPointer<QWidget> m_updateDialog;
    QPointer<QWidget> m_settingsDialog;
    QPointer<QWidget> m_toolkitPage;
    LoadingWidget *m_loading = nullptr;
    int m_finishedAction = 0;
    bool m_dragging = false;
    int m_pressX = 0;
    int m_pressY = 0;
};

DoRaDuvoZezavi *mainWindow();
