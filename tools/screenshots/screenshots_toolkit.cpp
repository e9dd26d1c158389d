// Draws the toolkit home and each video tool with files loaded and a job running under
// the loading overlay, then the tool as it is after that run was stopped, and after a
// short run that finished with its notice, at scale 1.0 and 1.5 in English and Chinese,
// for docs/screenshots (scripts/screenshots). Runs headless with the real ffmpeg in a
// private HOME.

#include "app/appenv.h"
#include "app/settings.h"
#include "shell/loadingwidget.h"
#include "shell/mainwindow.h"
#include "toolkit/audioadder.h"
#include "toolkit/converter.h"
#include "toolkit/cutter.h"
#include "toolkit/joiner.h"
#include "toolkit/rotator.h"
#include "toolkit/splitter.h"
#include "toolkit/tooljob.h"
#include "toolkit/toolkithome.h"
#include "widgets/controls.h"
#include "widgets/filedialogs.h"
#include "widgets/messagedialogs.h"
#include "shots.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <functional>

namespace
{
QString g_media;

using Shots::settle;
using Shots::store;

bool ffmpeg(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(CLIPWRIGHT_BIN_DIR) + QStringLiteral("/ffmpeg"), QStringList{"-v", "error", "-y"} + args);
    return p.waitForFinished(300000) && p.exitCode() == 0;
}

// Clips big enough that a re-encoding run is still going when the picture is taken.
void makeMedia()
{
    const QString v = g_media + QLatin1Char('/');
    const QStringList picture{"-f", "lavfi", "-i", "testsrc2=size=1280x720:rate=30:duration=40"};
    const QStringList sound{"-f", "lavfi", "-i", "sine=frequency=330:sample_rate=44100:duration=40"};
    ffmpeg(picture + sound + QStringList{"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac", v + "holiday.mp4"});
    ffmpeg({"-i", v + "holiday.mp4", "-t", "20", "-c", "copy", v + "interview.mkv"});
    ffmpeg({"-i", v + "holiday.mp4", "-t", "12", "-c", "copy", v + "concert.mov"});
    ffmpeg({"-f", "lavfi", "-i", "sine=frequency=523:sample_rate=44100:duration=30", v + "song.mp3"});
    // Short ones for the runs that are let finish.
    ffmpeg({"-i", v + "holiday.mp4", "-t", "3", "-vf", "scale=320:180", "-c:v", "libx264", "-preset", "ultrafast",
            "-c:a", "aac", v + "beach.mp4"});
    ffmpeg({"-i", v + "beach.mp4", "-c", "copy", v + "street.mkv"});
    ffmpeg({"-i", v + "beach.mp4", "-c", "copy", v + "party.mov"});
}

QString media(const char *name)
{
    return g_media + QLatin1Char('/') + QLatin1String(name);
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

// Takes the picture at once, then again should the overlay show some progress before
// the run ends.
QImage grabRunning(DoRaDuvoZezavi &window, ToolJobRunner *job)
{
    settle(60);
    QImage image = window.grab().toImage();
    QElapsedTimer t;
    t.start();
    while (job->isRunning() && t.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const QString text = window.loadingWidget()->text();
        const int percent = text.indexOf(QLatin1Char('%'));
        if (!window.loadingWidget()->isVisible() || percent < 0)
            continue;
        image = window.grab().toImage();
        // Some way in, so the picture shows a job under way rather than one just begun or ending.
        const int done = text.left(percent).section(QLatin1Char('.'), -2, -2).toInt();
        if (done >= 7 && done <= 95)
            break;
    }
    return image;
}

void waitUntil(const std::function<bool()> &done)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void closeTool(DoRaDuvoZezavi &window)
{
    window.runCloseSteps();
    settle(50);
    DialogTestHook::clear();
}

// Stops the running tool as the user does (its close button) and opens it again: what
// is left of the stopped run.
QImage grabStopped(DoRaDuvoZezavi &window, MyTempButton5 *tile)
{
    closeTool(window);
    click(tile);
    settle(80);
    return window.grab().toImage();
}

// Lets the run that Start begins finish, and takes the window with the notice it ends with.
QImage grabFinished(DoRaDuvoZezavi &window, QWidget *start)
{
    QImage shot;
    QTimer poll;
    poll.setInterval(30);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *notice = qobject_cast<MyMessageDialog *>(QApplication::activeModalWidget());
        if (!notice || !shot.isNull())
            return;
        shot = window.grab().toImage();
        QPainter painter(&shot);
        painter.drawPixmap(notice->pos() - window.pos(), notice->grab());
        painter.end();
        click(notice->okButton());
    });
    poll.start();
    click(start);
    waitUntil([&] { return !shot.isNull() && !QApplication::activeModalWidget(); });
    return shot;
}

void shoot(const QString &code, double scale)
{
    const QString tag = Shots::useLanguageAndScale(code, scale);

    DoRaDuvoZezavi window;
    window.move(0, 0);
    window.show();
    settle();
    auto *home = qobject_cast<ToolKitManagerWidget *>(window.page(DoRaDuvoZezavi::Page::Toolkit));
    store(window.grab().toImage(), tag + QStringLiteral("-home"));

    MyTempButton5 *tile = home->tile(ToolKitManagerWidget::ConverterTile);
    click(tile);
    VideoConverterWidget *converter = home->converter();
    FileDialogTestHook::answerNext(QStringList{media("holiday.mp4"), media("interview.mkv"), media("concert.mov")});
    click(converter->addButton());
    click(converter->formatButton(1));
    DialogTestHook::answerNext(DialogTestHook::Press::OK); // a job that ends first must not wait for a person
    click(converter->startButton());
    store(grabRunning(window, converter->job()), tag + QStringLiteral("-converter"));
    store(grabStopped(window, tile), tag + QStringLiteral("-converter-stopped"));
    FileDialogTestHook::answerNext(QStringList{media("beach.mp4"), media("street.mkv"), media("party.mov")});
    click(converter->addButton());
    store(grabFinished(window, converter->startButton()), tag + QStringLiteral("-converter-finished"));
    closeTool(window);

    tile = home->tile(ToolKitManagerWidget::RotaterTile);
    click(tile);
    VideoRotateWidget *rotator = home->rotator();
    FileDialogTestHook::answerNext(QStringList{media("concert.mov"), media("interview.mkv"), media("holiday.mp4")});
    click(rotator->addButton());
    click(rotator->angleButton(2));
    DialogTestHook::answerNext(DialogTestHook::Press::OK);
    click(rotator->startButton());
    store(grabRunning(window, rotator->job()), tag + QStringLiteral("-rotator"));
    store(grabStopped(window, tile), tag + QStringLiteral("-rotator-stopped"));
    FileDialogTestHook::answerNext(QStringList{media("party.mov"), media("beach.mp4")});
    click(rotator->addButton());
    store(grabFinished(window, rotator->startButton()), tag + QStringLiteral("-rotator-finished"));
    closeTool(window);

    tile = home->tile(ToolKitManagerWidget::JoinerTile);
    click(tile);
    VideoJionerWidget *joiner = home->joiner();
    FileDialogTestHook::answerNext(QStringList{media("holiday.mp4"), media("interview.mkv"), media("concert.mov")});
    click(joiner->addButton());
    DialogTestHook::answerNext(DialogTestHook::Press::OK);
    click(joiner->startButton());
    store(grabRunning(window, joiner->job()), tag + QStringLiteral("-joiner"));
    store(grabStopped(window, tile), tag + QStringLiteral("-joiner-stopped"));
    FileDialogTestHook::answerNext(QStringList{media("beach.mp4"), media("beach.mp4")});
    click(joiner->addButton());
    store(grabFinished(window, joiner->startButton()), tag + QStringLiteral("-joiner-finished"));
    closeTool(window);

    tile = home->tile(ToolKitManagerWidget::CutterTile);
    click(tile);
    VideoCutterWidget *cutter = home->cutter();
    FileDialogTestHook::answerNext(media("holiday.mp4"));
    click(cutter->addButton());
    waitUntil([cutter] { return cutter->startButton()->isEnabled(); });
    cutter->startTimeLineEdit()->setText(QStringLiteral("5"));
    cutter->durationsLineEdit()->setText(QStringLiteral("20"));
    store(window.grab().toImage(), tag + QStringLiteral("-cutter"));
    DialogTestHook::answerNext(DialogTestHook::Press::OK);
    click(cutter->startButton());
    store(window.grab().toImage(), tag + QStringLiteral("-cutter-running"));
    store(grabStopped(window, tile), tag + QStringLiteral("-cutter-stopped"));
    FileDialogTestHook::answerNext(media("beach.mp4"));
    click(cutter->addButton());
    waitUntil([cutter] { return cutter->startButton()->isEnabled(); });
    cutter->startTimeLineEdit()->setText(QStringLiteral("1"));
    store(grabFinished(window, cutter->startButton()), tag + QStringLiteral("-cutter-finished"));
    closeTool(window);

    tile = home->tile(ToolKitManagerWidget::SpliterTile);
    click(tile);
    VideoSpliterWidget *splitter = home->splitter();
    FileDialogTestHook::answerNext(media("holiday.mp4"));
    click(splitter->addButton());
    waitUntil([splitter] { return splitter->startButton()->isEnabled(); });
    splitter->countLineEdit()->setText(QStringLiteral("3"));
    store(window.grab().toImage(), tag + QStringLiteral("-splitter"));
    DialogTestHook::answerNext(DialogTestHook::Press::OK);
    click(splitter->startButton());
    store(window.grab().toImage(), tag + QStringLiteral("-splitter-running"));
    store(grabStopped(window, tile), tag + QStringLiteral("-splitter-stopped"));
    FileDialogTestHook::answerNext(media("beach.mp4"));
    click(splitter->addButton());
    waitUntil([splitter] { return splitter->startButton()->isEnabled(); });
    store(grabFinished(window, splitter->startButton()), tag + QStringLiteral("-splitter-finished"));
    closeTool(window);

    tile = home->tile(ToolKitManagerWidget::AddAudioTile);
    click(tile);
    VideoAddAudioWidget *adder = home->audioAdder();
    FileDialogTestHook::answerNext(media("interview.mkv"));
    click(adder->addVideoButton());
    FileDialogTestHook::answerNext(media("song.mp3"));
    click(adder->addAudioButton());
    DialogTestHook::answerNext(DialogTestHook::Press::OK);
    click(adder->startButton());
    store(grabRunning(window, adder->job()), tag + QStringLiteral("-audioadder"));
    store(grabStopped(window, tile), tag + QStringLiteral("-audioadder-stopped"));
    FileDialogTestHook::answerNext(media("street.mkv"));
    click(adder->addVideoButton());
    FileDialogTestHook::answerNext(media("song.mp3"));
    click(adder->addAudioButton());
    store(grabFinished(window, adder->startButton()), tag + QStringLiteral("-audioadder-finished"));
    closeTool(window);
}
} // namespace

int main(int argc, char *argv[])
{
    // The program stores its language and folders; keep them out of the developer's settings.
    QTemporaryDir home;
    for (const char *v : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
        qputenv(v, QFile::encodeName(home.path()));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith(QLatin1String("This plugin does not")))
            QTextStream(stderr) << message << '\n';
    });
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (argc < 2) {
        QTextStream(stderr) << "usage: cw_screenshots_toolkit OUTPUT_FOLDER\n";
        return 2;
    }
    QLoggingCategory::setFilterRules(QStringLiteral("clipwright.toolkit.debug=false"));
    Shots::outDir = QString::fromLocal8Bit(argv[1]);
    Shots::prefix = QStringLiteral("toolkit-");
    QDir().mkpath(Shots::outDir);
    setAppDirPath(QStringLiteral(CLIPWRIGHT_BIN_DIR));
    QTemporaryDir videos(QDir::tempPath() + QStringLiteral("/Videos-XXXXXX"));
    g_media = videos.path();
    makeMedia();
    FileDialogTestHook::setStrict(true);
    for (const char *code : {"EN", "ZH"})
        for (double scale : {1.0, 1.5})
            shoot(QString::fromLatin1(code), scale);
    return 0;
}
