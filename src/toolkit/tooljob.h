#pragma once
// The job machinery the six video tools share: where outputs are written and under
// which free name, what the media converter's merged output says about length and
// progress, and one converter run at a time per page with a start guard and an
// abort flag that tells a user's stop from the end of a run.

#include <QByteArray>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QProcess>
#include <QReadWriteLock>
#include <QString>
#include <QStringList>
#include <memory>

// The converter's output and the tools' runs go to the debug log under this category.
Q_DECLARE_LOGGING_CATEGORY(lcToolkit)

class ChildProcess;
class MyMessageDialog;
class QWidget;

namespace ToolJob
{
// The filter of the video pickers.
QString mediaFilter();

// The input path without "." + its suffix. Only the file name is cut, so a folder
// whose name holds the same text cannot send the output somewhere else.
QString outputBase(const QString &input);
// base + mark + "." + ext when free, else base + mark + " (n)." + ext for the first free n from 0.
QString freeOutputName(const QString &base, const QString &mark, const QString &ext);
// freeOutputName beside the input, with the input's own suffix.
QString freeSiblingName(const QString &input, const QString &mark);
// folder + "Join_file." + ext when free, else folder + "Join_file(n)." + ext.
QString freeJoinName(const QString &folder, const QString &ext);

// Whole seconds after the first "Duration:" of the text; -1 when it holds none.
qint64 durationIn(const QString &text);
// The sum of the lengths of every line that holds "Duration:".
qint64 totalDurationIn(const QString &text);
// Hundredths of a percent, 0..9999, from the last "time=" report of the text
// against the duration; -1 when the text reports no time or the duration is unknown.
int progressIn(const QString &text, qint64 duration);
// 4507 gives "45.7%", 9999 gives "99.99%".
QString percentText(int progress);

// Judges a run by its output: one of 1024 bytes or less is no result and is deleted.
// True when the output is there afterwards.
bool keepOutput(const QString &path);
// The rotation of the first display matrix the converter reports for its input, in
// degrees counter-clockwise as it prints them; 0 when it reports none.
int displayRotationIn(const QString &text);

// Opens the picker in the remembered folder and remembers the folder of the first
// chosen file. Several files or one, as asked; empty when nothing was chosen.
QStringList pickFiles(QWidget *page, bool several, const QString &caption, const QString &filter);
} // namespace ToolJob

// Hands out the converter's output in whole lines (ended by "\n" or "\r"): the
// converter writes one line in several pieces, and a piece alone may cut a time in two.
class ConverterOutput
{
public:
    QString take(const QByteArray &bytes);
    // Whatever is left once the run has ended.
    QString flush();
    void clear();

private:
    QByteArray m_pending;
};

// One page's converter process and the state of its current run.
class ToolJobRunner : public QObject
{
    Q_OBJECT
public:
    // The page's ffmpegProcess_StandardOutput_slots() and ffmpegProcess_Finished(int)
    // are connected to the process; a run that cannot start is finished all the same.
    explicit ToolJobRunner(QWidget *page);
    ~ToolJobRunner() override;

    QProcess *process() const;
    QReadWriteLock &startGuard()
    {
        return m_startGuard;
    }

    // Clears the abort flag and starts a run of program that writes output (empty for a
    // run that only reads). The output's name must be free: a stopped run removes it.
    void start(const QString &program, const QStringList &arguments, const QString &output = QString());
    // Sets the abort flag, kills the run and waits for it a bounded time, then removes
    // what the run had written. A run that will not end in time is left to end on its
    // own (its output removed then) and the next run gets a fresh process.
    void stop();
    bool isRunning() const
    {
        return m_running;
    }
    bool aborted() const
    {
        return m_abort;
    }
    // Whether a finish notice should be judged: false once stopped or when no run is
    // out. Either way the run counts as over afterwards.
    bool acceptFinish();

    // Everything the run has written since the last read, in whole lines, logged.
    QString readOutput();
    // For the tools that only want the length: reads "Duration:" while it is unknown.
    void readDuration(const QString &text);
    // Duration first, then progress: -1, or hundredths of a percent to show.
    int readProgress(const QString &text);

    qint64 duration() const
    {
        return m_duration;
    }
    void setDuration(qint64 seconds)
    {
        m_duration = seconds;
    }
    QString outputPath() const
    {
        return m_outputPath;
    }
    // Cutter and splitter: 0 while probing the length, 1 for the work.
    int runKind() const
    {
        return m_runKind;
    }
    void setRunKind(int kind)
    {
        m_runKind = kind;
    }

    // The argument lists of every run started, oldest first.
    QList<QStringList> startedRuns() const
    {
        return m_startedRuns;
    }
    void forgetStartedRuns()
    {
        m_startedRuns.clear();
    }

    // The page's one notice dialog, created at first use and reused.
    void showMessage(const QString &text, const QString &okText);

private slots:
    void processError_slots(QProcess::ProcessError error);

private:
    void attachProcess();
    void abandonProcess();

    QWidget *m_page;
    ChildProcess *m_process;
    QReadWriteLock m_startGuard;
    ConverterOutput m_output;
    std::unique_ptr<MyMessageDialog> m_message;
    QList<QStringList> m_startedRuns;
    QString m_outputPath;
    qint64 m_duration = 0;
    int m_runKind = 0;
    bool m_abort = false;
    bool m_running = false;
};
