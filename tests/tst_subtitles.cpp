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
        const auto row = [](const char *name, const char *code, const char *text) {
            QTest::newRow(name) << code << text;
        };
        row("English keeps its blank", "en", "English ");
        row("German has none", "de", "German");
        row("zh-Hans is Simplified Chinese", "zh-Hans", "Chinese-Simplified");
        row("zh_CN is Simplified Chinese too", "zh_CN", "Chinese-Simplified");
        row("an unlisted region keeps the plain name", "pt-BR", "Portuguese ");
        row("upper-case codes are read", "EN-US", "English-USA");
        row("an unknown language has no name", "xx", "");
        row("one letter has no name", "e", "");
        row("empty has no name", "", "");
    }
    void languageNames()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(languageName(code), name);
    }

    // What the downloader is asked for, for the download itself or the subtitles-only job.
    void subtitleArguments_data()
    {
        QTest::addColumn<bool>("subtitlesOnly");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QStringList>("subtitles");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("args");
        const auto row = [](const char *name, bool only, const char *wanted, const QStringList &subtitles,
                            const QStringList &captions, const QStringList &args) {
            QTest::newRow(name) << only << wanted << subtitles << captions << args;
        };
        const QString sub = QStringLiteral("--write-sub"), lang = QStringLiteral("--sub-lang");
        row("no language asks for the default", false, "", {"en"}, {}, {sub});
        row("zh with only zh-TW captions", false, "zh", {}, {"zh-TW"}, {"--write-auto-sub", lang, "zh-TW"});
        row("zh prefers Simplified subtitles", false, "zh", {"zh-TW", "zh-Hans"}, {}, {sub, lang, "zh-Hans"});
        row("zh nowhere stays zh", false, "zh", {"en"}, {"de"}, {sub, lang, "zh"});
        row("fr known to neither list", false, "fr", {"en"}, {"de"}, {sub, lang, "fr"});
        row("a language in both lists uses the subtitles", false, "en", {"en"}, {"en"}, {sub, lang, "en"});
        row("all languages, for the subtitles-only job alone", true, "All", {}, {}, {"--all-subs"});
        row("the subtitles-only job takes captions too", true, "en", {}, {"en"}, {"--write-auto-sub", lang, "en"});
    }
    void subtitleArguments()
    {
        QFETCH(bool, subtitlesOnly);
        QFETCH(QString, wanted);
        QFETCH(QStringList, subtitles);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, args);
        QCOMPARE(subtitlesOnly ? subtitleOnlyArgsFor(wanted, subtitles, captions)
                               : subtitleArgsFor(wanted, subtitles, captions),
                 args);
    }
};

CW_TEST_MAIN(TestSubtitles)
#include "tst_subtitles.moc"
