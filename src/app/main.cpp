// Clipwright's entry: brings the program up in its fixed start-up order.

#include "app/appenv.h"
#include "app/fonts.h"
#include "app/splash.h"
#include "app/startup.h"
#include "platform/platform.h"
#include "platform/singleinstance.h"
#include "shell/mainwindow.h"
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

    QApplication app(argc, argv);
    restrictPluginPaths(QCoreApplication::applicationDirPath());
    setAppDirPath(QCoreApplication::applicationDirPath());
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    loadLatinFonts(appDirPath());

    SingleInstanceGuard instance(QStringLiteral("Clipwright"));
    if (!instance.tryAcquire())
        return 0;
    // After the instance check, so a refused second start returns at once.
    Platform::keepSystemAwake();

    QSplashScreen *splash = showSplashScreen();
    auto *window = new DoRaDuvoZezavi;
    const QSizeF desk = desktopSize();
    window->move(qAbs(int(desk.width()) - window->width()) / 2, qAbs(int(desk.height()) - window->height()) / 2);
    window->show();
    if (splash)
        splash->finish(window);

    const int rc = app.exec();
    delete window;
    delete splash;
    return rc;
}
