#include "app/fonts.h"

#include "app/folders.h"
#include "platform/platform.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QtDebug>

void loadLatinFonts(const QString &folder)
{
    const QString dir = folder + QStringLiteral("/font/");
    QFontDatabase::addApplicationFont(dir + QStringLiteral("Arial.ttf"));
    QFontDatabase::addApplicationFont(dir + QStringLiteral("Lato-Bold.ttf"));
    const int id = QFontDatabase::addApplicationFont(dir + QStringLiteral("Lato-Regular.ttf"));
    if (id < 0)
        return;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty())
        return;
    QGuiApplication::setFont(QFont(families.first(), 10));
}

void loadCjkFont(const QString &folder)
{
    const QString chineseName = QString::fromUtf8("\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91");
    const QStringList installed = QFontDatabase().families();
    for (const QString &family : installed) {
        if (family.compare(QLatin1String("Microsoft YaHei"), Qt::CaseInsensitive) == 0 || family == chineseName) {
            QFont f = QGuiApplication::font();
            f.setFamily(family);
            QGuiApplication::setFont(f);
            return;
        }
        qDebug() << "loadCjkFont: not it:" << family;
    }

    // The copy is loaded from the user's private folder, never from the shared /tmp.
    const QString base = privateProgramFolder();
    if (base.isEmpty())
        return;
    const QString copy = base + QStringLiteral("/sum.ttf");
    if (!QFile::exists(copy))
        QFile::copy(folder + QStringLiteral("/font/sum"), copy);
    if (!Platform::isOwnedByCurrentUser(copy))
        return;
    const int id = QFontDatabase::addApplicationFont(copy);
    if (id < 0)
        return;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty())
        QGuiApplication::setFont(QFont(families.first(), 10));
}
