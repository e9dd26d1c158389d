#pragma once
// The small layer that stands in for the operating-system interfaces the program
// was designed around (power management, shell programs, the system proxy store).
// Everything here works or fails quietly; nothing throws and nothing blocks long.

#include <QString>
#include <functional>

namespace Platform
{

// Keeps the machine and the display awake for the rest of the process
// (sleep and idle inhibitors over D-Bus). Quietly does nothing without a bus.
void keepSystemAwake();

// "" here, ".exe" on Windows: the suffix of the outside tools' executables.
QString executableSuffix();

// File name of a shared library in the application folder ("libX.so" here).
QString sharedLibraryFileName(const QString &baseName);

// True only on Windows versions before 6; never on this platform.
bool isOldWindows();

// Hides a folder from casual listing where the platform has such an attribute.
// Linux has none: the folder keeps its name and this returns true.
bool setHiddenAttribute(const QString &path);

// The desktop's proxy values in the shape of the Windows Internet Settings.
struct SystemProxyValues {
    int proxyEnable = 0;   // 1 when a manual proxy is configured
    QString proxyServer;   // "host:port" or "scheme://host:port"
    QString autoConfigUrl; // address of a proxy auto-configuration script
};
SystemProxyValues systemProxyValues();

// Opens a folder or a file with the desktop's default application.
bool openFolder(const QString &path);
bool openFile(const QString &path);
// Shows a file selected in the file manager; falls back to opening its folder.
bool showFileInFolder(const QString &filePath);

enum class PowerAction { Restart, ShutDown };
// Starts the system's restart or power-off without waiting for it.
void runPowerAction(PowerAction action);
// Tests observe power actions through this hook instead of powering off.
void setPowerActionHook(std::function<void(PowerAction)> hook);

// A folder only the current user may enter: created with owner-only permissions,
// its permissions repaired when it is ours, and refused ("" returned) when another
// user owns it. Used for anything the program later executes or loads.
QString ensurePrivateFolder(const QString &path);
// True when the file exists and belongs to the user running this process.
bool isOwnedByCurrentUser(const QString &path);
// Per-user base for private temporary files ("~/.cache" or the runtime folder).
QString privateTempBase();

// Bytes free for this user on the file system holding path (or its nearest existing
// parent); -1 when unknown. Tests replace the answer through the hook.
qint64 freeBytes(const QString &path);
void setFreeBytesHook(std::function<qint64(const QString &path)> hook);

} // namespace Platform
