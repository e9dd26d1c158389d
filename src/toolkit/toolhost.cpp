#include "toolkit/toolhost.h"

#include "shell/mainwindow.h"

#include <QMetaObject>
#include <QTimer>

namespace ToolHost
{
void showBusy(bool show, const QString &text)
{
    if (DoRaDuvoZezavi *window = mainWindow())
        window->showLoading(show, text);
}

void openDownloadPage(bool firstVisit)
{
    DoRaDuvoZezavi *window = mainWindow();
    if (!window)
        return;
    if (firstVisit)
        QTimer::singleShot(100, window, SLOT(fristLoad_slots()));
    window->showDownloadPage();
    // Back from the toolkit, the download list lifts its hold and schedules once.
    QWidget *page = window->page(DoRaDuvoZezavi::Page::Download);
    if (page && page->metaObject()->indexOfMethod("reopen()") >= 0)
        QMetaObject::invokeMethod(page, "reopen", Qt::DirectConnection);
}
} // namespace ToolHost
