// Sizes, durations, time texts, file names and fingerprints as the lists and tools show them.

#include "app/format.h"
#include "testlib/testenv.h"

class TestFormat : public QObject
{
    Q_OBJECT
private slots:
    void formatSize_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing is two hyphens") << qint64(0) << " -- ";
        QTest::newRow("a negative count is two hyphens") << qint64(-5) << " -- ";
        QTest::newRow("one byte") << qint64(1) << "1 bytes";
        QTest::newRow("just below a kilobyte") << qint64(1023) << "1023 bytes";
        QTest::newRow("exactly a kilobyte") << qint64(1024) << "1.00 KB";
        QTest::newRow("a kilobyte and a half") << qint64(1536) << "1.50 KB";
        QTest::newRow("just below a megabyte") << qint64(1048575) << "1024.00 KB";
        QTest::newRow("exactly a megabyte") << qint64(1048576) << "1.00 M";
        QTest::newRow("a megabyte and a half") << qint64(1572864) << "1.50 M";
        QTest::newRow("megabytes drop the bytes below a kilobyte") << qint64(1048576 + 1023) << "1.00 M";
        QTest::newRow("exactly a gigabyte") << qint64(1073741824) << "1.00 G";
        QTest::newRow("five billion bytes") << qint64(5000000000LL) << "4.66 G";
        QTest::newRow("eight exabytes do not overflow") << qint64(9223372036854775807LL) << "8589934592.00 G";
    }
    void formatSize()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(::formatSize(bytes), text);
    }

    void formatDurationMicros_data()
    {
        QTest::addColumn<qint64>("micros");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "00:00";
        QTest::newRow("a minute and five seconds") << qint64(65000000) << "01:05";
        QTest::newRow("parts of a second are dropped") << qint64(65999999) << "01:05";
        QTest::newRow("just below an hour") << qint64(3599000000LL) << "59:59";
        QTest::newRow("exactly an hour") << qint64(3600000000LL) << "01:00:00";
        QTest::newRow("an hour, two minutes, five seconds") << qint64(3725000000LL) << "01:02:05";
        QTest::newRow("a hundred hours") << qint64(360000000000LL) << "100:00:00";
        QTest::newRow("a negative length shows as nothing") << qint64(-65000000) << "00:00";
    }
    void formatDurationMicros()
    {
        QFETCH(qint64, micros);
        QFETCH(QString, text);
        QCOMPARE(::formatDurationMicros(micros), text);
    }

    void formatSeconds_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "00:00:00";
        QTest::newRow("an hour, two minutes, five seconds") << qint64(3725) << "01:02:05";
        QTest::newRow("59 seconds") << qint64(59) << "00:00:59";
        QTest::newRow("a hundred hours") << qint64(360000) << "100:00:00";
    }
    void formatSeconds()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(::formatSeconds(seconds), text);
    }

    void parseTimeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("hours, minutes, seconds") << "1:02:05" << qint64(3725);
        QTest::newRow("minutes and seconds") << "2:05" << qint64(125);
        QTest::newRow("a bare number is no time") << "125" << qint64(0);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("two colons alone") << "::" << qint64(0);
        QTest::newRow("four parts are no time") << "1:2:3:4" << qint64(0);
        QTest::newRow("an unreadable part counts as zero") << "1:xx:05" << qint64(3605);
        QTest::newRow("an empty part counts as zero") << "1::05" << qint64(3605);
        QTest::newRow("minutes past sixty still add up") << "0:90:00" << qint64(5400);
        QTest::newRow("formatSeconds reads back") << "100:00:00" << qint64(360000);
    }
    void parseTimeText()
    {
        QFETCH(QString, text);
        QFETCH(qint64, seconds);
        QCOMPARE(::parseTimeText(text), seconds);
    }

    void cleanFileName_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        const auto row = [](const char *name, const QString &title, const QString &cleaned) {
            QTest::newRow(name) << title << cleaned;
        };
        row("slash, colon, dot and question mark go", "A/B: c.d?", "AB cd");
        row("every removed character goes", ".,'/\\\":;|*<>?@$%^~!#&=\n", "");
        row("blanks stay, nothing is trimmed", "  a  b  ", "  a  b  ");
        row("other punctuation stays", "(Live) [HD] - part_1 + {x}", "(Live) [HD] - part_1 + {x}");
        const QString chinese = QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x8e\xac");
        row("Chinese and emoji stay", chinese, chinese);
        row("a tab and a carriage return stay", "a\tb\rc", "a\tb\rc");
        row("path climbing is defused", "../../etc/passwd", "etcpasswd");
    }
    void cleanFileName()
    {
        QFETCH(QString, title);
        QFETCH(QString, name);
        QCOMPARE(::cleanFileName(title), name);
    }

    void md5Hex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digest");
        QTest::newRow("empty") << QString() << "d41d8cd98f00b204e9800998ecf8427e";
        QTest::newRow("a link") << QStringLiteral("https://www.youtube.com/watch?v=abc")
                                << "df306b26c16bf91b190193d89a078af9";
        QTest::newRow("the UTF-8 bytes count, not UTF-16")
            << QString::fromUtf8("\xc3\xa9") << "66ddcd97cfdeabb2f6fb8a999b4bc76f";
    }
    void md5Hex()
    {
        QFETCH(QString, text);
        QFETCH(QString, digest);
        QCOMPARE(::md5Hex(text), digest);
    }
};

CW_TEST_MAIN(TestFormat)
#include "tst_format.moc"
