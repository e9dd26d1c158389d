// The download page and its two lists: totals and captions word for word, the
// status line's switch, the speed box, the exit question, rows in every state, and
// the finished list's entries.

#include "app/appenv.h"
#include "app/settings.h"
#include "app/shellservices.h"
#include "engine/failurereason.h"
#include "queue/database.h"
#include "queue/downloaditem.h"
#include "queue/intake.h"
#include "queue/scheduler.h"
#include "testlib/testenv.h"
#include "views/downloadlist.h"
#include "views/downloadpage.h"
#include "views/finishedlist.h"
#include "widgets/messagedialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTextDocumentFragment>

using Settings::Key;

namespace
{
class FakeShell : public ShellServices
{
public:
    int action = 0;
    int actionsRun = 0;
    bool offersUpdate = false;
    int updatesTaken = 0;
    void showLoading(bool, const QString &) override {}
    int finishedAction() const override
    {
        return action;
    }
    void runFinishedAction() override
    {
        ++actionsRun;
    }
    void showSettings() override {}
    bool offersDownloaderUpdate() const override
    {
        return offersUpdate;
    }
    void updateDownloader() override
    {
        ++updatesTaken;
    }
};

QStringList actionTexts(const QList<QAction *> &actions)
{
    QStringList out;
    for (QAction *a : actions)
        out << a->text();
    return out;
}
} // namespace

class TestDownloadViews : public QObject
{
    Q_OBJECT

    FakeShell m_shell;
    int m_case = 0;

    std::unique_ptr<DLManagerWidget> page()
    {
        auto p = std::make_unique<DLManagerWidget>();
        p->resize(998, 599);
        p->show();
        return p;
    }

    // An item in the given state, without any process behind it.
    DLItemData *itemIn(DLManagerWidget &p, ItemState state, const QString &name = QStringLiteral("A clip"),
                       int progress = 0)
    {
        DownloadRecord r;
        r.url = QStringLiteral("https://vimeo.com/%1").arg(++m_case);
        r.name = name;
        r.frame = QStringLiteral("1920x1080");
        r.duration = QStringLiteral("03:25");
        r.extformat = QStringLiteral("mp4");
        p.queue()->setLoading(true); // keep the passes from starting it
        DLItemData *item = p.queue()->addRestoredItem(r);
        item->setStateForTest(state, progress);
        emit item->updateShow(item);
        return item;
    }

private slots:
    void initTestCase()
    {
        DialogTestHook::setStrict(true);
        qRegisterMetaType<DLItemData *>();
        setShellServices(&m_shell);
    }

    void init()
    {
        TestEnv::clearSettings();
        const QString cache = TestEnv::root() + QStringLiteral("/tmp/cache%1").arg(++m_case);
        QDir().mkpath(cache);
        Settings::writeText(Key::DownloadTempFolder, cache);
        m_shell.action = 0;
        DialogTestHook::clear();
    }

    void storedSettingsAreClamped_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("speedIndex");
        QTest::newRow("nine at a time is five; speed 7 is 1 Mbps") << QStringLiteral("9") << "7" << 5 << 4;
        QTest::newRow("one at a time is two; speed -3 is Unlimited") << QStringLiteral("1") << "-3" << 2 << 0;
    }
    void storedSettingsAreClamped()
    {
        QFETCH(QString, count);
        QFETCH(QString, speed);
        QFETCH(int, limit);
        QFETCH(int, speedIndex);
        Settings::writeText(Key::CountAtSameTime, count);
        Settings::writeText(Key::DownloadSpeed, speed);
        auto p = page();
        QCOMPARE(p->countAtSameTime(), limit);
        QCOMPARE(p->speedBoxIndex(), speedIndex);
    }

    void statusLineAndTabs()
    {
        auto p = page();
        QCOMPARE(p->statusText(), QStringLiteral("Downloading: 0 Video(s) "));
        QCOMPARE(p->downloadingTabText(), QStringLiteral("Downloading"));
        QCOMPARE(p->downloadedTabText(), QStringLiteral("Downloaded"));
        itemIn(*p, ItemState::Downloading)->setStateForTest(ItemState::Downloading, 0, 0, 1536);
        itemIn(*p, ItemState::Paused);
        p->refreshTotals();
        QCOMPARE(p->statusText(), QStringLiteral("Downloading: 2 Video(s) Total Speed: 1.50KB/s "));
        QCOMPARE(p->downloadingTabText(), QStringLiteral("Downloading (2)"));
        m_shell.action = 2;
        p->refreshTotals();
        QVERIFY(p->statusText().endsWith(QStringLiteral("    Turn off the PC after all items are completed.")));
        m_shell.action = 1;
        p->refreshTotals();
        QVERIFY(p->statusText().endsWith(QStringLiteral("    Restart the PC after all items are completed.")));
    }

    void speedTexts_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << qint64(0) << "--";
        QTest::newRow("1536 bytes") << qint64(1536) << "1.50KB/s";
        QTest::newRow("exactly a megabyte is still KB") << qint64(1048576) << "1024.00KB/s";
        QTest::newRow("two megabytes") << qint64(2097152) << "2.00MB/s";
        QTest::newRow("three gigabytes") << qint64(3221225472LL) << "3.00GB/s";
    }
    void speedTexts()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(formatSpeed(bytes), text);
    }

    void fiveStatusClicksAcceptAnySite()
    {
        auto p = page();
        for (int click = 1; click <= 10; ++click) {
            p->statusInfoLabel_slots();
            const bool marked = p->statusText().startsWith(QStringLiteral("> "));
            QCOMPARE(marked, click == 5 || click == 10);
            QCOMPARE(p->acceptAnySite(), marked);
        }
        p->statusInfoLabel_slots();
        QVERIFY(!p->statusText().startsWith(QStringLiteral("> ")));
    }

    // The speed the user picks is stored, and the next page starts with it.
    void theSpeedBoxKeepsTheUsersChoice()
    {
        QTest::keyClick(page()->findChild<QComboBox *>(), Qt::Key_Up); // from "1 Mbps" to "2 Mbps"
        QCOMPARE(Settings::readText(Key::DownloadSpeed), QStringLiteral("3"));
        QCOMPARE(page()->speedBoxIndex(), 3);
    }

    void leavingWithNothingQueuedAsksNothing()
    {
        auto p = page();
        QVERIFY(p->mayExit());
        QVERIFY(p->queue()->isClosing());
    }

    // What the user reads on the program's two-button questions: "No" and "Yes"; "No" changes
    // nothing.
    void questionsOfferNoAndYes_data()
    {
        QTest::addColumn<QString>("question");
        QTest::newRow("leaving the page with a task running") << "leave";
        QTest::newRow("restoring the last run's downloads") << "restore";
        QTest::newRow("pasting a link downloaded before") << "duplicate";
    }
    void questionsOfferNoAndYes()
    {
        QFETCH(QString, question);
        if (question == QLatin1String("restore")) {
            DBManagerThread db(Settings::readText(Key::DownloadTempFolder));
            db.insertLink(QStringLiteral("https://vimeo.com/restored"));
        }
        auto p = page();
        DialogTestHook::answerNext(DialogTestHook::Press::Cancel);
        if (question == QLatin1String("leave")) {
            DLItemData *item = itemIn(*p, ItemState::WaitingToDownload);
            QVERIFY(!p->mayExit());
            QCOMPARE(DialogTestHook::lastMessage(),
                     QStringLiteral("There are some tasks running, do you want to exit application?"));
            QVERIFY(!p->queue()->isClosing());
            QCOMPARE(item->state(), ItemState::WaitingToDownload);
            DialogTestHook::answerNext(DialogTestHook::Press::OK);
            QVERIFY(p->mayExit());
            QVERIFY(p->queue()->isClosing());
        } else if (question == QLatin1String("duplicate")) {
            p->finishedList()->addEntry(QStringLiteral("https://vimeo.com/42"), QStringLiteral("/v/It's here.mp4"),
                                        QStringLiteral("Here"), QString(), QString(), QString(), QString(),
                                        QStringLiteral("k"));
            p->intake()->pasteText(QStringLiteral("https://vimeo.com/42"));
            QCOMPARE(DialogTestHook::lastMessage(),
                     QStringLiteral("This video was already downloaded to /v/It's here.mp4. Download it again?"));
            QCOMPARE(p->queue()->count(), 0); // "No" queues nothing
        } else {
            p->fristLoad();
            QTRY_VERIFY(!p->queue()->isLoading());
            QCOMPARE(p->queue()->count(), 0); // "No" drops them
        }
        QCOMPARE(DialogTestHook::lastButtons(), QStringList({QStringLiteral("No"), QStringLiteral("Yes")}));
    }

    // The tab not shown takes the hover look; the current one keeps its own.
    void theOtherTabHasAHoverLook()
    {
        auto p = page();
        QWidget *other = p->downloadedTab();
        QWidget *current = p->downloadingTab();
        const QString currentLook = current->styleSheet();
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QCoreApplication::sendEvent(other, &enter);
        QVERIFY2(other->styleSheet().contains(QStringLiteral("font-size:13px;color:#2a719b")),
                 qPrintable(other->styleSheet()));
        QCoreApplication::sendEvent(other, &leave);
        QVERIFY(other->styleSheet().contains(QStringLiteral("font-size:12px;color:#4e96c0")));
        QCoreApplication::sendEvent(current, &enter);
        QCOMPARE(current->styleSheet(), currentLook);
    }

    void rowsShowTheirItemsState()
    {
        auto p = page();
        DLItemData *paused = itemIn(*p, ItemState::Paused, QStringLiteral("Paused one"), 2500);
        DLItemData *failed = itemIn(*p, ItemState::AnalyzeFailed);
        DLItemData *listing = itemIn(*p, ItemState::ListingEntries);
        DLItemData *waiting = itemIn(*p, ItemState::WaitingToAnalyze);

        DLItemWidget *row = p->downloadList()->rowFor(paused);
        QVERIFY(row);
        QCOMPARE(row->statusText(), QStringLiteral("Paused..."));
        QVERIFY(row->isButtonShown(QStringLiteral("resume")));
        QVERIFY(!row->isButtonShown(QStringLiteral("pause")));
        QVERIFY(actionTexts(row->menuActions()).contains(QStringLiteral("Resume")));
        QVERIFY(!actionTexts(row->menuActions()).contains(QStringLiteral("Pause")));
        QVERIFY(row->progressFillWidth() > 0); // a paused item keeps its band

        row = p->downloadList()->rowFor(failed);
        QCOMPARE(row->statusText(), QStringLiteral("Analyzing Failed."));
        QVERIFY(row->isButtonShown(QStringLiteral("redownload")));

        row = p->downloadList()->rowFor(listing);
        QCOMPARE(row->statusText(), QStringLiteral("Analyzing..."));
        QVERIFY(!row->isButtonShown(QStringLiteral("delete")));
        QVERIFY(row->menuActions().isEmpty());

        row = p->downloadList()->rowFor(waiting);
        QCOMPARE(row->waitingText(), QStringLiteral("Waiting..."));
        QCOMPARE(row->statusText(), QString());
    }

    // A restored row has its stored title, so it shows the link line as well: in every
    // state, at the smallest and a large scale, no two parts of a row share pixels.
    void everyRowStateLaysOutWithoutOverlap_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<double>("scale");
        const QList<QPair<const char *, ItemState>> states = {{"waiting to be analysed", ItemState::WaitingToAnalyze},
                                                              {"analysing", ItemState::Analyzing},
                                                              {"analysed", ItemState::Analyzed},
                                                              {"downloading", ItemState::Downloading},
                                                              {"failed to analyse", ItemState::AnalyzeFailed},
                                                              {"failed to download", ItemState::DownloadFailed},
                                                              {"waiting to download", ItemState::WaitingToDownload},
                                                              {"paused", ItemState::Paused},
                                                              {"listing a playlist", ItemState::ListingEntries}};
        for (double scale : {1.0, 1.5})
            for (const auto &state : states)
                QTest::addRow("a restored row %s at scale %.1f", state.first, scale) << int(state.second) << scale;
    }
    void everyRowStateLaysOutWithoutOverlap()
    {
        QFETCH(int, state);
        QFETCH(double, scale);
        setScaleFactor(scale);
        Settings::writeSwitch(Key::AutoReDownload, true);
        auto p = page();
        p->resize(scaled(998), scaled(599));
        DLItemData *item = itemIn(*p, ItemState(state), QStringLiteral("A restored title that is long enough"), 4567);
        item->setStateForTest(ItemState(state), 4567, 42);
        emit item->updateShow(item);
        DLItemWidget *row = p->downloadList()->rowFor(item);
        QVERIFY(row);
        const QMap<QString, QRect> parts = row->visibleParts();
        if (ItemState(state) != ItemState::WaitingToAnalyze && ItemState(state) != ItemState::WaitingToDownload
            && ItemState(state) != ItemState::Analyzed)
            QVERIFY(parts.contains(QStringLiteral("status")));
        QVERIFY(parts.contains(QStringLiteral("link")));
        for (auto a = parts.cbegin(); a != parts.cend(); ++a) {
            QVERIFY2(row->rect().contains(a.value()), qPrintable(a.key() + QStringLiteral(" leaves the row")));
            for (auto b = std::next(a); b != parts.cend(); ++b)
                QVERIFY2(!a.value().intersects(b.value()),
                         qPrintable(a.key() + QStringLiteral(" overlaps ") + b.key()));
        }
        setScaleFactor(1.0);
    }

    // A failed row says why, shows the countdown its class allows, and offers a new
    // downloader where the message points to an old one (until the offer was taken).
    void failedRowsSayWhy_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("countdown");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("link");
        const auto row = [](const char *name, ItemState state, const char *code, int countdown, bool offered,
                            const char *status, bool link) {
            QTest::newRow(name) << int(state) << code << countdown << offered << status << link;
        };
        const ItemState analysis = ItemState::AnalyzeFailed, download = ItemState::DownloadFailed;
        row("a private video", download, "permanent/private", 0, true, "Download Failed: private video.", false);
        row("an analysis refused for the viewer's country", analysis, "permanent/country", 0, true,
            "Analyzing Failed: not available in your country.", false);
        row("a site asking to slow down counts down in minutes", download, "ratelimited", 480, true,
            "Download Failed: the site asks to slow down. Automatically re-download after 8 minutes. ", false);
        row("so does its analysis", analysis, "ratelimited", 240, true,
            "Analyzing Failed: the site asks to slow down. Automatically re-download after 4 minutes. ", false);
        row("a transient failure keeps the usual words", download, "transient", 42, true,
            "Download Failed. Automatically re-download after 42 seconds. ", false);
        row("an outdated downloader offers the update", analysis, "outdated", 0, true,
            "Analyzing Failed: the downloader may be outdated.", true);
        row("once taken in this run, it is offered no more", download, "outdated", 0, false,
            "Download Failed: the downloader may be outdated.", false);
    }
    void failedRowsSayWhy()
    {
        QFETCH(int, state);
        QFETCH(QString, code);
        QFETCH(int, countdown);
        QFETCH(bool, offered);
        QFETCH(QString, status);
        QFETCH(bool, link);
        Settings::writeSwitch(Key::AutoReDownload, true);
        m_shell.offersUpdate = offered;
        m_shell.updatesTaken = 0;
        auto p = page();
        DLItemData *item = itemIn(*p, ItemState(state));
        item->setFailureForTest(failureFromCode(code));
        item->setStateForTest(ItemState(state), 0, countdown, 0, countdown);
        emit item->updateShow(item);
        DLItemWidget *row = p->downloadList()->rowFor(item);
        const QString shown = row->statusText();
        QCOMPARE(shown.contains(QStringLiteral("Update the downloader")), link);
        QCOMPARE(link ? QTextDocumentFragment::fromHtml(shown).toPlainText().section(QStringLiteral(" Update"), 0, 0)
                      : shown,
                 status);
        if (!link)
            return;
        // The link takes the offer: the shell opens the Downloader page and checks.
        for (QLabel *label : row->findChildren<QLabel *>()) {
            if (label->text() == shown)
                emit label->linkActivated(QStringLiteral("update"));
        }
        QCOMPARE(m_shell.updatesTaken, 1);
    }

    void aTitleEqualToItsLinkShowsOneLine()
    {
        auto p = page();
        DLItemData *named = itemIn(*p, ItemState::WaitingToDownload, QStringLiteral("Named"));
        DLItemData *bare = itemIn(*p, ItemState::WaitingToDownload, QString());
        QCOMPARE(p->downloadList()->rowFor(named)->linkText(), named->record().url);
        QCOMPARE(p->downloadList()->rowFor(bare)->linkText(), QString());
        QCOMPARE(p->downloadList()->rowFor(bare)->titleText(), bare->record().url);
    }

    void selectionFollowsClicksAndRemoval()
    {
        auto p = page();
        DLItemData *a = itemIn(*p, ItemState::WaitingToDownload);
        DLItemData *b = itemIn(*p, ItemState::WaitingToDownload);
        p->downloadList()->DLItemClicked_slots(p->downloadList()->rowFor(a));
        QCOMPARE(p->queue()->selectedItem(), a);
        p->downloadList()->DLItemClicked_slots(p->downloadList()->rowFor(b));
        QCOMPARE(p->queue()->selectedItem(), b);
        p->downloadList()->DLItemDeleted_slots(p->downloadList()->rowFor(b));
        QCOMPARE(p->queue()->selectedItem(), static_cast<DLItemData *>(nullptr));
        QCOMPARE(p->queue()->count(), 1);
        p->downloadList()->DLItemDeleted_slots(p->downloadList()->rowFor(a));
        QVERIFY(p->downloadList()->isEmptyViewShown());
        QCOMPARE(m_shell.actionsRun, 0);
    }

    void finishedEntries()
    {
        auto p = page();
        const QString present = TestEnv::root() + QStringLiteral("/tmp/present.mp4");
        QFile f(present);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        FinishedListWidget *list = p->finishedList();
        list->addEntry("https://vimeo.com/1", present, "Here", "", "01:00", "mp4", "1.00 M", "k1");
        list->addEntry("https://vimeo.com/2", "/nonexistent/gone.mp4", "Gone", "", "02:00", "mp4", "2.00 M", "k2");
        QCOMPARE(p->downloadedTabText(), QStringLiteral("Downloaded (2)"));
        FinishedItemWidget *here = list->rowFor(list->entryAt(0));
        FinishedItemWidget *gone = list->rowFor(list->entryAt(1));
        QVERIFY(here && gone);
        QVERIFY(here->isButtonShown(QStringLiteral("open")));
        QVERIFY(!here->isButtonShown(QStringLiteral("redownload")));
        QVERIFY(gone->titleStyle().contains(QStringLiteral("#ed2621")));
        QVERIFY(gone->isButtonShown(QStringLiteral("redownload")));
        QVERIFY(!gone->isButtonShown(QStringLiteral("open")));
        QVERIFY(!actionTexts(gone->menuActions()).contains(QStringLiteral("Open")));
        // Removing an entry keeps the file.
        list->ItemDeleted_slots(here);
        QVERIFY(QFile::exists(present));
        QCOMPARE(list->count(), 1);
        // Re-downloading a refused link still takes the entry away.
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        QMetaObject::invokeMethod(list->rowFor(list->entryAt(0)), "redownloadButton_slots");
        QCOMPARE(list->count(), 0);
        QVERIFY(list->isEmptyViewShown());
        list->ItemRemoveAllItem_slots();
        QCOMPARE(p->downloadedTabText(), QStringLiteral("Downloaded"));
    }

    // Two finished downloads of the same link and format share a key; removing one entry
    // removes its own stored row only, also after a restart.
    void removingAFinishedEntryRemovesOnlyItsOwnRow()
    {
        const QString cache = Settings::readText(Key::DownloadTempFolder);
        const QString url = QStringLiteral("https://vimeo.com/twice");
        {
            DBManagerThread db(cache);
            for (const char *file : {"/v/first.mp4", "/v/second.mp4"}) {
                DownloadRecord r;
                r.url = url;
                r.md5 = itemKey(url, QStringLiteral("18"));
                r.finishfilename = QLatin1String(file);
                r.name = QStringLiteral("Stored 'one'");
                db.insertLink(url);
                db.runStatement(DBManagerThread::setKeyStatement(url, r.md5, QStringLiteral("18")));
                QVERIFY(db.markFinished(r) > 0);
            }
        }
        {
            auto p = page();
            p->fristLoad();
            QTRY_COMPARE(p->finishedList()->count(), 2);
            FinishedListWidget *list = p->finishedList();
            list->ItemDeleted_slots(list->rowFor(list->entryAt(0)));
        }
        auto again = page();
        again->fristLoad();
        QTRY_VERIFY(!again->queue()->isLoading());
        QCOMPARE(again->finishedList()->count(), 1);
        QCOMPARE(again->finishedList()->entryAt(0)->finishfilename, QStringLiteral("/v/second.mp4"));
        QCOMPARE(again->finishedList()->entryAt(0)->name, QStringLiteral("Stored 'one'"));
    }

    void thousandsOfItemsKeepFewRows()
    {
        auto p = page();
        p->queue()->setLoading(true);
        for (int i = 0; i < 3000; ++i) {
            DownloadRecord r;
            r.url = QStringLiteral("https://vimeo.com/many%1").arg(i);
            p->queue()->addRestoredItem(r);
        }
        QCOMPARE(p->queue()->count(), 3000);
        QCOMPARE(p->downloadList()->rows().size(), DLListWidget::kPoolSize);
        p->downloadList()->scrollBy(-90 * 1500);
        for (MyTableItemWidget *row : p->downloadList()->rows())
            if (auto *r = qobject_cast<DLItemWidget *>(row))
                if (r->item())
                    QCOMPARE(r->item(), p->queue()->items().at(r->index()));
    }
};

CW_TEST_MAIN(TestDownloadViews)
#include "tst_downloadviews.moc"
