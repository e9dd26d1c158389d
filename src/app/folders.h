#pragma once
// Rules that turn settings into folders, and the paths of the outside tools.

#include "app/settings.h"

#include <QString>

class QWidget;

// home + "/Documents/" (or "/My Documents/"), creating "Documents" when neither exists.
QString documentsBase();
// documents base + "Kestrova/Clipwright", each level created.
QString defaultDownloadFolder();
// The folder stored under key when it exists, else the default download folder.
// The stored value is never rewritten.
QString resolveFolderSetting(Settings::Key key);
void saveStringSetting(Settings::Key key, const QString &value);
// DownloadTempFolder with forward slashes, or documents base + "Kestrova/Temp_Download"
// when the stored text is shorter than 3 characters.
QString downloadCacheFolder();
// The user's private folder for the working copies of the outside tools.
// Unlike the shared system temporary folder, no other user can plant files here.
QString toolTempFolder();
// The private folder above toolTempFolder(), for other files the program loads.
QString privateProgramFolder();
QString ffmpegPath();
// Keeps `copy` an up-to-date working copy of `source`: copied again whenever the source's
// size or modification time differs (an upgraded program or tool), replaced atomically so a
// running or crashed start never sees half a file. Returns false when the copy is not usable
// (source missing, folder unwritable, or the copy belongs to someone else).
bool refreshPrivateCopy(const QString &source, const QString &copy);
// Centres a dialog on the main window (or on a 1000 x 630 design window).
void centerOnMainWindow(QWidget *dialog);
