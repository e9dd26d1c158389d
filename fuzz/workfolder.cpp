// A work folder's state file as a crash or another program may have left it: every
// question the driver asks of it, every key read, and what it listed stored and read
// back unchanged.

#include "engine/workfolder.h"
#include "fuzzinput.h"

#include <QDate>
#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzInput::file(FuzzInput::bytes(data, size), QStringLiteral("config.ini"));
    const QString folder = QFileInfo(path).path();
    // The date the seeds' listings were stored on.
    const QDate today(2024, 3, 1);
    SubtitleLists subtitles;
    ChannelListing listing;
    bool listed = false;
    {
        ItemStateFile state(folder);
        state.infoIsFresh(today);
        state.isSubtitleListCached(subtitles);
        listed = state.isChannelListCached(listing, today);
        state.completedFinalPath(folder + QStringLiteral("/video.mp4"));
        state.isTempVideoReady(folder + QStringLiteral("/video.mp4"));
        state.isTempAudioReady(folder + QStringLiteral("/audio.m4a"));
        const QSettings ini(path, QSettings::IniFormat);
        for (const QString &key : ini.allKeys())
            state.value(key, QString());
    }
    FUZZ_CHECK(listing.names.size() == listing.urls.size());

    const QString copyFolder = FuzzInput::emptyFolder(QStringLiteral("copy"));
    {
        ItemStateFile copy(copyFolder);
        copy.storeSubtitleLists(subtitles);
        if (listed)
            copy.storeChannelListing(listing, today);
    }
    ItemStateFile copy(copyFolder);
    SubtitleLists subtitlesAgain;
    FUZZ_CHECK(copy.isSubtitleListCached(subtitlesAgain));
    FUZZ_CHECK(subtitlesAgain.subtitles == subtitles.subtitles);
    FUZZ_CHECK(subtitlesAgain.autoCaptions == subtitles.autoCaptions);
    ChannelListing listingAgain;
    FUZZ_CHECK(copy.isChannelListCached(listingAgain, today) == (listed && !listing.names.isEmpty()));
    if (listed && !listing.names.isEmpty()) {
        FUZZ_CHECK(listingAgain.title == listing.title);
        FUZZ_CHECK(listingAgain.names == listing.names);
        FUZZ_CHECK(listingAgain.urls == listing.urls);
        FUZZ_CHECK(listingAgain.noTitle == listing.noTitle);
    }
    return 0;
}
