// Reading a flat listing of 10,000 entries (with duplicates) into names and links.

#include "engine/listing.h"
#include "testlib/testenv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

class BenchListing : public QObject
{
    Q_OBJECT
private slots:
    void parseListing_data()
    {
        QTest::addColumn<QString>("text");
        for (int n : {1000, 10000}) {
            QJsonArray entries;
            for (int i = 0; i < n; ++i)
                entries.append(QJsonObject{{"id", QString::number(i)},
                                           {"url", QStringLiteral("vid%1").arg(i % (n * 9 / 10))},
                                           {"title", QStringLiteral("Entry number %1 of the list").arg(i)}});
            QTest::newRow(qPrintable(QStringLiteral("%1 entries").arg(n)))
                << QString::fromUtf8(QJsonDocument(QJsonObject{{"title", "Channel"}, {"entries", entries}}).toJson());
        }
    }
    void parseListing()
    {
        QFETCH(QString, text);
        ChannelListing listing;
        QBENCHMARK
        {
            parseChannelListing(text, listing);
        }
        QVERIFY(!listing.urls.isEmpty());
    }
};

CW_TEST_MAIN(BenchListing)
#include "bench_listing.moc"
