// The converter's output: ffmpeg's progress reports read by the download driver while it
// merges, and by the video tools for their length, progress and rotation. The input goes
// in pieces through the tools' line splitter; the first byte chooses the piece size and
// the length of the inputs being merged.

#include "engine/mediainfo.h"
#include "engine/outputparse.h"
#include "fuzzinput.h"
#include "toolkit/tooljob.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t mode = data[0];
    const QByteArray output = FuzzInput::bytes(data + 1, size - 1);
    const int pieceSize = (mode & 31) + 1;
    const qint64 totalBytes = qint64(mode >> 5) << (mode & 31);

    MediaInfo media;
    ConverterOutput lines;
    QString text;
    const auto parse = [&](const QString &piece) {
        text += piece;
        parseConvertProgress(piece, &media, totalBytes);
        FUZZ_CHECK(media.progress >= 0 && media.progress <= 9998);
    };
    for (int at = 0; at < output.size(); at += pieceSize) {
        const QString complete = lines.take(output.mid(at, pieceSize));
        FUZZ_CHECK(complete.isEmpty() || complete.endsWith(QLatin1Char('\n')) || complete.endsWith(QLatin1Char('\r')));
        parse(complete);
    }
    parse(lines.flush());

    const qint64 duration = ToolJob::durationIn(text);
    ToolJob::totalDurationIn(text);
    const int progress = ToolJob::progressIn(text, duration);
    FUZZ_CHECK(progress >= -1 && progress <= 9999);
    ToolJob::percentText(qMax(progress, 0));
    ToolJob::displayRotationIn(text);
    return 0;
}
