// The adapter's reading of yt-dlp's JSON: the info JSON tidied for the program, the
// subtitle table and the flat listing built from -J, and the thumbnails it names.

#include "adaptercore.h"
#include "fuzzinput.h"

#include <cjson/cJSON.h>

namespace
{
// The program reads the adapter's JSON with the same reader.
bool isJsonObject(const QByteArray &json)
{
    cJSON *root = cJSON_ParseWithLength(json.constData(), size_t(json.size()));
    const bool object = cJSON_IsObject(root);
    cJSON_Delete(root);
    return object;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json = FuzzInput::bytes(data, size);
    QByteArray tidied = json;
    if (Adapter::tidyInfoJson(&tidied)) {
        FUZZ_CHECK(isJsonObject(tidied));
        // Tidied once is tidy.
        QByteArray again = tidied;
        FUZZ_CHECK(!Adapter::tidyInfoJson(&again));
    } else {
        FUZZ_CHECK(tidied == json);
    }
    Adapter::subtitleListing(json);
    const QByteArray listing = Adapter::normalizeListing(json);
    FUZZ_CHECK(listing == json || isJsonObject(listing));
    for (const Adapter::ThumbnailSource &source : Adapter::thumbnailSources(json))
        FUZZ_CHECK(source.url.startsWith("http://") || source.url.startsWith("https://"));
    return 0;
}
