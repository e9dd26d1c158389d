#include "engine/listing.h"

#include <QSet>
#include <QUrl>
#include <QUrlQuery>

#include <cjson/cJSON.h>
#include <memory>

namespace MainSite
{
const QStringList &hostForms()
{
    static const QStringList forms{QStringLiteral("youtube.com/"), QStringLiteral("youtu.be/"),
                                   QStringLiteral("m.youtube.com/")};
    return forms;
}

QString baseAddress()
{
    return QStringLiteral("https://www.youtube.com/");
}
} // namespace MainSite

namespace
{
bool containsAfterFirst(const QString &text, const QString &part)
{
    return text.indexOf(part) >= 1;
}

QString stringOf(const cJSON *obj, const char *key)
{
    const cJSON *v = cJSON_GetObjectItemCaseSensitive(obj, key);
    if (cJSON_IsString(v) && v->valuestring)
        return QString::fromUtf8(v->valuestring);
    return QString();
}

bool isOnMainSite(const QString &url)
{
    for (const QString &host : MainSite::hostForms())
        if (containsAfterFirst(url, host))
            return true;
    return false;
}

// A channel named by handle (/@name), custom name (/c/name) or user (/user/name), any tab.
bool namesAChannel(const QUrl &url)
{
    const QStringList segments = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (segments.isEmpty())
        return false;
    const QString first = segments.first();
    if (first.size() > 1 && first.startsWith(QLatin1Char('@')))
        return true;
    return segments.size() >= 2
           && (first == QLatin1String("c") || first == QLatin1String("user") || first == QLatin1String("channel"));
}
} // namespace

bool isChannelUrl(const QString &url)
{
    if (!isOnMainSite(url))
        return false;
    if (containsAfterFirst(url, QStringLiteral("/channel/")))
        return true;
    // Given to the info job, a channel would have every upload of it extracted.
    const QUrl parsed(url);
    if (namesAChannel(parsed))
        return true;
    return QUrlQuery(parsed).hasQueryItem(QStringLiteral("list"));
}

namespace
{
// The link of one listed entry, or "" when the entry is no single video (a channel tab, a
// playlist). Bare ids become watch pages; full links stay as they are, except that a
// watch page of the main site loses its list.
QString entryUrl(const cJSON *entry, const QString &identifier)
{
    if (stringOf(entry, "_type") == QLatin1String("playlist"))
        return QString();
    if (!identifier.contains(QLatin1String("://")))
        return MainSite::baseAddress() + QStringLiteral("watch?v=") + identifier;
    if (!isOnMainSite(identifier))
        return identifier;
    const QString video = QUrlQuery(QUrl(identifier)).queryItemValue(QStringLiteral("v"));
    if (!video.isEmpty())
        return MainSite::baseAddress() + QStringLiteral("watch?v=") + video;
    return isChannelUrl(identifier) ? QString() : identifier;
}
} // namespace

void parseChannelListing(const QString &text, ChannelListing &listing)
{
    if (text.trimmed().size() <= 6)
        return;
    const QByteArray utf8 = text.toUtf8();
    std::unique_ptr<cJSON, decltype(&cJSON_Delete)> root(cJSON_ParseWithLength(utf8.constData(), size_t(utf8.size())),
                                                         cJSON_Delete);
    if (!root || !cJSON_IsObject(root.get()))
        return;
    listing.title = stringOf(root.get(), "title");
    listing.names.clear();
    listing.urls.clear();
    listing.noTitle = false;

    QSet<QString> seen;
    const cJSON *found = cJSON_GetObjectItemCaseSensitive(root.get(), "entries");
    const cJSON *entries = cJSON_IsArray(found) ? found : nullptr;
    const cJSON *entry = nullptr;
    cJSON_ArrayForEach(entry, entries)
    {
        if (!cJSON_IsObject(entry))
            continue;
        QString name = stringOf(entry, "title");
        const QString identifier = stringOf(entry, "url");
        if (name.isEmpty()) {
            name = stringOf(entry, "id");
            listing.noTitle = true;
        }
        const QString lower = name.toLower();
        if (identifier.isEmpty() || lower == QLatin1String("[private video]")
            || lower == QLatin1String("[deleted video]"))
            continue;
        const QString url = entryUrl(entry, identifier);
        if (url.isEmpty() || seen.contains(url))
            continue;
        seen.insert(url);
        listing.names << name;
        listing.urls << url;
    }
}
