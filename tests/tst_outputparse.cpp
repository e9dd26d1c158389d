// The downloader's and ffmpeg's output turned into progress, speed, remaining time
// and the flags for the next attempt.

#include "engine/failurereason.h"
#include "engine/mediainfo.h"
#include "engine/outputparse.h"
#include "testlib/testenv.h"

class TestOutputParse : public QObject
{
    Q_OBJECT
private slots:
    // Messages as yt-dlp prints them, in the 2023 wording (Debian 12) and the current one,
    // and what the queue makes of them.
    void failureMessagesAreClassified_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("code");
        const auto row = [](const char *name, const QString &line, const char *code) {
            QTest::newRow(name) << line << code;
        };
        const QString yt = QStringLiteral("ERROR: [youtube] abc: "), media = "ERROR: unable to download video data: ";
        const QString cookies = QStringLiteral(" Use --cookies-from-browser or --cookies for the authentication. See  "
                                               "https://github.com/yt-dlp/yt-dlp/wiki/"
                                               "FAQ#how-do-i-pass-cookies-to-yt-dlp  for how to manually pass cookies");
        const QString priv = yt + "Private video. Sign in if you've been granted access to this video";
        row("a private video (2023)", priv, "permanent/private");
        row("a private video (current, with the cookie hint)", priv + "." + cookies, "permanent/private");
        row("a terminated account",
            yt
                + "Video unavailable. This video is no longer available because the YouTube account associated with "
                  "this video has been terminated.",
            "permanent/terminated");
        row("a removed video", yt + "Video unavailable. This video has been removed by the uploader",
            "permanent/unavailable");
        row("members only (2023)",
            yt + "Join this channel to get access to members-only content like this video, and other exclusive perks.",
            "permanent/members");
        row("members only (current)",
            yt
                + "This video is available to this channel's members on level: Member (or any higher level). Join this "
                  "channel to get access to members-only content and other exclusive perks.",
            "permanent/members");
        const QString age = yt + "Sign in to confirm your age. This video may be inappropriate for some users.";
        row("an age check (2023)", age, "permanent/age");
        row("an age check (current)", age + cookies, "permanent/age");
        row("not in this country", yt + "The uploader has not made this video available in your country.",
            "permanent/country");
        row("geo restriction elsewhere",
            "ERROR: [vimeo] 1: This video is not available from your location due to geo restriction",
            "permanent/country");
        row("an unsupported link", "ERROR: Unsupported URL: https://example.com/page", "permanent/unsupported");
        row("a login", "ERROR: [vimeo] 1: This video is only available for registered users." + cookies,
            "permanent/login");
        row("HTTP 429", media + "HTTP Error 429: Too Many Requests", "ratelimited");
        row("the session rate-limited (current)",
            yt
                + "This content isn't available, try again later. The current session has been rate-limited by "
                  "YouTube for up to an hour.",
            "ratelimited");
        row("the bot check (current)", yt + QString::fromUtf8("Sign in to confirm you\u2019re not a bot.") + cookies,
            "outdated");
        row("an extractor that broke",
            yt + "Unable to extract uploader id; please report this issue on  https://github.com/yt-dlp/yt-dlp/issues",
            "outdated");
        row("a yt-dlp too old for an option (the adapter's line)",
            "ERROR: yt-dlp 2021.06.01 is too old: --progress-template needs yt-dlp 2021.10.09 or newer", "outdated");
        row("403 on the media", media + "HTTP Error 403: Forbidden", "outdated");
        row("a time-out", media + "<urlopen error timed out>", "transient");
        row("a server error while transferring",
            "[download] Got error: HTTP Error 503: Service Unavailable. Retrying (1/10)...", "transient");
        row("a reset connection", "ERROR: [download] Got error: [Errno 104] Connection reset by peer", "transient");
        row("a full disk (downloader)", "ERROR: unable to write data: [Errno 28] No space left on device", "diskfull");
        row("a full disk (converter)", "av_interleaved_write_frame(): No space left on device", "diskfull");
        row("a 404 keeps the usual retries", media + "HTTP Error 404: Not Found", "");
        row("a playlist that does not exist is no sign of an old downloader", "ERROR: This playlist does not exist.",
            "");
        row("a title that says private is no error", "[info] Private video of my cat", "");
    }
    void failureMessagesAreClassified()
    {
        QFETCH(QString, line);
        QFETCH(QString, code);
        QCOMPARE(failureCode(classifyFailureLine(line)), code);
        QCOMPARE(failureFromCode(code), classifyFailureLine(line));
    }

    void downloadSegments_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<double>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("progress");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("remaining");
        QTest::addColumn<bool>("reached100");
        const auto row = [](const char *name, DownloadStage stage, double before, const char *text, double progress,
                            const char *speed, const char *remaining, bool reached100) {
            QTest::newRow(name) << int(stage) << before << text << progress << speed << remaining << reached100;
        };
        const DownloadStage video = DownloadStage::Video, audio = DownloadStage::Audio;
        const char *line = "[download]  45.3% of 12.34MiB at  1.20MiB/s ETA 00:07";
        const char *done = "[download] 100% of 12.34MiB at  1.20MiB/s ETA 00:00";
        row("a video line gives progress, speed and time", video, 0, line, 4076.99989, "1.20MB/s", "00:07", false);
        row("a file with its own sound takes the whole bar", DownloadStage::WholeFile, 0, line, 4530, "1.20MB/s",
            "00:07", false);
        row("a file to be converted leaves the conversion its share", DownloadStage::BeforeConversion, 0, done, 9800,
            "", "", true);
        row("the same line during an audio job", audio, 0, line, 9453, "1.20MB/s", "00:07", false);
        row("our adapter's single-blank form", video, 0, "[download] 10.0% of 5.00MiB at 512.00KiB/s ETA 00:09", 900,
            "512.00KB/s", "00:09", false);
        row("a hundred percent sets the flag and keeps the old speed", video, 8000, done, 9000, "", "", true);
        row("a destination line changes nothing", video, 10, "[download] Destination: /cache/abc.mp4", 10, "", "",
            false);
        row("a restarted transfer never lowers the progress", video, 5000,
            "[download]   3.0% of 12.34MiB at 1.00MiB/s ETA 00:30", 5000, "1.00MB/s", "00:30", false);
        row("a speed starting with a letter is ignored", video, 0,
            "[download]  50.0% of 10.00MiB at Unknown speed ETA Unknown", 4499.99988, "", "ETA", false);
        row("audio never goes past its stage", audio, 9700, "[download] 100.0% of 1.00MiB at 1.00MiB/s ETA 00:00", 9800,
            "", "", true);
        row("several lines in one read take the last", video, 0,
            "[download]  10.0% of 1.00MiB at 1.00MiB/s ETA 00:09\n[download]  20.0% of 1.00MiB at 2.00MiB/s ETA 00:04",
            1799.99995, "2.00MB/s", "00:04", false);
        row("a percentage without a number is skipped", video, 0, "[download] %% of x at y ETA z", 0, "", "", false);
        row("a bare percentage sign is skipped", video, 0, "[download] % of 1MiB", 0, "", "", false);
        row("a percentage that is no number is skipped", video, 0, "[download] nan% of 1.00MiB at 1.00MiB/s ETA 00:01",
            0, "", "", false);
        row("a percentage past any integer is no hundred", DownloadStage::WholeFile, 0,
            "[download] 1e300% of 1.00MiB at 1.00MiB/s ETA 00:01", 9999, "1.00MB/s", "00:01", false);
    }
    void downloadSegments()
    {
        QFETCH(int, stage);
        QFETCH(double, before);
        QFETCH(QString, text);
        QFETCH(double, progress);
        QFETCH(QString, speed);
        QFETCH(QString, remaining);
        QFETCH(bool, reached100);
        MediaInfo m;
        m.progress = before;
        DownloadFlags flags;
        parseDownloadOutput(text, &m, DownloadStage(stage), flags);
        QVERIFY2(qAbs(m.progress - progress) < 0.001, qPrintable(QString::number(m.progress, 'f', 6)));
        QCOMPARE(m.speedText, speed);
        QCOMPARE(m.remainingTimeText, remaining);
        QCOMPARE(flags.reached100, reached100);
    }

    void theLineSizeFillsAnUnknownFormatSize_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<qint64>("known");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("size");
        const int whole = int(DownloadStage::WholeFile), audio = int(DownloadStage::Audio);
        QTest::newRow("a size in MiB") << whole << qint64(0) << "[download]  45.3% of 12.34MiB at 1.20MiB/s ETA 00:07"
                                       << qint64(12939427);
        QTest::newRow("an estimated size")
            << whole << qint64(0) << "[download] 10.0% of ~2.00KiB at Unknown ETA --:--" << qint64(2048);
        QTest::newRow("a size in bytes") << whole << qint64(0) << "[download] 10.0% of 1000.00B at 1.00B/s ETA 00:01"
                                         << qint64(1000);
        QTest::newRow("a known size stays")
            << whole << qint64(5) << "[download] 10.0% of 2.00KiB at 1.00B/s ETA 00:01" << qint64(5);
        QTest::newRow("the audio part never sizes the video")
            << audio << qint64(0) << "[download] 10.0% of 2.00KiB at 1.00B/s ETA 00:01" << qint64(0);
        QTest::newRow("an unreadable size changes nothing")
            << whole << qint64(0) << "[download] 10.0% of Unknown at 1.00B/s ETA 00:01" << qint64(0);
    }
    void theLineSizeFillsAnUnknownFormatSize()
    {
        QFETCH(int, stage);
        QFETCH(qint64, known);
        QFETCH(QString, text);
        QFETCH(qint64, size);
        MediaFormat f;
        f.id = QStringLiteral("18");
        f.fileSizeBytes = known;
        MediaInfo m;
        m.setFormatsForTest({f}, false);
        m.selectFormatById(QStringLiteral("18"));
        DownloadFlags flags;
        parseDownloadOutput(text, &m, DownloadStage(stage), flags);
        QCOMPARE(m.selectedFileSize(), size);
    }

    void afterAHundredPercentOnlyProgressMoves()
    {
        MediaInfo m;
        DownloadFlags flags;
        parseDownloadOutput(QStringLiteral("[download] 100% of 1.00MiB at 9.00MiB/s ETA 00:00"), &m,
                            DownloadStage::Audio, flags);
        QVERIFY(flags.reached100);
        m.progress = 9100;
        parseDownloadOutput(QStringLiteral("[download]  50.0% of 1.00MiB at 3.00MiB/s ETA 00:01"), &m,
                            DownloadStage::Audio, flags);
        QCOMPARE(m.progress, 9500.0000074505806);
        QCOMPARE(m.speedText, QString());
        QCOMPARE(m.remainingTimeText, QString());
    }

    void errorTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("formatUnavailable");
        QTest::newRow("format not available") << "ERROR: requested format not available" << true;
        QTest::newRow("gone media data") << "ERROR: unable to download video data: HTTP Error 404: Not Found" << true;
        QTest::newRow("a server error is ignored") << "Got server HTTP error: 503" << false;
        QTest::newRow("another error") << "ERROR: something else" << false;
        QTest::newRow("no media is a no-op") << "" << false;
    }
    void errorTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, formatUnavailable);
        MediaInfo m;
        DownloadFlags flags;
        parseDownloadOutput(text, &m, DownloadStage::Video, flags);
        QCOMPARE(flags.formatUnavailable, formatUnavailable);
        DownloadFlags untouched;
        parseDownloadOutput(text, nullptr, DownloadStage::Video, untouched);
        QVERIFY(!untouched.formatUnavailable);
    }

    // A list that does not exist: the analysis asks again for the single video alone.
    void aMissingPlaylistAsksForTheSingleVideo()
    {
        const QString url = QStringLiteral("https://www.youtube.com/watch?v=abc&list=PL1&index=3&t=10");
        QCOMPARE(parseInfoOutput(QStringLiteral("ERROR: This playlist does not exist."), url),
                 QStringLiteral("https://www.youtube.com/watch?v=abc"));
        QCOMPARE(parseInfoOutput(QStringLiteral("ERROR: Cannot write metadata to JSON file"), url), url);
    }

    void convertProgress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<double>("before");
        QTest::addColumn<double>("progress");
        QTest::newRow("half the inputs written")
            << "frame=  100 fps=0.0 q=-1.0 size=    2048kB time=00:00:04.00 bitrate=4194.3kbits/s speed=8x"
            << qint64(4194304) << 0.0 << 9899.99999;
        QTest::newRow("as large as the inputs stops below finished")
            << "frame= 9 size=  8192kB time=00:00:09.00 bitrate=1kbits/s" << qint64(4194304) << 0.0 << 9998.0;
        QTest::newRow("newer ffmpeg's KiB reads the same")
            << "size=    2048KiB time=00:00:04.00 bitrate=4194.3kbits/s" << qint64(4194304) << 0.0 << 9899.99999;
        QTest::newRow("no total bytes, no progress") << "frame=1 size= 2048kB time=00:00:01" << qint64(0) << 0.0 << 0.0;
        QTest::newRow("never goes down") << "frame=1 size= 1kB time=00:00:01" << qint64(4194304) << 9900.0 << 9900.0;
        QTest::newRow("a size without a unit is skipped")
            << "frame=1 size= N/A time=00:00:01" << qint64(100) << 0.0 << 0.0;
        QTest::newRow("a tiny input does not divide by zero")
            << "frame=1 size= 1kB time=00:00:01" << qint64(500) << 0.0 << 9998.0;
        QTest::newRow("a size too large to count in bytes fills the bar")
            << "frame=1 size= 9223372036854775807kB time=00:00:01" << qint64(4194304) << 0.0 << 9998.0;
    }
    void convertProgress()
    {
        QFETCH(QString, text);
        QFETCH(qint64, total);
        QFETCH(double, before);
        QFETCH(double, progress);
        MediaInfo m;
        m.progress = before;
        parseConvertProgress(text, &m, total);
        QVERIFY2(qAbs(m.progress - progress) < 0.01, qPrintable(QString::number(m.progress, 'f', 6)));
    }

    void linesSplitAtAnyByteGiveTheSameResult()
    {
        const QByteArray output = QByteArray("[download] Destination: /c/\xe4\xb8\xad.mp4\n"
                                             "[download]  12.5% of 3.00MiB at 1.50MiB/s ETA 00:02\n"
                                             "[download]  75.0% of 3.00MiB at 2.25MiB/s ETA 00:01\n");
        MediaInfo whole;
        DownloadFlags wholeFlags;
        parseDownloadOutput(QString::fromUtf8(output), &whole, DownloadStage::Video, wholeFlags);
        for (int cut = 1; cut < output.size(); ++cut) {
            LineBuffer buffer;
            MediaInfo m;
            DownloadFlags flags;
            parseDownloadOutput(buffer.feed(output.left(cut)), &m, DownloadStage::Video, flags);
            // A partial line never shows as a speed or time of its own.
            QVERIFY2(m.speedText.isEmpty() || m.speedText == QLatin1String("1.50MB/s"), qPrintable(m.speedText));
            parseDownloadOutput(buffer.feed(output.mid(cut)), &m, DownloadStage::Video, flags);
            parseDownloadOutput(buffer.flush(), &m, DownloadStage::Video, flags);
            QCOMPARE(m.progress, whole.progress);
            QCOMPARE(m.speedText, QStringLiteral("2.25MB/s"));
            QCOMPARE(m.remainingTimeText, QStringLiteral("00:01"));
        }
    }

    void lineBufferKeepsTheUnfinishedLine()
    {
        LineBuffer b;
        QCOMPARE(b.feed("abc"), QString());
        QCOMPARE(b.feed("def\nghi"), QStringLiteral("abcdef\n"));
        QCOMPARE(b.feed("\r"), QStringLiteral("ghi\r"));
        QCOMPARE(b.feed("\xe4\xb8"), QString());
        QCOMPARE(b.flush(), QString());
        QCOMPARE(b.feed("\xad\n"), QString::fromUtf8("\xe4\xb8\xad\n"));
    }
};

CW_TEST_MAIN(TestOutputParse)
#include "tst_outputparse.moc"
