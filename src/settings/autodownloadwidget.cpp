#include "settings/autodownloadwidget.h"

#include "app/appenv.h"
#include "app/settings.h"
#include "settings/settingslook.h"
#include "settings/shelllinks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

using Settings::Key;
using namespace SettingsLook;

namespace
{
int subtitleIndexOf(const QString &language)
{
    if (language == QLatin1String("en"))
        return 1;
    if (language == QLatin1String("zh"))
        return 2;
    return 0;
}

QString subtitleLanguageAt(int index)
{
    if (index == 1)
        return QStringLiteral("en");
    if (index == 2)
        return QStringLiteral("zh");
    return QString();
}
} // namespace

AutoDownloadWidget::AutoDownloadWidget(QWidget *parent)
    : QWidget(parent), m_enabledCheckBox(new QCheckBox(this)), m_subtitleCheckBox(new QCheckBox(this)),
      m_quatilyLabel(new QLabel(this)), m_quatilyComboBox(new QComboBox(this)), m_subtitleComboBox(new QComboBox(this))
{
    setupComboBox(m_quatilyComboBox, 7);
    setupComboBox(m_subtitleComboBox, 3);
    m_quatilyLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(m_enabledCheckBox, SIGNAL(stateChanged(int)), this, SLOT(enabledCheckBox_slots()));
    connect(m_subtitleCheckBox, SIGNAL(stateChanged(int)), this, SLOT(subtitleCheckBox_slots()));
    connect(m_quatilyComboBox, SIGNAL(activated(int)), this, SLOT(quatilyComboBox_currentIndexChanged_slots()));
    connect(m_subtitleComboBox, SIGNAL(activated(int)), this, SLOT(subtitleComboBox_currentIndexChanged_slots()));
}

void AutoDownloadWidget::loadSettings()
{
    const QSignalBlocker quietEnabled(m_enabledCheckBox);
    const QSignalBlocker quietSubtitle(m_subtitleCheckBox);
    const QSignalBlocker quietQuality(m_quatilyComboBox);
    const QSignalBlocker quietLanguage(m_subtitleComboBox);
    m_enabledCheckBox->setChecked(Settings::readSwitch(Key::AutoDL_Enabled));
    m_subtitleCheckBox->setChecked(Settings::readSwitch(Key::AutoDL_DLSubtitle));
    m_quatilyComboBox->setCurrentIndex(Settings::readNumber(Key::AutoDL_DLQuatily));
    m_subtitleComboBox->setCurrentIndex(subtitleIndexOf(Settings::readText(Key::AutoDL_DLSubtitleLang)));
    applyEnabled();
}

void AutoDownloadWidget::retranslate()
{
    m_enabledCheckBox->setText(tr("Enabled auto download."));
    m_subtitleCheckBox->setText(tr("Download subtitles."));
    m_quatilyLabel->setText(tr("Quality of priority selection:"));
    setComboTexts(m_quatilyComboBox,
                  {QStringLiteral("8K"), QStringLiteral("4K"), QStringLiteral("2K"), QStringLiteral("1080P"),
                   QStringLiteral("720P"), QStringLiteral("480P"), tr("Auto")});
    setComboTexts(m_subtitleComboBox, {tr("Auto"), tr("English"), tr("Chinese")});
}

void AutoDownloadWidget::layoutPage()
{
    const int x = scaled(LeftMargin);
    const int indent = x + scaled(24);
    const int h = scaled(RowHeight);
    auto rowY = [](int row) { return scaled(TopMargin + row * RowStep); };
    m_enabledCheckBox->setGeometry(x, rowY(0), width() - 2 * x, h);
    m_quatilyLabel->setGeometry(indent, rowY(1), scaled(206), h);
    m_quatilyComboBox->setGeometry(indent + scaled(206), rowY(1), scaled(130), h);
    m_subtitleCheckBox->setGeometry(indent, rowY(2), scaled(206), h);
    m_subtitleComboBox->setGeometry(indent + scaled(206), rowY(2), scaled(130), h);

    m_enabledCheckBox->setStyleSheet(checkBoxStyle());
    m_subtitleCheckBox->setStyleSheet(checkBoxStyle());
    m_quatilyLabel->setStyleSheet(labelStyle());
    for (QComboBox *combo : {m_quatilyComboBox, m_subtitleComboBox}) {
        combo->setStyleSheet(comboStyle());
        combo->setIconSize(QSize(scaled(16), scaled(16)));
    }
}

void AutoDownloadWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}

void AutoDownloadWidget::applyEnabled()
{
    // Disabled controls take the grey text, pictures and borders of the style sheets.
    const bool on = m_enabledCheckBox->checkState() == Qt::Checked;
    m_subtitleCheckBox->setEnabled(on);
    m_quatilyLabel->setEnabled(on);
    m_quatilyComboBox->setEnabled(on);
    m_subtitleComboBox->setEnabled(on);
}

void AutoDownloadWidget::enabledCheckBox_slots()
{
    Settings::writeSwitch(Key::AutoDL_Enabled, m_enabledCheckBox->checkState() == Qt::Checked);
    applyEnabled();
    ShellLinks::reloadDownloadSettings();
}

void AutoDownloadWidget::subtitleCheckBox_slots()
{
    Settings::writeSwitch(Key::AutoDL_DLSubtitle, m_subtitleCheckBox->checkState() == Qt::Checked);
    ShellLinks::reloadDownloadSettings();
}

void AutoDownloadWidget::quatilyComboBox_currentIndexChanged_slots()
{
    Settings::writeNumber(Key::AutoDL_DLQuatily, m_quatilyComboBox->currentIndex());
    ShellLinks::reloadDownloadSettings();
}

void AutoDownloadWidget::subtitleComboBox_currentIndexChanged_slots()
{
    Settings::writeText(Key::AutoDL_DLSubtitleLang, subtitleLanguageAt(m_subtitleComboBox->currentIndex()));
    ShellLinks::reloadDownloadSettings();
}
