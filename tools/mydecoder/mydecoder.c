/* MyDecoder: tells the program a media file's length and whether it carries
 * video and sound, read with libavformat. Four C entry points; only
 * VideoDecoder_GetInfo does real work, the other three report "not supported". */

#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <stdint.h>
#include <string.h>

#define MYDECODER_EXPORT __attribute__((visibility("default")))

enum {
    RECORD_SIZE = 72,
    OFFSET_DURATION = 4,
    OFFSET_HAS_VIDEO = 16,
    OFFSET_HAS_AUDIO = 48,
};

enum {
    ERR_ARGUMENT = -1,
    ERR_RECORD_SIZE = -2,
    ERR_OPEN = -3,
    ERR_STREAMS = -4,
    ERR_NOT_MEDIA = -5,
    ERR_UNSUPPORTED = -100,
};

/* The containers downloads and their merges come in; playlists and lists of other files
 * (hls, dash, concat) are not among them. */
#define MEDIA_CONTAINERS                                                                                               \
    "mov,mp4,m4a,3gp,3g2,mj2,matroska,webm,avi,flv,mpegts,mp3,aac,ac3,eac3,ogg,wav,flac,asf,amr,mpeg,h264,hevc"

/* Demuxers that accept almost any bytes (plain text shows up as an ANSI "video"):
 * a file they claim is not a media file. */
static int is_catch_all_demuxer(const char *name)
{
    static const char *const names[] = {"tty", "txt", "ansi", "bin", "xbin", "idf", "adf", NULL};
    for (int i = 0; names[i]; ++i)
        if (strcmp(name, names[i]) == 0)
            return 1;
    return 0;
}

static int64_t media_duration(const AVFormatContext *ctx)
{
    if (ctx->duration != AV_NOPTS_VALUE && ctx->duration > 0)
        return ctx->duration; /* AV_TIME_BASE is microseconds */
    int64_t longest = 0;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream *st = ctx->streams[i];
        if (st->duration == AV_NOPTS_VALUE || st->duration <= 0)
            continue;
        const int64_t us = av_rescale_q(st->duration, st->time_base, AV_TIME_BASE_Q);
        if (us > longest)
            longest = us;
    }
    return longest;
}

MYDECODER_EXPORT int VideoDecoder_GetInfo(const char *path, void *record, int flags)
{
    (void)flags;
    if (!path || !*path || !record)
        return ERR_ARGUMENT;
    int32_t size = 0;
    memcpy(&size, record, sizeof size);
    if (size != RECORD_SIZE)
        return ERR_RECORD_SIZE;

    av_log_set_level(AV_LOG_QUIET);
    /* A downloaded file is whatever the site sent: it may only ever be read as a local
     * file, never lead to an address of the site's choosing, nor pull other files in. */
    AVDictionary *options = NULL;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", MEDIA_CONTAINERS, 0);
    AVFormatContext *ctx = NULL;
    const int opened = avformat_open_input(&ctx, path, NULL, &options);
    av_dict_free(&options);
    if (opened != 0)
        return ERR_OPEN;
    if (avformat_find_stream_info(ctx, NULL) < 0) {
        avformat_close_input(&ctx);
        return ERR_STREAMS;
    }
    if (!ctx->iformat || is_catch_all_demuxer(ctx->iformat->name)) {
        avformat_close_input(&ctx);
        return ERR_NOT_MEDIA;
    }

    int32_t has_video = 0, has_audio = 0;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream *st = ctx->streams[i];
        const AVCodecParameters *par = st->codecpar;
        if (par->codec_id == AV_CODEC_ID_NONE)
            continue;
        /* Cover art in an audio file is not a video. */
        if (par->codec_type == AVMEDIA_TYPE_VIDEO && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            has_video = 1;
        else if (par->codec_type == AVMEDIA_TYPE_AUDIO)
            has_audio = 1;
    }
    const int64_t duration = media_duration(ctx);
    avformat_close_input(&ctx);
    if (!has_video && !has_audio)
        return ERR_NOT_MEDIA;

    unsigned char *r = (unsigned char *)record;
    memcpy(r + OFFSET_DURATION, &duration, sizeof duration);
    memcpy(r + OFFSET_HAS_VIDEO, &has_video, sizeof has_video);
    memcpy(r + OFFSET_HAS_AUDIO, &has_audio, sizeof has_audio);
    return 0;
}

MYDECODER_EXPORT int VideoDecoder_Decodec(void)
{
    return ERR_UNSUPPORTED;
}

MYDECODER_EXPORT int VideoDecoder_Seek(void)
{
    return ERR_UNSUPPORTED;
}

MYDECODER_EXPORT int VideoDecoder_Destory(void)
{
    return ERR_UNSUPPORTED;
}
