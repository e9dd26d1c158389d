// Test double of the downloader adapter. It accepts exactly the argument lists of the
// downloader contract, refuses every other list (exit code 2), and answers from the scenario
// file named by CLIPWRIGHT_FAKE_SCENARIO: which info JSON, thumbnail, subtitle listing,
// media files and channel listing it delivers, how it paces a transfer and when it fails.
// Every run appends its arguments to a log and counts itself beside the scenario, so a
// failure "for the first N runs" holds across processes. The scenario keys are listed in
// README.md beside this file; tests write scenarios through FakeScenario (fakescenario.h).

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

namespace
{

const char *const FormatUnavailableText = "ERROR: requested format not available";
const char *const Http404Text = "ERROR: unable to download video data: HTTP Error 404: Not Found";
const char *const PageErrorText = "ERROR: Unable to download webpage: <urlopen error [Errno 111] Connection refused>";
const char *const TransferErrorText =
    "ERROR: unable to download video data: <urlopen error [Errno 104] Connection reset by peer>";

enum class Job { Invalid, Info, Thumbnail, SubtitleList, Subtitles, Download, Channel };
enum class Subs { None, Default, All, Manual, Automatic };
enum class Behaviour { Normal, Error, Silent, Garbage, Crash, Hang };

// The names scenarios and the log use, in the order of the enums.
QString jobName(Job job)
{
    static const char *const names[] = {"invalid",   "info",     "thumbnail", "subtitleList",
                                        "subtitles", "download", "channel"};
    return QLatin1String(names[int(job)]);
}

Behaviour behaviourFrom(const QString &name, Behaviour fallback)
{
    static const char *const names[] = {"normal", "error", "silent", "garbage", "crash", "hang"};
    for (int i = 1; i < int(sizeof names / sizeof *names); ++i)
        if (name == QLatin1String(names[i]))
            return Behaviour(i);
    return fallback;
}

void emitText(FILE *stream, const QString &text)
{
    if (text.isEmpty())
        return;
    QByteArray bytes = text.toUtf8();
    if (!bytes.endsWith('\n'))
        bytes.append('\n');
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    fflush(stream);
}

void out(const QString &text)
{
    emitText(stdout, text);
}

void err(const QString &text)
{
    emitText(stderr, text);
}

// One parsed command line. Anything the contract does not allow leaves job Invalid.
struct Call {
    Job job = Job::Invalid;
    QString problem;
    QString proxy;
    QString output;
    QString url;
    QString format;
    bool hasFormat = false;
    QString limitRate;
    Subs subs = Subs::None;
    QStringList subLangs;
};

class ArgReader
{
public:
    explicit ArgReader(const QStringList &args) : m_args(args) {}
    bool take(const char *word)
    {
        if (m_pos < m_args.size() && m_args.at(m_pos) == QLatin1String(word)) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool value(QString *into)
    {
        if (m_pos >= m_args.size() || m_args.at(m_pos).isEmpty())
            return false;
        *into = m_args.at(m_pos++);
        return true;
    }
    bool atEnd() const
    {
        return m_pos >= m_args.size();
    }
    QString peek() const
    {
        return atEnd() ? QString() : m_args.at(m_pos);
    }

private:
    QStringList m_args;
    int m_pos = 0;
};

// "--write-sub" alone, "--all-subs" alone, or "--write-sub"/"--write-auto-sub" "--sub-lang" CODE.
bool readSubtitleArgs(ArgReader &r, Call *c, QString *problem)
{
    if (r.take("--all-subs")) {
        c->subs = Subs::All;
        return true;
    }
    const bool manual = r.take("--write-sub");
    const bool automatic = !manual && r.take("--write-auto-sub");
    if (!manual && !automatic)
        return false;
    if (!r.take("--sub-lang")) {
        if (automatic)
            *problem = QStringLiteral("--write-auto-sub without --sub-lang");
        c->subs = Subs::Default;
        return automatic ? false : true;
    }
    QString code;
    if (!r.value(&code)) {
        *problem = QStringLiteral("--sub-lang without a code");
        return false;
    }
    c->subs = manual ? Subs::Manual : Subs::Automatic;
    c->subLangs = code.split(QLatin1Char(','), Qt::SkipEmptyParts);
    return true;
}

Call parseCall(const QStringList &args)
{
    Call c;
    auto refuse = [&c](const QString &why) {
        c.job = Job::Invalid;
        c.problem = why;
        return c;
    };
    if (args.isEmpty())
        return refuse(QStringLiteral("no arguments"));
    c.url = args.last();
    if (c.url.isEmpty() || c.url.startsWith(QLatin1Char('-')))
        return refuse(QStringLiteral("the last argument is not a URL"));
    ArgReader r(args.mid(0, args.size() - 1));
    if (r.take("--proxy") && !r.value(&c.proxy))
        return refuse(QStringLiteral("--proxy without an address"));
    if (!r.take("--no-warnings"))
        return refuse(QStringLiteral("--no-warnings does not follow the proxy prefix"));

    QString problem;
    bool needsOutput = true;
    if (r.take("--ignore-errors")) {
        if (!r.take("--skip-download"))
            return refuse(QStringLiteral("--skip-download does not follow --ignore-errors"));
        if (r.take("--write-info-json")) {
            if (!r.take("--no-playlist"))
                return refuse(QStringLiteral("--no-playlist does not follow --write-info-json"));
            c.job = Job::Info;
        } else if (r.take("--write-thumbnail")) {
            c.job = Job::Thumbnail;
        } else if (r.take("--list-subs")) {
            c.job = Job::SubtitleList;
            needsOutput = false;
        } else if (r.take("--flat-playlist")) {
            if (!r.take("-J"))
                return refuse(QStringLiteral("-J does not follow --flat-playlist"));
            c.job = Job::Channel;
            needsOutput = false;
        } else if (readSubtitleArgs(r, &c, &problem)) {
            c.job = Job::Subtitles;
        } else {
            return refuse(problem.isEmpty() ? QStringLiteral("no job after --skip-download") : problem);
        }
    } else if (r.take("--no-part")) {
        if (!readSubtitleArgs(r, &c, &problem) && !problem.isEmpty())
            return refuse(problem);
        if (r.take("--limit-rate") && !r.value(&c.limitRate))
            return refuse(QStringLiteral("--limit-rate without a rate"));
        if (r.take("-f")) {
            if (!r.value(&c.format))
                return refuse(QStringLiteral("-f without a format"));
            c.hasFormat = true;
        }
        c.job = Job::Download;
    } else {
        return refuse(QStringLiteral("unknown job starting with ") + r.peek());
    }
    if (needsOutput && !r.take("-o"))
        return refuse(QStringLiteral("-o expected, found ") + (r.atEnd() ? QStringLiteral("the URL") : r.peek()));
    if (needsOutput && !r.value(&c.output))
        return refuse(QStringLiteral("-o without a path"));
    if (!r.atEnd())
        return refuse(QStringLiteral("unexpected argument ") + r.peek());
    return c;
}

QString formatBytes(double bytes)
{
    static const char *const units[] = {"B", "KiB", "MiB", "GiB", "TiB"};
    int unit = 0;
    while (bytes >= 1024.0 && unit < 4) {
        bytes /= 1024.0;
        ++unit;
    }
    return QString::number(bytes, 'f', 2) + QLatin1String(units[unit]);
}

QString formatSeconds(qint64 seconds)
{
    if (seconds >= 3600)
        return QString::asprintf("%lld:%02lld:%02lld", seconds / 3600, (seconds / 60) % 60, seconds % 60);
    return QString::asprintf("%02lld:%02lld", seconds / 60, seconds % 60);
}

[[noreturn]] void hangForever()
{
    for (;;)
        ::pause();
}

[[noreturn]] void crash()
{
    // The abort must not leave core files in the test's working folder.
    struct rlimit none = {0, 0};
    setrlimit(RLIMIT_CORE, &none);
    std::abort();
}

// Everything one job run needs to answer from the scenario.
struct Plan {
    Behaviour how = Behaviour::Normal;
    QString error;
    int atPercent = 0;
};

class FakeDownloader
{
public:
    int run(const QStringList &args);

private:
    bool loadScenario(QString *problem);
    QString resolve(const QString &path) const;
    QJsonObject section(const QString &name) const
    {
        return m_scenario.value(name).toObject();
    }
    void record(const QStringList &args, const QStringList &counterKeys);
    int runsOf(const QString &key) const
    {
        return m_runs.value(key);
    }
    Plan planFor(const QJsonObject &sec, const QString &counterKey, const QString &defaultError) const;
    int carryOut(const Plan &plan);
    QByteArray infoBytes(QJsonObject *parsed, QString *problem) const;
    QString mediaId() const;
    QString subtitleBase(const QString &output) const;
    QStringList chosenSubtitleCodes() const;
    void writeSubtitleFiles();
    QString resolvedFormat() const;

    int doInfo();
    int doThumbnail();
    int doSubtitleList();
    int doSubtitles();
    int doDownload();
    int doChannel();
    int garbage();
    int transfer(const QJsonObject &format, const Plan &stopPlan);

    QJsonObject m_scenario;
    QString m_scenarioDir;
    Call m_call;
    QHash<QString, int> m_runs;
};

bool FakeDownloader::loadScenario(QString *problem)
{
    const QString path = qEnvironmentVariable("CLIPWRIGHT_FAKE_SCENARIO");
    if (path.isEmpty()) {
        *problem = QStringLiteral("CLIPWRIGHT_FAKE_SCENARIO is not set");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = QStringLiteral("cannot read the scenario ") + path;
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) {
        *problem = QStringLiteral("the scenario is not a JSON object: ") + parseError.errorString();
        return false;
    }
    m_scenario = doc.object();
    m_scenarioDir = QFileInfo(path).absolutePath();
    return true;
}

QString FakeDownloader::resolve(const QString &path) const
{
    return path.isEmpty() ? path : QDir(m_scenarioDir).absoluteFilePath(path);
}

// Counts the run and logs it beside the scenario under one lock, so parallel fakes of one
// scenario never lose a count or interleave log lines.
void FakeDownloader::record(const QStringList &args, const QStringList &counterKeys)
{
    if (m_scenarioDir.isEmpty())
        return;
    QLockFile lock(m_scenarioDir + QStringLiteral("/fakedownloader.lock"));
    lock.lock();
    QSettings counters(m_scenarioDir + QStringLiteral("/counters.ini"), QSettings::IniFormat);
    for (const QString &key : counterKeys) {
        const int n = counters.value(key, 0).toInt() + 1;
        counters.setValue(key, n);
        m_runs.insert(key, n);
    }
    counters.sync();
    QJsonObject entry;
    entry.insert(QLatin1String("job"), jobName(m_call.job));
    entry.insert(QLatin1String("args"), QJsonArray::fromStringList(args));
    entry.insert(QLatin1String("program"), QCoreApplication::applicationFilePath());
    QFile log(m_scenarioDir + QStringLiteral("/runs.log"));
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n');
}

Plan FakeDownloader::planFor(const QJsonObject &sec, const QString &counterKey, const QString &defaultError) const
{
    Plan plan;
    const Behaviour everyRun = behaviourFrom(m_scenario.value(QLatin1String("mode")).toString(), plan.how);
    if (everyRun != Behaviour::Normal) {
        plan.how = everyRun;
    } else {
        const int times = sec.value(QLatin1String("failTimes")).toInt(0);
        if (times < 0 || runsOf(counterKey) <= times) {
            plan.how = behaviourFrom(sec.value(QLatin1String("failWith")).toString(), Behaviour::Error);
            plan.atPercent = sec.value(QLatin1String("failAt")).toInt(0);
        }
    }
    plan.error = sec.value(QLatin1String("failError")).toString(defaultError);
    return plan;
}

int FakeDownloader::carryOut(const Plan &plan)
{
    switch (plan.how) {
    case Behaviour::Error:
        err(plan.error);
        return 1;
    case Behaviour::Garbage:
        return garbage();
    case Behaviour::Crash:
        crash();
    case Behaviour::Hang:
        hangForever();
    case Behaviour::Silent:
    case Behaviour::Normal:
        break;
    }
    return 0;
}

int FakeDownloader::garbage()
{
    // Text that carries none of the markers the program looks for: no brackets, colons or "%".
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,;-_=+*#~";
    QRandomGenerator rng(quint32(m_runs.value(jobName(m_call.job)) * 7919 + int(m_call.job)));
    for (int line = 0; line < 14; ++line) {
        QString text;
        const int length = rng.bounded(8, 72);
        for (int i = 0; i < length; ++i)
            text += QLatin1Char(alphabet[rng.bounded(int(sizeof alphabet - 1))]);
        if (line % 5 == 4)
            err(text);
        else
            out(text);
    }
    return 0;
}

QByteArray FakeDownloader::infoBytes(QJsonObject *parsed, QString *problem) const
{
    const QJsonObject sec = section(QStringLiteral("info"));
    QByteArray bytes;
    if (sec.contains(QLatin1String("file"))) {
        QFile file(resolve(sec.value(QLatin1String("file")).toString()));
        if (!file.open(QIODevice::ReadOnly)) {
            *problem = QStringLiteral("cannot read the info file ") + file.fileName();
            return QByteArray();
        }
        bytes = file.readAll();
    } else if (sec.contains(QLatin1String("json"))) {
        bytes = QJsonDocument(sec.value(QLatin1String("json")).toObject()).toJson(QJsonDocument::Indented);
    }
    if (parsed)
        *parsed = QJsonDocument::fromJson(bytes).object();
    return bytes;
}

QString FakeDownloader::mediaId() const
{
    const QJsonObject sec = section(QStringLiteral("info"));
    if (sec.contains(QLatin1String("id")))
        return sec.value(QLatin1String("id")).toString();
    QJsonObject parsed;
    QString ignored;
    infoBytes(&parsed, &ignored);
    const QJsonValue id = parsed.value(QLatin1String("id"));
    return id.isString() && !id.toString().isEmpty() ? id.toString() : QStringLiteral("NA");
}

int FakeDownloader::doInfo()
{
    const QJsonObject sec = section(QStringLiteral("info"));
    const Plan plan = planFor(sec, jobName(Job::Info), QLatin1String(PageErrorText));
    if (plan.how != Behaviour::Normal)
        return carryOut(plan);
    QJsonObject info;
    QString problem;
    const QByteArray bytes = infoBytes(&info, &problem);
    if (!problem.isEmpty()) {
        err(QStringLiteral("ERROR: fake downloader: ") + problem);
        return 2;
    }
    if (bytes.isEmpty()) {
        err(QStringLiteral("ERROR: Unsupported URL: ") + m_call.url);
        return 1;
    }

    // The output template's %(key)s fields come from the info itself, as the real tool fills them.
    QString path = m_call.output;
    const QString id = mediaId();
    static const QRegularExpression field(QStringLiteral("%\\((\\w+)\\)s"));
    QRegularExpressionMatch m;
    while ((m = field.match(path)).hasMatch()) {
        const QString key = m.captured(1);
        const QJsonValue v = info.value(key);
        QString text = key == QLatin1String("id") ? id
                       : v.isString()             ? v.toString()
                       : v.isDouble()             ? QString::number(v.toDouble(), 'g', 15)
                                                  : QStringLiteral("NA");
        text.replace(QLatin1Char('/'), QLatin1Char('_'));
        path.replace(m.capturedStart(), m.capturedLength(), text);
    }
    const QString ext = info.value(QLatin1String("ext")).toString();
    if (!ext.isEmpty() && path.endsWith(QLatin1Char('.') + ext))
        path.chop(ext.size() + 1);
    path += QStringLiteral(".info.json");

    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        err(QStringLiteral("ERROR: Cannot write metadata to JSON file ") + path);
        return 1;
    }
    file.write(bytes);
    out(QStringLiteral("[info] Writing video metadata as JSON to: ") + path);
    return 0;
}

int FakeDownloader::doThumbnail()
{
    // A 16x16 baseline JPEG, delivered when the scenario names no picture of its own.
    static const unsigned char builtin[] = {
        0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x02, 0x00, 0x00, 0x01, 0x00, 0x01,
        0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x08, 0x14, 0x14, 0x17, 0x14, 0x17, 0x1b, 0x1b, 0x1b, 0x1b, 0x1b,
        0x1b, 0x20, 0x1e, 0x20, 0x21, 0x21, 0x21, 0x20, 0x20, 0x20, 0x20, 0x21, 0x21, 0x21, 0x24, 0x24, 0x24, 0x2a,
        0x2a, 0x2a, 0x24, 0x24, 0x24, 0x21, 0x21, 0x24, 0x24, 0x28, 0x28, 0x2a, 0x2a, 0x2e, 0x2f, 0x2e, 0x2b, 0x2b,
        0x2a, 0x2b, 0x2f, 0x2f, 0x32, 0x32, 0x32, 0x3c, 0x3c, 0x39, 0x39, 0x46, 0x46, 0x48, 0x56, 0x56, 0x67, 0xff,
        0xc4, 0x00, 0x4b, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x05, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x06, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0xff, 0xc0, 0x00, 0x11, 0x08, 0x00, 0x10, 0x00, 0x10, 0x03, 0x01, 0x22, 0x00, 0x02,
        0x11, 0x00, 0x03, 0x11, 0x00, 0xff, 0xda, 0x00, 0x0c, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3f,
        0x00, 0x82, 0x01, 0xd8, 0xeb, 0xff, 0xd9};
    const QJsonObject sec = section(QStringLiteral("thumbnail"));
    const Plan plan = planFor(sec, jobName(Job::Thumbnail), QLatin1String(PageErrorText));
    if (plan.how != Behaviour::Normal)
        return carryOut(plan);
    QByteArray bytes(reinterpret_cast<const char *>(builtin), int(sizeof builtin));
    if (sec.contains(QLatin1String("file"))) {
        QFile source(resolve(sec.value(QLatin1String("file")).toString()));
        if (!source.open(QIODevice::ReadOnly)) {
            err(QStringLiteral("ERROR: fake downloader: cannot read the thumbnail ") + source.fileName());
            return 2;
        }
        bytes = source.readAll();
    }
    QDir().mkpath(QFileInfo(m_call.output).absolutePath());
    QFile file(m_call.output);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        err(QStringLiteral("ERROR: Cannot write thumbnail to ") + m_call.output);
        return 1;
    }
    file.write(bytes);
    out(QStringLiteral("[info] Writing video thumbnail to: ") + m_call.output);
    return 0;
}

int FakeDownloader::doSubtitleList()
{
    const QJsonObject sec = section(QStringLiteral("subtitleList"));
    const Plan plan = planFor(sec, jobName(Job::SubtitleList), QLatin1String(PageErrorText));
    if (plan.how != Behaviour::Normal)
        return carryOut(plan);
    const QJsonObject captions = section(QStringLiteral("captions"));
    const QString id = mediaId();
    auto table = [&id](const QJsonArray &codes, const QString &what) -> QString {
        if (codes.isEmpty())
            return id + QStringLiteral(" has no ") + what + QLatin1Char('\n');
        QString text = QStringLiteral("Available ") + what + QStringLiteral(" for ") + id
                       + QStringLiteral(":\nLanguage formats\n");
        for (const QJsonValue &code : codes)
            text += QStringLiteral("%1 vtt, ttml, srv3, srv2, srv1\n").arg(code.toString(), -8);
        return text;
    };
    out(table(captions.value(QLatin1String("automatic")).toArray(), QStringLiteral("automatic captions"))
        + table(captions.value(QLatin1String("subtitles")).toArray(), QStringLiteral("subtitles")));
    return 0;
}

QString FakeDownloader::subtitleBase(const QString &output) const
{
    const QFileInfo fi(output);
    if (fi.suffix().isEmpty())
        return output;
    return output.left(output.size() - fi.suffix().size() - 1);
}

// Which of the scenario's languages the subtitle arguments ask for, as the real tool picks them.
QStringList FakeDownloader::chosenSubtitleCodes() const
{
    const QJsonObject captions = section(QStringLiteral("captions"));
    const QStringList subtitles = captions.value(QLatin1String("subtitles")).toVariant().toStringList();
    const QStringList automatic = captions.value(QLatin1String("automatic")).toVariant().toStringList();
    QStringList chosen;
    switch (m_call.subs) {
    case Subs::None:
        break;
    case Subs::Default:
        if (subtitles.contains(QLatin1String("en")))
            chosen << QStringLiteral("en");
        else if (!subtitles.isEmpty())
            chosen << subtitles.first();
        break;
    case Subs::All:
        chosen = subtitles;
        break;
    case Subs::Manual:
    case Subs::Automatic:
        for (const QString &code : m_call.subLangs) {
            if ((m_call.subs == Subs::Manual ? subtitles : automatic).contains(code))
                chosen << code;
        }
        break;
    }
    return chosen;
}

void FakeDownloader::writeSubtitleFiles()
{
    const QJsonObject content = section(QStringLiteral("captions")).value(QLatin1String("content")).toObject();
    const QString base = subtitleBase(m_call.output);
    for (const QString &code : chosenSubtitleCodes()) {
        const QString path = base + QLatin1Char('.') + code + QStringLiteral(".vtt");
        const QString text = content.value(code).toString(QStringLiteral("WEBVTT\n\n00:00:00.000 --> 00:00:01.000\n")
                                                          + code + QStringLiteral(" line one\n"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(text.toUtf8());
            out(QStringLiteral("[info] Writing video subtitles to: ") + path);
        }
    }
}

int FakeDownloader::doSubtitles()
{
    const QJsonObject sec = section(QStringLiteral("subtitles"));
    const Plan plan = planFor(sec, jobName(Job::Subtitles), QLatin1String(PageErrorText));
    if (plan.how != Behaviour::Normal)
        return carryOut(plan);
    writeSubtitleFiles();
    return 0;
}

QString FakeDownloader::resolvedFormat() const
{
    if (m_call.hasFormat)
        return m_call.format;
    const QJsonObject formats = section(QStringLiteral("formats"));
    return formats.size() == 1 ? formats.begin().key() : QString();
}

int FakeDownloader::doDownload()
{
    const QJsonObject download = section(QStringLiteral("download"));
    const QString id = resolvedFormat();
    const QJsonObject formats = section(QStringLiteral("formats"));
    if (id.isEmpty() || !formats.contains(id)) {
        err(QLatin1String(FormatUnavailableText));
        return 1;
    }
    // Settings of the format win over those of the download section.
    QJsonObject format = download;
    const QJsonObject own = formats.value(id).toObject();
    for (auto it = own.begin(); it != own.end(); ++it)
        format.insert(it.key(), it.value());

    const QString error = own.value(QLatin1String("error")).toString();
    if (error == QLatin1String("404")) {
        err(QLatin1String(Http404Text));
        return 1;
    }
    if (error == QLatin1String("unavailable")) {
        err(QLatin1String(FormatUnavailableText));
        return 1;
    }
    if (!error.isEmpty()) {
        err(error);
        return 1;
    }

    Plan plan = planFor(own, QStringLiteral("download:") + id, QLatin1String(TransferErrorText));
    if (plan.how == Behaviour::Normal)
        plan = planFor(download, jobName(Job::Download), QLatin1String(TransferErrorText));
    if (plan.how == Behaviour::Normal && format.contains(QLatin1String("hangAt"))) {
        plan.how = Behaviour::Hang;
        plan.atPercent = format.value(QLatin1String("hangAt")).toInt();
    } else if (plan.how == Behaviour::Normal && format.contains(QLatin1String("stopAt"))) {
        plan.how = Behaviour::Silent;
        plan.atPercent = format.value(QLatin1String("stopAt")).toInt();
    }
    if (plan.how == Behaviour::Garbage || (plan.how != Behaviour::Normal && plan.atPercent <= 0))
        return carryOut(plan);

    writeSubtitleFiles();
    return transfer(format, plan);
}

// Writes the media file in steps, printing a progress line after each one, and leaves the
// ".ytdl" marker beside it until the last byte is written. An existing shorter file is
// taken as an interrupted transfer and continued from its size.
int FakeDownloader::transfer(const QJsonObject &format, const Plan &stopPlan)
{
    QByteArray source;
    if (format.contains(QLatin1String("file"))) {
        QFile file(resolve(format.value(QLatin1String("file")).toString()));
        if (!file.open(QIODevice::ReadOnly)) {
            err(QStringLiteral("ERROR: fake downloader: cannot read the media file ") + file.fileName());
            return 2;
        }
        source = file.readAll();
    } else {
        source.resize(int(format.value(QLatin1String("size")).toDouble(65536)));
        for (int i = 0; i < source.size(); ++i)
            source[i] = char((i * 131 + i / 256) & 0xff);
    }
    const qint64 total = source.size();
    const int steps = qMax(1, format.value(QLatin1String("steps")).toInt(4));
    const int stepMs = qMax(0, format.value(QLatin1String("stepMs")).toInt(0));
    const QString target = m_call.output;
    const QString marker = target + QStringLiteral(".ytdl");
    const QString totalText = formatBytes(double(total));

    out(QStringLiteral("[download] Destination: ") + target);
    const QFileInfo existing(target);
    qint64 pos = existing.exists() ? existing.size() : 0;
    if (pos > total)
        pos = 0;
    if (pos == total && existing.exists() && !QFile::exists(marker)) {
        out(QStringLiteral("[download] ") + target + QStringLiteral(" has already been downloaded"));
        out(QStringLiteral("[download] 100% of ") + totalText + QStringLiteral(" at 0.00B/s ETA 00:00"));
        return 0;
    }
    if (pos > 0)
        out(QStringLiteral("[download] Resuming download at byte ") + QString::number(pos));

    const qint64 end =
        stopPlan.how == Behaviour::Normal ? total : qMin(total, qint64(std::floor(total * stopPlan.atPercent / 100.0)));
    const qint64 chunk = qMax<qint64>(1, (total + steps - 1) / steps);
    const double speed = stepMs > 0 ? double(chunk) * 1000.0 / stepMs : 10.0 * 1024 * 1024;
    const QString speedText = formatBytes(speed) + QStringLiteral("/s");

    if (pos < end) {
        {
            QFile m(marker);
            if (m.open(QIODevice::WriteOnly | QIODevice::Truncate))
                m.write("{\"downloader\": {\"current_fragment\": {\"index\": 0}}}");
        }
        QFile file(target);
        if (!file.open(pos > 0 ? QIODevice::WriteOnly | QIODevice::Append
                               : QIODevice::WriteOnly | QIODevice::Truncate)) {
            err(QStringLiteral("ERROR: unable to open for writing: ") + target);
            return 1;
        }
        while (pos < end) {
            const qint64 next = qMin(end, (pos / chunk + 1) * chunk);
            file.write(source.constData() + pos, next - pos);
            file.flush();
            pos = next;
            if (pos >= total)
                break;
            const qint64 eta = qint64(std::ceil(double(total - pos) / speed));
            out(QStringLiteral("[download] %1% of %2 at %3 ETA %4")
                    .arg(QString::asprintf("%5.1f", 100.0 * double(pos) / double(total)), totalText, speedText,
                         formatSeconds(eta)));
            if (pos < end && stepMs > 0)
                QThread::msleep(ulong(stepMs));
        }
    }
    if (pos >= total) {
        QFile::remove(marker);
        out(QStringLiteral("[download] 100% of ") + totalText + QStringLiteral(" at ") + speedText
            + QStringLiteral(" ETA 00:00"));
        return 0;
    }
    return carryOut(stopPlan);
}

int FakeDownloader::doChannel()
{
    const QJsonObject sec = section(QStringLiteral("channel"));
    const Plan plan = planFor(sec, jobName(Job::Channel), QLatin1String(PageErrorText));
    if (plan.how != Behaviour::Normal)
        return carryOut(plan);
    if (!sec.contains(QLatin1String("json"))) {
        err(QStringLiteral("ERROR: Unsupported URL: ") + m_call.url);
        return 1;
    }
    out(QString::fromUtf8(QJsonDocument(sec.value(QLatin1String("json")).toObject()).toJson(QJsonDocument::Compact)));
    return 0;
}

int FakeDownloader::run(const QStringList &args)
{
    QString problem;
    const bool loaded = loadScenario(&problem);
    m_call = parseCall(args);
    QStringList counterKeys{jobName(m_call.job)};
    if (m_call.job == Job::Download)
        counterKeys << QStringLiteral("download:") + resolvedFormat();
    record(args, counterKeys);
    if (!loaded) {
        err(QStringLiteral("ERROR: fake downloader: ") + problem);
        return 2;
    }
    if (m_call.job == Job::Invalid) {
        err(QStringLiteral("ERROR: fake downloader: arguments outside the contract: ") + m_call.problem);
        return 2;
    }
    const int delayMs = section(jobName(m_call.job)).value(QLatin1String("delayMs")).toInt(0);
    if (delayMs > 0)
        QThread::msleep(ulong(delayMs));
    switch (m_call.job) {
    case Job::Info:
        return doInfo();
    case Job::Thumbnail:
        return doThumbnail();
    case Job::SubtitleList:
        return doSubtitleList();
    case Job::Subtitles:
        return doSubtitles();
    case Job::Download:
        return doDownload();
    case Job::Channel:
        return doChannel();
    case Job::Invalid:
        break;
    }
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    FakeDownloader fake;
    return fake.run(args);
}
