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
        calls << QStringLiteral("retranslate");
        codeWhenRetranslated = languageCode();
    }
    bool mayExit()
    {
        calls << QStringLiteral("mayExit");
        return mayExitAnswer;
    }
    void fristLoad()
    {
        calls << QStringLiteral("fristLoad");
    }
    bool closeTool()
    {
        calls << QStringLiteral("closeTool");
        return closeToolAnswer;
    }
};

// Receives the addresses the window opens instead of a browser.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url)
    {
        opened << url;
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
    return TestEnv::root() + QStringLiteral("/tmp/app");
}

// An application folder with the built translations and fonts.
void makeAppFolder(const QByteArray &languageList)
{
    const QString app = appFolder();
    QDir(app).removeRecursively();
    QVERIFY(QDir().mkpath(app + QStringLiteral("/Lang")));
    QVERIFY(QDir().mkpath(app + QStringLiteral("/font")));
    for (const char *qm : {"Lang_EN.qm", "Lang_ZH.qm"})
        QVERIFY(QFile::copy(TestEnv::binDir() + QStringLiteral("/Lang/") + QLatin1String(qm),
                            app + QStringLiteral("/Lang/") + QLatin1String(qm)));
    for (const char *font : {"Lato-Regular.ttf", "Lato-Bold.ttf", "Arial.ttf", "sum"})
        QFile::copy(TestEnv::binDir() + QStringLiteral("/font/") + QLatin1String(font),
                    app + QStringLiteral("/font/") + QLatin1String(font));
    if (!languageList.isNull()) {
        QFile list(app + QStringLiteral("/Lang/Lang_config"));
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

    void geometryAtEachScale_data()
    {
        QTest::addColumn<QByteArray>("factor");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("bar");
        QTest::newRow("scale 1.0 is 1000 x 630 with a 30 pixel bar") << QByteArray("1.0") << 1000 << 630 << 30;
        QTest::newRow("scale 1.5 is 1500 x 945 with a 45 pixel bar") << QByteArray("1.5") << 1500 << 945 << 45;
    }
    void geometryAtEachScale()
    {
        QFETCH(QByteArray, factor);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, bar);
        qputenv("CLIPWRIGHT_SCALE_FACTOR", factor);
        DoRaDuvoZezavi window;
        const double s = factor.toDouble();
        QCOMPARE(scaleFactor(), s);
        QCOMPARE(window.size(), QSize(w, h));
        DaVaVudIredaz *titleBar = window.titleBar();
        QCOMPARE(titleBar->geometry(), QRect(0, 0, w, bar));
        const int b = int(26 * s);
        QCOMPARE(titleBar->closeButton()->geometry().size(), QSize(b, b));
        QCOMPARE(titleBar->closeButton()->x(), w - int(30 * s));
        QCOMPARE(titleBar->minButton()->x(), w - int(60 * s));
        QCOMPARE(titleBar->menuButton()->x(), w - int(90 * s));
        QCOMPARE(titleBar->titleLabel()->geometry().topLeft().x(), int(40 * s));
        QCOMPARE(titleBar->titleLabel()->size(), QSize(int(400 * s), int(28 * s)));
        QCOMPARE(titleBar->versionLabel()->x(), w - int(200 * s));
        QCOMPARE(titleBar->versionLabel()->text(), QStringLiteral("Ver: 3.1.4"));

        // The overlay covers the pages but not the bar.
        window.showLoading(true);
        LoadingWidget *loading = window.loadingWidget();
        QCOMPARE(loading->geometry(), QRect(0, bar, w, h - bar));
        QCOMPARE(loading->box()->size(), QSize(int(200 * s), int(160 * s)));
        const QRect box = loading->box()->geometry().translated(loading->pos());
        QVERIFY(qAbs(box.center().x() - w / 2) <= 1);
        QCOMPARE(loading->animationLabel()->size(), QSize(int(20 * s), int(20 * s)));
        QCOMPARE(loading->textLabel()->width(), int(200 * s) - int(20 * s));
    }

    void titleBarButtonsShowTheirParts()
    {
        DoRaDuvoZezavi window;
        MyPushButton *close = window.titleBar()->closeButton();
        const QPoint corner = close->geometry().topLeft() + QPoint(4, 4);
        const QColor normal = window.grab().toImage().pixelColor(corner);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(close, &enter);
        const QColor hover = window.grab().toImage().pixelColor(corner);
        QCOMPARE(normal, QColor(0x48, 0x4a, 0x4d));
        QVERIFY2(hover.red() > 200 && hover.green() < 120, qPrintable(hover.name()));
    }

    void dragging_data()
    {
        QTest::addColumn<int>("pressY");
        QTest::addColumn<int>("moveY");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("a drag on the bar moves the window") << 10 << 20 << QPoint(40, 10);
        QTest::newRow("a drag that starts below the bar does not move it") << 100 << 110 << QPoint(0, 0);
        QTest::newRow("moves below the bar are ignored") << 10 << 200 << QPoint(0, 0);
    }
    void dragging()
    {
        QFETCH(int, pressY);
        QFETCH(int, moveY);
        QFETCH(QPoint, moved);
        DoRaDuvoZezavi window;
        window.move(200, 100);
        const QPoint start = window.pos();
        sendMouse(&window, QEvent::MouseButtonPress, QPoint(300, pressY), Qt::LeftButton, Qt::LeftButton);
        sendMouse(&window, QEvent::MouseMove, QPoint(340, moveY), Qt::NoButton, Qt::LeftButton);
        sendMouse(&window, QEvent::MouseButtonRelease, QPoint(340, moveY), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(window.pos(), start + moved);
        // Released: later moves do nothing.
        sendMouse(&window, QEvent::MouseMove, QPoint(10, 5), Qt::NoButton, Qt::NoButton);
        QCOMPARE(window.pos(), start + moved);
    }

    void aPressOnTheTitleLabelStartsADrag()
    {
        DoRaDuvoZezavi window;
        window.move(50, 50);
        QLabel *title = window.titleBar()->titleLabel();
        QTest::mousePress(title, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        sendMouse(&window, QEvent::MouseMove, title->mapTo(&window, QPoint(25, 8)), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(window.pos(), QPoint(70, 53));
    }

    void loadingOverlayLeavesTheCloseButtonReachable()
    {
        DoRaDuvoZezavi window;
        window.show();
        window.showLoading(true, QStringLiteral("Converting..."));
        LoadingWidget *loading = window.loadingWidget();
        QVERIFY(loading->isVisible());
        QCOMPARE(loading->text(), QStringLiteral("Converting..."));
        QCOMPARE(loading->movie()->state(), QMovie::Running);
        window.showLoading(true, QString());
        QCOMPARE(loading->text(), QStringLiteral("Converting..."));
        MyPushButton *close = window.titleBar()->closeButton();
        QCOMPARE(window.childAt(close->geometry().center()), static_cast<QWidget *>(close));
        // Below the bar the overlay takes the clicks.
        QCOMPARE(window.childAt(QPoint(10, 300)), static_cast<QWidget *>(loading));
        window.showLoading(false);
        QVERIFY(!loading->isVisible());
        QCOMPARE(loading->movie()->state(), QMovie::NotRunning);
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
            window.showLoading(true, QStringLiteral("Loading..."));
        QTest::mouseClick(window.titleBar()->closeButton(), Qt::LeftButton);
        QCOMPARE(download->isVisible(), downloadShown);
        QCOMPARE(window.isVisible(), windowOpen);
        if (windowOpen)
            QCOMPARE(toolkit->isVisible(), !downloadShown);
        // A closed tool took its run with it.
        QVERIFY(!window.loadingWidget()->isVisible());
        QCOMPARE(download->calls.contains(QStringLiteral("mayExit")), onDownloadPage);
    }

    void pagesArePlacedAndGivenTheirTexts()
    {
        DoRaDuvoZezavi window;
        auto *download = new StubPage;
        auto *toolkit = new StubPage;
        window.setPage(DoRaDuvoZezavi::Page::Download, download);
        window.setPage(DoRaDuvoZezavi::Page::Toolkit, toolkit);
        QCOMPARE(download->parentWidget(), static_cast<QWidget *>(&window));
        QCOMPARE(download->geometry(), QRect(1, 30, 998, 599));
        QCOMPARE(toolkit->geometry(), QRect(1, 30, 998, 599));
        QVERIFY(download->isHidden());
        QVERIFY(!toolkit->isHidden());
        QVERIFY(download->calls.contains(QStringLiteral("retranslate")));
        window.fristLoad_slots();
        QVERIFY(download->calls.contains(QStringLiteral("fristLoad")));
    }

    void menuOffersItsEntriesInOrder()
    {
        DoRaDuvoZezavi window;
        auto *download = new StubPage;
        window.setPage(DoRaDuvoZezavi::Page::Download, download);
        window.setPage(DoRaDuvoZezavi::Page::Toolkit, new StubPage);
        window.show();
        QStringList texts;
        for (QAction *a : window.titleBar()->menu()->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(texts,
                 (QStringList{"Help", "Support", "Homepage", "Preferences", "-", "Check for Updates", "Language"}));
        QTest::mouseClick(window.titleBar()->menuButton(), Qt::LeftButton);
        QVERIFY(window.titleBar()->menu()->isVisible());
        QVERIFY(!window.titleBar()->preferencesAction()->isVisible());
        window.titleBar()->menu()->hide();
        window.showDownloadPage();
        QTest::mouseClick(window.titleBar()->menuButton(), Qt::LeftButton);
        QVERIFY(window.titleBar()->preferencesAction()->isVisible());
        window.titleBar()->menu()->hide();
    }

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

    void vendorUrls_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("url");
        QTest::newRow("help in English") << "EN"
                                         << "/help/"
                                         << "http://127.0.0.1:8765/help/?id=clipwright&Lang=EN&Platform=Win";
        QTest::newRow("product page in Chinese")
            << "zh"
            << "/clipwright/"
            << "http://127.0.0.1:8765/clipwright/?id=clipwright&Lang=ZH&Platform=Win";
        QTest::newRow("no language gives an empty Lang")
            << ""
            << "/support/"
            << "http://127.0.0.1:8765/support/?id=clipwright&Lang=&Platform=Win";
    }
    void vendorUrls()
    {
        QFETCH(QString, code);
        QFETCH(QString, page);
        QFETCH(QString, url);
        qputenv("CLIPWRIGHT_VENDOR_URL", "http://127.0.0.1:8765/");
        DoRaDuvoZezavi window;
        setLanguageCode(code);
        QCOMPARE(window.vendorUrl(page), url);
        qunsetenv("CLIPWRIGHT_VENDOR_URL");
        QVERIFY(window.vendorUrl(page).startsWith(QLatin1String("https://")));
        QVERIFY(window.vendorUrl(page).contains(page + QStringLiteral("?id=clipwright&Lang=")));
    }

    void menuEntriesOpenTheVendorPages()
    {
        qputenv("CLIPWRIGHT_VENDOR_URL", "http://127.0.0.1:8765");
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        DoRaDuvoZezavi window;
        window.titleBar()->menu()->actions().at(0)->trigger();
        window.titleBar()->menu()->actions().at(1)->trigger();
        window.titleBar()->menu()->actions().at(2)->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(catcher.opened.size(), 3);
        QCOMPARE(catcher.opened.at(0).path(), QStringLiteral("/help/"));
        QCOMPARE(catcher.opened.at(1).path(), QStringLiteral("/support/"));
        QCOMPARE(catcher.opened.at(2).path(), QStringLiteral("/clipwright/"));
        QCOMPARE(catcher.opened.at(0).query(), QStringLiteral("id=clipwright&Lang=EN&Platform=Win"));
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

    void storedLowerCaseChineseStartsInChinese()
    {
        makeAppFolder("EN=English\nZH=Chinese\n");
        Settings::writeText(Settings::Key::Language, QStringLiteral("zh"));
        DoRaDuvoZezavi window;
        QCOMPARE(languageCode(), QStringLiteral("ZH"));
        QCOMPARE(window.titleBar()->menu()->actions().at(0)->text(), kChineseHelp);
        const QString cjk = fontFamilyOf(appFolder() + QStringLiteral("/font/sum"));
        QVERIFY(!cjk.isEmpty());
        const QString family = QGuiApplication::font().family();
        QVERIFY2(family == cjk || family.compare(QLatin1String("Microsoft YaHei"), Qt::CaseInsensitive) == 0,
                 qPrintable(family));
        QVERIFY(window.titleBar()->languageMenu()->actions().at(1)->isChecked());
    }

    void choosingALanguageWhoseFileIsGoneFallsBackToEnglish()
    {
        makeAppFolder("EN=English\nZH=Chinese\n");
        DoRaDuvoZezavi window;
        QVERIFY(QFile::remove(appFolder() + QStringLiteral("/Lang/Lang_ZH.qm")));
        window.titleBar()->languageMenu()->actions().at(1)->trigger();
        QCOMPARE(languageCode(), QStringLiteral("EN"));
        QCOMPARE(Settings::readText(Settings::Key::Language), QStringLiteral("EN"));
        QCOMPARE(window.titleBar()->menu()->actions().at(0)->text(), QStringLiteral("Help"));
        QCOMPARE(QGuiApplication::font().family(),
                 fontFamilyOf(appFolder() + QStringLiteral("/font/Lato-Regular.ttf")));
    }

    void switchingLanguageRetranslatesEveryPageWithTheNewCode()
    {
        makeAppFolder("EN=English\nZH=Chinese\n");
        Settings::writeText(Settings::Key::Language, QStringLiteral("EN"));
        DoRaDuvoZezavi window;
        auto *download = new StubPage;
        window.setPage(DoRaDuvoZezavi::Page::Download, download);
        window.titleBar()->menu()->popup(QPoint(0, 0));
        window.titleBar()->languageMenu()->actions().at(1)->trigger();
        QCOMPARE(download->codeWhenRetranslated, QStringLiteral("ZH"));
        QCOMPARE(Settings::readText(Settings::Key::Language), QStringLiteral("ZH"));
        QVERIFY(!window.titleBar()->menu()->isVisible());
        QCOMPARE(window.titleBar()->versionLabel()->text().right(5), QStringLiteral("3.1.4"));
        QVERIFY(window.titleBar()->versionLabel()->text() != QStringLiteral("Ver: 3.1.4"));

        // A name the list does not know picks the first language.
        QAction stranger(QStringLiteral("Klingon"));
        window.titleBar()->slots_all_language_Action(&stranger);
        QCOMPARE(languageCode(), QStringLiteral("EN"));
    }
};

CW_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
