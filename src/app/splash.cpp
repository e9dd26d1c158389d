#include "app/splash.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPointer>
#include <QSplashScreen>
#include <QThread>

namespace
{
QPointer<QSplashScreen> g_splash;
}

QSplashScreen *splashScreen()
{
    return g_splash.data();
}

QSplashScreen *showSplashScreen()
{
    const QPixmap picture(QStringLiteral(":/images/splash.png"));
    g_splash = new QSplashScreen(picture);
    g_splash->show();
    QCoreApplication::processEvents();
    return g_splash.data();
}

QString splashMessage(const QString &loadingText, int dots)
{
    return loadingText + QString(dots, QLatin1Char('.'));
}

void holdSplashScreen(int minimumMs, const QString &loadingText)
{
    QSplashScreen *splash = g_splash.data();
    if (!splash)
        return;
    QElapsedTimer timer;
    timer.start();
    qint64 lastTick = -1;
    int dots = 0;
    for (;;) {
        const qint64 elapsed = timer.elapsed();
        QCoreApplication::processEvents();
        // A new dot on every 100 ms boundary passed, even when a turn took longer.
        if (elapsed / 100 != lastTick) {
            lastTick = elapsed / 100;
            dots = (dots + 1) % 6;
            splash->showMessage(splashMessage(loadingText, dots), Qt::AlignHCenter | Qt::AlignBottom, Qt::black);
        }
        if (elapsed >= minimumMs)
            break;
        QThread::msleep(5); // turn the loop without burning a core
    }
}
