#include "app/paths.h"

#include "app/appenv.h"
#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
QString besideProgram(const char *relative)
{
    return QDir::cleanPath(appDirPath() + QLatin1Char('/') + QLatin1String(relative));
}
} // namespace

namespace AppPaths
{

bool isInstalled()
{
    // An unset program folder must not turn "/../lib/clipwright" into the system's copy.
    return !appDirPath().isEmpty() && QFileInfo(besideProgram(CLIPWRIGHT_RELATIVE_LIBDIR)).isDir();
}

QString libraryFolder()
{
    return isInstalled() ? besideProgram(CLIPWRIGHT_RELATIVE_LIBDIR) : appDirPath();
}

QString dataFolder()
{
    return isInstalled() ? besideProgram(CLIPWRIGHT_RELATIVE_DATADIR) : appDirPath();
}

QString translationFile(const QString &code)
{
    return dataFolder() + QStringLiteral("/Lang/Lang_") + code + QStringLiteral(".qm");
}

QString adapterProgram()
{
    return libraryFolder() + QStringLiteral("/youtubedl") + Platform::executableSuffix();
}

QString decoderLibrary()
{
    return libraryFolder() + QLatin1Char('/') + Platform::sharedLibraryFileName(QStringLiteral("MyDecoder"));
}

QString mediaTool(const QString &name)
{
    const QString file = name + Platform::executableSuffix();
    if (!isInstalled())
        return appDirPath() + QLatin1Char('/') + file;
    const QString system = QStandardPaths::findExecutable(file);
    return system.isEmpty() ? libraryFolder() + QLatin1Char('/') + file : system;
}

} // namespace AppPaths
