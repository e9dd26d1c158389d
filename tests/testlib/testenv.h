#pragma once
// Test set-up shared by every test executable: a private HOME, TMPDIR and XDG
// folders for the whole run, so settings, caches and databases never leak between
// tests or into the developer's own.

#include <QApplication>
#include <QString>
#include <QUrl>
#include <QtTest>

namespace TestEnv
{
// Points HOME, TMPDIR and the XDG folders at a fresh temporary folder. Call first in main().
void isolate();
QString root();
QString home();
// The built application folder and the folder of the test executables.
QString binDir();
QString testBinDir();
// Removes every stored setting of the program.
void clearSettings();
// The current yt-dlp kept beside the repository (../shared/vendor), or "" where it is absent.
QString currentYtdlp();
// An application folder at path with the built adapter and decoder and the system's
// ffmpeg and ffprobe, for runs of the real downloader without any fake.
bool makeRealApplicationFolder(const QString &path);
// A left click in the middle of a control, as a user presses it.
void press(QWidget *control);
} // namespace TestEnv

// Receives the addresses the program opens instead of a browser (QDesktopServices::setUrlHandler).
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url)
    {
        opened << url;
    }
};

#define CW_TEST_MAIN(TestObject)                                                                                       \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        TestEnv::isolate();                                                                                            \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
