#include "app/vendor.h"

#include <QDesktopServices>
#include <QUrl>

namespace
{
const char kVendorBaseUrl[] = "https://www.kestrova.com";
QString g_languageCode;
} // namespace

QString languageCode()
{
    return g_languageCode;
}

void setLanguageCode(const QString &code)
{
    g_languageCode = code.toUpper();
}

QString vendorBaseUrl()
{
    QString base = qEnvironmentVariable("CLIPWRIGHT_VENDOR_URL");
    if (base.isEmpty())
        base = QString::fromLatin1(kVendorBaseUrl);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

QString vendorUrl(const QString &page)
{
    return vendorBaseUrl() + page + QStringLiteral("?id=") + QStringLiteral("clipwright") + QStringLiteral("&Lang=")
           + languageCode().toUpper() + QStringLiteral("&Platform=Win");
}

void openVendorPage(const QString &page)
{
    QDesktopServices::openUrl(QUrl(vendorUrl(page)));
}
