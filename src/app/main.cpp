// Clipwright's entry: brings the program up in its fixed start-up order.

#include "app/appenv.h"
#include "app/commandline.h"
#include "app/fonts.h"
#include "app/paths.h"
#include "app/splash.h"
#include "app/startup.h"
#include "platform/platform.h"
#include "shell/mainwindow.h"
#include "shell/runningcopy.h"
#include "update/componentcommands.h"

#include <QApplication>
#include <QSplashScreen>
#include <QTextCodec>
#include <cstdlib>

int main(int argc, char *argv[])
{
    // Before any window or lock: the component commands run headless beside a running program.
    const int componentCommand = runComponentCommand(argc, argv);
    if (componentCommand >= 0)
        return componentCommand;
    // --version and --help answer without a window.
    if (const int rc = CommandLine::answerWithoutWindow(argc, argv); rc >= 0)
        return rc;

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(CLIPWRIGHT_APP_ID));
    setAppDirPath(QCoreApplication::applicationDirPath());
    restrictPluginPaths(AppPaths::libraryFolder());
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    loadLatinFonts(AppPaths::dataFolder());

    // One running copy: a later start hands its links to it and ends.
    RunningCopy running(QStringLiteral("Clipwright"), CommandLine::parse(app.arguments()).links);
    if (!running.isFirst())
        return running.handOver();
    // After the instance check, so a refused second start returns at once.
    Platform::keepSystemAwake();

    QSplashScreen *splash = showSplashScreen();
    auto *window = new DoRaDuvoZezavi;
    const QSizeF desk = desktopSize();
    window->move(qAbs(int(desk.width()) - window->width()) / 2, qAbs(int(desk.height()) - window->height()) / 2);
    window->show();
    if (splash)
        splash->finish(window);
    running.deliverTo(window);

    const int rc = app.exec();
    delete window;
    delete splash;
    return rc;
}
