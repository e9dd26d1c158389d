// The fake downloader that the engine tests run against: each job's outputs, the contract's
// error texts, refusal of argument lists outside the contract, the ".ytdl" marker and resuming,
// failures counted across separate runs, the misbehaviour modes and the argument log.

#include "fakes/fakescenario.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

namespace
{
using Job = FakeScenario::Job;
using Behaviour = FakeScenario::Behaviour;

// Never contacted: the fake only echoes it.
const QString Url = QStringLiteral("https://127.0.0.1/watch?v=abc123");
const QString Bonjour = QStringLiteral("WEBVTT\n\n00:00:00.000 --> 00:00:01.000\nBonjour\n");

struct Result {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString out;
    QString err;
};

Result collect(QProcess &p)
{
    Result r;
    r.exitCode = p.exitCode();
    r.status = p.exitStatus();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Result runFake(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
               const QString &program = FakeScenario::program())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
    }
    return collect(p);
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Percentages of the progress lines, in order.
QVector<double> progressPercents(const QString &out)
{
    static const QRegularExpression line(QStringLiteral("^\\[download\\] +(\\d+(?:\\.\\d)?)% of "),
                                         QRegularExpression::MultilineOption);
    QVector<double> percents;
    auto it = line.globalMatch(out);
    while (it.hasNext())
        percents << it.next().captured(1).toDouble();
    return percents;
}

QString percentText(qint64 done, qint64 total)
{
    return QString::asprintf("%5.1f", 100.0 * double(done) / double(total)).trimmed() + QStringLiteral("% of");
}
} // namespace

class TestFakeDownloader : public QObject
{
    Q_OBJECT

    QString m_clip;
    QString m_jpeg;
    QString m_case;
    int m_caseCount = 0;

    QString work() const
    {
        return m_case + QStringLiteral("/work");
    }
    QStringList expand(QStringList args) const
    {
        for (QString &a : args) {
            a.replace(QLatin1String("{W}"), work());
            a.replace(QLatin1String("{URL}"), Url);
        }
        return args;
    }
    FakeScenario standardScenario() const
    {
        FakeScenario s(m_case + QStringLiteral("/fake"));
        s.setInfoJson(FakeMedia::infoJson(
            QStringLiteral("abc123"), QStringLiteral("A clip"),
            {FakeMedia::format(QStringLiteral("137"), QStringLiteral("mp4"), 1920, 1080, QStringLiteral("avc1.640028"),
                               QString(), 0, QStringLiteral("DASH video")),
             FakeMedia::format(QStringLiteral("18"), QStringLiteral("mp4"), 640, 360, QStringLiteral("avc1.42001E"),
                               QStringLiteral("mp4a.40.2"), 10000),
             FakeMedia::format(QStringLiteral("140"), QStringLiteral("m4a"), 0, 0, QString(),
                               QStringLiteral("mp4a.40.2"), 3000)}));
        s.setThumbnailFile(m_jpeg);
        s.setSubtitleCodes({QStringLiteral("en"), QStringLiteral("fr")}, {QStringLiteral("en"), QStringLiteral("de")});
        s.setSubtitleContent(QStringLiteral("fr"), Bonjour);
        s.setFormatFile(QStringLiteral("137"), m_clip);
        s.setFormatSize(QStringLiteral("18"), 10000);
        s.setFormatSize(QStringLiteral("140"), 3000);
        s.setFormatError(QStringLiteral("22"), QStringLiteral("404"));
        s.setFormatError(QStringLiteral("43"), QStringLiteral("unavailable"));
        s.setDefaultFormat(QStringLiteral("18"));
        QJsonArray entries;
        entries.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("v1")},
                                   {QStringLiteral("url"), QStringLiteral("v1")},
                                   {QStringLiteral("title"), QStringLiteral("First")}});
        entries.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("v2")},
                                   {QStringLiteral("url"), QStringLiteral("v2")},
                                   {QStringLiteral("title"), QStringLiteral("Second")}});
        s.setChannelJson(
            QJsonObject{{QStringLiteral("title"), QStringLiteral("A channel")}, {QStringLiteral("entries"), entries}});
        return s;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(FakeScenario::program()).isExecutable(), qPrintable(FakeScenario::program()));
        const QString fixtures = TestEnv::root() + QStringLiteral("/fixtures");
        m_clip = fixtures + QStringLiteral("/clip.mp4");
        m_jpeg = fixtures + QStringLiteral("/thumb.jpg");
        QString error;
        QVERIFY2(FakeMedia::makeClip(m_clip, 1, true, true, &error), qPrintable(error));
        QVERIFY2(FakeMedia::makeJpeg(m_jpeg, 64, 36, &error), qPrintable(error));
    }

    void init()
    {
        m_case = TestEnv::root() + QStringLiteral("/case") + QString::number(++m_caseCount);
        QVERIFY(QDir().mkpath(m_case + QStringLiteral("/work")));
    }

    void jobsAnswerWithTheirOutputs_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<qint64>("firstSize");
        QTest::addColumn<QString>("outHas");
        const qint64 clip = QFileInfo(m_clip).size();
        const qint64 jpeg = QFileInfo(m_jpeg).size();
        const QStringList none;
        const QStringList skip{"--no-warnings", "--ignore-errors", "--skip-download"};

        QTest::newRow("the info job writes the JSON named after the media id")
            << skip + QStringList{"--write-info-json", "--no-playlist", "-o", "{W}/%(id)s", "{URL}"}
            << QStringList{"abc123.info.json"} << none << qint64(-1)
            << "[info] Writing video metadata as JSON to: {W}/abc123.info.json";
        QTest::newRow("the thumbnail job copies the picture to the given path")
            << skip + QStringList{"--write-thumbnail", "-o", "{W}/thumb.jpg", "{URL}"} << QStringList{"thumb.jpg"}
            << none << jpeg << "thumb.jpg";
        QTest::newRow("the subtitle list job prints the listing")
            << skip + QStringList{"--list-subs", "{URL}"} << none << none << qint64(-1)
            << "Available subtitles for abc123:";
        QTest::newRow("write-sub alone fetches the English subtitle")
            << skip + QStringList{"--write-sub", "-o", "{W}/clip.mp4", "{URL}"} << QStringList{"clip.en.vtt"}
            << QStringList{"clip.fr.vtt", "clip.mp4"} << qint64(-1) << "clip.en.vtt";
        QTest::newRow("all-subs fetches every subtitle and no automatic caption")
            << skip + QStringList{"--all-subs", "-o", "{W}/clip.mp4", "{URL}"}
            << QStringList{"clip.en.vtt", "clip.fr.vtt"} << QStringList{"clip.de.vtt"} << qint64(-1) << "clip.fr.vtt";
        QTest::newRow("a named subtitle language is fetched alone")
            << skip + QStringList{"--write-sub", "--sub-lang", "fr", "-o", "{W}/clip.mp4", "{URL}"}
            << QStringList{"clip.fr.vtt"} << QStringList{"clip.en.vtt"} << qint64(Bonjour.toUtf8().size())
            << "clip.fr.vtt";
        QTest::newRow("an automatic caption comes from its own list")
            << skip + QStringList{"--write-auto-sub", "--sub-lang", "de", "-o", "{W}/clip.mp4", "{URL}"}
            << QStringList{"clip.de.vtt"} << QStringList{"clip.en.vtt"} << qint64(-1) << "clip.de.vtt";
        QTest::newRow("a language offered only as automatic caption is no subtitle")
            << skip + QStringList{"--write-sub", "--sub-lang", "de", "-o", "{W}/clip.mp4", "{URL}"} << none
            << QStringList{"clip.de.vtt"} << qint64(-1) << "";
        QTest::newRow("the channel listing prints one JSON document")
            << skip + QStringList{"--flat-playlist", "-J", "{URL}"} << none << none << qint64(-1)
            << "\"title\":\"A channel\"";
        QTest::newRow("the video job writes the file and the chosen subtitle beside it")
            << QStringList{"--no-warnings", "--no-part", "--write-sub", "--sub-lang", "en", "--limit-rate", "1M", "-f",
                           "137",           "-o",        "{W}/v.mp4",   "{URL}"}
            << QStringList{"v.mp4", "v.en.vtt"} << QStringList{"v.mp4.ytdl", "v.fr.vtt"} << clip
            << "[download] 100% of ";
        QTest::newRow("the audio job writes the audio file")
            << QStringList{"--no-warnings", "--no-part", "-f", "140", "-o", "{W}/a.m4a", "{URL}"}
            << QStringList{"a.m4a"} << QStringList{"a.m4a.ytdl"} << qint64(3000) << "[download] 100% of 2.93KiB";
        QTest::newRow("a transfer without -f takes the default format")
            << QStringList{"--no-warnings", "--no-part", "-o", "{W}/d.mp4", "{URL}"} << QStringList{"d.mp4"} << none
            << qint64(10000) << "[download] 100% of 9.77KiB";
        QTest::newRow("a proxy prefix changes nothing")
            << QStringList{"--proxy",
                           "socks5://127.0.0.1:1080",
                           "--no-warnings",
                           "--no-part",
                           "-f",
                           "18",
                           "-o",
                           "{W}/p.mp4",
                           "{URL}"}
            << QStringList{"p.mp4"} << none << qint64(10000) << "[download] 100% of ";
    }
    void jobsAnswerWithTheirOutputs()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QFETCH(qint64, firstSize);
        QFETCH(QString, outHas);
        QVERIFY(standardScenario().write());

        const Result r = runFake(expand(args));
        QCOMPARE(r.status, QProcess::NormalExit);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.contains(expand({outHas}).first()), qPrintable(r.out));
        for (const QString &name : present)
            QVERIFY2(QFile::exists(work() + QLatin1Char('/') + name), qPrintable(name));
        for (const QString &name : absent)
            QVERIFY2(!QFile::exists(work() + QLatin1Char('/') + name), qPrintable(name));
        if (firstSize >= 0)
            QCOMPARE(QFileInfo(work() + QLatin1Char('/') + present.first()).size(), firstSize);
    }

    void deliveredFilesAreTheScenarioFiles()
    {
        QVERIFY(standardScenario().write());
        runFake(expand({"--no-warnings", "--no-part", "-f", "137", "-o", "{W}/v.mp4", "{URL}"}));
        runFake(expand({"--no-warnings", "--ignore-errors", "--skip-download", "--write-thumbnail", "-o",
                        "{W}/thumb.jpg", "{URL}"}));
        runFake(expand({"--no-warnings", "--ignore-errors", "--skip-download", "--write-info-json", "--no-playlist",
                        "-o", "{W}/%(id)s", "{URL}"}));
        QCOMPARE(contents(work() + QStringLiteral("/v.mp4")), contents(m_clip));
        QCOMPARE(contents(work() + QStringLiteral("/thumb.jpg")), contents(m_jpeg));
        const QJsonObject info =
            QJsonDocument::fromJson(contents(work() + QStringLiteral("/abc123.info.json"))).object();
        QCOMPARE(info.value(QLatin1String("title")).toString(), QStringLiteral("A clip"));
        QCOMPARE(info.value(QLatin1String("formats")).toArray().size(), 3);
    }

    void subtitleListing_data()
    {
        QTest::addColumn<QStringList>("subtitles");
        QTest::addColumn<QStringList>("automatic");
        QTest::addColumn<QString>("verbatim");
        QTest::addColumn<QString>("expected");
        const QString row = QStringLiteral(" vtt, ttml, srv3, srv2, srv1\n");
        QTest::newRow("both lists give two tables, automatic captions first")
            << QStringList{"en", "pt-BR"} << QStringList{"zh-Hans"} << QString()
            << "Available automatic captions for abc123:\nLanguage formats\nzh-Hans " + row
                   + "Available subtitles for abc123:\nLanguage formats\nen      " + row + "pt-BR   " + row;
        QTest::newRow("an empty list is said so")
            << QStringList{"fr"} << QStringList() << QString()
            << "abc123 has no automatic captions\nAvailable subtitles for abc123:\nLanguage formats\nfr      " + row;
        QTest::newRow("a listing given in the scenario is printed verbatim")
            << QStringList{"en"} << QStringList() << QStringLiteral("no table here\n") << "no table here\n";
    }
    void subtitleListing()
    {
        QFETCH(QStringList, subtitles);
        QFETCH(QStringList, automatic);
        QFETCH(QString, verbatim);
        QFETCH(QString, expected);
        FakeScenario s = standardScenario();
        s.setSubtitleCodes(subtitles, automatic);
        if (!verbatim.isEmpty())
            s.setSubtitleListing(verbatim);
        QVERIFY(s.write());
        const Result r = runFake({"--no-warnings", "--ignore-errors", "--skip-download", "--list-subs", Url});
        QCOMPARE(r.out, expected);
    }

    void errorsFollowTheContract_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("errHas");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        const QStringList none;
        const QStringList info{"--no-warnings",   "--ignore-errors",
                               "--skip-download", "--write-info-json",
                               "--no-playlist",   "-o",
                               "{W}/%(id)s",      "{URL}"};
        const QString refused = QStringLiteral("ERROR: fake downloader: arguments outside the contract");

        QTest::newRow("an unknown format is not available")
            << "" << QStringList{"--no-warnings", "--no-part", "-f", "999", "-o", "{W}/x.mp4", "{URL}"}
            << FakeScenario::FormatUnavailable << 1 << none << QStringList{"x.mp4", "x.mp4.ytdl"};
        QTest::newRow("a format marked unavailable says so")
            << "" << QStringList{"--no-warnings", "--no-part", "-f", "43", "-o", "{W}/x.mp4", "{URL}"}
            << FakeScenario::FormatUnavailable << 1 << none << QStringList{"x.mp4"};
        QTest::newRow("a format marked 404 reports the missing video data")
            << "" << QStringList{"--no-warnings", "--no-part", "-f", "22", "-o", "{W}/x.mp4", "{URL}"}
            << FakeScenario::Http404 << 1 << none << QStringList{"x.mp4"};
        QTest::newRow("without -f and without a default format nothing is available")
            << "noDefault" << QStringList{"--no-warnings", "--no-part", "-o", "{W}/x.mp4", "{URL}"}
            << FakeScenario::FormatUnavailable << 1 << none << QStringList{"x.mp4"};
        QTest::newRow("an info run for a playlist that is gone writes no JSON")
            << "playlistGone" << QStringList{"--no-warnings",     "--ignore-errors",       "--skip-download",
                                             "--write-info-json", "--no-playlist",         "-o",
                                             "{W}/%(id)s",        "{URL}&list=PL1&index=2"}
            << FakeScenario::PlaylistMissing << 1 << none << QStringList{"abc123.info.json"};
        QTest::newRow("the same info run without the playlist succeeds")
            << "playlistGone" << info << "" << 0 << QStringList{"abc123.info.json"} << none;
        QTest::newRow("a channel listing of a playlist that is gone prints nothing")
            << "channelGone"
            << QStringList{"--no-warnings", "--ignore-errors", "--skip-download", "--flat-playlist", "-J", "{URL}"}
            << FakeScenario::PlaylistMissing << 1 << none << none;
        QTest::newRow("an info failure can be the metadata text")
            << "metadataFails" << info << FakeScenario::CannotWriteMetadata << 1 << none
            << QStringList{"abc123.info.json"};
        QTest::newRow("the metadata text can come with a written JSON")
            << "metadataWarns" << info << FakeScenario::CannotWriteMetadata << 0 << QStringList{"abc123.info.json"}
            << none;
        QTest::newRow("a transfer failure is no 404")
            << "transferFails" << QStringList{"--no-warnings", "--no-part", "-f", "18", "-o", "{W}/x.mp4", "{URL}"}
            << "ERROR: unable to download video data: <urlopen error" << 1 << none << QStringList{"x.mp4"};
        QTest::newRow("a list without --no-warnings is refused")
            << "" << QStringList{"--ignore-errors", "--skip-download", "--list-subs", "{URL}"} << refused << 2 << none
            << none;
        QTest::newRow("a proxy after --no-warnings is refused")
            << ""
            << QStringList{"--no-warnings", "--proxy", "http://127.0.0.1:3128", "--no-part", "-o", "{W}/x.mp4", "{URL}"}
            << refused << 2 << none << QStringList{"x.mp4"};
        QTest::newRow("a rate limit after the format is refused")
            << ""
            << QStringList{"--no-warnings", "--no-part", "-f", "18", "--limit-rate", "1M", "-o", "{W}/x.mp4", "{URL}"}
            << refused << 2 << none << QStringList{"x.mp4"};
        QTest::newRow("automatic captions without a language are refused")
            << ""
            << QStringList{"--no-warnings", "--ignore-errors", "--skip-download", "--write-auto-sub", "-o", "{W}/x.mp4",
                           "{URL}"}
            << refused << 2 << none << none;
        QTest::newRow("a list not ending in the URL is refused")
            << "" << QStringList{"--no-warnings", "--ignore-errors", "--skip-download", "--list-subs"} << refused << 2
            << none << none;
        QTest::newRow("an option of no job is refused")
            << "" << QStringList{"--no-warnings", "--dump-json", "{URL}"} << refused << 2 << none << none;
        QTest::newRow("without a scenario the fake refuses to guess")
            << "noScenario" << info << "CLIPWRIGHT_FAKE_SCENARIO is not set" << 2 << none
            << QStringList{"abc123.info.json"};
    }
    void errorsFollowTheContract()
    {
        QFETCH(QString, setup);
        QFETCH(QStringList, args);
        QFETCH(QString, errHas);
        QFETCH(int, exitCode);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        FakeScenario s = standardScenario();
        QJsonObject download = s.root().value(QLatin1String("download")).toObject();
        if (setup == QLatin1String("noDefault")) {
            download.remove(QStringLiteral("defaultFormat"));
            s.root().insert(QStringLiteral("download"), download);
        } else if (setup == QLatin1String("playlistGone")) {
            s.setInfoPlaylistMissing();
        } else if (setup == QLatin1String("channelGone")) {
            s.setChannelPlaylistMissing();
        } else if (setup == QLatin1String("metadataFails")) {
            s.failJob(Job::Info, 1, Behaviour::Error, FakeScenario::CannotWriteMetadata);
        } else if (setup == QLatin1String("metadataWarns")) {
            s.setJobExtraOutput(Job::Info, QString(), FakeScenario::CannotWriteMetadata);
        } else if (setup == QLatin1String("transferFails")) {
            s.failTransfers(1);
        }
        QVERIFY(s.write());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (setup == QLatin1String("noScenario"))
            env.remove(QStringLiteral("CLIPWRIGHT_FAKE_SCENARIO"));

        const Result r = runFake(expand(args), env);
        QCOMPARE(r.status, QProcess::NormalExit);
        QCOMPARE(r.exitCode, exitCode);
        if (errHas.isEmpty())
            QCOMPARE(r.err, QString());
        else
            QVERIFY2(r.err.contains(errHas), qPrintable(r.err));
        QVERIFY2(!r.err.contains(QLatin1String("HTTP Error 404")) || errHas == QLatin1String(FakeScenario::Http404),
                 qPrintable(r.err));
        QVERIFY2(!r.out.contains(QLatin1String("[download] 100%")), qPrintable(r.out));
        for (const QString &name : present)
            QVERIFY2(QFile::exists(work() + QLatin1Char('/') + name), qPrintable(name));
        for (const QString &name : absent)
            QVERIFY2(!QFile::exists(work() + QLatin1Char('/') + name), qPrintable(name));
    }

    void failuresCountAcrossRuns_data()
    {
        QTest::addColumn<int>("job");
        QTest::addColumn<int>("how");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("outHas");
        const QStringList skip{"--no-warnings", "--ignore-errors", "--skip-download"};
        QTest::newRow("the info job fails its first two runs")
            << int(Job::Info) << int(Behaviour::Error)
            << skip + QStringList{"--write-info-json", "--no-playlist", "-o", "{W}/%(id)s", "{URL}"}
            << "abc123.info.json"
            << "";
        QTest::newRow("the thumbnail job fails its first two runs")
            << int(Job::Thumbnail) << int(Behaviour::Error)
            << skip + QStringList{"--write-thumbnail", "-o", "{W}/thumb.jpg", "{URL}"} << "thumb.jpg"
            << "";
        QTest::newRow("the subtitle list fails its first two runs")
            << int(Job::SubtitleList) << int(Behaviour::Silent) << skip + QStringList{"--list-subs", "{URL}"} << ""
            << "Language formats";
        QTest::newRow("the subtitles-only job fails its first two runs")
            << int(Job::Subtitles) << int(Behaviour::Error)
            << skip + QStringList{"--write-sub", "--sub-lang", "fr", "-o", "{W}/c.mp4", "{URL}"} << "c.fr.vtt"
            << "";
        QTest::newRow("the channel listing prints garbage on its first two runs")
            << int(Job::Channel) << int(Behaviour::Garbage) << skip + QStringList{"--flat-playlist", "-J", "{URL}"}
            << ""
            << "\"entries\"";
        QTest::newRow("the info job crashes on its first two runs")
            << int(Job::Info) << int(Behaviour::Crash)
            << skip + QStringList{"--write-info-json", "--no-playlist", "-o", "{W}/%(id)s", "{URL}"}
            << "abc123.info.json"
            << "";
        QTest::newRow("transfers fail their first two runs")
            << int(Job::Download) << int(Behaviour::Error)
            << QStringList{"--no-warnings", "--no-part", "-f", "18", "-o", "{W}/t.mp4", "{URL}"} << "t.mp4"
            << "[download] 100%";
    }
    void failuresCountAcrossRuns()
    {
        QFETCH(int, job);
        QFETCH(int, how);
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(QString, outHas);
        FakeScenario s = standardScenario();
        if (Job(job) == Job::Download)
            s.failTransfers(2, 0, Behaviour(how));
        else
            s.failJob(Job(job), 2, Behaviour(how));
        QVERIFY(s.write());

        QVector<bool> succeeded;
        for (int attempt = 0; attempt < 4; ++attempt) {
            const Result r = runFake(expand(args));
            const QString path = work() + QLatin1Char('/') + file;
            const bool ok = (file.isEmpty() || QFile::exists(path)) && r.out.contains(outHas);
            succeeded << ok;
            if (!ok && Behaviour(how) == Behaviour::Crash)
                QCOMPARE(r.status, QProcess::CrashExit);
            if (!file.isEmpty())
                QFile::remove(path);
        }
        QCOMPARE(succeeded, (QVector<bool>{false, false, true, true}));
        const QVector<FakeScenario::Run> runs = s.loggedRuns(Job(job));
        QCOMPARE(runs.size(), 4);
        for (int i = 0; i < runs.size(); ++i)
            QCOMPARE(runs.at(i).run, i + 1);
    }

    void formatFailuresCountPerFormat()
    {
        FakeScenario s = standardScenario();
        s.failTransfers(1, 0, Behaviour::Error, QStringLiteral("137"));
        QVERIFY(s.write());
        const QStringList other{"--no-warnings", "--no-part", "-f", "18", "-o", "{W}/o.mp4", "{URL}"};
        const QStringList failing{"--no-warnings", "--no-part", "-f", "137", "-o", "{W}/f.mp4", "{URL}"};
        QCOMPARE(runFake(expand(other)).exitCode, 0);
        QCOMPARE(runFake(expand(failing)).exitCode, 1);
        QVERIFY(!QFile::exists(work() + QStringLiteral("/f.mp4")));
        QCOMPARE(runFake(expand(failing)).exitCode, 0);
        QCOMPARE(contents(work() + QStringLiteral("/f.mp4")), contents(m_clip));
    }

    void interruptedTransfersResume_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("percent");
        QTest::newRow("a transfer stopped at 50% exits quietly and resumes") << int(Behaviour::Silent) << 50;
        QTest::newRow("a transfer killed while hanging at 25% resumes") << int(Behaviour::Hang) << 25;
        QTest::newRow("a transfer that crashes at 75% resumes") << int(Behaviour::Crash) << 75;
        QTest::newRow("a transfer that fails with an error at 60% resumes") << int(Behaviour::Error) << 60;
    }
    void interruptedTransfersResume()
    {
        QFETCH(int, how);
        QFETCH(int, percent);
        FakeScenario s = standardScenario();
        s.setPacing(4, 0);
        if (Behaviour(how) == Behaviour::Silent)
            s.stopTransfersAt(percent);
        else if (Behaviour(how) == Behaviour::Hang)
            s.hangTransfersAt(percent);
        else
            s.failTransfers(1, percent, Behaviour(how));
        QVERIFY(s.write());
        const QStringList args = expand({"--no-warnings", "--no-part", "-f", "137", "-o", "{W}/v.mp4", "{URL}"});
        const QString target = work() + QStringLiteral("/v.mp4");
        const QString marker = target + QStringLiteral(".ytdl");
        const QByteArray source = contents(m_clip);
        const qint64 partial = source.size() * percent / 100;

        QProcess p;
        p.start(FakeScenario::program(), args);
        QVERIFY(p.waitForStarted());
        if (Behaviour(how) == Behaviour::Hang) {
            QByteArray out;
            while (!out.contains(percentText(partial, source.size()).toUtf8()) && p.waitForReadyRead(30000))
                out += p.readAllStandardOutput();
            QCOMPARE(p.state(), QProcess::Running);
            QVERIFY(QFile::exists(marker));
            QCOMPARE(QFileInfo(target).size(), partial);
            p.kill();
        }
        QVERIFY(p.waitForFinished(30000));
        const Result first = collect(p);
        QCOMPARE(first.status == QProcess::CrashExit,
                 Behaviour(how) == Behaviour::Hang || Behaviour(how) == Behaviour::Crash);
        QVERIFY(!first.out.contains(QLatin1String("100%")));
        QVERIFY2(QFile::exists(marker), "the marker stays beside an incomplete file");
        QCOMPARE(contents(target), source.left(int(partial)));

        if (Behaviour(how) == Behaviour::Silent || Behaviour(how) == Behaviour::Hang)
            QVERIFY(standardScenario().write());
        const Result second = runFake(args);
        QCOMPARE(second.exitCode, 0);
        QVERIFY2(second.out.contains(QStringLiteral("[download] Resuming download at byte %1").arg(partial)),
                 qPrintable(second.out));
        const QVector<double> percents = progressPercents(second.out);
        QVERIFY(!percents.isEmpty());
        QVERIFY2(percents.first() >= 100.0 * double(partial) / double(source.size()) - 0.05, qPrintable(second.out));
        QCOMPARE(percents.last(), 100.0);
        QVERIFY2(!QFile::exists(marker), "the marker is gone once the file is complete");
        QCOMPARE(contents(target), source);
    }

    void progressLinesFollowTheContract()
    {
        FakeScenario s = standardScenario();
        s.setPacing(5, 1);
        QVERIFY(s.write());
        const QStringList args = expand({"--no-warnings", "--no-part", "-f", "18", "-o", "{W}/v.mp4", "{URL}"});
        const Result r = runFake(args);
        static const QRegularExpression shape(QStringLiteral(
            "^\\[download\\] +\\d+(\\.\\d)?% of 9\\.77KiB at \\d+\\.\\d\\d(B|KiB|MiB)/s ETA \\d\\d:\\d\\d$"));
        int lines = 0;
        for (const QString &line : r.out.split(QLatin1Char('\n'))) {
            if (line.contains(QLatin1String("% of"))) {
                ++lines;
                QVERIFY2(shape.match(line).hasMatch(), qPrintable(line));
            }
        }
        QCOMPARE(lines, 5);
        QCOMPARE(progressPercents(r.out), (QVector<double>{20.0, 40.0, 60.0, 80.0, 100.0}));
        QVERIFY(r.out.contains(QStringLiteral("[download]  20.0% of 9.77KiB at ")));

        // A complete file is reported done again without being written anew.
        const Result again = runFake(args);
        QVERIFY2(again.out.contains(QLatin1String("has already been downloaded")), qPrintable(again.out));
        QCOMPARE(progressPercents(again.out), QVector<double>{100.0});
        QCOMPARE(QFileInfo(work() + QStringLiteral("/v.mp4")).size(), qint64(10000));
    }

    void misbehaviourModes_data()
    {
        QTest::addColumn<int>("job");
        QTest::addColumn<int>("how");
        QTest::addColumn<QStringList>("args");
        const QStringList info{"--no-warnings",   "--ignore-errors",
                               "--skip-download", "--write-info-json",
                               "--no-playlist",   "-o",
                               "{W}/%(id)s",      "{URL}"};
        QTest::newRow("every job printing garbage writes nothing the program looks for")
            << -1 << int(Behaviour::Garbage) << info;
        QTest::newRow("a transfer printing garbage leaves no file")
            << int(Job::Download) << int(Behaviour::Garbage)
            << QStringList{"--no-warnings", "--no-part", "-f", "18", "-o", "{W}/%(id)s", "{URL}"};
        QTest::newRow("a crashing subtitle list dies by a signal")
            << int(Job::SubtitleList) << int(Behaviour::Crash)
            << QStringList{"--no-warnings", "--ignore-errors", "--skip-download", "--list-subs", "{URL}"};
        QTest::newRow("a hanging info job runs until killed") << -1 << int(Behaviour::Hang) << info;
    }
    void misbehaviourModes()
    {
        QFETCH(int, job);
        QFETCH(int, how);
        QFETCH(QStringList, args);
        FakeScenario s = standardScenario();
        if (job < 0)
            s.setMode(Behaviour(how));
        else
            s.setJobMode(Job(job), Behaviour(how));
        QVERIFY(s.write());

        QProcess p;
        p.start(FakeScenario::program(), expand(args));
        QVERIFY(p.waitForStarted());
        if (Behaviour(how) == Behaviour::Hang) {
            // Only a kill ends it: no wait may see it finish on its own.
            QVERIFY(!p.waitForFinished(500));
            p.kill();
        }
        QVERIFY(p.waitForFinished(30000));
        const Result r = collect(p);
        QCOMPARE(r.status == QProcess::CrashExit, Behaviour(how) != Behaviour::Garbage);
        if (Behaviour(how) == Behaviour::Garbage) {
            QVERIFY(!r.out.trimmed().isEmpty());
            for (const QString &text : {r.out, r.err}) {
                QVERIFY2(!text.contains(QLatin1Char('[')) && !text.contains(QLatin1Char(':'))
                             && !text.contains(QLatin1Char('%')),
                         qPrintable(text));
            }
        }
        QCOMPARE(QDir(work()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(s.loggedRuns().size(), 1);
    }

    void parallelRunsAreEachCountedOnce()
    {
        FakeScenario s = standardScenario();
        s.failJob(Job::SubtitleList, 3);
        QVERIFY(s.write());
        QVector<QProcess *> running;
        for (int i = 0; i < 6; ++i) {
            auto *p = new QProcess(this);
            p->start(FakeScenario::program(),
                     {"--no-warnings", "--ignore-errors", "--skip-download", "--list-subs", Url});
            running << p;
        }
        int listings = 0;
        for (QProcess *p : running) {
            QVERIFY(p->waitForFinished(30000));
            listings += p->readAllStandardOutput().contains("Language formats") ? 1 : 0;
            delete p;
        }
        QCOMPARE(listings, 3);
        QList<int> numbers;
        for (const FakeScenario::Run &r : s.loggedRuns())
            numbers << r.run;
        std::sort(numbers.begin(), numbers.end());
        QCOMPARE(numbers, (QList<int>{1, 2, 3, 4, 5, 6}));
    }

    void argumentLogRecordsEveryRun()
    {
        FakeScenario s = standardScenario();
        QVERIFY(s.write());
        // The program runs a copy of the adapter under another name; the log names the copy.
        const QString copy = m_case + QStringLiteral("/tool/youtubedl.exe");
        QVERIFY(FakeScenario::installAs(copy));
        const QStringList proxies{QString(), QString(), QStringLiteral("http://10.1.2.3:8080"),
                                  QStringLiteral("socks5://10.1.2.3:8080"), QStringLiteral("socks5://10.1.2.3:8080")};
        QVector<QStringList> sent;
        for (const QString &proxy : proxies) {
            QStringList args;
            if (!proxy.isEmpty())
                args << QStringLiteral("--proxy") << proxy;
            args << expand({"--no-warnings", "--ignore-errors", "--skip-download", "--flat-playlist", "-J", "{URL}"});
            sent << args;
            runFake(args, QProcessEnvironment::systemEnvironment(), copy);
        }
        runFake({QStringLiteral("--version")});

        const QVector<FakeScenario::Run> runs = s.loggedRuns();
        QCOMPARE(runs.size(), 6);
        QStringList loggedProxies;
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(runs.at(i).job, QStringLiteral("channel"));
            QCOMPARE(runs.at(i).run, i + 1);
            QCOMPARE(runs.at(i).args, sent.at(i));
            QCOMPARE(runs.at(i).url(), Url);
            QCOMPARE(runs.at(i).program, QFileInfo(copy).canonicalFilePath());
            loggedProxies << runs.at(i).proxy();
        }
        QCOMPARE(loggedProxies, proxies);
        QCOMPARE(runs.at(5).job, QStringLiteral("invalid"));
        QCOMPARE(runs.at(5).args, QStringList{QStringLiteral("--version")});
        QCOMPARE(runs.at(5).program, QFileInfo(FakeScenario::program()).canonicalFilePath());

        // A log named in the environment takes the place of the scenario's.
        const QString elsewhere = m_case + QStringLiteral("/elsewhere.log");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CLIPWRIGHT_FAKE_LOG"), elsewhere);
        runFake(sent.first(), env);
        QCOMPARE(s.loggedRuns().size(), 6);
        QCOMPARE(contents(elsewhere).count('\n'), 1);

        s.resetState();
        QVERIFY(s.loggedRuns().isEmpty());
        runFake(sent.first());
        QCOMPARE(s.loggedRuns().value(0).run, 1);
    }
};

CW_TEST_MAIN(TestFakeDownloader)
#include "tst_fakedownloader.moc"
