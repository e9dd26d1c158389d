#pragma once
// What a downloader's error message says about the cause of a failure, from one table
// of message patterns. The row of a failed item uses it to offer the right remedy.

#include <QString>

enum class FailureReason {
    Unknown,
    // Extractor errors and refusals that a current yt-dlp usually gets past.
    OutdatedDownloader,
};

// The reason one line of the downloader's output gives, or Unknown. Only "ERROR:" lines
// and the retry notes of a transfer ("Got server HTTP error") count.
FailureReason classifyFailure(const QString &line);
