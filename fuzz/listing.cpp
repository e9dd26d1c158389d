// The downloader's flat listing of a channel or playlist read into entry names and links.

#include "engine/listing.h"
#include "fuzzinput.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(FuzzInput::bytes(data, size));
    ChannelListing listing;
    parseChannelListing(text, listing);
    FUZZ_CHECK(listing.names.size() == listing.urls.size());
    FUZZ_CHECK(QSet<QString>(listing.urls.cbegin(), listing.urls.cend()).size() == listing.urls.size());
    for (const QString &url : qAsConst(listing.urls)) {
        FUZZ_CHECK(!url.isEmpty());
        isChannelUrl(url);
    }
    isChannelUrl(text);
    return 0;
}
