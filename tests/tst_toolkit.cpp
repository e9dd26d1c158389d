// The video toolkit in the real main window, with the real ffmpeg on small clips made
// once here: the home's tiles, and each tool's job from picking files to its message,
// with the outputs checked by ffprobe or by a decoded picture.

#include "app/appenv.h"
#include "app/folders.h"
#include "app/settings.h"
#include "shell/languages.h"
#include "shell/loadingwidget.h"
#include "shell/mainwindow.h"
#include "shell/titlebar.h"
#include "testlib/testenv.h"
#include "toolkit/audioadder.h"
#include "toolkit/backgroundcopy.h"
#include "toolkit/converter.h"
#include "toolkit/cutter.h"
#include "toolkit/joiner.h"
#include "toolkit/rotator.h"
#include "toolkit/splitter.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolkithome.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"
#include "widgets/filedialogs.h"
#include "widgets/messagedialogs.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QIntValidator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocumentFragment>

#include <sys/stat.h>

// Stands in for the download page, counting what the toolkit asks of it.
class StubDownloadPage : public QWidget
{
    Q_OBJECT
public:
    int firstLoads = 0;
    int reopens = 0;
public slots:
    void fristLoad()
    {
        ++firstLoads;
    }
    void reopen()
    {
        ++reopens;
    }
};

namespace
{
const int kJobTimeout = 30000;
using Home = ToolKitManagerWidget;

// Runs ffmpeg or ffprobe to its end; true when it succeeded. Its standard output goes to out.
bool run(const QString &tool, const QStringList &args, QByteArray *out = nullptr)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(tool), args);
    const bool ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (out)
        *out = p.readAllStandardOutput();
    return ok;
}

// What ffprobe tells about a file.
struct Facts {
    double seconds = 0;
    int videoStreams = 0;
    int audioStreams = 0;
    int sampleRate = 0;
};

Facts factsOf(const QString &path)
{
    QByteArray json;
    run("ffprobe", {"-v", "error", "-show_streams", "-show_format", "-of", "json", path}, &json);
    const QJsonObject all = QJsonDocument::fromJson(json).object();
    Facts f;
    f.seconds = all.value("format")["duration"].toString().toDouble();
    for (const QJsonValue &stream : all.value("streams").toArray()) {
        f.videoStreams += stream["codec_type"].toString() == "video";
        if (stream["codec_type"].toString() == "audio") {
            ++f.audioStreams;
            f.sampleRate = stream["sample_rate"].toString().toInt();
        }
    }
    return f;
}

// Where the red corner of a marked clip is seen in the first picture the converter
// decodes (turned as its display matrix says), and the size it is shown at.
QString redCorner(const QString &path, QSize *shown)
{
    QByteArray ppm;
    run("ffmpeg", {"-v", "error", "-i", path, "-frames:v", "1", "-f", "image2pipe", "-vcodec", "ppm", "-"}, &ppm);
    const QImage image = QImage::fromData(ppm, "PPM");
    *shown = image.size();
    QStringList red;
    for (int i = 0; i < 4 && !image.isNull(); ++i) {
        const QColor c = image.pixelColor(i % 2 ? image.width() - 5 : 4, i / 2 ? image.height() - 5 : 4);
        if (c.red() > 150 && c.blue() < 100)
            red << QStringList{"top left", "top right", "bottom left", "bottom right"}.at(i);
    }
    return red.join(", ");
}

QString fixture(const QString &name)
{
    return TestEnv::root() + "/fixtures/" + name;
}

// A clip of ffmpeg's own sources, seconds long: a picture (none when empty) and a sound.
bool makeFixture(const QString &name, double seconds, const QString &picture = "testsrc=size=160x90:rate=10",
                 const QString &sound = "sine", const QStringList &soundCodec = {"-c:a", "aac"})
{
    QStringList args{"-v", "error", "-y"};
    if (!picture.isEmpty())
        args << "-f"
             << "lavfi"
             << "-i" << picture;
    args << "-f"
         << "lavfi"
         << "-i" << sound << "-t" << QString::number(seconds);
    if (!picture.isEmpty())
        args << "-c:v"
             << "libx264"
             << "-preset"
             << "ultrafast"
             << "-pix_fmt"
             << "yuv420p";
    return run("ffmpeg", args + soundCodec + QStringList{fixture(name)});
}

// A fresh folder for one case's inputs and outputs.
QString mediaDir(const QString &name)
{
    const QString dir = TestEnv::root() + "/media/" + name;
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}

// The fixture copied into dir under the name asked for (which may name no format).
QString copyOf(const QString &fixtureName, const QString &dir, const QString &name)
{
    const QString path = dir + QLatin1Char('/') + name;
    QFile::remove(path);
    if (!QFile::copy(fixture(fixtureName), path))
        qWarning() << "cannot copy" << fixtureName << "to" << path;
    return path;
}

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A named pipe at path fed with the bytes of source and then held open: whatever reads
// it has the whole clip at once but never sees its end, so its run stays in progress.
std::unique_ptr<QProcess> holdOpenFeed(const QString &path, const QString &source)
{
    QFile::remove(path);
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        return nullptr;
    auto feed = std::make_unique<QProcess>();
    // The shell opens the pipe in the child: opened here it would wait for a reader.
    feed->start("/bin/sh", {"-c", "exec cat -- \"$1\" - > \"$2\"", "sh", source, path});
    return feed;
}

bool hasArguments(const QStringList &args, const QStringList &part)
{
    for (int i = 0; i + part.size() <= args.size(); ++i)
        if (args.mid(i, part.size()) == part)
            return true;
    return false;
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}
} // namespace

class TestToolkit : public QObject
{
    Q_OBJECT
    DoRaDuvoZezavi *m_window = nullptr;
    Home *m_home = nullptr;
    int m_answers = 0;
    QString m_probeNotice; // what the last probe's failure said
    QString m_app = TestEnv::root() + "/app";
    QString m_brokenApp = TestEnv::root() + "/app-without-ffmpeg";

    bool overlayShown() const
    {
        return m_window->loadingWidget()->isVisible();
    }

    ToolPage *page(int tile) const
    {
        return QList<ToolPage *>{m_home->cutter(),  m_home->joiner(),     m_home->splitter(),
                                 m_home->rotator(), m_home->audioAdder(), m_home->converter()}
            .value(tile);
    }

    // Presses Start with an OK queued for the notice the job ends with.
    void start(ToolPage *tool)
    {
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        m_answers = DialogTestHook::pendingAnswers();
        click(tool->startButton());
    }

    // Waits for the notice the job ends with to be shown and answered; its text.
    QString notice()
    {
        if (!QTest::qWaitFor([&] { return DialogTestHook::pendingAnswers() < m_answers; }, kJobTimeout))
            return QStringLiteral("no notice");
        m_answers = DialogTestHook::pendingAnswers();
        if (!QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }, 5000))
            return QStringLiteral("the notice stayed open");
        return DialogTestHook::lastMessage();
    }

    // Opens the tile's tool with its inputs (the audio adder's are the video and the sound),
    // chooses the format or angle, and lets a probe read the length. A probe's failure
    // notice is answered and kept in m_probeNotice.
    ToolPage *loadTool(int tile, const QStringList &inputs, int choice = 0)
    {
        click(m_home->tile(tile));
        ToolPage *tool = page(tile);
        if (tile == Home::AddAudioTile) {
            FileDialogTestHook::answerNext(inputs.value(0));
            click(m_home->audioAdder()->addVideoButton());
            FileDialogTestHook::answerNext(inputs.value(1));
            click(m_home->audioAdder()->addAudioButton());
        } else if (auto *list = dynamic_cast<ListToolPage *>(tool)) {
            FileDialogTestHook::answerNext(inputs);
            click(list->addButton());
            if (tile == Home::ConverterTile)
                click(m_home->converter()->formatButton(choice));
            if (tile == Home::RotaterTile)
                click(m_home->rotator()->angleButton(choice));
        } else {
            DialogTestHook::answerNext(DialogTestHook::Press::OK);
            FileDialogTestHook::answerNext(inputs.value(0));
            click(static_cast<ProbeToolPage *>(tool)->addButton());
            if (!QTest::qWaitFor(
                    [&] { return tool->startButton()->isEnabled() || DialogTestHook::pendingAnswers() == 0; },
                    kJobTimeout))
                qWarning() << "the probe did not end";
            m_probeNotice = DialogTestHook::pendingAnswers() == 0 ? DialogTestHook::lastMessage() : QString();
            DialogTestHook::clear();
        }
        tool->job()->forgetStartedRuns();
        return tool;
    }

    VideoSpliterWidget *openHundredSecondsInSplitter()
    {
        const QString input = copyOf("hundred.mp4", mediaDir("split"), "long.mp4");
        return static_cast<VideoSpliterWidget *>(loadTool(Home::SpliterTile, {input}));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable("ffprobe").isEmpty(), "ffprobe is needed to check the outputs");
        // The converter's whole output would bury the test's own lines.
        QLoggingCategory::setFilterRules("clipwright.toolkit.debug=false");
        QDir().mkpath(m_app + "/Lang");
        QDir().mkpath(m_brokenApp);
        QDir().mkpath(fixture(""));
        QVERIFY(QFile::link(QStandardPaths::findExecutable("ffmpeg"), m_app + "/ffmpeg"));
        for (const char *file : {"Lang_EN.qm", "Lang_ZH.qm", "Lang_config"})
            QFile::copy(TestEnv::binDir() + "/Lang/" + file, m_app + "/Lang/" + file);

        // The clips every case copies from. Blue with a red top-left corner tells a turn.
        const QString marked = "color=c=blue:size=160x90:rate=10,drawbox=x=0:y=0:w=40:h=30:color=red:t=fill";
        const QList<QPair<const char *, int>> clips{{"one.mp4", 1},  {"two.mp4", 2}, {"four.mkv", 4},
                                                    {"ten.mp4", 10}, {"ten.ts", 10}, {"hundred.mp4", 100}};
        for (const auto &clip : clips)
            QVERIFY2(makeFixture(clip.first, clip.second), clip.first);
        QVERIFY(makeFixture("marked.mp4", 2, marked));
        QVERIFY(makeFixture("marked.mkv", 2, marked));
        QVERIFY(run("ffmpeg", {"-v", "error", "-i", fixture("marked.mp4"), "-metadata:s:v", "rotate=90", "-c", "copy",
                               fixture("marked-turned.mp4")})); // shown a quarter turn counter-clockwise
        // Raw sound, which a stream copy cannot put into an mp4.
        QVERIFY(makeFixture("raw.mkv", 2, "testsrc=size=160x90:rate=10", "sine", {"-c:a", "pcm_s16le"}));
        QVERIFY(makeFixture("song.mp3", 2, "", "sine=sample_rate=8000", {}));
        QVERIFY(makeFixture("tiny.mp3", 0.05, "", "sine=sample_rate=8000", {})); // far below any usable output
        // Its tracks can be read, but not one picture: a converter opens an output and writes nothing.
        QFile shortened(fixture("short.mkv"));
        QVERIFY(shortened.open(QIODevice::WriteOnly) && shortened.write(contentOf(fixture("four.mkv")).left(2000)));
        QFile text(fixture("junk.mp4"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("this is not media at all\n"));

        setAppDirPath(m_app);
        FileDialogTestHook::setStrict(true);
        DialogTestHook::setStrict(true);
        Settings::writeLanguage("EN");
        m_window = new DoRaDuvoZezavi;
        m_window->show();
        m_home = qobject_cast<Home *>(m_window->page(DoRaDuvoZezavi::Page::Toolkit));
        QVERIFY(m_home);
    }

    void cleanupTestCase()
    {
        delete m_window;
    }

    void init()
    {
        setAppDirPath(m_app);
        DialogTestHook::clear();
        FileDialogTestHook::clear();
        m_window->showToolkitPage();
    }

    void cleanup()
    {
        // Whatever a case left open is closed as the user would, through the title bar.
        if (m_home->closeTool())
            m_window->showToolkitPage();
        m_window->showLoading(false);
        QCOMPARE(FileDialogTestHook::pendingAnswers(), 0);
        DialogTestHook::clear();
    }

    // --- the home ---------------------------------------------------------------

    void aTileOpensItsToolAndTheTitleBarClosesIt_data()
    {
        QTest::addColumn<int>("tile");
        const char *tools[] = {"cutter", "joiner", "splitter", "rotator", "audio adder", "converter"};
        for (int tile = 0; tile < Home::DownloaderTile; ++tile)
            QTest::addRow("the %s", tools[tile]) << tile;
    }
    void aTileOpensItsToolAndTheTitleBarClosesIt()
    {
        QFETCH(int, tile);
        QVERIFY(!m_home->closeTool()); // with no tool open, closing is not the toolkit's to answer
        click(m_home->tile(tile));
        for (int other = 0; other < Home::DownloaderTile; ++other)
            QCOMPARE(page(other)->isVisible(), other == tile);
        QCOMPARE(page(tile)->geometry(), m_home->rect());
        // The title bar's close button brings the home back and leaves the window open.
        click(m_window->titleBar()->closeButton());
        QVERIFY(!page(tile)->isVisible());
        QVERIFY(m_home->isVisible());
        QVERIFY(m_window->isVisible());
    }

    void onlyTheFirstDownloadVisitLoadsTheList()
    {
        QPointer<QWidget> realPage = m_window->page(DoRaDuvoZezavi::Page::Download);
        auto *stub = new StubDownloadPage;
        m_window->setPage(DoRaDuvoZezavi::Page::Download, stub);
        Home::resetDownloadFirstVisit();
        click(m_home->tile(Home::DownloaderTile));
        QVERIFY(stub->isVisible());
        QVERIFY(!m_home->isVisible());
        QCOMPARE(stub->reopens, 1);
        QCOMPARE(stub->firstLoads, 0); // not at once: 100 ms later
        QTRY_COMPARE(stub->firstLoads, 1);

        m_window->showToolkitPage();
        click(m_home->tile(Home::DownloaderTile));
        QCOMPARE(stub->reopens, 2);
        QTest::qWait(300);
        QCOMPARE(stub->firstLoads, 1);
        m_window->setPage(DoRaDuvoZezavi::Page::Download, realPage);
        delete stub;
    }

    void theListKeepsItsFilesAndAnswersItsKeys_data()
    {
        QTest::addColumn<QList<int>>("selectedBefore");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<int>("selectedAfter");
        auto row = [](const char *name, QList<int> selected, int key, int modifiers, int rows, int selectedAfter) {
            QTest::newRow(name) << selected << key << modifiers << rows << selectedAfter;
        };
        row("Ctrl+A selects every row", {}, Qt::Key_A, Qt::ControlModifier, 3, 3);
        row("Ctrl+Shift+A is not Control alone", {}, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, 3, 0);
        row("Ctrl+Z deselects every row", {0, 2}, Qt::Key_Z, Qt::ControlModifier, 3, 0);
        row("Delete takes the selected rows out", {0, 2}, Qt::Key_Delete, Qt::NoModifier, 1, 0);
        row("Backspace on every row empties the list and disables Start", {0, 1, 2}, Qt::Key_Backspace, Qt::NoModifier,
            0, 0);
    }
    void theListKeepsItsFilesAndAnswersItsKeys()
    {
        QFETCH(QList<int>, selectedBefore);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, rowsAfter);
        QFETCH(int, selectedAfter);
        const QString dir = mediaDir("keys");
        QStringList files{dir + "/gone.mp4"};
        for (const char *name : {"a.mp4", "b.mp4", "c.mp4"})
            files << copyOf("junk.mp4", dir, name);
        ToolPage *tool = loadTool(Home::RotaterTile, files, 1);
        // The file that does not exist was not added; opening the tool again keeps the list and the angle.
        click(m_home->tile(Home::RotaterTile));
        QCOMPARE(m_home->rotator()->fileList()->count(), 3);
        QCOMPARE(m_home->rotator()->angleIndex(), 1);
        QVERIFY(!m_home->rotator()->angleButton(1)->isEnabled() && m_home->rotator()->angleButton(0)->isEnabled());
        for (int row : selectedBefore)
            m_home->rotator()->fileList()->topLevelItem(row)->setSelected(true);
        QCOMPARE(tool->focusPolicy(), Qt::WheelFocus);
        QTest::keyClick(tool, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_home->rotator()->fileList()->count(), rowsAfter);
        QCOMPARE(m_home->rotator()->fileList()->selectedItems().size(), selectedAfter);
        QCOMPARE(tool->startButton()->isEnabled(), rowsAfter > 0);
    }

    // --- the cutter -----------------------------------------------------------------

    void theCutterCutsTheAskedStretchWithinTheClip_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QPoint>("starts"); // the start field's range, from 0 to the last start
        QTest::addColumn<int>("from");      // put in the start field
        QTest::addColumn<int>("longest");   // the cut field then, and the top of its range
        QTest::addColumn<QString>("cut");
        QTest::addColumn<QString>("sent"); // the cut's length as sent to the converter
        auto row = [](const char *name, const char *clip, int seconds, QPoint starts, int from, int longest,
                      const char *cut, const char *sent) {
            QTest::newRow(name) << QString(clip) << seconds << starts << from << longest << QString(cut)
                                << QString(sent);
        };
        row("ten seconds: three from second two", "ten.mp4", 10, {0, 8}, 2, 8, "3", "3");
        row("ten seconds: a cut below two seconds is sent as two", "ten.mp4", 10, {0, 8}, 5, 5, "1", "2");
        row("one second leaves no start to choose, and the cut is sent as two", "one.mp4", 1, {0, -1}, 0, 1, "1", "2");
    }
    void theCutterCutsTheAskedStretchWithinTheClip()
    {
        QFETCH(QString, clip);
        QFETCH(int, seconds);
        QFETCH(QPoint, starts);
        QFETCH(int, from);
        QFETCH(int, longest);
        QFETCH(QString, cut);
        QFETCH(QString, sent);
        const QString dir = mediaDir("cut");
        const QString in = copyOf(clip, dir, clip);
        const QString out = dir + "/" + QFileInfo(clip).completeBaseName() + "_cut.mp4";
        auto *tool = static_cast<VideoCutterWidget *>(loadTool(Home::CutterTile, {in}));
        auto range = [](QLineEdit *field) {
            const auto *v = qobject_cast<const QIntValidator *>(field->validator());
            return v ? QPoint(v->bottom(), v->top()) : QPoint(-1, -1);
        };
        // As read: from 0, the whole clip; a cut is 2 seconds at least.
        QCOMPARE(tool->duration(), qint64(seconds));
        QVERIFY(tool->startTimeLineEdit()->isEnabled());
        QCOMPARE(tool->startTimeLineEdit()->text(), QStringLiteral("0"));
        QCOMPARE(tool->durationsLineEdit()->text(), QString::number(seconds));
        QCOMPARE(range(tool->startTimeLineEdit()), starts);
        QCOMPARE(range(tool->durationsLineEdit()), QPoint(2, qMax(seconds, 2)));
        QCOMPARE(tool->informationLabel()->text(),
                 QStringLiteral("The current video duration is: 00:00:%1.\n\nThe  \"Start time\"  value ranges from 0 "
                                "to %2 seconds and the  \"Cut duration\"  value ranges from 2 to %3 seconds.")
                     .arg(seconds, 2, 10, QLatin1Char('0'))
                     .arg(qMax(starts.y(), 0))
                     .arg(qMax(seconds, 2)));
        // A later start makes the longest cut shorter, and the cut field follows.
        tool->startTimeLineEdit()->setText(QString::number(from));
        QCOMPARE(tool->durationsLineEdit()->text(), QString::number(longest));
        QCOMPARE(range(tool->durationsLineEdit()).y(), qMax(longest, 2));
        tool->durationsLineEdit()->setText(cut);
        start(tool);
        QVERIFY(!tool->startButton()->isEnabled());
        QVERIFY(overlayShown());
        QCOMPARE(notice(), QStringLiteral("Cut completed."));
        QVERIFY(tool->startButton()->isEnabled());
        QVERIFY(!overlayShown());
        QVERIFY(hasArguments(tool->job()->startedRuns().value(0),
                             {"-ss", QStringLiteral("00:00:0%1").arg(from), "-i", in, "-c", "copy", "-t", sent, out}));
        const double length = factsOf(out).seconds;
        QVERIFY2(qAbs(length - qMin(sent.toDouble(), double(seconds - from))) <= 1.0,
                 qPrintable(QString::number(length)));
    }

    // --- the splitter -----------------------------------------------------------------

    void theSplitterPlansItsPiecesFromTheLengthItRead_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("count");
        auto row = [](const char *name, int mode, const char *value, int length, int count) {
            QTest::newRow(name) << mode << QString(value) << length << count;
        };
        row("by count 3, pieces of 34 seconds", 0, "3", 34, 3);
        row("by count 4, pieces of 25 seconds", 0, "4", 25, 4);
        row("a count of 0 is taken as 1", 0, "0", 100, 1);
        row("a negative count is taken as 1", 0, "-5", 100, 1);
        row("by length 30, four pieces", 1, "30", 30, 4);
        row("by length 50, two pieces", 1, "50", 50, 2);
        row("a length below 2 is taken as 2", 1, "1", 2, 50);
    }
    void theSplitterPlansItsPiecesFromTheLengthItRead()
    {
        QFETCH(int, mode);
        QFETCH(QString, value);
        QFETCH(int, length);
        QFETCH(int, count);
        VideoSpliterWidget *tool = openHundredSecondsInSplitter();
        // As read: two pieces by count, the length field locked.
        QCOMPARE(tool->duration(), qint64(100));
        QCOMPARE(tool->splitMode(), 0);
        QCOMPARE(tool->countLineEdit()->text(), QStringLiteral("2"));
        QCOMPARE(tool->timesLineEdit()->text(), QStringLiteral("50"));
        QVERIFY(tool->countLineEdit()->isEnabled() && !tool->timesLineEdit()->isEnabled());
        QVERIFY(!tool->countButton()->isEnabled() && tool->timesButton()->isEnabled()); // the chosen look
        const auto *counts = qobject_cast<const QIntValidator *>(tool->countLineEdit()->validator());
        const auto *lengths = qobject_cast<const QIntValidator *>(tool->timesLineEdit()->validator());
        QVERIFY(counts && lengths);
        QCOMPARE(QPoint(counts->bottom(), counts->top()), QPoint(2, 10));
        QCOMPARE(QPoint(lengths->bottom(), lengths->top()), QPoint(2, 98));
        QCOMPARE(tool->countInfoLabel()->text(),
                 QStringLiteral("Divide the video into segments, Please enter a number greater than 0.\n The current "
                                "video duration is: 00:01:40 , The each segment video will be divided into :00:00:50"));
        QCOMPARE(tool->timesInfoLabel()->text(),
                 QStringLiteral("Segmentation by length of time, Enter seconds of a segments. \nThe current video "
                                "duration is: 00:01:40 , It will split to 2 files."));

        click(mode == 0 ? tool->countButton() : tool->timesButton());
        (mode == 0 ? tool->countLineEdit() : tool->timesLineEdit())->setText(value);
        QCOMPARE(tool->splitMode(), mode);
        QCOMPARE(tool->segmentLength(), length);
        QCOMPARE(tool->segmentCount(), count);

        // Opened again, the splitter has forgotten the file.
        click(m_window->titleBar()->closeButton());
        click(m_home->tile(Home::SpliterTile));
        QVERIFY(tool->inputPath().isEmpty() && !tool->startButton()->isEnabled());
        QVERIFY(!tool->countLineEdit()->isEnabled() && !tool->timesLineEdit()->isEnabled());
        QVERIFY(tool->countButton()->isEnabled() && tool->timesButton()->isEnabled());
    }

    void theSplitterWritesEveryPieceOfThePlanItStartedWith_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("starts");
        QTest::addColumn<QString>("length");
        QTest::newRow("100 seconds by count 3 start at 0, 34 and 68")
            << 0 << "3" << QStringList{"00:00:00", "00:00:34", "00:01:08"} << "34";
        QTest::newRow("100 seconds by length 30 give four pieces")
            << 1 << "30" << QStringList{"00:00:00", "00:00:30", "00:01:00", "00:01:30"} << "30";
    }
    void theSplitterWritesEveryPieceOfThePlanItStartedWith()
    {
        QFETCH(int, mode);
        QFETCH(QString, value);
        QFETCH(QStringList, starts);
        QFETCH(QString, length);
        VideoSpliterWidget *tool = openHundredSecondsInSplitter();
        MyPushButton *chosen = mode == 0 ? tool->countButton() : tool->timesButton();
        QLineEdit *field = mode == 0 ? tool->countLineEdit() : tool->timesLineEdit();
        click(chosen);
        field->setText(value);
        start(tool);
        // The first piece is being written: the fields are locked, and neither text put in
        // them nor the other mode plans anything.
        QVERIFY(!tool->countLineEdit()->isEnabled());
        QVERIFY(!tool->timesLineEdit()->isEnabled());
        field->setText("5");
        click(mode == 0 ? tool->timesButton() : tool->countButton());
        QCOMPARE(tool->splitMode(), mode);
        QCOMPARE(tool->segmentCount(), starts.size());
        QCOMPARE(notice(), QStringLiteral("Splite completed."));
        QVERIFY(!overlayShown());
        QVERIFY(field->isEnabled());
        QVERIFY(!chosen->isEnabled()); // still shown as the chosen mode
        const QList<QStringList> runs = tool->job()->startedRuns();
        QCOMPARE(runs.size(), starts.size());
        const QString dir = QFileInfo(tool->inputPath()).absolutePath();
        for (int i = 0; i < starts.size(); ++i) {
            const QString piece = dir + "/long_segment_" + QString::number(i) + ".mp4";
            QVERIFY(hasArguments(runs.at(i),
                                 {"-ss", starts.at(i), "-i", tool->inputPath(), "-c", "copy", "-t", length, piece}));
            QVERIFY2(QFileInfo(piece).size() > 1024, qPrintable(piece));
        }
    }

    void aSplitTellsOfThePiecesItCouldNotWrite_data()
    {
        QTest::addColumn<int>("goneAfter");
        QTest::addColumn<QString>("message");
        QTest::newRow("the input gone before the first piece: nothing is written") << 0 << "Splitting failed.";
        QTest::newRow("the input gone after the first piece: the first is kept, the rest fail")
            << 1 << "Splitting failed for %1 of 3 pieces.";
    }
    void aSplitTellsOfThePiecesItCouldNotWrite()
    {
        QFETCH(int, goneAfter);
        QFETCH(QString, message);
        const QString dir = mediaDir("split-gone");
        const QString in = copyOf("ten.mp4", dir, "gone.mp4");
        auto *tool = static_cast<VideoSpliterWidget *>(loadTool(Home::SpliterTile, {in}));
        tool->countLineEdit()->setText("3");
        QMetaObject::Connection removal;
        if (goneAfter == 0)
            QVERIFY(QFile::remove(in));
        else // after the page has started the second piece
            removal = connect(tool->job()->process(), QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                              this, [in] { QFile::remove(in); });
        start(tool);
        const QString shown = notice();
        disconnect(removal);
        const bool firstKept = goneAfter > 0;
        QCOMPARE(QFileInfo(dir + "/gone_segment_0.mp4").size() > 1024, firstKept);
        QVERIFY(!QFile::exists(dir + "/gone_segment_2.mp4"));
        // The second piece may have opened the input before it went.
        const int failed = 3 - int(firstKept) - int(QFile::exists(dir + "/gone_segment_1.mp4"));
        QCOMPARE(shown, message.contains("%1") ? message.arg(failed) : message);
        QVERIFY(!overlayShown());
        QVERIFY(tool->startButton()->isEnabled());
    }

    // --- the joiner ------------------------------------------------------------------

    void theJoinerJoinsItsInputsAndLeavesTheCacheAsItWas_data()
    {
        QTest::addColumn<QStringList>("names"); // of the inputs, all copies of one clip of two seconds
        QTest::addColumn<QString>("clip");
        QTest::addColumn<bool>("inCache");
        QTest::addColumn<bool>("staleCopy");  // of the converter, in the program's private folder
        QTest::addColumn<QByteArray>("list"); // of the first try; none when it goes by the filter at once
        QTest::addColumn<int>("runs");
        auto row = [](const char *name, QStringList names, const char *clip, bool inCache, bool staleCopy,
                      const QByteArray &list, int runs) {
            QTest::newRow(name) << names << QString(clip) << inCache << staleCopy << list << runs;
        };
        const QByteArray two("file 'segment_0.mp4' \r\nfile 'segment_1.mp4' \r\n");
        const QByteArray bare("file 'segment_0' \r\nfile 'segment_1' \r\n");
        row("three files of one suffix, one in capitals, by a list file", {"a.MP4", "b.mp4", "c.mp4"}, "two.mp4", false,
            false, "file 'segment_0.MP4' \r\nfile 'segment_1.mp4' \r\nfile 'segment_2.mp4' \r\n", 1);
        row("the user's own files in the cache, named like the copies, stay as they are",
            {"segment_1.mp4", "segment_0.mp4"}, "two.mp4", true, false, two, 1);
        row("a quote in the suffix is left off the copies' names", {"a.m'p4", "b.m'p4"}, "two.mp4", false, false, bare,
            1);
        row("a line break in the suffix is left off the copies' names", {"a.m\np4", "b.m\np4"}, "two.mp4", false, false,
            bare, 1);
        row("files without a suffix join into an mp4", {"a", "b"}, "two.mp4", false, false, bare, 1);
        row("a stale private copy of the converter is replaced before it runs", {"a.mp4", "b.mp4"}, "two.mp4", false,
            true, two, 1);
        row("two suffixes are joined by the filter at once", {"a.mp4", "b.mkv"}, "two.mp4", false, false, {}, 1);
        row("raw sound, which a stream copy cannot put into an mp4, is joined by the filter on a second try",
            {"a.mp4", "b.mp4"}, "raw.mkv", false, false, two, 2);
    }
    void theJoinerJoinsItsInputsAndLeavesTheCacheAsItWas()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, clip);
        QFETCH(bool, inCache);
        QFETCH(bool, staleCopy);
        QFETCH(QByteArray, list);
        QFETCH(int, runs);
        const QString cache = downloadCacheFolder();
        const QString dir = inCache ? cache : mediaDir("join");
        const QString copy = toolTempFolder() + "/ffmpeg";
        if (staleCopy) {
            QFile stale(copy);
            QVERIFY(stale.open(QIODevice::WriteOnly) && stale.write("#!/bin/sh\nexit 1\n"));
            QVERIFY(stale.setPermissions(stale.permissions() | QFileDevice::ExeOwner));
        }
        QStringList inputs;
        for (const QString &name : names)
            inputs << copyOf(clip, dir, name);
        QFile::remove(cache + "/join.txt");
        QVERIFY(QFile::copy(inputs.first(), cache + "/join.txt")); // a user's file of that name
        // Every file in the cache but the output, with its content.
        auto cacheFiles = [&cache](const QString &output) {
            QMap<QString, QByteArray> files;
            for (const QString &name : QDir(cache).entryList(QDir::Files))
                if (cache + "/" + name != output)
                    files[name] = contentOf(cache + "/" + name);
            return files;
        };
        const QMap<QString, QByteArray> before = cacheFiles(QString());
        auto *tool = static_cast<VideoJionerWidget *>(loadTool(Home::JoinerTile, inputs));
        DialogTestHook::answerNext(DialogTestHook::Press::OK); // there must be no second notice
        start(tool);
        QVERIFY(overlayShown());
        const QString work = tool->workFolder(); // the list's, in a folder of its own in the cache
        QCOMPARE(work.startsWith(cache + "/join-"), !list.isEmpty());
        QCOMPARE(notice(), QStringLiteral("Conversion completed."));
        QCOMPARE(DialogTestHook::pendingAnswers(), 1);
        const QString output = dir + "/Join_file.mp4";
        QCOMPARE(tool->outputPath(), output);
        const QList<QStringList> started = tool->job()->startedRuns();
        QCOMPARE(started.size(), runs);
        if (!list.isEmpty()) {
            QVERIFY(hasArguments(started.first(), {"-f", "concat", "-i", work + "/join.txt", "-c", "copy", output}));
            QCOMPARE(tool->listText(), list);
        }
        if (list.isEmpty() || runs == 2) {
            QVERIFY(
                hasArguments(started.last(), {"-filter_complex", "[0:0] [0:1] [1:0] [1:1] concat=n=2:v=1:a=1 [v] [a]",
                                              "-map", "[v]", "-map", "[a]", output}));
            QCOMPARE(tool->totalDuration(), qint64(4)); // progress is measured against both inputs together
        }
        // The first try runs the program's private copy, fresh from the system's; a second, the system's.
        QCOMPARE(tool->job()->process()->program(), runs == 1 ? copy : ffmpegPath());
        QCOMPARE(QFileInfo(copy).size(), QFileInfo(ffmpegPath()).size());
        const Facts facts = factsOf(output);
        QVERIFY2(qAbs(facts.seconds - 2.0 * names.size()) < 0.7, qPrintable(QString::number(facts.seconds)));
        QCOMPARE(facts.audioStreams, 1);
        // The work folder is gone with the copies; everything else in the cache is as it was.
        QVERIFY(!QFileInfo::exists(work));
        QCOMPARE(cacheFiles(output), before);
        QCOMPARE(QDir(cache).entryList({"join-*"}, QDir::Dirs), QStringList());
        for (const QString &input : inputs + QStringList{output})
            QFile::remove(input);
    }

    // --- the rotator -----------------------------------------------------------------

    void theRotatorTurnsEveryFileTheWayItsButtonSays_data()
    {
        // The marked corner starts top left; a button turns the picture clockwise.
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("turned"); // shown a quarter turn counter-clockwise already
        QTest::addColumn<int>("angle");
        QTest::addColumn<QString>("corner");
        QTest::addColumn<QSize>("shown");
        auto row = [](const char *name, const char *suffix, bool turned, int angle, const char *corner, QSize shown) {
            QTest::newRow(name) << QString(suffix) << turned << angle << QString(corner) << shown;
        };
        row("an mp4 at 90 turns clockwise by its tag on a stream copy", "mp4", false, 90, "top right", {90, 160});
        row("an mkv at 90 turns clockwise through the filter", "mkv", false, 90, "top right", {90, 160});
        row("an mp4 at 180 stands on its head", "mp4", false, 180, "bottom right", {160, 90});
        row("an mkv at 180 stands on its head", "mkv", false, 180, "bottom right", {160, 90});
        row("an mp4 at 270 turns counter-clockwise", "mp4", false, 270, "bottom left", {90, 160});
        row("a MOV at 270 turns counter-clockwise and keeps its suffix", "MOV", false, 270, "bottom left", {90, 160});
        row("an mp4 shown turned already turns on from how it is shown", "mp4", true, 90, "top left", {160, 90});
        row("a mov shown turned already turns on from how it is shown", "mov", true, 90, "top left", {160, 90});
    }
    void theRotatorTurnsEveryFileTheWayItsButtonSays()
    {
        QFETCH(QString, suffix);
        QFETCH(bool, turned);
        QFETCH(int, angle);
        QFETCH(QString, corner);
        QFETCH(QSize, shown);
        const QString dir = mediaDir("rotate");
        const QString marked = turned ? "marked-turned.mp4" : suffix == "mkv" ? "marked.mkv" : "marked.mp4";
        const QString input = copyOf(marked, dir, "clip." + suffix);
        auto *tool = static_cast<BatchToolPage *>(loadTool(Home::RotaterTile, {input}, angle / 90 - 1));
        start(tool);
        QCOMPARE(notice(), QStringLiteral("Conversion completed."));
        QCOMPARE(tool->fileList()->statusAt(0), QStringLiteral("Converted"));
        const QString output = dir + "/clip_Rotate" + QString::number(angle) + "." + suffix;
        const QStringList work = tool->job()->startedRuns().last();
        QCOMPARE(work.last(), output);
        // An mp4 keeps its pictures and only gets a new tag.
        QCOMPARE(hasArguments(work, {"-codec", "copy"}), suffix == "mp4");
        QSize seen;
        QCOMPARE(redCorner(output, &seen), corner);
        QCOMPARE(seen, shown);
        QCOMPARE(factsOf(output).audioStreams, 1);
    }

    // --- the audio adder ---------------------------------------------------------------

    void theAudioAdderPutsTheChosenSoundUnderTheVideo()
    {
        const QString dir = mediaDir("add-audio");
        // The video's own sound is at 44100 Hz, the song's at 8000: the kept sound tells which one won.
        const QString movie = copyOf("four.mkv", dir, "movie.mkv");
        const QString song = copyOf("song.mp3", dir, "song.mp3");
        click(m_home->tile(Home::AddAudioTile));
        VideoAddAudioWidget *tool = m_home->audioAdder();
        QVERIFY(!tool->startButton()->isEnabled());
        FileDialogTestHook::answerNext(movie);
        click(tool->addVideoButton());
        QCOMPARE(FileDialogTestHook::lastRequest().filter,
                 QStringLiteral("Media (*.mp4 *.mpeg *.mpg *.asf *.avi *.mkv *.mov)"));
        QCOMPARE(tool->videoLabel()->text(), movie);
        QVERIFY(!tool->startButton()->isEnabled());
        FileDialogTestHook::answerNext(song);
        click(tool->addAudioButton());
        QCOMPARE(FileDialogTestHook::lastRequest().filter, QStringLiteral("Media (*.mp3 *.aac *.m4a)"));
        start(tool);
        QVERIFY(!tool->startButton()->isEnabled() && overlayShown());
        QCOMPARE(notice(), QStringLiteral("Adding audio completed."));
        QVERIFY(tool->startButton()->isEnabled());
        const Facts facts = factsOf(dir + "/movie_audio.mkv");
        QCOMPARE(facts.videoStreams, 1);
        QCOMPARE(facts.audioStreams, 1);
        QCOMPARE(facts.sampleRate, 8000);
    }

    // --- every tool --------------------------------------------------------------------

    void closingAToolStopsItsRunAndLeavesNothingBehind_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<QString>("stage");
        QTest::addColumn<QString>("output"); // what the stopped run was writing
        auto row = [](const char *name, int tile, const char *stage, const char *output) {
            QTest::newRow(name) << tile << QString(stage) << QString(output);
        };
        row("the converter while converting", Home::ConverterTile, "working", "long.mp4");
        row("the rotator while rotating", Home::RotaterTile, "working", "long_Rotate90.ts");
        row("the joiner while copying its inputs", Home::JoinerTile, "copying", "Join_file.ts");
        row("the joiner while joining", Home::JoinerTile, "working", "Join_file.mp4");
        row("the cutter while probing", Home::CutterTile, "probing", "");
        row("the cutter while cutting", Home::CutterTile, "working", "long_cut.ts");
        row("the splitter while splitting", Home::SpliterTile, "working", "long_segment_0.ts");
        row("the audio adder while adding", Home::AddAudioTile, "working", "long_audio.ts");
    }
    void closingAToolStopsItsRunAndLeavesNothingBehind()
    {
        QFETCH(int, tile);
        QFETCH(QString, stage);
        QFETCH(QString, output);
        const QString dir = mediaDir("stop");
        const QString source = fixture("ten.ts");
        // The input is a pipe that never ends, so the run is surely still going when stopped;
        // the tools that probe the length first read the real file before it becomes the pipe.
        // A transport stream, as a matroska reader would wait for the end before a seek to 0.
        const QString input = dir + "/long.ts";
        const bool probes = tile == Home::CutterTile || tile == Home::SpliterTile;
        std::unique_ptr<QProcess> feed;
        if (probes)
            QVERIFY(QFile::copy(source, input));
        else
            QVERIFY(feed = holdOpenFeed(input, source));
        ToolPage *tool = page(tile);
        if (stage == "probing") {
            click(m_home->tile(tile));
            FileDialogTestHook::answerNext(input);
            click(m_home->cutter()->addButton());
        } else {
            // One suffix joins through copies, two suffixes through the filter.
            const QString other = tile == Home::AddAudioTile ? fixture("song.mp3")
                                  : stage == "copying"       ? source
                                                             : fixture("two.mp4");
            loadTool(tile, {input, other});
            QVERIFY(tool->startButton()->isEnabled());
            if (tile == Home::SpliterTile)
                m_home->splitter()->countLineEdit()->setText("1"); // one piece as long as the input
            if (probes)
                QVERIFY(feed = holdOpenFeed(input, source));
            click(tool->startButton());
        }
        const QString work = m_home->joiner()->workFolder();
        if (stage == "copying")
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(work + "/segment_0.ts"), kJobTimeout);
        else if (stage == "working")
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir + "/" + output), kJobTimeout);
        else
            QVERIFY(tool->job()->isRunning());
        QVERIFY(overlayShown());
        // Should anything still speak up, this answer is taken and the check below fails.
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(m_window->titleBar()->closeButton());
        QCOMPARE(tool->job()->process()->state(), QProcess::NotRunning);
        QVERIFY(!tool->job()->isRunning());
        QVERIFY(!overlayShown());
        QVERIFY(m_home->isVisible());
        if (!output.isEmpty())
            QVERIFY2(!QFile::exists(dir + "/" + output), qPrintable(output));
        if (!work.isEmpty())
            QVERIFY(!QFileInfo::exists(work));
        // Let the pipe end: a copying that was stuck reading it ends then, and tidies up.
        if (feed) {
            feed->closeWriteChannel();
            QVERIFY(feed->waitForFinished(10000));
        }
        QTRY_COMPARE_WITH_TIMEOUT(BackgroundCopy::runningCount(), 0, kJobTimeout);
        QVERIFY(!QFileInfo::exists(work + "/segment_0.ts"));
        QTest::qWait(200);
        QCOMPARE(DialogTestHook::pendingAnswers(), 1);
        // The page is cleared: nothing left to start.
        QVERIFY(!tool->startButton()->isEnabled());
        if (auto *list = dynamic_cast<ListToolPage *>(tool))
            QCOMPARE(list->fileList()->count(), 0);
    }

    void everyToolTellsItsResultHonestly_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<QStringList>("inputs"); // fixtures, given an odd name and the same with " 2"
        QTest::addColumn<bool>("converterThere");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("outputs"); // of two runs, each over 1 KB; %1 is the odd name
        QTest::addColumn<QStringList>("gone");    // written by a row that failed, and removed
        struct Tool {
            int tile;
            const char *name, *done, *failed;
            QStringList outputs;
        };
        const char *converted = "Conversion completed.", *notConverted = "Conversion failed.";
        const char *unread = "Read file failed, Please try again.";
        const QList<Tool> tools{
            {Home::ConverterTile, "converter", converted, notConverted, {"%1.mp4", "%1 (0).mp4"}},
            {Home::CutterTile, "cutter", "Cut completed.", unread, {"%1_cut.mkv", "%1_cut (0).mkv"}},
            {Home::SpliterTile,
             "splitter",
             "Splite completed.",
             unread,
             {"%1_segment_0.mkv", "%1_segment_1.mkv", "%1_segment_0 (0).mkv", "%1_segment_1 (0).mkv"}},
            {Home::RotaterTile, "rotator", converted, notConverted, {"%1_Rotate90.mkv", "%1_Rotate90 (0).mkv"}},
            {Home::JoinerTile, "joiner", converted, notConverted, {"Join_file.mkv", "Join_file(0).mkv"}},
            {Home::AddAudioTile,
             "audio adder",
             "Adding audio completed.",
             "Adding audio failed.",
             {"%1_audio.mkv", "%1_audio (0).mkv"}}};
        const QStringList junk{"junk.mp4", "junk.mp4"};
        for (const Tool &t : tools) {
            const QStringList media{"four.mkv", t.tile == Home::AddAudioTile ? "song.mp3" : "four.mkv"};
            QTest::addRow("the %s writes beside an input of any name, a second time beside the first", t.name)
                << t.tile << media << true << QString(t.done) << t.outputs << QStringList();
            QTest::addRow("the %s says \"%s\" given a file that is not media", t.name, t.failed)
                << t.tile << junk << true << QString(t.failed) << QStringList() << QStringList();
            QTest::addRow("the %s says \"%s\" when the converter cannot start", t.name, t.failed)
                << t.tile << junk << false << QString(t.failed) << QStringList() << QStringList();
        }
        const QString oneOfTwo = "Conversion failed for 1 of 2 files.";
        QTest::newRow("the converter goes on past a file that is not media")
            << int(Home::ConverterTile) << QStringList{"junk.mp4", "four.mkv"} << true << oneOfTwo
            << QStringList{"%1 2.mp4", "%1 2 (0).mp4"} << QStringList{"%1 (0).mp4"};
        QTest::newRow("the converter removes the empty output of a cut-short file")
            << int(Home::ConverterTile) << QStringList{"short.mkv", "four.mkv"} << true << oneOfTwo
            << QStringList{"%1 2.mp4", "%1 2 (0).mp4"} << QStringList{"%1.mp4"};
        QTest::newRow("the rotator removes too small an output of a twentieth of a second of sound")
            << int(Home::RotaterTile) << QStringList{"tiny.mp3", "four.mkv"} << true << oneOfTwo
            << QStringList{"%1 2_Rotate90.mkv", "%1 2_Rotate90 (0).mkv"} << QStringList{"%1_Rotate90.mp3"};
    }
    void everyToolTellsItsResultHonestly()
    {
        QFETCH(int, tile);
        QFETCH(QStringList, inputs);
        QFETCH(bool, converterThere);
        QFETCH(QString, message);
        QFETCH(QStringList, outputs);
        QFETCH(QStringList, gone);
        // Spaces, both quotes, a leading dash, letters beyond ASCII and a backslash; the folder's too.
        const QString odd = QString::fromUtf8("-it's \"odd\" 日本語 ü\\x");
        const QString dir = mediaDir(odd + " folder");
        if (!converterThere) {
            setAppDirPath(m_brokenApp);
            QFile::remove(toolTempFolder() + "/ffmpeg"); // the joiner's private copy
        }
        ToolPage *tool = loadTool(tile, {copyOf(inputs.at(0), dir, odd + "." + QFileInfo(inputs.at(0)).suffix()),
                                         copyOf(inputs.at(1), dir, odd + " 2." + QFileInfo(inputs.at(1)).suffix())});
        auto *batch = dynamic_cast<BatchToolPage *>(tool);
        // The tools that probe fail at the probe, the others at their run.
        QString shown = m_probeNotice;
        if (tool->startButton()->isEnabled()) {
            start(tool);
            QVERIFY(overlayShown());
            if (batch)
                QCOMPARE(batch->fileList()->statusAt(0), QStringLiteral("Converting"));
            shown = notice();
        }
        QCOMPARE(shown, message);
        if (!outputs.isEmpty()) {
            // A second Start runs the whole job again, from "Ready", beside the first outputs.
            QCOMPARE(batch ? batch->currentIndex() : -1, -1);
            start(tool);
            if (batch)
                QCOMPARE(batch->fileList()->statusAt(1), QStringLiteral("Ready"));
            QCOMPARE(notice(), message);
        }
        QVERIFY(!overlayShown());
        for (QString output : outputs)
            QVERIFY2(QFileInfo(dir + "/" + output.replace("%1", odd)).size() > 1024, qPrintable(output));
        for (QString output : gone)
            QVERIFY2(!QFile::exists(dir + "/" + output.replace("%1", odd)), qPrintable(output));
        if (batch) {
            const bool allDone = gone.isEmpty() && !outputs.isEmpty();
            QCOMPARE(batch->fileList()->statusAt(0), QString(allDone ? "Converted" : "Failed"));
            if (!outputs.isEmpty())
                QCOMPARE(batch->fileList()->statusAt(1), QStringLiteral("Converted"));
        }
        if (auto *probed = dynamic_cast<ProbeToolPage *>(tool); probed && outputs.isEmpty())
            QVERIFY(probed->inputPath().isEmpty() && !tool->startButton()->isEnabled());
    }

    // --- languages ---------------------------------------------------------------------

    void everyPageTakesTheChineseTexts()
    {
        installLanguage("ZH");
        m_window->retranslate();
        QCOMPARE(m_home->tile(Home::CutterTile)->titleLabel()->text(), QString::fromUtf8("视频剪切"));
        // No English is left on any page of the toolkit but the format and angle names.
        const QRegularExpression english("[A-Za-z]{3,}");
        for (QLabel *label : m_home->findChildren<QLabel *>()) {
            const QString text = QTextDocumentFragment::fromHtml(label->text()).toPlainText();
            if (text.isEmpty() || text.startsWith(QLatin1Char('/'))
                || QStringList{"MP4", "MKV", "MOV", "AVI"}.contains(text))
                continue;
            QVERIFY2(!english.match(text).hasMatch(), qPrintable(text));
        }
        installLanguage("EN");
        m_window->retranslate();
        QCOMPARE(m_home->tile(Home::CutterTile)->titleLabel()->text(), QStringLiteral("Video Cutter"));
    }
};

CW_TEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
