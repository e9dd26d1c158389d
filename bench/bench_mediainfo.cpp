// Loading an info JSON: reading, cleaning and ordering the format list, at 30, 300
// and 3000 formats. The cost should grow linearly with the number of formats.

#include "engine/mediainfo.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
QString writeInfo(int formatCount)
{
    static const int heights[] = {144, 240, 360, 480, 720, 1080, 1440, 2160, 4320};
    static const char *exts[] = {"mp4", "webm", "mp4", "flv"};
    QJsonArray formats;
    for (int i = 0; i < formatCount; ++i) {
        QJsonObject f{{"format_id", QString::number(i)}, {"ext", exts[i % 4]}, {"protocol", "https"}};
        if (i % 5 == 0) {
            f.insert("vcodec", "none");
            f.insert("acodec", "mp4a.40.2");
            f.insert("abr", 48 + i % 200);
            f.insert("filesize", 1000000 + i);
        } else {
            const int h = heights[i % 9];
            f.insert("height", h);
            f.insert("width", h * 16 / 9 + i % 7); // many distinct sizes, few duplicates
            f.insert("fps", 24 + i % 37);
            f.insert("vcodec", i % 11 == 0 ? "av01.0.08M.08" : "avc1.640028");
            f.insert("acodec", i % 3 == 0 ? "mp4a.40.2" : "none");
            f.insert("format_note", "DASH video");
            if (i % 2)
                f.insert("filesize", 5000000 + 1000 * i);
        }
        formats.append(f);
    }
    const QString dir = TestEnv::root() + QStringLiteral("/tmp");
    QDir().mkpath(dir);
    const QString path = dir + QStringLiteral("/bench%1.info.json").arg(formatCount);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QJsonDocument(QJsonObject{{"id", "bench"}, {"title", "Bench"}, {"formats", formats}}).toJson());
    return path;
}
} // namespace

class BenchMediaInfo : public QObject
{
    Q_OBJECT
private slots:
    void loadInfoJson_data()
    {
        QTest::addColumn<QString>("path");
        for (int n : {30, 300, 3000})
            QTest::newRow(qPrintable(QStringLiteral("%1 formats").arg(n))) << writeInfo(n);
    }
    void loadInfoJson()
    {
        QFETCH(QString, path);
        MediaInfo m;
        QBENCHMARK
        {
            m.loadFromFile(path);
        }
        QVERIFY(!m.formats().isEmpty());
    }
};

CW_TEST_MAIN(BenchMediaInfo)
#include "bench_mediainfo.moc"
