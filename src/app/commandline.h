#pragma once
// The program's command line: "clipwright [URL...]", "clipwright --version" and
// "clipwright --help". Links join the download queue, the running copy's when there is
// one; the two options answer on standard output and end the program before any
// window (or display) is needed. Options the program does not know are ignored, and
// Qt's own ("-platform" and the like) are taken out by the application object.

#include <QStringList>

namespace CommandLine
{

struct Request {
    bool version = false;
    bool help = false;
    QStringList links;
};
// The first argument is the program itself.
Request parse(const QStringList &arguments);

// "Clipwright 3.1.4"
QString versionText();
QString helpText();

// Run before the application object exists: prints the version or the help and returns
// 0, or returns -1 when the program should start.
int answerWithoutWindow(int argc, char *argv[]);

// Installs the interface translation the user chose, for texts printed before the
// main window loads the language (needs the application object).
void loadTranslation();

} // namespace CommandLine
