// The main window: its shape at each scale, the title bar and its menu, dragging,
// the loading overlay, the close steps, the after-download action, the vendor pages,
// and the interface languages.

#include "app/appenv.h"
#include "app/settings.h"
#include "app/vendor.h"
#include "platform/platform.h"
#include "shell/languages.h"
#include "shell/loadingwidget.h"
#include "shell/mainwindow.h"
#include "shell/titlebar.h"
#include "testlib/testenv.h"
#include "widgets/controls.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QUrl>

// Stands in for the pages later parts add, answering the window's questions.
class StubPage : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    bool mayExitAnswer = true;
    bool closeToolAnswer = false;
    QStringList calls;
    QString codeWhenRetranslated;

public slots:
    void retranslate()
    {
        calls << "retranslate";
        codeWhenRetranslated = languageCode();
    }
    bool mayExit()
    {
        calls << "mayExit";
        return mayExitAnswer;
    }
    void fristLoad()
    {
        calls << "fristLoad";
    }
    bool closeTool()
    {
        calls << "closeTool";
        return closeToolAnswer;
    }
};

namespace
{
const QString kChineseHelp = QString::fromUtf8("\xe5\xb8\xae\xe5\x8a\xa9"); // 帮助

void sendMouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

QString appFolder()
{
    return TestEnv::root() + "/tmp/app";
}

// An application folder with the built translations and fonts.
void makeAppFolder(const QByteArray &languageList)
{
    const QString app = appFolder();
    QDir(app).removeRecursively();
    QVERIFY(QDir().mkpath(app + "/Lang") && QDir().mkpath(app + "/font"));
    for (const char *qm : {"Lang_EN.qm", "Lang_ZH.qm"})
        QVERIFY(QFile::copy(TestEnv::binDir() + "/Lang/" + QLatin1String(qm), app + "/Lang/" + QLatin1String(qm)));
    for (const char *font : {"Lato-Regular.ttf", "Lato-Bold.ttf", "Arial.ttf", "sum"})
        QFile::copy(TestEnv::binDir() + "/font/" + QLatin1String(font), app + "/font/" + QLatin1String(font));
    if (!languageList.isNull()) {
        QFile list(app + "/Lang/Lang_config");
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(languageList);
    }
    setAppDirPath(app);
}

QString fontFamilyOf(const QString &file)
{
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.value(0);
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        TestEnv::clearSettings();
        qputenv("CLIPWRIGHT_SCALE_FACTOR", "1");
        setAppDirPath(QString());
    }
    void cleanup()
    {
        qunsetenv("CLIPWRIGHT_SCALE_FACTOR");
        qunsetenv("CLIPWRIGHT_VENDOR_URL");
        Platform::setPowerActionHook(nullptr);
    }

    // At each scale: the window's size, the bar with its controls inside it, the close button's
    // parts, and the loading overlay over the pages only, leaving the close button reachable.
    void theWindowAtEachScale_data()
    {
        QTest::addColumn<QByteArray>("factor");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("bar");
        QTest::newRow("scale 1.0 is 1000 x 630 with a 30 pixel bar") << QByteArray("1.0") << QSize(1000, 630) << 30;
        QTest::newRow("scale 1.5 is 1500 x 945 with a 45 pixel bar") << QByteArray("1.5") << QSize(1500, 945) << 45;
    }
    void theWindowAtEachScale()
    {
        QFETCH(QByteArray, factor);
        QFETCH(QSize, size);
        QFETCH(int, bar);
        qputenv("CLIPWRIGHT_SCALE_FACTOR", factor);
        DoRaDuvoZezavi window;
        window.show();
        QCOMPARE(window.size(), size);
        DaVaVudIredaz *titleBar = window.titleBar();
        QCOMPARE(titleBar->geometry(), QRect(0, 0, size.width(), bar));
        MyPushButton *close = titleBar->closeButton();
        for (QWidget *w : std::initializer_list<QWidget *>{close, titleBar->minButton(), titleBar->menuButton(),
                                                           titleBar->titleLabel(), titleBar->versionLabel()})
            QVERIFY2(titleBar->rect().contains(w->geometry()), w->metaObject()->className());
        const QPoint corner = close->geometry().topLeft() + QPoint(bar / 6, bar / 6);
        QCOMPARE(window.grab().toImage().pixelColor(corner), QColor(0x48, 0x4a, 0x4d));
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(close, &enter);
        const QColor hover = window.grab().toImage().pixelColor(corner);
        QVERIFY2(hover.red() > 200 && hover.green() < 120, qPrintable(hover.name()));

        window.showLoading(true, "Converting...");
        LoadingWidget *loading = window.loadingWidget();
        QCOMPARE(loading->geometry(), QRect(0, bar, size.width(), size.height() - bar));
        const QRect box = loading->box()->geometry().translated(loading->pos());
        QVERIFY(qAbs(box.center().x() - size.width() / 2) <= 1);
        QVERIFY(loading->isVisible() && loading->movie()->state() == QMovie::Running);
        window.showLoading(true, QString()); // no text keeps the last one
        QCOMPARE(loading->text(), QStringLiteral("Converting..."));
        QCOMPARE(window.childAt(close->geometry().center()), static_cast<QWidget *>(close));
        QCOMPARE(window.childAt(QPoint(10, bar + 10)), static_cast<QWidget *>(loading));
        window.showLoading(false);
        QVERIFY(!loading->isVisible() && loading->movie()->state() == QMovie::NotRunning);
    }

    void dragging_data()
    {
        QTest::addColumn<bool>("onTitle");
        QTest::addColumn<int>("pressY");
        QTest::addColumn<int>("moveY");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("a drag on the bar moves the window") << false << 10 << 20 << QPoint(40, 10);
        QTest::newRow("a drag that starts on the title label moves it too") << true << 10 << 20 << QPoint(40, 10);
        QTest::newRow("a drag that starts below the bar does not move it") << false << 100 << 110 << QPoint(0, 0);
        QTest::newRow("moves below the bar are ignored") << false << 10 << 200 << QPoint(0, 0);
    }
    void dragging()
    {
        QFETCH(bool, onTitle);
        QFETCH(int, pressY);
        QFETCH(int, moveY);
        QFETCH(QPoint, moved);
        DoRaDuvoZezavi window;
        window.move(200, 100);
        const QPoint start = window.pos();
        QLabel *title = window.titleBar()->titleLabel();
        if (onTitle)
            QTest::mousePress(title, Qt::LeftButton, Qt::NoModifier, title->mapFrom(&window, QPoint(300, pressY)));
        else
            sendMouse(&window, QEvent::MouseButtonPress, QPoint(300, pressY), Qt::LeftButton, Qt::LeftButton);
        sendMouse(&window, QEvent::MouseMove, QPoint(340, moveY), Qt::NoButton, Qt::LeftButton);
        sendMouse(&window, QEvent::MouseButtonRelease, QPoint(340, moveY), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(window.pos(), start + moved);
        // Released: later moves do nothing.
        sendMouse(&window, QEvent::MouseMove, QPoint(10, 5), Qt::NoButton, Qt::NoButton);
        QCOMPARE(window.pos(), start + moved);
    }

    void closeSteps_data()
    {
        QTest::addColumn<bool>("onDownloadPage");
        QTest::addColumn<bool>("mayExit");
        QTest::addColumn<bool>("toolOpen");
        QTest::addColumn<bool>("downloadShown");
        QTest::addColumn<bool>("windowOpen");
        QTest::newRow("the download page with nothing running returns home") << true << true << false << false << true;
        QTest::newRow("the download page that may not be left stays") << true << false << false << true << true;
        QTest::newRow("an open tool is closed and home shows") << false << true << true << false << true;
        QTest::newRow("on the home page the window closes") << false << true << false << false << false;
    }
    void closeSteps()
    {
        QFETCH(bool, onDownloadPage);
        QFETCH(bool, mayExit);
        QFETCH(bool, toolOpen);
        QFETCH(bool, downloadShown);
        QFETCH(bool, windowOpen);
        DoRaDuvoZezavi window;
        auto *download = new StubPage;
        auto *toolkit = new StubPage;
        window.setPage(DoRaDuvoZezavi::Page::Download, download);
        window.setPage(DoRaDuvoZezavi::Page::Toolkit, toolkit);
        download->mayExitAnswer = mayExit;
        toolkit->closeToolAnswer = toolOpen;
        window.show();
        if (onDownloadPage)
            window.showDownloadPage();
        if (toolOpen)
            window.showLoading(true, "Loading...");
        QTest::mouseClick(window.titleBar()->closeButton(), Qt::LeftButton);
        QCOMPARE(download->isVisible(), downloadShown);
        QCOMPARE(window.isVisible(), windowOpen);
        if (windowOpen)
            QCOMPARE(toolkit->isVisible(), !downloadShown);
        // A closed tool took its run with it.
        QVERIFY(!window.loadingWidget()->isVisible());
        QCOMPARE(download->calls.contains(QStringLiteral("mayExit")), onDownloadPage);
    }

    // Pages sit below the bar, are given their texts and their first load; the menu offers
    // its entries in order, Preferences only while the download page shows.
    void pagesArePlacedAndTheMenuFollowsThem()
    {
        DoRaDuvoZezavi window;
        auto *download = new StubPage;
        auto *toolkit = new StubPage;
        window.setPage(DoRaDuvoZezavi::Page::Download, download);
        window.setPage(DoRaDuvoZezavi::Page::Toolkit, toolkit);
        QCOMPARE(download->parentWidget(), static_cast<QWidget *>(&window));
        QCOMPARE(download->geometry(), QRect(1, 30, 998, 599));
        QCOMPARE(toolkit->geometry(), QRect(1, 30, 998, 599));
        QVERIFY(download->isHidden() && !toolkit->isHidden());
        QVERIFY(download->calls.contains("retranslate"));
        window.fristLoad_slots();
        QVERIFY(download->calls.contains("fristLoad"));

        window.show();
        QStringList texts;
        for (QAction *a : window.titleBar()->menu()->actions())
            texts << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(texts,
                 (QStringList{"Help", "Support", "Homepage", "Preferences", "-", "Check for Updates", "Language"}));
        for (bool onDownloadPage : {false, true}) {
            if (onDownloadPage)
                window.showDownloadPage();
            QTest::mouseClick(window.titleBar()->menuButton(), Qt::LeftButton);
            QVERIFY(window.titleBar()->menu()->isVisible());
            QCOMPARE(window.titleBar()->preferencesAction()->isVisible(), onDownloadPage);
            window.titleBar()->menu()->hide();
        }
    }

    // After the last download the window asks the system for nothing, a restart or a shutdown.
    void runFinishedAction_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QList<int>>("asked");
        QTest::newRow("0 does nothing") << 0 << QList<int>{};
        QTest::newRow("1 restarts") << 1 << QList<int>{int(Platform::PowerAction::Restart)};
        QTest::newRow("2 shuts down") << 2 << QList<int>{int(Platform::PowerAction::ShutDown)};
    }
    void runFinishedAction()
    {
        QFETCH(int, action);
        QFETCH(QList<int>, asked);
        QList<int> seen;
        Platform::setPowerActionHook([&seen](Platform::PowerAction a) { seen << int(a); });
        DoRaDuvoZezavi window;
        QCOMPARE(window.finishedAction(), 0);
        window.setFinishedAction(action);
        window.runFinishedAction();
        QCOMPARE(seen, asked);
    }

    // Help, Support and Homepage open the vendor's pages, naming the program and the language.
    void menuEntriesOpenTheVendorPages_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("url");
        QTest::newRow("Help in English") << "EN" << 0
                                         << "http://127.0.0.1:8765/help/?id=clipwright&Lang=EN&Platform=Win";
        QTest::newRow("Support without a language has an empty Lang")
            << "" << 1 << "http://127.0.0.1:8765/support/?id=clipwright&Lang=&Platform=Win";
        QTest::newRow("Homepage in lower-case Chinese")
            << "zh" << 2 << "http://127.0.0.1:8765/clipwright/?id=clipwright&Lang=ZH&Platform=Win";
    }
    void menuEntriesOpenTheVendorPages()
    {
        QFETCH(QString, code);
        QFETCH(int, entry);
        QFETCH(QString, url);
        qputenv("CLIPWRIGHT_VENDOR_URL", "http://127.0.0.1:8765/");
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        DoRaDuvoZezavi window;
        setLanguageCode(code);
        window.titleBar()->menu()->actions().at(entry)->trigger();
        QDesktopServices::unsetUrlHandler("http");
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl(url)});
    }

    // Languages -------------------------------------------------------------

    void languageLists_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("codes");
        const QByteArray missing;
        QTest::newRow("a missing list offers English alone") << missing << QStringList{"English"} << QStringList{"EN"};
        QTest::newRow("two languages") << QByteArray(
            "EN=English\nZH=\xe7\xae\x80\xe4\xbd\x93\xe4\xb8\xad\xe6\x96\x87\n")
                                       << QStringList{"English", QString::fromUtf8("简体中文")}
                                       << QStringList{"EN", "ZH"};
        QTest::newRow("an empty second line ends the list")
            << QByteArray("EN=English\n\nZH=Chinese\n") << QStringList{"English"} << QStringList{"EN"};
        QTest::newRow("a line without = is skipped and lines are trimmed")
            << QByteArray("EN=English\nnonsense\n  ZH=Chinese  \n") << QStringList{"English", "Chinese"}
            << QStringList{"EN", "ZH"};
        QTest::newRow("a longer code is known by its first two letters")
            << QByteArray("en_US=English\nzh_CN=Chinese\n") << QStringList{"English", "Chinese"}
            << QStringList{"EN", "ZH"};
        QTest::newRow("a letter that capitalises into two still gives a code of two")
            << QByteArray("\xc5\x89x=Odd\n") << QStringList{"Odd"} << QStringList{QString::fromUtf8("\xca\xbcN")};
    }
    void languageLists()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, names);
        QFETCH(QStringList, codes);
        makeAppFolder(file);
        DoRaDuvoZezavi window;
        QCOMPARE(window.titleBar()->languageNames(), names);
        QCOMPARE(window.titleBar()->languageCodes(), codes);
        QStringList entries;
        for (QAction *a : window.titleBar()->languageMenu()->actions())
            entries << a->text();
        QCOMPARE(entries, names);
    }

    // A stored lower-case "zh" starts the program in Chinese, drawn in the CJK font. A language
    // whose translation is gone, or a name the list does not know, then leaves it in English
    // (the list's first language), stored and drawn as such.
    void aLanguageThatCannotBeShownFallsBackToEnglish_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("Chinese, whose translation file is gone") << "Chinese";
        QTest::newRow("a name the list does not know") << "Klingon";
    }
    void aLanguageThatCannotBeShownFallsBackToEnglish()
    {
        QFETCH(QString, chosen);
        makeAppFolder("EN=English\nZH=Chinese\n");
        Settings::writeText(Settings::Key::Language, "zh");
        DoRaDuvoZezavi window;
        QCOMPARE(languageCode(), QStringLiteral("ZH"));
        QCOMPARE(window.titleBar()->menu()->actions().at(0)->text(), kChineseHelp);
        QVERIFY(window.titleBar()->languageMenu()->actions().at(1)->isChecked());
        const QString cjk = fontFamilyOf(appFolder() + "/font/sum"), family = QGuiApplication::font().family();
        QVERIFY2(!cjk.isEmpty() && (family == cjk || family.compare("Microsoft YaHei", Qt::CaseInsensitive) == 0),
                 qPrintable(family));
        QVERIFY(QFile::remove(appFolder() + "/Lang/Lang_ZH.qm"));
        QAction action(chosen);
        window.titleBar()->slots_all_language_Action(&action);
        QCOMPARE(languageCode(), QStringLiteral("EN"));
        QCOMPARE(Settings::readText(Settings::Key::Language), QStringLiteral("EN"));
        QCOMPARE(window.titleBar()->menu()->actions().at(0)->text(), QStringLiteral("Help"));
        QCOMPARE(QGuiApplication::font().family(), fontFamilyOf(appFolder() + "/font/Lato-Regular.ttf"));
    }

    void switchingLanguageRetranslatesEveryPageWithTheNewCode()
    {
        makeAppFolder("EN=English\nZH=Chinese\n");
        Settings::writeText(Settings::Key::Language, "EN");
        DoRaDuvoZezavi window;
        auto *download = new StubPage;
        window.setPage(DoRaDuvoZezavi::Page::Download, download);
        window.titleBar()->menu()->popup(QPoint(0, 0));
        window.titleBar()->languageMenu()->actions().at(1)->trigger();
        QCOMPARE(download->codeWhenRetranslated, QStringLiteral("ZH"));
        QCOMPARE(Settings::readText(Settings::Key::Language), QStringLiteral("ZH"));
        QVERIFY(!window.titleBar()->menu()->isVisible());
        QCOMPARE(window.titleBar()->versionLabel()->text().right(5), QStringLiteral("3.1.4"));
        QVERIFY(window.titleBar()->versionLabel()->text() != "Ver: 3.1.4");
    }
};

CW_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
