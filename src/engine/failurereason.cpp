#include "engine/failurereason.h"

#include <QCoreApplication>

namespace
{
struct Pattern {
    FailureReason reason;
    PermanentCause cause;
    const char *text; // found anywhere in the line, ignoring case
};

using R = FailureReason;
using C = PermanentCause;

// First match wins, so the order matters where messages share words: an age check and
// the bot check both "Sign in to confirm", and a private video's message names cookies
// as a login's does.
const Pattern kPatterns[] = {
    {R::DiskFull, C::None, "No space left on device"},
    {R::DiskFull, C::None, "Errno 28"},
    {R::DiskFull, C::None, "Disk quota exceeded"},

    {R::RateLimited, C::None, "HTTP Error 429"},
    {R::RateLimited, C::None, "Too Many Requests"},
    {R::RateLimited, C::None, "rate-limited"},
    {R::RateLimited, C::None, "try again later"},

    {R::Permanent, C::AgeConfirmation, "confirm your age"},
    {R::Permanent, C::AgeConfirmation, "age-restricted"},
    {R::Permanent, C::AgeConfirmation, "inappropriate for some users"},
    {R::OutdatedDownloader, C::None, "not a bot"},
    {R::Permanent, C::PrivateVideo, "Private video"},
    {R::Permanent, C::PrivateVideo, "This video is private"},
    {R::Permanent, C::MembersOnly, "members-only"},
    {R::Permanent, C::MembersOnly, "channel's members"},
    {R::Permanent, C::AccountTerminated, "has been terminated"},
    {R::Permanent, C::NotInCountry, "available in your country"},
    {R::Permanent, C::NotInCountry, "not available from your location"},
    {R::Permanent, C::Unavailable, "Video unavailable"},
    {R::Permanent, C::Unavailable, "This video is unavailable"},
    {R::Permanent, C::Unavailable, "has been removed"},
    {R::Permanent, C::Unavailable, "is no longer available"},
    {R::Permanent, C::Unavailable, "This video does not exist"},
    {R::Permanent, C::UnsupportedUrl, "Unsupported URL"},
    {R::Permanent, C::LoginRequired, "only available for registered users"},
    {R::Permanent, C::LoginRequired, "Login details are needed"},
    {R::Permanent, C::LoginRequired, "login required"},
    {R::Permanent, C::LoginRequired, "requires authentication"},
    {R::Permanent, C::LoginRequired, "requires payment"},

    // Messages that sites' changes cause and new yt-dlp releases fix, and the adapter's own
    // word for a yt-dlp too old for an option it needs.
    {R::OutdatedDownloader, C::None, "is too old"},
    {R::OutdatedDownloader, C::None, "Unable to extract"},
    {R::OutdatedDownloader, C::None, "Sign in to confirm"},
    {R::OutdatedDownloader, C::None, "HTTP Error 403"},
    {R::OutdatedDownloader, C::None, "nsig extraction failed"},
    {R::OutdatedDownloader, C::None, "Signature extraction failed"},
    {R::OutdatedDownloader, C::None, "Failed to extract any player response"},
    {R::OutdatedDownloader, C::None, "Failed to parse JSON"},

    {R::Transient, C::None, "timed out"},
    {R::Transient, C::None, "Connection reset"},
    {R::Transient, C::None, "Connection refused"},
    {R::Transient, C::None, "Connection aborted"},
    {R::Transient, C::None, "HTTP Error 5"},
    {R::Transient, C::None, "Temporary failure in name resolution"},
    {R::Transient, C::None, "Network is unreachable"},
    {R::Transient, C::None, "IncompleteRead"},
    {R::Transient, C::None, "Remote end closed connection"},
    {R::Transient, C::None, "Unable to download webpage"},
};

struct Code {
    FailureClass failure;
    const char *code;
    const char *text; // the row's short reason, translated in the context "FailureReason"
};

const Code kCodes[] = {
    {{R::Permanent, C::PrivateVideo}, "permanent/private", QT_TRANSLATE_NOOP("FailureReason", "private video")},
    {{R::Permanent, C::Unavailable},
     "permanent/unavailable",
     QT_TRANSLATE_NOOP("FailureReason", "video unavailable or removed")},
    {{R::Permanent, C::AccountTerminated},
     "permanent/terminated",
     QT_TRANSLATE_NOOP("FailureReason", "account terminated")},
    {{R::Permanent, C::MembersOnly}, "permanent/members", QT_TRANSLATE_NOOP("FailureReason", "members only")},
    {{R::Permanent, C::AgeConfirmation},
     "permanent/age",
     QT_TRANSLATE_NOOP("FailureReason", "age confirmation needed")},
    {{R::Permanent, C::NotInCountry},
     "permanent/country",
     QT_TRANSLATE_NOOP("FailureReason", "not available in your country")},
    {{R::Permanent, C::UnsupportedUrl},
     "permanent/unsupported",
     QT_TRANSLATE_NOOP("FailureReason", "unsupported link")},
    {{R::Permanent, C::LoginRequired}, "permanent/login", QT_TRANSLATE_NOOP("FailureReason", "login required")},
    {{R::RateLimited, C::None}, "ratelimited", QT_TRANSLATE_NOOP("FailureReason", "the site asks to slow down")},
    {{R::OutdatedDownloader, C::None},
     "outdated",
     QT_TRANSLATE_NOOP("FailureReason", "the downloader may be outdated")},
    {{R::Transient, C::None}, "transient", ""},
    {{R::DiskFull, C::None}, "diskfull", QT_TRANSLATE_NOOP("FailureReason", "the disk is full")},
};

bool countsAsFailureLine(const QString &text)
{
    return text.startsWith(QLatin1String("ERROR:")) || text.contains(QLatin1String("Got server HTTP error"))
           || text.contains(QLatin1String("Got error:")) || text.contains(QLatin1String("No space left on device"));
}
} // namespace

FailureClass classifyFailureLine(const QString &line)
{
    const QString text = line.trimmed();
    if (!countsAsFailureLine(text))
        return {};
    for (const Pattern &pattern : kPatterns)
        if (text.contains(QLatin1String(pattern.text), Qt::CaseInsensitive))
            return {pattern.reason, pattern.cause};
    return {};
}

FailureReason classifyFailure(const QString &line)
{
    return classifyFailureLine(line).reason;
}

QString failureText(const FailureClass &failure)
{
    for (const Code &code : kCodes)
        if (code.failure == failure)
            return *code.text ? QCoreApplication::translate("FailureReason", code.text) : QString();
    return QString();
}

QString failureCode(const FailureClass &failure)
{
    for (const Code &code : kCodes)
        if (code.failure == failure)
            return QLatin1String(code.code);
    return QString();
}

FailureClass failureFromCode(const QString &text)
{
    for (const Code &code : kCodes)
        if (text == QLatin1String(code.code))
            return code.failure;
    return {};
}
