// Reading a flat listing of 10,000 entries (with duplicates) into names and links, and
// a listing printed as one long line arriving from the downloader in pipe-sized reads.

#include "engine/listing.h"
#include "engine/outputparse.h"
#include "testlib/testenv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
QByteArray listingJson(int n)
{
    QJsonArray entries;
    for (int i = 0; i < n; ++i)
        entries.append(QJsonObject{{"id", QString::number(i)},
                                   {"url", QStringLiteral("vid%1").arg(i % (n * 9 / 10))},
                                   {"title", QStringLiteral("Entry number %1 of the list").arg(i)}});
    return QJsonDocument(QJsonObject{{"title", "Channel"}, {"entries", entries}}).toJson(QJsonDocument::Compact);
}
} // namespace

class BenchListing : public QObject
{
    Q_OBJECT
private slots:
    void parseListing_data()
    {
        QTest::addColumn<QString>("text");
        for (int n : {1000, 10000})
            QTest::newRow(qPrintable(QStringLiteral("%1 entries").arg(n))) << QString::fromUtf8(listingJson(n));
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

    // The downloader prints the whole listing as one line; it reaches the driver 64 KB at a time.
    void oneLineListingArrives_data()
    {
        QTest::addColumn<QByteArray>("line");
        for (int megabytes : {3, 6, 12}) {
            QByteArray line = listingJson(10000);
            while (line.size() < megabytes * 1024 * 1024)
                line += line;
            line.truncate(megabytes * 1024 * 1024);
            QTest::newRow(qPrintable(QStringLiteral("%1 MB").arg(megabytes))) << line;
        }
    }
    void oneLineListingArrives()
    {
        QFETCH(QByteArray, line);
        const int read = 64 * 1024;
        qsizetype total = 0;
        QBENCHMARK
        {
            LineBuffer buffer;
            total = 0;
            for (int at = 0; at < line.size(); at += read)
                total += buffer.feed(line.mid(at, read)).size();
            total += buffer.flush().size();
        }
        QCOMPARE(total, qsizetype(line.size()));
    }
};

CW_TEST_MAIN(BenchListing)
#include "bench_listing.moc"
