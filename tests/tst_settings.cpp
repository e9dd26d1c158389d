// The settings table: defaults of an empty store, clamping, the three switch forms
// and the language key. Each switch's written form is tested through its control in
// tst_settingsdialog.

#include "app/settings.h"
#include "testlib/testenv.h"

#include <QSettings>

using Settings::Key;
Q_DECLARE_METATYPE(Settings::Key)

namespace
{
void storeRaw(Key key, const QString &text)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Kestrova", "Clipwright");
    store.setValue(Settings::keyName(key), text);
}
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        TestEnv::clearSettings();
    }

    void emptyStoreGivesDefaults()
    {
        QCOMPARE(Settings::readNumber(Key::CountAtSameTime), 5);
        QCOMPARE(Settings::readNumber(Key::DownloadSpeed), 4);
        QCOMPARE(Settings::readSwitch(Key::DL_ConvertVideo2mp4), false);
        QCOMPARE(Settings::readSwitch(Key::DL_ConvertAudio2mp3), false);
        QCOMPARE(Settings::readSwitch(Key::OptimizingAudio), false);
        QCOMPARE(Settings::readSwitch(Key::AutoReDownload), true);
        QCOMPARE(Settings::readSwitch(Key::AutoDL_Enabled), false);
        QCOMPARE(Settings::readNumber(Key::AutoDL_DLQuatily), 6);
        QCOMPARE(Settings::readSwitch(Key::AutoDL_DLSubtitle), false);
        QCOMPARE(Settings::readText(Key::AutoDL_DLSubtitleLang), QString());
        QCOMPARE(Settings::readSwitch(Key::AutoCheckUpdate), true);
        QCOMPARE(Settings::readSwitch(Key::AutoUpdateComponents), true);
        QCOMPARE(Settings::readSwitch(Key::Proxy_enabled), false);
        QCOMPARE(Settings::readNumber(Key::Proxy_protocal), 0);
        QCOMPARE(Settings::readText(Key::SaveDownloadPath), QString());
        QCOMPARE(Settings::readText(Key::DownloadTempFolder), QString());
        QCOMPARE(Settings::readLanguage(), Settings::systemLanguageCode());
        // Reading never writes a default back.
        QVERIFY(!Settings::contains(Key::CountAtSameTime));
        QVERIFY(!Settings::contains(Key::Language));
    }

    void numbersAreClamped_data()
    {
        QTest::addColumn<Key>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("nine downloads at a time read as five") << Key::CountAtSameTime << "9" << 5;
        QTest::newRow("one download at a time reads as two") << Key::CountAtSameTime << "1" << 2;
        QTest::newRow("an unreadable count reads as two") << Key::CountAtSameTime << "x" << 2;
        QTest::newRow("three downloads stay three") << Key::CountAtSameTime << "3" << 3;
        QTest::newRow("speed index seven reads as four") << Key::DownloadSpeed << "7" << 4;
        QTest::newRow("speed index minus one reads as zero") << Key::DownloadSpeed << "-1" << 0;
        QTest::newRow("quality minus three reads as 8K") << Key::AutoDL_DLQuatily << "-3" << 0;
        QTest::newRow("quality twelve reads as Auto") << Key::AutoDL_DLQuatily << "12" << 6;
        QTest::newRow("proxy kind seven acts as HTTP") << Key::Proxy_protocal << "7" << 2;
        QTest::newRow("proxy kind empty acts as SOCKS5") << Key::Proxy_protocal << "" << 0;
        QTest::newRow("a huge number is clamped, not wrapped") << Key::DownloadSpeed << "99999999999999" << 0;
    }
    void numbersAreClamped()
    {
        QFETCH(Key, key);
        QFETCH(QString, stored);
        QFETCH(int, expected);
        storeRaw(key, stored);
        QCOMPARE(Settings::readNumber(key), expected);
    }

    // Each switch reads only its own form of "on": TRUE, 1, or anything but an exact NO.
    void switchFormsAreKeptApart_data()
    {
        QTest::addColumn<Key>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("on");
        QTest::newRow("TRUE turns a conversion on") << Key::DL_ConvertVideo2mp4 << "TRUE" << true;
        QTest::newRow("lower-case true is off") << Key::DL_ConvertVideo2mp4 << "true" << false;
        QTest::newRow("YES is not TRUE") << Key::AutoReDownload << "YES" << false;
        QTest::newRow("1 is not TRUE") << Key::AutoDL_Enabled << "1" << false;
        QTest::newRow("update check NO is off") << Key::AutoCheckUpdate << "NO" << false;
        QTest::newRow("update check lower-case no counts as on") << Key::AutoCheckUpdate << "no" << true;
        QTest::newRow("update check FALSE counts as on") << Key::AutoCheckUpdate << "FALSE" << true;
        QTest::newRow("update check empty counts as on") << Key::AutoCheckUpdate << "" << true;
        QTest::newRow("proxy 1 is on") << Key::Proxy_enabled << "1" << true;
        QTest::newRow("proxy TRUE is off") << Key::Proxy_enabled << "TRUE" << false;
        QTest::newRow("proxy 01 is off") << Key::Proxy_enabled << "01" << false;
    }
    void switchFormsAreKeptApart()
    {
        QFETCH(Key, key);
        QFETCH(QString, stored);
        QFETCH(bool, on);
        storeRaw(key, stored);
        QCOMPARE(Settings::readSwitch(key), on);
    }

    void textWithQuotesAndNewlinesRoundTrips()
    {
        const QString path = "/home/o'brien/\"Vids\"\n; [x] = %y";
        Settings::writeText(Key::SaveDownloadPath, path);
        QCOMPARE(Settings::readText(Key::SaveDownloadPath), path);
    }

    void languageIsReadAsTwoUpperCaseLetters_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lower-case zh reads as ZH") << "zh" << QStringLiteral("ZH");
        QTest::newRow("a longer text reads as its first two letters") << "en_US" << QStringLiteral("EN");
        QTest::newRow("one letter falls back to the system locale") << "Z" << Settings::systemLanguageCode();
        QTest::newRow("empty falls back to the system locale") << "" << Settings::systemLanguageCode();
    }
    void languageIsReadAsTwoUpperCaseLetters()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        storeRaw(Key::Language, stored);
        QCOMPARE(Settings::readLanguage(), expected);
    }

    void languageWriteReplacesOnlyTheFirstTwoCharacters()
    {
        Settings::writeLanguage("ZH");
        QCOMPARE(Settings::readText(Key::Language), QStringLiteral("ZH"));
        storeRaw(Key::Language, "en_GB");
        Settings::writeLanguage("ZH");
        QCOMPARE(Settings::readText(Key::Language), QStringLiteral("ZH_GB"));
    }
};

CW_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
