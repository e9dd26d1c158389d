#pragma once
// Fetches a thumbnail that an info JSON names, with Qt's network stack, so the thumbnail
// job needs no second extraction by yt-dlp.

#include "adaptercore.h"

#include <QByteArray>

// The image's bytes, or empty with *error saying why. proxy is the program's --proxy value
// (null for none: the desktop's proxy settings apply). Gives up when the adapter is told to end.
QByteArray fetchThumbnail(const Adapter::ThumbnailSource &source, const QByteArray &proxy, QByteArray *error);
