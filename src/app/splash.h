#pragma once
// The start-up splash screen, shown until the main window appears.

class QSplashScreen;
class QString;

QSplashScreen *splashScreen();
// Creates and shows the splash on ":/images/splash.png".
QSplashScreen *showSplashScreen();
// Keeps the splash up until at least minimumMs have passed since the call, showing
// "Loading.." with a dot more every 100 ms while the event loop keeps turning.
// Without a splash (tests, embedded use) it returns at once.
void holdSplashScreen(int minimumMs, const QString &loadingText);
// The text for a dot counter of 0..5: the loading text followed by that many dots.
QString splashMessage(const QString &loadingText, int dots);
