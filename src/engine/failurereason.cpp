#include "engine/failurereason.h"

namespace
{
struct Pattern {
    FailureReason reason;
    const char *text; // found anywhere in the line, ignoring case
};

// Messages that sites' changes cause and new yt-dlp releases fix.
const Pattern kPatterns[] = {
    {FailureReason::OutdatedDownloader, "Unable to extract"},
    {FailureReason::OutdatedDownloader, "Sign in to confirm"},
    {FailureReason::OutdatedDownloader, "HTTP Error 403"},
    {FailureReason::OutdatedDownloader, "nsig extraction failed"},
    {FailureReason::OutdatedDownloader, "Signature extraction failed"},
    {FailureReason::OutdatedDownloader, "Failed to extract any player response"},
    {FailureReason::OutdatedDownloader, "Failed to parse JSON"},
};
} // namespace

FailureReason classifyFailure(const QString &line)
{
    const QString text = line.trimmed();
    if (!text.startsWith(QLatin1String("ERROR:")) && !text.contains(QLatin1String("Got server HTTP error")))
        return FailureReason::Unknown;
    for (const Pattern &pattern : kPatterns) {
        if (text.contains(QLatin1String(pattern.text), Qt::CaseInsensitive))
            return pattern.reason;
    }
    return FailureReason::Unknown;
}
