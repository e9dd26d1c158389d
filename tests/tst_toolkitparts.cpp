// The toolkit's shared pieces without a converter run: output names beside the input,
// the converter's length and progress texts, whole-line reading, the remembered folder
// of the file pickers, and the size rule that judges an output.

#include "app/settings.h"
#include "testlib/testenv.h"
#include "toolkit/tooljob.h"
#include "widgets/filedialogs.h"

#include <QDir>
#include <QFile>

// A page with the two slots the runner connects its process to.
class QuietPage : public QWidget
{
    Q_OBJECT
public slots:
    void ffmpegProcess_StandardOutput_slots() {}
    void ffmpegProcess_Finished(int) {}
};

namespace
{
// A file of the given size (none for -1), and the folders above it.
QString touch(const QString &path, int bytes = 0)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (bytes >= 0 && f.open(QIODevice::WriteOnly))
        f.write(QByteArray(bytes, 'x'));
    return path;
}
} // namespace

class TestToolkitParts : public QObject
{
    Q_OBJECT
private slots:
    void outputNames_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *name, const char *input, const char *mark, const char *ext, QStringList taken,
                      const char *expected) {
            QTest::newRow(name) << QString(input) << QString(mark) << QString(ext) << taken << QString(expected);
        };
        row("a free name takes the mark and the extension", "v/clip.mp4", "_cut", "mp4", {}, "v/clip_cut.mp4");
        row("a taken name is numbered from (0)", "v/clip.mp4", "_cut", "mp4", {"v/clip_cut.mp4"}, "v/clip_cut (0).mp4");
        row("numbering goes on past taken numbers", "v/clip.mp4", "_cut", "mp4",
            {"v/clip_cut.mp4", "v/clip_cut (0).mp4", "v/clip_cut (1).mp4"}, "v/clip_cut (2).mp4");
        row("converting clip.MP4 to mp4 lands beside it as clip.mp4", "v/clip.MP4", "", "mp4", {}, "v/clip.mp4");
        row("converting an avi to avi never writes over the input", "v/clip.avi", "", "avi", {"v/clip.avi"},
            "v/clip (0).avi");
        row("a folder named like the suffix keeps the output beside its input", "v/a.mp4.d/clip.mp4", "_cut", "mp4", {},
            "v/a.mp4.d/clip_cut.mp4");
        row("the suffix text is removed everywhere in the file name", "v/a.mp4.b.mp4", "_audio", "mp4", {},
            "v/a.b_audio.mp4");
        row("the rotator keeps the suffix's case", "v/clip.MOV", "_Rotate270", "MOV", {}, "v/clip_Rotate270.MOV");
    }
    void outputNames()
    {
        QFETCH(QString, input);
        QFETCH(QString, mark);
        QFETCH(QString, ext);
        QFETCH(QStringList, taken);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        for (const QString &t : taken)
            touch(root + t);
        QCOMPARE(ToolJob::freeOutputName(ToolJob::outputBase(root + input), mark, ext), root + expected);
    }

    void joinNamesHaveNoSpaceBeforeTheNumber()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        QCOMPARE(ToolJob::freeJoinName(folder, "mp4"), folder + "Join_file.mp4");
        touch(folder + "Join_file.mp4");
        touch(folder + "Join_file(0).mp4");
        QCOMPARE(ToolJob::freeJoinName(folder, "mp4"), folder + "Join_file(1).mp4");
    }

    void lengthsAndProgress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("duration");
        QTest::addColumn<qint64>("length"); // of the first input
        QTest::addColumn<qint64>("total");  // of every input
        QTest::addColumn<int>("progress");
        auto row = [](const char *name, const char *text, qint64 duration, qint64 length, qint64 total, int progress) {
            QTest::newRow(name) << QString(text) << duration << length << total << progress;
        };
        row("a probe's Duration line gives whole seconds",
            "Input #0, mov,mp4, from 'a.mp4':\n  Duration: 00:01:40.05, start: 0.000000, bitrate: 117 kb/s\n", 0, 100,
            100, -1);
        row("hours count too", "  Duration: 01:02:05.99, start: 0.0\n", 0, 3725, 3725, -1);
        row("a join adds up the lengths of every input",
            "Input #0, mov from 'a.mp4':\n  Duration: 00:00:02.00, start: 0.0\nInput #1, matroska from 'b.mkv':\n"
            "  Duration: 00:00:03.50, start: 0.0\nInput #2, mov from 'c.mp4':\n  Duration: 00:01:00.00, start: 0.0\n",
            0, 2, 65, -1);
        row("output without Duration gives no length", "Press [q] to stop\n", 0, -1, 0, -1);
        row("an unknown length reads as 0", "  Duration: N/A, bitrate: N/A\n", 0, 0, 0, -1);
        row("a report at 45.07 of 100 seconds is 4507",
            "frame=   10 fps=0.0 q=-1.0 size=      1kB time=00:00:45.07 bitrate= 117.1kbits/s speed=1x\r", 100, -1, 0,
            4500);
        row("the last of several reports counts",
            "frame=  1 size= 0kB time=00:00:10.00 bitrate=N/A\rframe=  2 size= 0kB time=00:00:20.00 bitrate=N/A\r", 40,
            -1, 0, 5000);
        row("a time past the end shows at most 99.99", "frame= 30 size= 43kB time=00:02:00.00 bitrate= 117.1kbits/s\r",
            100, -1, 0, 9999);
        row("a time of N/A is no progress",
            "frame=    0 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A speed=N/A\r", 100, -1, 0, -1);
        row("a time before the start shows nothing done", "frame=    0 size=0kB time=-00:00:00.04 bitrate=N/A\r", 100,
            -1, 0, 0);
        row("no progress against an unknown length", "frame= 30 size= 43kB time=00:00:03.01 bitrate= 117.1kbits/s\r", 0,
            -1, 0, -1);
    }
    void lengthsAndProgress()
    {
        QFETCH(QString, text);
        QFETCH(qint64, duration);
        QFETCH(qint64, length);
        QFETCH(qint64, total);
        QFETCH(int, progress);
        QCOMPARE(ToolJob::durationIn(text), length);
        QCOMPARE(ToolJob::totalDurationIn(text), total);
        QCOMPARE(ToolJob::progressIn(text, duration), progress);
    }

    void displayRotation_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rotation");
        QTest::newRow("a phone's portrait video reads -90")
            << "    Side data:\n      displaymatrix: rotation of -90.00 degrees\n"
            << -90;
        QTest::newRow("an angle past a turn counts what is left of it")
            << "displaymatrix: rotation of -450.00 degrees" << -90;
        QTest::newRow("an angle past any integer counts what is left of its turns")
            << "displaymatrix: rotation of 4294967386.00 degrees" << 346;
    }
    void displayRotation()
    {
        QFETCH(QString, text);
        QFETCH(int, rotation);
        QCOMPARE(ToolJob::displayRotationIn(text), rotation);
    }

    void percentTexts_data()
    {
        QTest::addColumn<int>("progress");
        QTest::addColumn<QString>("text");
        QTest::newRow("4507 drops the leading zero of the hundredths") << 4507 << "45.7%";
        QTest::newRow("9999 is the most shown") << 9999 << "99.99%";
        QTest::newRow("nothing done") << 0 << "0.0%";
        QTest::newRow("one percent") << 100 << "1.0%";
        QTest::newRow("ten and a half") << 1050 << "10.50%";
    }
    void percentTexts()
    {
        QFETCH(int, progress);
        QFETCH(QString, text);
        QCOMPARE(ToolJob::percentText(progress), text);
    }

    void wholeLines_data()
    {
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<QStringList>("handedOut"); // the last is what is left at the end
        QTest::newRow("a Duration written in three pieces is handed out once whole")
            << QStringList{"  Duration: ", "00:00:1", "0.00, start: 0.000000\n"}
            << QStringList{"", "", "  Duration: 00:00:10.00, start: 0.000000\n", ""};
        QTest::newRow("progress reports end with a carriage return")
            << QStringList{"frame= 1 time=00:00:01.00 bitrate=1\rframe= 2 ti", "me=00:00:02.00 bitrate=1\r"}
            << QStringList{"frame= 1 time=00:00:01.00 bitrate=1\r", "frame= 2 time=00:00:02.00 bitrate=1\r", ""};
        QTest::newRow("several lines in one piece stay together, the unended rest comes at the end")
            << QStringList{"a\nb\nc"} << QStringList{"a\nb\n", "c"};
        QTest::newRow("the converter's last words without a line end come at the end")
            << QStringList{"line\nConversion failed!"} << QStringList{"line\n", "Conversion failed!"};
    }
    void wholeLines()
    {
        QFETCH(QStringList, pieces);
        QFETCH(QStringList, handedOut);
        ConverterOutput reader;
        QStringList got;
        for (const QString &piece : pieces)
            got << reader.take(piece.toUtf8());
        QCOMPARE(got << reader.flush(), handedOut);
        QCOMPARE(reader.flush(), QString());
    }

    void aPieceWithLengthAndProgressOnlyGivesTheLength()
    {
        QuietPage page;
        ToolJobRunner runner(&page);
        const QString piece = "  Duration: 00:00:10.00, start: 0.0\nframe= 5 time=00:00:05.00 bitrate=1\r";
        QCOMPARE(runner.readProgress(piece), -1);
        QCOMPARE(runner.duration(), qint64(10));
        QCOMPARE(runner.readProgress("frame= 5 time=00:00:05.00 bitrate=1\r"), 5000);
        // Another "Duration:" later (an output's) does not replace the input's length.
        runner.readDuration("  Duration: 00:00:50.00, start: 0.0\n");
        QCOMPARE(runner.duration(), qint64(10));
    }

    void pickingRemembersTheFolderOfTheFirstFile()
    {
        TestEnv::clearSettings();
        QTemporaryDir dir;
        FileDialogTestHook::answerNext(QStringList{touch(dir.path() + "/one/a.mp4"), touch(dir.path() + "/two/b.mp4")});
        QCOMPARE(ToolJob::pickFiles(nullptr, true, "Select", ToolJob::mediaFilter()).size(), 2);
        QCOMPARE(Settings::readText(Settings::Key::addVideoPath), dir.path() + "/one/");

        // The next picker opens there; choosing nothing leaves the folder alone.
        FileDialogTestHook::answerNext(QStringList());
        QVERIFY(ToolJob::pickFiles(nullptr, false, "Open File", ToolJob::mediaFilter()).isEmpty());
        QCOMPARE(FileDialogTestHook::lastRequest().folder, dir.path() + "/one/");
        QCOMPARE(int(FileDialogTestHook::lastRequest().kind), int(FileDialogTestHook::Kind::OpenFile));
        QCOMPARE(Settings::readText(Settings::Key::addVideoPath), dir.path() + "/one/");
    }

    void aSmallOutputIsNoResult_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<bool>("kept");
        QTest::newRow("1024 bytes are too few") << 1024 << false;
        QTest::newRow("1025 bytes are enough") << 1025 << true;
        QTest::newRow("an empty output is removed") << 0 << false;
        QTest::newRow("a missing output is a failure") << -1 << false;
    }
    void aSmallOutputIsNoResult()
    {
        QFETCH(int, bytes);
        QFETCH(bool, kept);
        QTemporaryDir dir;
        const QString path = touch(dir.path() + "/out.mp4", bytes);
        QCOMPARE(ToolJob::keepOutput(path), kept);
        QCOMPARE(QFile::exists(path), kept);
    }
};

CW_TEST_MAIN(TestToolkitParts)
#include "tst_toolkitparts.moc"
