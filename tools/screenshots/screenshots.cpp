// Draws the main window, its menu and loading overlay, the two message dialogs and the
// two choosers of the download side, the settings pages and the update dialog at scale
// 1.0 and 1.5 in English and Chinese, for docs/screenshots (scripts/screenshots).
// Runs headless on the offscreen platform in a private HOME, like the tests.

#include "app/appenv.h"
#include "app/settings.h"
#include "engine/mediainfo.h"
#include "external/components.h"
#include "engine/failurereason.h"
#include "queue/downloaditem.h"
#include "queue/scheduler.h"
#include "settings/autodownloadwidget.h"
#include "settings/downloadersetwidget.h"
#include "settings/settingwidget.h"
#include "shell/loadingwidget.h"
#include "shell/mainwindow.h"
#include "shell/titlebar.h"
#include "testlib/localhttpserver.h"
#include "update/componentstore.h"
#include "update/componentupdates.h"
#include "update/updatewidget.h"
#include "views/downloadlist.h"
#include "views/downloadpage.h"
#include "views/finishedlist.h"
#include "views/playlistchooser.h"
#include "views/qualitychooser.h"
#include "widgets/controls.h"
#include "widgets/messagedialogs.h"
#include "shots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

namespace
{
using Shots::settle;
using Shots::store;

// Sample messages as the pages that ask them will; the pages bring their own translations.
struct Samples {
    QString question;
    QString notice;
    QString ok;
};
Samples samples(bool chinese)
{
    if (chinese)
        return {QStringLiteral("有任务正在运行，确定要退出吗？"), QStringLiteral("读取文件失败，请重试。"),
                QStringLiteral("确定")};
    return {QStringLiteral("There are some tasks running, do you want to exit application?"),
            QStringLiteral("Read file failed, Please try again."), QStringLiteral("OK")};
}

// ---- the choosers of the download side ----

MediaFormat sampleFormat(const char *id, const char *ext, const char *vcodec, const char *acodec, int w, int h,
                         qint64 size, int fps, int abr = 128)
{
    MediaFormat f;
    f.id = QString::fromLatin1(id);
    f.ext = QString::fromLatin1(ext);
    f.vcodec = QString::fromLatin1(vcodec);
    f.acodec = QString::fromLatin1(acodec);
    f.width = w;
    f.height = h;
    f.fileSizeBytes = size;
    f.fps = fps;
    f.abr = abr;
    return f;
}

// Both choosers filled as an analysed video and a playlist would fill them, shown
// without their modal loop; the playlist chooser once more with its quality list open.
void shootChoosers(const QString &tag, bool chinese)
{
    MediaInfo media;
    media.formatId = QStringLiteral("137+140");
    media.setFormatsForTest({sampleFormat("401", "mp4", "avc1", "mp4a", 3840, 2160, 512345678, 30),
                             sampleFormat("400", "mp4", "avc1", "mp4a", 2560, 1440, 243456789, 30),
                             sampleFormat("137", "mp4", "avc1", "mp4a", 1920, 1080, 98765432, 30),
                             sampleFormat("136", "mp4", "avc1", "mp4a", 1280, 720, 45678901, 30),
                             sampleFormat("135", "mp4", "avc1", "mp4a", 854, 480, 23456789, 30),
                             sampleFormat("134", "mp4", "avc1", "mp4a", 640, 360, 12345678, 30),
                             sampleFormat("139", "m4a", "none", "mp4a", 0, 0, 1298765, 0, 48),
                             sampleFormat("140", "m4a", "none", "mp4a", 0, 0, 3456789, 0, 129),
                             sampleFormat("251", "webm", "none", "opus", 0, 0, 4087654, 0, 160)},
                            true); // audio as the site lists it, worst first; the list puts the best first
    SelectQualityWidget quality;
    quality.setTitle(chinese ? QStringLiteral("山间四季：一年的延时摄影（4K 原版）")
                             : QStringLiteral("Four Seasons in the Mountains: a Year of Time-Lapse (Original 4K)"));
    quality.setMediaInfo(&media);
    quality.preselect(media.formatId);
    quality.setSubtitleLists({QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("zh-Hans")},
                             {QStringLiteral("ja"), QStringLiteral("en")});
    quality.subtitleCheckBox()->setChecked(true);
    quality.show();
    settle();
    store(quality.grab().toImage(), QStringLiteral("quality-") + tag);
    quality.hide();

    QStringList names;
    QStringList urls;
    for (int i = 1; i <= 12; ++i) {
        names.append(
            chinese
                ? QStringLiteral("第 %1 集：从零开始学做木工家具——榫卯、胶水、夹具，以及足够的耐心与细致的打磨").arg(i)
                : QStringLiteral(
                      "Woodworking from Scratch, Episode %1: Joints, Glue, Clamps and a Great Deal of Patience")
                      .arg(i));
        urls.append(QStringLiteral("https://www.youtube.com/watch?v=sample%1").arg(i));
    }
    SelectChannel2Widget playlist;
    playlist.setList(chinese ? QStringLiteral("木工入门") : QStringLiteral("Woodworking for Beginners"), names, urls);
    playlist.SChannelItem_slots(playlist.listedRows().at(2));
    playlist.SChannelItem_slots(playlist.listedRows().at(5));
    playlist.show();
    settle();
    store(playlist.grab().toImage(), QStringLiteral("playlist-") + tag);
    playlist.hdQualityButton_slots(playlist.qualityButton());
    settle();
    store(playlist.grab().toImage(), QStringLiteral("playlist-quality-") + tag);
    playlist.hide();
}

void shoot(const QString &code, double scale)
{
    const QString tag = Shots::useLanguageAndScale(code, scale);

    DoRaDuvoZezavi window;
    window.move(0, 0);
    window.show();
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-window"));

    // The menu is a popup of its own; it is painted onto the window where it opened.
    window.titleBar()->menuButton_slots();
    QMenu *menu = window.titleBar()->menu();
    // The offscreen screen is 800 pixels wide and pushes the popup inside it; put it
    // back where the title bar opened it on a real desktop.
    menu->move(window.titleBar()->menuPosition());
    settle();
    QImage withMenu = window.grab().toImage();
    {
        QPainter p(&withMenu);
        p.drawPixmap(menu->pos() - window.pos(), menu->grab());
    }
    menu->hide();
    const int bar = window.titleBarHeight();
    store(withMenu.copy(window.width() / 2, 0, window.width() / 2, bar + menu->height() + scaled(40)),
          tag + QStringLiteral("-menu"));

    window.showLoading(true,
                       code == QLatin1String("ZH") ? QStringLiteral("正在加载...") : QStringLiteral("Loading..."));
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-loading"));
    window.showLoading(false);

    const Samples text = samples(code == QLatin1String("ZH"));
    MyMessageDialog question;
    question.setMessage(text.question);
    question.setQuestionButtons();
    question.show();
    settle();
    store(question.grab().toImage(), tag + QStringLiteral("-question"));
    question.hide();

    MyMessageDialog notice;
    notice.setMessage(text.notice);
    notice.singleButton(text.ok);
    notice.show();
    settle();
    store(notice.grab().toImage(), tag + QStringLiteral("-notice"));
    notice.hide();

    CheckQURLItem playlist;
    playlist.build();
    playlist.show();
    settle();
    store(playlist.grab().toImage(), tag + QStringLiteral("-playlist"));
    playlist.hide();

    shootChoosers(tag, code == QLatin1String("ZH"));
}

// ---- the download page ----

// The download page empty, with an item in every state, and the finished list with a
// file present and one deleted since.
void shootDownloadPage(const QString &code, double scale)
{
    const QString tag = QStringLiteral("download-") + Shots::useLanguageAndScale(code, scale);
    const bool zh = code == QLatin1String("ZH");

    DoRaDuvoZezavi window;
    window.move(0, 0);
    window.show();
    window.showDownloadPage();
    auto *page = qobject_cast<DLManagerWidget *>(window.page(DoRaDuvoZezavi::Page::Download));
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-empty"));

    struct Sample {
        ItemState state;
        const char *name;
        int progress;
        int countdown;
    };
    const Sample items[] = {
        {ItemState::Downloading, "Sunrise over the harbour - timelapse in 4K", 4567, 0},
        {ItemState::Paused, "Cooking pasta the Italian way (full recipe)", 2310, 0},
        {ItemState::DownloadFailed, "Live concert: the last song", 780, 42},
        {ItemState::Analyzing, "", 0, 0},
        {ItemState::WaitingToDownload, "Mountain bike trail, part 2", 0, 0},
        {ItemState::AnalyzeFailed, "", 0, 0},
        {ItemState::WaitingToAnalyze, "", 0, 0},
        {ItemState::ListingEntries, "", 0, 0},
    };
    page->queue()->setLoading(true);
    int n = 0;
    for (const Sample &sample : items) {
        DownloadRecord r;
        r.url = QStringLiteral("https://www.youtube.com/watch?v=clip%1").arg(++n);
        r.name = QLatin1String(sample.name);
        if (zh && !r.name.isEmpty())
            r.name.prepend(QStringLiteral("示例视频 %1 - ").arg(n));
        if (sample.state != ItemState::Analyzing && sample.state != ItemState::AnalyzeFailed
            && sample.state != ItemState::WaitingToAnalyze && sample.state != ItemState::ListingEntries) {
            r.frame = QStringLiteral("1920x1080");
            r.duration = QStringLiteral("04:1%1").arg(n);
            r.extformat = QStringLiteral("mp4");
        }
        DLItemData *item = page->queue()->addRestoredItem(r);
        item->setStateForTest(sample.state, sample.progress, sample.countdown,
                              sample.state == ItemState::Downloading ? 1572864 : 0);
        // The failed analysis reads like an outdated downloader, so its row offers the update.
        if (sample.state == ItemState::AnalyzeFailed)
            item->setFailureForTest({FailureReason::OutdatedDownloader, PermanentCause::None});
        emit item->updateShow(item);
    }
    page->refreshTotals();
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-items"));

    // Rows as a restart brings them back: each with its stored title (so the link line
    // shows too), in every state; two views of the list.
    page->queue()->DLItemRemoveAllItem_slots();
    const ItemState restoredStates[] = {
        ItemState::WaitingToAnalyze,  ItemState::Analyzing,     ItemState::Analyzed,
        ItemState::Downloading,       ItemState::AnalyzeFailed, ItemState::DownloadFailed,
        ItemState::WaitingToDownload, ItemState::Paused,        ItemState::ListingEntries};
    Settings::writeSwitch(Settings::Key::AutoReDownload, true);
    for (ItemState state : restoredStates) {
        DownloadRecord r;
        r.url = QStringLiteral("https://www.youtube.com/watch?v=restored%1").arg(++n);
        r.name = (zh ? QStringLiteral("恢复的视频 %1 - ") : QStringLiteral("Restored video %1 - ")).arg(n)
                 + QStringLiteral("Harbour timelapse");
        r.frame = QStringLiteral("1920x1080");
        r.duration = QStringLiteral("04:12");
        r.extformat = QStringLiteral("mp4");
        DLItemData *item = page->queue()->addRestoredItem(r);
        item->setStateForTest(state, 3456, 42, state == ItemState::Downloading ? 1572864 : 0);
        emit item->updateShow(item);
    }
    page->refreshTotals();
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-restored-1"));
    page->downloadList()->scrollBy(-scaled(90) * 20);
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-restored-2"));

    // Rows that failed for a known reason, and one waiting for disk space.
    page->queue()->DLItemRemoveAllItem_slots();
    struct Failed {
        ItemState state;
        const char *code;
        int countdown;
    };
    const Failed failures[] = {{ItemState::DownloadFailed, "permanent/private", 0},
                               {ItemState::AnalyzeFailed, "permanent/country", 0},
                               {ItemState::DownloadFailed, "ratelimited", 480},
                               {ItemState::DownloadFailed, "outdated", 0},
                               {ItemState::WaitingToDownload, "", 0}};
    for (const Failed &f : failures) {
        DownloadRecord r;
        r.url = QStringLiteral("https://www.youtube.com/watch?v=failed%1").arg(++n);
        r.name = (zh ? QStringLiteral("示例视频 %1") : QStringLiteral("Sample video %1")).arg(n);
        r.frame = QStringLiteral("1920x1080");
        r.extformat = QStringLiteral("mp4");
        DLItemData *item = page->queue()->addRestoredItem(r);
        item->setFailureForTest(failureFromCode(QLatin1String(f.code)));
        item->setStateForTest(f.state, 1200, f.countdown);
        if (f.state == ItemState::WaitingToDownload)
            item->setSpaceShortForTest(QStringLiteral("/home/me/Videos"));
        emit item->updateShow(item);
    }
    page->refreshTotals();
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-failures"));

    // The question before a link downloaded earlier is queued again.
    MyMessageDialog duplicate;
    duplicate.setMessage(
        QCoreApplication::translate("DLManagerWidget", "This video was already downloaded on %1 to %2. Download it again?")
            .arg(QStringLiteral("2026-11-30"), QStringLiteral("/home/me/Videos/Harbour timelapse.mp4")));
    duplicate.setQuestionButtons();
    duplicate.show();
    settle();
    store(duplicate.grab().toImage(), tag + QStringLiteral("-duplicate"));
    duplicate.hide();

    page->downloadedButton_slots();
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-finished-empty"));
    const QString present = Shots::outDir + QStringLiteral("/../present-sample.mp4");
    {
        QFile f(present);
        f.open(QIODevice::WriteOnly);
        f.write("sample");
    }
    page->finishedList()->addEntry(QStringLiteral("https://vimeo.com/76979871"), present,
                                   zh ? QStringLiteral("城市夜景延时摄影") : QStringLiteral("City lights at night"),
                                   QString(), QStringLiteral("02:48"), QStringLiteral("mp4"), QStringLiteral("38.20 M"),
                                   QStringLiteral("k1"));
    page->finishedList()->addEntry(
        QStringLiteral("https://www.youtube.com/watch?v=deleted1"), QStringLiteral("/nonexistent/deleted.mp4"),
        zh ? QStringLiteral("已被删除的文件") : QStringLiteral("A file deleted since"), QString(),
        QStringLiteral("11:05"), QStringLiteral("webm"), QStringLiteral("120.45 M"), QStringLiteral("k2"));
    page->refreshTotals();
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-finished"));
    QFile::remove(present);
    page->queue()->setLoading(false);
    page->queue()->saveAndStopAll();
}

// ---- the settings dialog and the update checker ----

// Waits until the update dialog has its answer (a local server answers at once).
void awaitAnswer(UpdateWidget *dialog)
{
    QElapsedTimer t;
    t.start();
    while (dialog->isChecking() && t.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    settle();
}

// Installed downloader components as after a few updates: yt-dlp with its previous
// version, deno without one. Each prints its version, so a check finds them current.
void installSampleComponents()
{
    const QList<QPair<QString, QStringList>> installed{
        {Components::YtDlp, {QStringLiteral("2026.07.30"), QStringLiteral("2026.08.19")}},
        {Components::Deno, {QStringLiteral("2.5.6")}}};
    for (const auto &component : installed) {
        for (const QString &version : component.second) {
            const QString path = Components::executable(component.first, version);
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write("#!/bin/sh\necho " + version.toUtf8() + "\n");
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QString error;
            if (version != component.second.first())
                ComponentStore::pointLink(component.first, Components::PreviousLink, component.second.first(), &error);
            ComponentStore::pointLink(component.first, Components::CurrentLink, version, &error);
        }
    }
}

// A release server for the Downloader page's check: yt-dlp as installed, and a newer deno
// whose download stops part-way, so the page is drawn with its progress showing.
void serveStalledRelease(LocalHttpServer &server)
{
    const auto release = [&server](const QString &repo, const QString &tag, const QString &asset, qint64 size) {
        const QString path = QStringLiteral("/download/") + asset;
        LocalHttpServer::Options stall;
        stall.stallAtOffset = size * 2 / 5;
        server.addData(path, QByteArray(int(size), 'z'), "application/octet-stream", stall);
        server.addData(path + QStringLiteral(".sha256sum"), QByteArray(64, 'a') + "  " + asset.toUtf8() + "\n",
                       "text/plain");
        const QJsonArray assets{
            QJsonObject{{"name", asset}, {"browser_download_url", server.url(path).toString()}},
            QJsonObject{{"name", QString(asset + QStringLiteral(".sha256sum"))},
                        {"browser_download_url", server.url(path + QStringLiteral(".sha256sum")).toString()}}};
        server.addData(QStringLiteral("/repos/%1/releases/latest").arg(repo),
                       QJsonDocument(QJsonObject{{"tag_name", tag}, {"assets", assets}}).toJson(), "application/json");
    };
    release(QStringLiteral("yt-dlp/yt-dlp"), QStringLiteral("2026.08.19"), QStringLiteral("yt-dlp_linux"), 1024);
    release(QStringLiteral("denoland/deno"), QStringLiteral("v2.5.7"),
            QStringLiteral("deno-x86_64-unknown-linux-gnu.zip"), qint64(41) << 20);
}

// The Downloader page checking (its download held part-way), then showing an update's outcome.
void shootDownloaderPage(SettingWidget *settings, QWidget *window, const QString &tag)
{
    LocalHttpServer releases;
    if (!releases.start())
        return;
    serveStalledRelease(releases);
    qputenv("CLIPWRIGHT_GITHUB_API", releases.url(QString()).toString().toUtf8());
    // The sample proxy of the other pages does not exist; the check goes direct.
    Settings::writeSwitch(Settings::Key::Proxy_enabled, false);
    QMetaObject::invokeMethod(settings->pageButton(SettingWidget::DownloaderPage), "clicked");
    DownloaderSetWidget *page = settings->downloaderPage();
    page->loadSettings();
    page->checkButton_slots();
    QElapsedTimer t;
    t.start();
    while (!page->progressLabel()->text().contains(QLatin1String("deno")) && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    settle();
    store(window->grab().toImage(), QStringLiteral("settings-downloader-checking-") + tag);
    ComponentUpdates::instance()->stop();
    qputenv("CLIPWRIGHT_GITHUB_API", "http://127.0.0.1:9");
    Settings::writeSwitch(Settings::Key::Proxy_enabled, true);

    ComponentResult ytdlp;
    ytdlp.name = Components::YtDlp;
    ytdlp.outcome = ComponentResult::Outcome::Updated;
    ytdlp.oldVersion = QStringLiteral("2026.07.30");
    ytdlp.newVersion = QStringLiteral("2026.08.19");
    ComponentResult deno;
    deno.name = Components::Deno;
    deno.outcome = ComponentResult::Outcome::UpToDate;
    deno.oldVersion = deno.newVersion = QStringLiteral("2.5.6");
    page->showResults({ytdlp, deno}, false);
    settle();
    store(window->grab().toImage(), QStringLiteral("settings-downloader-") + tag);
}

// Every page of the settings dialog over the main window, with settings as a user might
// have them, and the update dialog checking, finding a new version and finding none.
void shootSettingsAndUpdate(const QString &code, double scale, LocalHttpServer &vendor)
{
    Settings::writeSwitch(Settings::Key::Proxy_enabled, true);
    Settings::writeText(Settings::Key::Proxy_server, QStringLiteral("127.0.0.1"));
    Settings::writeText(Settings::Key::Proxy_port, QStringLiteral("1080"));
    Settings::writeSwitch(Settings::Key::AutoDL_Enabled, true);
    Settings::writeSwitch(Settings::Key::AutoDL_DLSubtitle, true);
    Settings::writeNumber(Settings::Key::AutoDL_DLQuatily, 3);
    Settings::writeText(Settings::Key::AutoDL_DLSubtitleLang, QStringLiteral("en"));
    Settings::writeSwitch(Settings::Key::DL_ConvertVideo2mp4, true);
    Settings::writeNumber(Settings::Key::CountAtSameTime, 3);
    const QString tag = Shots::useLanguageAndScale(code, scale);

    DoRaDuvoZezavi window;
    window.move(0, 0);
    window.show();
    window.showDownloadPage();
    window.showSettings();
    auto *settings = qobject_cast<SettingWidget *>(window.page(DoRaDuvoZezavi::Page::Settings));
    struct Shot {
        int page;
        const char *name;
    };
    const Shot pages[] = {{SettingWidget::NormalPage, "normal"},
                          {SettingWidget::ProxyPage, "proxy"},
                          {SettingWidget::AutoDownloadPage, "autodownload"},
                          {SettingWidget::DownloadCachePage, "cache"},
                          {SettingWidget::HelpPage, "help"}};
    for (const Shot &shot : pages) {
        // The Help page exists for the Chinese interface only.
        if (!settings->pageButton(shot.page)->isVisibleTo(settings))
            continue;
        QMetaObject::invokeMethod(settings->pageButton(shot.page), "clicked");
        settle();
        store(window.grab().toImage(), QStringLiteral("settings-") + QLatin1String(shot.name) + QLatin1Char('-') + tag);
    }
    shootDownloaderPage(settings, &window, tag);
    QMetaObject::invokeMethod(settings->pageButton(SettingWidget::AutoDownloadPage), "clicked");
    settings->autoDownloadPage()->enabledCheckBox()->click();
    settle();
    store(window.grab().toImage(), QStringLiteral("settings-autodownload-off-") + tag);
    settings->autoDownloadPage()->enabledCheckBox()->click();

    auto *update = qobject_cast<UpdateWidget *>(window.page(DoRaDuvoZezavi::Page::Update));
    update->retranslate();
    update->show();
    UpdateWidget::Timings hold;
    hold.firstCheckMs = -1;
    hold.requestDelayMs = 60000; // the checking state, drawn before any request
    UpdateWidget::setTimings(hold);
    update->startCheck(true);
    settle();
    store(update->grab().toImage(), QStringLiteral("update-checking-") + tag);
    UpdateWidget::Timings quick = hold;
    quick.requestDelayMs = 0;
    UpdateWidget::setTimings(quick);
    const QString check = QLatin1String(UpdateWidget::CheckPage);
    for (const char *answer : {"3.2.0", "3.1.4"}) {
        vendor.addData(check, answer, "text/plain");
        update->startCheck(true);
        awaitAnswer(update);
        const bool newer = update->newVersionAvailable();
        store(update->grab().toImage(), QStringLiteral("update-")
                                            + (newer ? QStringLiteral("new") : QStringLiteral("latest"))
                                            + QLatin1Char('-') + tag);
    }
    update->hide();
    UpdateWidget::setTimings(hold);
}
} // namespace

int main(int argc, char *argv[])
{
    // The program stores its language choice; keep that out of the developer's settings.
    QTemporaryDir home;
    for (const char *v : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        qputenv(v, QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/.local/share")));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith(QLatin1String("This plugin does not")))
            QTextStream(stderr) << message << '\n';
    });
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    // No update check leaves the machine while the windows are drawn.
    qputenv("CLIPWRIGHT_VENDOR_URL", "http://127.0.0.1:9");
    qputenv("CLIPWRIGHT_GITHUB_API", "http://127.0.0.1:9");
    ComponentAutoCheck::setTimings({-1, -1});
    installSampleComponents();
    UpdateWidget::Timings quiet;
    quiet.firstCheckMs = -1;
    UpdateWidget::setTimings(quiet);
    if (argc < 2) {
        QTextStream(stderr) << "usage: cw_screenshots OUTPUT_FOLDER\n";
        return 2;
    }
    Shots::outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(Shots::outDir);
    setAppDirPath(QStringLiteral(CLIPWRIGHT_BIN_DIR));
    for (const char *code : {"EN", "ZH"})
        for (double scale : {1.0, 1.5})
            shoot(QString::fromLatin1(code), scale);
    for (const char *code : {"EN", "ZH"})
        for (double scale : {1.0, 1.5})
            shootDownloadPage(QString::fromLatin1(code), scale);

    LocalHttpServer vendor;
    if (!vendor.start())
        return 1;
    qputenv("CLIPWRIGHT_VENDOR_URL", vendor.url(QStringLiteral("/")).toString().toUtf8());
    for (const char *code : {"EN", "ZH"})
        for (double scale : {1.0, 1.5})
            shootSettingsAndUpdate(QString::fromLatin1(code), scale, vendor);
    return 0;
}
