// The info JSON read into a media record, and every selection rule run over what it gave.

#include "engine/mediainfo.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MediaInfo media;
    media.loadFromFile(FuzzInput::file(FuzzInput::bytes(data, size), QStringLiteral("media.info.json")));
    const QVector<MediaFormat> formats = media.formats();
    for (const MediaFormat &f : formats) {
        FUZZ_CHECK(f.fileSizeBytes >= 0);
        FUZZ_CHECK(f.ext == safeMediaExtension(f.ext, f.kind == FormatKind::AudioOnly));
    }

    for (const MediaFormat &f : formats) {
        media.selectFormatById(f.id);
        FUZZ_CHECK(media.selectedFormat());
        media.selectFormatByResolution(QString::number(f.width) + QLatin1Char('x') + QString::number(f.height));
        FUZZ_CHECK(media.selectedFormat());
    }
    media.selectFormatByResolution(media.title);
    media.selectFormatById(media.formatId);
    // The queue retries until the record runs out of replacements.
    QString failed = media.selectedFormat() ? media.selectedFormat()->id : QString();
    for (int tries = 0; !failed.isEmpty() && tries <= formats.size(); ++tries) {
        failed = media.nextFormatAfterFailure(failed);
        FUZZ_CHECK(failed.isEmpty() || media.selectedFormat());
    }
    int audioChoices = 0;
    for (const MediaFormat *audio = media.chooseAudioFormat(false); audio; audio = media.chooseAudioFormat(true))
        FUZZ_CHECK(++audioChoices <= formats.size());
    FUZZ_CHECK(media.selectedFileSize() >= 0);
    media.displayName();
    return 0;
}
