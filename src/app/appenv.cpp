#include "app/appenv.h"

#include <QPointer>
#include <QWidget>
#include <QtGlobal>

namespace
{
QString g_appDirPath;
double g_scaleFactor = 1.0;
QSizeF g_desktopSize(1366.0, 768.0);
QPointer<QWidget> g_mainWidget;
} // namespace

QString appDirPath()
{
    return g_appDirPath;
}

void setAppDirPath(const QString &path)
{
    g_appDirPath = path;
}

double scaleFactor()
{
    return g_scaleFactor;
}

void setScaleFactor(double factor)
{
    g_scaleFactor = qBound(1.0, factor, 1.8);
}

int scaled(double designPixels)
{
    return static_cast<int>(designPixels * g_scaleFactor);
}

double computeScaleFactor(double logicalDpiX, double logicalDpiY)
{
    const double f = qMin(logicalDpiX / 96.0, logicalDpiY / 96.0) * 1.0;
    if (!(f >= 1.0)) // also catches NaN from a broken screen report
        return 1.0;
    return qMin(f, 1.8);
}

QSizeF desktopSize()
{
    return g_desktopSize;
}

void setDesktopSize(const QSizeF &size)
{
    g_desktopSize = size;
}

QWidget *mainWidget()
{
    return g_mainWidget.data();
}

void setMainWidget(QWidget *window)
{
    g_mainWidget = window;
}
