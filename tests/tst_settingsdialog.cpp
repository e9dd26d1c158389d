// The settings dialog inside the real main window: every control stores its setting
// in its own form the moment it changes and updates the download page, the Auto
// Download page greys its choices without losing them, the Proxy page rebuilds the
// proxy text, the Download Cache page moves the queue database along and cleans only
// the program's own temporary files, and the Help page belongs to the Chinese interface.

#include "app/appenv.h"
#include "app/folders.h"
#include "app/settings.h"
#include "app/vendor.h"
#include "engine/proxy.h"
#include "queue/database.h"
#include "settings/autodownloadwidget.h"
#include "settings/connectwidget.h"
#include "settings/dcachefolderwidget.h"
#include "settings/downloadcache.h"
#include "settings/normalsetwidget.h"
#include "settings/settingwidget.h"
#include "settings/supportqwidget.h"
#include "shell/mainwindow.h"
#include "shell/titlebar.h"
#include "testlib/testenv.h"
#include "update/componentupdates.h"
#include "update/updatewidget.h"
#include "views/downloadpage.h"
#include "widgets/controls.h"
#include "widgets/filedialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <memory>

using Settings::Key;
Q_DECLARE_METATYPE(Settings::Key)

namespace
{
const QString kDigest = "0cc175b9c0f1b6a831c399e269772661";
const QString kOtherDigest = "92eb5ffee6ae2fec3ad71c777531578f";

// A user's pick in a combo box: the new index, then the signal the pages listen to.
void choose(QComboBox *box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The darkest grey level of a widget as drawn on its page: text drawn grey never gets below it.
int darkestGrey(QWidget *widget)
{
    const QImage image = widget->parentWidget()->grab(widget->geometry()).toImage();
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = qMin(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

QStringList storedKeys()
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(Settings::Organisation),
                    QLatin1String(Settings::Application));
    return store.allKeys();
}
} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<DoRaDuvoZezavi> m_window;
    SettingWidget *m_dialog = nullptr;
    DLManagerWidget *m_page = nullptr;

    // Builds the main window over the stored settings and opens the dialog as the menu does.
    void open()
    {
        m_window.reset();
        m_window = std::make_unique<DoRaDuvoZezavi>();
        m_dialog = qobject_cast<SettingWidget *>(m_window->page(DoRaDuvoZezavi::Page::Settings));
        m_page = qobject_cast<DLManagerWidget *>(m_window->page(DoRaDuvoZezavi::Page::Download));
        QVERIFY(m_dialog && m_page);
        m_window->show();
        m_window->showSettings();
    }

    QCheckBox *checkBox(const QString &name) const
    {
        NormalSetWidget *normal = m_dialog->normalPage();
        AutoDownloadWidget *autoPage = m_dialog->autoDownloadPage();
        const QMap<QString, QCheckBox *> boxes{
            {"auto check", normal->autoCheckUpdateBox()},
            {"mp4", normal->outmp4CheckBox()},
            {"mp3", normal->outmp3CheckBox()},
            {"optimizing", normal->optimizingAudioBox()},
            {"re-download", normal->autoReDownloadBox()},
            {"proxy", m_dialog->proxyPage()->enabledCheckBox()},
            {"auto download", autoPage->enabledCheckBox()},
            {"subtitles", autoPage->subtitleCheckBox()},
        };
        return boxes.value(name);
    }

    QComboBox *comboBox(const QString &name) const
    {
        const QMap<QString, QComboBox *> boxes{
            {"count", m_dialog->normalPage()->countComboBox()},
            {"finished", m_dialog->normalPage()->finishedActionComboBox()},
            {"language", m_dialog->normalPage()->langComboBox()},
            {"quality", m_dialog->autoDownloadPage()->quatilyComboBox()},
            {"subtitle language", m_dialog->autoDownloadPage()->subtitleComboBox()},
            {"protocol", m_dialog->proxyPage()->protocalComboBox()},
        };
        return boxes.value(name);
    }

private slots:
    void initTestCase()
    {
        // No automatic update check may leave the machine; none is scheduled at all.
        qputenv("CLIPWRIGHT_VENDOR_URL", "http://127.0.0.1:9");
        UpdateWidget::Timings quiet;
        quiet.firstCheckMs = -1;
        UpdateWidget::setTimings(quiet);
        qputenv("CLIPWRIGHT_SCALE_FACTOR", "1");
        setAppDirPath(TestEnv::binDir());
        FileDialogTestHook::setStrict(true);
        DialogTestHook::setStrict(true);
    }

    void init()
    {
        TestEnv::clearSettings();
        Settings::writeLanguage("EN");
        QDir(TestEnv::home() + "/Documents").removeRecursively();
        FileDialogTestHook::clear();
    }

    void cleanup()
    {
        m_window.reset();
        m_dialog = nullptr;
        m_page = nullptr;
    }

    void aFailedRowsOfferOpensTheDownloaderPageOncePerRun()
    {
        open();
        TestEnv::press(m_dialog->closeButton());
        QVERIFY(m_window->offersDownloaderUpdate());
        QSignalSpy finished(ComponentUpdates::instance(), &ComponentUpdates::finished);
        m_window->updateDownloader();
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->currentPage(), int(SettingWidget::DownloaderPage));
        QVERIFY(ComponentUpdates::instance()->isRunning());
        QVERIFY(finished.wait(30000)); // against a closed local port
        QVERIFY(!m_window->offersDownloaderUpdate());
    }

    // The window holds the dialog, opened from the menu while the download page shows, on
    // its Normal page; the page buttons show one page at a time.
    void theDialogOpensOnItsNormalPageAndShowsOnePageAtATime()
    {
        open();
        QCOMPARE(m_dialog->parentWidget(), m_window.get());
        QCOMPARE(m_dialog->geometry(), m_window->rect());
        TestEnv::press(m_dialog->closeButton());
        QVERIFY(!m_dialog->isVisible());
        m_window->showDownloadPage();
        m_window->titleBar()->preferencesAction()->trigger();
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->currentPage(), int(SettingWidget::NormalPage));
        for (int index : {SettingWidget::ProxyPage, SettingWidget::AutoDownloadPage, SettingWidget::DownloadCachePage,
                          SettingWidget::DownloaderPage, SettingWidget::NormalPage}) {
            TestEnv::press(m_dialog->pageButton(index));
            for (int i = 0; i < SettingWidget::PageCount; ++i) {
                QCOMPARE(m_dialog->page(i)->isVisible(), i == index);
                // The chosen button is disabled, which is its selected look.
                QCOMPARE(m_dialog->pageButton(i)->isEnabled(), i != index);
            }
        }
        // Opening again starts on the Normal page.
        TestEnv::press(m_dialog->pageButton(SettingWidget::ProxyPage));
        TestEnv::press(m_dialog->closeButton());
        m_window->showSettings();
        QCOMPARE(m_dialog->currentPage(), int(SettingWidget::NormalPage));
    }

    void switchesAreStoredInTheirOwnFormAtOnce_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<Key>("key");
        QTest::addColumn<QStringList>("forms"); // on, off
        QTest::newRow("\"Auto check new version.\" writes YES and NO")
            << "auto check" << Key::AutoCheckUpdate << QStringList{"YES", "NO"};
        QTest::newRow("the MP4 conversion writes TRUE and FALSE")
            << "mp4" << Key::DL_ConvertVideo2mp4 << QStringList{"TRUE", "FALSE"};
        QTest::newRow("the MP3 conversion writes TRUE and FALSE")
            << "mp3" << Key::DL_ConvertAudio2mp3 << QStringList{"TRUE", "FALSE"};
        QTest::newRow("\"Optimizing Audio Dryness.\" writes TRUE and FALSE")
            << "optimizing" << Key::OptimizingAudio << QStringList{"TRUE", "FALSE"};
        QTest::newRow("the retry after a minute writes TRUE and FALSE")
            << "re-download" << Key::AutoReDownload << QStringList{"TRUE", "FALSE"};
        QTest::newRow("\"Enabled proxy.\" writes 1 and 0") << "proxy" << Key::Proxy_enabled << QStringList{"1", "0"};
        QTest::newRow("\"Enabled auto download.\" writes TRUE and FALSE")
            << "auto download" << Key::AutoDL_Enabled << QStringList{"TRUE", "FALSE"};
        QTest::newRow("\"Download subtitles.\" writes TRUE and FALSE")
            << "subtitles" << Key::AutoDL_DLSubtitle << QStringList{"TRUE", "FALSE"};
    }
    void switchesAreStoredInTheirOwnFormAtOnce()
    {
        QFETCH(QString, control);
        QFETCH(Key, key);
        QFETCH(QStringList, forms);
        if (control == QLatin1String("subtitles"))
            Settings::writeSwitch(Key::AutoDL_Enabled, true);
        open();
        QVERIFY2(!Settings::contains(key), "opening the dialog stored nothing");
        QCheckBox *box = checkBox(control);
        QVERIFY(box->isEnabled());
        const bool was = box->isChecked();
        box->click();
        QCOMPARE(Settings::readText(key), forms.at(was ? 1 : 0));
        box->click();
        QCOMPARE(Settings::readText(key), forms.at(was ? 0 : 1));
    }

    // A choice is stored at once, as its text; a new count reaches the download page too.
    void choicesAreStoredAsTheirTexts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<Key>("key");
        QTest::addColumn<QString>("stored");
        QTest::newRow("1080P is quality index 3") << "quality" << 3 << Key::AutoDL_DLQuatily << "3";
        QTest::newRow("English subtitles are en") << "subtitle language" << 1 << Key::AutoDL_DLSubtitleLang << "en";
        QTest::newRow("Chinese subtitles are zh") << "subtitle language" << 2 << Key::AutoDL_DLSubtitleLang << "zh";
        QTest::newRow("automatic subtitles are an empty text")
            << "subtitle language" << 0 << Key::AutoDL_DLSubtitleLang << "";
        QTest::newRow("HTTP is protocol 2") << "protocol" << 2 << Key::Proxy_protocal << "2";
        QTest::newRow("4 at the same time is 4") << "count" << 1 << Key::CountAtSameTime << "4";
        QTest::newRow("2 at the same time is 2") << "count" << 3 << Key::CountAtSameTime << "2";
    }
    void choicesAreStoredAsTheirTexts()
    {
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(Key, key);
        QFETCH(QString, stored);
        Settings::writeSwitch(Key::AutoDL_Enabled, true);
        Settings::writeSwitch(Key::Proxy_enabled, true);
        open();
        QVERIFY(!Settings::contains(key));
        choose(comboBox(control), index);
        QVERIFY(Settings::contains(key));
        QCOMPARE(Settings::readText(key), stored);
        QCOMPARE(m_page->countAtSameTime(), key == Key::CountAtSameTime ? stored.toInt() : 5);
    }

    void theCountInEffectWritesNothing_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        QTest::newRow("nothing stored (5) and 5 chosen: nothing is written") << QString() << 0;
        QTest::newRow("03 stored and 3 chosen: the text stays 03") << "03" << 2;
        QTest::newRow("9 stored (read as 5) and 5 chosen: the text stays 9") << "9" << 0;
    }
    void theCountInEffectWritesNothing()
    {
        QFETCH(QString, stored);
        QFETCH(int, index);
        if (!stored.isNull())
            Settings::writeText(Key::CountAtSameTime, stored);
        open();
        QCOMPARE(comboBox(QStringLiteral("count"))->currentIndex(), index);
        choose(comboBox("count"), index);
        QCOMPARE(Settings::contains(Key::CountAtSameTime), !stored.isNull());
        if (!stored.isNull())
            QCOMPARE(Settings::readText(Key::CountAtSameTime), stored);
        QCOMPARE(m_page->countAtSameTime(), 5 - index);
    }

    // Opening shows what is stored, read as the program reads it, and stores nothing back;
    // opening again reads the store afresh.
    void openingShowsTheStoredSettings()
    {
        Settings::writeText(Key::CountAtSameTime, "1");
        Settings::writeText(Key::AutoDL_DLQuatily, "12");
        Settings::writeText(Key::AutoDL_DLSubtitleLang, "fr");
        open();
        QCOMPARE(comboBox("count")->currentIndex(), 3);             // 2 at the same time
        QCOMPARE(comboBox("quality")->currentIndex(), 6);           // Auto
        QCOMPARE(comboBox("subtitle language")->currentIndex(), 0); // Auto
        QVERIFY(checkBox("auto check")->isChecked() && checkBox("re-download")->isChecked());
        QCOMPARE(Settings::readText(Key::CountAtSameTime), QStringLiteral("1"));
        QVERIFY(!Settings::contains(Key::AutoCheckUpdate));
        m_dialog->hide();
        Settings::writeText(Key::AutoDL_DLSubtitleLang, "zh");
        Settings::writeText(Key::AutoCheckUpdate, "NO");
        Settings::writeText(Key::AutoReDownload, "FALSE");
        m_window->showSettings();
        QCOMPARE(comboBox("subtitle language")->currentIndex(), 2); // Chinese
        QVERIFY(!checkBox("auto check")->isChecked() && !checkBox("re-download")->isChecked());
    }

    // The action after the last download belongs to this run of the window: it reaches the
    // window and the download page's status line (whose texts tst_downloadviews checks), is
    // shown again on reopening, and is never stored.
    void theFinishedActionStaysWithTheWindow()
    {
        open();
        const QStringList keys = storedKeys();
        for (int index : {2, 1, 0}) {
            choose(comboBox("finished"), index);
            QCOMPARE(m_window->finishedAction(), index);
            QCOMPARE(m_page->statusText().contains("Restart the PC after"), index == 1);
            m_dialog->hide();
            m_window->showSettings();
            QCOMPARE(comboBox("finished")->currentIndex(), index);
        }
        QCOMPARE(storedKeys(), keys);
    }

    void saveToStoresTheFolderAndTellsThePage()
    {
        open();
        NormalSetWidget *normal = m_dialog->normalPage();
        const QString defaultFolder = defaultDownloadFolder();
        QCOMPARE(normal->outputFolder(), defaultFolder);
        QCOMPARE(normal->outputLabel()->toolTip(), defaultFolder);

        FileDialogTestHook::answerNext(QString());
        TestEnv::press(normal->outputSelectButton());
        QCOMPARE(FileDialogTestHook::lastRequest().kind, FileDialogTestHook::Kind::Folder);
        QCOMPARE(FileDialogTestHook::lastRequest().caption, QStringLiteral("Select Download Directory"));
        QCOMPARE(FileDialogTestHook::lastRequest().folder, defaultFolder);
        QVERIFY2(!Settings::contains(Key::SaveDownloadPath), "a cancelled dialog changes nothing");

        // A backslash is a letter of the name on Linux and stays one.
        const QString chosen = TestEnv::root() + "/tmp/my \\downloads";
        QVERIFY(QDir().mkpath(chosen));
        FileDialogTestHook::answerNext(chosen);
        TestEnv::press(normal->outputSelectButton());
        QCOMPARE(Settings::readText(Key::SaveDownloadPath), chosen);
        QCOMPARE(normal->outputLabel()->toolTip(), chosen);
        QCOMPARE(m_page->downloadFolder(), chosen);

        // The next dialog opens in the folder chosen last.
        FileDialogTestHook::answerNext(QString());
        TestEnv::press(normal->outputSelectButton());
        QCOMPARE(FileDialogTestHook::lastRequest().folder, chosen);
    }

    // Off, the Auto Download page greys its choices (also when opened so) and keeps them.
    void switchingAutoDownloadOffGreysItsChoicesAndKeepsThem()
    {
        Settings::writeSwitch(Key::AutoDL_Enabled, true);
        Settings::writeSwitch(Key::AutoDL_DLSubtitle, true);
        Settings::writeNumber(Key::AutoDL_DLQuatily, 3);
        Settings::writeText(Key::AutoDL_DLSubtitleLang, "zh");
        open();
        TestEnv::press(m_dialog->pageButton(SettingWidget::AutoDownloadPage));
        AutoDownloadWidget *page = m_dialog->autoDownloadPage();
        const QList<QWidget *> choices{page->subtitleCheckBox(), page->quatilyComboBox(), page->subtitleComboBox()};
        const QList<QWidget *> drawn = choices + QList<QWidget *>{page->quatilyLabel()};
        for (QWidget *w : drawn)
            QVERIFY2(w->isEnabled() && darkestGrey(w) < 0x60, w->metaObject()->className());

        page->enabledCheckBox()->click();
        QCOMPARE(Settings::readText(Key::AutoDL_Enabled), QStringLiteral("FALSE"));
        // Drawn grey (#9f9f9f): nothing in their texts, pictures or borders is darker.
        for (QWidget *w : drawn)
            QVERIFY2(!w->isEnabled() && darkestGrey(w) >= 0x90, w->metaObject()->className());
        QCOMPARE(Settings::readText(Key::AutoDL_DLSubtitle), QStringLiteral("TRUE"));
        QCOMPARE(Settings::readText(Key::AutoDL_DLQuatily), QStringLiteral("3"));
        QCOMPARE(Settings::readText(Key::AutoDL_DLSubtitleLang), QStringLiteral("zh"));

        open(); // a new start
        page = m_dialog->autoDownloadPage();
        QVERIFY(!page->enabledCheckBox()->isChecked());
        QVERIFY(!page->subtitleCheckBox()->isEnabled() && page->subtitleCheckBox()->isChecked());
        QVERIFY(!page->quatilyComboBox()->isEnabled());
        QCOMPARE(page->quatilyComboBox()->currentIndex(), 3);
        QCOMPARE(page->subtitleComboBox()->currentIndex(), 2);
        page->enabledCheckBox()->click();
        QCOMPARE(Settings::readText(Key::AutoDL_Enabled), QStringLiteral("TRUE"));
        QVERIFY(page->subtitleCheckBox()->isEnabled() && page->quatilyComboBox()->isEnabled());
    }

    // The page stores what is typed and picked; the proxy text itself is tst_proxy's.
    void theProxyPageStoresWhatIsTypedAndRebuildsTheProxy()
    {
        open();
        TestEnv::press(m_dialog->pageButton(SettingWidget::ProxyPage));
        ConnectWidget *page = m_dialog->proxyPage();
        const QList<QWidget *> fields{page->serverLineEdit(), page->portLineEdit(), page->protocalComboBox()};
        for (QWidget *w : fields)
            QVERIFY(!w->isEnabled());
        page->enabledCheckBox()->click();
        for (QWidget *w : fields)
            QVERIFY(w->isEnabled());
        QTest::keyClicks(page->serverLineEdit(), "S");
        QTest::keyClicks(page->portLineEdit(), "1080");
        choose(page->protocalComboBox(), 1);
        QCOMPARE(Settings::readText(Key::Proxy_server), QStringLiteral("S"));
        QCOMPARE(Settings::readText(Key::Proxy_port), QStringLiteral("1080"));
        QCOMPARE(proxyString(), QStringLiteral("https://S:1080"));

        page->enabledCheckBox()->click();
        QCOMPARE(Settings::readText(Key::Proxy_enabled), QStringLiteral("0"));
        QCOMPARE(proxyString(), QString());
        for (QWidget *w : fields)
            QVERIFY(!w->isEnabled());
        // Opening again shows what was typed.
        m_dialog->hide();
        m_window->showSettings();
        QCOMPARE(page->serverLineEdit()->text(), QStringLiteral("S"));
        QCOMPARE(page->portLineEdit()->text(), QStringLiteral("1080"));
        QCOMPARE(page->protocalComboBox()->currentIndex(), 1);
    }

    // Clean removes what the program itself leaves in the cache (media named by their digest,
    // their markers, subtitles and merge outputs, the joiner's files, the copied converter)
    // and nothing else: not the queue, work folders, or files of the user or other programs.
    void cleanCacheDeletesOnlyTheProgramsTemporaryFiles()
    {
        open();
        const QString cache = downloadCacheFolder();
        const QByteArray database = readFile(cache + "/data.db");
        QVERIFY(!database.isEmpty());
        // @D and @E stand for two digests, @U for the first in capitals.
        const QStringList kept{"@D/config.ini", "@D/abc.info.json", "@D/thumb.jpg", "@D/@E.mp4", "list.json",
                               "cover.jpg",     "film.mp4.part",    "holiday.mp4",  "@U.mp4",    "@D.json"};
        const QStringList gone{"@D.mp4",     "@E.m4a",         "@D.webm.ytdl", "@D.en-US.vtt",
                               "@D_tmp.mp4", "segment_12.MP4", "join.txt",     "ffmpeg"};
        const auto path = [&cache](QString f) -> QString {
            return cache + '/' + f.replace("@D", kDigest).replace("@E", kOtherDigest).replace("@U", kDigest.toUpper());
        };
        for (const QString &f : kept + gone)
            QVERIFY(writeFile(path(f), "bytes"));
        TestEnv::press(m_dialog->pageButton(SettingWidget::DownloadCachePage));
        TestEnv::press(m_dialog->cachePage()->cleanButton());
        for (const QString &f : kept)
            QVERIFY2(QFile::exists(path(f)), qPrintable(f + " was deleted"));
        for (const QString &f : gone)
            QVERIFY2(!QFile::exists(path(f)), qPrintable(f + " was left"));
        QCOMPARE(readFile(cache + "/data.db"), database);
        QCOMPARE(DownloadCache::clean(cache), 0);
    }

    // The queue moves with the cache folder at once: rows written just before the change
    // (still in the write-ahead log) and just after it are all there at the next start,
    // and a queue that already lived in the chosen folder is kept beside it. On Linux a
    // backslash is a letter of a folder's name, not a separator.
    void changeMovesTheCacheAndTakesTheQueueAlong()
    {
        open();
        TestEnv::press(m_dialog->pageButton(SettingWidget::DownloadCachePage));
        DCacheFolderWidget *page = m_dialog->cachePage();
        const QString current = downloadCacheFolder();
        QCOMPARE(page->shownFolder(), current);

        FileDialogTestHook::answerNext(QString());
        TestEnv::press(page->changeButton());
        QCOMPARE(FileDialogTestHook::lastRequest().caption, QStringLiteral("Select Download Cache Directory"));
        QCOMPARE(FileDialogTestHook::lastRequest().folder, current);
        QVERIFY(!Settings::contains(Key::DownloadTempFolder));

        auto urlsIn = [](const QString &folder) {
            DBManagerThread db(folder);
            QStringList urls;
            for (const StoredRow &row : db.allRows())
                urls << row.record.url;
            return urls;
        };
        const QStringList folders = {TestEnv::root() + "/tmp/new\\cache", TestEnv::root() + "/tmp/other cache"};
        QVERIFY(writeFile(folders.at(1) + "/data.db", "their own queue"));
        QDir().mkpath(folders.at(0));
        QStringList written;
        for (const QString &folder : folders) {
            const QString before = "https://vimeo.com/before-" + QString::number(written.size());
            m_page->database()->insertLink(before);
            FileDialogTestHook::answerNext(folder);
            TestEnv::press(page->changeButton());
            QCOMPARE(Settings::readText(Key::DownloadTempFolder), folder);
            QCOMPARE(page->shownFolder(), folder);
            QCOMPARE(downloadCacheFolder(), folder);
            QCOMPARE(m_page->database()->filePath(), folder + "/data.db");
            const QString after = "https://vimeo.com/after-" + QString::number(written.size());
            m_page->database()->insertLink(after);
            written << before << after;
        }
        m_window.reset(); // the next start reads the new folder
        QCOMPARE(urlsIn(folders.at(1)), written);
        const QStringList aside = QDir(folders.at(1)).entryList({"data.db.*"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(folders.at(1) + QLatin1Char('/') + aside.first()), QByteArray("their own queue"));
    }

    void theLanguageComboSwitchesAndTheHelpPageFollows()
    {
        open();
        QCOMPARE(languageCode(), QStringLiteral("EN"));
        QVERIFY(!m_dialog->pageButton(SettingWidget::HelpPage)->isVisibleTo(m_dialog));
        QComboBox *language = comboBox("language");
        QCOMPARE(language->currentIndex(), 0);

        choose(language, 1);
        QCOMPARE(languageCode(), QStringLiteral("ZH"));
        QCOMPARE(Settings::readLanguage(), QStringLiteral("ZH"));
        QCOMPARE(language->currentIndex(), 1);
        QVERIFY(m_dialog->pageButton(SettingWidget::HelpPage)->isVisibleTo(m_dialog));
        QCOMPARE(m_dialog->pageButton(SettingWidget::NormalPage)->text(), QString::fromUtf8("常规"));
        QCOMPARE(m_window->titleBar()->preferencesAction()->text(), QString::fromUtf8("偏好设置"));

        TestEnv::press(m_dialog->pageButton(SettingWidget::HelpPage));
        QVERIFY(m_dialog->supportPage()->isVisible());
        const QString contact = m_dialog->supportPage()->contactLabel()->text();
        QVERIFY2(contact.contains(QLatin1String("support@kestrova.com")), qPrintable(contact));
        QVERIFY(contact.contains(QLatin1String(SupportQWidget::MessengerAccount)));
        QCOMPARE(contact.count(QLatin1Char('\n')), 2);

        TestEnv::press(m_dialog->pageButton(SettingWidget::NormalPage));
        choose(language, 0);
        QCOMPARE(languageCode(), QStringLiteral("EN"));
        QCOMPARE(Settings::readLanguage(), QStringLiteral("EN"));
        QVERIFY(!m_dialog->pageButton(SettingWidget::HelpPage)->isVisibleTo(m_dialog));
        QCOMPARE(m_dialog->pageButton(SettingWidget::NormalPage)->text(), QStringLiteral("Normal"));
    }

    // A language that cannot be loaded leaves the combo, and the pages, in English.
    void aMissingTranslationFallsBackToEnglish()
    {
        const QString app = TestEnv::root() + "/tmp/app-en-only";
        QVERIFY(QDir().mkpath(app + "/Lang"));
        QVERIFY(QFile::copy(TestEnv::binDir() + "/Lang/Lang_EN.qm", app + "/Lang/Lang_EN.qm"));
        setAppDirPath(app);
        open();
        choose(comboBox("language"), 1);
        setAppDirPath(TestEnv::binDir());
        QCOMPARE(Settings::readLanguage(), QStringLiteral("EN"));
        QCOMPARE(comboBox("language")->currentIndex(), 0);
        QVERIFY(!m_dialog->pageButton(SettingWidget::HelpPage)->isVisibleTo(m_dialog));
    }
};

CW_TEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
