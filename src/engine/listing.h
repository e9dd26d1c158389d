#pragma once
// Channel and playlist links of the main video site: telling them from single
// videos, and reading the downloader's flat listing into entry names and links.

#include "engine/workfolder.h"

#include <QString>

namespace MainSite
{
// The host forms that mark a link of the main video site, each followed by "/".
const QStringList &hostForms();
// Scheme and host of its watch pages, ending in "/".
QString baseAddress();
} // namespace MainSite

bool isChannelUrl(const QString &url);
// Texts of 6 characters or fewer, and texts that are not one JSON object, change nothing.
void parseChannelListing(const QString &text, ChannelListing &listing);
