#pragma once
// The file pickers every page uses. They run the platform's file dialogs, hand back
// paths with forward slashes, and let a test answer the next dialog instead of a person.

#include <QString>
#include <QStringList>

class QWidget;

namespace FileDialogs
{
// One existing file; "" when the user cancels.
QString openFile(QWidget *parent, const QString &caption, const QString &folder, const QString &filter);
// Several existing files; empty when the user cancels.
QStringList openFiles(QWidget *parent, const QString &caption, const QString &folder, const QString &filter);
// An existing folder; "" when the user cancels.
QString existingFolder(QWidget *parent, const QString &caption, const QString &folder);
// A file name to write; "" when the user cancels.
QString saveFile(QWidget *parent, const QString &caption, const QString &path, const QString &filter);
} // namespace FileDialogs

namespace FileDialogTestHook
{
enum class Kind { OpenFile, OpenFiles, Folder, SaveFile };

// What the last file dialog was asked, answered by the hook or by a person.
struct Request {
    Kind kind = Kind::OpenFile;
    QString caption;
    QString folder;
    QString filter;
};

// Answers the next file dialog with these paths; an empty list is a cancel.
// Single-choice dialogs take the first path.
void answerNext(const QStringList &paths);
void answerNext(const QString &path);
int pendingAnswers();
void clear();
// While strict, a dialog without a queued answer is cancelled with a warning
// instead of waiting for a person.
void setStrict(bool strict);
Request lastRequest();
int requestCount();
} // namespace FileDialogTestHook
