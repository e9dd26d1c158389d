#pragma once
// What the pages below the shell may ask of the main window, without knowing it:
// the loading overlay, the after-completion action and the settings dialog. The main
// window registers itself; tests register their own.

#include <QString>

class ShellServices
{
public:
    virtual ~ShellServices() = default;
    virtual void showLoading(bool show, const QString &text) = 0;
    // 0 nothing, 1 restart, 2 shut down after the last download.
    virtual int finishedAction() const = 0;
    virtual void runFinishedAction() = 0;
    virtual void showSettings() = 0;
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
