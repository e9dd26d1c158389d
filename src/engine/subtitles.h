#pragma once
// Subtitle languages: reading the downloader's listing into codes, naming codes for
// display, and choosing the downloader's subtitle arguments for a wanted language.

#include <QString>
#include <QStringList>

struct SubtitleListParse {
    bool inAutomaticSection = false;
    bool found = false; // at least one listed code has a display name
    QStringList subtitles;
    QStringList autoCaptions;
    // Each section was reported, as a table or as "has no ...": the listing is complete
    // even when it names no language.
    bool subtitlesReported = false;
    bool captionsReported = false;
    bool answered() const
    {
        return subtitlesReported && captionsReported;
    }
};

// Reads one listing text; the table part starts at "Language formats" and stays on.
void parseSubtitleList(const QString &text, SubtitleListParse &state);
// The display name of a code ("Chinese-Simplified" for zh-Hans), "" when unknown.
QString languageName(const QString &code);
// For a wanted "zh": the first Chinese variant the lists offer, else "zh".
QString mapChineseCode(const QString &wanted, const QStringList &subtitles, const QStringList &autoCaptions);
// The video job's subtitle arguments for a wanted language ("" for the default one).
QStringList subtitleArgsFor(const QString &wanted, const QStringList &subtitles, const QStringList &autoCaptions);
// The subtitles-only job's: "All" asks for every language.
QStringList subtitleOnlyArgsFor(const QString &wanted, const QStringList &subtitles, const QStringList &autoCaptions);
