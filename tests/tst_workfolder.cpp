// A link's work folder and state file: what a restarted item may skip, and how the
// final file is named.

#include "app/format.h"
#include "engine/mediainfo.h"
#include "engine/workfolder.h"
#include "testlib/testenv.h"

#include <QDir>

namespace
{
QString cache()
{
    return TestEnv::root() + QStringLiteral("/tmp/cache");
}

void touch(const QString &path, const QByteArray &bytes = QByteArray("x"))
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

MediaInfo mediaTitled(const QString &title, const QString &ext = QStringLiteral("mp4"))
{
    MediaInfo m;
    m.id = QStringLiteral("abc123");
    m.title = title;
    MediaFormat f;
    f.id = QStringLiteral("18");
    f.ext = ext;
    f.kind = FormatKind::Video;
    m.setFormatsForTest({f}, false);
    m.selectFormatById(QStringLiteral("18"));
    return m;
}
} // namespace

class TestWorkFolder : public QObject
{
    Q_OBJECT

    QString m_work;
    const QDate m_today = QDate(2026, 12, 6);

private slots:
    void init()
    {
        QDir(cache()).removeRecursively();
        m_work = WorkFolder::make(cache(), QStringLiteral("https://example.com/watch?v=it's"));
    }

    void namesAreDigests()
    {
        const QString url = QStringLiteral("https://example.com/watch?v=it's");
        QCOMPARE(m_work, cache() + QLatin1Char('/') + md5Hex(url));
        QVERIFY(QFileInfo(m_work).isDir());
        QCOMPARE(WorkFolder::tempName(url, QStringLiteral("137"), QString()), md5Hex(url + QStringLiteral("137")));
        QCOMPARE(WorkFolder::tempName(url, QStringLiteral("137"), QStringLiteral("audio")),
                 md5Hex(url + QStringLiteral("137audio")));
        // An existing folder is reused, never emptied.
        touch(m_work + QStringLiteral("/keep.txt"));
        QCOMPARE(WorkFolder::make(cache(), url), m_work);
        QVERIFY(QFileInfo::exists(m_work + QStringLiteral("/keep.txt")));
    }

    void freshStateFileGivesDefaults()
    {
        ItemStateFile state(m_work);
        QVERIFY(!state.isInfoCached(m_today));
        SubtitleLists subs;
        QVERIFY(!state.isSubtitleListCached(subs));
        ChannelListing listing;
        QVERIFY(!state.isChannelListCached(listing, m_today));
        QVERIFY(!state.isTempVideoReady(QStringLiteral("/x")));
        QCOMPARE(state.completedFinalPath(QStringLiteral("/x")), QString());
    }

    void infoJsonAge_data()
    {
        QTest::addColumn<int>("daysAgo");
        QTest::addColumn<bool>("cached");
        QTest::newRow("used today") << 0 << true;
        QTest::newRow("used five days ago") << 5 << true;
        QTest::newRow("used six days ago: deleted and fetched again") << 6 << false;
    }
    void infoJsonAge()
    {
        QFETCH(int, daysAgo);
        QFETCH(bool, cached);
        const QString json = m_work + QStringLiteral("/vid.info.json");
        touch(json, "{}");
        {
            ItemStateFile state(m_work);
            state.recordInfoJson(json, m_today.addDays(-daysAgo));
        }
        ItemStateFile state(m_work);
        QCOMPARE(state.infoIsFresh(m_today), cached);
        QVERIFY(QFileInfo::exists(json)); // asking without deleting keeps it
        QCOMPARE(state.isInfoCached(m_today), cached);
        QCOMPARE(QFileInfo::exists(json), cached);
    }

    void garbageDatesAreStale()
    {
        const QString json = m_work + QStringLiteral("/vid.info.json");
        touch(json, "{}");
        ItemStateFile state(m_work);
        state.setValue(QStringLiteral("LoadJsonName"), json);
        state.setValue(QStringLiteral("LoadJsonDate"), QStringLiteral("next tuesday"));
        QVERIFY(!state.isInfoCached(m_today));
        state.setValue(QStringLiteral("isLoadChannelItem"), QStringLiteral("YES"));
        state.setValue(QStringLiteral("LoadChannelDate"), QStringLiteral("\x01\x02"));
        ChannelListing listing;
        QVERIFY(!state.isChannelListCached(listing, m_today));
    }

    void subtitleListsRoundTrip()
    {
        {
            ItemStateFile state(m_work);
            state.storeSubtitleLists({{"en", "pt-BR"}, {"zh-Hans"}});
        }
        ItemStateFile state(m_work);
        QCOMPARE(state.value(QStringLiteral("subtitles"), QString()), QStringLiteral(",en,pt-BR"));
        SubtitleLists lists;
        QVERIFY(state.isSubtitleListCached(lists));
        QCOMPARE(lists.subtitles, (QStringList{"en", "pt-BR"}));
        QCOMPARE(lists.autoCaptions, QStringList{"zh-Hans"});
        // Parts of one character or blanks are dropped.
        state.setValue(QStringLiteral("subtitles"), QStringLiteral(",x, ,de,,"));
        SubtitleLists again;
        QVERIFY(state.isSubtitleListCached(again));
        QCOMPARE(again.subtitles, QStringList{"de"});
    }

    void channelListingAge_data()
    {
        QTest::addColumn<int>("daysAgo");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<bool>("cached");
        QTest::newRow("stored today") << 0 << false << true;
        QTest::newRow("stored yesterday is reused today") << 1 << false << true;
        QTest::newRow("stored two days ago is not") << 2 << false << false;
        QTest::newRow("one without entries is never reused") << 0 << true << false;
    }
    void channelListingAge()
    {
        QFETCH(int, daysAgo);
        QFETCH(bool, empty);
        QFETCH(bool, cached);
        ChannelListing stored;
        stored.title = QStringLiteral("It's a \"list\"");
        if (!empty) {
            stored.names = QStringList{"one", "two", "dup"};
            stored.urls = QStringList{"u1", "u2", "u1"};
        }
        stored.noTitle = true;
        ItemStateFile(m_work).storeChannelListing(stored, m_today.addDays(-daysAgo));
        ChannelListing loaded;
        QCOMPARE(ItemStateFile(m_work).isChannelListCached(loaded, m_today), cached);
        QCOMPARE(loaded.title, cached || empty ? stored.title : QString());
        if (cached) {
            QCOMPARE(loaded.names, (QStringList{"one", "two"}));
            QCOMPARE(loaded.urls, (QStringList{"u1", "u2"}));
            QVERIFY(loaded.noTitle);
        }
    }

    void aListingCountBeyondItsItemsReadsOnlyTheItems_data()
    {
        QTest::addColumn<QString>("count");
        QTest::newRow("a count past the stored items adds no empty entries") << "5";
        QTest::newRow("a count of two billion does not hang the reading") << "2000000000";
    }
    void aListingCountBeyondItsItemsReadsOnlyTheItems()
    {
        QFETCH(QString, count);
        ItemStateFile state(m_work);
        state.storeChannelListing(ChannelListing{QStringLiteral("t"), {"one", "two"}, {"u1", "u2"}, false}, m_today);
        state.setValue(QStringLiteral("Channel_ITEMCount"), count);
        ChannelListing loaded;
        QVERIFY(state.isChannelListCached(loaded, m_today));
        QCOMPARE(loaded.names, (QStringList{"one", "two"}));
        QCOMPARE(loaded.urls, (QStringList{"u1", "u2"}));
    }

    void tempVideoTakeOver_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("sidecar");
        QTest::addColumn<bool>("samePath");
        QTest::addColumn<bool>("ready");
        QTest::newRow("a confirmed complete file is taken over") << true << true << false << true << true;
        QTest::newRow("an incomplete file with a sidecar is not") << true << true << true << false << false;
        QTest::newRow("a confirmed file that is gone is not") << true << false << false << true << false;
        QTest::newRow("a confirmation of another path is not") << true << true << false << false << false;
        QTest::newRow("an unconfirmed file is not") << false << true << false << true << false;
    }
    void tempVideoTakeOver()
    {
        QFETCH(bool, confirm);
        QFETCH(bool, fileExists);
        QFETCH(bool, sidecar);
        QFETCH(bool, samePath);
        QFETCH(bool, ready);
        const QString temp = cache() + QStringLiteral("/0123.mp4");
        if (fileExists)
            touch(temp);
        if (sidecar)
            touch(temp + QStringLiteral(".ytdl"));
        ItemStateFile state(m_work);
        if (confirm)
            state.confirmTempVideo(samePath ? temp : cache() + QStringLiteral("/other.mp4"));
        QCOMPARE(state.isTempVideoReady(temp), ready);
        // A confirmation is used once.
        QVERIFY(!state.isTempVideoReady(temp));
    }

    void finishedAudioIsTakenOver()
    {
        const QString audio = cache() + QStringLiteral("/0123audio.m4a");
        touch(audio);
        ItemStateFile state(m_work);
        state.confirmTempAudio(audio);
        QVERIFY(state.isTempAudioReady(audio));
        QCOMPARE(state.value(QStringLiteral("TempAudio"), QStringLiteral("NULL")), QString());
    }

    void completedKeyWithAFullPath()
    {
        const QString temp = cache() + QStringLiteral("/0123.mp4");
        const QString finalPath = TestEnv::root() + QStringLiteral("/tmp/out/It's done.mp4");
        {
            ItemStateFile state(m_work);
            state.recordCompleted(temp, finalPath);
        }
        ItemStateFile state(m_work);
        QCOMPARE(state.completedFinalPath(temp), QString()); // the final file is not there
        touch(finalPath);
        QCOMPARE(state.completedFinalPath(temp), finalPath);
        QCOMPARE(state.completedFinalPath(cache() + QStringLiteral("/other.mp4")), QString());
    }

    void finalNames_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("forced");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("name");
        const auto row = [](const char *name, const char *title, const char *forced, const QStringList &existing,
                            const char *finalName) { QTest::newRow(name) << title << forced << existing << finalName; };
        row("a plain title", "Title", "", {}, "Title.mp4");
        row("the first duplicate carries 0", "Title", "", {"Title.mp4"}, "Title (0).mp4");
        row("then 1", "Title", "", {"Title.mp4", "Title (0).mp4"}, "Title (1).mp4");
        row("a forced extension", "Title", "mp3", {"Title.mp4"}, "Title.mp3");
        row("a title of removed characters uses the id", "../..//?", "", {}, "abc123.mp4");
        row("a blank title uses the id", "   ", "", {}, "abc123.mp4");
    }
    void finalNames()
    {
        QFETCH(QString, title);
        QFETCH(QString, forced);
        QFETCH(QStringList, existing);
        QFETCH(QString, name);
        const QString out = TestEnv::root() + QStringLiteral("/tmp/out-names");
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        for (const QString &e : existing)
            touch(out + QLatin1Char('/') + e);
        QCOMPARE(WorkFolder::makeFinalPath(out, mediaTitled(title), forced), out + QLatin1Char('/') + name);
    }

    void longTitlesFitAFileName()
    {
        const QString out = TestEnv::root() + QStringLiteral("/tmp/out-long");
        QDir().mkpath(out);
        // 200 three-byte characters: 600 bytes of name.
        const QString title = QString(200, QChar(0x4E2D));
        const QString first = WorkFolder::makeFinalPath(out, mediaTitled(title), QString());
        QVERIFY(QFileInfo(first).fileName().toUtf8().size() <= 255);
        QVERIFY(QFileInfo(first).fileName().endsWith(QStringLiteral(".mp4")));
        touch(first);
        QVERIFY(QFileInfo::exists(first));
        const QString second = WorkFolder::makeFinalPath(out, mediaTitled(title), QString());
        QVERIFY(second != first);
        QVERIFY(QFileInfo(second).fileName().endsWith(QStringLiteral(" (0).mp4")));
        touch(second);
        QVERIFY(QFileInfo::exists(second));
    }

    void truncationNeverSplitsACharacter()
    {
        const QString emoji = QString::fromUtf8("\xf0\x9f\x8e\xac"); // 4 bytes, 2 UTF-16 units
        QCOMPARE(WorkFolder::truncateUtf8(emoji + emoji, 7), emoji);
        QCOMPARE(WorkFolder::truncateUtf8(QStringLiteral("abc"), 2), QStringLiteral("ab"));
        QCOMPARE(WorkFolder::truncateUtf8(QStringLiteral("abc"), 10), QStringLiteral("abc"));
    }
};

CW_TEST_MAIN(TestWorkFolder)
#include "tst_workfolder.moc"
