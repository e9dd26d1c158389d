#include "queue/intake.h"

#include "engine/downloaddriver.h"
#include "queue/database.h"
#include "queue/downloaditem.h"
#include "queue/queuecontext.h"
#include "queue/scheduler.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSet>
#include <QUrl>
#include <QUrlQuery>
#include <QtDebug>

namespace Intake
{

const char *const SupportAddress = "support@kestrova.com";

namespace
{
const QString kMain = QStringLiteral("youtube.com");
const QString kShort = QStringLiteral("youtu.be");
const QString kMobile = QStringLiteral("m.youtube.com");

QString page(const char *text)
{
    return QCoreApplication::translate("DLManagerWidget", text);
}

bool startsWithAny(const QString &text, const QStringList &prefixes)
{
    for (const QString &p : prefixes)
        if (text.startsWith(p))
            return true;
    return false;
}

// Links carry no control characters; a line that does is not a link.
bool hasControlCharacters(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    return false;
}
} // namespace

const QStringList &supportedSites()
{
    static const QStringList sites{kMain,
                                   kShort,
                                   kMobile,
                                   QStringLiteral("vimeo.com"),
                                   QStringLiteral("twitter.com"),
                                   QStringLiteral("facebook.com"),
                                   QStringLiteral("instagram.com"),
                                   QStringLiteral("youku.com"),
                                   QStringLiteral("tudou.com"),
                                   QStringLiteral("pornhub.com"),
                                   QStringLiteral("xvideos.com"),
                                   QStringLiteral("xhamster.com"),
                                   QStringLiteral("xnxx.com"),
                                   QStringLiteral("tube8.com"),
                                   QStringLiteral("redtube.com"),
                                   QStringLiteral("youporn.com"),
                                   QStringLiteral("porntube.com"),
                                   QStringLiteral("motherless.com"),
                                   QStringLiteral("youjizz.com"),
                                   QStringLiteral("hardsextube.com"),
                                   QStringLiteral("pornotube.com"),
                                   QStringLiteral("yourporn.sexy"),
                                   QStringLiteral("porn.com"),
                                   QStringLiteral("watchbox.de")};
    return sites;
}

const QStringList &secondChanceSites()
{
    static const QStringList sites{QStringLiteral("tumblr.com"), QStringLiteral("facebook.com"), kMain};
    return sites;
}

QString schemePrefix(const QString &link)
{
    static const QStringList prefixes{QStringLiteral("www."), QStringLiteral("https://www."),
                                      QStringLiteral("https://"), QStringLiteral("http://www."),
                                      QStringLiteral("http://")};
    for (const QString &p : prefixes)
        if (link.startsWith(p))
            return p;
    return QString();
}

SiteCheck checkSite(const QString &link, bool acceptAnySite)
{
    const QString prefix = schemePrefix(link);
    if (prefix.isEmpty() || hasControlCharacters(link))
        return SiteCheck::NoLink;
    QString rest = link.mid(prefix.size());
    if (acceptAnySite || startsWithAny(rest, supportedSites()))
        return SiteCheck::Accepted;
    const int dot = rest.indexOf(QLatin1Char('.'));
    if (dot > 0 && startsWithAny(rest.mid(dot + 1), secondChanceSites()))
        return SiteCheck::Accepted;
    return SiteCheck::Unsupported;
}

ClipOrPlaylist youtubeChoice(const QString &link)
{
    static const QStringList prefixes{QStringLiteral("www.") + kMain, QStringLiteral("https://www.") + kMain,
                                      QStringLiteral("https://") + kMain, QStringLiteral("https://") + kShort,
                                      QStringLiteral("https://") + kMobile};
    ClipOrPlaylist choice;
    if (!startsWithAny(link, prefixes))
        return choice;
    const QUrl url(link);
    QUrlQuery query(url);
    if (!query.hasQueryItem(QStringLiteral("list")))
        return choice;
    if (query.hasQueryItem(QStringLiteral("v"))) {
        query.removeAllQueryItems(QStringLiteral("index"));
        query.removeAllQueryItems(QStringLiteral("t"));
        QUrlQuery clipQuery = query, playlistQuery = query;
        clipQuery.removeAllQueryItems(QStringLiteral("list"));
        playlistQuery.removeAllQueryItems(QStringLiteral("v"));
        QUrl clip = url, playlist = url;
        clip.setQuery(clipQuery);
        playlist.setQuery(playlistQuery);
        choice = {true, clip.toString(), playlist.toString()};
    } else {
        const auto items = query.queryItems();
        const bool onlyList = items.size() == 1 && items.first().first.trimmed().toLower() == QLatin1String("list");
        if (!onlyList || !link.contains(QStringLiteral("https://") + kShort + QLatin1Char('/'))
            || link.toLower().contains(QLatin1String("playlist")))
            return choice;
        QUrl clip = url;
        clip.setQuery(QString());
        const QString clipText = clip.toString();
        if (clipText.toLower().endsWith(QLatin1String("playlist")))
            return choice;
        choice = {true, clipText,
                  QStringLiteral("https://") + kShort + QStringLiteral("/playlist?list=")
                      + query.queryItemValue(QStringLiteral("list")).trimmed()};
    }
    qDebug() << "tmpstr1=" << choice.clip;
    qDebug() << "tmpstr2=" << choice.playlist;
    return choice;
}

QStringList splitPastedText(const QString &text)
{
    QStringList parts = text.split(QStringLiteral("\n\r"), Qt::SkipEmptyParts);
    if (parts.size() < 2)
        parts = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList links;
    QSet<QString> seen;
    for (const QString &raw : qAsConst(parts)) {
        const QString part = raw.trimmed();
        if (part.isEmpty() || seen.contains(part))
            continue;
        seen.insert(part);
        if (part.startsWith(QLatin1String("http")) || part.startsWith(QLatin1String("www")))
            links << part;
    }
    return links;
}

QString rateTextForIndex(int speedIndex)
{
    switch (speedIndex) {
    case 0:
        return QString();
    case 1:
        return QStringLiteral("8M");
    case 2:
        return QStringLiteral("4M");
    case 3:
        return QStringLiteral("2M");
    default:
        return QStringLiteral("1M");
    }
}

} // namespace Intake

LinkIntake::LinkIntake(QueueContext *context, DownloadQueue *queue, QObject *parent)
    : QObject(parent), m_context(context), m_queue(queue)
{
    m_pasteTimer.setInterval(5);
    connect(&m_pasteTimer, &QTimer::timeout, this, &LinkIntake::pastetimer_slots);
}

void LinkIntake::pasteURLButton_slots()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    pasteText(clipboard ? clipboard->text() : QString());
}

void LinkIntake::pasteText(const QString &raw)
{
    const QString text = raw.trimmed();
    if (text.isEmpty()) {
        m_context->message(Intake::page("No Links in Clipboard. Please copy a link from the browser."),
                           {Intake::page("Close")});
        return;
    }
    m_pending.clear();
    if (!text.contains(QLatin1Char('\n'))) {
        if (addLink(text))
            m_queue->analysisPass();
        return;
    }
    m_pending = withoutDuplicates(Intake::splitPastedText(text));
    m_pendingIndex = 0;
    m_pasteTimer.start();
    m_context->showLoading(true, QString());
}

void LinkIntake::pastetimer_slots()
{
    if (!m_pasteLock.tryLockForWrite())
        return;
    if (m_pendingIndex >= m_pending.size()) {
        m_pasteTimer.stop();
        m_pasteLock.unlock();
        m_pendingIndex = 0;
        m_pending.clear();
        m_context->showLoading(false, QString());
        m_queue->analysisPass();
        return;
    }
    const QString link = m_pending.at(m_pendingIndex).trimmed();
    ++m_pendingIndex;
    m_context->showLoading(true, Intake::page("Loading...") + QString::number(m_pendingIndex) + QStringLiteral(" / ")
                                     + QString::number(m_pending.size()));
    addLink(link, false); // the batch was asked about as a whole
    m_pasteLock.unlock();
}

namespace
{
// At most a few links in a message; the dialog is small.
QString listed(const QStringList &links)
{
    constexpr int kShown = 5;
    QString text;
    for (int i = 0; i < links.size() && i < kShown; ++i)
        text += QLatin1Char('\n') + links.at(i);
    if (links.size() > kShown)
        text += QLatin1Char('\n') + Intake::page("... and %1 more").arg(links.size() - kShown);
    return text;
}

QString downloadedQuestion(const FinishedMatch &match)
{
    return match.date.isEmpty()
               ? Intake::page("This video was already downloaded to %1. Download it again?").arg(match.path)
               : Intake::page("This video was already downloaded on %1 to %2. Download it again?")
                     .arg(match.date, match.path);
}
} // namespace

bool LinkIntake::isQueued(const QString &link) const
{
    for (const DLItemData *item : m_queue->items())
        if (item->record().url == link)
            return true;
    return false;
}

QStringList LinkIntake::withoutDuplicates(const QStringList &links)
{
    QStringList queued, downloaded, kept;
    for (const QString &link : links) {
        if (isQueued(link))
            queued << link;
        else if (m_context->finishedDownloadOf(link).found)
            downloaded << link;
        else
            kept << link;
    }
    if (!queued.isEmpty())
        m_context->message(Intake::page("These links are already in the queue:") + listed(queued),
                           {Intake::page("Close")});
    if (!downloaded.isEmpty()) {
        const int answer = m_context->message(Intake::page("These videos were already downloaded:") + listed(downloaded)
                                                  + QLatin1Char('\n') + Intake::page("Download them again?"),
                                              {Intake::page("Yes"), Intake::page("No")});
        if (answer == 0) {
            kept.clear(); // in the order pasted
            for (const QString &link : links)
                if (!queued.contains(link))
                    kept << link;
        }
    }
    return kept;
}

bool LinkIntake::addLink(const QString &text, bool askIfDownloaded)
{
    QString link = text.trimmed();
    const Intake::ClipOrPlaylist choice = Intake::youtubeChoice(link);
    if (choice.ask)
        link = m_context->askClipOrPlaylist(choice.clip, choice.playlist) == 0 ? choice.clip : choice.playlist;
    switch (Intake::checkSite(link, acceptAnySite)) {
    case Intake::SiteCheck::NoLink:
        m_context->message(Intake::page("No Links in Clipboard. Please copy a link from the browser."),
                           {Intake::page("Close")});
        return false;
    case Intake::SiteCheck::Unsupported:
        m_context->message(Intake::page("This URL can't be supported.  Please send the URL to ")
                               + QLatin1String(Intake::SupportAddress)
                               + Intake::page(",  our developer team will solve the problem ASAP."),
                           {Intake::page("Close")});
        return false;
    case Intake::SiteCheck::Accepted:
        break;
    }
    setRateLimitText(Intake::rateTextForIndex(m_context->speedIndex()));
    if (m_queue->hasAnalysingLink(link)) {
        m_context->message(Intake::page("The link is analyzing or downloading now, Please wait the process finished."),
                           {Intake::page("Yes")});
        return false;
    }
    if (isQueued(link)) {
        m_context->message(Intake::page("This link is already in the queue."), {Intake::page("Close")});
        return false;
    }
    if (askIfDownloaded) {
        const FinishedMatch match = m_context->finishedDownloadOf(link);
        if (match.found
            && m_context->message(downloadedQuestion(match), {Intake::page("Yes"), Intake::page("No")}) != 0)
            return false;
    }
    // The row is stored before the item exists: adding it may start its analysis at once,
    // and a cached playlist opens its chooser right there, whose close removes the item
    // (and this row) before addNewLink() returns.
    if (DBManagerThread *db = m_context->database())
        db->insertLink(link);
    m_queue->addNewLink(link);
    m_context->refreshTotals();
    emit linkAccepted();
    return true;
}

bool LinkIntake::addItem(const DownloadRecord &record)
{
    m_queue->addRestoredItem(record);
    m_context->refreshTotals();
    emit linkAccepted();
    return true;
}
