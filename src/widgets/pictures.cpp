#include "widgets/pictures.h"

#include <QFile>
#include <QPixmapCache>

QPixmap loadPicture(const QString &path)
{
    QPixmap picture;
    if (QPixmapCache::find(path, &picture))
        return picture;
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const QString twin = dot > 0 ? path.left(dot) + QStringLiteral("@2x") + path.mid(dot) : QString();
    // QImageReader gives an "@2x" file a device pixel ratio of 2 by its name.
    if (!twin.isEmpty() && QFile::exists(twin))
        picture.load(twin);
    if (picture.isNull())
        picture.load(path);
    QPixmapCache::insert(path, picture);
    return picture;
}

const QPixmap &sharedPicture()
{
    static const QPixmap picture(QStringLiteral(":/images/public.png"));
    return picture;
}

QPixmap picturePart(const QPixmap &picture, const QRect &r, const QSize &size)
{
    if (picture.isNull() || size.isEmpty() || r.isEmpty())
        return QPixmap();
    const qreal ratio = picture.devicePixelRatio();
    const QRect device(qRound(r.x() * ratio), qRound(r.y() * ratio), qRound(r.width() * ratio),
                       qRound(r.height() * ratio));
    QPixmap part = picture.copy(device).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    part.setDevicePixelRatio(1.0);
    return part;
}
