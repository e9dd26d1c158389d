#include "toolkit/toolpages.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "external/toolargs.h"
#include "toolkit/toolhost.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>

ToolPage::ToolPage(QWidget *parent, int stepCount) : QWidget(parent)
{
    setAutoFillBackground(true);
    for (int i = 0; i < stepCount; ++i) {
        m_stepLabels << new QLabel(this);
        ToolLook::styleStepLabel(m_stepLabels.last());
    }
    m_startButton = new MyTempButton2(this);
    ToolLook::styleStartButton(m_startButton);
}

void ToolPage::showTool()
{
    show();
    raise();
}

void ToolPage::attachJob()
{
    m_job = new ToolJobRunner(this);
}

QString ToolPage::toolText(const char *source) const
{
    return QCoreApplication::translate(metaObject()->className(), source);
}

void ToolPage::showProgress()
{
    const int progress = m_job->readProgress(m_job->readOutput());
    if (progress >= 0)
        ToolHost::showBusy(true, toolText("Converting...") + ToolJob::percentText(progress));
}

void ToolPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}

// ---------------------------------------------------------------------------

ListToolPage::ListToolPage(QWidget *parent, int choiceCount)
    : ToolPage(parent, choiceCount > 0 ? 3 : 2), m_addButton(new MyTempButton2(this)),
      m_fileList(new ToolFileList(this))
{
    setFocusPolicy(Qt::NoFocus);
    ToolLook::styleAddButton(m_addButton);
    m_addButton->setText(QStringLiteral("+"));
    for (int i = 0; i < choiceCount; ++i) {
        m_choiceButtons << new MyPushButton(this);
        ToolLook::styleChoiceButton(m_choiceButtons.last());
    }
}

void ListToolPage::showTool()
{
    ToolPage::showTool();
    setFocusPolicy(Qt::WheelFocus);
    setFocus();
}

void ListToolPage::connectList()
{
    connect(m_addButton, SIGNAL(clicked()), this, SLOT(addfileButton_slots()));
    connect(m_startButton, SIGNAL(clicked()), this, SLOT(startButton_slots()));
    connect(m_fileList, SIGNAL(itemClicked(QTreeWidgetItem *, int)), this,
            SLOT(fileListTreeWidgetClicked_slots(QTreeWidgetItem *, int)));
    m_startButton->setEnabled(false);
}

void ListToolPage::choose(int index)
{
    m_choice = index;
    for (int i = 0; i < m_choiceButtons.size(); ++i)
        m_choiceButtons.at(i)->setEnabled(i != index);
}

void ListToolPage::addFiles()
{
    const QStringList chosen =
        ToolJob::pickFiles(this, true, toolText("Select files to the conversion"), ToolJob::mediaFilter());
    if (chosen.isEmpty())
        return;
    for (const QString &path : chosen)
        if (QFileInfo::exists(path))
            m_fileList->addFile(path);
    m_startButton->setEnabled(false);
    if (m_fileList->count() > 0 && !busy())
        m_startButton->setEnabled(true);
}

bool ListToolPage::busy() const
{
    return m_job->isRunning();
}

void ListToolPage::keyPressEvent(QKeyEvent *event)
{
    QWidget::keyPressEvent(event);
    if (!isVisible() || !m_startButton->isEnabled())
        return;
    if (m_fileList->handleListKey(event, m_startButton))
        event->accept();
}

void ListToolPage::layoutPage()
{
    const int left = scaled(40);
    const int w = width() - 2 * left;
    const bool choices = !m_choiceButtons.isEmpty();
    stepLabel(0)->setGeometry(left, scaled(20), w, scaled(24));
    m_addButton->setGeometry(left, scaled(52), scaled(80), scaled(30));
    m_fileList->setGeometry(left, scaled(92), w, scaled(choices ? 296 : 376));
    if (choices) {
        stepLabel(1)->setGeometry(left, scaled(402), w, scaled(24));
        for (int i = 0; i < m_choiceButtons.size(); ++i)
            m_choiceButtons.at(i)->setGeometry(left + i * scaled(106), scaled(432), scaled(90), scaled(32));
    }
    stepLabel(choices ? 2 : 1)->setGeometry(left, scaled(480), w, scaled(24));
    m_startButton->setGeometry(left, scaled(512), scaled(160), scaled(40));
}

// ---------------------------------------------------------------------------

void BatchToolPage::stopAndClear()
{
    m_job->startGuard().lockForWrite();
    m_fileList->clear();
    m_currentIndex = -1;
    m_job->stop();
    m_startButton->setEnabled(false);
    m_job->startGuard().unlock();
}

void BatchToolPage::startNextRow()
{
    QReadWriteLock &guard = m_job->startGuard();
    if (!guard.tryLockForWrite())
        return;
    m_startButton->setEnabled(false);
    if (m_currentIndex == -1) {
        m_fileList->setAllStatuses(toolText("Ready"));
        m_currentIndex = 0;
        m_failedRows = 0;
    }
    m_job->setDuration(0);
    if (m_currentIndex >= m_fileList->count()) {
        const int rows = m_currentIndex;
        m_currentIndex = -1;
        ToolHost::showBusy(false);
        m_startButton->setEnabled(true);
        guard.unlock();
        // The walk goes on past a failed row, but its end says so.
        QString text = toolText("Conversion completed.");
        if (m_failedRows == rows)
            text = toolText("Conversion failed.");
        else if (m_failedRows > 0)
            text = toolText("Conversion failed for %1 of %2 files.").arg(m_failedRows).arg(rows);
        m_job->showMessage(text, toolText("OK"));
        return;
    }
    m_fileList->setStatus(m_currentIndex, toolText("Converting"));
    QString output;
    const QStringList arguments = rowArguments(m_fileList->pathAt(m_currentIndex), output);
    m_job->start(ffmpegPath(), arguments, output);
    ToolHost::showBusy(true);
    ToolHost::showBusy(true, toolText("Converting..."));
    guard.unlock();
}

void BatchToolPage::finishRow()
{
    if (!m_job->acceptFinish())
        return;
    const bool done = ToolJob::keepOutput(m_job->outputPath());
    if (!done)
        ++m_failedRows;
    m_fileList->setStatus(m_currentIndex, done ? toolText("Converted") : toolText("Failed"));
    ++m_currentIndex;
    startNextRow();
}

bool BatchToolPage::busy() const
{
    return m_currentIndex != -1;
}

// ---------------------------------------------------------------------------

ProbeToolPage::ProbeToolPage(QWidget *parent)
    : ToolPage(parent, 3), m_addButton(new MyTempButton2(this)), m_pathLabel(new QLabel(this))
{
    ToolLook::styleAddButton(m_addButton);
    ToolLook::stylePathLabel(m_pathLabel);
    m_addButton->setText(QStringLiteral("+"));
}

qint64 ProbeToolPage::duration() const
{
    return m_job->duration();
}

QString ProbeToolPage::pickInput()
{
    const QStringList chosen = ToolJob::pickFiles(this, false, toolText("Open File"), ToolJob::mediaFilter());
    return chosen.isEmpty() ? QString() : chosen.first();
}

void ProbeToolPage::startProbe()
{
    m_job->setDuration(0);
    m_job->setRunKind(0);
    m_job->start(ffmpegPath(), ConverterArgs::probe(m_inputPath));
    ToolHost::showBusy(true, toolText("Loading..."));
}

void ProbeToolPage::readProbeOutput()
{
    m_job->readDuration(m_job->readOutput());
}

bool ProbeToolPage::probeSucceeded()
{
    readProbeOutput(); // the last line may have come without its line end
    ToolHost::showBusy(false);
    if (m_job->duration() > 0)
        return true;
    m_inputPath.clear();
    m_startButton->setEnabled(false);
    m_job->showMessage(toolText("Read file failed, Please try again."), toolText("OK"));
    refresh();
    return false;
}

void ProbeToolPage::startWork(const QString &output, const QStringList &arguments)
{
    m_job->setRunKind(1);
    m_job->start(ffmpegPath(), arguments, output);
    m_job->startGuard().unlock();
    ToolHost::showBusy(true);
    ToolHost::showBusy(true, toolText("Loading..."));
}
