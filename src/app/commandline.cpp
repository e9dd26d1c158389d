#include "app/commandline.h"

#include "app/appenv.h"
#include "app/paths.h"
#include "app/settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>

#include <cstdio>

namespace CommandLine
{

Request parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    // "-reverse" and the like are Qt's words, never a bundle of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(version);
    parser.addOption(help);
    parser.parse(arguments); // unknown options are reported by the parser, and ignored here
    Request request;
    request.version = parser.isSet(version);
    request.help = parser.isSet(help);
    request.links = parser.positionalArguments();
    return request;
}

QString versionText()
{
    return QStringLiteral("Clipwright " CLIPWRIGHT_VERSION);
}

QString helpText()
{
    return QCoreApplication::translate(
        "CommandLine", "Usage: clipwright [URL...]\n"
                       "       clipwright --version | --help\n"
                       "\n"
                       "Adds the links to the download queue, as \"+ Paste URL\" does with copied links.\n"
                       "When Clipwright is already running, the links go to the running copy, its window\n"
                       "comes to the front and this command ends at once.\n"
                       "\n"
                       "  -v, --version          print the version and exit\n"
                       "  -h, --help             print this help and exit\n"
                       "  --components           show the downloader components in use\n"
                       "  --update-components    check for and install newer downloader components\n"
                       "  --rollback-components  switch the downloader components back to their previous versions\n");
}

int answerWithoutWindow(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Request request = parse(arguments);
    if (request.version) {
        std::fputs(qPrintable(versionText() + QLatin1Char('\n')), stdout);
        return 0;
    }
    if (!request.help)
        return -1;
    QCoreApplication app(argc, argv); // no display: only to find and load the translation
    setAppDirPath(QCoreApplication::applicationDirPath());
    loadTranslation();
    std::fputs(helpText().toLocal8Bit().constData(), stdout);
    return 0;
}

void loadTranslation()
{
    static QPointer<QTranslator> translator; // goes with the application object
    if (!translator)
        translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(AppPaths::translationFile(Settings::readLanguage())))
        QCoreApplication::installTranslator(translator);
}

} // namespace CommandLine
