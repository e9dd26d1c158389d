#pragma once
// What the fuzz targets share: the input as bytes or as a file, and a check whose failure
// ends the run as a crash, so that libFuzzer keeps the input.

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace FuzzInput
{
inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

// An empty folder of this name, the same one for every input: Qt keeps what it read of a
// settings file by its path, and a new path each run would grow that cache without end.
inline QString emptyFolder(const QString &name)
{
    static QTemporaryDir root;
    const QString path = root.path() + QLatin1Char('/') + name;
    QDir(path).removeRecursively();
    FUZZ_CHECK(QDir().mkpath(path));
    return path;
}

// The input written to a file of this name in an empty folder. Qt reads a settings file
// again only when its size or time changed, so each input gets a time of its own.
inline QString file(const QByteArray &content, const QString &name)
{
    static qint64 serial = 0;
    const QString path = emptyFolder(QStringLiteral("input")) + QLatin1Char('/') + name;
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    FUZZ_CHECK(f.setFileTime(QDateTime::fromSecsSinceEpoch(++serial), QFileDevice::FileModificationTime));
    return path;
}
} // namespace FuzzInput
