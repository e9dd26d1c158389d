/* Test double of the media-information library: a path ending in "sound.mp4"
 * has video and audio, "mute.mp4" video only; anything else fails. Duration 2.5 s. */
#include <stdint.h>
#include <string.h>

#ifndef FAKE_DECODER_WITHOUT_GETINFO
static int ends_with(const char *s, const char *tail)
{
    size_t n = strlen(s), m = strlen(tail);
    return n >= m && strcmp(s + n - m, tail) == 0;
}

int VideoDecoder_GetInfo(const char *path, void *record, int flags)
{
    unsigned char *r = (unsigned char *)record;
    int32_t size;
    int64_t duration = 2500000;
    int32_t video = 1, audio;
    (void)flags;
    if (!path || !record)
        return -2;
    memcpy(&size, r, sizeof size);
    if (size != 72)
        return -3;
    if (ends_with(path, "sound.mp4"))
        audio = 1;
    else if (ends_with(path, "mute.mp4"))
        audio = 0;
    else
        return -4;
    memcpy(r + 4, &duration, sizeof duration);
    memcpy(r + 16, &video, sizeof video);
    memcpy(r + 48, &audio, sizeof audio);
    return 0;
}
#endif

int VideoDecoder_Decodec(void) { return -1; }
int VideoDecoder_Seek(void) { return -1; }
int VideoDecoder_Destory(void) { return -1; }
