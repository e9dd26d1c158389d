#pragma once
// A child process that dies with the program. Should the program crash or be
// killed, a downloader left running would go on writing a file that the next run
// downloads again; the kernel ends the child instead.

#include <QProcess>

class ChildProcess : public QProcess
{
    Q_OBJECT
public:
    using QProcess::QProcess;

protected:
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    void setupChildProcess() override;
#endif
};
