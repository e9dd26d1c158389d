#pragma once
// What the tools and the toolkit home ask of the main window: its busy overlay and the
// download page, through the shell's services (app/shellservices.h). Nothing is shown
// when no window has registered them.

#include <QString>

namespace ToolHost
{
// Shows the overlay over the page area (its text replaced when non-empty), or hides it.
void showBusy(bool show, const QString &text = QString());
// Shows the download page; on the first visit the window's first load runs 100 ms later.
void openDownloadPage(bool firstVisit);
} // namespace ToolHost
