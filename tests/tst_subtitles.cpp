// Subtitle listings read into languages, language names, and the arguments that
// ask the downloader for a wanted language.

#include "engine/subtitles.h"
#include "testlib/testenv.h"

namespace
{
const char *kListing = "Available automatic captions for abc:\n"
                       "Language formats\n"
                       "zh-TW    vtt, ttml, srv3, srv2, srv1\n"
                       "zh-Hant  vtt, ttml\n"
                       "xx       vtt, ttml\n"
                       "de       ttml, vtt\n"
                       "Available subtitles for abc:\n"
                       "Language formats\n"
                       "en       vtt, ttml, srv3, srv2, srv1\n"
                       "en-GB    vtt, ttml\n"
                       "en-US    vtt, ttml\n"
                       "pt-BR    vtt, srt\n"
                       "fr       vtt\n"
                       "verylongcode vtt, ttml\n";
}

class TestSubtitles : public QObject
{
    Q_OBJECT
private slots:
    void listingIsReadIntoTwoLists()
    {
        SubtitleListParse p;
        parseSubtitleList(QString::fromLatin1(kListing), p);
        QVERIFY(p.found);
        // zh-Hant is named like zh-TW; de lists vtt second; xx is unknown.
        QCOMPARE(p.autoCaptions, QStringList{"zh-TW"});
        // en-GB and en-US have names of their own; fr has one format only.
        QCOMPARE(p.subtitles, (QStringList{"en", "en-GB", "en-US", "pt-BR"}));
    }

    void listingWithoutLanguagesFindsNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("answered");
        QTest::newRow("a media without subtitles and captions says so: an answer")
            << "abc has no subtitles\nabc has no automatic captions\n"
            << true;
        QTest::newRow("both tables with unknown languages only are an answer")
            << "Available automatic captions for x:\nLanguage formats\nqq  vtt\n"
               "Available subtitles for x:\nLanguage formats\nqq  vtt, ttml\n"
            << true;
        QTest::newRow("rows before the table header") << "en  vtt, ttml\nLanguage formats\n" << false;
        QTest::newRow("one table alone is no answer") << "Available subtitles for x:\nLanguage formats\nqq  vtt, ttml\n"
                                                      << false;
        QTest::newRow("an error is no answer") << "ERROR: [generic] Unable to download webpage\n" << false;
        QTest::newRow("empty") << "" << false;
    }
    void listingWithoutLanguagesFindsNothing()
    {
        QFETCH(QString, text);
        QFETCH(bool, answered);
        SubtitleListParse p;
        parseSubtitleList(text, p);
        QVERIFY(!p.found);
        QVERIFY(p.subtitles.isEmpty() && p.autoCaptions.isEmpty());
        QCOMPARE(p.answered(), answered);
    }

    void languageNames_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("English keeps its blank") << "en"
                                                 << "English ";
        QTest::newRow("German has none") << "de"
                                         << "German";
        QTest::newRow("zh-Hans is Simplified Chinese") << "zh-Hans"
                                                       << "Chinese-Simplified";
        QTest::newRow("zh_CN is Simplified Chinese too") << "zh_CN"
                                                         << "Chinese-Simplified";
        QTest::newRow("an unlisted region keeps the plain name") << "pt-BR"
                                                                 << "Portuguese ";
        QTest::newRow("upper-case codes are read") << "EN-US"
                                                   << "English-USA";
        QTest::newRow("an unknown language has no name") << "xx"
                                                         << "";
        QTest::newRow("one letter has no name") << "e"
                                                << "";
        QTest::newRow("empty has no name") << ""
                                           << "";
    }
    void languageNames()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(languageName(code), name);
    }

    void subtitleArguments_data()
    {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QStringList>("subtitles");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no language asks for the default")
            << "" << QStringList{"en"} << QStringList() << QStringList{"--write-sub"};
        QTest::newRow("zh with only zh-TW captions")
            << "zh" << QStringList() << QStringList{"zh-TW"} << QStringList{"--write-auto-sub", "--sub-lang", "zh-TW"};
        QTest::newRow("zh prefers Simplified subtitles") << "zh" << QStringList{"zh-TW", "zh-Hans"} << QStringList()
                                                         << QStringList{"--write-sub", "--sub-lang", "zh-Hans"};
        QTest::newRow("zh nowhere stays zh")
            << "zh" << QStringList{"en"} << QStringList{"de"} << QStringList{"--write-sub", "--sub-lang", "zh"};
        QTest::newRow("fr known to neither list")
            << "fr" << QStringList{"en"} << QStringList{"de"} << QStringList{"--write-sub", "--sub-lang", "fr"};
        QTest::newRow("a language in both lists uses the subtitles")
            << "en" << QStringList{"en"} << QStringList{"en"} << QStringList{"--write-sub", "--sub-lang", "en"};
    }
    void subtitleArguments()
    {
        QFETCH(QString, wanted);
        QFETCH(QStringList, subtitles);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, args);
        QCOMPARE(subtitleArgsFor(wanted, subtitles, captions), args);
    }

    void allLanguagesOnlyForTheSubtitlesOnlyJob()
    {
        QCOMPARE(subtitleOnlyArgsFor(QStringLiteral("All"), {}, {}), QStringList{"--all-subs"});
        QCOMPARE(subtitleOnlyArgsFor(QStringLiteral("en"), {}, {QStringLiteral("en")}),
                 (QStringList{"--write-auto-sub", "--sub-lang", "en"}));
    }
};

CW_TEST_MAIN(TestSubtitles)
#include "tst_subtitles.moc"
