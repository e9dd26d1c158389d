#include "app/settings.h"

#include <QLocale>
#include <QSettings>
#include <QtGlobal>
#include <array>

namespace Settings
{

namespace
{

constexpr int kNoRange = 0;

// Order follows the Key enum; info() checks that it does.
const std::array<KeyInfo, 22> kKeys = {{
    {Key::SaveDownloadPath, "SaveDownloadPath", Form::Text, "", kNoRange, kNoRange},
    {Key::DownloadSpeed, "DownloadSpeed", Form::Number, "4", 0, 4},
    {Key::CountAtSameTime, "CountAtSameTime", Form::Number, "5", 2, 5},
    {Key::DL_ConvertVideo2mp4, "DL_ConvertVideo2mp4", Form::SwitchTrueFalse, "FALSE", kNoRange, kNoRange},
    {Key::DL_ConvertAudio2mp3, "DL_ConvertAudio2mp3", Form::SwitchTrueFalse, "FALSE", kNoRange, kNoRange},
    {Key::OptimizingAudio, "OptimizingAudio", Form::SwitchTrueFalse, "FALSE", kNoRange, kNoRange},
    {Key::AutoReDownload, "AutoReDownload", Form::SwitchTrueFalse, "TRUE", kNoRange, kNoRange},
    {Key::AutoDL_Enabled, "AutoDL_Enabled", Form::SwitchTrueFalse, "FALSE", kNoRange, kNoRange},
    {Key::AutoDL_DLSubtitle, "AutoDL_DLSubtitle", Form::SwitchTrueFalse, "FALSE", kNoRange, kNoRange},
    {Key::AutoDL_DLQuatily, "AutoDL_DLQuatily", Form::Number, "6", 0, 6},
    {Key::AutoDL_DLSubtitleLang, "AutoDL_DLSubtitleLang", Form::Text, "", kNoRange, kNoRange},
    {Key::AutoCheckUpdate, "AutoCheckUpdate", Form::SwitchYesNo, "YES", kNoRange, kNoRange},
    {Key::LastCheckUpdateTime, "LastCheckUpdateTime", Form::Text, "", kNoRange, kNoRange},
    {Key::DownloadTempFolder, "DownloadTempFolder", Form::Text, "", kNoRange, kNoRange},
    {Key::Proxy_server, "Proxy_server", Form::Text, "", kNoRange, kNoRange},
    {Key::Proxy_port, "Proxy_port", Form::Text, "", kNoRange, kNoRange},
    {Key::Proxy_protocal, "Proxy_protocal", Form::Number, "0", 0, 2},
    {Key::Proxy_enabled, "Proxy_enabled", Form::SwitchOneZero, "0", kNoRange, kNoRange},
    {Key::Language, "Language", Form::Text, nullptr, kNoRange, kNoRange},
    {Key::addVideoPath, "addVideoPath", Form::Text, "", kNoRange, kNoRange},
    // The downloader components: kept current once a day unless switched off; the last
    // automatic check as an ISO 8601 date and time in UTC.
    {Key::AutoUpdateComponents, "AutoUpdateComponents", Form::SwitchTrueFalse, "TRUE", kNoRange, kNoRange},
    {Key::LastComponentCheck, "LastComponentCheck", Form::Text, "", kNoRange, kNoRange},
}};

QSettings openStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(Organisation),
                     QLatin1String(Application));
}

} // namespace

const KeyInfo &info(Key key)
{
    const auto &entry = kKeys[static_cast<size_t>(key)];
    Q_ASSERT(entry.key == key);
    return entry;
}

QString keyName(Key key)
{
    return QLatin1String(info(key).name);
}

bool contains(Key key)
{
    return openStore().contains(keyName(key));
}

QString readText(Key key)
{
    const KeyInfo &k = info(key);
    const QString fallback = k.defaultText ? QString::fromLatin1(k.defaultText) : QString();
    return openStore().value(keyName(key), fallback).toString();
}

void writeText(Key key, const QString &value)
{
    QSettings store = openStore();
    store.setValue(keyName(key), value);
}

int clampNumberText(const QString &text, int minimum, int maximum)
{
    const int n = text.toInt(); // an unparsable text reads as 0
    return qBound(minimum, n, maximum);
}

int readNumber(Key key)
{
    const KeyInfo &k = info(key);
    Q_ASSERT(k.form == Form::Number);
    return clampNumberText(readText(key), k.minimum, k.maximum);
}

void writeNumber(Key key, int value)
{
    Q_ASSERT(info(key).form == Form::Number);
    writeText(key, QString::number(value));
}

bool switchFromText(Form form, const QString &text)
{
    switch (form) {
    case Form::SwitchTrueFalse:
        return text == QLatin1String("TRUE");
    case Form::SwitchYesNo:
        return text != QLatin1String("NO");
    case Form::SwitchOneZero:
        return text == QLatin1String("1");
    case Form::Text:
    case Form::Number:
        break;
    }
    return false;
}

QString switchText(Form form, bool on)
{
    switch (form) {
    case Form::SwitchTrueFalse:
        return on ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Form::SwitchYesNo:
        return on ? QStringLiteral("YES") : QStringLiteral("NO");
    case Form::SwitchOneZero:
        return on ? QStringLiteral("1") : QStringLiteral("0");
    case Form::Text:
    case Form::Number:
        break;
    }
    return QString();
}

bool readSwitch(Key key)
{
    return switchFromText(info(key).form, readText(key));
}

void writeSwitch(Key key, bool on)
{
    Q_ASSERT(info(key).form != Form::Text && info(key).form != Form::Number);
    writeText(key, switchText(info(key).form, on));
}

QString systemLanguageCode()
{
    return QLocale::system().language() == QLocale::Chinese ? QStringLiteral("ZH") : QStringLiteral("EN");
}

QString readLanguage()
{
    const QString stored = readText(Key::Language);
    if (stored.size() < 2)
        return systemLanguageCode();
    return stored.left(2).toUpper();
}

void writeLanguage(const QString &code)
{
    QString stored = readText(Key::Language);
    if (stored.isEmpty())
        stored = code;
    else
        stored.replace(0, 2, code);
    writeText(Key::Language, stored);
}

} // namespace Settings
