// What the program hands to the outside tools, and the media-information library
// read through the program's own loader against files made by the real ffmpeg.

#include "app/appenv.h"
#include "external/mydecoder.h"
#include "external/toolargs.h"
#include "fakes/fakescenario.h"
#include "testlib/localhttpserver.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QProcess>
#include <cstring>

using namespace DownloaderArgs;

class TestExternal : public QObject
{
    Q_OBJECT

    QString m_media;

    QString media(const QString &name) const
    {
        return m_media + QLatin1Char('/') + name;
    }

private slots:
    void initTestCase()
    {
        m_media = TestEnv::root() + QStringLiteral("/tmp/media");
        QVERIFY(QDir().mkpath(m_media));
        QVERIFY(FakeMedia::makeClip(media(QStringLiteral("sound.mp4")), 2, true, true));
        QVERIFY(FakeMedia::makeClip(media(QStringLiteral("mute.mp4")), 1, true, false));
        QVERIFY(FakeMedia::makeClip(media(QStringLiteral("voice.m4a")), 3, false, true));
        QFile text(media(QStringLiteral("notes.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("These are notes, not a video.\nSecond line of plain text.\n");
        text.close();
        // The real library from the application folder.
        setAppDirPath(TestEnv::binDir());
        resetDecoderLibraryForTests();
    }

    void downloaderArguments_data()
    {
        QTest::addColumn<QStringList>("actual");
        QTest::addColumn<QStringList>("expected");
        const QString url = QStringLiteral("https://example.com/watch?v=a'b&c=\"d\"");
        const QString wf = QStringLiteral("/cache/0123abcd");
        QTest::newRow("info without a proxy")
            << info(QString(), wf, url) << QStringList{"--no-warnings",          "--ignore-errors",
                                                       "--skip-download",        "--write-info-json",
                                                       "--no-playlist",          "-o",
                                                       "/cache/0123abcd/%(id)s", url};
        QTest::newRow("info with a proxy puts it first") << info(QStringLiteral("socks5://127.0.0.1:1080"), wf, url)
                                                         << QStringList{"--proxy",
                                                                        "socks5://127.0.0.1:1080",
                                                                        "--no-warnings",
                                                                        "--ignore-errors",
                                                                        "--skip-download",
                                                                        "--write-info-json",
                                                                        "--no-playlist",
                                                                        "-o",
                                                                        "/cache/0123abcd/%(id)s",
                                                                        url};
        QTest::newRow("thumbnail") << thumbnail(QString(), wf + QStringLiteral("/thumb.jpg"), url)
                                   << QStringList{"--no-warnings",
                                                  "--ignore-errors",
                                                  "--skip-download",
                                                  "--write-thumbnail",
                                                  "-o",
                                                  "/cache/0123abcd/thumb.jpg",
                                                  url};
        QTest::newRow("subtitle list") << listSubtitles(
            QString(), url) << QStringList{"--no-warnings", "--ignore-errors", "--skip-download", "--list-subs", url};
        QTest::newRow("video with everything")
            << video(QStringLiteral("127.0.0.1:8080"), subtitleArguments(SubtitleSource::AutomaticCaptions, "zh-TW"),
                     QStringLiteral("2M"), QStringLiteral("137"), QStringLiteral("/cache/x.mp4"), url)
            << QStringList{"--proxy",
                           "127.0.0.1:8080",
                           "--no-warnings",
                           "--no-part",
                           "--write-auto-sub",
                           "--sub-lang",
                           "zh-TW",
                           "--limit-rate",
                           "2M",
                           "-f",
                           "137",
                           "-o",
                           "/cache/x.mp4",
                           url};
        QTest::newRow("video with no rate limit and no format")
            << video(QString(), {}, QString(), QString(), QStringLiteral("/cache/x.webm"), url)
            << QStringList{"--no-warnings", "--no-part", "-o", "/cache/x.webm", url};
        QTest::newRow("audio") << audio(QString(), QStringLiteral("140"), QStringLiteral("/cache/xaudio.m4a"), url)
                               << QStringList{"--no-warnings",     "--no-part", "-f", "140", "-o",
                                              "/cache/xaudio.m4a", url};
        QTest::newRow("subtitles only, all languages")
            << subtitlesOnly(QString(), allSubtitlesArguments(), QStringLiteral("/cache/x.mp4"), url)
            << QStringList{
                   "--no-warnings", "--ignore-errors", "--skip-download", "--all-subs", "-o", "/cache/x.mp4", url};
        QTest::newRow("channel listing") << channelListing(
            QString(),
            url) << QStringList{"--no-warnings", "--ignore-errors", "--skip-download", "--flat-playlist", "-J", url};
    }
    void downloaderArguments()
    {
        QFETCH(QStringList, actual);
        QFETCH(QStringList, expected);
        QCOMPARE(actual, expected);
    }

    void subtitleArgumentForms_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no language writes the default subtitles")
            << int(SubtitleSource::Subtitles) << QString() << QStringList{"--write-sub"};
        QTest::newRow("a listed subtitle language")
            << int(SubtitleSource::Subtitles) << "en" << QStringList{"--write-sub", "--sub-lang", "en"};
        QTest::newRow("an automatic caption language") << int(SubtitleSource::AutomaticCaptions) << "zh-Hans"
                                                       << QStringList{"--write-auto-sub", "--sub-lang", "zh-Hans"};
    }
    void subtitleArgumentForms()
    {
        QFETCH(int, source);
        QFETCH(QString, code);
        QFETCH(QStringList, expected);
        QCOMPARE(subtitleArguments(SubtitleSource(source), code), expected);
    }

    void converterArguments_data()
    {
        QTest::addColumn<QStringList>("actual");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("probe") << ConverterArgs::probe("/v/a b.mp4") << QStringList{"-i", "/v/a b.mp4"};
        QTest::newRow("converting to the same container copies the video")
            << ConverterArgs::convert("/v/clip.MP4", "mp4", "/v/clip(1).mp4")
            << QStringList{"-i", "/v/clip.MP4", "-vcodec", "copy", "/v/clip(1).mp4"};
        QTest::newRow("converting to another container re-encodes")
            << ConverterArgs::convert("/v/clip.webm", "mkv", "/v/clip.mkv")
            << QStringList{"-i", "/v/clip.webm", "/v/clip.mkv"};
        QTest::newRow("cutting starts at a formatted time")
            << ConverterArgs::cut(3725, "/v/in.mp4", 90, "/v/out.mp4")
            << QStringList{"-ss", "01:02:05", "-i", "/v/in.mp4", "-c", "copy", "-t", "90", "/v/out.mp4"};
        QTest::newRow("joining by list") << ConverterArgs::joinByList("/c/join.txt", "/v/Join_file.mp4")
                                         << QStringList{"-f",   "concat",          "-i", "/c/join.txt", "-c",
                                                        "copy", "/v/Join_file.mp4"};
        QTest::newRow("joining two by filter")
            << ConverterArgs::joinByFilter({"/v/a.mp4", "/v/b.mkv"}, "/v/Join_file.mp4")
            << QStringList{"-i",
                           "/v/a.mp4",
                           "-i",
                           "/v/b.mkv",
                           "-filter_complex",
                           "[0:0] [0:1] [1:0] [1:1] concat=n=2:v=1:a=1 [v] [a]",
                           "-map",
                           "[v]",
                           "-map",
                           "[a]",
                           "/v/Join_file.mp4"};
        QTest::newRow("a clockwise quarter turn of an mp4 is the tag of three counter-clockwise quarters")
            << ConverterArgs::rotate("/v/a.mp4", 90, 0, "/v/b.mp4")
            << QStringList{"-i", "/v/a.mp4", "-metadata:s:v", "rotate=270", "-codec", "copy", "/v/b.mp4"};
        QTest::newRow("an upper-case MP4 is rotated by its tag too")
            << ConverterArgs::rotate("/v/a.MP4", 180, 0, "/v/b.MP4")
            << QStringList{"-i", "/v/a.MP4", "-metadata:s:v", "rotate=180", "-codec", "copy", "/v/b.MP4"};
        QTest::newRow("an mp4 shown turned a quarter clockwise turns on from there")
            << ConverterArgs::rotate("/v/a.mp4", 90, -90, "/v/b.mp4")
            << QStringList{"-i", "/v/a.mp4", "-metadata:s:v", "rotate=180", "-codec", "copy", "/v/b.mp4"};
        QTest::newRow("rotating another container turns the picture into a frame of the turned size")
            << ConverterArgs::rotate("/v/a.mkv", 270, 0, "/v/b.mkv")
            << QStringList{"-i", "/v/a.mkv", "-vf", "rotate=270*PI/180:ow=rotw(270*PI/180):oh=roth(270*PI/180)",
                           "/v/b.mkv"};
        QTest::newRow("adding audio copies the video and maps the added sound")
            << ConverterArgs::addAudio("/v/a.mp4", "/v/s.mp3", "/v/o.mp4")
            << QStringList{"-i",   "/v/a.mp4", "-i",   "/v/s.mp3", "-vcodec", "copy",
                           "-map", "0:v:0",    "-map", "1:a:0",    "/v/o.mp4"};
        const QStringList local{"-protocol_whitelist", "file,pipe", "-i"};
        QTest::newRow("merging mp4 with m4a copies both, reading local files only")
            << ConverterArgs::merge("/c/v.mp4", "/c/vaudio.m4a", false, "copy", "/c/v_tmp.mp4")
            << local + QStringList{"/c/v.mp4"} + local
                   + QStringList{"/c/vaudio.m4a", "-vcodec", "copy", "-acodec", "copy", "/c/v_tmp.mp4"};
        QTest::newRow("merging webm with opus leaves the audio codec alone")
            << ConverterArgs::merge("/c/v.webm", "/c/vaudio.webm", false, QString(), "/c/v_tmp.webm")
            << local + QStringList{"/c/v.webm"} + local
                   + QStringList{"/c/vaudio.webm", "-vcodec", "copy", "/c/v_tmp.webm"};
        QTest::newRow("converting to mp3 names no codec")
            << ConverterArgs::merge("/c/v.m4a", QString(), true, "copy", "/c/v_tmp.mp3")
            << local + QStringList{"/c/v.m4a", "/c/v_tmp.mp3"};
        QTest::newRow("subtitles to srt") << ConverterArgs::subtitleToSrt("/d/T.en.vtt", "/d/T.en.srt")
                                          << local + QStringList{"/d/T.en.vtt", "/d/T.en.srt"};
    }
    void converterArguments()
    {
        QFETCH(QStringList, actual);
        QFETCH(QStringList, expected);
        QCOMPARE(actual, expected);
    }

    void joinFilterForThree()
    {
        QCOMPARE(ConverterArgs::joinFilter(3),
                 QStringLiteral("[0:0] [0:1] [1:0] [1:1] [2:0] [2:1] concat=n=3:v=1:a=1 [v] [a]"));
        QCOMPARE(ConverterArgs::joinListLine("segment_0.MP4"), QStringLiteral("file 'segment_0.MP4' "));
        QCOMPARE(ConverterArgs::joinListLine("it's.mp4"), QStringLiteral("file 'it'\\''s.mp4' "));
    }

    void decoderReadsRealFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("video");
        QTest::addColumn<bool>("audio");
        QTest::newRow("a clip with sound") << "sound.mp4" << 2.0 << true << true;
        QTest::newRow("a clip without sound") << "mute.mp4" << 1.0 << true << false;
        QTest::newRow("an audio-only file") << "voice.m4a" << 3.0 << false << true;
    }
    void decoderReadsRealFiles()
    {
        QFETCH(QString, file);
        QFETCH(double, seconds);
        QFETCH(bool, video);
        QFETCH(bool, audio);
        const DecoderMediaInfo info = decoderMediaInfo(media(file));
        QCOMPARE(info.result, 0);
        QVERIFY2(qAbs(info.durationMicros - qint64(seconds * 1e6)) <= 100000,
                 qPrintable(QString::number(info.durationMicros)));
        QCOMPARE(info.hasVideo, video);
        QCOMPARE(info.hasAudio, audio);
    }

    void aClipWithoutSoundLacksSound()
    {
        // The driver's rule: the audio flag is not 1 and the two flags are not both 0.
        const DecoderMediaInfo info = decoderMediaInfo(media(QStringLiteral("mute.mp4")));
        QCOMPARE(info.result, 0);
        const bool lacksSound = !info.hasAudio && (info.hasVideo || info.hasAudio);
        QVERIFY(lacksSound);
    }

    void decoderRefusesWhatIsNotMedia_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("a text file") << "@/notes.txt";
        QTest::newRow("a missing file") << "@/gone.mp4";
        QTest::newRow("a folder") << "@";
        QTest::newRow("an empty path") << "";
    }
    void decoderRefusesWhatIsNotMedia()
    {
        QFETCH(QString, path);
        path.replace(QLatin1Char('@'), m_media);
        unsigned char record[kDecoderRecordSize];
        std::memset(record, 0xAB, sizeof record);
        const qint32 size = kDecoderRecordSize;
        std::memcpy(record, &size, sizeof size);
        unsigned char before[kDecoderRecordSize];
        std::memcpy(before, record, sizeof record);
        const QByteArray utf8 = path.toUtf8();
        QVERIFY(VideoDecoder_GetInfo_Wrapper(utf8.constData(), record, 0) != 0);
        QVERIFY(std::memcmp(before, record, sizeof record) == 0);
    }

    void mediaToolsReadLocalFilesOnly_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("input");
        const QString web = QStringLiteral("http://127.0.0.1:{port}/media/sound.mp4");
        QTest::newRow("the decoder, given a downloaded playlist of web addresses") << "decoder"
                                                                                   << "@/playlist.mp4";
        QTest::newRow("the decoder, given a web address") << "decoder" << web;
        QTest::newRow("a download merge, given a web address as its video") << "merge" << web;
        QTest::newRow("a subtitle conversion, given a web address") << "subtitles" << web;
    }
    void mediaToolsReadLocalFilesOnly()
    {
        QFETCH(QString, tool);
        QFETCH(QString, input);
        LocalHttpServer server;
        QVERIFY(server.start());
        QVERIFY(server.addFile(QStringLiteral("/media/sound.mp4"), media(QStringLiteral("sound.mp4"))));
        QFile playlist(media(QStringLiteral("playlist.mp4")));
        QVERIFY(playlist.open(QIODevice::WriteOnly));
        playlist.write("#EXTM3U\n#EXT-X-TARGETDURATION:2\n#EXTINF:2.0,\n"
                       + server.url(QStringLiteral("/media/sound.mp4")).toEncoded() + "\n#EXT-X-ENDLIST\n");
        playlist.close();
        input.replace(QLatin1Char('@'), m_media).replace(QStringLiteral("{port}"), QString::number(server.port()));
        if (tool == QLatin1String("decoder")) {
            QVERIFY(decoderMediaInfo(input).result != 0);
        } else {
            const QString out = media(QStringLiteral("fetched.") + (tool == QLatin1String("merge") ? "mp4" : "srt"));
            QProcess ffmpeg;
            ffmpeg.start(QStringLiteral("ffmpeg"),
                         QStringList{QStringLiteral("-nostdin"), QStringLiteral("-y")}
                             + (tool == QLatin1String("merge")
                                    ? ConverterArgs::merge(input, QString(), false, QString(), out)
                                    : ConverterArgs::subtitleToSrt(input, out)));
            QVERIFY(ffmpeg.waitForFinished(30000));
            QVERIFY(!QFile::exists(out));
        }
        QVERIFY(server.requests().isEmpty());
    }

    void decoderRefusesAWrongRecordSize()
    {
        unsigned char record[kDecoderRecordSize];
        std::memset(record, 0x5A, sizeof record);
        const qint32 size = 64;
        std::memcpy(record, &size, sizeof size);
        unsigned char before[kDecoderRecordSize];
        std::memcpy(before, record, sizeof record);
        const QByteArray utf8 = media(QStringLiteral("sound.mp4")).toUtf8();
        QVERIFY(VideoDecoder_GetInfo_Wrapper(utf8.constData(), record, 0) != 0);
        QVERIFY(std::memcmp(before, record, sizeof record) == 0);
        QVERIFY(VideoDecoder_GetInfo_Wrapper(utf8.constData(), nullptr, 0) != 0);
        QVERIFY(VideoDecoder_GetInfo_Wrapper(nullptr, record, 0) != 0);
    }

    void decoderReadsAPathWithUnicodeAndQuotes()
    {
        const QString odd = media(QString::fromUtf8("it's \"\xe4\xb8\xad\xe6\x96\x87\" clip.mp4"));
        QVERIFY(QFile::copy(media(QStringLiteral("sound.mp4")), odd));
        QCOMPARE(decoderMediaInfo(odd).result, 0);
    }
};

CW_TEST_MAIN(TestExternal)
#include "tst_external.moc"
