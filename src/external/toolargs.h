#pragma once
// Every argument list the program hands to the outside tools, and every text of
// theirs it relies on, in one place. Callers never spell arguments themselves.

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace DownloaderArgs
{

// "--proxy" ADDRESS when one applies, then "--no-warnings".
QStringList prefix(const QString &proxy);

QStringList info(const QString &proxy, const QString &workFolder, const QString &url);
QStringList thumbnail(const QString &proxy, const QString &thumbnailPath, const QString &url);
QStringList listSubtitles(const QString &proxy, const QString &url);
// subtitleArgs from subtitleArguments(); rateLimit "" or "1M".."8M"; formatId "" for none.
QStringList video(const QString &proxy, const QStringList &subtitleArgs, const QString &rateLimit,
                  const QString &formatId, const QString &output, const QString &url);
QStringList audio(const QString &proxy, const QString &formatId, const QString &output, const QString &url);
QStringList subtitlesOnly(const QString &proxy, const QStringList &subtitleArgs, const QString &output,
                          const QString &url);
QStringList channelListing(const QString &proxy, const QString &url);

enum class SubtitleSource { Subtitles, AutomaticCaptions };
// "--write-sub" alone for no language; "--all-subs" alone for every language;
// otherwise "--write-sub" or "--write-auto-sub", "--sub-lang" and the code.
QStringList subtitleArguments(SubtitleSource source, const QString &code);
QStringList allSubtitlesArguments();

// The template the info job writes under: one JSON file named after the media id.
QString infoOutputTemplate(const QString &workFolder);

} // namespace DownloaderArgs

namespace DownloaderText
{
extern const QString ProgressMarker;     // "[download]"
extern const QString FormatNotAvailable; // the chosen format cannot be had
extern const QString Http404;            // the media data is gone
extern const QString PlaylistMissing;
extern const QString CannotWriteMetadata;
extern const QString ErrorPrefix;             // "ERROR: "
extern const QString ServerHttpError;         // "Got server HTTP error:"
extern const QString SubtitlesHeader;         // "Available subtitles for"
extern const QString AutomaticCaptionsHeader; // "Available automatic captions for"
extern const QString LanguageTableHeader;     // "Language formats"
extern const QString NoSubtitles;             // "ID has no subtitles"
extern const QString NoAutomaticCaptions;     // "ID has no automatic captions"
extern const QString PartialMarkerSuffix;     // ".ytdl": present while a transfer is incomplete
} // namespace DownloaderText

namespace ConverterArgs
{

QStringList probe(const QString &input);
// "-vcodec copy" when the input's lower-case suffix already is the target suffix.
QStringList convert(const QString &input, const QString &targetSuffix, const QString &output);
QStringList cut(qint64 startSeconds, const QString &input, qint64 lengthSeconds, const QString &output);
QStringList splitSegment(qint64 startSeconds, const QString &input, qint64 lengthSeconds, const QString &output);
QStringList joinByList(const QString &listFile, const QString &output);
QStringList joinByFilter(const QStringList &inputs, const QString &output);
// The concat filter over inputs taken as video stream 0 and audio stream 1 each.
QString joinFilter(int inputCount);
// One line of the join list file, without its line end: the name quoted so that any
// name without a line break reads back as itself.
QString joinListLine(const QString &fileName);
// Whether the rotator turns this input by its rotation tag on a stream copy (mp4, any case)
// rather than through the rotate filter.
bool rotatesByTag(const QString &input);
// Turns the picture clockwise by angle (90, 180 or 270) degrees. A tagged input gets the
// rotation tag that shows it turned from how it is shown now: shownRotation is its display
// matrix's rotation as the converter reports it (degrees counter-clockwise, 0 for none).
// Other inputs are turned upright by the converter when read, then by the filter.
QStringList rotate(const QString &input, int angle, int shownRotation, const QString &output);
// The rotate filter turning the picture clockwise by angle degrees into a frame of the rotated size.
QString rotateFilter(int angle);
// The video's first video stream copied, with the audio file's first sound stream.
QStringList addAudio(const QString &video, const QString &audio, const QString &output);
// Download merge: audioCodec "" for none, else "copy" or "mp3"; converting leaves codecs to ffmpeg.
// Its inputs, like the subtitle conversion's, may only be local files.
QStringList merge(const QString &video, const QString &audio, bool converting, const QString &audioCodec,
                  const QString &output);
QStringList subtitleToSrt(const QString &vttPath, const QString &srtPath);

} // namespace ConverterArgs

namespace ConverterText
{
extern const QString Duration;    // "Duration:" then h:m:s and a comma
extern const QString FrameMarker; // "frame=" starts each progress report
extern const QString Time;        // "time="
extern const QString Bitrate;     // "bitrate="
extern const QString Size;        // "size="
} // namespace ConverterText
