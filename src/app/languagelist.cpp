#include "app/languagelist.h"

#include <QFile>
#include <QTextStream>

LanguageList readLanguageList(const QString &path)
{
    LanguageList list;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        list.names << QStringLiteral("English");
        list.codes << QStringLiteral("EN");
        return list;
    }
    QTextStream in(&file);
    in.setCodec("UTF-8");
    while (!in.atEnd()) {
        const QString line = in.readLine(512);
        if (line.isEmpty())
            break;
        const QStringList parts = line.trimmed().split(QLatin1Char('='));
        if (parts.size() < 2)
            continue;
        list.names << parts.at(1);
        // Only the first two letters are the code: "zh_CN" is Chinese. Capitals first, as a
        // letter may capitalise into two.
        list.codes << parts.at(0).trimmed().toUpper().left(2);
    }
    return list;
}
