// The downloader's output as the driver reads it: bytes in pieces of any size through the
// line buffer, then the download and info parsers over the complete lines.
// The first byte chooses the stage, the piece size and whether the size is known.

#include "engine/mediainfo.h"
#include "engine/outputparse.h"
#include "fuzzinput.h"

#include <QTextCodec>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t mode = data[0];
    const QByteArray output = FuzzInput::bytes(data + 1, size - 1);
    const auto stage = DownloadStage(mode % 4);
    const int pieceSize = (mode >> 3) + 1;
    MediaFormat format;
    format.id = QStringLiteral("137");
    format.fileSizeBytes = mode & 4 ? 0 : 1000;
    MediaInfo media;
    media.setFormatsForTest({format}, false);
    media.selectFormatById(format.id);

    LineBuffer lines;
    DownloadFlags flags;
    QString url = QStringLiteral("https://www.youtube.com/watch?v=abcdefghijk&list=PL1&index=2");
    QString seen;
    const auto parse = [&](const QString &text) {
        seen += text;
        parseDownloadOutput(text, &media, stage, flags);
        url = parseInfoOutput(text, url);
        FUZZ_CHECK(media.progress >= 0 && media.progress <= 9999);
        FUZZ_CHECK(media.selectedFileSize() >= 0);
    };
    for (int at = 0; at < output.size(); at += pieceSize) {
        const QString complete = lines.feed(output.mid(at, pieceSize));
        FUZZ_CHECK(complete.isEmpty() || complete.endsWith(QLatin1Char('\n')) || complete.endsWith(QLatin1Char('\r')));
        parse(complete);
    }
    parse(lines.flush());
    // No text is lost or doubled between the pieces. Qt's decoder may stand in for broken
    // bytes differently when they come in pieces, so only the text that decodes is compared.
    QString whole = QTextCodec::codecForName("UTF-8")->toUnicode(output);
    whole.remove(QChar::ReplacementCharacter);
    FUZZ_CHECK(seen.remove(QChar::ReplacementCharacter) == whole);
    parseSizeText(QString::fromUtf8(output));
    return 0;
}
