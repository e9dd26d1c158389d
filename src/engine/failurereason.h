#pragma once
// What a downloader's or converter's error message says about the cause of a failure,
// from one table of message patterns (the wordings of the 2023 yt-dlp and of current
// ones). The queue decides from it whether and when to retry, and the row names it.

#include <QString>

enum class FailureReason {
    Unknown,
    // Extractor errors and refusals that a current yt-dlp usually gets past.
    OutdatedDownloader,
    // The media will not come however often it is asked for: private, removed, ...
    Permanent,
    // The site asks to slow down: HTTP 429, "Too Many Requests".
    RateLimited,
    // The network or the server failed for now: time-outs, resets, 5xx.
    Transient,
    // No space left on the device written to.
    DiskFull,
};

// Why a permanent failure is permanent; each has a short text for the row.
enum class PermanentCause {
    None,
    PrivateVideo,
    Unavailable,
    AccountTerminated,
    MembersOnly,
    AgeConfirmation,
    NotInCountry,
    UnsupportedUrl,
    LoginRequired,
};

struct FailureClass {
    FailureReason reason = FailureReason::Unknown;
    PermanentCause cause = PermanentCause::None;
    bool operator==(const FailureClass &o) const
    {
        return reason == o.reason && cause == o.cause;
    }
};

// The class one line of output gives. Only "ERROR:" lines, the transfer's retry notes
// ("Got server HTTP error", "Got error:") and the converter's write errors count.
FailureClass classifyFailureLine(const QString &line);
// The reason alone.
FailureReason classifyFailure(const QString &line);

// The short text the row shows after "Download Failed: " ("private video"), translated;
// "" when the class has none.
QString failureText(const FailureClass &failure);

// A stable text for the database ("permanent/private", "ratelimited", ...), and back.
// "" stands for no known class.
QString failureCode(const FailureClass &failure);
FailureClass failureFromCode(const QString &code);
