#include "widgets/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QList>
#include <QtDebug>

namespace
{
struct HookState {
    QList<QStringList> answers;
    bool strict = false;
    FileDialogTestHook::Request last;
    int count = 0;
};

HookState &hook()
{
    static HookState state;
    return state;
}

// Records the request; true with the answer in *paths when the hook answers it.
bool hooked(FileDialogTestHook::Kind kind, const QString &caption, const QString &folder, const QString &filter,
            QStringList *paths)
{
    HookState &h = hook();
    h.last = FileDialogTestHook::Request{kind, caption, folder, filter};
    ++h.count;
    if (!h.answers.isEmpty()) {
        *paths = h.answers.takeFirst();
        return true;
    }
    if (h.strict) {
        qWarning() << "FileDialogTestHook: no answer queued for" << caption << "- cancelled";
        paths->clear();
        return true;
    }
    return false;
}

// The platform's separators become slashes; a backslash in a Linux name stays a letter.
QString slashed(const QString &path)
{
    return QDir::fromNativeSeparators(path);
}

QStringList slashed(const QStringList &paths)
{
    QStringList out;
    out.reserve(paths.size());
    for (const QString &p : paths)
        out << slashed(p);
    return out;
}
} // namespace

namespace FileDialogs
{
QString openFile(QWidget *parent, const QString &caption, const QString &folder, const QString &filter)
{
    QStringList answer;
    if (hooked(FileDialogTestHook::Kind::OpenFile, caption, folder, filter, &answer))
        return slashed(answer.value(0));
    return slashed(QFileDialog::getOpenFileName(parent, caption, folder, filter));
}

QStringList openFiles(QWidget *parent, const QString &caption, const QString &folder, const QString &filter)
{
    QStringList answer;
    if (hooked(FileDialogTestHook::Kind::OpenFiles, caption, folder, filter, &answer))
        return slashed(answer);
    return slashed(QFileDialog::getOpenFileNames(parent, caption, folder, filter));
}

QString existingFolder(QWidget *parent, const QString &caption, const QString &folder)
{
    QStringList answer;
    if (hooked(FileDialogTestHook::Kind::Folder, caption, folder, QString(), &answer))
        return slashed(answer.value(0));
    return slashed(QFileDialog::getExistingDirectory(parent, caption, folder));
}

QString saveFile(QWidget *parent, const QString &caption, const QString &path, const QString &filter)
{
    QStringList answer;
    if (hooked(FileDialogTestHook::Kind::SaveFile, caption, path, filter, &answer))
        return slashed(answer.value(0));
    return slashed(QFileDialog::getSaveFileName(parent, caption, path, filter));
}
} // namespace FileDialogs

namespace FileDialogTestHook
{
void answerNext(const QStringList &paths)
{
    hook().answers.append(paths);
}

void answerNext(const QString &path)
{
    hook().answers.append(path.isEmpty() ? QStringList() : QStringList{path});
}

int pendingAnswers()
{
    return hook().answers.size();
}

void clear()
{
    hook().answers.clear();
}

void setStrict(bool strict)
{
    hook().strict = strict;
}

Request lastRequest()
{
    return hook().last;
}

int requestCount()
{
    return hook().count;
}
} // namespace FileDialogTestHook
