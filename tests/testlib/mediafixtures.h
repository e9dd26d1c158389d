#pragma once
// Small media files made at test time with the real ffmpeg (lavfi test sources).

#include <QString>

namespace MediaFixtures {
enum class Kind { VideoWithSound, VideoWithoutSound, AudioOnly };
// Writes a clip of the given length; the container follows the path's suffix.
// Returns false (with the converter's output as a warning) when ffmpeg fails.
bool make(const QString &path, Kind kind, double seconds = 2.0);
QString ffmpegProgram();
} // namespace MediaFixtures
