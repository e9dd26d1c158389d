#pragma once
// The one table of the program's settings keys: each key's stored form, default
// and range. Every reader and writer goes through here, so a key name is spelled
// once. The store is opened anew on every access; nothing is cached.

#include <QString>

namespace Settings
{

enum class Key {
    SaveDownloadPath,
    DownloadSpeed,
    CountAtSameTime,
    DL_ConvertVideo2mp4,
    DL_ConvertAudio2mp3,
    OptimizingAudio,
    AutoReDownload,
    AutoDL_Enabled,
    AutoDL_DLSubtitle,
    AutoDL_DLQuatily,
    AutoDL_DLSubtitleLang,
    AutoCheckUpdate,
    LastCheckUpdateTime,
    DownloadTempFolder,
    Proxy_server,
    Proxy_port,
    Proxy_protocal,
    Proxy_enabled,
    Language,
    addVideoPath,
    AutoUpdateComponents,
    LastComponentCheck,
};

// How a key's text is read. The three switch forms are not interchangeable:
// TRUE/FALSE is on only for "TRUE", YES/NO is off only for "NO", 1/0 is on only for "1".
enum class Form { Text, Number, SwitchTrueFalse, SwitchYesNo, SwitchOneZero };

struct KeyInfo {
    Key key;
    const char *name;
    Form form;
    const char *defaultText; // nullptr: no default (the key's absence is meaningful)
    int minimum;             // numbers only
    int maximum;
};

const KeyInfo &info(Key key);
QString keyName(Key key);

constexpr const char *Organisation = "Kestrova";
constexpr const char *Application = "Clipwright";

bool contains(Key key);
// The stored text, or the key's default text when absent.
QString readText(Key key);
void writeText(Key key, const QString &value);
// A number key, parsed as decimal (unparsable reads 0) and clamped to its range.
int readNumber(Key key);
void writeNumber(Key key, int value);
// A switch key read by its own form's rule.
bool readSwitch(Key key);
// Writes a switch key in its own form ("TRUE"/"FALSE", "YES"/"NO" or "1"/"0").
void writeSwitch(Key key, bool on);

// The interface language: the stored text's first two characters upper-cased,
// or the system locale's ("ZH" for Chinese, else "EN") when absent or shorter.
QString readLanguage();
// Replaces the first two characters of the stored text with the code.
void writeLanguage(const QString &code);
QString systemLanguageCode();

// Pure helpers the readers share, exposed for tests.
int clampNumberText(const QString &text, int minimum, int maximum);
bool switchFromText(Form form, const QString &text);
QString switchText(Form form, bool on);

} // namespace Settings
