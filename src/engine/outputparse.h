#pragma once
// Turns what the downloader and ffmpeg print into a media's progress, speed and
// remaining time, and into the flags that steer the next attempt.

#include <QString>
#include <QTextDecoder>
#include <QtGlobal>
#include <memory>

class MediaInfo;

// Where a transfer's progress lands on the bar: a video whose sound follows separately
// (0-90 %), the audio part (90-98 %), a file complete in itself (0-100 %), or a file that a
// conversion follows (0-98 %).
enum class DownloadStage { Video, Audio, WholeFile, BeforeConversion };

// Flags the download parser raises for the driver.
struct DownloadFlags {
    bool reached100 = false;
    bool formatUnavailable = false;
};

// One read of the downloader's output during a video or audio job. Besides progress and
// speed, the size a progress line names becomes the selected format's size when that is
// unknown, so a row never shows "--" for a size the transfer knows.
void parseDownloadOutput(const QString &text, MediaInfo *media, DownloadStage stage, DownloadFlags &flags);
// One read during the info job. Returns the URL to use from now on: a playlist that
// does not exist makes the next try ask for the single video.
QString parseInfoOutput(const QString &text, const QString &url);
// One read of ffmpeg's output while merging or converting inputs of totalBytes.
void parseConvertProgress(const QString &text, MediaInfo *media, qint64 totalBytes);

// Keeps the unfinished last line of a child's output for the next read, so a
// progress line split between two reads is parsed once, whole.
// "12.34MiB", "~2.00KiB", "1000.00B" in bytes; 0 when the text is no size.
qint64 parseSizeText(const QString &text);

class LineBuffer
{
public:
    LineBuffer();
    // The complete lines of everything fed so far (with their line ends), or "".
    QString feed(const QByteArray &bytes);
    // Whatever is left, complete or not (when the child has ended).
    QString flush();

private:
    std::unique_ptr<QTextDecoder> m_decoder;
    QString m_pending;
};
