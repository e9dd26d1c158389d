#pragma once
// Test set-up shared by every test executable: a private HOME, TMPDIR and XDG
// folders for the whole run, so settings, caches and databases never leak between
// tests or into the developer's own.

#include <QApplication>
#include <QString>
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
// An application folder at path with the built adapter and decoder and the system's
// ffmpeg and ffprobe, for runs of the real downloader without any fake.
bool makeRealApplicationFolder(const QString &path);
} // namespace TestEnv

#define CW_TEST_MAIN(TestObject)                                                                                       \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        TestEnv::isolate();                                                                                            \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
