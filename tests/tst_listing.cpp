// Channel and playlist links, and the downloader's flat listing read into entries.

#include "engine/listing.h"
#include "testlib/testenv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
QString listingJson(const QJsonArray &entries, const QString &title = QStringLiteral("My list"))
{
    return QString::fromUtf8(QJsonDocument(QJsonObject{{"title", title}, {"entries", entries}}).toJson());
}

QJsonObject entry(const QString &id, const QString &title, const QString &url)
{
    QJsonObject o{{"id", id}};
    if (!title.isNull())
        o.insert("title", title);
    if (!url.isNull())
        o.insert("url", url);
    return o;
}
} // namespace

class TestListing : public QObject
{
    Q_OBJECT
private slots:
    void channelUrls_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("listing");
        QTest::newRow("a watch page with a list") << "https://www.youtube.com/watch?v=abc&list=PL123" << true;
        QTest::newRow("the same page without list") << "https://www.youtube.com/watch?v=abc" << false;
        QTest::newRow("a playlist page") << "https://www.youtube.com/playlist?list=PL123" << true;
        QTest::newRow("a channel") << "https://www.youtube.com/channel/UC123" << true;
        QTest::newRow("a user's videos") << "https://www.youtube.com/user/someone/videos" << true;
        QTest::newRow("a user page without videos is the user's channel")
            << "https://www.youtube.com/user/someone" << true;
        QTest::newRow("a channel by handle") << "https://www.youtube.com/@someone" << true;
        QTest::newRow("a channel's videos by handle") << "https://www.youtube.com/@someone/videos" << true;
        QTest::newRow("a channel by custom name") << "https://www.youtube.com/c/SomeOne" << true;
        QTest::newRow("a mobile channel by handle") << "https://m.youtube.com/@someone/shorts" << true;
        QTest::newRow("a watch page that mentions a handle in its query")
            << "https://www.youtube.com/watch?v=abc&from=/@someone" << false;
        QTest::newRow("a user page with a list") << "https://www.youtube.com/user/someone?list=PL1" << true;
        QTest::newRow("a short link with a list") << "https://youtu.be/abc?list=PL1" << true;
        QTest::newRow("a mobile link with a list") << "https://m.youtube.com/watch?v=a&list=PL1" << true;
        QTest::newRow("another site with a list") << "https://vimeo.com/channel/x?list=1" << false;
        QTest::newRow("a host at the very start does not count") << "youtube.com/channel/UC1" << false;
    }
    void channelUrls()
    {
        QFETCH(QString, url);
        QFETCH(bool, listing);
        QCOMPARE(isChannelUrl(url), listing);
    }

    void listingEntries()
    {
        ChannelListing l;
        parseChannelListing(listingJson({entry("a", "First", "a"), entry("b", "[Deleted video]", "b"),
                                         entry("c", "[PRIVATE VIDEO]", "c"), entry("d", "No url", QString()),
                                         entry("e", QString(), "e"), entry("a2", "First again", "a"),
                                         entry("f", "It's \"quoted\"", "f")}),
                            l);
        QCOMPARE(l.title, QStringLiteral("My list"));
        QCOMPARE(l.names, (QStringList{"First", "e", "It's \"quoted\""}));
        QCOMPARE(l.urls, (QStringList{"https://www.youtube.com/watch?v=a", "https://www.youtube.com/watch?v=e",
                                      "https://www.youtube.com/watch?v=f"}));
        QVERIFY(l.noTitle);
    }

    void entriesThatAreNoVideosAreLeftOut()
    {
        ChannelListing l;
        QJsonObject playlist = entry("p", "A playlist", "https://www.youtube.com/playlist?list=PL1");
        playlist.insert("_type", "playlist");
        parseChannelListing(listingJson({entry("v", "Video", "v"),
                                         entry("t", "Someone - Videos", "https://www.youtube.com/@someone/videos"),
                                         playlist, entry("l", "A list", "https://www.youtube.com/playlist?list=PL2"),
                                         entry("w", "Full link", "https://www.youtube.com/watch?v=w"),
                                         entry("o", "Elsewhere", "https://vimeo.com/123")}),
                            l);
        QCOMPARE(l.names, (QStringList{"Video", "Full link", "Elsewhere"}));
        // Full links are kept as they are, never glued behind "watch?v=".
        QCOMPARE(l.urls, (QStringList{"https://www.youtube.com/watch?v=v", "https://www.youtube.com/watch?v=w",
                                      "https://vimeo.com/123"}));
    }

    // Text that is no listing changes nothing; a listing without entries empties the lists.
    void textsThatAreNotAListingChangeNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("entries");
        QTest::newRow("six characters") << "{ }   " << QStringLiteral("kept") << 1;
        QTest::newRow("broken JSON") << "{\"title\": \"x\", \"entries\": [" << QStringLiteral("kept") << 1;
        QTest::newRow("an array") << "[1, 2, 3, 4, 5]" << QStringLiteral("kept") << 1;
        QTest::newRow("entries that are no list")
            << "{\"title\": \"t\", \"entries\": \"nope\"}" << QStringLiteral("t") << 0;
    }
    void textsThatAreNotAListingChangeNothing()
    {
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, entries);
        ChannelListing l{QStringLiteral("kept"), {QStringLiteral("n")}, {QStringLiteral("u")}, false};
        parseChannelListing(text, l);
        QCOMPARE(l.title, title);
        QCOMPARE(l.names.size(), entries);
        QCOMPARE(l.urls.size(), entries);
    }
};

CW_TEST_MAIN(TestListing)
#include "tst_listing.moc"
