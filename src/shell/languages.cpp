#include "shell/languages.h"

#include "app/fonts.h"
#include "app/paths.h"
#include "app/settings.h"

#include <QApplication>
#include <QFile>
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
