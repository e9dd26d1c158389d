#pragma once
// Turns what the downloader and ffmpeg print into a media's progress, speed and
// remaining time, and into the flags that steer the next attempt.

#include <QString>
#include <QTextDecoder>
#include <QtGlobal>
#include <memory>

class MediaInfo;

enum class DownloadStage { Video, Audio };

// Flags the download parser raises for the driver.
struct DownloadFlags {
    bool reached100 = false;
    bool formatUnavailable = false;
};

// One read of the downloader's output during a video or audio job.
void parseDownloadOutput(const QString &text, MediaInfo *media, DownloadStage stage, DownloadFlags &flags);
// One read during the info job. Returns the URL to use from now on: a playlist that
// does not exist makes the next try ask for the single video.
QString parseInfoOutput(const QString &text, const QString &url);
// One read of ffmpeg's output while merging or converting inputs of totalBytes.
void parseConvertProgress(const QString &text, MediaInfo *media, qint64 totalBytes);

// Keeps the unfinished last line of a child's output for the next read, so a
// progress line split between two reads is parsed once, whole.
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
