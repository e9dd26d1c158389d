#pragma once
// Steps of the start-up order that need no main window.

#include <QString>

// Drops plug-in folders that others could write to (QT_PLUGIN_PATH and the like)
// and adds the application folder's own; Qt's installed plug-in folder stays,
// since the system's Qt loads its platform, image and SQL plug-ins from there.
void restrictPluginPaths(const QString &appDir);
// Deletes the working copy of the downloader so a fresh one is copied before use.
void deleteStaleDownloaderCopy();
