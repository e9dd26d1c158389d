#include "settings/shelllinks.h"

#include "app/shellservices.h"
#include "app/vendor.h"
#include "views/downloadpage.h"

namespace ShellLinks
{
DLManagerWidget *downloadPage()
{
    const ShellServices *shell = shellServices();
    return shell ? qobject_cast<DLManagerWidget *>(shell->downloadPage()) : nullptr;
}

int finishedAction()
{
    if (const ShellServices *shell = shellServices())
        return shell->finishedAction();
    return 0;
}

void setFinishedAction(int action)
{
    if (ShellServices *shell = shellServices())
        shell->setFinishedAction(action);
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
    if (ShellServices *shell = shellServices())
        return shell->switchLanguage(code);
    // Without a window there is no translator to install; the pages still follow the code.
    setLanguageCode(code);
    return languageCode();
}
} // namespace ShellLinks
