#pragma once
// Brings the downloader components (yt-dlp and the JavaScript runtime deno) up to date
// from their latest GitHub releases. A new version goes in only when every step holds:
// yt-dlp's checksum list carries a good signature by yt-dlp's release key (checked with
// gpgv) and names the asset's SHA-256; deno's zip matches its .sha256sum; the new
// executable prints its version within the smoke-test time; then the switch is one
// rename. Anything short of that leaves the version in use untouched and says which
// step failed. Downloads go into a hidden staging folder that vanishes with a failure.
//
// The updater blocks and runs its own event loop for the network, so it serves the
// command line directly and the settings dialog from a worker thread
// (ComponentUpdateTask).

#include <QList>
#include <QNetworkProxy>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QIODevice;
class QNetworkAccessManager;
class QUrl;

struct ComponentResult {
    // HeldBack: the latest release is the one the user rolled back from.
    enum class Outcome { UpToDate, Updated, HeldBack, Failed };
    enum class Step { None, ReleaseInfo, Download, Checksum, Signature, Unpack, SmokeTest, Install, RollBack };
    QString name;
    Outcome outcome = Outcome::Failed;
    Step failedStep = Step::None;
    QString oldVersion; // in use before the update ("" when none was installed)
    QString newVersion; // the latest release's
    QString detail;     // why the step failed
    bool ok() const
    {
        return outcome != Outcome::Failed;
    }
};

// The command line's words for a failed step ("signature check").
QString stepName(ComponentResult::Step step);
// One line per component: "yt-dlp: updated 2025.10.22 -> 2026.08.19".
QString resultLine(const ComponentResult &result);

struct ComponentUpdaterOptions {
    QString apiBase;
    QString keyring;
    QString architecture;
    QNetworkProxy proxy{QNetworkProxy::NoProxy};
    int smokeTestTimeoutMs = 30000;
    // Set from any thread to stop at the next chance; the version in use stays.
    std::shared_ptr<std::atomic_bool> cancelled = std::make_shared<std::atomic_bool>(false);

    // The API base from CLIPWRIGHT_GITHUB_API (else https://api.github.com), the keyring from
    // CLIPWRIGHT_COMPONENTS_KEYRING (else the one shipped beside the program), this
    // machine's architecture and the user's proxy.
    static ComponentUpdaterOptions fromEnvironment();
};

class ComponentUpdater : public QObject
{
    Q_OBJECT
public:
    explicit ComponentUpdater(const ComponentUpdaterOptions &options, QObject *parent = nullptr);
    ~ComponentUpdater() override;

    // yt-dlp, then deno, under the components' lock.
    QList<ComponentResult> updateAll();
    // One component; the caller holds the lock.
    ComponentResult update(const QString &name);

    // The release asset for this machine, or "" when the component has no build for it.
    static QString assetName(const QString &component, const QString &architecture);

signals:
    // The running download of a component's asset; total is -1 while unknown.
    void progress(const QString &component, qint64 received, qint64 total);

private:
    struct Release;
    bool fetchRelease(const QString &repo, Release *release, ComponentResult *result);
    // GET into sink (at most maxBytes); false with a reason on any failure.
    bool fetch(const QUrl &url, const QByteArray &accept, QIODevice *sink, qint64 maxBytes, const QString &progressName,
               QByteArray *sha256, QString *error);
    bool fetchSmall(const Release &release, const QString &asset, QByteArray *body, QString *error);
    bool verifySignature(const QString &sums, const QString &signature, const QString &home, QString *error);
    bool smokeTest(const QString &program, const QString &version, QString *error);
    bool isCancelled() const;

    ComponentUpdaterOptions m_options;
    QNetworkAccessManager *m_network = nullptr;
};

// Switches each component back to its previous version, under the components' lock. A
// component without a previous version fails at the roll-back step and stays as it is.
QList<ComponentResult> rollBackComponents();

// Pure helpers, exposed for tests.
namespace ComponentRelease
{
// The SHA-256 a checksum list gives for the file ("HEX  NAME" lines, or a lone "HEX"), lower case.
QByteArray expectedSha256(const QByteArray &list, const QString &fileName);
// "v2.5.6" -> "2.5.6"; "" when the tag is no usable version name.
QString versionFromTag(const QString &tag);
// Unpacks the one regular file named entryName from a zip archive into target.
bool extractEntry(const QString &archive, const QString &entryName, const QString &target, QString *error);
} // namespace ComponentRelease
