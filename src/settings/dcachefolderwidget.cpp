#include "settings/dcachefolderwidget.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "app/shellservices.h"
#include "settings/downloadcache.h"
#include "settings/settingslook.h"
#include "widgets/controls.h"
#include "widgets/filedialogs.h"
#include "widgets/messagedialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

using Settings::Key;
using namespace SettingsLook;

DCacheFolderWidget::DCacheFolderWidget(QWidget *parent)
    : QWidget(parent), m_titleLabel(new QLabel(this)), m_folderLabel(new QLabel(this)),
      m_changeButton(new MyTempButton2(this)), m_cleanButton(new MyTempButton2(this)), m_noteLabel(new QLabel(this))
{
    m_titleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_folderLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_noteLabel->setWordWrap(true);
    m_noteLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(m_changeButton, SIGNAL(clicked()), this, SLOT(changeButton_slots()));
    connect(m_cleanButton, SIGNAL(clicked()), this, SLOT(cleanButton_slots()));
}

void DCacheFolderWidget::loadSettings()
{
    m_folder = downloadCacheFolder();
    showPath(m_folderLabel, m_folder);
}

void DCacheFolderWidget::retranslate()
{
    m_titleLabel->setText(tr("Download Cache Directory:"));
    m_changeButton->setText(tr("Change"));
    m_cleanButton->setText(tr("Clean Cache"));
    m_noteLabel->setText(tr("Note: \nIt can change the download cache directory or empty the download cache directory "
                            "only when no tasks are being download, Otherwise it may lead to unintended "
                            "consequences."));
}

void DCacheFolderWidget::layoutPage()
{
    const int x = scaled(LeftMargin);
    const int h = scaled(RowHeight);
    const int buttonW = scaled(110);
    m_titleLabel->setGeometry(x, scaled(TopMargin), width() - 2 * x, h);
    const int y = scaled(TopMargin + RowStep);
    const int folderW = qMax(scaled(200), width() - 2 * x - 2 * buttonW - scaled(20));
    m_folderLabel->setGeometry(x, y, folderW, h);
    m_changeButton->setGeometry(x + folderW + scaled(10), y, buttonW, h);
    m_cleanButton->setGeometry(x + folderW + scaled(20) + buttonW, y, buttonW, h);
    m_noteLabel->setGeometry(x, scaled(TopMargin + 2 * RowStep + 10), width() - 2 * x, scaled(70));

    m_titleLabel->setStyleSheet(labelStyle());
    m_folderLabel->setStyleSheet(folderBoxStyle());
    m_noteLabel->setStyleSheet(labelStyle("#888888"));
    styleButton(m_changeButton);
    styleButton(m_cleanButton);
    showPath(m_folderLabel, m_folder);
}

void DCacheFolderWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}

void DCacheFolderWidget::changeButton_slots()
{
    const QString current = downloadCacheFolder();
    QString folder = FileDialogs::existingFolder(this, tr("Select Download Cache Directory"), current);
    if (folder.isEmpty())
        return;
    // The queue database lives in the cache folder: it moves along, consistent, and the
    // running queue writes to the new place from now on.
    ShellServices *shell = shellServices();
    const bool moved =
        (shell && shell->moveQueueDatabase(folder)) || DownloadCache::carryQueueDatabase(current, folder);
    if (!moved && QFileInfo::exists(QDir(current).filePath(QLatin1String(DownloadCache::DatabaseFileName)))) {
        MyMessageDialog notice(window());
        notice.setMessage(tr("The download cache cannot be moved to this folder. Please choose a folder you can "
                             "write to."));
        notice.singleButton(tr("OK"));
        centerOnMainWindow(&notice);
        notice.exec();
        return;
    }
    m_folder = folder;
    showPath(m_folderLabel, folder);
    saveStringSetting(Key::DownloadTempFolder, folder);
}

void DCacheFolderWidget::cleanButton_slots()
{
    DownloadCache::clean(downloadCacheFolder());
}
