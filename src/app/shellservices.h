#pragma once
// What the pages below the shell may ask of the main window, without knowing it:
// the loading overlay, the after-completion action, the settings and update dialogs,
// the download page, the language switch and the downloader components. The main
// window registers itself; tests register their own and override what they watch.

#include <QString>

class QWidget;

class ShellServices
{
public:
    virtual ~ShellServices() = default;
    virtual void showLoading(bool show, const QString &text) = 0;
    // 0 nothing, 1 restart, 2 shut down after the last download.
    virtual int finishedAction() const = 0;
    virtual void runFinishedAction() = 0;
    virtual void showSettings() = 0;

    virtual void setFinishedAction(int action)
    {
        Q_UNUSED(action)
    }
    // The download page (a DLManagerWidget), which keeps copies of some settings; or null.
    virtual QWidget *downloadPage() const
    {
        return nullptr;
    }
    // Installs the language and lets every page set its texts again; returns the code in effect.
    virtual QString switchLanguage(const QString &code)
    {
        return code;
    }
    // The update dialog the window keeps, and showing it (with a check when manual).
    virtual QWidget *updateDialog() const
    {
        return nullptr;
    }
    virtual void showUpdate(bool manual)
    {
        Q_UNUSED(manual)
    }
    // Whether any link is being analysed or downloaded.
    virtual bool downloadsRunning() const
    {
        return false;
    }
    // A failure that looks like an outdated downloader may offer an update while this holds
    // (once per run of the program); updateDownloader() takes the offer.
    virtual bool offersDownloaderUpdate() const
    {
        return false;
    }
    virtual void updateDownloader() {}
    // Shows the download page (the toolkit's tile); on the first visit the window's
    // first load runs 100 ms later.
    virtual void openDownloadPage(bool firstVisit)
    {
        Q_UNUSED(firstVisit)
    }
    // The download cache folder changed: the running queue's database moves there at once.
    // False when there is no running queue to move (or the move failed).
    virtual bool moveQueueDatabase(const QString &folder)
    {
        Q_UNUSED(folder);
        return false;
    }
};

// The registered services, or null (then every request is ignored).
ShellServices *shellServices();
void setShellServices(ShellServices *services);
