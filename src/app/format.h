#pragma once
// Small stateless text helpers shared by the engine, the lists and the tools.

#include <QString>
#include <QtGlobal>

// " -- " for nothing, else bytes, KB, M or G with two decimals.
QString formatSize(qint64 bytes);
// "mm:ss", or "hh:mm:ss" from one hour on; a negative duration shows as 00:00.
QString formatDurationMicros(qint64 micros);
// "hh:mm:ss".
QString formatSeconds(qint64 seconds);
// "h:m:s" or "m:s" to seconds; any other shape gives 0, an unreadable part counts 0.
qint64 parseTimeText(const QString &text);
// Removes the characters that may not (or should not) stand in a file name.
QString cleanFileName(const QString &title);
// Lower-case hexadecimal MD5 of the text's UTF-8 bytes.
QString md5Hex(const QString &text);
