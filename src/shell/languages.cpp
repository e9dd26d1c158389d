#include "shell/languages.h"

#include "app/fonts.h"
#include "app/paths.h"
#include "app/settings.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <QTranslator>

namespace
{
QTranslator *processTranslator()
{
    static QTranslator *translator = new QTranslator(qApp);
    return translator;
}
} // namespace

QString languageListPath()
{
    return AppPaths::dataFolder() + QStringLiteral("/Lang/Lang_config");
}

QString translationPath(const QString &code)
{
    return AppPaths::translationFile(code);
}

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
        // Only the first two letters are the code: "zh_CN" is Chinese.
        list.codes << parts.at(0).trimmed().left(2).toUpper();
    }
    return list;
}

QString installLanguage(const QString &requested)
{
    QString code = requested;
    QString path = translationPath(code);
    if (!QFile::exists(path)) {
        code = QStringLiteral("EN");
        path = translationPath(code);
    }
    if (code == QLatin1String("EN"))
        loadLatinFonts(AppPaths::dataFolder());
    else
        loadCjkFont(AppPaths::dataFolder());
    Settings::writeLanguage(code);

    QTranslator *translator = processTranslator();
    QCoreApplication::removeTranslator(translator);
    translator->load(path); // a failed load leaves the translator empty: English texts
    QCoreApplication::installTranslator(translator);
    return code;
}
