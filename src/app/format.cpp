#include "app/format.h"

#include <QCryptographicHash>
#include <QStringList>
#include <cstdio>

QString formatSize(qint64 n)
{
    char buf[60];
    if (n <= 0)
        return QStringLiteral(" -- ");
    if (n >= 1073741824LL) {
        const qint64 q = n / 1048576;
        std::snprintf(buf, sizeof buf, "%.02f G", double(q) * (1.0 / 1024));
    } else if (n >= 1048576) {
        const qint64 q = n / 1024;
        std::snprintf(buf, sizeof buf, "%.02f M", double(q) * (1.0 / 1024));
    } else if (n >= 1024) {
        std::snprintf(buf, sizeof buf, "%.02f KB", double(n) * (1.0 / 1024));
    } else {
        std::snprintf(buf, sizeof buf, "%lld bytes", static_cast<long long>(n));
    }
    return QString::fromLatin1(buf);
}

QString formatDurationMicros(qint64 t)
{
    if (t < 0)
        t = 0;
    const long long hours = t / 3600000000LL;
    const int minutes = static_cast<int>((t / 60000000LL) % 60);
    const int seconds = static_cast<int>((t / 1000000LL) % 60);
    char buf[64];
    if (hours > 0)
        std::snprintf(buf, sizeof buf, "%02lld%c%02d%c%02d", hours, ':', minutes, ':', seconds);
    else
        std::snprintf(buf, sizeof buf, "%02d%c%02d", minutes, ':', seconds);
    return QString::fromLatin1(buf);
}

QString formatSeconds(qint64 s)
{
    const long long h = s / 3600;
    const long long m = (s - 3600 * h) / 60;
    const long long r = s - 3600 * h - 60 * m;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", h, m, r);
    return QString::fromLatin1(buf);
}

qint64 parseTimeText(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'), Qt::KeepEmptyParts);
    auto part = [&parts](int i) -> qint64 {
        bool ok = false;
        const qint64 v = parts.at(i).toLongLong(&ok, 10);
        return ok ? v : 0;
    };
    if (parts.size() == 3)
        return part(0) * 3600 + part(1) * 60 + part(2);
    if (parts.size() == 2)
        return part(0) * 60 + part(1);
    return 0;
}

QString cleanFileName(const QString &title)
{
    static const QString removed = QStringLiteral(".,'/\\\":;|*<>?@$%^~!#&=\n");
    QString out;
    out.reserve(title.size());
    for (const QChar c : title) {
        if (!removed.contains(c))
            out.append(c);
    }
    return out;
}

QString md5Hex(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}
