#pragma once
// The media-information library MyDecoder, loaded lazily from the application
// folder. Only the information call is used; the other entry points are resolved
// and kept but never called.

#include <QString>
#include <QtGlobal>

// Loads the library and resolves its four entry points: 0 on success, -1 otherwise.
int loadDecoderLibrary();
// Forwards to VideoDecoder_GetInfo, loading the library first when needed;
// -1 when the library or the entry point is missing (tried again next time).
int VideoDecoder_GetInfo_Wrapper(const char *utf8Path, void *record, int flags);

// The fields the program reads from the 72-byte information record.
struct DecoderMediaInfo {
    int result = -1;           // the call's return value, 0 on success
    qint64 durationMicros = 0; // byte 4
    bool hasVideo = false;     // byte 16
    bool hasAudio = false;     // byte 48
};
constexpr int kDecoderRecordSize = 72;
DecoderMediaInfo decoderMediaInfo(const QString &path);

// Forgets the resolved entry points (tests load the library from another folder).
void resetDecoderLibraryForTests();
