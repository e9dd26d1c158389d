#pragma once
// Process-wide values every part of the program leans on: the application folder,
// the display scale factor, the desktop size and the one main window.

#include <QSizeF>
#include <QString>

class QWidget;

QString appDirPath();
void setAppDirPath(const QString &path);

// Multiplier for every pixel and font size, within 1.0 to 1.8.
double scaleFactor();
void setScaleFactor(double factor);
// A design size at 96 DPI times the scale factor, truncated toward zero.
int scaled(double designPixels);
// The factor for a screen's logical DPI: the smaller axis over 96, kept in 1.0..1.8.
double computeScaleFactor(double logicalDpiX, double logicalDpiY);

// The primary desktop's size; 1366 x 768 until a desktop has been read.
QSizeF desktopSize();
void setDesktopSize(const QSizeF &size);

// The main window as a plain widget, for the layers below the shell
// (the shell's mainWindow() gives it with its own type).
QWidget *mainWidget();
void setMainWidget(QWidget *window);
