// The downloader's subtitle listing read into language codes, and the subtitle arguments
// chosen from them.

#include "engine/subtitles.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SubtitleListParse parse;
    parseSubtitleList(QString::fromUtf8(FuzzInput::bytes(data, size)), parse);
    for (const QStringList *list : {&parse.subtitles, &parse.autoCaptions}) {
        for (const QString &code : *list) {
            FUZZ_CHECK(!languageName(code).isEmpty());
            subtitleArgsFor(code, parse.subtitles, parse.autoCaptions);
        }
    }
    for (const char *wanted : {"", "zh", "en", "All"})
        subtitleOnlyArgsFor(QLatin1String(wanted), parse.subtitles, parse.autoCaptions);
    return 0;
}
