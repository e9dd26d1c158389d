#pragma once
// Where the program's own files are, found from the folder of its executable, so the
// build folder and any installed prefix work alike. In the build folder (build/bin)
// everything lies beside the program, with links to the system's ffmpeg and ffprobe.
// Installed, the freedesktop layout holds: PREFIX/bin/clipwright, the adapter and the
// decoder library in PREFIX/lib/clipwright, translations and fonts in
// PREFIX/share/clipwright, and ffmpeg and ffprobe are the system's, found on PATH.

#include <QString>

namespace AppPaths
{
// True when the program runs from an installed prefix rather than the build folder.
bool isInstalled();
// The adapter, the decoder library and the Qt plug-ins the program brings.
QString libraryFolder();
// The "Lang" and "font" folders.
QString dataFolder();
// The compiled interface translation for a two-letter code ("Lang/Lang_EN.qm").
QString translationFile(const QString &code);
QString adapterProgram();
QString decoderLibrary();
// ffmpeg, ffmpeg2 or ffprobe: beside the program in the build folder, the system's when
// installed (a missing one still gets a path, so its user reports the absence).
QString mediaTool(const QString &name);
} // namespace AppPaths
