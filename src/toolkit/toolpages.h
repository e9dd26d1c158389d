#pragma once
// The bases of the six tool pages. Every page has numbered step captions, a Start
// button and one converter job; the list tools (converter, rotator, joiner) add the
// file list, the one-input tools (cutter, splitter) the probe of their input's length.
// The tools keep their own slots, arguments and texts.

#include <QStringList>
#include <QVector>
#include <QWidget>

class MyPushButton;
class MyTempButton2;
class QLabel;
class ToolFileList;
class ToolJobRunner;

class ToolPage : public QWidget
{
public:
    virtual void retranslate() = 0;
    virtual void showTool();
    // Stops any run without a word and forgets the page's input.
    virtual void stopAndClear() = 0;

    MyTempButton2 *startButton() const
    {
        return m_startButton;
    }
    ToolJobRunner *job() const
    {
        return m_job;
    }

protected:
    ToolPage(QWidget *parent, int stepCount);

    // The job reaches the tool's ffmpegProcess_* slots by name, which only the tool's
    // meta-object knows: the tool calls this first thing in its constructor body.
    void attachJob();
    QLabel *stepLabel(int index) const
    {
        return m_stepLabels.at(index);
    }
    // Looked up under the tool's own class, as the tool's tr() would, so the tool's
    // translations apply to the texts the bases show for it.
    QString toolText(const char *source) const;
    // The run's progress on the busy overlay, after "Converting...".
    void showProgress();

    void resizeEvent(QResizeEvent *event) override;
    virtual void layoutPage() = 0;

    ToolJobRunner *m_job = nullptr;
    MyTempButton2 *m_startButton;

private:
    QVector<QLabel *> m_stepLabels;
};

// A "+" button that adds rows to the file list, and an optional row of choice buttons
// of which the chosen one is shown disabled.
class ListToolPage : public ToolPage
{
public:
    // The list keys need the page to take focus.
    void showTool() override;

    ToolFileList *fileList() const
    {
        return m_fileList;
    }
    MyTempButton2 *addButton() const
    {
        return m_addButton;
    }

protected:
    // Three steps with choices, two without.
    ListToolPage(QWidget *parent, int choiceCount);

    // After attachJob(): the buttons and the list reach the tool's slots by name.
    // Start stays disabled until rows are added.
    void connectList();
    MyPushButton *choiceButton(int index) const
    {
        return index >= 0 && index < m_choiceButtons.size() ? m_choiceButtons.at(index) : nullptr;
    }
    int choice() const
    {
        return m_choice;
    }
    void choose(int index);
    // Asks for files and adds those that exist; Start waits while the job is busy.
    void addFiles();
    virtual bool busy() const;

    void keyPressEvent(QKeyEvent *event) override;
    void layoutPage() override;

    MyTempButton2 *m_addButton;
    ToolFileList *m_fileList;

private:
    QVector<MyPushButton *> m_choiceButtons;
    int m_choice = 0;
};

// One run per row, top to bottom, each row marked with how its run went.
class BatchToolPage : public ListToolPage
{
public:
    void stopAndClear() override;
    // The row being worked on; -1 between walks.
    int currentIndex() const
    {
        return m_currentIndex;
    }

protected:
    using ListToolPage::ListToolPage;

    // The start step: begins a walk, starts the current row's run, or ends the walk
    // after the last row. Called again without finishRow() it runs the same row anew.
    void startNextRow();
    // Marks the row by its output (see ToolJob::keepOutput) and moves on.
    void finishRow();
    // The run of one row: sets output to the path it writes (empty for a run that
    // only reads its input).
    virtual QStringList rowArguments(const QString &input, QString &output) = 0;
    // A running walk picks new rows up itself.
    bool busy() const override;

private:
    int m_currentIndex = -1;
    int m_failedRows = 0;
};

// One input file, whose length a probe run reads before the work can start.
class ProbeToolPage : public ToolPage
{
public:
    QString inputPath() const
    {
        return m_inputPath;
    }
    qint64 duration() const;
    MyTempButton2 *addButton() const
    {
        return m_addButton;
    }

protected:
    explicit ProbeToolPage(QWidget *parent);

    // The chosen file, or empty when nothing was chosen.
    QString pickInput();
    // Probes m_inputPath.
    void startProbe();
    // Reads the length from what the probe wrote so far.
    void readProbeOutput();
    // After the probe run: false, with the failure told, when no length was read.
    bool probeSucceeded();
    // Starts the work run, releases the start guard the caller holds and shows the overlay.
    void startWork(const QString &output, const QStringList &arguments);
    // Shows the path and what the length allows.
    virtual void refresh() = 0;

    QString m_inputPath;
    MyTempButton2 *m_addButton;
    QLabel *m_pathLabel;
};
