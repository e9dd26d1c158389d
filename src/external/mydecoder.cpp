#include "external/mydecoder.h"

#include "app/paths.h"

#include <QLibrary>
#include <cstring>

namespace
{
using GetInfoFn = int (*)(const char *, void *, int);
using OtherFn = int (*)(...);

GetInfoFn g_getInfo = nullptr;
OtherFn g_decodec = nullptr;
OtherFn g_seek = nullptr;
OtherFn g_destroy = nullptr;
} // namespace

int loadDecoderLibrary()
{
    QLibrary lib(AppPaths::decoderLibrary());
    if (!lib.load())
        return -1;
    g_getInfo = reinterpret_cast<GetInfoFn>(lib.resolve("VideoDecoder_GetInfo"));
    g_decodec = reinterpret_cast<OtherFn>(lib.resolve("VideoDecoder_Decodec"));
    g_seek = reinterpret_cast<OtherFn>(lib.resolve("VideoDecoder_Seek"));
    g_destroy = reinterpret_cast<OtherFn>(lib.resolve("VideoDecoder_Destory"));
    // The QLibrary object goes away here; the library itself stays mapped.
    return 0;
}

int VideoDecoder_GetInfo_Wrapper(const char *utf8Path, void *record, int flags)
{
    if (!g_getInfo) {
        if (loadDecoderLibrary() != 0)
            return -1;
        if (!g_getInfo)
            return -1;
    }
    return g_getInfo(utf8Path, record, flags);
}

DecoderMediaInfo decoderMediaInfo(const QString &path)
{
    unsigned char record[kDecoderRecordSize];
    std::memset(record, 0, sizeof record);
    const qint32 size = kDecoderRecordSize;
    std::memcpy(record, &size, sizeof size);

    DecoderMediaInfo info;
    const QByteArray utf8 = path.toUtf8();
    info.result = VideoDecoder_GetInfo_Wrapper(utf8.constData(), record, 0);
    if (info.result != 0)
        return info;
    qint64 duration = 0;
    qint32 video = 0, audio = 0;
    std::memcpy(&duration, record + 4, sizeof duration);
    std::memcpy(&video, record + 16, sizeof video);
    std::memcpy(&audio, record + 48, sizeof audio);
    info.durationMicros = duration;
    info.hasVideo = video != 0;
    info.hasAudio = audio != 0;
    return info;
}

void resetDecoderLibraryForTests()
{
    g_getInfo = nullptr;
    g_decodec = nullptr;
    g_seek = nullptr;
    g_destroy = nullptr;
}
