#pragma once
// The interface language code and the vendor's web pages that carry it. Kept here,
// below the pages, so the settings dialog and the update checker can reach them.

#include <QString>

// The current interface language, two upper-case letters ("EN", "ZH"); empty until
// the first language switch.
QString languageCode();
void setLanguageCode(const QString &code);

// The vendor's web site; the environment variable CLIPWRIGHT_VENDOR_URL replaces it
// (tests point it at 127.0.0.1).
QString vendorBaseUrl();
// base + page + "?id=clipwright&Lang=" + the language code + "&Platform=Win".
QString vendorUrl(const QString &page);
// Opens vendorUrl(page) in the desktop's default browser.
void openVendorPage(const QString &page);
