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
} // namespace

bool isChannelUrl(const QString &url)
{
    bool onSite = false;
    for (const QString &host : MainSite::hostForms())
        onSite = onSite || containsAfterFirst(url, host);
    if (!onSite)
        return false;
    if (containsAfterFirst(url, QStringLiteral("/channel/")))
        return true;
    if (containsAfterFirst(url, QStringLiteral("/user/")) && containsAfterFirst(url, QStringLiteral("/videos")))
        return true;
    return QUrlQuery(QUrl(url)).hasQueryItem(QStringLiteral("list"));
}

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
        const QString url = MainSite::baseAddress() + QStringLiteral("watch?v=") + identifier;
        if (seen.contains(url))
            continue;
        seen.insert(url);
        listing.names << name;
        listing.urls << url;
    }
}
