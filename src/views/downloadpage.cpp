#include "views/downloadpage.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "app/format.h"
#include "app/settings.h"
#include "app/shellservices.h"
#include "engine/downloaddriver.h"
#include "engine/mediainfo.h"
#include "platform/platform.h"
#include "queue/database.h"
#include "queue/downloaditem.h"
#include "queue/intake.h"
#include "queue/scheduler.h"
#include "views/downloadlist.h"
#include "views/finishedlist.h"
#include "views/playlistchooser.h"
#include "views/qualitychooser.h"
#include "widgets/controls.h"
#include "widgets/messagedialogs.h"
#include "widgets/pictures.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QListView>

using Settings::Key;

namespace
{
QString fontPx(int design)
{
    return QString::number(scaled(design));
}

QString pasteStyle(const char *colour)
{
    return QStringLiteral("QLabel{border: 1px solid ") + QLatin1String(colour) + QStringLiteral("; font-size:")
           + fontPx(13) + QStringLiteral("px;color:#ffffff;font-weight:700; background-color:") + QLatin1String(colour)
           + QStringLiteral(";border-radius: 3px;}");
}

QString openFolderStyle(const char *border, const char *colour)
{
    return QStringLiteral("QLabel{border: 1px solid ") + QLatin1String(border) + QStringLiteral("; font-size:")
           + fontPx(12) + QStringLiteral("px;color:") + QLatin1String(colour)
           + QStringLiteral(";font-weight:700; background-color:#ffffff;border-radius: 3px;}");
}
} // namespace

DLManagerWidget::DLManagerWidget(QWidget *parent)
    : QWidget(parent), m_db(std::make_unique<DBManagerThread>(downloadCacheFolder())),
      m_queue(std::make_unique<DownloadQueue>(this)), m_intake(std::make_unique<LinkIntake>(this, m_queue.get())),
      m_toolRow(new QWidget(this)), m_pasteButton(new MyTempButton2(m_toolRow)),
      m_downloadingTab(new MyTempButton2(m_toolRow)), m_downloadedTab(new MyTempButton2(m_toolRow)),
      m_speedBox(new QComboBox(m_toolRow)), m_settingButton(new MyPushButton(m_toolRow)),
      m_list(new DLListWidget(m_queue.get(), this)), m_finished(new FinishedListWidget(this)),
      m_bottomBar(new QWidget(this)), m_statusLabel(new MyLabel(m_bottomBar)),
      m_openFolderButton(new MyTempButton2(m_bottomBar))
{
    m_downloadFolder = resolveFolderSetting(Key::SaveDownloadPath);
    m_countAtSameTime = Settings::readNumber(Key::CountAtSameTime);
    m_finished->setDatabase(m_db.get());

    m_pasteButton->setAlignment(Qt::AlignCenter);
    m_pasteButton->setCursor(Qt::PointingHandCursor);
    m_openFolderButton->setAlignment(Qt::AlignCenter);
    m_openFolderButton->setCursor(Qt::PointingHandCursor);
    for (MyTempButton2 *tab : {m_downloadingTab, m_downloadedTab}) {
        tab->setAlignment(Qt::AlignCenter);
        tab->setCursor(Qt::PointingHandCursor);
    }
    m_statusLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QString setting1 = QStringLiteral(":/images/setting1.png"),
                  setting2 = QStringLiteral(":/images/setting2.png");
    m_settingButton->setPictures(setting1, setting2, setting2, setting1);
    m_settingButton->setCursor(Qt::PointingHandCursor);
    m_speedBox->setEditable(false);
    m_speedBox->setItemDelegate(new NoFocusFrameDelegate(m_speedBox));
    for (int i = 0; i < 5; ++i)
        m_speedBox->addItem(QIcon(QStringLiteral(":/images/arrowtest.png")), QString());
    m_speedBox->setCurrentIndex(Settings::readNumber(Key::DownloadSpeed));

    connect(m_pasteButton, &MyTempButton2::clicked, this, &DLManagerWidget::pasteURLButton_slots);
    connect(m_openFolderButton, &MyTempButton2::clicked, this, &DLManagerWidget::outputOpenButton_slots);
    connect(m_speedBox, qOverload<int>(&QComboBox::activated), this,
            &DLManagerWidget::speedComboBox_currentIndexChanged_slots);
    connect(m_settingButton, &MyPushButton::clicked, this, &DLManagerWidget::settingButton_slots);
    connect(m_statusLabel, &MyLabel::clicked, this, &DLManagerWidget::statusInfoLabel_slots);
    connect(m_downloadingTab, &MyTempButton2::clicked, this, &DLManagerWidget::downloadingButton_slots);
    connect(m_downloadedTab, &MyTempButton2::clicked, this, &DLManagerWidget::downloadedButton_slots);
    connect(m_db.get(), &DBManagerThread::updateloaditem, this, &DLManagerWidget::managerThread_UpdateItem);
    connect(m_db.get(), &DBManagerThread::checkwillLoad, this, &DLManagerWidget::managerThread_CheckwillLoad);
    connect(m_db.get(), &QThread::finished, this, &DLManagerWidget::managerThread_Finished);
    connect(m_list, &DLListWidget::totalsChanged, this, &DLManagerWidget::refreshTotals);
    connect(m_queue.get(), &DownloadQueue::totalSpeedChanged, this, &DLManagerWidget::refreshTotals);
    connect(m_finished, &FinishedListWidget::totalsChanged, this, &DLManagerWidget::refreshTotals);
    connect(m_finished, &FinishedListWidget::redownloadRequested, this, &DLManagerWidget::redownload);
    connect(m_intake.get(), &LinkIntake::linkAccepted, this, &DLManagerWidget::downloadingButton_slots);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 253, 253));
    setPalette(pal);
    setAutoFillBackground(true);
    m_finished->hide();
    retranslate();
}

DLManagerWidget::~DLManagerWidget()
{
    // Items go before the database they write to.
    m_intake.reset();
    m_queue.reset();
}

QString DLManagerWidget::autoQualityText(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("8192x4096");
    case 1:
        return QStringLiteral("3840x2160");
    case 2:
        return QStringLiteral("1920x1440");
    case 3:
        return QStringLiteral("1920x1080");
    case 4:
        return QStringLiteral("1080x720");
    case 5:
        return QStringLiteral("640x480");
    default:
        return QString();
    }
}

QString DLManagerWidget::autoDownloadQualityText() const
{
    return autoQualityText(Settings::readNumber(Key::AutoDL_DLQuatily));
}

int DLManagerWidget::speedIndex() const
{
    return m_speedBox->currentIndex();
}

int DLManagerWidget::speedBoxIndex() const
{
    return m_speedBox->currentIndex();
}

bool DLManagerWidget::acceptAnySite() const
{
    return m_intake->acceptAnySite;
}

void DLManagerWidget::reloadSettings()
{
    m_downloadFolder = resolveFolderSetting(Key::SaveDownloadPath);
    setCountAtSameTime(Settings::readNumber(Key::CountAtSameTime));
}

bool DLManagerWidget::moveCacheFolder(const QString &folder)
{
    return m_db->moveTo(folder);
}

void DLManagerWidget::setCountAtSameTime(int count)
{
    m_countAtSameTime = qBound(2, count, 5);
    m_queue->downloadPass();
}

// --- the queue's windows ---------------------------------------------------------------

QualityChoice DLManagerWidget::chooseQuality(YoutobeDownloadObj *driver)
{
    QualityChoice choice;
    MediaInfo *media = driver ? driver->mediaInfo() : nullptr;
    if (!media)
        return choice;
    SelectQualityWidget chooser(window());
    chooser.setTitle(media->displayName());
    chooser.setMediaInfo(media);
    chooser.preselect(media->formatId);
    chooser.setSubtitleLists(driver->m_subtitleLangs, driver->m_autoCaptionLangs);
    chooser.exec();
    choice.accepted = chooser.accepted();
    choice.formatId = chooser.selectedFormatId().trimmed();
    choice.subtitle = chooser.subtitlesWanted();
    choice.subtitleLangs = chooser.selectedSubtitleCode().trimmed();
    return choice;
}

PlaylistChoice DLManagerWidget::choosePlaylistEntries(const QString &title, const QStringList &names,
                                                      const QStringList &urls)
{
    SelectChannel2Widget chooser(window());
    chooser.setList(title, names, urls);
    chooser.markDownloaded(m_finished->downloadedAmong(urls));
    chooser.exec();
    PlaylistChoice choice;
    choice.accepted = chooser.accepted();
    for (const QString &index : chooser.selectedIndexes())
        choice.entries << index.toInt();
    choice.subtitle = chooser.subtitlesWanted();
    choice.quality = chooser.chosenQuality();
    return choice;
}

int DLManagerWidget::message(const QString &text, const QStringList &buttons)
{
    if (!m_messageDialog)
        m_messageDialog = new MyMessageDialog(window());
    if (buttons.size() >= 2) {
        // setMessage lays out the default texts, so the question's own come after it.
        m_messageDialog->setMessage(text);
        m_messageDialog->setButtonTexts(buttons.at(1), buttons.at(0));
    } else {
        m_messageDialog->setMessage(text);
        m_messageDialog->singleButton(buttons.value(0, tr("Close")));
    }
    centerOnMainWindow(m_messageDialog);
    m_messageDialog->exec();
    return m_messageDialog->answer() ? 0 : -1;
}

int DLManagerWidget::askClipOrPlaylist(const QString &clipLink, const QString &playlistLink)
{
    Q_UNUSED(clipLink);
    Q_UNUSED(playlistLink);
    if (!m_clipDialog)
        m_clipDialog = new CheckQURLItem(window());
    m_clipDialog->build();
    centerOnMainWindow(m_clipDialog);
    m_clipDialog->exec();
    return m_clipDialog->answer();
}

void DLManagerWidget::showLoading(bool show, const QString &text)
{
    if (ShellServices *shell = shellServices())
        shell->showLoading(show, text);
}

bool DLManagerWidget::addItem(const DownloadRecord &record)
{
    return m_intake->addItem(record);
}

void DLManagerWidget::addFinishedRow(const DownloadRecord &r, qint64 rowid)
{
    m_finished->addEntry(r.url, r.finishfilename, r.name, r.thumb, r.duration, r.extformat, r.size, r.md5, rowid);
}

void DLManagerWidget::runFinishedAction()
{
    if (ShellServices *shell = shellServices())
        shell->runFinishedAction();
}

void DLManagerWidget::redownload(const QString &url)
{
    m_intake->addLink(url, false); // the user asked for exactly this
}

FinishedMatch DLManagerWidget::finishedDownloadOf(const QString &url) const
{
    FinishedMatch match;
    const FinishedEntry *entry = m_finished->latestFor(url);
    if (!entry)
        return match;
    match.found = true;
    match.path = entry->finishfilename;
    match.date = entry->finishdate;
    // Rows finished before the date was kept: the file's own date, when it is still there.
    if (match.date.isEmpty() && QFileInfo::exists(entry->finishfilename))
        match.date = QFileInfo(entry->finishfilename).lastModified().date().toString(Qt::ISODate);
    return match;
}

// --- totals ---------------------------------------------------------------------------

void DLManagerWidget::refreshTotals()
{
    const int action = shellServices() ? shellServices()->finishedAction() : 0;
    QString suffix;
    if (action == 1)
        suffix = QStringLiteral("    ") + tr("Restart the PC after all items are completed.");
    else if (action == 2)
        suffix = QStringLiteral("    ") + tr("Turn off the PC after all items are completed.");
    const int running = m_queue->count();
    const int finished = m_finished->count();
    m_downloadingTab->setText(running == 0 ? tr("Downloading")
                                           : tr("Downloading") + QStringLiteral(" (") + QString::number(running)
                                                 + QLatin1Char(')'));
    m_downloadedTab->setText(finished == 0 ? tr("Downloaded")
                                           : tr("Downloaded") + QStringLiteral(" (") + QString::number(finished)
                                                 + QLatin1Char(')'));
    const QString speed = formatSpeed(m_queue->totalSpeed());
    const QString speedPart = speed != QLatin1String("--")
                                  ? QStringLiteral(" ") + tr("Total Speed: ") + speed + QStringLiteral(" ")
                                  : QStringLiteral(" ");
    QString status = tr("Downloading: ") + QString::number(running) + tr(" Video(s)") + speedPart + suffix;
    if (m_intake->acceptAnySite)
        status.prepend(QStringLiteral("> "));
    m_statusLabel->setText(status);
}

QString DLManagerWidget::statusText() const
{
    return m_statusLabel->text();
}

QString DLManagerWidget::downloadingTabText() const
{
    return m_downloadingTab->text();
}

QString DLManagerWidget::downloadedTabText() const
{
    return m_downloadedTab->text();
}

bool DLManagerWidget::isShowingFinished() const
{
    return m_showingFinished;
}

QWidget *DLManagerWidget::downloadingTab() const
{
    return m_downloadingTab;
}

QWidget *DLManagerWidget::downloadedTab() const
{
    return m_downloadedTab;
}

// --- controls -------------------------------------------------------------------------

void DLManagerWidget::pasteURLButton_slots()
{
    m_intake->pasteURLButton_slots();
    refreshTotals();
}

void DLManagerWidget::pasteLinks(const QString &text)
{
    m_intake->pasteText(text);
    refreshTotals();
}

void DLManagerWidget::pastetimer_slots()
{
    m_intake->pastetimer_slots();
}

void DLManagerWidget::outputOpenButton_slots()
{
    if (!m_downloadFolder.isEmpty())
        Platform::openFolder(m_downloadFolder);
}

void DLManagerWidget::speedComboBox_currentIndexChanged_slots()
{
    if (m_speedBox->count() >= 5)
        Settings::writeNumber(Key::DownloadSpeed, m_speedBox->currentIndex());
}

void DLManagerWidget::settingButton_slots()
{
    if (ShellServices *shell = shellServices())
        shell->showSettings();
}

void DLManagerWidget::statusInfoLabel_slots()
{
    // Five clicks in a row let any link through; any other click closes that door.
    if (++m_statusClicks >= 5) {
        m_statusClicks = 0;
        m_intake->acceptAnySite = true;
    } else {
        m_intake->acceptAnySite = false;
    }
    refreshTotals();
}

void DLManagerWidget::downloadingButton_slots()
{
    m_showingFinished = false;
    m_list->show();
    m_finished->hide();
    styleTabs();
}

void DLManagerWidget::downloadedButton_slots()
{
    m_showingFinished = true;
    m_finished->show();
    m_list->hide();
    styleTabs();
}

// --- queue load -----------------------------------------------------------------------

void DLManagerWidget::fristLoad()
{
    if (m_loadStarted)
        return;
    m_loadStarted = true;
    m_restoreAsked = false;
    m_queue->setLoading(true);
    showLoading(true, QString());
    m_db->start();
}

void DLManagerWidget::managerThread_CheckwillLoad()
{
    if (m_restoreAsked)
        return;
    m_restoreAsked = true;
    const int answer = message(QString::number(m_db->unfinishedRowCount())
                                   + tr(" video(s) were failed to download last time. Restore download(s)?"),
                               {tr("Yes"), tr("No")});
    m_db->answerRestore(answer == 0);
}

void DLManagerWidget::managerThread_UpdateItem()
{
    // A batch of rows: the finished ones to their list, the rest back into the queue,
    // each list laid out once for the whole batch.
    QVector<StoredRow> finished;
    QVector<DownloadRecord> unfinished;
    for (const StoredRow &row : m_db->currentRows()) {
        if (row.isfinished == 1)
            finished << row;
        else
            unfinished << row.record;
    }
    m_finished->addEntries(finished);
    m_queue->addRestoredItems(unfinished);
    const int count = m_db->rowCount(), delivered = m_db->rowsDelivered();
    m_db->setRowTaken();
    if (count >= 1)
        showLoading(true, tr("Loading...") + QString::number(qMin(delivered, count)) + QStringLiteral(" / ")
                              + QString::number(count));
}

void DLManagerWidget::managerThread_Finished()
{
    m_queue->setLoading(false);
    m_queue->analysisPass();
    m_queue->downloadPass();
    refreshTotals();
    showLoading(false, QString());
}

bool DLManagerWidget::mayExit()
{
    if (m_queue->count() > 0
        && message(tr("There are some tasks running, do you want to exit application?"), {tr("Yes"), tr("No")}) != 0)
        return false;
    m_queue->saveAndStopAll();
    return true;
}

bool DLManagerWidget::isDownloading() const
{
    return m_queue->hasRunningWork();
}

void DLManagerWidget::reopen()
{
    m_queue->reopen();
    refreshTotals();
}

// --- looks ----------------------------------------------------------------------------

void DLManagerWidget::retranslate()
{
    m_countAtSameTime = Settings::readNumber(Key::CountAtSameTime);
    m_speedBox->setCurrentIndex(Settings::readNumber(Key::DownloadSpeed));
    m_pasteButton->setText(tr("+ Paste URL"));
    m_openFolderButton->setText(tr("Open Download Folder"));
    const char *const speeds[5] = {QT_TR_NOOP("Unlimited"), QT_TR_NOOP("8 Mbps"), QT_TR_NOOP("4 Mbps"),
                                   QT_TR_NOOP("2 Mbps"), QT_TR_NOOP("1 Mbps")};
    for (int i = 0; i < 5; ++i)
        m_speedBox->setItemText(i, tr(speeds[i]));
    m_list->retranslate();
    m_finished->retranslate();
    layoutPage();
    refreshTotals();
}

void DLManagerWidget::styleTabs()
{
    auto tabStyle = [](int size, const char *colour) -> QString {
        return QStringLiteral("QLabel{border: 1px solid #e0e0e0; font-size:") + fontPx(size)
               + QStringLiteral("px;color:") + QLatin1String(colour) + QStringLiteral(";background-color:#ffffff;}");
    };
    const QString current = QStringLiteral("QLabel{border-top:1px solid #e0e0e0;border-left:1px solid "
                                           "#e0e0e0;border-right:1px solid #e0e0e0; border-bottom:1px solid #ffffff; "
                                           "font-size:")
                            + fontPx(12) + QStringLiteral("px;color:#4e96c0;background-color:#ffffff;}");
    // The current tab is drawn as the button's disabled state: it takes no click and no hover.
    for (MyTempButton2 *tab : {m_downloadingTab, m_downloadedTab}) {
        tab->setStyleSheets(tabStyle(12, "#4e96c0"), tabStyle(13, "#2a719b"), current);
        tab->setEnabled((tab == m_downloadedTab) != m_showingFinished);
    }
}

void DLManagerWidget::layoutPage()
{
    const int w = width(), h = height();
    m_toolRow->setGeometry(0, 0, w, scaled(55));
    const int rowW = m_toolRow->width(), rowH = m_toolRow->height();
    m_pasteButton->setGeometry(scaled(10), scaled(10), scaled(120), scaled(35));
    m_pasteButton->setStyleSheets(pasteStyle("#0396eb"), pasteStyle("#038cdb"), pasteStyle("#88c5e8"));
    m_downloadingTab->setGeometry(rowW / 2 - scaled(120), rowH - scaled(30), scaled(120), scaled(30));
    m_downloadedTab->setGeometry(rowW / 2 - 1, rowH - scaled(30), scaled(120), scaled(30));
    m_speedBox->setGeometry(rowW - scaled(110), (rowH - scaled(30)) / 2, scaled(100), scaled(30));
    m_speedBox->setIconSize(QSize(scaled(16), scaled(16)));
    m_speedBox->setStyleSheet(
        QStringLiteral("QComboBox{border: 1px solid #0396eb;border-radius: 3px;padding: 1px 2px 1px 2px;min-width: ")
        + QString::number(scaled(60)) + QStringLiteral("px;font-size:") + fontPx(12)
        + QStringLiteral("px;color:#444444;background-color:#ffffff;}"
                         "QComboBox::drop-down{subcontrol-origin: padding;subcontrol-position: top right;width: "
                         "20px;border-left-width: 0px;}"
                         "QComboBox::down-arrow {image: url(:/images/arrowDown.png);}"
                         "QComboBox QAbstractItemView{border: 1px solid #0396eb; "
                         "selection-background-color:gray;background-color: #ffffff;}"));
    m_settingButton->setGeometry(m_speedBox->x() - scaled(45), (rowH - scaled(30)) / 2, scaled(30), scaled(30));
    m_list->setGeometry(0, scaled(55) - 1, w, h - scaled(100));
    m_finished->setGeometry(0, scaled(55) - 1, w, h - scaled(100));
    m_bottomBar->setGeometry(scaled(10), h - scaled(40), w - scaled(20), scaled(40) - 1);
    const int barW = m_bottomBar->width();
    m_statusLabel->setGeometry(0, scaled(5), barW - scaled(170), scaled(30));
    m_statusLabel->setStyleSheet(QStringLiteral("QLabel{font-size:") + fontPx(12)
                                 + QStringLiteral("px;color:#444444;}"));
    m_openFolderButton->setGeometry(barW - scaled(170), scaled(5), scaled(170), scaled(30));
    m_openFolderButton->setStyleSheets(openFolderStyle("#d8d7d6", "#666666"), openFolderStyle("#cfcecd", "#038cdb"),
                                       openFolderStyle("#e6e6e6", "#88c5e8"));
    styleTabs();
}

void DLManagerWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}
