// Link intake: pasted text split into links, the site check, YouTube links inside a
// playlist, the rate limit, and the messages a refused link gets, word for word.

#include "app/settings.h"
#include "engine/downloaddriver.h"
#include "fakes/fakequeuecontext.h"
#include "queue/downloaditem.h"
#include "queue/intake.h"
#include "queue/scheduler.h"
#include "testlib/testenv.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

namespace
{
const QString kNoLinks = QStringLiteral("No Links in Clipboard. Please copy a link from the browser.");
const QString kUnsupported = QStringLiteral("This URL can't be supported.  Please send the URL to "
                                            "support@kestrova.com,  our developer team will solve the problem ASAP.");
} // namespace

class TestIntake : public QObject
{
    Q_OBJECT

    FakeQueueContext m_context;

private slots:
    void init()
    {
        m_context = FakeQueueContext();
        // Nothing here may start a real downloader: the queue stays loading.
        Settings::writeText(Settings::Key::DownloadTempFolder, TestEnv::root() + QStringLiteral("/tmp/cache"));
    }

    void siteCheck_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("result");
        const int ok = int(Intake::SiteCheck::Accepted), none = int(Intake::SiteCheck::NoLink),
                  unsupported = int(Intake::SiteCheck::Unsupported);
        QTest::newRow("the main site") << "https://www.youtube.com/watch?v=a" << ok;
        QTest::newRow("its short links") << "https://youtu.be/a" << ok;
        QTest::newRow("its mobile host") << "https://m.youtube.com/watch?v=a" << ok;
        QTest::newRow("a bare www link") << "www.vimeo.com/123" << ok;
        QTest::newRow("plain http") << "http://twitter.com/x/status/1" << ok;
        QTest::newRow("the last listed site") << "https://www.watchbox.de/x" << ok;
        QTest::newRow("a Tumblr user's sub-domain gets a second chance") << "https://someone.tumblr.com/post/1" << ok;
        QTest::newRow("a Facebook sub-domain too") << "https://web.facebook.com/v/1" << ok;
        QTest::newRow("an ftp link is no link") << "ftp://www.youtube.com/a" << none;
        QTest::newRow("text is no link") << "hello world" << none;
        QTest::newRow("an unlisted site") << "https://example.com/video" << unsupported;
        QTest::newRow("a look-alike domain") << "https://youtube.com.evil.example/x" << ok;
        QTest::newRow("upper case does not match") << "https://WWW.YOUTUBE.COM/watch?v=a" << unsupported;
        QTest::newRow("control characters are no link") << "https://www.youtube.com/watch?v=a\x01" << none;
        QTest::newRow("a host without a scheme or www is no link") << "example.com/v" << none;
    }
    void siteCheck()
    {
        QFETCH(QString, link);
        QFETCH(int, result);
        QCOMPARE(int(Intake::checkSite(link, false)), result);
        // Accepting any site takes any link, but still no text.
        const int any = int(Intake::checkSite(link, true));
        QCOMPARE(any, result == int(Intake::SiteCheck::NoLink) ? result : int(Intake::SiteCheck::Accepted));
    }

    void youtubeChoice_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("ask");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("playlist");
        const auto row = [](const char *name, const char *link, bool ask, const char *clip = "",
                            const char *playlist = "") { QTest::newRow(name) << link << ask << clip << playlist; };
        row("a clip inside a playlist", "https://www.youtube.com/watch?v=abc&list=PL1&index=3&t=10", true,
            "https://www.youtube.com/watch?v=abc", "https://www.youtube.com/watch?list=PL1");
        row("a short link with a list", "https://youtu.be/abc?list=PL1", true, "https://youtu.be/abc",
            "https://youtu.be/playlist?list=PL1");
        row("a playlist page passes unchanged", "https://www.youtube.com/playlist?list=PL1", false);
        row("http://www. is not normalised", "http://www.youtube.com/watch?v=abc&list=PL1", false);
        row("no list, nothing to ask", "https://www.youtube.com/watch?v=abc", false);
        row("a short link with more than a list", "https://youtu.be/abc?list=PL1&si=x", false);
    }
    void youtubeChoice()
    {
        QFETCH(QString, link);
        QFETCH(bool, ask);
        QFETCH(QString, clip);
        QFETCH(QString, playlist);
        const Intake::ClipOrPlaylist c = Intake::youtubeChoice(link);
        QCOMPARE(c.ask, ask);
        if (ask) {
            QCOMPARE(c.clip, clip);
            QCOMPARE(c.playlist, playlist);
        }
    }

    void pastedTextIsSplitIntoLinks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("links");
        QTest::newRow("four lines: two links, a repeat, an ftp line")
            << "https://youtu.be/a\nhttps://vimeo.com/1\nhttps://youtu.be/a\nftp://x/y"
            << QStringList{"https://youtu.be/a", "https://vimeo.com/1"};
        QTest::newRow("windows line ends and blanks") << "  https://youtu.be/a \r\n\r\n www.vimeo.com/2\r\n"
                                                      << QStringList{"https://youtu.be/a", "www.vimeo.com/2"};
        QTest::newRow("words are dropped")
            << "look at this:\nhttps://youtu.be/a\nthanks" << QStringList{"https://youtu.be/a"};
    }
    void pastedTextIsSplitIntoLinks()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, links);
        QCOMPARE(Intake::splitPastedText(text), links);
    }

    void thousandsOfLinesAreSplitQuickly()
    {
        QString text;
        for (int i = 0; i < 20000; ++i)
            text += QStringLiteral("https://youtu.be/v%1\n").arg(i % 15000);
        text += QString(100000, QLatin1Char('x'));
        QCOMPARE(Intake::splitPastedText(text).size(), 15000);
    }

    void refusedLinksGetTheirMessage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("an empty clipboard") << "   " << kNoLinks;
        QTest::newRow("an ftp link") << "ftp://www.youtube.com/a" << kNoLinks;
        QTest::newRow("an unsupported site") << "https://example.com/v" << kUnsupported;
    }
    void refusedLinksGetTheirMessage()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        DownloadQueue queue(&m_context);
        queue.setLoading(true);
        LinkIntake intake(&m_context, &queue);
        intake.pasteText(text);
        QCOMPARE(m_context.messages, QStringList{message});
        QCOMPARE(queue.count(), 0);
    }

    void anAcceptedLinkSetsTheRateAndIsQueued()
    {
        DownloadQueue queue(&m_context);
        queue.setLoading(true);
        LinkIntake intake(&m_context, &queue);
        m_context.speed = 3;
        QVERIFY(intake.addLink(QStringLiteral(" https://vimeo.com/1 ")));
        QCOMPARE(rateLimitText(), QStringLiteral("2M"));
        QCOMPARE(queue.count(), 1);
        QCOMPARE(queue.items().first()->record().url, QStringLiteral("https://vimeo.com/1"));
        QVERIFY(m_context.messages.isEmpty());
    }

    void theClipOrThePlaylistIsAsked()
    {
        DownloadQueue queue(&m_context);
        queue.setLoading(true);
        LinkIntake intake(&m_context, &queue);
        m_context.clipAnswers << 0 << 1;
        QVERIFY(intake.addLink(QStringLiteral("https://www.youtube.com/watch?v=abc&list=PL1")));
        QVERIFY(intake.addLink(QStringLiteral("https://www.youtube.com/watch?v=abc&list=PL1")));
        QCOMPARE(m_context.clipQuestions.size(), 2);
        QCOMPARE(queue.items().at(0)->record().url, QStringLiteral("https://www.youtube.com/watch?v=abc"));
        QCOMPARE(queue.items().at(1)->record().url, QStringLiteral("https://www.youtube.com/watch?list=PL1"));
    }

    void aMultiLinePasteQueuesItsLinksInTicks()
    {
        const QString dir = TestEnv::root() + QStringLiteral("/tmp/paste");
        QDir().mkpath(dir);
        DBManagerThread db(dir);
        m_context.db = &db;
        DownloadQueue queue(&m_context);
        queue.setLoading(true);
        LinkIntake intake(&m_context, &queue);
        QGuiApplication::clipboard()->setText(QStringLiteral(
            "https://youtu.be/a\nhttps://vimeo.com/1\nhttps://youtu.be/a\nftp://x/y\nhttps://example.com/z"));
        intake.pasteURLButton_slots();
        QVERIFY(intake.isPasting());
        QVERIFY(m_context.loadingShown);
        QTRY_VERIFY(!intake.isPasting());
        QVERIFY(!m_context.loadingShown);
        QCOMPARE(queue.count(), 2);
        QCOMPARE(m_context.messages, QStringList{kUnsupported});
        QCOMPARE(db.allRows().size(), 2);
        m_context.db = nullptr;
    }
};

CW_TEST_MAIN(TestIntake)
#include "tst_intake.moc"
