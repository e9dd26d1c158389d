#include "update/componentupdater.h"

#include "app/appenv.h"
#include "app/paths.h"
#include "engine/proxy.h"
#include "external/components.h"
#include "update/componentstore.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <archive.h>
#include <archive_entry.h>
#include <unistd.h>

using Step = ComponentResult::Step;
using Outcome = ComponentResult::Outcome;

namespace
{
const qint64 kMaxSmallFile = 1 << 20;           // release JSON, checksum lists, signatures
const qint64 kMaxAsset = qint64(512) << 20;     // an executable or its zip
const qint64 kMaxUnpacked = qint64(1024) << 20; // deno unpacked
const int kStallMs = 60000;                     // a transfer that sends nothing for this long fails
const QString kSums = QStringLiteral("SHA2-256SUMS");
const QString kSumsSignature = QStringLiteral("SHA2-256SUMS.sig");

QString repositoryOf(const QString &component)
{
    return component == Components::YtDlp ? QStringLiteral("yt-dlp/yt-dlp") : QStringLiteral("denoland/deno");
}

ComponentResult failed(ComponentResult result, Step step, const QString &detail)
{
    result.outcome = Outcome::Failed;
    result.failedStep = step;
    result.detail = detail;
    return result;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size() && file.flush()
           && ::fsync(file.handle()) == 0;
}
} // namespace

QString stepName(Step step)
{
    switch (step) {
    case Step::ReleaseInfo:
        return QStringLiteral("release information");
    case Step::Download:
        return QStringLiteral("download");
    case Step::Checksum:
        return QStringLiteral("checksum");
    case Step::Signature:
        return QStringLiteral("signature check");
    case Step::Unpack:
        return QStringLiteral("unpacking");
    case Step::SmokeTest:
        return QStringLiteral("smoke test");
    case Step::Install:
        return QStringLiteral("installation");
    case Step::RollBack:
        return QStringLiteral("roll-back");
    case Step::None:
        break;
    }
    return QStringLiteral("update");
}

QString resultLine(const ComponentResult &result)
{
    const QString none = QStringLiteral("(none)");
    const QString old = result.oldVersion.isEmpty() ? none : result.oldVersion;
    switch (result.outcome) {
    case Outcome::UpToDate:
        return result.name + QStringLiteral(": ") + old + QStringLiteral(" (up to date)");
    case Outcome::Updated:
        return result.name + QStringLiteral(": ") + old + QStringLiteral(" -> ") + result.newVersion;
    case Outcome::HeldBack:
        return result.name + QStringLiteral(": ") + old + QStringLiteral(" (") + result.newVersion
               + QStringLiteral(" was rolled back)");
    case Outcome::Failed:
        break;
    }
    return result.name + QStringLiteral(": failed at ") + stepName(result.failedStep) + QStringLiteral(": ")
           + result.detail + QStringLiteral("; still using ") + old;
}

ComponentUpdaterOptions ComponentUpdaterOptions::fromEnvironment()
{
    ComponentUpdaterOptions options;
    options.apiBase = qEnvironmentVariable("CLIPWRIGHT_GITHUB_API", QStringLiteral("https://api.github.com"));
    while (options.apiBase.endsWith(QLatin1Char('/')))
        options.apiBase.chop(1);
    options.keyring = qEnvironmentVariable("CLIPWRIGHT_COMPONENTS_KEYRING");
    if (options.keyring.isEmpty()) {
        const QString folder = appDirPath().isEmpty() ? QCoreApplication::applicationDirPath() : AppPaths::dataFolder();
        options.keyring = folder + QStringLiteral("/keys/yt-dlp-release.gpg");
    }
    options.architecture = QSysInfo::currentCpuArchitecture();
    options.proxy = Proxy::networkProxy(Proxy::userProxyFromSettings());
    return options;
}

struct ComponentUpdater::Release {
    QString version;
    QMap<QString, QUrl> assets;
};

ComponentUpdater::ComponentUpdater(const ComponentUpdaterOptions &options, QObject *parent)
    : QObject(parent), m_options(options), m_network(new QNetworkAccessManager(this))
{
    m_network->setProxy(m_options.proxy);
}

ComponentUpdater::~ComponentUpdater() = default;

QString ComponentUpdater::assetName(const QString &component, const QString &architecture)
{
    const bool x64 = architecture == QLatin1String("x86_64");
    const bool arm64 = architecture == QLatin1String("arm64") || architecture == QLatin1String("aarch64");
    if (!x64 && !arm64)
        return QString();
    if (component == Components::YtDlp)
        return x64 ? QStringLiteral("yt-dlp_linux") : QStringLiteral("yt-dlp_linux_aarch64");
    if (component == Components::Deno)
        return x64 ? QStringLiteral("deno-x86_64-unknown-linux-gnu.zip")
                   : QStringLiteral("deno-aarch64-unknown-linux-gnu.zip");
    return QString();
}

bool ComponentUpdater::isCancelled() const
{
    return m_options.cancelled && m_options.cancelled->load();
}

QList<ComponentResult> ComponentUpdater::updateAll()
{
    QList<ComponentResult> results;
    const ComponentStore::Lock lock;
    for (const QString &name : {Components::YtDlp, Components::Deno}) {
        if (!lock.isHeld()) {
            ComponentResult busy;
            busy.name = name;
            busy.oldVersion = Components::currentVersion(name);
            results.append(failed(busy, Step::None, QStringLiteral("another update or roll-back is running")));
            continue;
        }
        results.append(update(name));
    }
    return results;
}

ComponentResult ComponentUpdater::update(const QString &name)
{
    ComponentResult result;
    result.name = name;
    result.oldVersion = Components::currentVersion(name);
    QDir().mkpath(Components::folder(name));
    ComponentStore::tidy(name);

    Release release;
    if (!fetchRelease(repositoryOf(name), &release, &result))
        return result;
    result.newVersion = release.version;
    // The release in use is never fetched again.
    if (release.version == result.oldVersion && !Components::currentExecutable(name).isEmpty()) {
        result.outcome = Outcome::UpToDate;
        return result;
    }
    if (release.version == Components::linkedVersion(name, Components::RolledBackLink)
        && !Components::currentExecutable(name).isEmpty()) {
        result.outcome = Outcome::HeldBack;
        return result;
    }
    const QString asset = assetName(name, m_options.architecture);
    if (asset.isEmpty())
        return failed(result, Step::ReleaseInfo, QStringLiteral("no build for ") + m_options.architecture);
    if (!release.assets.contains(asset))
        return failed(result, Step::ReleaseInfo, QStringLiteral("the release has no ") + asset);

    QTemporaryDir staging(Components::folder(name) + QLatin1Char('/') + ComponentStore::StagingPrefix
                          + QStringLiteral("XXXXXX"));
    if (!staging.isValid())
        return failed(result, Step::Download, QStringLiteral("no room for the download: ") + staging.errorString());
    const QString stage = staging.path();

    // The expected checksum comes first, so nothing unverified is ever kept for long.
    QByteArray expected;
    QString error;
    if (name == Components::YtDlp) {
        QByteArray sums;
        QByteArray signature;
        if (!release.assets.contains(kSums))
            return failed(result, Step::Checksum, QStringLiteral("the release has no ") + kSums);
        if (!release.assets.contains(kSumsSignature))
            return failed(result, Step::Signature, QStringLiteral("the release has no ") + kSumsSignature);
        if (!fetchSmall(release, kSums, &sums, &error) || !fetchSmall(release, kSumsSignature, &signature, &error))
            return failed(result, Step::Download, error);
        const QString sumsPath = stage + QLatin1Char('/') + kSums;
        const QString signaturePath = stage + QLatin1Char('/') + kSumsSignature;
        if (!writeFile(sumsPath, sums) || !writeFile(signaturePath, signature))
            return failed(result, Step::Download, QStringLiteral("cannot write into ") + stage);
        if (!verifySignature(sumsPath, signaturePath, stage, &error))
            return failed(result, Step::Signature, error);
        expected = ComponentRelease::expectedSha256(sums, asset);
    } else {
        const QString sumAsset = asset + QStringLiteral(".sha256sum");
        QByteArray sumText;
        if (!release.assets.contains(sumAsset))
            return failed(result, Step::Checksum, QStringLiteral("the release has no ") + sumAsset);
        if (!fetchSmall(release, sumAsset, &sumText, &error))
            return failed(result, Step::Download, error);
        expected = ComponentRelease::expectedSha256(sumText, asset);
    }
    if (expected.isEmpty())
        return failed(result, Step::Checksum, QStringLiteral("no checksum is given for ") + asset);

    const QString download = stage + QLatin1Char('/') + asset;
    QByteArray actual;
    {
        QFile file(download);
        if (!file.open(QIODevice::WriteOnly))
            return failed(result, Step::Download, file.errorString());
        if (!fetch(release.assets.value(asset), QByteArray(), &file, kMaxAsset, name, &actual, &error))
            return failed(result, Step::Download, error);
        if (!file.flush() || ::fsync(file.handle()) != 0)
            return failed(result, Step::Download, QStringLiteral("cannot write ") + download);
    }
    if (actual != expected)
        return failed(result, Step::Checksum,
                      QStringLiteral("SHA-256 of ") + asset + QStringLiteral(" is ") + QString::fromLatin1(actual)
                          + QStringLiteral(", the release says ") + QString::fromLatin1(expected));

    const QString package = stage + QStringLiteral("/package");
    const QString program = package + QLatin1Char('/') + name;
    QDir().mkpath(package);
    if (name == Components::Deno) {
        if (!ComponentRelease::extractEntry(download, name, program, &error))
            return failed(result, Step::Unpack, error);
    } else if (!QFile::rename(download, program)) {
        return failed(result, Step::Install, QStringLiteral("cannot move ") + download);
    }
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                       | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    if (!smokeTest(program, release.version, &error))
        return failed(result, Step::SmokeTest, error);
    if (isCancelled())
        return failed(result, Step::Install, QStringLiteral("cancelled"));
    if (!ComponentStore::install(name, release.version, package, &error))
        return failed(result, Step::Install, error);
    result.outcome = Outcome::Updated;
    return result;
}

bool ComponentUpdater::fetchRelease(const QString &repo, Release *release, ComponentResult *result)
{
    QByteArray body;
    QString error;
    {
        QBuffer buffer(&body);
        buffer.open(QIODevice::WriteOnly);
        const QUrl url(m_options.apiBase + QStringLiteral("/repos/") + repo + QStringLiteral("/releases/latest"));
        if (!fetch(url, "application/vnd.github+json", &buffer, kMaxSmallFile, QString(), nullptr, &error)) {
            *result = failed(*result, Step::ReleaseInfo, error);
            return false;
        }
    }
    const QJsonObject json = QJsonDocument::fromJson(body).object();
    release->version = ComponentRelease::versionFromTag(json.value(QLatin1String("tag_name")).toString());
    if (release->version.isEmpty()) {
        *result = failed(*result, Step::ReleaseInfo, QStringLiteral("the release names no usable version"));
        return false;
    }
    const bool tlsOnly = QUrl(m_options.apiBase).scheme() == QLatin1String("https");
    const QJsonArray assets = json.value(QLatin1String("assets")).toArray();
    for (const QJsonValue &value : assets) {
        const QJsonObject asset = value.toObject();
        const QUrl url(asset.value(QLatin1String("browser_download_url")).toString());
        // Assets of a release read over TLS are fetched over TLS too.
        if (!url.isValid() || (tlsOnly && url.scheme() != QLatin1String("https")))
            continue;
        release->assets.insert(asset.value(QLatin1String("name")).toString(), url);
    }
    return true;
}

bool ComponentUpdater::fetchSmall(const Release &release, const QString &asset, QByteArray *body, QString *error)
{
    QBuffer buffer(body);
    buffer.open(QIODevice::WriteOnly);
    return fetch(release.assets.value(asset), QByteArray(), &buffer, kMaxSmallFile, QString(), nullptr, error);
}

bool ComponentUpdater::fetch(const QUrl &url, const QByteArray &accept, QIODevice *sink, qint64 maxBytes,
                             const QString &progressName, QByteArray *sha256, QString *error)
{
    if (isCancelled()) {
        *error = QStringLiteral("cancelled");
        return false;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray("Clipwright/" CLIPWRIGHT_VERSION));
    if (!accept.isEmpty())
        request.setRawHeader("Accept", accept);
    request.setTransferTimeout(kStallMs);

    QCryptographicHash hash(QCryptographicHash::Sha256);
    qint64 received = 0;
    QString problem;
    QNetworkReply *reply = m_network->get(request);
    const auto take = [&]() {
        if (!reply->isOpen())
            return;
        const QByteArray chunk = reply->readAll();
        if (chunk.isEmpty() || !problem.isEmpty())
            return;
        received += chunk.size();
        if (received > maxBytes) {
            problem = QStringLiteral("the file is larger than expected");
            reply->abort();
            return;
        }
        hash.addData(chunk);
        if (sink->write(chunk) != chunk.size()) {
            problem = QStringLiteral("cannot write the download");
            reply->abort();
        }
    };
    QEventLoop loop;
    connect(reply, &QNetworkReply::readyRead, &loop, take);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!progressName.isEmpty())
        connect(reply, &QNetworkReply::downloadProgress, this,
                [this, progressName](qint64 done, qint64 total) { emit progress(progressName, done, total); });
    QTimer cancelWatch;
    connect(&cancelWatch, &QTimer::timeout, &loop, [&]() {
        if (isCancelled()) {
            problem = QStringLiteral("cancelled");
            reply->abort();
        }
    });
    cancelWatch.start(100);
    if (!reply->isFinished())
        loop.exec();
    take();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // A connection closed early can end without an error of Qt's: the announced length decides.
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    if (problem.isEmpty() && reply->error() != QNetworkReply::NoError)
        problem = reply->errorString();
    else if (problem.isEmpty() && announced.isValid() && announced.toLongLong() != received)
        problem = QStringLiteral("the download ended after %1 of %2 bytes").arg(received).arg(announced.toLongLong());
    else if (problem.isEmpty() && status != 200)
        problem = QStringLiteral("HTTP status %1 for %2").arg(status).arg(url.toString());
    reply->deleteLater();
    if (!problem.isEmpty()) {
        *error = problem;
        return false;
    }
    if (sha256)
        *sha256 = hash.result().toHex();
    return true;
}

bool ComponentUpdater::verifySignature(const QString &sums, const QString &signature, const QString &home,
                                       QString *error)
{
    const QString gpgv = QStandardPaths::findExecutable(QStringLiteral("gpgv"));
    if (gpgv.isEmpty()) {
        *error = QStringLiteral("gpgv is not installed");
        return false;
    }
    const QFileInfo keyring(m_options.keyring);
    if (!keyring.isFile()) {
        *error = QStringLiteral("no release key at ") + m_options.keyring;
        return false;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    // Only the release key counts: no keyring of the user's is consulted.
    process.start(gpgv, {QStringLiteral("--homedir"), home, QStringLiteral("--keyring"), keyring.absoluteFilePath(),
                         signature, sums});
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(1000);
        *error = QStringLiteral("gpgv did not finish");
        return false;
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    const QStringList lines = QString::fromUtf8(process.readAll()).trimmed().split(QLatin1Char('\n'));
    *error = QStringLiteral("bad or unknown signature (") + lines.last().trimmed() + QLatin1Char(')');
    return false;
}

bool ComponentUpdater::smokeTest(const QString &program, const QString &version, QString *error)
{
    QProcess process;
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    process.start(program, {QStringLiteral("--version")}, QIODevice::ReadOnly);
    if (!process.waitForStarted(10000)) {
        *error = QStringLiteral("it does not start: ") + process.errorString();
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(100)) {
        if (clock.elapsed() > m_options.smokeTestTimeoutMs || isCancelled()) {
            process.kill();
            process.waitForFinished(2000);
            *error = QStringLiteral("no answer to --version within %1 s").arg(m_options.smokeTestTimeoutMs / 1000.0);
            return false;
        }
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = QStringLiteral("--version ended with exit code %1").arg(process.exitCode());
        return false;
    }
    const QString firstLine =
        QString::fromUtf8(process.readAllStandardOutput()).trimmed().section(QLatin1Char('\n'), 0, 0);
    // "2026.08.19" for yt-dlp, "deno 2.5.6 (stable, release, ...)" for deno.
    if (!firstLine.split(QLatin1Char(' '), Qt::SkipEmptyParts).contains(version)) {
        *error = QStringLiteral("--version printed \"") + firstLine + QStringLiteral("\", not ") + version;
        return false;
    }
    return true;
}

QList<ComponentResult> rollBackComponents()
{
    QList<ComponentResult> results;
    const ComponentStore::Lock lock;
    for (const QString &name : {Components::YtDlp, Components::Deno}) {
        ComponentResult result;
        result.name = name;
        result.oldVersion = Components::currentVersion(name);
        result.newVersion = Components::previousVersion(name);
        QString error = QStringLiteral("another update or roll-back is running");
        if (lock.isHeld() && ComponentStore::rollBack(name, &error))
            result.outcome = Outcome::Updated;
        else
            result = failed(result, Step::RollBack, error);
        results.append(result);
    }
    return results;
}

namespace ComponentRelease
{
QByteArray expectedSha256(const QByteArray &list, const QString &fileName)
{
    const auto isHash = [](const QByteArray &text) {
        if (text.size() != 64)
            return false;
        for (const char c : text)
            if (!isxdigit(static_cast<unsigned char>(c)))
                return false;
        return true;
    };
    const QList<QByteArray> lines = list.split('\n');
    QByteArray lone;
    int nonEmpty = 0;
    for (const QByteArray &raw : lines) {
        const QList<QByteArray> parts = raw.simplified().split(' ');
        if (parts.isEmpty() || parts.first().isEmpty())
            continue;
        ++nonEmpty;
        if (!isHash(parts.first()))
            continue;
        if (parts.size() == 1) {
            lone = parts.first().toLower();
            continue;
        }
        QByteArray name = parts.mid(1).join(' ');
        if (name.startsWith('*'))
            name.remove(0, 1);
        if (QString::fromUtf8(name) == fileName)
            return parts.first().toLower();
    }
    return nonEmpty == 1 ? lone : QByteArray();
}

QString versionFromTag(const QString &tag)
{
    QString version = tag.trimmed();
    if (version.size() > 1 && version.at(0) == QLatin1Char('v') && version.at(1).isDigit())
        version.remove(0, 1);
    return Components::isValidVersion(version) ? version : QString();
}

bool extractEntry(const QString &archivePath, const QString &entryName, const QString &target, QString *error)
{
    struct archive *reader = archive_read_new();
    archive_read_support_format_zip(reader);
    if (archive_read_open_filename(reader, QFile::encodeName(archivePath).constData(), 1 << 16) != ARCHIVE_OK) {
        *error = QString::fromUtf8(archive_error_string(reader));
        archive_read_free(reader);
        return false;
    }
    bool found = false;
    QString problem;
    struct archive_entry *entry = nullptr;
    int rc = ARCHIVE_OK;
    while (!found && (rc = archive_read_next_header(reader, &entry)) == ARCHIVE_OK) {
        QString path = QString::fromUtf8(archive_entry_pathname(entry));
        if (path.startsWith(QLatin1String("./")))
            path.remove(0, 2);
        // Only the one regular file is taken: no other path of the archive is ever written.
        if (path != entryName || archive_entry_filetype(entry) != AE_IFREG) {
            archive_read_data_skip(reader);
            continue;
        }
        found = true;
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            problem = out.errorString();
            break;
        }
        const void *block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        while ((rc = archive_read_data_block(reader, &block, &size, &offset)) == ARCHIVE_OK) {
            if (offset + qint64(size) > kMaxUnpacked) {
                problem = QStringLiteral("%1 unpacks larger than expected").arg(entryName);
                break;
            }
            if (!out.seek(offset) || out.write(static_cast<const char *>(block), qint64(size)) != qint64(size)) {
                problem = QStringLiteral("cannot write ") + target;
                break;
            }
        }
        if (problem.isEmpty() && rc != ARCHIVE_EOF)
            problem = QString::fromUtf8(archive_error_string(reader));
        if (problem.isEmpty() && (!out.flush() || ::fsync(out.handle()) != 0))
            problem = QStringLiteral("cannot write ") + target;
    }
    if (!found && problem.isEmpty())
        problem = rc == ARCHIVE_EOF ? QStringLiteral("the archive holds no ") + entryName
                                    : QString::fromUtf8(archive_error_string(reader));
    archive_read_free(reader);
    if (!problem.isEmpty()) {
        QFile::remove(target);
        *error = problem;
        return false;
    }
    return true;
}
} // namespace ComponentRelease
