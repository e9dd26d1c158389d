// The media-information library read through the program's own loader against files made
// by the real ffmpeg, and the media tools kept to local files. (The downloader's argument
// lists are checked where they are used: the fake downloader refuses any list outside its
// contract, and tst_adapter runs the contract's lists through the fake and the real adapter.)

#include "app/appenv.h"
#include "external/mydecoder.h"
#include "external/toolargs.h"
#include "fakes/fakescenario.h"
#include "testlib/localhttpserver.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QProcess>
#include <cstring>

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
        QVERIFY(QFile::copy(media(QStringLiteral("sound.mp4")),
                            media(QString::fromUtf8("it's \"\xe4\xb8\xad\xe6\x96\x87\" clip.mp4"))));
        // The real library from the application folder.
        setAppDirPath(TestEnv::binDir());
        resetDecoderLibraryForTests();
    }

    void theDecoderReadsDurationAndStreamsOfRealFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("video");
        QTest::addColumn<bool>("audio");
        QTest::newRow("a clip with sound") << "sound.mp4" << 2.0 << true << true;
        QTest::newRow("a clip without sound") << "mute.mp4" << 1.0 << true << false;
        QTest::newRow("an audio-only file") << "voice.m4a" << 3.0 << false << true;
        QTest::newRow("a clip whose path has quotes and Chinese")
            << QString::fromUtf8("it's \"\xe4\xb8\xad\xe6\x96\x87\" clip.mp4") << 2.0 << true << true;
    }
    void theDecoderReadsDurationAndStreamsOfRealFiles()
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

    void theDecoderRefusesWhatIsNotMediaAndLeavesTheRecordAlone_data()
    {
        QTest::addColumn<QString>("path");   // "@" the media folder, "-" no path at all
        QTest::addColumn<int>("recordSize"); // what the record says its size is; 0 for no record
        const int size = kDecoderRecordSize;
        QTest::newRow("a text file") << "@/notes.txt" << size;
        QTest::newRow("a missing file") << "@/gone.mp4" << size;
        QTest::newRow("a folder") << "@" << size;
        QTest::newRow("an empty path") << "" << size;
        QTest::newRow("no path") << "-" << size;
        QTest::newRow("a clip, asked with a record of the wrong size") << "@/sound.mp4" << 64;
        QTest::newRow("a clip, asked without a record") << "@/sound.mp4" << 0;
    }
    void theDecoderRefusesWhatIsNotMediaAndLeavesTheRecordAlone()
    {
        QFETCH(QString, path);
        QFETCH(int, recordSize);
        path.replace(QLatin1Char('@'), m_media);
        unsigned char record[kDecoderRecordSize];
        std::memset(record, 0xAB, sizeof record);
        const qint32 size = recordSize;
        std::memcpy(record, &size, sizeof size);
        unsigned char before[kDecoderRecordSize];
        std::memcpy(before, record, sizeof record);
        const QByteArray utf8 = path.toUtf8();
        QVERIFY(VideoDecoder_GetInfo_Wrapper(path == QLatin1String("-") ? nullptr : utf8.constData(),
                                             recordSize ? record : nullptr, 0)
                != 0);
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
};

CW_TEST_MAIN(TestExternal)
#include "tst_external.moc"
