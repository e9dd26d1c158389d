#include "update/componentcommands.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "external/components.h"
#include "update/componentupdater.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>

namespace
{
const char *const kUpdate = "--update-components";
const char *const kRollBack = "--rollback-components";
const char *const kShow = "--components";

void printLine(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

QString orNone(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("(none)") : text;
}

int printResults(const QList<ComponentResult> &results)
{
    bool allOk = true;
    for (const ComponentResult &result : results) {
        printLine(resultLine(result));
        allOk = allOk && result.ok();
    }
    return allOk ? 0 : 1;
}

int showComponents()
{
    for (const QString &name : {Components::YtDlp, Components::Deno})
        printLine(name + QStringLiteral(": current ") + orNone(Components::currentVersion(name))
                  + QStringLiteral(", previous ") + orNone(Components::previousVersion(name)));
    // The program runs its private copy of the adapter, so "beside the adapter" means there.
    const Components::YtdlpChoice ytdlp = Components::chooseYtdlp(toolTempFolder());
    printLine(QStringLiteral("adapter runs yt-dlp: ") + orNone(ytdlp.version) + QStringLiteral(" (")
              + Components::sourceName(ytdlp.source) + QStringLiteral(") ") + ytdlp.path);
    printLine(QStringLiteral("adapter passes JavaScript runtime: ")
              + orNone(Components::jsRuntimeChoice(ytdlp.version)));
    return 0;
}
} // namespace

int runComponentCommand(int argc, char *argv[])
{
    int found = -1;
    for (int i = 1; i < argc; ++i) {
        for (const char *command : {kUpdate, kRollBack, kShow})
            if (std::strcmp(argv[i], command) == 0)
                found = i;
    }
    if (found < 0)
        return -1;
    if (argc != 2) {
        std::fprintf(stderr, "clipwright: %s takes no other arguments\n", argv[found]);
        return 2;
    }
    QCoreApplication app(argc, argv);
    setAppDirPath(QCoreApplication::applicationDirPath());
    const QString command = QString::fromLocal8Bit(argv[1]);
    if (command == QLatin1String(kShow))
        return showComponents();
    if (command == QLatin1String(kRollBack))
        return printResults(rollBackComponents());
    ComponentUpdater updater(ComponentUpdaterOptions::fromEnvironment());
    return printResults(updater.updateAll());
}
