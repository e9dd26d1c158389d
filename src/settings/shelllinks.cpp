#include "settings/shelllinks.h"

#include "app/shellservices.h"
#include "app/vendor.h"
#include "shell/languages.h"
#include "shell/mainwindow.h"
#include "shell/titlebar.h"
#include "views/downloadpage.h"

namespace ShellLinks
{
DLManagerWidget *downloadPage()
{
    DoRaDuvoZezavi *window = mainWindow();
    return window ? qobject_cast<DLManagerWidget *>(window->page(DoRaDuvoZezavi::Page::Download)) : nullptr;
}

int finishedAction()
{
    if (const ShellServices *shell = shellServices())
        return shell->finishedAction();
    return 0;
}

void setFinishedAction(int action)
{
    if (DoRaDuvoZezavi *window = mainWindow())
        window->setFinishedAction(action);
    if (DLManagerWidget *page = downloadPage())
        page->refreshTotals();
}

void reloadDownloadSettings()
{
    if (DLManagerWidget *page = downloadPage())
        page->reloadSettings();
}

QString switchLanguage(const QString &code)
{
    DoRaDuvoZezavi *window = mainWindow();
    if (window && window->titleBar()) {
        window->titleBar()->switchLanguage(code);
        return languageCode();
    }
    setLanguageCode(installLanguage(code));
    return languageCode();
}
} // namespace ShellLinks
