#include "settings/downloadersetwidget.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "app/format.h"
#include "app/settings.h"
#include "external/components.h"
#include "settings/settingslook.h"
#include "update/componentupdates.h"
#include "widgets/controls.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>

using Settings::Key;
using namespace SettingsLook;
using Outcome = ComponentResult::Outcome;
using Step = ComponentResult::Step;

namespace
{
QString progressStyle()
{
    return QStringLiteral("QProgressBar{border:1px solid #d8d7d6;border-radius:2px;background-color:#f7f7f7;}"
                          "QProgressBar::chunk{background-color:#0396eb;}");
}
// "~/.local/share/..." rather than the whole home folder.
QString homeShortened(const QString &path)
{
    const QString home = QDir::homePath();
    return path.startsWith(home + QLatin1Char('/')) ? QLatin1Char('~') + path.mid(home.size()) : path;
}
} // namespace

DownloaderSetWidget::DownloaderSetWidget(QWidget *parent)
    : QWidget(parent), m_ytdlpTitle(new QLabel(this)), m_ytdlpValue(new QLabel(this)), m_runtimeTitle(new QLabel(this)),
      m_runtimeValue(new QLabel(this)), m_checkButton(new MyTempButton2(this)),
      m_rollbackButton(new MyTempButton2(this)), m_progressBar(new QProgressBar(this)),
      m_progressLabel(new QLabel(this)), m_resultLabel(new QLabel(this)), m_autoUpdateBox(new QCheckBox(this)),
      m_noteLabel(new QLabel(this))
{
    for (QLabel *label : {m_ytdlpTitle, m_ytdlpValue, m_runtimeTitle, m_runtimeValue, m_progressLabel})
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel *label : {m_resultLabel, m_noteLabel}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
    }
    m_resultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_progressBar->setTextVisible(false);

    ComponentUpdates *updates = ComponentUpdates::instance();
    connect(updates, &ComponentUpdates::started, this, &DownloaderSetWidget::runStarted);
    connect(updates, &ComponentUpdates::progress, this, &DownloaderSetWidget::runProgress);
    connect(updates, &ComponentUpdates::finished, this, &DownloaderSetWidget::runFinished);
    connect(m_checkButton, SIGNAL(clicked()), this, SLOT(checkButton_slots()));
    connect(m_rollbackButton, SIGNAL(clicked()), this, SLOT(rollbackButton_slots()));
    connect(m_autoUpdateBox, SIGNAL(stateChanged(int)), this, SLOT(autoUpdateBox_slots()));
    showRunState();
}

void DownloaderSetWidget::loadSettings()
{
    {
        const QSignalBlocker quiet(m_autoUpdateBox);
        m_autoUpdateBox->setChecked(Settings::readSwitch(Key::AutoUpdateComponents));
    }
    refreshVersions();
    showRunState();
}

void DownloaderSetWidget::retranslate()
{
    m_ytdlpTitle->setText(tr("Downloader (yt-dlp):"));
    m_runtimeTitle->setText(tr("JavaScript runtime:"));
    m_checkButton->setText(tr("Check for updates"));
    m_rollbackButton->setText(tr("Roll back"));
    m_autoUpdateBox->setText(tr("Keep the downloader up to date automatically"));
    m_noteLabel->setText(tr("A new version is used only after its checksum and yt-dlp's signature are verified and it "
                            "has started once; the previous version is kept for a roll-back. The downloader is kept "
                            "in:")
                         + QLatin1Char('\n') + homeShortened(Components::root()));
    showVersions();
    showRunState();
    showResults(m_shownResults, m_shownRollBack);
}

void DownloaderSetWidget::layoutPage()
{
    const int x = scaled(LeftMargin);
    const int labelW = scaled(200);
    const int valueX = x + labelW;
    const int valueW = width() - valueX - x;
    const int h = scaled(RowHeight);
    auto rowY = [](double row) { return scaled(TopMargin + row * RowStep); };
    const int buttonW = scaled(150);

    m_ytdlpTitle->setGeometry(x, rowY(0), labelW, h);
    m_ytdlpValue->setGeometry(valueX, rowY(0), valueW, h);
    m_runtimeTitle->setGeometry(x, rowY(1), labelW, h);
    m_runtimeValue->setGeometry(valueX, rowY(1), valueW, h);
    m_checkButton->setGeometry(x, rowY(2.2), buttonW, h);
    m_rollbackButton->setGeometry(x + buttonW + scaled(12), rowY(2.2), buttonW, h);
    m_progressBar->setGeometry(x, rowY(3.3), width() - 2 * x, scaled(8));
    m_progressLabel->setGeometry(x, rowY(3.3) + scaled(12), width() - 2 * x, scaled(20));
    m_resultLabel->setGeometry(x, rowY(4.2), width() - 2 * x, scaled(64));
    m_autoUpdateBox->setGeometry(x, rowY(5.9), width() - 2 * x, h);
    m_noteLabel->setGeometry(x, rowY(6.9), width() - 2 * x, scaled(70));

    for (QLabel *label : {m_ytdlpTitle, m_ytdlpValue, m_runtimeTitle, m_runtimeValue, m_resultLabel})
        label->setStyleSheet(labelStyle());
    m_progressLabel->setStyleSheet(labelStyle("#666666"));
    m_noteLabel->setStyleSheet(labelStyle("#888888"));
    m_autoUpdateBox->setStyleSheet(checkBoxStyle());
    m_progressBar->setStyleSheet(progressStyle());
    styleButton(m_checkButton);
    styleButton(m_rollbackButton);
}

void DownloaderSetWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}

void DownloaderSetWidget::refreshVersions()
{
    // Asking a yt-dlp for its version can take a moment: done when the page is opened and
    // after a change, not at every language switch.
    m_ytdlp = Components::chooseYtdlp(toolTempFolder());
    m_nodeRuntime = Components::jsRuntimeChoice(m_ytdlp.version) == QLatin1String("node");
    m_versionsKnown = true;
    showVersions();
}

void DownloaderSetWidget::showVersions()
{
    if (!m_versionsKnown)
        return;
    QString ytdlpText;
    if (m_ytdlp.source == Components::YtdlpChoice::Component)
        ytdlpText = tr("%1, installed by Clipwright").arg(m_ytdlp.version);
    else if (!m_ytdlp.path.isEmpty())
        ytdlpText =
            tr("%1, found at %2").arg(m_ytdlp.version.isEmpty() ? QStringLiteral("?") : m_ytdlp.version, m_ytdlp.path);
    else
        ytdlpText = tr("Not installed");
    const QString previousYtdlp = Components::previousVersion(Components::YtDlp);
    if (!previousYtdlp.isEmpty())
        ytdlpText = tr("%1; previous %2").arg(ytdlpText, previousYtdlp);
    m_ytdlpValue->setText(ytdlpText);
    m_ytdlpValue->setToolTip(m_ytdlp.path);

    QString runtimeText;
    const QString deno = Components::currentVersion(Components::Deno);
    if (!deno.isEmpty())
        runtimeText = tr("deno %1, installed by Clipwright").arg(deno);
    else if (m_nodeRuntime)
        runtimeText = tr("node, found on this computer");
    else
        runtimeText = tr("None");
    const QString previousDeno = Components::previousVersion(Components::Deno);
    if (!previousDeno.isEmpty())
        runtimeText = tr("%1; previous %2").arg(runtimeText, previousDeno);
    m_runtimeValue->setText(runtimeText);
    m_runtimeValue->setToolTip(Components::currentExecutable(Components::Deno));
}

void DownloaderSetWidget::showRunState()
{
    const bool running = ComponentUpdates::instance()->isRunning();
    m_checkButton->setEnabled(!running);
    const bool anyPrevious = !Components::previousVersion(Components::YtDlp).isEmpty()
                             || !Components::previousVersion(Components::Deno).isEmpty();
    m_rollbackButton->setEnabled(!running && anyPrevious);
    m_progressBar->setVisible(running);
    m_progressLabel->setVisible(running);
    if (running && m_progressLabel->text().isEmpty()) {
        m_progressBar->setRange(0, 0);
        m_progressLabel->setText(tr("Checking for updates..."));
    }
}

void DownloaderSetWidget::checkButton_slots()
{
    ComponentUpdates::instance()->start();
}

void DownloaderSetWidget::rollbackButton_slots()
{
    showResults(ComponentUpdates::instance()->rollBack(), true);
    refreshVersions();
    showRunState();
}

void DownloaderSetWidget::autoUpdateBox_slots()
{
    Settings::writeSwitch(Key::AutoUpdateComponents, m_autoUpdateBox->checkState() == Qt::Checked);
}

void DownloaderSetWidget::runStarted()
{
    m_progressLabel->clear();
    showResults({}, false);
    showRunState();
}

void DownloaderSetWidget::runProgress(const QString &component, qint64 received, qint64 total)
{
    if (total > 0) {
        // The bar counts kilobytes, which keeps large files within an int.
        m_progressBar->setRange(0, int(total / 1024));
        m_progressBar->setValue(int(received / 1024));
        m_progressLabel->setText(
            tr("Downloading %1: %2 of %3").arg(component, formatSize(received).trimmed(), formatSize(total).trimmed()));
    } else {
        m_progressBar->setRange(0, 0);
        m_progressLabel->setText(tr("Downloading %1: %2").arg(component, formatSize(received).trimmed()));
    }
}

void DownloaderSetWidget::runFinished()
{
    m_progressLabel->clear();
    showResults(ComponentUpdates::instance()->lastResults(), false);
    refreshVersions();
    showRunState();
}

void DownloaderSetWidget::showResults(const QList<ComponentResult> &results, bool rollBack)
{
    m_shownResults = results;
    m_shownRollBack = rollBack;
    QStringList lines;
    QStringList details;
    bool allOk = true;
    for (const ComponentResult &result : results) {
        lines.append(resultText(result, rollBack));
        details.append(resultLine(result));
        allOk = allOk && result.ok();
    }
    m_resultLabel->setText(lines.join(QLatin1Char('\n')));
    // The technical reason of a failure, for those who want it.
    m_resultLabel->setToolTip(details.join(QLatin1Char('\n')));
    m_resultLabel->setStyleSheet(labelStyle(allOk ? "#333333" : "#FF6000"));
}

QString DownloaderSetWidget::resultText(const ComponentResult &result, bool rollBack) const
{
    if (rollBack) {
        if (result.ok())
            return tr("%1: back to %2").arg(result.name, result.newVersion);
        return tr("%1: no previous version to go back to").arg(result.name);
    }
    switch (result.outcome) {
    case Outcome::UpToDate:
        return tr("%1: %2 is the latest version").arg(result.name, result.oldVersion);
    case Outcome::HeldBack:
        return tr("%1: %2 stays, since %3 was rolled back").arg(result.name, result.oldVersion, result.newVersion);
    case Outcome::Updated:
        if (result.oldVersion.isEmpty())
            return tr("%1: %2 installed").arg(result.name, result.newVersion);
        return tr("%1: updated from %2 to %3").arg(result.name, result.oldVersion, result.newVersion);
    case Outcome::Failed:
        break;
    }
    QString step;
    switch (result.failedStep) {
    case Step::ReleaseInfo:
        step = tr("the release could not be read");
        break;
    case Step::Download:
        step = tr("the download failed");
        break;
    case Step::Checksum:
        step = tr("the checksum did not match");
        break;
    case Step::Signature:
        step = tr("the signature is missing or wrong");
        break;
    case Step::Unpack:
        step = tr("the archive could not be unpacked");
        break;
    case Step::SmokeTest:
        step = tr("the new version did not start properly");
        break;
    case Step::Install:
    case Step::RollBack:
    case Step::None:
        step = tr("it could not be installed");
        break;
    }
    const QString kept =
        result.oldVersion.isEmpty() ? tr("nothing was installed") : tr("%1 stays in use").arg(result.oldVersion);
    return tr("%1: not updated, %2; %3.").arg(result.name, step, kept);
}
