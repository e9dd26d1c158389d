// The video toolkit in the real main window, with the real ffmpeg on small clips made
// here: the home's tiles and close step, and each tool's job from picking files to its
// message, with the outputs checked by ffprobe.

#include "app/appenv.h"
#include "app/folders.h"
#include "app/settings.h"
#include "fakes/fakescenario.h"
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
    using QWidget::QWidget;
    int firstLoads = 0;
    int reopens = 0;
public slots:
    void retranslate() {}
    bool mayExit()
    {
        return true;
    }
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

// What ffprobe tells about a file.
struct Facts {
    int videoStreams = 0;
    int audioStreams = 0;
    int width = 0;
    int height = 0;
    int rotation = 0;
    double seconds = 0;
    double audioSeconds = 0;
};

QString ffprobe()
{
    return QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
}

QByteArray runProbe(const QStringList &args)
{
    QProcess p;
    p.start(ffprobe(), args);
    p.waitForFinished(20000);
    return p.readAllStandardOutput();
}

Facts factsOf(const QString &path)
{
    Facts f;
    const QJsonObject all =
        QJsonDocument::fromJson(runProbe({"-v", "error", "-show_streams", "-show_format", "-of", "json", path}))
            .object();
    f.seconds = all.value("format").toObject().value("duration").toString().toDouble();
    for (const QJsonValue &s : all.value("streams").toArray()) {
        const QJsonObject stream = s.toObject();
        if (stream.value("codec_type").toString() == "video") {
            ++f.videoStreams;
            f.width = stream.value("width").toInt();
            f.height = stream.value("height").toInt();
            // The display matrix's turn, counter-clockwise, as 0..359.
            for (const QJsonValue &side : stream.value("side_data_list").toArray())
                if (side.toObject().contains("rotation"))
                    f.rotation = (side.toObject().value("rotation").toInt() % 360 + 360) % 360;
        } else if (stream.value("codec_type").toString() == "audio") {
            ++f.audioStreams;
        }
    }
    // The end of the last sound packet: how long the kept sound really is.
    const QList<QByteArray> lines = runProbe({"-v", "error", "-select_streams", "a:0", "-show_entries",
                                              "packet=pts_time,duration_time", "-of", "csv=p=0", path})
                                        .split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> parts = line.split(',');
        if (parts.size() >= 2)
            f.audioSeconds = qMax(f.audioSeconds, parts.at(0).toDouble() + parts.at(1).toDouble());
    }
    return f;
}

QString mediaDir(const QString &name)
{
    const QString dir = TestEnv::root() + "/media/" + name;
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}

QString clip(const QString &dir, const QString &name, int seconds, bool video = true, bool audio = true)
{
    const QString path = dir + QLatin1Char('/') + name;
    QString error;
    if (!FakeMedia::makeClip(path, seconds, video, audio, &error))
        qWarning() << "cannot make" << path << error;
    return path;
}

QString junk(const QString &dir, const QString &name)
{
    const QString path = dir + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write("this is not media at all\n");
    return path;
}

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool runFfmpeg(const QStringList &args)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable("ffmpeg"), QStringList{"-v", "error", "-y"} + args);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A clip made under an ordinary name, then given the name asked for (which may name no format).
QString clipNamed(const QString &dir, const QString &name, int seconds)
{
    const QString made = clip(dir, "made-for-renaming.mp4", seconds);
    const QString path = dir + QLatin1Char('/') + name;
    QFile::remove(path);
    QFile::rename(made, path);
    return path;
}

// Two seconds of blue with the top-left corner red, and sound; shown turned
// counter-clockwise by shownRotation degrees through its display matrix.
QString markedClip(const QString &dir, const QString &name, int shownRotation = 0)
{
    const QString path = dir + QLatin1Char('/') + name;
    const QString plain = shownRotation ? dir + "/marked-plain.mkv" : path;
    const QStringList make{
        "-f",       "lavfi",
        "-i",       "color=c=blue:size=160x90:rate=10:duration=2,drawbox=x=0:y=0:w=40:h=30:color=red:t=fill",
        "-f",       "lavfi",
        "-i",       "sine=frequency=440:sample_rate=22050:duration=2",
        "-c:v",     "libx264",
        "-preset",  "ultrafast",
        "-pix_fmt", "yuv420p",
        "-c:a",     "aac"};
    if (!runFfmpeg(make + QStringList{plain}))
        qWarning() << "cannot make" << plain;
    if (shownRotation
        && !runFfmpeg({"-i", plain, "-metadata:s:v", "rotate=" + QString::number(shownRotation), "-c", "copy", path}))
        qWarning() << "cannot turn" << path;
    return path;
}

// Where the red corner of a marked clip is seen in the first picture the converter
// decodes (turned as its display matrix says), and the size it is shown at.
QString redCorner(const QString &path, QSize *shown)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable("ffmpeg"),
            {"-v", "error", "-i", path, "-frames:v", "1", "-f", "image2pipe", "-vcodec", "ppm", "-"});
    p.waitForFinished(20000);
    const QImage image = QImage::fromData(p.readAllStandardOutput(), "PPM");
    *shown = image.size();
    if (image.isNull())
        return QStringLiteral("no picture");
    const int right = image.width() - 5;
    const int bottom = image.height() - 5;
    const QList<QPair<QString, QPoint>> corners{{"top left", {4, 4}},
                                                {"top right", {right, 4}},
                                                {"bottom left", {4, bottom}},
                                                {"bottom right", {right, bottom}}};
    QStringList red;
    for (const auto &corner : corners) {
        const QColor c = image.pixelColor(corner.second);
        if (c.red() > 150 && c.blue() < 100)
            red << corner.first;
    }
    return red.join(", ");
}

// A named pipe at path fed with the bytes of source and then held open: whatever reads
// it has the whole clip at once but never sees its end, so its run stays in progress.
QProcess *holdOpenFeed(const QString &path, const QString &source)
{
    QFile::remove(path);
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        return nullptr;
    auto *feed = new QProcess;
    // The shell opens the pipe in the child: opened here it would wait for a reader.
    feed->start("/bin/sh", {"-c", "exec cat -- \"$1\" - > \"$2\"", "sh", source, path});
    return feed;
}

void releaseFeed(QProcess *feed)
{
    feed->closeWriteChannel();
    if (!feed->waitForFinished(10000)) {
        feed->kill();
        feed->waitForFinished();
    }
    delete feed;
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

QString appFolder()
{
    return TestEnv::root() + "/app";
}

QString brokenAppFolder()
{
    return TestEnv::root() + "/app-without-ffmpeg";
}
} // namespace

class TestToolkit : public QObject
{
    Q_OBJECT
    DoRaDuvoZezavi *m_window = nullptr;
    ToolKitManagerWidget *m_home = nullptr;

    // Queues OK for the notice a job ends with, then waits until it has been shown.
    bool waitForNotice(QString *message)
    {
        const int before = DialogTestHook::pendingAnswers();
        if (!QTest::qWaitFor([&] { return DialogTestHook::pendingAnswers() < before; }, kJobTimeout))
            return false;
        *message = DialogTestHook::lastMessage();
        return QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }, 5000);
    }

    bool overlayShown() const
    {
        return m_window->loadingWidget()->isVisible();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!ffprobe().isEmpty(), "ffprobe is needed to check the outputs");
        // The converter's whole output would bury the test's own lines.
        QLoggingCategory::setFilterRules("clipwright.toolkit.debug=false");
        QDir().mkpath(appFolder() + "/Lang");
        QDir().mkpath(brokenAppFolder());
        QVERIFY(QFile::link(QStandardPaths::findExecutable("ffmpeg"), appFolder() + "/ffmpeg"));
        for (const char *file : {"Lang_EN.qm", "Lang_ZH.qm", "Lang_config"})
            QFile::copy(TestEnv::binDir() + "/Lang/" + file, appFolder() + "/Lang/" + file);
        setAppDirPath(appFolder());
        FileDialogTestHook::setStrict(true);
        Settings::writeLanguage("EN");
        m_window = new DoRaDuvoZezavi;
        m_window->show();
        m_home = qobject_cast<ToolKitManagerWidget *>(m_window->page(DoRaDuvoZezavi::Page::Toolkit));
        QVERIFY(m_home);
    }

    void cleanupTestCase()
    {
        delete m_window;
    }

    void init()
    {
        setAppDirPath(appFolder());
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

    void theTilesShowTheirTitlesInOrder()
    {
        const QStringList titles{"Video Cutter",    "Video Joiner",     "Video Spliter",   "Video Rotater",
                                 "Video Add Audio", "Format Converter", "Video Downloader"};
        for (int i = 0; i < ToolKitManagerWidget::TileCount; ++i)
            QCOMPARE(m_home->tile(i)->titleLabel()->text(), titles.at(i));
        QCOMPARE(m_home->tile(ToolKitManagerWidget::ConverterTile)->descriptionLabel()->text(),
                 QStringLiteral("Converting the format of video files."));
        // The slots stand in the order of the tiles.
        const QMetaObject *mo = m_home->metaObject();
        int last = -1;
        for (const char *slot :
             {"cutterButton_slots()", "joinerButton_slots()", "spliteButton_slots()", "rotateButton_slots()",
              "musicsButton_slots()", "covertButton_slots()", "downloadButton_slots()"}) {
            const int index = mo->indexOfSlot(slot);
            QVERIFY2(index > last, slot);
            last = index;
        }
    }

    void aTileOpensItsTool_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<QString>("tool");
        QTest::newRow("the cutter tile") << int(ToolKitManagerWidget::CutterTile) << "VideoCutterWidget";
        QTest::newRow("the joiner tile") << int(ToolKitManagerWidget::JoinerTile) << "VideoJionerWidget";
        QTest::newRow("the spliter tile") << int(ToolKitManagerWidget::SpliterTile) << "VideoSpliterWidget";
        QTest::newRow("the rotater tile") << int(ToolKitManagerWidget::RotaterTile) << "VideoRotateWidget";
        QTest::newRow("the add audio tile") << int(ToolKitManagerWidget::AddAudioTile) << "VideoAddAudioWidget";
        QTest::newRow("the converter tile") << int(ToolKitManagerWidget::ConverterTile) << "VideoConverterWidget";
    }
    void aTileOpensItsTool()
    {
        QFETCH(int, tile);
        QFETCH(QString, tool);
        click(m_home->tile(tile));
        QWidget *open = nullptr;
        for (QWidget *w : m_home->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisible() && QByteArray(w->metaObject()->className()).startsWith("Video"))
                open = w;
        QVERIFY(open);
        QCOMPARE(QString::fromLatin1(open->metaObject()->className()), tool);
        QCOMPARE(open->geometry(), m_home->rect());
        // The title bar's close button brings the home back and leaves the window open.
        click(m_window->titleBar()->closeButton());
        QVERIFY(!open->isVisible());
        QVERIFY(m_home->isVisible());
        QVERIFY(m_window->isVisible());
    }

    void closingWithNoToolOpenIsNotTheToolkitsToAnswer()
    {
        QVERIFY(!m_home->closeTool());
    }

    void openingAToolAgainKeepsItsListAndSettings()
    {
        const QString dir = mediaDir("reopen");
        const QString a = junk(dir, "a.mp4");
        click(m_home->tile(ToolKitManagerWidget::ConverterTile));
        FileDialogTestHook::answerNext(QStringList{a, dir + "/gone.mp4"});
        click(m_home->converter()->addButton());
        click(m_home->converter()->formatButton(1));
        click(m_home->tile(ToolKitManagerWidget::ConverterTile));
        // The file that does not exist was not added.
        QCOMPARE(m_home->converter()->fileList()->count(), 1);
        QCOMPARE(m_home->converter()->formatIndex(), 1);
        QVERIFY(!m_home->converter()->formatButton(1)->isEnabled());
        QVERIFY(m_home->converter()->formatButton(0)->isEnabled());
        QVERIFY(m_home->converter()->startButton()->isEnabled());
        QCOMPARE(Settings::readText(Settings::Key::addVideoPath), dir + "/");
    }

    void onlyTheFirstDownloadVisitLoadsTheList()
    {
        QPointer<QWidget> realPage = m_window->page(DoRaDuvoZezavi::Page::Download);
        auto *stub = new StubDownloadPage;
        m_window->setPage(DoRaDuvoZezavi::Page::Download, stub);
        ToolKitManagerWidget::resetDownloadFirstVisit();

        click(m_home->tile(ToolKitManagerWidget::DownloaderTile));
        QVERIFY(stub->isVisible());
        QVERIFY(!m_home->isVisible());
        QCOMPARE(stub->reopens, 1);
        QCOMPARE(stub->firstLoads, 0); // not at once: 100 ms later
        QTRY_COMPARE(stub->firstLoads, 1);

        m_window->showToolkitPage();
        click(m_home->tile(ToolKitManagerWidget::DownloaderTile));
        QVERIFY(stub->isVisible());
        QCOMPARE(stub->reopens, 2);
        QTest::qWait(300);
        QCOMPARE(stub->firstLoads, 1);

        m_window->setPage(DoRaDuvoZezavi::Page::Download, realPage);
        delete stub;
    }

    void theListKeys_data()
    {
        QTest::addColumn<QList<int>>("selectedBefore");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<bool>("startEnabled");
        QTest::newRow("Ctrl+A selects every row")
            << QList<int>{} << int(Qt::Key_A) << int(Qt::ControlModifier) << 3 << 3 << true;
        QTest::newRow("Ctrl+Shift+A is not Control alone")
            << QList<int>{} << int(Qt::Key_A) << int(Qt::ControlModifier | Qt::ShiftModifier) << 3 << 0 << true;
        QTest::newRow("Ctrl+Z deselects every row")
            << QList<int>{0, 2} << int(Qt::Key_Z) << int(Qt::ControlModifier) << 3 << 0 << true;
        QTest::newRow("Delete takes the selected rows out")
            << QList<int>{0, 2} << int(Qt::Key_Delete) << int(Qt::NoModifier) << 1 << 0 << true;
        QTest::newRow("Backspace on every row empties the list and disables Start")
            << QList<int>{0, 1, 2} << int(Qt::Key_Backspace) << int(Qt::NoModifier) << 0 << 0 << false;
    }
    void theListKeys()
    {
        QFETCH(QList<int>, selectedBefore);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, rowsAfter);
        QFETCH(int, selectedAfter);
        QFETCH(bool, startEnabled);
        const QString dir = mediaDir("keys");
        click(m_home->tile(ToolKitManagerWidget::RotaterTile));
        VideoRotateWidget *tool = m_home->rotator();
        FileDialogTestHook::answerNext(QStringList{junk(dir, "a.mp4"), junk(dir, "b.mp4"), junk(dir, "c.mp4")});
        click(tool->addButton());
        for (int row : selectedBefore)
            tool->fileList()->topLevelItem(row)->setSelected(true);
        QCOMPARE(tool->focusPolicy(), Qt::WheelFocus);
        QTest::keyClick(tool, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(tool->fileList()->count(), rowsAfter);
        QCOMPARE(tool->fileList()->selectedItems().size(), selectedAfter);
        QCOMPARE(tool->startButton()->isEnabled(), startEnabled);
    }

    // --- the converter ------------------------------------------------------------

    void theConverterWritesBesideItsInput_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("format");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("copied");
        QTest::newRow("clip.MP4 to MP4 gives clip.mp4 with the video copied")
            << "clip.MP4" << 0 << QStringList() << "clip.mp4" << true;
        QTest::newRow("clip.MP4 to MP4 gives clip (0).mp4 when clip.mp4 is taken")
            << "clip.MP4" << 0 << QStringList{"clip.mp4"} << "clip (0).mp4" << true;
        QTest::newRow("clip.avi to AVI gets the (0) name and copies the video")
            << "clip.avi" << 3 << QStringList() << "clip (0).avi" << true;
        QTest::newRow("clip.mp4 to MKV re-encodes into clip.mkv")
            << "clip.mp4" << 1 << QStringList() << "clip.mkv" << false;
    }
    void theConverterWritesBesideItsInput()
    {
        QFETCH(QString, input);
        QFETCH(int, format);
        QFETCH(QStringList, taken);
        QFETCH(QString, output);
        QFETCH(bool, copied);
        const QString dir = mediaDir("convert");
        const QString in = clip(dir, input, 2);
        for (const QString &t : taken)
            junk(dir, t);
        click(m_home->tile(ToolKitManagerWidget::ConverterTile));
        VideoConverterWidget *tool = m_home->converter();
        tool->job()->forgetStartedRuns();
        FileDialogTestHook::answerNext(in);
        click(tool->addButton());
        click(tool->formatButton(format));
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QCOMPARE(tool->fileList()->statusAt(0), QStringLiteral("Converting"));
        QVERIFY(overlayShown());
        QCOMPARE(m_window->loadingWidget()->text().left(13), QStringLiteral("Converting..."));
        QString message;
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Conversion completed."));
        QCOMPARE(tool->fileList()->statusAt(0), QStringLiteral("Converted"));
        QCOMPARE(tool->currentIndex(), -1);
        QVERIFY(!overlayShown());
        QVERIFY(tool->startButton()->isEnabled());
        const Facts facts = factsOf(dir + "/" + output);
        QCOMPARE(facts.videoStreams, 1);
        QVERIFY2(qAbs(facts.seconds - 2.0) < 0.5, qPrintable(QString::number(facts.seconds)));
        const QStringList args = tool->job()->startedRuns().value(0);
        QCOMPARE(hasArguments(args, {"-vcodec", "copy"}), copied);
        QCOMPARE(args.first(), QStringLiteral("-i"));
        QCOMPARE(args.last(), dir + "/" + output);
    }

    void aRowWithoutAUsableOutputFailsAndTheJobGoesOn_data()
    {
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QString>("badOutput");
        QTest::newRow("a file that is not media leaves no output") << "junk.mp4"
                                                                   << "junk (0).mp4";
        QTest::newRow("a cut-short file leaves an empty output, which is removed") << "short.mkv"
                                                                                   << "short.mp4";
    }
    void aRowWithoutAUsableOutputFailsAndTheJobGoesOn()
    {
        QFETCH(QString, bad);
        QFETCH(QString, badOutput);
        const QString dir = mediaDir("convert-failed");
        QString badInput = junk(dir, bad);
        if (bad == "short.mkv") {
            // Its tracks can be read, but not one picture: the converter opens an output and writes nothing.
            const QString whole = clip(dir, "whole.mkv", 2);
            QFile in(whole);
            QVERIFY(in.open(QIODevice::ReadOnly));
            QFile out(badInput);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(in.read(2000));
        }
        click(m_home->tile(ToolKitManagerWidget::ConverterTile));
        VideoConverterWidget *tool = m_home->converter();
        FileDialogTestHook::answerNext(QStringList{badInput, clip(dir, "good.mkv", 2)});
        click(tool->addButton());
        click(tool->formatButton(0));
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QString message;
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Conversion failed for 1 of 2 files."));
        QCOMPARE(tool->fileList()->statusAt(0), QStringLiteral("Failed"));
        QCOMPARE(tool->fileList()->statusAt(1), QStringLiteral("Converted"));
        QVERIFY(!QFile::exists(dir + "/" + badOutput));
        QVERIFY(QFile::exists(dir + "/good.mp4"));

        // A second Start runs the whole list again from "Ready".
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QCOMPARE(tool->fileList()->statusAt(1), QStringLiteral("Ready"));
        QVERIFY(waitForNotice(&message));
        QCOMPARE(tool->fileList()->statusAt(1), QStringLiteral("Converted"));
        QVERIFY(QFile::exists(dir + "/good (0).mp4"));
    }

    // --- the cutter -----------------------------------------------------------------

    void theCutterOffersTheRangesOfATenSecondClip()
    {
        const QString dir = mediaDir("cut-ranges");
        const QString in = clip(dir, "ten.mp4", 10);
        click(m_home->tile(ToolKitManagerWidget::CutterTile));
        VideoCutterWidget *tool = m_home->cutter();
        FileDialogTestHook::answerNext(in);
        click(tool->addButton());
        QVERIFY(overlayShown());
        QCOMPARE(m_window->loadingWidget()->text(), QStringLiteral("Loading..."));
        QTRY_VERIFY_WITH_TIMEOUT(tool->startButton()->isEnabled(), kJobTimeout);
        QVERIFY(!overlayShown());
        QCOMPARE(tool->duration(), qint64(10));
        QCOMPARE(tool->startTimeLineEdit()->text(), QStringLiteral("0"));
        QCOMPARE(tool->durationsLineEdit()->text(), QStringLiteral("10"));
        QVERIFY(tool->startTimeLineEdit()->isEnabled());
        QCOMPARE(tool->informationLabel()->text(),
                 QStringLiteral("The current video duration is: 00:00:10.\n\nThe  \"Start time\"  value ranges from 0 "
                                "to 8 seconds and the  \"Cut duration\"  value ranges from 2 to 10 seconds."));
        auto range = [](QLineEdit *field) {
            const auto *v = qobject_cast<const QIntValidator *>(field->validator());
            return v ? qMakePair(v->bottom(), v->top()) : qMakePair(-1, -1);
        };
        QCOMPARE(range(tool->startTimeLineEdit()), qMakePair(0, 8));
        QCOMPARE(range(tool->durationsLineEdit()), qMakePair(2, 10));

        // With start 6 the cut can be 4 at most, and the field follows.
        tool->startTimeLineEdit()->setText("6");
        QCOMPARE(tool->durationsLineEdit()->text(), QStringLiteral("4"));
        QCOMPARE(range(tool->durationsLineEdit()), qMakePair(2, 4));
        QVERIFY(tool->informationLabel()->text().endsWith("from 2 to 4 seconds."));
    }

    void theCutterCutsTheAskedStretch_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("cut");
        QTest::addColumn<QString>("sentLength");
        QTest::addColumn<double>("seconds");
        QTest::newRow("three seconds from second two") << "2"
                                                       << "3"
                                                       << "3" << 3.0;
        QTest::newRow("a cut of 0 is sent as 2") << "0"
                                                 << "0"
                                                 << "2" << 2.0;
        QTest::newRow("a cut of 1 is sent as 2") << "5"
                                                 << "1"
                                                 << "2" << 2.0;
    }
    void theCutterCutsTheAskedStretch()
    {
        QFETCH(QString, start);
        QFETCH(QString, cut);
        QFETCH(QString, sentLength);
        QFETCH(double, seconds);
        const QString dir = mediaDir("cut");
        const QString in = clip(dir, "ten.mp4", 10);
        click(m_home->tile(ToolKitManagerWidget::CutterTile));
        VideoCutterWidget *tool = m_home->cutter();
        FileDialogTestHook::answerNext(in);
        click(tool->addButton());
        QTRY_VERIFY_WITH_TIMEOUT(tool->startButton()->isEnabled(), kJobTimeout);
        tool->startTimeLineEdit()->setText(start);
        tool->durationsLineEdit()->setText(cut);
        tool->job()->forgetStartedRuns();
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QVERIFY(!tool->startButton()->isEnabled());
        QCOMPARE(m_window->loadingWidget()->text(), QStringLiteral("Loading..."));
        QString message;
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Cut completed."));
        QVERIFY(tool->startButton()->isEnabled());
        QVERIFY(!overlayShown());
        const QStringList args = tool->job()->startedRuns().value(0);
        QVERIFY(hasArguments(args, {"-ss", QStringLiteral("00:00:0") + start, "-i", in, "-c", "copy", "-t", sentLength,
                                    dir + "/ten_cut.mp4"}));
        const Facts facts = factsOf(dir + "/ten_cut.mp4");
        QVERIFY2(qAbs(facts.seconds - seconds) <= 1.0, qPrintable(QString::number(facts.seconds)));

        // Cutting again keeps the first cut.
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QVERIFY(waitForNotice(&message));
        QVERIFY(QFile::exists(dir + "/ten_cut (0).mp4"));
    }

    void theCutterReportsAnUnreadableFile()
    {
        const QString dir = mediaDir("cut-unreadable");
        click(m_home->tile(ToolKitManagerWidget::CutterTile));
        VideoCutterWidget *tool = m_home->cutter();
        FileDialogTestHook::answerNext(junk(dir, "junk.mp4"));
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->addButton());
        QString message;
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Read file failed, Please try again."));
        QVERIFY(tool->inputPath().isEmpty());
        QVERIFY(!tool->startButton()->isEnabled());
        QVERIFY(!tool->startTimeLineEdit()->isEnabled());
        QVERIFY(!overlayShown());
    }

    void aClipShorterThanTwoSecondsLeavesNoStartToChoose()
    {
        const QString dir = mediaDir("cut-short");
        click(m_home->tile(ToolKitManagerWidget::CutterTile));
        VideoCutterWidget *tool = m_home->cutter();
        FileDialogTestHook::answerNext(clip(dir, "one.mp4", 1));
        click(tool->addButton());
        QTRY_VERIFY_WITH_TIMEOUT(tool->startButton()->isEnabled(), kJobTimeout);
        const auto *v = qobject_cast<const QIntValidator *>(tool->startTimeLineEdit()->validator());
        QVERIFY(v);
        QVERIFY(v->top() < v->bottom());
    }

    // --- the splitter -----------------------------------------------------------------

    void theSplitterReadsTheLengthAndSetsItsFields()
    {
        VideoSpliterWidget *tool = openLongClipInSplitter();
        QCOMPARE(tool->duration(), qint64(100));
        QCOMPARE(tool->splitMode(), 0);
        QCOMPARE(tool->countLineEdit()->text(), QStringLiteral("2"));
        QCOMPARE(tool->timesLineEdit()->text(), QStringLiteral("50"));
        const auto *count = qobject_cast<const QIntValidator *>(tool->countLineEdit()->validator());
        const auto *times = qobject_cast<const QIntValidator *>(tool->timesLineEdit()->validator());
        QVERIFY(count && times);
        QCOMPARE(qMakePair(count->bottom(), count->top()), qMakePair(2, 10));
        QCOMPARE(qMakePair(times->bottom(), times->top()), qMakePair(2, 98));
        QVERIFY(tool->countLineEdit()->isEnabled());
        QVERIFY(!tool->timesLineEdit()->isEnabled());
        QVERIFY(!tool->countButton()->isEnabled()); // the chosen look
        QVERIFY(tool->timesButton()->isEnabled());
        QCOMPARE(tool->countInfoLabel()->text(),
                 QStringLiteral("Divide the video into segments, Please enter a number greater than 0.\n The current "
                                "video duration is: 00:01:40 , The each segment video will be divided into :00:00:50"));
        QCOMPARE(tool->timesInfoLabel()->text(),
                 QStringLiteral("Segmentation by length of time, Enter seconds of a segments. \nThe current video "
                                "duration is: 00:01:40 , It will split to 2 files."));
    }

    void theSplitterPlansItsPieces_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("count");
        QTest::newRow("by count 3, pieces of 34 seconds") << 0 << "3" << 34 << 3;
        QTest::newRow("by count 4, pieces of 25 seconds") << 0 << "4" << 25 << 4;
        QTest::newRow("a count of 0 is taken as 1") << 0 << "0" << 100 << 1;
        QTest::newRow("a negative count is taken as 1") << 0 << "-5" << 100 << 1;
        QTest::newRow("by length 30, four pieces") << 1 << "30" << 30 << 4;
        QTest::newRow("by length 50, two pieces") << 1 << "50" << 50 << 2;
        QTest::newRow("a length below 2 is taken as 2") << 1 << "1" << 2 << 50;
    }
    void theSplitterPlansItsPieces()
    {
        QFETCH(int, mode);
        QFETCH(QString, value);
        QFETCH(int, length);
        QFETCH(int, count);
        VideoSpliterWidget *tool = openLongClipInSplitter();
        if (mode == 0) {
            click(tool->countButton());
            tool->countLineEdit()->setText(value);
        } else {
            click(tool->timesButton());
            tool->timesLineEdit()->setText(value);
        }
        QCOMPARE(tool->splitMode(), mode);
        QCOMPARE(tool->segmentLength(), length);
        QCOMPARE(tool->segmentCount(), count);
    }

    void theSplitterWritesEveryPiece_data()
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
    void theSplitterWritesEveryPiece()
    {
        QFETCH(int, mode);
        QFETCH(QString, value);
        QFETCH(QStringList, starts);
        QFETCH(QString, length);
        VideoSpliterWidget *tool = openLongClipInSplitter();
        if (mode == 1)
            click(tool->timesButton());
        (mode == 0 ? tool->countLineEdit() : tool->timesLineEdit())->setText(value);
        tool->job()->forgetStartedRuns();
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QString message;
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Splite completed."));
        QVERIFY(!overlayShown());
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

    void thePlanHoldsWhileTheSplitRuns()
    {
        VideoSpliterWidget *tool = openLongClipInSplitter();
        tool->countLineEdit()->setText("3");
        tool->job()->forgetStartedRuns();
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        // The first piece is being written: the fields are locked, and text put in them plans nothing.
        QVERIFY(!tool->countLineEdit()->isEnabled());
        QVERIFY(!tool->timesLineEdit()->isEnabled());
        tool->countLineEdit()->setText("5");
        click(tool->timesButton());
        QCOMPARE(tool->splitMode(), 0);
        QCOMPARE(tool->segmentCount(), 3);
        QString message;
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Splite completed."));
        QCOMPARE(tool->job()->startedRuns().size(), 3);
        QVERIFY(tool->countLineEdit()->isEnabled());
        QVERIFY(!tool->countButton()->isEnabled()); // the count is still the chosen mode
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
        const QString in = clip(dir, "gone.mp4", 9);
        click(m_home->tile(ToolKitManagerWidget::SpliterTile));
        VideoSpliterWidget *tool = m_home->splitter();
        FileDialogTestHook::answerNext(in);
        click(tool->addButton());
        QTRY_VERIFY_WITH_TIMEOUT(tool->startButton()->isEnabled(), kJobTimeout);
        tool->countLineEdit()->setText("3");
        QMetaObject::Connection removal;
        if (goneAfter == 0)
            QVERIFY(QFile::remove(in));
        else // after the page has started the second piece
            removal = connect(tool->job()->process(), QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                              this, [in] { QFile::remove(in); });
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QString shown;
        QVERIFY(waitForNotice(&shown));
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

    void openingTheSplitterClearsItsSelection()
    {
        VideoSpliterWidget *tool = openLongClipInSplitter();
        QVERIFY(tool->startButton()->isEnabled());
        click(m_window->titleBar()->closeButton());
        click(m_home->tile(ToolKitManagerWidget::SpliterTile));
        QVERIFY(tool->inputPath().isEmpty());
        QVERIFY(!tool->startButton()->isEnabled());
        QVERIFY(!tool->countLineEdit()->isEnabled());
        QVERIFY(!tool->timesLineEdit()->isEnabled());
        QVERIFY(tool->countButton()->isEnabled());
        QVERIFY(tool->timesButton()->isEnabled());
    }

    // --- the joiner ------------------------------------------------------------------

    void theJoinerJoinsOneSuffixByItsListFile_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("inCache");
        QTest::addColumn<QByteArray>("list");
        QTest::newRow("three files of one suffix, one in capitals")
            << QStringList{"a.MP4", "b.mp4", "c.mp4"} << false
            << QByteArray("file 'segment_0.MP4' \r\nfile 'segment_1.mp4' \r\nfile 'segment_2.mp4' \r\n");
        QTest::newRow("the user's own files in the cache, named like the copies, stay as they are")
            << QStringList{"segment_1.mp4", "segment_0.mp4"} << true
            << QByteArray("file 'segment_0.mp4' \r\nfile 'segment_1.mp4' \r\n");
        QTest::newRow("a quote in the suffix is left off the copies' names")
            << QStringList{"a.m'p4", "b.m'p4"} << false << QByteArray("file 'segment_0' \r\nfile 'segment_1' \r\n");
        QTest::newRow("a line break in the suffix is left off the copies' names")
            << QStringList{"a.m\np4", "b.m\np4"} << false << QByteArray("file 'segment_0' \r\nfile 'segment_1' \r\n");
        QTest::newRow("files without a suffix join into an mp4")
            << QStringList{"a", "b"} << false << QByteArray("file 'segment_0' \r\nfile 'segment_1' \r\n");
    }
    void theJoinerJoinsOneSuffixByItsListFile()
    {
        QFETCH(QStringList, names);
        QFETCH(bool, inCache);
        QFETCH(QByteArray, list);
        const QString cache = downloadCacheFolder();
        const QString dir = inCache ? cache : mediaDir("join-list");
        QStringList inputs;
        for (const QString &name : names)
            inputs << clipNamed(dir, name, 2);
        QFile::remove(cache + "/join.txt");
        QVERIFY(QFile::copy(inputs.first(), cache + "/join.txt")); // a user's file of that name
        QMap<QString, QByteArray> before;
        for (const QString &name : QDir(cache).entryList(QDir::Files))
            before[name] = contentOf(cache + "/" + name);
        VideoJionerWidget *tool = openJoinerWith(inputs);
        QString message;
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QVERIFY(overlayShown());
        const QString work = tool->workFolder();
        QVERIFY(work.startsWith(cache + "/"));
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Conversion completed."));
        const QString output = dir + "/Join_file.mp4";
        QCOMPARE(tool->outputPath(), output);
        QCOMPARE(tool->job()->startedRuns().size(), 1);
        QVERIFY(hasArguments(tool->job()->startedRuns().first(),
                             {"-f", "concat", "-i", work + "/join.txt", "-c", "copy", output}));
        QCOMPARE(tool->listText(), list);
        // The first try runs the program's private copy.
        QCOMPARE(tool->job()->process()->program(), toolTempFolder() + "/ffmpeg");
        const Facts facts = factsOf(output);
        QVERIFY2(qAbs(facts.seconds - 2.0 * names.size()) < 0.7, qPrintable(QString::number(facts.seconds)));
        // Its folder is gone with the copies; everything else in the cache is as it was.
        QVERIFY(!QFileInfo::exists(work));
        QMap<QString, QByteArray> after;
        for (const QString &name : QDir(cache).entryList(QDir::Files))
            if (cache + "/" + name != output)
                after[name] = contentOf(cache + "/" + name);
        QCOMPARE(after, before);
        QCOMPARE(QDir(cache).entryList({"join-*"}, QDir::Dirs), QStringList());
        for (const QString &input : inputs)
            QFile::remove(input);
        QFile::remove(output);
    }

    void aStalePrivateCopyOfTheConverterIsReplaced()
    {
        const QString dir = mediaDir("join-stale");
        const QString copy = toolTempFolder() + "/ffmpeg";
        QFile stale(copy);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("#!/bin/sh\nexit 1\n");
        stale.close();
        stale.setPermissions(stale.permissions() | QFileDevice::ExeOwner);
        VideoJionerWidget *tool = openJoinerWith({clip(dir, "a.mp4", 2), clip(dir, "b.mp4", 2)});
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QString message;
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Conversion completed."));
        QCOMPARE(tool->job()->startedRuns().size(), 1); // no retry: the copy ran
        QCOMPARE(tool->job()->process()->program(), copy);
        QCOMPARE(QFileInfo(copy).size(), QFileInfo(ffmpegPath()).size());
    }

    void theJoinerJoinsMixedSuffixesByTheFilter()
    {
        const QString dir = mediaDir("join-mixed");
        const QStringList inputs{clip(dir, "a.mp4", 2), clip(dir, "b.mkv", 3)};
        VideoJionerWidget *tool = openJoinerWith(inputs);
        QString message;
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Conversion completed."));
        QCOMPARE(tool->job()->startedRuns().size(), 1);
        QVERIFY(hasArguments(tool->job()->startedRuns().first(),
                             {"-filter_complex", "[0:0] [0:1] [1:0] [1:1] concat=n=2:v=1:a=1 [v] [a]", "-map", "[v]",
                              "-map", "[a]", dir + "/Join_file.mp4"}));
        // Progress is measured against both inputs together.
        QCOMPARE(tool->totalDuration(), qint64(5));
        const Facts facts = factsOf(dir + "/Join_file.mp4");
        QVERIFY2(qAbs(facts.seconds - 5.0) < 0.7, qPrintable(QString::number(facts.seconds)));
        QCOMPARE(facts.audioStreams, 1);
    }

    void aFailedListJoinIsTriedOnceMoreByTheFilter()
    {
        const QString dir = mediaDir("join-retry");
        // Named mp4 but holding raw sound, which a stream copy cannot put into an mp4: the
        // list join writes nothing, the filter re-encodes the sound.
        QStringList inputs;
        for (const char *name : {"a.mp4", "b.mp4"}) {
            const QString made = dir + "/raw.mkv";
            QVERIFY(runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=160x90:rate=10:duration=2", "-f", "lavfi", "-i",
                               "sine=duration=2", "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p",
                               "-c:a", "pcm_s16le", made}));
            QVERIFY(QFile::rename(made, dir + "/" + name));
            inputs << dir + "/" + name;
        }
        VideoJionerWidget *tool = openJoinerWith(inputs);
        QString message;
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        DialogTestHook::answerNext(DialogTestHook::Press::OK); // there must be no second notice
        click(tool->startButton());
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Conversion completed."));
        QCOMPARE(DialogTestHook::pendingAnswers(), 1);
        QCOMPARE(tool->attempt(), 1);
        const QList<QStringList> runs = tool->job()->startedRuns();
        QCOMPARE(runs.size(), 2);
        QVERIFY(runs.at(0).contains("concat"));
        QVERIFY(runs.at(1).contains("-filter_complex"));
        QCOMPARE(tool->job()->process()->program(), ffmpegPath());
        QVERIFY(QFileInfo(dir + "/Join_file.mp4").size() > 1024);
    }

    // --- the rotator -----------------------------------------------------------------

    void theRotatorTurnsEveryFileTheWayItsButtonSays_data()
    {
        // The marked corner starts top left; a button turns the picture clockwise.
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("shownRotation"); // how the input is shown already, counter-clockwise
        QTest::addColumn<int>("angle");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("corner");
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<int>("matrix"); // the output's display matrix, counter-clockwise
        QTest::newRow("an mp4 at 90 turns clockwise by its tag on a stream copy")
            << "clip.mp4" << 0 << 0 << "clip_Rotate90.mp4"
            << "top right" << QSize(90, 160) << 270;
        QTest::newRow("an mkv at 90 turns clockwise through the filter") << "clip.mkv" << 0 << 0 << "clip_Rotate90.mkv"
                                                                         << "top right" << QSize(90, 160) << 0;
        QTest::newRow("an mp4 at 180 stands on its head") << "clip.mp4" << 0 << 1 << "clip_Rotate180.mp4"
                                                          << "bottom right" << QSize(160, 90) << 180;
        QTest::newRow("an mkv at 180 stands on its head") << "clip.mkv" << 0 << 1 << "clip_Rotate180.mkv"
                                                          << "bottom right" << QSize(160, 90) << 0;
        QTest::newRow("an mp4 at 270 turns counter-clockwise") << "clip.mp4" << 0 << 2 << "clip_Rotate270.mp4"
                                                               << "bottom left" << QSize(90, 160) << 90;
        QTest::newRow("a MOV at 270 turns counter-clockwise and keeps its suffix")
            << "clip.MOV" << 0 << 2 << "clip_Rotate270.MOV"
            << "bottom left" << QSize(90, 160) << 0;
        QTest::newRow("an mp4 shown turned already turns on from how it is shown")
            << "clip.mp4" << 90 << 0 << "clip_Rotate90.mp4"
            << "top left" << QSize(160, 90) << 0;
        QTest::newRow("a mov shown turned already turns on from how it is shown")
            << "clip.mov" << 90 << 0 << "clip_Rotate90.mov"
            << "top left" << QSize(160, 90) << 0;
    }
    void theRotatorTurnsEveryFileTheWayItsButtonSays()
    {
        QFETCH(QString, input);
        QFETCH(int, shownRotation);
        QFETCH(int, angle);
        QFETCH(QString, output);
        QFETCH(QString, corner);
        QFETCH(QSize, shown);
        QFETCH(int, matrix);
        const QString dir = mediaDir("rotate");
        const QString in = markedClip(dir, input, shownRotation);
        click(m_home->tile(ToolKitManagerWidget::RotaterTile));
        VideoRotateWidget *tool = m_home->rotator();
        tool->job()->forgetStartedRuns();
        FileDialogTestHook::answerNext(in);
        click(tool->addButton());
        click(tool->angleButton(angle));
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QString message;
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Conversion completed."));
        QCOMPARE(tool->fileList()->statusAt(0), QStringLiteral("Converted"));
        const QStringList work = tool->job()->startedRuns().last();
        QCOMPARE(work.last(), dir + "/" + output);
        // An mp4 keeps its pictures and only gets a new tag.
        QCOMPARE(hasArguments(work, {"-codec", "copy"}), input.endsWith(".mp4"));
        QSize seen;
        QCOMPARE(redCorner(dir + "/" + output, &seen), corner);
        QCOMPARE(seen, shown);
        const Facts facts = factsOf(dir + "/" + output);
        QCOMPARE(facts.rotation, matrix);
        QCOMPARE(facts.audioStreams, 1);
    }

    void aTinyRotatedOutputIsRemovedAndTheRowFails()
    {
        const QString dir = mediaDir("rotate-tiny");
        // A twentieth of a second of sound: far below what any usable output weighs.
        const QString in = dir + "/tiny.mp3";
        QVERIFY(runFfmpeg(
            {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=8000:duration=0.05", "-c:a", "libmp3lame", in}));
        click(m_home->tile(ToolKitManagerWidget::RotaterTile));
        VideoRotateWidget *tool = m_home->rotator();
        FileDialogTestHook::answerNext(in);
        click(tool->addButton());
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QString message;
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Conversion failed."));
        QCOMPARE(tool->fileList()->statusAt(0), QStringLiteral("Failed"));
        QVERIFY(!QFile::exists(dir + "/tiny_Rotate90.mp3"));
    }

    // --- the audio adder ---------------------------------------------------------------

    void theAudioAdderPutsTheChosenSoundUnderTheVideo()
    {
        const QString dir = mediaDir("add-audio");
        // The video's own sound runs 4 seconds, the song 2: the kept sound tells which one won.
        const QString movie = clip(dir, "movie.mkv", 4);
        const QString song = clip(dir, "song.mp3", 2, false, true);
        click(m_home->tile(ToolKitManagerWidget::AddAudioTile));
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
        QVERIFY(tool->startButton()->isEnabled());

        tool->job()->forgetStartedRuns();
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QVERIFY(!tool->startButton()->isEnabled());
        QCOMPARE(m_window->loadingWidget()->text(), QStringLiteral("Loading..."));
        QString message;
        QVERIFY(waitForNotice(&message));
        QCOMPARE(message, QStringLiteral("Adding audio completed."));
        QVERIFY(tool->startButton()->isEnabled());
        const Facts facts = factsOf(dir + "/movie_audio.mkv");
        QCOMPARE(facts.videoStreams, 1);
        QCOMPARE(facts.audioStreams, 1);
        QVERIFY2(qAbs(facts.audioSeconds - 2.0) < 0.5, qPrintable(QString::number(facts.audioSeconds)));
        QCOMPARE(tool->job()->startedRuns().value(0),
                 (QStringList{"-i", movie, "-i", song, "-vcodec", "copy", "-map", "0:v:0", "-map", "1:a:0",
                              dir + "/movie_audio.mkv"}));

        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(tool->startButton());
        QVERIFY(waitForNotice(&message));
        QVERIFY(QFile::exists(dir + "/movie_audio (0).mkv"));
    }

    // --- stopping and failing to start ----------------------------------------------------

    void closingAToolStopsItsRunAndLeavesNothingBehind_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<QString>("stage");
        QTest::addColumn<QString>("output"); // what the stopped run was writing
        QTest::newRow("the converter while converting") << int(ToolKitManagerWidget::ConverterTile) << "working"
                                                        << "long.mp4";
        QTest::newRow("the rotator while rotating") << int(ToolKitManagerWidget::RotaterTile) << "working"
                                                    << "long_Rotate90.ts";
        QTest::newRow("the joiner while copying its inputs") << int(ToolKitManagerWidget::JoinerTile) << "copying"
                                                             << "Join_file.ts";
        QTest::newRow("the joiner while joining") << int(ToolKitManagerWidget::JoinerTile) << "working"
                                                  << "Join_file.mp4";
        QTest::newRow("the cutter while probing") << int(ToolKitManagerWidget::CutterTile) << "probing"
                                                  << "";
        QTest::newRow("the cutter while cutting") << int(ToolKitManagerWidget::CutterTile) << "working"
                                                  << "long_cut.ts";
        QTest::newRow("the splitter while splitting") << int(ToolKitManagerWidget::SpliterTile) << "working"
                                                      << "long_segment_0.ts";
        QTest::newRow("the audio adder while adding") << int(ToolKitManagerWidget::AddAudioTile) << "working"
                                                      << "long_audio.ts";
    }
    void closingAToolStopsItsRunAndLeavesNothingBehind()
    {
        QFETCH(int, tile);
        QFETCH(QString, stage);
        QFETCH(QString, output);
        const QString dir = mediaDir("stop");
        const QString source = clip(dir, "source.ts", 10);
        // The input is a pipe that never ends, so the run is surely still going when stopped;
        // the tools that probe the length first read the real file before it becomes the pipe.
        // A transport stream, as a matroska reader would wait for the end before a seek to 0.
        const QString input = dir + "/long.ts";
        const bool probes = tile == ToolKitManagerWidget::CutterTile || tile == ToolKitManagerWidget::SpliterTile;
        QProcess *feed = nullptr;
        if (probes)
            QVERIFY(QFile::copy(source, input));
        else
            QVERIFY(feed = holdOpenFeed(input, source));
        VideoJionerWidget *joiner = m_home->joiner();
        ToolJobRunner *job = nullptr;
        if (stage == "probing") {
            click(m_home->tile(tile));
            FileDialogTestHook::answerNext(input);
            click(m_home->cutter()->addButton());
            job = m_home->cutter()->job();
        } else {
            // One suffix joins through copies, two suffixes through the filter.
            const QString other = tile == ToolKitManagerWidget::AddAudioTile ? clip(dir, "song.m4a", 2, false, true)
                                  : stage == "copying"                       ? source
                                                                             : clip(dir, "other.mp4", 2);
            MyTempButton2 *start = loadTool(tile, input, other);
            QVERIFY(start->isEnabled());
            job = dynamic_cast<ToolPage *>(start->parentWidget())->job();
            if (tile == ToolKitManagerWidget::SpliterTile)
                m_home->splitter()->countLineEdit()->setText("1"); // one piece as long as the input
            if (probes)
                QVERIFY(feed = holdOpenFeed(input, source));
            click(start);
        }
        const QString work = joiner->workFolder();
        if (stage == "copying")
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(work + "/segment_0.ts"), kJobTimeout);
        else if (stage == "working")
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir + "/" + output), kJobTimeout);
        else
            QVERIFY(job->isRunning());
        QVERIFY(overlayShown());
        // Should anything still speak up, this answer is taken and the check below fails.
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(m_window->titleBar()->closeButton());
        QCOMPARE(job->process()->state(), QProcess::NotRunning);
        QVERIFY(!job->isRunning());
        QVERIFY(!overlayShown());
        QVERIFY(m_home->isVisible());
        if (!output.isEmpty())
            QVERIFY2(!QFile::exists(dir + "/" + output), qPrintable(output));
        if (!work.isEmpty())
            QVERIFY(!QFileInfo::exists(work));
        // Let the pipe end: a copying that was stuck reading it ends then, and tidies up.
        if (feed)
            releaseFeed(feed);
        QTRY_COMPARE_WITH_TIMEOUT(BackgroundCopy::runningCount(), 0, kJobTimeout);
        QVERIFY(!QFileInfo::exists(work + "/segment_0.ts"));
        QTest::qWait(200);
        QCOMPARE(DialogTestHook::pendingAnswers(), 1);
        if (tile == ToolKitManagerWidget::ConverterTile)
            QCOMPARE(m_home->converter()->fileList()->count(), 0);
        if (tile == ToolKitManagerWidget::JoinerTile)
            QCOMPARE(joiner->fileList()->count(), 0);
        if (tile == ToolKitManagerWidget::AddAudioTile)
            QVERIFY(m_home->audioAdder()->videoPath().isEmpty() && m_home->audioAdder()->audioPath().isEmpty());
        if (tile == ToolKitManagerWidget::CutterTile)
            QVERIFY(!m_home->cutter()->startButton()->isEnabled()
                    && !m_home->cutter()->startTimeLineEdit()->isEnabled());
        if (tile == ToolKitManagerWidget::SpliterTile)
            QVERIFY(m_home->splitter()->inputPath().isEmpty() && !m_home->splitter()->startButton()->isEnabled());
    }

    void everyToolWritesBesideAnInputOfAnyName_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("outputs"); // %1 is the input's name without its suffix
        QTest::newRow("the converter") << int(ToolKitManagerWidget::ConverterTile) << "Conversion completed."
                                       << QStringList{"%1.mp4"};
        QTest::newRow("the cutter") << int(ToolKitManagerWidget::CutterTile) << "Cut completed."
                                    << QStringList{"%1_cut.mkv"};
        QTest::newRow("the splitter") << int(ToolKitManagerWidget::SpliterTile) << "Splite completed."
                                      << QStringList{"%1_segment_0.mkv", "%1_segment_1.mkv"};
        QTest::newRow("the rotator") << int(ToolKitManagerWidget::RotaterTile) << "Conversion completed."
                                     << QStringList{"%1_Rotate90.mkv"};
        QTest::newRow("the joiner") << int(ToolKitManagerWidget::JoinerTile) << "Conversion completed."
                                    << QStringList{"Join_file.mkv"};
        QTest::newRow("the audio adder") << int(ToolKitManagerWidget::AddAudioTile) << "Adding audio completed."
                                         << QStringList{"%1_audio.mkv"};
    }
    void everyToolWritesBesideAnInputOfAnyName()
    {
        QFETCH(int, tile);
        QFETCH(QString, message);
        QFETCH(QStringList, outputs);
        // Spaces, both quotes, a leading dash, letters beyond ASCII and a backslash; the folder's too.
        const QString odd = QString::fromUtf8("-it's \"odd\" 日本語 ü\\x");
        const QString dir = mediaDir(odd + " folder");
        const QString input = clip(dir, odd + ".mkv", 4);
        const QString other = tile == ToolKitManagerWidget::AddAudioTile ? clip(dir, odd + ".m4a", 2, false, true)
                                                                         : clip(dir, odd + " 2.mkv", 2);
        MyTempButton2 *start = loadTool(tile, input, other);
        QVERIFY2(start->isEnabled(), qPrintable(DialogTestHook::lastMessage()));
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        click(start);
        QString shown;
        QVERIFY(waitForNotice(&shown));
        QCOMPARE(shown, message);
        for (QString output : outputs) {
            output.replace("%1", odd);
            QVERIFY2(QFileInfo(dir + "/" + output).size() > 1024, qPrintable(output));
        }
    }

    void aConverterThatCannotStartStillEndsTheJob_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<QString>("message");
        QTest::newRow("the converter marks the row Failed")
            << int(ToolKitManagerWidget::ConverterTile) << "Conversion failed.";
        QTest::newRow("the rotator marks the row Failed")
            << int(ToolKitManagerWidget::RotaterTile) << "Conversion failed.";
        QTest::newRow("the cutter cannot read the length")
            << int(ToolKitManagerWidget::CutterTile) << "Read file failed, Please try again.";
        QTest::newRow("the splitter cannot read the length")
            << int(ToolKitManagerWidget::SpliterTile) << "Read file failed, Please try again.";
        QTest::newRow("the joiner fails after its retry")
            << int(ToolKitManagerWidget::JoinerTile) << "Conversion failed.";
        QTest::newRow("the audio adder reports its failure")
            << int(ToolKitManagerWidget::AddAudioTile) << "Adding audio failed.";
    }
    void aConverterThatCannotStartStillEndsTheJob()
    {
        QFETCH(int, tile);
        QFETCH(QString, message);
        const QString dir = mediaDir("no-ffmpeg");
        const QString in = junk(dir, "clip.mkv");
        const QString song = junk(dir, "song.mp3");
        setAppDirPath(brokenAppFolder());
        QFile::remove(toolTempFolder() + "/ffmpeg"); // the joiner's private copy
        MyTempButton2 *start = loadTool(tile, in, tile == ToolKitManagerWidget::AddAudioTile ? song : in);
        // The tools that probe fail at the probe, the others at their run.
        QString shown = DialogTestHook::lastMessage();
        if (start->isEnabled()) {
            DialogTestHook::answerNext(DialogTestHook::Press::OK);
            click(start);
            QVERIFY(waitForNotice(&shown));
        }
        QCOMPARE(shown, message);
        QVERIFY(!overlayShown());
        if (tile == ToolKitManagerWidget::ConverterTile)
            QCOMPARE(m_home->converter()->fileList()->statusAt(0), QStringLiteral("Failed"));
        if (tile == ToolKitManagerWidget::RotaterTile)
            QCOMPARE(m_home->rotator()->fileList()->statusAt(0), QStringLiteral("Failed"));
    }

    // --- languages ---------------------------------------------------------------------

    void everyPageTakesTheChineseTexts()
    {
        installLanguage("ZH");
        m_window->retranslate();
        QCOMPARE(m_home->tile(ToolKitManagerWidget::CutterTile)->titleLabel()->text(), QString::fromUtf8("视频剪切"));
        QCOMPARE(m_home->tile(ToolKitManagerWidget::DownloaderTile)->titleLabel()->text(),
                 QString::fromUtf8("视频下载"));
        for (QWidget *start : {static_cast<QWidget *>(m_home->converter()->startButton()),
                               static_cast<QWidget *>(m_home->cutter()->startButton()),
                               static_cast<QWidget *>(m_home->joiner()->startButton()),
                               static_cast<QWidget *>(m_home->splitter()->startButton()),
                               static_cast<QWidget *>(m_home->rotator()->startButton()),
                               static_cast<QWidget *>(m_home->audioAdder()->startButton())})
            QCOMPARE(static_cast<QLabel *>(start)->text(), QString::fromUtf8("开始"));
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
        QCOMPARE(m_home->tile(ToolKitManagerWidget::CutterTile)->titleLabel()->text(), QStringLiteral("Video Cutter"));
    }

private:
    // Opens the tile's tool with its input (other is the joiner's second input and the
    // audio adder's sound), lets a probe read the length, and gives the Start button.
    // A probe's failure notice is answered; DialogTestHook::lastMessage() tells it.
    MyTempButton2 *loadTool(int tile, const QString &input, const QString &other)
    {
        click(m_home->tile(tile));
        switch (tile) {
        case ToolKitManagerWidget::ConverterTile:
            FileDialogTestHook::answerNext(input);
            click(m_home->converter()->addButton());
            click(m_home->converter()->formatButton(0));
            return m_home->converter()->startButton();
        case ToolKitManagerWidget::RotaterTile:
            FileDialogTestHook::answerNext(input);
            click(m_home->rotator()->addButton());
            click(m_home->rotator()->angleButton(0));
            return m_home->rotator()->startButton();
        case ToolKitManagerWidget::JoinerTile:
            FileDialogTestHook::answerNext(QStringList{input, other});
            click(m_home->joiner()->addButton());
            return m_home->joiner()->startButton();
        case ToolKitManagerWidget::AddAudioTile:
            FileDialogTestHook::answerNext(input);
            click(m_home->audioAdder()->addVideoButton());
            FileDialogTestHook::answerNext(other);
            click(m_home->audioAdder()->addAudioButton());
            return m_home->audioAdder()->startButton();
        }
        ProbeToolPage *tool = tile == ToolKitManagerWidget::CutterTile ? static_cast<ProbeToolPage *>(m_home->cutter())
                                                                       : m_home->splitter();
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        FileDialogTestHook::answerNext(input);
        click(tool->addButton());
        if (!QTest::qWaitFor(
                [tool] { return tool->startButton()->isEnabled() || DialogTestHook::pendingAnswers() == 0; },
                kJobTimeout))
            qWarning() << "the probe did not end";
        DialogTestHook::clear();
        return tool->startButton();
    }

    VideoSpliterWidget *openLongClipInSplitter()
    {
        const QString dir = TestEnv::root() + "/media/split";
        const QString path = dir + "/long.mp4";
        if (!QFile::exists(path)) {
            QDir().mkpath(dir);
            clip(dir, "long.mp4", 100);
        }
        for (const QString &old : QDir(dir).entryList({"long_segment_*"}))
            QFile::remove(dir + "/" + old);
        click(m_home->tile(ToolKitManagerWidget::SpliterTile));
        VideoSpliterWidget *tool = m_home->splitter();
        FileDialogTestHook::answerNext(path);
        click(tool->addButton());
        if (!QTest::qWaitFor([tool] { return tool->startButton()->isEnabled(); }, kJobTimeout))
            qWarning() << "the splitter's probe did not end";
        return tool;
    }

    VideoJionerWidget *openJoinerWith(const QStringList &inputs)
    {
        click(m_home->tile(ToolKitManagerWidget::JoinerTile));
        VideoJionerWidget *tool = m_home->joiner();
        tool->job()->forgetStartedRuns();
        FileDialogTestHook::answerNext(inputs);
        click(tool->addButton());
        return tool;
    }
};

CW_TEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
