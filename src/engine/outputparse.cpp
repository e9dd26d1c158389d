#include "engine/outputparse.h"

#include "engine/mediainfo.h"
#include "external/toolargs.h"

#include <QStringList>
#include <QTextCodec>
#include <QUrl>
#include <QUrlQuery>
#include <QtDebug>

#include <cmath>

namespace
{
// The factors are single-precision values; their widened form is what the bars show.
const double kVideoFactor = double(0.9f);
const double kAudioFactor = double(0.1f);
const float kConvertFactor = 0.02f;
const double kBeforeConversionFactor = double(0.98f);

double videoFactor(DownloadStage stage)
{
    switch (stage) {
    case DownloadStage::WholeFile:
        return 1.0;
    case DownloadStage::BeforeConversion:
        return kBeforeConversionFactor;
    case DownloadStage::Video:
    case DownloadStage::Audio:
        break;
    }
    return kVideoFactor;
}
} // namespace

qint64 parseSizeText(const QString &rawText)
{
    QString text = rawText.trimmed();
    if (text.startsWith(QLatin1Char('~')))
        text.remove(0, 1);
    static const struct {
        const char *unit;
        double factor;
    } units[] = {{"TiB", 1024.0 * 1024 * 1024 * 1024},
                 {"GiB", 1024.0 * 1024 * 1024},
                 {"MiB", 1024.0 * 1024},
                 {"KiB", 1024.0},
                 {"TB", 1e12},
                 {"GB", 1e9},
                 {"MB", 1e6},
                 {"KB", 1e3},
                 {"kB", 1e3},
                 {"B", 1.0}};
    for (const auto &u : units) {
        if (!text.endsWith(QLatin1String(u.unit)))
            continue;
        bool ok = false;
        const double number = text.chopped(int(qstrlen(u.unit))).toDouble(&ok);
        if (!ok || !(number > 0) || number * u.factor > 9e18)
            return 0;
        return qint64(number * u.factor);
    }
    return 0;
}

void parseDownloadOutput(const QString &rawText, MediaInfo *media, DownloadStage stage, DownloadFlags &flags)
{
    if (!media || rawText.isEmpty())
        return;
    const QString text = rawText.trimmed();
    if (text.contains(DownloaderText::FormatNotAvailable) || text.contains(DownloaderText::Http404))
        flags.formatUnavailable = true;
    else if (!text.contains(DownloaderText::ServerHttpError) && text.contains(DownloaderText::ErrorPrefix))
        qDebug() << "error.....";

    const QStringList pieces = text.split(DownloaderText::ProgressMarker);
    for (const QString &rawPiece : pieces) {
        QString piece = rawPiece.trimmed();
        if (!piece.contains(QLatin1String("of")))
            continue;
        piece.replace(QStringLiteral("  "), QStringLiteral(" "));
        const QStringList parts = piece.split(QLatin1Char(' '), Qt::KeepEmptyParts);
        if (parts.size() < 3 || parts.at(1).trimmed().toLower() != QLatin1String("of"))
            continue;
        QString percent = parts.at(0);
        if (percent.indexOf(QLatin1Char('%')) < 1)
            continue;
        percent.remove(QLatin1Char('%'));
        bool ok = false;
        const double p = percent.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(p))
            continue;
        if (p >= 100 && p < 101)
            flags.reached100 = true;
        if (stage != DownloadStage::Audio) {
            // 10000 stays the driver's word for a finished download.
            const double v = qMin(p * 100 * videoFactor(stage), 9999.0);
            if (v > media->progress)
                media->progress = v;
            MediaFormat *selected = media->mutableSelectedFormat();
            if (selected && selected->fileSizeBytes <= 0)
                selected->fileSizeBytes = parseSizeText(parts.at(2));
        } else {
            const double v = qMin(9000 + p * 100 * kAudioFactor, 9800.0);
            if (v > media->progress)
                media->progress = v;
        }
        if (flags.reached100)
            continue;
        if (parts.size() >= 5) {
            QString speed = parts.at(4);
            speed.remove(QLatin1Char('i'));
            if (!speed.isEmpty() && speed.at(0).isDigit() && speed.at(0).unicode() < 128)
                media->speedText = speed;
        }
        if (parts.size() >= 7)
            media->remainingTimeText = parts.at(6).trimmed();
    }
}

QString parseInfoOutput(const QString &rawText, const QString &url)
{
    const QString text = rawText.trimmed();
    if (text.contains(DownloaderText::PlaylistMissing)) {
        QUrl u(url);
        QUrlQuery query(u);
        for (const char *item : {"index", "t", "list"})
            query.removeAllQueryItems(QLatin1String(item));
        u.setQuery(query);
        return u.toString();
    }
    if (text.contains(DownloaderText::CannotWriteMetadata))
        return url;
    if (text.contains(DownloaderText::ErrorPrefix))
        qDebug() << "error.....";
    return url;
}

void parseConvertProgress(const QString &text, MediaInfo *media, qint64 totalBytes)
{
    if (totalBytes <= 0 || text.isEmpty() || !media)
        return;
    const QStringList pieces = text.split(ConverterText::FrameMarker);
    for (const QString &rawPiece : pieces) {
        const QString piece = rawPiece.trimmed();
        const int sizeAt = piece.indexOf(ConverterText::Size);
        const int timeAt = piece.indexOf(ConverterText::Time);
        if (sizeAt < 0 || timeAt < sizeAt)
            continue;
        QString size = piece.mid(sizeAt, timeAt - sizeAt);
        size.remove(ConverterText::Size);
        size = size.trimmed();
        // ffmpeg 5 prints kB; later versions print KiB for the same unit.
        const QString unit = size.contains(QLatin1String("KiB")) ? QStringLiteral("KiB") : QStringLiteral("kB");
        if (size.indexOf(unit) < 1)
            continue;
        size.remove(unit);
        bool ok = false;
        const qint64 k = size.trimmed().toLongLong(&ok);
        if (!ok || k <= 0)
            continue;
        // Counted in floating point: a size past the integers' range still fills the bar.
        const double b = double(k) * 1024;
        const float percent = (float(b) / 1000.0f * 100.0f) / (float(totalBytes) / 1000.0f);
        const double v = qMin(9800.0 + double(percent * 100.0f * kConvertFactor), 9998.0);
        if (v > media->progress)
            media->progress = v;
    }
}

LineBuffer::LineBuffer() : m_decoder(QTextCodec::codecForName("UTF-8")->makeDecoder()) {}

QString LineBuffer::feed(const QByteArray &bytes)
{
    // Only the new text is searched: a long line arriving in many reads stays linear.
    const QString fresh = m_decoder->toUnicode(bytes);
    const int breakInFresh = qMax(fresh.lastIndexOf(QLatin1Char('\n')), fresh.lastIndexOf(QLatin1Char('\r')));
    if (breakInFresh < 0) {
        m_pending += fresh;
        return QString();
    }
    QString complete;
    complete.swap(m_pending);
    complete += fresh.leftRef(breakInFresh + 1);
    m_pending = fresh.mid(breakInFresh + 1);
    return complete;
}

QString LineBuffer::flush()
{
    QString rest;
    rest.swap(m_pending);
    return rest;
}
