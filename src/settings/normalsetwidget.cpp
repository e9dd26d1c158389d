#include "settings/normalsetwidget.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "app/settings.h"
#include "app/vendor.h"
#include "settings/settingslook.h"
#include "settings/shelllinks.h"
#include "views/downloadpage.h"
#include "widgets/controls.h"
#include "widgets/filedialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

using Settings::Key;
using namespace SettingsLook;

namespace
{
void showSwitch(QCheckBox *box, Key key)
{
    const QSignalBlocker quiet(box);
    box->setChecked(Settings::readSwitch(key));
}

void storeSwitch(QCheckBox *box, Key key)
{
    Settings::writeSwitch(key, box->checkState() == Qt::Checked);
}
} // namespace

NormalSetWidget::NormalSetWidget(QWidget *parent)
    : QWidget(parent), m_finishedActionLabel(new QLabel(this)), m_finishedActionComboBox(new QComboBox(this)),
      m_outputTitleLabel(new QLabel(this)), m_outputLabel(new QLabel(this)),
      m_outputSelectButton(new MyTempButton2(this)), m_autoCheckUpdateBox(new QCheckBox(this)),
      m_outmp4CheckBox(new QCheckBox(this)), m_outmp3CheckBox(new QCheckBox(this)),
      m_optimizingAudioBox(new QCheckBox(this)), m_autoReDownloadBox(new QCheckBox(this)),
      m_countLabel(new QLabel(this)), m_countComboBox(new QComboBox(this)), m_langLabel(new QLabel(this)),
      m_langComboBox(new QComboBox(this))
{
    setupComboBox(m_finishedActionComboBox, 3);
    setupComboBox(m_countComboBox, 4);
    setupComboBox(m_langComboBox, 2);
    setComboTexts(m_countComboBox,
                  {QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2")});
    m_outputSelectButton->setText(QStringLiteral("..."));
    for (QLabel *label : {m_finishedActionLabel, m_outputTitleLabel, m_countLabel, m_langLabel})
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_outputLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(m_finishedActionComboBox, SIGNAL(activated(int)), this,
            SLOT(finishedActionComboBox_currentIndexChanged_slots()));
    connect(m_autoCheckUpdateBox, SIGNAL(stateChanged(int)), this, SLOT(autoCheckUpdateBox_slots()));
    connect(m_autoReDownloadBox, SIGNAL(stateChanged(int)), this, SLOT(autoReDownloadBox_slots()));
    connect(m_outputSelectButton, SIGNAL(clicked()), this, SLOT(outputSelectButton_slots()));
    connect(m_countComboBox, SIGNAL(activated(int)), this, SLOT(countComboBox_slots()));
    connect(m_outmp4CheckBox, SIGNAL(stateChanged(int)), this, SLOT(outmp4CheckBox_slots()));
    connect(m_outmp3CheckBox, SIGNAL(stateChanged(int)), this, SLOT(outmp3CheckBox_slots()));
    connect(m_langComboBox, SIGNAL(activated(int)), this, SLOT(langComboBox_slots()));
    connect(m_optimizingAudioBox, SIGNAL(stateChanged(int)), this, SLOT(optimizingAudioBox_slots()));
}

void NormalSetWidget::loadSettings()
{
    {
        const QSignalBlocker quiet(m_finishedActionComboBox);
        const int action = ShellLinks::finishedAction();
        m_finishedActionComboBox->setCurrentIndex(action == 1 || action == 2 ? action : 0);
    }
    m_outputFolder = resolveFolderSetting(Key::SaveDownloadPath);
    showPath(m_outputLabel, m_outputFolder);
    showSwitch(m_autoCheckUpdateBox, Key::AutoCheckUpdate);
    showSwitch(m_outmp4CheckBox, Key::DL_ConvertVideo2mp4);
    showSwitch(m_outmp3CheckBox, Key::DL_ConvertAudio2mp3);
    showSwitch(m_optimizingAudioBox, Key::OptimizingAudio);
    showSwitch(m_autoReDownloadBox, Key::AutoReDownload);
    {
        const QSignalBlocker quiet(m_countComboBox);
        m_countComboBox->setCurrentIndex(qBound(0, 5 - countInEffect(), 3));
    }
    const QSignalBlocker quiet(m_langComboBox);
    m_langComboBox->setCurrentIndex(languageCode() == QLatin1String("ZH") ? 1 : 0);
}

void NormalSetWidget::retranslate()
{
    m_finishedActionLabel->setText(tr("All the finished:"));
    setComboTexts(m_finishedActionComboBox, {tr("None"), tr("Restart"), tr("Shutdown")});
    m_outputTitleLabel->setText(tr("Save to:"));
    m_autoCheckUpdateBox->setText(tr("Auto check new version."));
    m_outmp4CheckBox->setText(tr("Download video format convert to MP4."));
    m_outmp3CheckBox->setText(tr("Download audio format convert to MP3."));
    m_optimizingAudioBox->setText(tr("Optimizing Audio Dryness."));
    m_autoReDownloadBox->setText(tr("Re-download the failed item after 1 minutes"));
    m_countLabel->setText(tr("Simultaneously download links:"));
    m_langLabel->setText(tr("Language:"));
    setComboTexts(m_langComboBox, {tr("English"), tr("Chinese")});
    const QSignalBlocker quiet(m_langComboBox);
    m_langComboBox->setCurrentIndex(languageCode() == QLatin1String("ZH") ? 1 : 0);
}

void NormalSetWidget::layoutPage()
{
    const int x = scaled(LeftMargin);
    const int labelW = scaled(230);
    const int controlX = x + labelW;
    const int h = scaled(RowHeight);
    auto rowY = [](int row) { return scaled(TopMargin + row * RowStep); };

    m_finishedActionLabel->setGeometry(x, rowY(0), labelW, h);
    m_finishedActionComboBox->setGeometry(controlX, rowY(0), scaled(170), h);
    m_outputTitleLabel->setGeometry(x, rowY(1), labelW, h);
    const int folderW = qMax(scaled(200), qMin(scaled(430), width() - controlX - scaled(100)));
    m_outputLabel->setGeometry(controlX, rowY(1), folderW, h);
    m_outputSelectButton->setGeometry(controlX + folderW + scaled(8), rowY(1), scaled(40), h);
    const int boxW = width() - 2 * x;
    int row = 2;
    for (QCheckBox *box :
         {m_autoCheckUpdateBox, m_outmp4CheckBox, m_outmp3CheckBox, m_optimizingAudioBox, m_autoReDownloadBox})
        box->setGeometry(x, rowY(row++), boxW, h);
    m_countLabel->setGeometry(x, rowY(row), labelW, h);
    m_countComboBox->setGeometry(controlX, rowY(row++), scaled(90), h);
    m_langLabel->setGeometry(x, rowY(row), labelW, h);
    m_langComboBox->setGeometry(controlX, rowY(row), scaled(170), h);

    for (QLabel *label : {m_finishedActionLabel, m_outputTitleLabel, m_countLabel, m_langLabel})
        label->setStyleSheet(labelStyle());
    for (QCheckBox *box :
         {m_autoCheckUpdateBox, m_outmp4CheckBox, m_outmp3CheckBox, m_optimizingAudioBox, m_autoReDownloadBox})
        box->setStyleSheet(checkBoxStyle());
    for (QComboBox *combo : {m_finishedActionComboBox, m_countComboBox, m_langComboBox}) {
        combo->setStyleSheet(comboStyle());
        combo->setIconSize(QSize(scaled(16), scaled(16)));
    }
    m_outputLabel->setStyleSheet(folderBoxStyle());
    styleButton(m_outputSelectButton);
    showPath(m_outputLabel, m_outputFolder);
}

void NormalSetWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}

int NormalSetWidget::countInEffect() const
{
    if (const DLManagerWidget *page = ShellLinks::downloadPage())
        return page->countAtSameTime();
    return Settings::readNumber(Key::CountAtSameTime);
}

void NormalSetWidget::finishedActionComboBox_currentIndexChanged_slots()
{
    ShellLinks::setFinishedAction(m_finishedActionComboBox->currentIndex());
}

void NormalSetWidget::autoCheckUpdateBox_slots()
{
    storeSwitch(m_autoCheckUpdateBox, Key::AutoCheckUpdate);
}

void NormalSetWidget::autoReDownloadBox_slots()
{
    storeSwitch(m_autoReDownloadBox, Key::AutoReDownload);
}

void NormalSetWidget::outputSelectButton_slots()
{
    const QString folder =
        FileDialogs::existingFolder(this, tr("Select Download Directory"), resolveFolderSetting(Key::SaveDownloadPath));
    if (folder.isEmpty())
        return;
    m_outputFolder = folder;
    showPath(m_outputLabel, folder);
    saveStringSetting(Key::SaveDownloadPath, folder);
    ShellLinks::reloadDownloadSettings();
}

void NormalSetWidget::countComboBox_slots()
{
    const int count = 5 - m_countComboBox->currentIndex();
    if (count == countInEffect())
        return;
    Settings::writeNumber(Key::CountAtSameTime, count);
    if (DLManagerWidget *page = ShellLinks::downloadPage())
        page->setCountAtSameTime(count);
}

void NormalSetWidget::outmp4CheckBox_slots()
{
    storeSwitch(m_outmp4CheckBox, Key::DL_ConvertVideo2mp4);
}

void NormalSetWidget::outmp3CheckBox_slots()
{
    storeSwitch(m_outmp3CheckBox, Key::DL_ConvertAudio2mp3);
}

void NormalSetWidget::langComboBox_slots()
{
    ShellLinks::switchLanguage(m_langComboBox->currentIndex() == 1 ? QStringLiteral("ZH") : QStringLiteral("EN"));
    emit languageSwitched();
}

void NormalSetWidget::optimizingAudioBox_slots()
{
    storeSwitch(m_optimizingAudioBox, Key::OptimizingAudio);
}
