// Download items and the scheduler against the fake downloader: the state walk,
// the choice and its key, pause and resume, retries and their countdowns, the limits
// and order of the passes, the total speed, playlists, and leaving the page.

#include "app/appenv.h"
#include "app/folders.h"
#include "app/format.h"
#include "app/settings.h"
#include "app/startup.h"
#include "engine/downloaddriver.h"
#include "engine/failurereason.h"
#include "fakes/fakequeuecontext.h"
#include "fakes/fakescenario.h"
#include "platform/platform.h"
#include "queue/downloaditem.h"
#include "queue/intake.h"
#include "queue/scheduler.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QSignalSpy>

using Job = FakeScenario::Job;
using Behaviour = FakeScenario::Behaviour;

namespace
{
int countIn(const DownloadQueue &q, ItemState s)
{
    int n = 0;
    for (const DLItemData *item : q.items())
        n += item->state() == s;
    return n;
}
} // namespace

class TestQueue : public QObject
{
    Q_OBJECT

    QString m_root;
    int m_case = 0;
    std::unique_ptr<FakeScenario> m_scenario;
    std::unique_ptr<DBManagerThread> m_db;
    FakeQueueContext m_context;

    static QString link(int i)
    {
        return QStringLiteral("https://www.youtube.com/watch?v=q%1").arg(i);
    }

    // A stored item chosen in format 18, as a restart brings it back.
    static DownloadRecord restored(const QString &url)
    {
        DownloadRecord r;
        r.url = url;
        r.formatid = QStringLiteral("18");
        r.md5 = itemKey(r.url, r.formatid);
        r.isenabled = true;
        return r;
    }

    // An item put into a state by hand; no pass moves it on while it is added.
    static DLItemData *held(DownloadQueue &queue, const QString &url, ItemState state, int speed = 0)
    {
        const bool loading = queue.isLoading();
        queue.setLoading(true);
        DownloadRecord r;
        r.url = url;
        DLItemData *item = queue.addRestoredItem(r);
        item->setStateForTest(state, 0, 0, speed);
        queue.setLoading(loading);
        return item;
    }

    // A playlist "My list" of count entries: e0 "Entry 0", e1 "Entry 1", ...
    void setPlaylist(int count)
    {
        QJsonArray entries;
        for (int i = 0; i < count; ++i)
            entries.append(QJsonObject{{"id", QString::number(i)},
                                       {"url", QStringLiteral("e%1").arg(i)},
                                       {"title", QStringLiteral("Entry %1").arg(i)}});
        m_scenario->setChannelJson(QJsonObject{{"title", "My list"}, {"entries", entries}});
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<DLItemData *>();
        m_root = TestEnv::root() + QStringLiteral("/tmp");
        const QString app = m_root + QStringLiteral("/app");
        QDir().mkpath(app);
        QVERIFY(FakeScenario::installAs(app + QStringLiteral("/youtubedl")));
        QFile::link(QStringLiteral("/usr/bin/ffmpeg"), app + QStringLiteral("/ffmpeg"));
        QFile::copy(TestEnv::binDir() + QStringLiteral("/libMyDecoder.so"), app + QStringLiteral("/libMyDecoder.so"));
        setAppDirPath(app);
    }

    void init()
    {
        ++m_case;
        TestEnv::clearSettings();
        const QString cache = m_root + QStringLiteral("/cache%1").arg(m_case);
        QDir().mkpath(cache);
        Settings::writeText(Settings::Key::DownloadTempFolder, cache);
        m_context = FakeQueueContext();
        m_context.folder = m_root + QStringLiteral("/out%1").arg(m_case);
        QDir().mkpath(m_context.folder);
        m_db = std::make_unique<DBManagerThread>(cache);
        m_context.db = m_db.get();
        deleteStaleDownloaderCopy();
        // Every case starts from a clip in three formats, with English subtitles.
        m_scenario = std::make_unique<FakeScenario>(m_root + QStringLiteral("/scenario%1").arg(m_case));
        m_scenario->setInfoJson(
            FakeMedia::infoJson(QStringLiteral("vid"), QStringLiteral("Queue clip"),
                                {FakeMedia::format("140", "m4a", 0, 0, "", "mp4a.40.2", 4000),
                                 FakeMedia::format("18", "mp4", 160, 90, "avc1.42001E", "mp4a.40.2", 9000),
                                 FakeMedia::format("22", "mp4", 320, 180, "avc1.64001F", "mp4a.40.2", 20000)}));
        m_scenario->setFormatSize(QStringLiteral("18"), 20000);
        m_scenario->setFormatSize(QStringLiteral("22"), 40000);
        m_scenario->setSubtitleCodes({QStringLiteral("en")}, {});
    }

    void cleanup()
    {
        m_context.db = nullptr;
        m_db.reset();
    }

    void aLinkWalksToTheFinishedList()
    {
        QVERIFY(m_scenario->write());
        m_context.qualityAnswers.enqueue({true, QStringLiteral(" 22 "), true, QStringLiteral(" en ")});
        DownloadQueue queue(&m_context);
        QSignalSpy shown(&queue, &DownloadQueue::itemChanged);
        m_db->insertLink(link(1));
        DLItemData *item = queue.addNewLink(QStringLiteral("  ") + link(1) + QStringLiteral(" "));
        QCOMPARE(item->record().url, link(1));
        QCOMPARE(item->state(), ItemState::Analyzing);
        QVERIFY(queue.isCheckTimerActive());
        QTRY_COMPARE_WITH_TIMEOUT(m_context.finishedRows.size(), 1, 30000);
        QCOMPARE(m_context.qualityAsked, 1);
        const DownloadRecord &done = m_context.finishedRows.first();
        QCOMPARE(done.md5, md5Hex(link(1) + QStringLiteral("22")));
        QCOMPARE(done.formatid, QStringLiteral("22"));
        QCOMPARE(done.subtitlelang, QStringLiteral("en"));
        QCOMPARE(done.name, QStringLiteral("Queue clip"));
        QVERIFY(QFile::exists(done.finishfilename));
        QCOMPARE(done.size, QStringLiteral("39.06 KB"));
        QCOMPARE(done.duration, QStringLiteral("00:02"));
        QCOMPARE(queue.count(), 0);
        QVERIFY(!queue.isCheckTimerActive());
        QCOMPARE(m_context.finishedActions, 1);
        QVERIFY(shown.count() > 0);
        const QVector<StoredRow> rows = m_db->allRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().isfinished, 1);
        QCOMPARE(rows.first().record.finishfilename, done.finishfilename);
        QCOMPARE(m_scenario->loggedRuns(Job::Download).first().valueOf(QStringLiteral("--sub-lang")),
                 QStringLiteral("en"));
    }

    void autoDownloadChoosesWithoutAsking()
    {
        Settings::writeSwitch(Settings::Key::AutoDL_Enabled, true);
        m_context.autoQuality = QStringLiteral("320x180p ");
        QVERIFY(m_scenario->write());
        DownloadQueue queue(&m_context);
        queue.addNewLink(link(3));
        QTRY_COMPARE_WITH_TIMEOUT(m_context.finishedRows.size(), 1, 30000);
        QCOMPARE(m_context.qualityAsked, 0);
        QCOMPARE(m_context.finishedRows.first().frame, QStringLiteral("320x180p"));
        QCOMPARE(m_context.finishedRows.first().md5, md5Hex(link(3) + QStringLiteral("22")));
    }

    void pauseAndResume()
    {
        m_scenario->hangTransfersAt(40);
        QVERIFY(m_scenario->write());
        DownloadQueue queue(&m_context);
        DLItemData *item = queue.addNewLink(link(4));
        QTRY_COMPARE_WITH_TIMEOUT(item->state(), ItemState::Downloading, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(item->currentProgress() > 0, 10000);
        item->pause();
        QCOMPARE(item->state(), ItemState::Paused);
        QCOMPARE(queue.totalSpeed(), qint64(0));
        queue.downloadPass();
        QCOMPARE(item->state(), ItemState::Paused);
        // Pausing an idle item only stops its timer; resuming one that is not paused does nothing.
        DLItemData other(&m_context);
        other.setLink(link(5));
        other.pause();
        QCOMPARE(other.state(), ItemState::WaitingToAnalyze);
        other.resume();
        QCOMPARE(other.state(), ItemState::WaitingToAnalyze);
        const int transfers = m_scenario->loggedRuns(Job::Download).size();
        item->resume();
        QTRY_COMPARE_WITH_TIMEOUT(item->state(), ItemState::Downloading, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_scenario->loggedRuns(Job::Download).size(), transfers + 1, 10000);
        item->pause();
    }

    // Leaving the page stops the countdown; coming back starts it again.
    void aFailedDownloadCountsDownAgainAfterThePageIsLeftAndOpened()
    {
        Settings::writeSwitch(Settings::Key::AutoReDownload, true);
        m_scenario->failTransfers(5, 20, Behaviour::Silent);
        QVERIFY(m_scenario->write());
        DownloadQueue queue(&m_context);
        DLItemData *item = queue.addNewLink(link(8));
        QTRY_COMPARE_WITH_TIMEOUT(item->state(), ItemState::DownloadFailed, 30000);
        queue.saveAndStopAll();
        QCOMPARE(item->downloadCountdown(), 0);
        queue.reopen();
        QCOMPARE(item->state(), ItemState::DownloadFailed);
        QCOMPARE(item->downloadCountdown(), 60);
        QTRY_COMPARE_WITH_TIMEOUT(item->downloadCountdown(), 59, 3000);
        queue.saveAndStopAll();
    }

    // Every download runs under the speed box's limit, a restored one as much as a pasted one.
    void aRestoredDownloadRunsUnderTheSpeedLimit()
    {
        QVERIFY(m_scenario->write());
        setRateLimitText(QString());
        m_context.speed = 3; // "2 Mbps"
        DownloadQueue queue(&m_context);
        queue.addRestoredItem(restored(link(9)));
        QTRY_COMPARE_WITH_TIMEOUT(m_context.finishedRows.size(), 1, 30000);
        QCOMPARE(m_scenario->loggedRuns(Job::Download).value(0).valueOf(QStringLiteral("--limit-rate")),
                 QStringLiteral("2M"));
    }

    void aFailedAnalysisCountsDownAndTheRetryButtonWorksAtOnce()
    {
        Settings::writeSwitch(Settings::Key::AutoReDownload, false);
        m_scenario->failJob(Job::Info, 5, Behaviour::Silent);
        QVERIFY(m_scenario->write());
        DownloadQueue queue(&m_context);
        DLItemData *item = queue.addNewLink(link(8));
        QTRY_COMPARE_WITH_TIMEOUT(item->state(), ItemState::AnalyzeFailed, 30000);
        QCOMPARE(item->analysisCountdown(), 60);
        item->retry();
        QTRY_COMPARE_WITH_TIMEOUT(m_context.finishedRows.size(), 1, 30000);
    }

    void progressFloor_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("a stored 5000 holds a restarted transfer up") << 5000 << 5000;
        QTest::newRow("a stored 10000 is no floor") << 10000 << 0;
        QTest::newRow("a stored 0 is no floor") << 0 << 0;
    }
    void progressFloor()
    {
        QFETCH(int, stored);
        QFETCH(int, expected);
        DLItemData item(&m_context);
        DownloadRecord r;
        r.url = link(9);
        r.progress = stored;
        item.loadRecord(r);
        QCOMPARE(item.currentProgress(), expected);
    }

    void speedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("1.5 MB/s") << "1.5MB/s" << 1572864;
        QTest::newRow("512 KB/s") << "512.00KB/s" << 524288;
        QTest::newRow("2 GB/s is capped to an int") << "2.00GB/s" << 2147483647;
        QTest::newRow("bytes per second have no unit") << "900B/s" << 0;
        QTest::newRow("no number") << "xMB/s" << 0;
        QTest::newRow("nothing") << "" << 0;
    }
    void speedTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(DLItemData::parseSpeed(text), bytes);
    }

    void sixLinksAnalyseFiveAtATime()
    {
        m_scenario->setJobDelay(Job::Info, 1500);
        QVERIFY(m_scenario->write());
        m_context.limit = 2;
        DownloadQueue queue(&m_context);
        for (int i = 0; i < 6; ++i)
            queue.addNewLink(link(100 + i));
        QCOMPARE(countIn(queue, ItemState::Analyzing), 5);
        QCOMPARE(queue.items().last()->state(), ItemState::WaitingToAnalyze);
        // One leaves Analyzing: the sixth starts.
        QTRY_COMPARE_WITH_TIMEOUT(queue.items().last()->state() != ItemState::WaitingToAnalyze, true, 20000);
    }

    void downloadsStartInListOrderUnderTheLimit()
    {
        m_scenario->hangTransfersAt(30);
        QVERIFY(m_scenario->write());
        // All five described before any download may start.
        m_context.limit = 0;
        DownloadQueue queue(&m_context);
        for (int i = 0; i < 5; ++i)
            queue.addNewLink(link(200 + i));
        QTRY_COMPARE_WITH_TIMEOUT(countIn(queue, ItemState::WaitingToDownload), 5, 30000);
        m_context.limit = 2;
        queue.downloadPass();
        QCOMPARE(countIn(queue, ItemState::Downloading), 2);
        QCOMPARE(queue.items().at(0)->state(), ItemState::Downloading);
        QCOMPARE(queue.items().at(1)->state(), ItemState::Downloading);
        // Lowering the limit stops nothing and starts nothing.
        m_context.limit = 1;
        queue.downloadPass();
        QCOMPARE(countIn(queue, ItemState::Downloading), 2);
        // Pausing frees a slot only when below the limit: one pause leaves one running.
        queue.items().at(0)->pause();
        QCOMPARE(countIn(queue, ItemState::Downloading), 1);
        m_context.limit = 2;
        queue.items().at(1)->pause();
        // Two free slots: the third and fourth start, in order; the paused ones wait.
        QTRY_COMPARE_WITH_TIMEOUT(queue.items().at(2)->state(), ItemState::Downloading, 5000);
        QCOMPARE(queue.items().at(3)->state(), ItemState::Downloading);
        QCOMPARE(queue.items().at(4)->state(), ItemState::WaitingToDownload);
        QCOMPARE(queue.items().at(0)->state(), ItemState::Paused);
        // Pausing all starts nothing on the way: the waiting fifth is held back without a
        // downloader run of its own (counted once the third and fourth runs are logged).
        const auto logged = [&](int i) {
            for (const FakeScenario::Run &run : m_scenario->loggedRuns(Job::Download))
                if (run.url() == link(i))
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(logged(202) && logged(203), 10000);
        const int runs = m_scenario->loggedRuns(Job::Download).size();
        queue.DLItempauseAllItem_slots();
        QCOMPARE(countIn(queue, ItemState::Paused), 5);
        QTest::qWait(300);
        QCOMPARE(m_scenario->loggedRuns(Job::Download).size(), runs);
        queue.DLItemresumeAllItem_slots();
        QTRY_COMPARE_WITH_TIMEOUT(countIn(queue, ItemState::Downloading), 2, 5000);
        QCOMPARE(queue.items().at(0)->state(), ItemState::Downloading);
        queue.DLItempauseAllItem_slots();
    }

    // The total is what the items still in the queue transfer: a removed item, or one
    // stopped by leaving the page, takes its speed along.
    void theTotalSpeedCountsOnlyWhatStillTransfers_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<qint64>("total");
        QTest::newRow("nothing done") << "none" << qint64(1536);
        QTest::newRow("the first removed by its delete button") << "remove" << qint64(536);
        QTest::newRow("all removed") << "removeAll" << qint64(0);
        QTest::newRow("the page left") << "leave" << qint64(0);
        QTest::newRow("the page left and opened again") << "leaveAndReturn" << qint64(0);
    }
    void theTotalSpeedCountsOnlyWhatStillTransfers()
    {
        QFETCH(QString, action);
        QFETCH(qint64, total);
        DownloadQueue queue(&m_context);
        queue.setLoading(true);
        DLItemData *first = held(queue, link(310), ItemState::Downloading, 1000);
        held(queue, link(311), ItemState::Downloading, 536);
        if (action == QLatin1String("remove"))
            queue.removeItem(first);
        else if (action == QLatin1String("removeAll"))
            queue.DLItemRemoveAllItem_slots();
        else if (action.startsWith(QLatin1String("leave")))
            queue.saveAndStopAll();
        if (action == QLatin1String("leaveAndReturn"))
            queue.reopen();
        QCOMPARE(queue.totalSpeed(), total);
    }

    // An item that goes, whatever takes it, leaves no stored row and runs no finished action.
    void aRemovedItemLeavesNoRow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("the quality chooser closed") << "chooser";
        QTest::newRow("removed by hand while it downloads") << "hand";
        QTest::newRow("restored, and removed with Remove All before it ran") << "all";
    }
    void aRemovedItemLeavesNoRow()
    {
        QFETCH(QString, how);
        m_scenario->hangTransfersAt(30);
        QVERIFY(m_scenario->write());
        if (how == QLatin1String("chooser"))
            m_context.qualityAnswers.enqueue(QualityChoice());
        DownloadQueue queue(&m_context);
        if (how == QLatin1String("all")) {
            const DownloadRecord r = restored(link(301));
            m_db->insertLink(r.url);
            m_db->runStatement(DBManagerThread::setKeyStatement(r.url, r.md5, r.formatid));
            queue.setLoading(true);
            QCOMPARE(queue.addRestoredItem(r)->state(), ItemState::WaitingToAnalyze); // no pass while loading
            queue.DLItemRemoveAllItem_slots();
        } else {
            m_db->insertLink(link(300));
            DLItemData *item = queue.addNewLink(link(300));
            if (how == QLatin1String("hand")) {
                QTRY_COMPARE_WITH_TIMEOUT(item->state(), ItemState::Downloading, 20000);
                queue.removeItem(item);
            }
        }
        QTRY_COMPARE_WITH_TIMEOUT(queue.count(), 0, 20000);
        QCOMPARE(m_db->allRows().size(), 0);
        QCOMPARE(m_context.finishedActions, 0);
    }

    void leavingThePageSavesAndReturningRestarts()
    {
        m_scenario->hangTransfersAt(50);
        QVERIFY(m_scenario->write());
        DownloadQueue queue(&m_context);
        m_db->insertLink(link(400));
        DLItemData *item = queue.addNewLink(link(400));
        QTRY_COMPARE_WITH_TIMEOUT(item->state(), ItemState::Downloading, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(item->currentProgress() > 0, 10000);
        const int transfers = m_scenario->loggedRuns(Job::Download).size();
        queue.saveAndStopAll();
        QVERIFY(queue.isClosing());
        QCOMPARE(item->state(), ItemState::WaitingToDownload);
        const QVector<StoredRow> rows = m_db->allRows();
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows.first().record.progress > 0);
        QCOMPARE(rows.first().record.md5, item->record().md5);
        queue.downloadPass(); // nothing runs while closed
        QCOMPARE(item->state(), ItemState::WaitingToDownload);
        queue.reopen();
        QCOMPARE(item->state(), ItemState::Downloading);
        QTRY_COMPARE_WITH_TIMEOUT(m_scenario->loggedRuns(Job::Download).size(), transfers + 1, 10000);
        item->pause();
    }

    void aPlaylistBecomesItsChosenEntries()
    {
        setPlaylist(4);
        m_scenario->failJob(Job::Channel, 1, Behaviour::Silent); // the listing is asked again
        QVERIFY(m_scenario->write());
        PlaylistChoice choice;
        choice.accepted = true;
        choice.entries = {1, 3};
        choice.quality = QStringLiteral("320x180p");
        m_context.playlistAnswers.enqueue(choice);
        DownloadQueue queue(&m_context);
        queue.setLoading(true); // keep the entries waiting so they can be looked at
        m_context.onAddItem = [&](const DownloadRecord &r) {
            queue.addRestoredItem(r);
            return true;
        };
        queue.setLoading(false);
        DLItemData *placeholder = queue.addNewLink(QStringLiteral("https://www.youtube.com/playlist?list=PL9"));
        queue.setLoading(true);
        QTRY_VERIFY_WITH_TIMEOUT(!queue.items().contains(placeholder), 20000);
        QCOMPARE(queue.count(), 2);
        QCOMPARE(queue.items().at(0)->record().url, QStringLiteral("https://www.youtube.com/watch?v=e1"));
        QCOMPARE(queue.items().at(1)->record().name, QStringLiteral("Entry 3"));
        QCOMPARE(queue.items().at(1)->record().dlfolder, QStringLiteral("My list"));
        QCOMPARE(queue.items().at(1)->record().frame, QStringLiteral("320x180p"));
        QVERIFY(!m_context.loadingShown);
        QCOMPARE(m_db->allRows().size(), 2);
        QCOMPARE(m_db->allRows().first().record.dlfolder, QStringLiteral("My list"));
        QCOMPARE(m_scenario->loggedRuns(Job::Channel).size(), 2);
    }

    // A playlist whose listing is cached opens its chooser inside the paste itself; closing
    // it removes the new item there and then. Nothing may assume the item is still last.
    void pastingACachedPlaylistAndClosingItsChooser_data()
    {
        QTest::addColumn<bool>("otherItem");
        QTest::newRow("with an empty queue") << false;
        QTest::newRow("behind another item") << true;
    }
    void pastingACachedPlaylistAndClosingItsChooser()
    {
        QFETCH(bool, otherItem);
        setPlaylist(3);
        QVERIFY(m_scenario->write());
        DownloadQueue queue(&m_context);
        LinkIntake intake(&m_context, &queue);
        if (otherItem) {
            m_db->insertLink(link(500));
            held(queue, link(500), ItemState::Paused);
        }
        const QString playlist = QStringLiteral("https://www.youtube.com/playlist?list=PLcached");
        for (int paste = 1; paste <= 2; ++paste) {
            m_context.playlistAnswers.enqueue(PlaylistChoice()); // closed
            intake.pasteText(playlist);
            QTRY_COMPARE_WITH_TIMEOUT(m_context.playlistAsked, paste, 20000);
            QTRY_COMPARE(queue.count(), otherItem ? 1 : 0);
        }
        // The second paste was answered from the cache, inside the paste.
        QCOMPARE(m_scenario->loggedRuns(Job::Channel).size(), 1);
        const QVector<StoredRow> rows = m_db->allRows();
        QCOMPARE(rows.size(), otherItem ? 1 : 0);
        if (otherItem)
            QCOMPARE(rows.first().record.url, link(500));
    }

    // Leaving the page while a playlist is being queued: the entries so far stay, the
    // placeholder and its row go, and no further entry is queued.
    void leavingThePageStopsAPlaylistBeingQueued()
    {
        Settings::writeSwitch(Settings::Key::AutoDL_Enabled, true);
        setPlaylist(300);
        QVERIFY(m_scenario->write());
        DownloadQueue queue(&m_context);
        int offered = 0;
        m_context.onAddItem = [&](const DownloadRecord &) { return ++offered > 0; };
        const QString playlist = QStringLiteral("https://www.youtube.com/playlist?list=PLlong");
        m_db->insertLink(playlist);
        DLItemData *placeholder = queue.addNewLink(playlist);
        QTRY_VERIFY_WITH_TIMEOUT(offered >= 3, 20000);
        QCOMPARE(placeholder->state(), ItemState::ListingEntries);
        queue.saveAndStopAll();
        const int queued = offered;
        QVERIFY(!queue.items().contains(placeholder));
        QVERIFY(!m_context.loadingShown);
        QTest::qWait(100);
        QCOMPARE(offered, queued);
        for (const StoredRow &row : m_db->allRows())
            QVERIFY2(row.record.url != playlist, "the placeholder's row was kept");
        QCOMPARE(m_db->allRows().size(), queued);
    }

    // A link downloaded before is asked about; one already queued or being analysed is not
    // added twice.
    void pastingALinkThatWasDownloadedOrIsQueued_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("answer"); // 0 "Yes", -1 "No" or closed
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("added");
        const QString asked = QStringLiteral("This video was already downloaded on 2026-11-30 to /v/Old clip.mp4. "
                                             "Download it again?");
        QTest::newRow("downloaded before, and the user says no") << link(1) << -1 << asked << 0;
        QTest::newRow("downloaded before, and the user says yes") << link(1) << 0 << asked << 1;
        QTest::newRow("already waiting in the queue") << link(2) << 0 << "This link is already in the queue." << 0;
        QTest::newRow("being analysed") << link(5) << 0
                                        << "The link is analyzing or downloading now, Please wait the process finished."
                                        << 0;
        QTest::newRow("a batch: one question for its downloaded links, answered no")
            << link(1) + "\n" + link(3) + "\n" + link(4) << -1
            << "These videos were already downloaded:\n" + link(1) + "\nDownload them again?" << 2;
        QTest::newRow("a batch with a queued link: one message, the rest queued")
            << link(2) + "\n" + link(3) << 0 << "These links are already in the queue:\n" + link(2) << 1;
    }
    void pastingALinkThatWasDownloadedOrIsQueued()
    {
        QFETCH(QString, text);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(int, added);
        m_context.finished.insert(link(1), {true, QStringLiteral("2026-11-30"), QStringLiteral("/v/Old clip.mp4")});
        m_context.messageAnswers.enqueue(answer);
        DownloadQueue queue(&m_context);
        queue.setLoading(true); // nothing runs
        LinkIntake intake(&m_context, &queue);
        held(queue, link(2), ItemState::WaitingToDownload);
        held(queue, link(5), ItemState::Analyzing);
        intake.pasteText(text);
        QTRY_VERIFY(!intake.isPasting());
        QCOMPARE(m_context.messages.value(0), message);
        QCOMPARE(m_context.messages.size(), 1);
        QCOMPARE(queue.count(), 2 + added);
        QCOMPARE(m_db->allRows().size(), added); // every added link got its row
    }

    // Too little free space: the download does not start, says where space is short, and
    // starts by itself once space is freed.
    void aDownloadWaitsForDiskSpace_data()
    {
        QTest::addColumn<bool>("byRemoval");
        QTest::newRow("freed, and noticed at the minute's check") << false;
        QTest::newRow("freed, and noticed when another item is removed") << true;
    }
    void aDownloadWaitsForDiskSpace()
    {
        QFETCH(bool, byRemoval);
        QVERIFY(m_scenario->write());
        qint64 free = DLItemData::spaceNeededFor(9000) - 1;
        Platform::setFreeBytesHook(
            [&free](const QString &path) { return path.contains(QStringLiteral("/out")) ? free : qint64(1) << 40; });
        DownloadQueue queue(&m_context);
        DLItemData *bystander = held(queue, link(601), ItemState::Paused);
        DLItemData *item = queue.addRestoredItem(restored(link(600)));
        QTRY_COMPARE_WITH_TIMEOUT(item->spaceShortFolder(), m_context.folder, 20000);
        QCOMPARE(item->state(), ItemState::WaitingToDownload);
        queue.downloadPass();
        QCOMPARE(item->state(), ItemState::WaitingToDownload);
        QVERIFY(m_scenario->loggedRuns(Job::Download).isEmpty());
        free = qint64(1) << 40;
        if (byRemoval)
            queue.removeItem(bystander);
        else
            queue.m_timer_checkdl_slots();
        QTRY_COMPARE_WITH_TIMEOUT(m_context.finishedRows.size(), 1, 20000);
        Platform::setFreeBytesHook(nullptr);
    }

    // Failures by class, through the fake downloader printing yt-dlp's words: how often the
    // job runs, the countdown to the automatic retry, and the countdown after that retry
    // fails the same way (-1: no retry ran).
    void failuresAreRetriedByTheirClass_data()
    {
        QTest::addColumn<bool>("analysis");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("runs");
        QTest::addColumn<int>("countdown");
        QTest::addColumn<int>("thenCountdown");
        const QString priv = "ERROR: [youtube] abc: Private video. Sign in if you've been granted access to this video";
        QTest::newRow("analysis of a private video (2023 wording): one run, no retry") << true << priv << 1 << 0 << -1;
        QTest::newRow("analysis of a private video (current wording): one run, no retry")
            << true << priv + ". Use --cookies-from-browser or --cookies for the authentication." << 1 << 0 << -1;
        QTest::newRow("analysis refused with 429: one run, then 2 and 4 minutes")
            << true << "ERROR: [youtube] abc: HTTP Error 429: Too Many Requests" << 1 << 120 << 240;
        QTest::newRow("analysis of a broken extractor: one run, one retry only")
            << true << "ERROR: [youtube] abc: Unable to extract uploader id" << 1 << 60 << 0;
        QTest::newRow("analysis over a server error: five runs, the usual minute")
            << true << "ERROR: Unable to download webpage: HTTP Error 503: Service Unavailable" << 5 << 60 << 60;
        QTest::newRow("download of a members-only video: one run, no retry")
            << false << "ERROR: [youtube] abc: Join this channel to get access to members-only content" << 1 << 0 << -1;
        QTest::newRow("download refused with 429: one run, then 2 and 4 minutes")
            << false << "ERROR: unable to download video data: HTTP Error 429: Too Many Requests" << 1 << 120 << 240;
        QTest::newRow("download refused with 403: one run, one retry only")
            << false << "ERROR: unable to download video data: HTTP Error 403: Forbidden" << 1 << 60 << 0;
        QTest::newRow("download with a reset connection: five runs, the usual minute")
            << false << "ERROR: [download] Got error: [Errno 104] Connection reset by peer" << 5 << 60 << 60;
    }
    void failuresAreRetriedByTheirClass()
    {
        QFETCH(bool, analysis);
        QFETCH(QString, error);
        QFETCH(int, runs);
        QFETCH(int, countdown);
        QFETCH(int, thenCountdown);
        Settings::writeSwitch(Settings::Key::AutoReDownload, true);
        if (analysis)
            m_scenario->failJob(Job::Info, -1, Behaviour::Error, error);
        else
            m_scenario->failTransfers(99, 10, Behaviour::Error, QString(), error);
        QVERIFY(m_scenario->write());
        const Job job = analysis ? Job::Info : Job::Download;
        const ItemState failed = analysis ? ItemState::AnalyzeFailed : ItemState::DownloadFailed;
        m_context.qualityAnswers.enqueue({true, QStringLiteral("18"), false, QString()});
        DownloadQueue queue(&m_context);
        m_db->insertLink(link(700));
        DLItemData *item = queue.addNewLink(link(700));
        QTRY_COMPARE_WITH_TIMEOUT(item->state(), failed, 30000);
        QCOMPARE(m_scenario->loggedRuns(job).size(), runs);
        auto count = [&] { return analysis ? item->analysisCountdown() : item->downloadCountdown(); };
        QCOMPARE(count(), countdown);
        // The class is kept with the row; a permanent one comes back failed after a restart
        // and runs nothing.
        const DownloadRecord stored = m_db->allRows().first().record;
        QCOMPARE(stored.failreason, failureCode(item->failure()));
        if (thenCountdown < 0) {
            queue.saveAndStopAll();
            DownloadQueue again(&m_context);
            again.addRestoredItems({stored});
            QCOMPARE(again.items().first()->state(), failed);
            QCOMPARE(again.items().first()->failure().reason, FailureReason::Permanent);
            QTest::qWait(200);
            QCOMPARE(m_scenario->loggedRuns(job).size(), runs);
            return;
        }
        // The countdown runs out on its last second: then the job runs again.
        const auto tick = [&] { analysis ? item->m_timer_autoreparsed_slots() : item->m_timer_autoredl_slots(); };
        for (int i = 1; i < countdown; ++i)
            tick();
        QCOMPARE(item->state(), failed);
        QCOMPARE(count(), 1);
        tick();
        QTRY_COMPARE_WITH_TIMEOUT(m_scenario->loggedRuns(job).size(), 2 * runs, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(item->state(), failed, 30000);
        QCOMPARE(count(), thenCountdown);
    }

    // A full disk pauses every download at once and says so once; nothing is deleted.
    void aFullDiskPausesEveryDownload()
    {
        m_scenario->hangTransfersAt(40, QStringLiteral("22"));
        m_scenario->failTransfers(99, 30, Behaviour::Error, QStringLiteral("18"),
                                  QStringLiteral("ERROR: unable to write data: [Errno 28] No space left on device"));
        QVERIFY(m_scenario->write());
        m_context.qualityAnswers.enqueue({true, QStringLiteral("22"), false, QString()});
        m_context.qualityAnswers.enqueue({true, QStringLiteral("18"), false, QString()});
        DownloadQueue queue(&m_context);
        DLItemData *running = queue.addNewLink(link(720));
        QTRY_COMPARE_WITH_TIMEOUT(running->state(), ItemState::Downloading, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(running->currentProgress() > 0, 20000);
        DLItemData *failing = queue.addNewLink(link(721));
        QTRY_COMPARE_WITH_TIMEOUT(failing->state(), ItemState::Paused, 30000);
        QCOMPARE(running->state(), ItemState::Paused);
        QCOMPARE(m_context.messages.size(), 1);
        QVERIFY2(m_context.messages.first().contains(downloadCacheFolder()), qPrintable(m_context.messages.first()));
        QCOMPARE(m_scenario->loggedRuns(Job::Download).size(), 2);
        QVERIFY(QFileInfo::exists(running->driver()->mediaInfo()->tempPath)); // the partial file stays
    }

    void aBigPlaylistIsQueuedWholeWithoutAsking()
    {
        setPlaylist(1001);
        QVERIFY(m_scenario->write());
        DownloadQueue queue(&m_context);
        QList<DownloadRecord> offered;
        m_context.onAddItem = [&](const DownloadRecord &r) {
            offered << r;
            return false;
        };
        queue.addNewLink(QStringLiteral("https://www.youtube.com/playlist?list=PLbig"));
        QTRY_COMPARE_WITH_TIMEOUT(offered.size(), 1001, 60000);
        QCOMPARE(m_context.playlistAsked, 0);
        QCOMPARE(offered.first().frame, QStringLiteral("1920x1080p"));
        QTRY_COMPARE(queue.count(), 0);
    }
};

CW_TEST_MAIN(TestQueue)
#include "tst_queue.moc"
