// The adapter's reading of what yt-dlp prints: progress records turned into the progress
// lines the program parses (and the program's reading of them), error texts, the path of
// a written info JSON, and the option a too old yt-dlp refused.

#include "adaptercore.h"
#include "engine/mediainfo.h"
#include "engine/outputparse.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    for (const QByteArray &line : FuzzInput::bytes(data, size).split('\n')) {
        for (int job = int(Adapter::Job::Info); job <= int(Adapter::Job::Other); ++job)
            Adapter::translateLine(line, Adapter::Job(job));
        Adapter::infoJsonPath(line);
        const QByteArray option = Adapter::unknownOptionIn(line);
        if (!option.isEmpty())
            Adapter::tooOldLine("2021.06.09", option);
        Adapter::youtubeVideoId(QString::fromUtf8(line));
        Adapter::channelVideosUrl(line);

        Adapter::ProgressRecord record;
        if (!Adapter::parseProgressRecord(line, &record))
            continue;
        const QByteArray progress = Adapter::formatProgressLine(record);
        if (progress.isEmpty())
            continue;
        // Only a finished transfer may look finished to the program.
        MediaInfo media;
        DownloadFlags flags;
        parseDownloadOutput(QString::fromUtf8(progress), &media, DownloadStage::WholeFile, flags);
        FUZZ_CHECK(flags.reached100 == (record.status == "finished"));
    }
    return 0;
}
