// The update checker against a local web server standing in for the vendor's: the
// version arithmetic, the answers for each body, failures and time-outs, the daily
// automatic check, the two buttons, and the dialog the main window keeps.

#include "app/appenv.h"
#include "app/settings.h"
#include "app/vendor.h"
#include "shell/languages.h"
#include "shell/mainwindow.h"
#include "testlib/localhttpserver.h"
#include "testlib/testenv.h"
#include "update/updatewidget.h"
#include "widgets/controls.h"
#include "widgets/messagedialogs.h"

#include <QDate>
#include <QDesktopServices>
#include <QLabel>
#include <QTimer>
#include <memory>

using Settings::Key;

namespace
{
const QString kCheckPath = "/download/checkupates.php";
const QString kLatest = "The current version is the latest version";
const QString kFailed = "Could not check for a new version. Please check your network connection and try again.";
const QString kNewVersion = "A new version is available for Kestrova Clipwright";

QString today()
{
    return QDate::currentDate().toString("MM-dd-yyyy");
}

UpdateWidget::Timings quickTimings(int firstCheckMs = -1, int timeoutMs = 5000)
{
    UpdateWidget::Timings t;
    t.firstCheckMs = firstCheckMs;
    t.requestDelayMs = 0;
    t.timeoutMs = timeoutMs;
    return t;
}
} // namespace

class TestUpdate : public QObject
{
    Q_OBJECT

    LocalHttpServer m_server;

    void pointAt(const LocalHttpServer &server)
    {
        qputenv("CLIPWRIGHT_VENDOR_URL", server.url("/").toString().toUtf8());
    }
    int checkRequests() const
    {
        return m_server.requests(kCheckPath).size();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        qputenv("CLIPWRIGHT_SCALE_FACTOR", "1");
        setAppDirPath(TestEnv::binDir());
    }

    void init()
    {
        TestEnv::clearSettings();
        pointAt(m_server);
        m_server.remove(kCheckPath);
        m_server.clearRequests();
        UpdateWidget::setTimings(quickTimings());
        setLanguageCode("EN");
        DialogTestHook::clear();
    }

    void versionNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("3.1.4 is 3140") << "3.1.4" << 3140;
        QTest::newRow("3.1.5 is 3150") << "3.1.5" << 3150;
        QTest::newRow("3.0.9 is 3090") << "3.0.9" << 3090;
        QTest::newRow("4.0 has two parts and is 0") << "4.0" << 0;
        QTest::newRow("1.2.3.4 has four parts and is 0") << "1.2.3.4" << 0;
        QTest::newRow("a line feed after the third number spoils that part") << "3.1.5\n" << 3100;
        QTest::newRow("an empty part counts 0") << "3..5" << 3050;
        QTest::newRow("letters count 0") << "3.x.5" << 3050;
        QTest::newRow("an empty text is 0") << "" << 0;
    }
    void versionNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(::versionNumber(text), number);
    }

    void theAnswerDecidesWhatTheDialogShows_data()
    {
        QTest::addColumn<QByteArray>("body"); // none: the server's own 404 page
        QTest::addColumn<bool>("newer");
        QTest::addColumn<QString>("message");
        QTest::newRow("3.1.5 is a new version") << QByteArray("3.1.5") << true << kNewVersion;
        QTest::newRow("3.1.4 is this version") << QByteArray("3.1.4") << false << kLatest;
        QTest::newRow("3.0.9 is older") << QByteArray("3.0.9") << false << kLatest;
        QTest::newRow("4.0 has two parts: no version, the check failed") << QByteArray("4.0") << false << kFailed;
        QTest::newRow("3.1.5 with a line feed reads as 3.1.0") << QByteArray("3.1.5\n") << false << kLatest;
        QTest::newRow("an empty body: the check failed") << QByteArray("") << false << kFailed;
        QTest::newRow("an error page is no version: the check failed") << QByteArray() << false << kFailed;
    }
    void theAnswerDecidesWhatTheDialogShows()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, newer);
        QFETCH(QString, message);
        if (!body.isNull())
            m_server.addData(kCheckPath, body, "text/plain");
        UpdateWidget dialog;
        dialog.startCheck(true);
        QVERIFY(dialog.isChecking());
        QCOMPARE(dialog.messageText(), QStringLiteral("Check new version..."));
        QVERIFY(dialog.loadingLabel()->isVisibleTo(&dialog));
        QVERIFY(!dialog.updateButton()->isVisibleTo(&dialog) && !dialog.remindButton()->isVisibleTo(&dialog));

        QTRY_VERIFY(!dialog.isChecking());
        QCOMPARE(checkRequests(), 1);
        const LocalHttpServer::Request request = m_server.requests(kCheckPath).first();
        QCOMPARE(request.method, QByteArray("GET"));
        QCOMPARE(request.query, QByteArray("id=clipwright&Lang=EN&Platform=Win"));
        if (!body.isNull())
            QCOMPARE(dialog.latestVersionText(), QString::fromUtf8(body));
        QCOMPARE(dialog.newVersionAvailable(), newer);
        QCOMPARE(dialog.messageText(), message);
        QVERIFY(!dialog.loadingLabel()->isVisibleTo(&dialog));
        QCOMPARE(dialog.updateButton()->isVisibleTo(&dialog), newer);
        QCOMPARE(dialog.remindButton()->isVisibleTo(&dialog), newer);
    }

    void failuresAreReportedOnlyToAManualCheck_data()
    {
        QTest::addColumn<bool>("timeOut");
        QTest::addColumn<bool>("manual");
        QTest::newRow("no server, checked from the menu: the failure is reported") << false << true;
        QTest::newRow("no server, the automatic check: nothing is shown") << false << false;
        QTest::newRow("a server that never answers, from the menu: reported after the time-out") << true << true;
        QTest::newRow("a server that never answers, automatically: nothing is shown") << true << false;
    }
    void failuresAreReportedOnlyToAManualCheck()
    {
        QFETCH(bool, timeOut);
        QFETCH(bool, manual);
        LocalHttpServer closed;
        if (timeOut) {
            LocalHttpServer::Options hang;
            hang.stallAtOffset = 0;
            m_server.addData(kCheckPath, "3.1.5", "text/plain", hang);
            UpdateWidget::setTimings(quickTimings(-1, 300));
        } else {
            // A port that was just given up: nobody listens there.
            QVERIFY(closed.start());
            pointAt(closed);
            closed.stop();
        }
        UpdateWidget dialog;
        if (manual) {
            dialog.startCheck(true);
        } else {
            dialog.fristCheckVer_slots();
            QVERIFY(dialog.isAutomatic());
        }
        QVERIFY(dialog.isChecking());
        // Well inside the 5 s bound of a real check.
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isChecking(), 5000);
        if (timeOut) {
            QCOMPARE(checkRequests(), 1);
            QVERIFY2(m_server.hasStalled(kCheckPath), "the answer was still under way when the check gave up");
        }
        QVERIFY(!dialog.newVersionAvailable() && !dialog.updateButton()->isVisibleTo(&dialog));
        if (manual)
            QCOMPARE(dialog.messageText(), kFailed);
        QCoreApplication::processEvents();
        QVERIFY2(!dialog.isVisible(), "the dialog shows itself only for a new version");
        QCOMPARE(DialogTestHook::lastMessage(), QString());
    }

    void anAutomaticCheckShowsANewVersion_data()
    {
        QTest::addColumn<bool>("inWindow");
        QTest::newRow("the dialog on its own centres and shows itself") << false;
        QTest::newRow("the main window's dialog is shown by the window") << true;
    }
    void anAutomaticCheckShowsANewVersion()
    {
        QFETCH(bool, inWindow);
        m_server.addData(kCheckPath, "3.2.0", "text/plain");
        std::unique_ptr<DoRaDuvoZezavi> window;
        std::unique_ptr<UpdateWidget> own;
        UpdateWidget *dialog = nullptr;
        if (inWindow) {
            window = std::make_unique<DoRaDuvoZezavi>();
            dialog = qobject_cast<UpdateWidget *>(window->page(DoRaDuvoZezavi::Page::Update));
        } else {
            own = std::make_unique<UpdateWidget>();
            dialog = own.get();
        }
        QVERIFY(dialog);
        DialogTestHook::answerNext(DialogTestHook::Press::Cancel);
        dialog->fristCheckVer_slots();
        QTRY_COMPARE(DialogTestHook::pendingAnswers(), 0);
        QCOMPARE(DialogTestHook::lastMessage(), kNewVersion);
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(checkRequests(), 1);
    }

    // The daily check runs once a day, also when it failed, and only while its switch is on;
    // the menu's check runs whatever the switch says.
    void theDailyCheckRunsOnceADay_data()
    {
        QTest::addColumn<QString>("lastCheck");
        QTest::addColumn<bool>("firstFails");
        QTest::addColumn<bool>("switchedOff");
        QTest::addColumn<int>("requests");
        QTest::newRow("never checked: the first start checks, the second not") << QString() << false << false << 1;
        QTest::newRow("checked yesterday: the first start checks, the second not")
            << QDate::currentDate().addDays(-1).toString("MM-dd-yyyy") << false << false << 1;
        QTest::newRow("checked today already: neither start checks") << today() << false << false << 0;
        QTest::newRow("the first start's check fails: the second does not try again")
            << QString() << true << false << 0;
        QTest::newRow("switched off (NO): neither start checks") << QString() << false << true << 0;
    }
    void theDailyCheckRunsOnceADay()
    {
        QFETCH(QString, lastCheck);
        QFETCH(bool, firstFails);
        QFETCH(bool, switchedOff);
        QFETCH(int, requests);
        m_server.addData(kCheckPath, "3.1.4", "text/plain");
        if (!lastCheck.isNull())
            Settings::writeText(Key::LastCheckUpdateTime, lastCheck);
        if (switchedOff)
            Settings::writeText(Key::AutoCheckUpdate, "NO");
        UpdateWidget::setTimings(quickTimings(0));
        LocalHttpServer closed;
        if (firstFails) {
            QVERIFY(closed.start());
            pointAt(closed);
            closed.stop();
        }
        for (int start = 0; start < 2; ++start) {
            UpdateWidget dialog;
            QTRY_VERIFY(!dialog.firstCheckTimer()->isActive());
            QTRY_VERIFY(!dialog.isChecking());
            pointAt(m_server);
        }
        QCOMPARE(checkRequests(), requests);
        QCOMPARE(Settings::readText(Key::LastCheckUpdateTime), switchedOff ? QString() : today());
        UpdateWidget dialog;
        dialog.startCheck(true);
        QTRY_VERIFY(!dialog.isChecking());
        QCOMPARE(checkRequests(), requests + 1);
    }

    // A new version's answer is shown again in a new language; Update Now opens the download
    // page and leaves the dialog open, Remind Later and the close button close it.
    void theAnswerAndItsButtons()
    {
        m_server.addData(kCheckPath, "3.1.5", "text/plain");
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        UpdateWidget dialog;
        dialog.show();
        dialog.startCheck(true);
        QTRY_VERIFY(dialog.updateButton()->isVisible());
        setLanguageCode(installLanguage("ZH"));
        dialog.retranslate();
        QCOMPARE(dialog.messageText(), QString::fromUtf8("发现新版本：Kestrova Clipwright"));
        QCOMPARE(dialog.updateButton()->text(), QString::fromUtf8("立即更新"));
        setLanguageCode(installLanguage("EN"));
        dialog.retranslate();
        QCOMPARE(dialog.messageText(), kNewVersion);

        TestEnv::press(dialog.updateButton());
        const QString page = m_server.url("/download/index.php").toString() + "?id=clipwright&Lang=EN&Platform=Win";
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl(page)});
        QVERIFY2(dialog.isVisible(), "Update Now leaves the dialog open");
        TestEnv::press(dialog.remindButton());
        QVERIFY(!dialog.isVisible());
        dialog.show();
        TestEnv::press(dialog.closeButton());
        QVERIFY(!dialog.isVisible());
        QDesktopServices::unsetUrlHandler("http");
        QCOMPARE(checkRequests(), 1);
    }

    // The window's own dialog floats on its own and checks only once the start is over.
    void theMainWindowKeepsAParentlessDialog()
    {
        UpdateWidget::setTimings(UpdateWidget::Timings());
        DoRaDuvoZezavi window;
        auto *dialog = qobject_cast<UpdateWidget *>(window.page(DoRaDuvoZezavi::Page::Update));
        QVERIFY(dialog && dialog->firstCheckTimer()->isActive());
        dialog->firstCheckTimer()->stop();
        QCOMPARE(dialog->parent(), nullptr);
        QVERIFY(!dialog->isVisible());
        QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(checkRequests(), 0);
    }
};

CW_TEST_MAIN(TestUpdate)
#include "tst_update.moc"
