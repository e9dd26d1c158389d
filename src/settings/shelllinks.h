#pragma once
// How the settings pages reach the windows above them: the download page, which keeps
// copies of some settings, the after-download action and the language switch. Each is
// optional, so the pages also work without a main window.

#include <QString>

class DLManagerWidget;

namespace ShellLinks
{
DLManagerWidget *downloadPage();
// 0 nothing, 1 restart, 2 shut down.
int finishedAction();
// Also lets the download page show the new action.
void setFinishedAction(int action);
// The download page reads the settings it keeps copies of again.
void reloadDownloadSettings();
// Installs the language (English when its translation is missing) and lets every page
// set its texts again; returns the code in effect.
QString switchLanguage(const QString &code);
} // namespace ShellLinks
