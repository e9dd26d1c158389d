#include "engine/subtitles.h"

#include "external/toolargs.h"

#include <QCoreApplication>
#include <QHash>

namespace
{

struct Name {
    const char *code;
    const char *name;
};

// Names keep their trailing blank: a region is appended after trimming it.
const Name kLanguages[] = {
    {"zh", QT_TRANSLATE_NOOP("Subtitles", "Chinese ")},       {"nl", QT_TRANSLATE_NOOP("Subtitles", "Dutch ")},
    {"en", QT_TRANSLATE_NOOP("Subtitles", "English ")},       {"fr", QT_TRANSLATE_NOOP("Subtitles", "French ")},
    {"de", QT_TRANSLATE_NOOP("Subtitles", "German")},         {"it", QT_TRANSLATE_NOOP("Subtitles", "Italian ")},
    {"pt", QT_TRANSLATE_NOOP("Subtitles", "Portuguese ")},    {"es", QT_TRANSLATE_NOOP("Subtitles", "Spanish ")},
    {"bn", QT_TRANSLATE_NOOP("Subtitles", "Bengal ")},        {"hr", QT_TRANSLATE_NOOP("Subtitles", "Croatia ")},
    {"cs", QT_TRANSLATE_NOOP("Subtitles", "Czech ")},         {"da", QT_TRANSLATE_NOOP("Subtitles", "Danish ")},
    {"el", QT_TRANSLATE_NOOP("Subtitles", "Greek ")},         {"he", QT_TRANSLATE_NOOP("Subtitles", "Hebrew ")},
    {"hi", QT_TRANSLATE_NOOP("Subtitles", "Hindi ")},         {"hu", QT_TRANSLATE_NOOP("Subtitles", "Hungarian ")},
    {"in", QT_TRANSLATE_NOOP("Subtitles", "Indonesia ")},     {"ja", QT_TRANSLATE_NOOP("Subtitles", "Japanese ")},
    {"ko", QT_TRANSLATE_NOOP("Subtitles", "Korean ")},        {"ms", QT_TRANSLATE_NOOP("Subtitles", "Malay ")},
    {"fa", QT_TRANSLATE_NOOP("Subtitles", "Farsi ")},         {"pl", QT_TRANSLATE_NOOP("Subtitles", "Polish ")},
    {"ro", QT_TRANSLATE_NOOP("Subtitles", "Romanian ")},      {"ru", QT_TRANSLATE_NOOP("Subtitles", "Russian ")},
    {"sr", QT_TRANSLATE_NOOP("Subtitles", "Serbian ")},       {"sv", QT_TRANSLATE_NOOP("Subtitles", "Swedish ")},
    {"th", QT_TRANSLATE_NOOP("Subtitles", "Thai ")},          {"tr", QT_TRANSLATE_NOOP("Subtitles", "Turkish ")},
    {"ur", QT_TRANSLATE_NOOP("Subtitles", "Uhl Du ")},        {"vi", QT_TRANSLATE_NOOP("Subtitles", "Vietnamese ")},
    {"ca", QT_TRANSLATE_NOOP("Subtitles", "Catalan ")},       {"lv", QT_TRANSLATE_NOOP("Subtitles", "Latvia ")},
    {"lt", QT_TRANSLATE_NOOP("Subtitles", "Lithuania ")},     {"nb", QT_TRANSLATE_NOOP("Subtitles", "Norwegian ")},
    {"sk", QT_TRANSLATE_NOOP("Subtitles", "Slovakia ")},      {"sl", QT_TRANSLATE_NOOP("Subtitles", "Slovenia ")},
    {"bg", QT_TRANSLATE_NOOP("Subtitles", "Bulgarian ")},     {"uk", QT_TRANSLATE_NOOP("Subtitles", "Ukraine ")},
    {"tl", QT_TRANSLATE_NOOP("Subtitles", "Filipino ")},      {"fi", QT_TRANSLATE_NOOP("Subtitles", "Finnish ")},
    {"af", QT_TRANSLATE_NOOP("Subtitles", "South African ")}, {"rm", QT_TRANSLATE_NOOP("Subtitles", "romansh ")},
    {"my", QT_TRANSLATE_NOOP("Subtitles", "Burmese ")},       {"km", QT_TRANSLATE_NOOP("Subtitles", "Kampuchea ")},
    {"am", QT_TRANSLATE_NOOP("Subtitles", "Am ha ")},         {"be", QT_TRANSLATE_NOOP("Subtitles", "Belarus ")},
    {"et", QT_TRANSLATE_NOOP("Subtitles", "Estonia ")},       {"sw", QT_TRANSLATE_NOOP("Subtitles", "Swahili ")},
    {"zu", QT_TRANSLATE_NOOP("Subtitles", "Zulu ")},          {"az", QT_TRANSLATE_NOOP("Subtitles", "Azerbaijani ")},
    {"hy", QT_TRANSLATE_NOOP("Subtitles", "Armenia ")},       {"ka", QT_TRANSLATE_NOOP("Subtitles", "Georgian ")},
    {"lo", QT_TRANSLATE_NOOP("Subtitles", "Laotian ")},       {"mn", QT_TRANSLATE_NOOP("Subtitles", "Mongolian ")},
    {"ne", QT_TRANSLATE_NOOP("Subtitles", "Nepalese ")},      {"kk", QT_TRANSLATE_NOOP("Subtitles", "Kazakh ")},
    {"si", QT_TRANSLATE_NOOP("Subtitles", "Sinhala ")},       {"ar", QT_TRANSLATE_NOOP("Subtitles", "Arabic ")},
};

const Name kRegions[] = {
    {"cn", "Simplified"}, // the one name shown untranslated
    {"hans", QT_TRANSLATE_NOOP("Subtitles", "Simplified")},
    {"hant", QT_TRANSLATE_NOOP("Subtitles", "Traditional")},
    {"tw", QT_TRANSLATE_NOOP("Subtitles", "Traditional")},
    {"hk", QT_TRANSLATE_NOOP("Subtitles", "Hong Kong")},
    {"us", QT_TRANSLATE_NOOP("Subtitles", "USA")},
    {"au", QT_TRANSLATE_NOOP("Subtitles", "Australia")},
    {"ca", QT_TRANSLATE_NOOP("Subtitles", "Canada")},
    {"in", QT_TRANSLATE_NOOP("Subtitles", "India")},
    {"ie", QT_TRANSLATE_NOOP("Subtitles", "Ireland")},
    {"iq", QT_TRANSLATE_NOOP("Subtitles", "Iraq")},
    {"nz", QT_TRANSLATE_NOOP("Subtitles", "New Zealand")},
    {"sg", QT_TRANSLATE_NOOP("Subtitles", "Singapore")},
    {"gb", QT_TRANSLATE_NOOP("Subtitles", "Britain")},
    {"ch", QT_TRANSLATE_NOOP("Subtitles", "Switzerland")},
    {"cyrl", QT_TRANSLATE_NOOP("Subtitles", "Cyril")},
    {"eg", QT_TRANSLATE_NOOP("Subtitles", "Egypt")},
    {"ly", QT_TRANSLATE_NOOP("Subtitles", "Libya")},
    {"dz", QT_TRANSLATE_NOOP("Subtitles", "Algeria")},
    {"ma", QT_TRANSLATE_NOOP("Subtitles", "Morocco")},
    {"tn", QT_TRANSLATE_NOOP("Subtitles", "Tunisia")},
    {"om", QT_TRANSLATE_NOOP("Subtitles", "Oman")},
    {"ye", QT_TRANSLATE_NOOP("Subtitles", "Yemen")},
    {"sy", QT_TRANSLATE_NOOP("Subtitles", "Syria")},
    {"jo", QT_TRANSLATE_NOOP("Subtitles", "JORDAN")},
    {"lb", QT_TRANSLATE_NOOP("Subtitles", "Lebanon")},
    {"kw", QT_TRANSLATE_NOOP("Subtitles", "Kuwait")},
};

template <size_t N> const char *lookup(const Name (&table)[N], const QString &code)
{
    for (const Name &n : table)
        if (code == QLatin1String(n.code))
            return n.name;
    return nullptr;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("Subtitles", text);
}

// Appends the code unless a code of the same display name is already there.
void appendByName(QStringList &list, const QString &code, const QString &name)
{
    for (const QString &existing : list)
        if (languageName(existing) == name)
            return;
    list << code;
}

} // namespace

QString languageName(const QString &rawCode)
{
    if (rawCode.size() < 2)
        return QString();
    QString code = rawCode;
    code.replace(QLatin1Char('-'), QLatin1Char('_'));
    const int split = code.indexOf(QLatin1Char('_'));
    const QString language = (split < 0 ? code : code.left(split)).toLower();
    const QString region = split < 0 ? QString() : code.mid(split + 1).toLower();
    const char *languageText = lookup(kLanguages, language);
    if (!languageText)
        return QString();
    const QString name = tr(languageText);
    const char *regionText = region.isEmpty() ? nullptr : lookup(kRegions, region);
    if (!regionText)
        return name;
    const QString regionName = region == QLatin1String("cn") ? QLatin1String(regionText) : tr(regionText);
    return name.trimmed() + QLatin1Char('-') + regionName;
}

void parseSubtitleList(const QString &text, SubtitleListParse &state)
{
    bool inTable = false;
    for (const QString &rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(DownloaderText::AutomaticCaptionsHeader))
            state.inAutomaticSection = true;
        else if (line.startsWith(DownloaderText::SubtitlesHeader))
            state.inAutomaticSection = false;
        if (line.startsWith(DownloaderText::AutomaticCaptionsHeader)
            || line.endsWith(DownloaderText::NoAutomaticCaptions))
            state.captionsReported = true;
        if (line.startsWith(DownloaderText::SubtitlesHeader) || line.endsWith(DownloaderText::NoSubtitles))
            state.subtitlesReported = true;
        if (line.startsWith(DownloaderText::LanguageTableHeader))
            inTable = true;
        if (!inTable)
            continue;
        const QStringList parts = line.split(QLatin1Char(','));
        if (parts.size() < 2)
            continue;
        const int vtt = parts.first().indexOf(QLatin1String("vtt"));
        if (vtt < 0)
            continue;
        const QString code = parts.first().left(vtt).trimmed();
        if (code.size() >= 9)
            continue;
        const QString name = languageName(code);
        if (name.isEmpty())
            continue;
        state.found = true;
        appendByName(state.inAutomaticSection ? state.autoCaptions : state.subtitles, code, name);
    }
}

QString mapChineseCode(const QString &wanted, const QStringList &subtitles, const QStringList &autoCaptions)
{
    if (wanted.toLower() != QLatin1String("zh"))
        return wanted;
    const QStringList candidates{wanted,
                                 QStringLiteral("zh-Hans"),
                                 QStringLiteral("zh-CN"),
                                 QStringLiteral("zh-Hant"),
                                 QStringLiteral("zh-HK"),
                                 QStringLiteral("zh-TW")};
    for (const QStringList *list : {&subtitles, &autoCaptions})
        for (const QString &c : candidates)
            if (list->contains(c))
                return c;
    return wanted;
}

QStringList subtitleArgsFor(const QString &wanted, const QStringList &subtitles, const QStringList &autoCaptions)
{
    using DownloaderArgs::SubtitleSource;
    if (wanted.isEmpty())
        return DownloaderArgs::subtitleArguments(SubtitleSource::Subtitles, QString());
    const QString code = mapChineseCode(wanted, subtitles, autoCaptions);
    const bool automatic = !subtitles.contains(code) && autoCaptions.contains(code);
    return DownloaderArgs::subtitleArguments(automatic ? SubtitleSource::AutomaticCaptions : SubtitleSource::Subtitles,
                                             code);
}

QStringList subtitleOnlyArgsFor(const QString &wanted, const QStringList &subtitles, const QStringList &autoCaptions)
{
    if (wanted == QLatin1String("All"))
        return DownloaderArgs::allSubtitlesArguments();
    return subtitleArgsFor(wanted, subtitles, autoCaptions);
}
