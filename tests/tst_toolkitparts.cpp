// The toolkit's shared pieces without a converter run: output names beside the input,
// the converter's length and progress texts, whole-line reading, and the file-dialog
// hook with the remembered folder.

#include "app/folders.h"
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
void touch(const QString &path)
{
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
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
        QTest::newRow("a free name takes the mark and the extension") << "v/clip.mp4"
                                                                      << "_cut"
                                                                      << "mp4" << QStringList() << "v/clip_cut.mp4";
        QTest::newRow("a taken name is numbered from (0)")
            << "v/clip.mp4"
            << "_cut"
            << "mp4" << QStringList{"v/clip_cut.mp4"} << "v/clip_cut (0).mp4";
        QTest::newRow("numbering goes on past taken numbers")
            << "v/clip.mp4"
            << "_cut"
            << "mp4" << QStringList{"v/clip_cut.mp4", "v/clip_cut (0).mp4", "v/clip_cut (1).mp4"}
            << "v/clip_cut (2).mp4";
        QTest::newRow("converting clip.MP4 to mp4 lands beside it as clip.mp4")
            << "v/clip.MP4"
            << ""
            << "mp4" << QStringList() << "v/clip.mp4";
        QTest::newRow("converting clip.MP4 to mp4 takes clip (0).mp4 when clip.mp4 exists")
            << "v/clip.MP4"
            << ""
            << "mp4" << QStringList{"v/clip.mp4"} << "v/clip (0).mp4";
        QTest::newRow("converting an avi to avi never writes over the input")
            << "v/clip.avi"
            << ""
            << "avi" << QStringList{"v/clip.avi"} << "v/clip (0).avi";
        QTest::newRow("a folder named like the suffix keeps the output beside its input")
            << "v/a.mp4.d/clip.mp4"
            << "_cut"
            << "mp4" << QStringList() << "v/a.mp4.d/clip_cut.mp4";
        QTest::newRow("the suffix text is removed everywhere in the file name")
            << "v/a.mp4.b.mp4"
            << "_audio"
            << "mp4" << QStringList() << "v/a.b_audio.mp4";
        QTest::newRow("the rotator keeps the suffix's case") << "v/clip.MOV"
                                                             << "_Rotate270"
                                                             << "MOV" << QStringList() << "v/clip_Rotate270.MOV";
        QTest::newRow("a piece of the splitter is named by its number")
            << "v/long.mkv"
            << "_segment_3"
            << "mkv" << QStringList{"v/long_segment_3.mkv"} << "v/long_segment_3 (0).mkv";
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
        QCOMPARE(ToolJob::freeJoinName(folder, "mp4"), folder + "Join_file(0).mp4");
        touch(folder + "Join_file(0).mp4");
        QCOMPARE(ToolJob::freeJoinName(folder, "mp4"), folder + "Join_file(1).mp4");
    }

    void lengthsAndProgress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("duration");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<int>("progress");
        QTest::newRow("a probe's Duration line gives whole seconds")
            << "Input #0, mov,mp4, from 'a.mp4':\n  Duration: 00:01:40.05, start: 0.000000, bitrate: 117 kb/s\n"
            << qint64(0) << qint64(100) << -1;
        QTest::newRow("hours count too") << "  Duration: 01:02:05.99, start: 0.0\n" << qint64(0) << qint64(3725) << -1;
        QTest::newRow("output without Duration gives no length") << "Press [q] to stop\n"
                                                                 << qint64(0) << qint64(-1) << -1;
        QTest::newRow("an unknown length reads as 0") << "  Duration: N/A, bitrate: N/A\n"
                                                      << qint64(0) << qint64(0) << -1;
        QTest::newRow("a report at 45.07 of 100 seconds is 4507")
            << "frame=   10 fps=0.0 q=-1.0 size=      1kB time=00:00:45.07 bitrate= 117.1kbits/s speed=1x\r"
            << qint64(100) << qint64(-1) << 4500;
        QTest::newRow("the last of several reports counts")
            << "frame=  1 size= 0kB time=00:00:10.00 bitrate=N/A\rframe=  2 size= 0kB time=00:00:20.00 bitrate=N/A\r"
            << qint64(40) << qint64(-1) << 5000;
        QTest::newRow("a time past the end shows at most 99.99")
            << "frame= 30 size= 43kB time=00:02:00.00 bitrate= 117.1kbits/s\r" << qint64(100) << qint64(-1) << 9999;
        QTest::newRow("a time of N/A is no progress")
            << "frame=    0 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A speed=N/A\r" << qint64(100) << qint64(-1)
            << -1;
        QTest::newRow("a time before the start shows nothing done")
            << "frame=    0 size=0kB time=-00:00:00.04 bitrate=N/A\r" << qint64(100) << qint64(-1) << 0;
        QTest::newRow("no progress against an unknown length")
            << "frame= 30 size= 43kB time=00:00:03.01 bitrate= 117.1kbits/s\r" << qint64(0) << qint64(-1) << -1;
    }
    void lengthsAndProgress()
    {
        QFETCH(QString, text);
        QFETCH(qint64, duration);
        QFETCH(qint64, length);
        QFETCH(int, progress);
        QCOMPARE(ToolJob::durationIn(text), length);
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

    void aJoinAddsUpEveryInputsLength()
    {
        const QString text = "Input #0, mov from 'a.mp4':\n  Duration: 00:00:02.00, start: 0.0\n"
                             "Input #1, matroska from 'b.mkv':\n  Duration: 00:00:03.50, start: 0.0\n"
                             "Input #2, mov from 'c.mp4':\n  Duration: 00:01:00.00, start: 0.0\n";
        QCOMPARE(ToolJob::totalDurationIn(text), qint64(65));
    }

    void wholeLines_data()
    {
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<QStringList>("handedOut");
        QTest::newRow("a Duration written in three pieces is handed out once whole")
            << QStringList{"  Duration: ", "00:00:1", "0.00, start: 0.000000\n"}
            << QStringList{"", "", "  Duration: 00:00:10.00, start: 0.000000\n"};
        QTest::newRow("progress reports end with a carriage return")
            << QStringList{"frame= 1 time=00:00:01.00 bitrate=1\rframe= 2 ti", "me=00:00:02.00 bitrate=1\r"}
            << QStringList{"frame= 1 time=00:00:01.00 bitrate=1\r", "frame= 2 time=00:00:02.00 bitrate=1\r"};
        QTest::newRow("several lines in one piece stay together") << QStringList{"a\nb\nc"} << QStringList{"a\nb\n"};
    }
    void wholeLines()
    {
        QFETCH(QStringList, pieces);
        QFETCH(QStringList, handedOut);
        ConverterOutput reader;
        QStringList got;
        for (const QString &piece : pieces)
            got << reader.take(piece.toUtf8());
        QCOMPARE(got, handedOut);
    }

    void theRestIsHandedOutAtTheEnd()
    {
        ConverterOutput reader;
        QCOMPARE(reader.take("line\nConversion failed!"), QStringLiteral("line\n"));
        QCOMPARE(reader.flush(), QStringLiteral("Conversion failed!"));
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

    void theDialogHookAnswersTheNextDialog_data()
    {
        QTest::addColumn<QStringList>("answer");
        QTest::addColumn<bool>("several");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one file chosen") << QStringList{"/m/a.mp4"} << false << QStringList{"/m/a.mp4"};
        QTest::newRow("a cancel chooses nothing") << QStringList() << false << QStringList();
        QTest::newRow("several files chosen")
            << QStringList{"/m/a.mp4", "/m/b.mkv"} << true << QStringList{"/m/a.mp4", "/m/b.mkv"};
        QTest::newRow("a single choice takes the first answer")
            << QStringList{"/m/a.mp4", "/m/b.mkv"} << false << QStringList{"/m/a.mp4"};
    }
    void theDialogHookAnswersTheNextDialog()
    {
        QFETCH(QStringList, answer);
        QFETCH(bool, several);
        QFETCH(QStringList, expected);
        FileDialogTestHook::clear();
        FileDialogTestHook::answerNext(answer);
        QStringList got;
        if (several) {
            got = FileDialogs::openFiles(nullptr, "Pick", "/start", "Media (*.mp4)");
            QCOMPARE(int(FileDialogTestHook::lastRequest().kind), int(FileDialogTestHook::Kind::OpenFiles));
        } else if (const QString one = FileDialogs::openFile(nullptr, "Pick", "/start", "Media (*.mp4)");
                   !one.isEmpty()) {
            got << one;
        }
        QCOMPARE(got, expected);
        QCOMPARE(FileDialogTestHook::pendingAnswers(), 0);
        QCOMPARE(FileDialogTestHook::lastRequest().caption, QStringLiteral("Pick"));
        QCOMPARE(FileDialogTestHook::lastRequest().folder, QStringLiteral("/start"));
        QCOMPARE(FileDialogTestHook::lastRequest().filter, QStringLiteral("Media (*.mp4)"));
    }

    void aStrictHookCancelsAnUnansweredDialog()
    {
        FileDialogTestHook::clear();
        FileDialogTestHook::setStrict(true);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no answer queued"));
        QCOMPARE(FileDialogs::existingFolder(nullptr, "Folder", "/start"), QString());
        QCOMPARE(int(FileDialogTestHook::lastRequest().kind), int(FileDialogTestHook::Kind::Folder));
        FileDialogTestHook::setStrict(false);
    }

    void pickingRemembersTheFolderOfTheFirstFile()
    {
        TestEnv::clearSettings();
        QTemporaryDir dir;
        const QString first = dir.path() + "/one/a.mp4";
        touch(first);
        touch(dir.path() + "/two/b.mp4");
        FileDialogTestHook::answerNext(QStringList{first, dir.path() + "/two/b.mp4"});
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
        const QString path = dir.path() + "/out.mp4";
        if (bytes >= 0) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(bytes, 'x'));
        }
        QCOMPARE(ToolJob::keepOutput(path), kept);
        QCOMPARE(QFile::exists(path), kept);
    }
};

CW_TEST_MAIN(TestToolkitParts)
#include "tst_toolkitparts.moc"
