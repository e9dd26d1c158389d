#include "toolkit/toolhost.h"

#include "app/shellservices.h"

namespace ToolHost
{
void showBusy(bool show, const QString &text)
{
    if (ShellServices *shell = shellServices())
        shell->showLoading(show, text);
}

void openDownloadPage(bool firstVisit)
{
    if (ShellServices *shell = shellServices())
        shell->openDownloadPage(firstVisit);
}
} // namespace ToolHost
