#include "views/downloadlist.h"

#include "app/appenv.h"
#include "app/format.h"
#include "app/settings.h"
#include "app/shellservices.h"
#include "platform/platform.h"
#include "queue/downloaditem.h"
#include "queue/scheduler.h"
#include "views/rowparts.h"
#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QtDebug>

QString formatSpeed(qint64 bytes)
{
    if (bytes <= 0)
        return QStringLiteral("--");
    const double v = double(bytes);
    if (v / 1024 / 1024 / 1024 > 1.0)
        return QString::number(v / 1024 / 1024 / 1024, 'f', 2) + QStringLiteral("GB/s");
    if (v / 1024 / 1024 > 1.0)
        return QString::number(v / 1024 / 1024, 'f', 2) + QStringLiteral("MB/s");
    return QString::number(v / 1024, 'f', 2) + QStringLiteral("KB/s");
}

// --- row ------------------------------------------------------------------------------

DLItemWidget::DLItemWidget(QWidget *parent)
    : MyTableItemWidget(parent), m_frame(new QWidget(this)), m_fill(new QWidget(m_frame)),
      m_thumbBorder(new QLabel(this)), m_thumb(new QLabel(this)), m_title(new QLabel(this)), m_link(new QLabel(this)),
      m_info(new QWidget(this)), m_status(new QLabel(this)), m_right(new QWidget(this)),
      m_delete(RowParts::button(m_right, Sprites::RowDelete)), m_pause(RowParts::button(m_right, Sprites::RowPause)),
      m_resume(RowParts::button(m_right, Sprites::RowResume)),
      m_redownload(RowParts::button(m_right, Sprites::RowRedownload)),
      m_open(RowParts::button(m_right, Sprites::RowOpen)), m_waiting(new QLabel(m_right)),
      m_spinner(new QLabel(m_right)),
      m_movie(new QMovie(QStringLiteral(":/images/small_loadimg2.gif"), QByteArray(), this)), m_menu(new QMenu(this))
{
    m_frame->setAttribute(Qt::WA_StyledBackground, true);
    m_frame->setObjectName(QStringLiteral("rowFrame"));
    QPalette fill = m_fill->palette();
    fill.setColor(QPalette::Window, QColor(196, 252, 166, 180));
    m_fill->setPalette(fill);
    m_fill->setAutoFillBackground(true);
    m_thumbBorder->setStyleSheet(QStringLiteral("QLabel{background-color:#e9eaeb;}"));
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < 4; ++i) {
        m_infoCaptions[i] = new QLabel(m_info);
        m_infoValues[i] = new QLabel(m_info);
    }
    m_waiting->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_spinner->setMovie(m_movie);
    m_spinner->setScaledContents(true);

    m_copyAction = m_menu->addAction(QString());
    m_removeAction = m_menu->addAction(QString());
    m_pauseAction = m_menu->addAction(QString());
    m_resumeAction = m_menu->addAction(QString());
    m_removeAllAction = m_menu->addAction(QString());
    m_pauseAllAction = m_menu->addAction(QString());
    m_resumeAllAction = m_menu->addAction(QString());
    RowParts::setSheet(m_menu, RowParts::menuStyle());

    connect(m_delete, &MyPushButton::clicked, this, &DLItemWidget::deleteButton_slots);
    connect(m_redownload, &MyPushButton::clicked, this, &DLItemWidget::redownloadButton_slots);
    connect(m_open, &MyPushButton::clicked, this, &DLItemWidget::openButton_slots);
    connect(m_pause, &MyPushButton::clicked, this, &DLItemWidget::pausedownloadButton_slots);
    connect(m_resume, &MyPushButton::clicked, this, &DLItemWidget::resumedownloadButton_slots);
    connect(m_copyAction, &QAction::triggered, this, &DLItemWidget::copyurlAction_slots);
    connect(m_removeAction, &QAction::triggered, this, &DLItemWidget::removeAction_slots);
    connect(m_pauseAction, &QAction::triggered, this, &DLItemWidget::pauseAction_slots);
    connect(m_resumeAction, &QAction::triggered, this, &DLItemWidget::resumeAction_slots);
    connect(m_removeAllAction, &QAction::triggered, this, &DLItemWidget::removeAllAction_slots);
    connect(m_pauseAllAction, &QAction::triggered, this, &DLItemWidget::pauseAllAction_slots);
    connect(m_resumeAllAction, &QAction::triggered, this, &DLItemWidget::resumeAllAction_slots);
    connect(m_status, &QLabel::linkActivated, this, &DLItemWidget::updateDownloaderLink_slots);
    setHighlighted(false);
    retranslate();
}

void DLItemWidget::retranslate()
{
    static const char *const captions[4] = {QT_TR_NOOP("Resolution:"), QT_TR_NOOP("Duration:"), QT_TR_NOOP("Format:"),
                                            QT_TR_NOOP("Size:")};
    for (int i = 0; i < 4; ++i)
        m_infoCaptions[i]->setText(tr(captions[i]));
    m_copyAction->setText(tr("Copy URL"));
    m_removeAction->setText(tr("Remove"));
    m_pauseAction->setText(tr("Pause"));
    m_resumeAction->setText(tr("Resume"));
    m_removeAllAction->setText(tr("Remove All"));
    m_pauseAllAction->setText(tr("Pause All"));
    m_resumeAllAction->setText(tr("Resume All"));
}

void DLItemWidget::clearData()
{
    m_item = nullptr;
    m_movie->stop();
}

void DLItemWidget::setHighlighted(bool on)
{
    m_highlighted = on;
    RowParts::setSheet(m_frame, RowParts::frameStyle(on));
}

void DLItemWidget::resizeEvent(QResizeEvent *event)
{
    MyTableItemWidget::resizeEvent(event);
    layoutRow();
    if (m_item)
        refreshProgress();
}

void DLItemWidget::layoutRow()
{
    const int w = width(), h = height();
    const int top = scaled(5);
    m_frame->setGeometry(0, top, w, h - top);
    const QSize thumb(scaled(84), scaled(70));
    const int thumbY = top + (h - top - thumb.height()) / 2;
    m_thumb->setGeometry(scaled(10), thumbY, thumb.width(), thumb.height());
    m_thumbBorder->setGeometry(scaled(10) - 1, thumbY - 1, thumb.width() + 2, thumb.height() + 2);
    const int left = scaled(10) + thumb.width() + scaled(20);
    const int textWidth = qMin(scaled(580), qMax(0, w - left - scaled(185)));
    // Title, link, details and status line each get a band of their own, so no two lines
    // of text ever share pixels at any scale.
    m_title->setGeometry(left, top + scaled(5), textWidth, scaled(20));
    m_link->setGeometry(left, m_title->geometry().bottom() + 1, textWidth, scaled(15));
    m_info->setGeometry(left, m_link->geometry().bottom() + scaled(2), textWidth, scaled(20));
    m_right->setGeometry(w - scaled(180), 0, scaled(170), h);
    const int pw = m_right->width();
    auto centred = [h](QWidget *wid, int x, int size) { wid->setGeometry(x, (h - size) / 2 + 2, size, size); };
    m_waiting->setGeometry(0, (h - scaled(20)) / 2, scaled(100), scaled(20));
    centred(m_spinner, pw - scaled(90), scaled(20));
    centred(m_redownload, pw - scaled(70), scaled(30));
    centred(m_open, pw - scaled(70), scaled(30));
    centred(m_pause, pw - scaled(60), scaled(20));
    centred(m_resume, pw - scaled(60), scaled(20));
    centred(m_delete, pw - scaled(30), scaled(20));
    RowParts::setSheet(m_menu, RowParts::menuStyle());
}

void DLItemWidget::placeStatus(bool underTitle)
{
    // Under the title means under the link line when a stored title shows that line too.
    const QRect anchor = !underTitle                 ? m_info->geometry()
                         : m_link->isVisibleTo(this) ? m_link->geometry()
                                                     : m_title->geometry();
    m_status->setGeometry(anchor.x(), anchor.bottom() + 1, m_title->width() + scaled(60), scaled(20));
}

void DLItemWidget::setStatusStyle(int size, const char *colour)
{
    RowParts::setSheet(m_status, RowParts::labelStyle(size, colour));
}

void DLItemWidget::refreshStatus()
{
    for (QWidget *wid :
         {static_cast<QWidget *>(m_link), m_info, static_cast<QWidget *>(m_status), static_cast<QWidget *>(m_waiting),
          static_cast<QWidget *>(m_spinner), static_cast<QWidget *>(m_redownload), static_cast<QWidget *>(m_open),
          static_cast<QWidget *>(m_pause), static_cast<QWidget *>(m_resume)})
        wid->hide();
    m_movie->stop();
    m_delete->show();
    for (QAction *a : {m_copyAction, m_removeAction, m_removeAllAction, m_pauseAllAction, m_resumeAllAction})
        a->setVisible(true);
    m_pauseAction->setVisible(false);
    m_resumeAction->setVisible(false);
    if (!m_item)
        return;

    const DownloadRecord &r = m_item->record();
    if (r.thumb != m_thumbPath || m_thumb->pixmap(Qt::ReturnByValue).isNull()) {
        m_thumbPath = r.thumb;
        m_thumb->setPixmap(RowParts::thumbnail(r.thumb, m_thumb->size()));
    }
    const QString title = r.name.isEmpty() ? r.url : r.name;
    RowParts::setSheet(m_title, RowParts::labelStyle(12, "px;color:#333333;}"));
    m_title->setText(m_title->fontMetrics().elidedText(title, Qt::ElideRight, m_title->width()));
    m_title->setToolTip(title);
    RowParts::setSheet(m_link, RowParts::labelStyle(10, "px;color:#888888;}"));
    m_link->setText(m_link->fontMetrics().elidedText(r.url, Qt::ElideMiddle, m_link->width()));
    m_link->setVisible(r.url != title);

    auto showSpinner = [this]() {
        m_spinner->show();
        m_movie->setScaledSize(m_spinner->size());
        m_movie->start();
    };
    auto waiting = [this](const QString &text) {
        m_waiting->setText(text);
        RowParts::setSheet(m_waiting, RowParts::labelStyle(11, "px;color:#333333;}"));
        m_waiting->show();
    };
    auto status = [this](const QString &text, bool underTitle, const char *colour) {
        placeStatus(underTitle);
        setStatusStyle(12, colour);
        m_status->setTextFormat(Qt::PlainText);
        m_status->setText(text);
        m_status->show();
    };
    switch (m_item->state()) {
    case ItemState::WaitingToAnalyze:
        waiting(tr("Waiting..."));
        break;
    case ItemState::Analyzing:
        showSpinner();
        status(tr("Analyzing..."), true, "px;color:#484848;}");
        break;
    case ItemState::Analyzed:
        showSpinner();
        m_info->show();
        break;
    case ItemState::Downloading:
        showSpinner();
        m_info->show();
        m_pause->show();
        m_pauseAction->setVisible(true);
        status(tr("Downloading..."), false, "px;color:#484848;}");
        break;
    case ItemState::Succeeded:
        m_open->show();
        m_info->show();
        status(tr("Download success."), false, "px;color:#484848;}");
        break;
    case ItemState::AnalyzeFailed: {
        m_redownload->show();
        const QString reason = failureText(m_item->failure());
        QString text = reason.isEmpty() ? tr("Analyzing Failed.") : tr("Analyzing Failed: %1.").arg(reason);
        if (m_item->failureReason() == FailureReason::RateLimited)
            text += countdownText(m_item->analysisCountdown());
        status(text, true, "px;color:#FF6000;}");
        offerDownloaderUpdate();
        break;
    }
    case ItemState::DownloadFailed: {
        m_redownload->show();
        m_info->show();
        const QString reason = failureText(m_item->failure());
        QString text = reason.isEmpty() ? tr("Download Failed.") : tr("Download Failed: %1.").arg(reason);
        text += countdownText(m_item->downloadCountdown());
        status(text, false, "px;color:#FF6000;}");
        offerDownloaderUpdate();
        break;
    }
    case ItemState::WaitingToDownload:
        m_info->show();
        waiting(tr("Waiting..."));
        if (!m_item->spaceShortFolder().isEmpty())
            status(tr("Not enough disk space in %1").arg(m_item->spaceShortFolder()), false, "px;color:#FF6000;}");
        break;
    case ItemState::Paused:
        m_resume->show();
        m_resumeAction->setVisible(true);
        m_info->show();
        status(tr("Paused..."), false, "px;color:#484848;}");
        break;
    case ItemState::ListingEntries:
        m_delete->hide();
        for (QAction *a : m_menu->actions())
            a->setVisible(false);
        status(tr("Analyzing..."), true, "px;color:#484848;}");
        break;
    case ItemState::Stopped:
        break;
    }
}

QString DLItemWidget::countdownText(int seconds) const
{
    if (!Settings::readSwitch(Settings::Key::AutoReDownload) || seconds <= 0)
        return QString();
    // Waits of minutes (a site that asks to slow down) read in minutes.
    if (seconds > 60)
        return tr(" Automatically re-download after %1 minutes. ").arg((seconds + 59) / 60);
    return tr(" Automatically re-download after ") + QString::number(seconds) + tr(" seconds. ");
}

void DLItemWidget::offerDownloaderUpdate()
{
    const ShellServices *shell = shellServices();
    if (!shell || !shell->offersDownloaderUpdate() || m_item->failureReason() != FailureReason::OutdatedDownloader)
        return;
    m_status->setTextFormat(Qt::RichText);
    m_status->setText(m_status->text().toHtmlEscaped() + QStringLiteral(" <a href=\"update\" style=\"color:#0396eb;\">")
                      + tr("Update the downloader").toHtmlEscaped() + QStringLiteral("</a>"));
}

void DLItemWidget::updateDownloaderLink_slots()
{
    if (ShellServices *shell = shellServices())
        shell->updateDownloader();
}

void DLItemWidget::refreshInfo()
{
    if (!m_item)
        return;
    const DownloadRecord &r = m_item->record();
    m_shownSize = m_item->totalSize();
    const QString size = formatSize(m_shownSize);
    const QString values[4] = {r.frame.isEmpty() || r.frame == QLatin1String("0x0") ? QStringLiteral("--") : r.frame,
                               r.duration.isEmpty() || r.duration == QLatin1String("00:00") ? QStringLiteral("--")
                                                                                            : r.duration,
                               r.extformat.isEmpty() ? QStringLiteral("--") : r.extformat,
                               size.trimmed().isEmpty() ? QStringLiteral("--") : size.trimmed()};
    int x = 0;
    for (int i = 0; i < 4; ++i) {
        RowParts::setSheet(m_infoCaptions[i], RowParts::labelStyle(12, "px;color:#888888;}"));
        RowParts::setSheet(m_infoValues[i], RowParts::labelStyle(12, "px;color:#666666;}"));
        m_infoValues[i]->setText(values[i]);
        m_infoCaptions[i]->adjustSize();
        m_infoValues[i]->adjustSize();
        m_infoCaptions[i]->move(x, 0);
        x += m_infoCaptions[i]->width() + scaled(4);
        m_infoValues[i]->move(x, 0);
        x += m_infoValues[i]->width() + scaled(18);
    }
}

void DLItemWidget::refreshProgress()
{
    if (!m_item)
        return;
    const int p = qBound(0, m_item->currentProgress(), 10000);
    const int w = qBound(0, int(qint64(width()) * p / 10000) - 2, width());
    m_fill->setGeometry(1, 1, w, qMax(0, m_frame->height() - 2));
    m_fill->setVisible(w > 0);
    if (m_item->state() != ItemState::Downloading)
        return;
    const qint64 total = m_item->totalSize();
    if (total != m_shownSize)
        refreshInfo();
    QString text = tr("Downloading...") + QStringLiteral("    ") + tr("Completed: ")
                   + QString::asprintf("%02d.%02d", p / 100, p % 100) + QStringLiteral("%  ")
                   + formatSize(total * p / 10000).trimmed() + QStringLiteral(" / ") + formatSize(total).trimmed()
                   + QStringLiteral("   ") + m_item->speedText() + QStringLiteral(" ");
    if (!m_item->remainingTimeText().isEmpty())
        text += tr(" Remaining: ") + m_item->remainingTimeText();
    m_status->setText(text);
}

QString DLItemWidget::titleText() const
{
    return m_title->toolTip();
}

QString DLItemWidget::linkText() const
{
    return m_link->isVisibleTo(this) ? m_item->record().url : QString();
}

QString DLItemWidget::statusText() const
{
    return m_status->isVisibleTo(this) ? m_status->text() : QString();
}

QString DLItemWidget::waitingText() const
{
    return m_waiting->isVisibleTo(this) ? m_waiting->text() : QString();
}

bool DLItemWidget::isButtonShown(const QString &name) const
{
    const QHash<QString, QWidget *> buttons{
        {QStringLiteral("delete"), m_delete}, {QStringLiteral("pause"), m_pause},
        {QStringLiteral("resume"), m_resume}, {QStringLiteral("redownload"), m_redownload},
        {QStringLiteral("open"), m_open},     {QStringLiteral("spinner"), m_spinner}};
    QWidget *w = buttons.value(name);
    return w && w->isVisibleTo(this);
}

QMap<QString, QRect> DLItemWidget::visibleParts() const
{
    const QMap<QString, QWidget *> parts{
        {QStringLiteral("thumbnail"), m_thumb}, {QStringLiteral("title"), m_title},
        {QStringLiteral("link"), m_link},       {QStringLiteral("details"), m_info},
        {QStringLiteral("status"), m_status},   {QStringLiteral("waiting"), m_waiting},
        {QStringLiteral("spinner"), m_spinner}, {QStringLiteral("pause"), m_pause},
        {QStringLiteral("resume"), m_resume},   {QStringLiteral("redownload"), m_redownload},
        {QStringLiteral("open"), m_open},       {QStringLiteral("delete"), m_delete}};
    QMap<QString, QRect> shown;
    for (auto it = parts.cbegin(); it != parts.cend(); ++it)
        if (it.value()->isVisibleTo(this))
            shown.insert(it.key(), QRect(it.value()->mapTo(this, QPoint(0, 0)), it.value()->size()));
    return shown;
}

QList<QAction *> DLItemWidget::menuActions() const
{
    QList<QAction *> visible;
    for (QAction *a : m_menu->actions())
        if (a->isVisible())
            visible << a;
    return visible;
}

QString DLItemWidget::sizeText() const
{
    return m_infoValues[3]->text();
}

int DLItemWidget::progressFillWidth() const
{
    return m_fill->isVisibleTo(this) ? m_fill->width() : 0;
}

void DLItemWidget::mouseReleaseEvent(QMouseEvent *event)
{
    MyTableItemWidget::mouseReleaseEvent(event);
    emit clickeditem(this);
}

void DLItemWidget::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_item || menuActions().isEmpty())
        return;
    m_menu->popup(event->globalPos());
}

void DLItemWidget::deleteButton_slots()
{
    emit deleteitem(this);
}

void DLItemWidget::redownloadButton_slots()
{
    if (m_item)
        m_item->retry();
}

void DLItemWidget::openButton_slots()
{
    if (m_item && !m_item->record().finishfilename.isEmpty())
        Platform::openFile(m_item->record().finishfilename);
}

void DLItemWidget::pausedownloadButton_slots()
{
    if (m_item)
        m_item->pause();
}

void DLItemWidget::resumedownloadButton_slots()
{
    if (m_item)
        m_item->resume();
}

void DLItemWidget::copyurlAction_slots()
{
    if (m_item)
        QGuiApplication::clipboard()->setText(m_item->record().url);
}

void DLItemWidget::removeAction_slots()
{
    emit deleteitem(this);
}

void DLItemWidget::pauseAction_slots()
{
    pausedownloadButton_slots();
}

void DLItemWidget::resumeAction_slots()
{
    resumedownloadButton_slots();
}

void DLItemWidget::removeAllAction_slots()
{
    emit signal_removeAllAction();
}

void DLItemWidget::pauseAllAction_slots()
{
    emit signal_pauseAllAction();
}

void DLItemWidget::resumeAllAction_slots()
{
    emit signal_resumeAllAction();
}

// --- list -----------------------------------------------------------------------------

DLListWidget::DLListWidget(DownloadQueue *queue, QWidget *parent)
    : MyTableListWidget(parent), m_queue(queue), m_empty(new EmptyView(QStringLiteral(":/images/pc.png"), this))
{
    setRowHeight(scaled(90));
    connect(this, &MyTableListWidget::loadDataSingal, this, &DLListWidget::myTableListWidget_loadDataSingal);
    connect(queue, &DownloadQueue::itemAdded, this, &DLListWidget::itemAdded);
    connect(queue, &DownloadQueue::itemsAdded, this, &DLListWidget::itemsAdded);
    connect(queue, &DownloadQueue::itemRemoved, this, &DLListWidget::itemRemoved);
    connect(queue, &DownloadQueue::itemChanged, this, &DLListWidget::DLItemUpdateShow_slots);
    connect(queue, &DownloadQueue::itemProgress, this, &DLListWidget::DLItemUpdateProgress_slots);
    connect(queue, &DownloadQueue::emptied, this, [this]() { showEmptyView(true); });
    retranslate();
    showEmptyView(true);
}

void DLListWidget::retranslate()
{
    m_empty->setHint(tr("No item is downloading, Please paste a link to start downloading."));
    for (MyTableItemWidget *row : rows())
        if (auto *r = qobject_cast<DLItemWidget *>(row)) {
            r->retranslate();
            if (r->item()) {
                r->refreshStatus();
                r->refreshInfo();
                r->refreshProgress();
            }
        }
}

void DLListWidget::makePool()
{
    if (m_poolMade)
        return;
    m_poolMade = true;
    for (int i = 0; i < kPoolSize; ++i) {
        auto *row = new DLItemWidget;
        row->setGeometry(scaled(10), -scaled(180), width() - scaled(20), scaled(90));
        row->layoutRow();
        connect(row, &DLItemWidget::deleteitem, this, &DLListWidget::DLItemDeleted_slots);
        connect(row, &DLItemWidget::clickeditem, this, &DLListWidget::DLItemClicked_slots);
        connect(row, &DLItemWidget::signal_removeAllAction, m_queue, &DownloadQueue::DLItemRemoveAllItem_slots);
        connect(row, &DLItemWidget::signal_pauseAllAction, m_queue, &DownloadQueue::DLItempauseAllItem_slots);
        connect(row, &DLItemWidget::signal_resumeAllAction, m_queue, &DownloadQueue::DLItemresumeAllItem_slots);
        addRow(row);
    }
}

void DLListWidget::itemAdded(DLItemData *item)
{
    makePool();
    showEmptyView(false);
    appendItem(item);
    emit totalsChanged();
}

void DLListWidget::itemsAdded(const QList<DLItemData *> &items)
{
    makePool();
    showEmptyView(false);
    QList<void *> added;
    added.reserve(items.size());
    for (DLItemData *item : items)
        added << item;
    appendItems(added);
    emit totalsChanged();
}

void DLListWidget::itemRemoved(DLItemData *item)
{
    if (DLItemWidget *row = rowFor(item))
        row->setHighlighted(false);
    item->boundRow = nullptr;
    removeItem(item);
    if (m_queue->count() == 0)
        showEmptyView(true);
    emit totalsChanged();
}

DLItemWidget *DLListWidget::rowFor(DLItemData *item) const
{
    if (auto *row = qobject_cast<DLItemWidget *>(item->boundRow))
        if (row->item() == item && row->itemData() == item)
            return row;
    return qobject_cast<DLItemWidget *>(rowShowing(item));
}

void DLListWidget::myTableListWidget_loadDataSingal(MyTableItemWidget *base)
{
    auto *row = qobject_cast<DLItemWidget *>(base);
    if (!row)
        return;
    auto *item = static_cast<DLItemData *>(row->itemData());
    row->setItem(item);
    if (!item) {
        row->clearData();
        return;
    }
    item->boundRow = row;
    row->setHighlighted(m_queue->selectedItem() == item);
    row->layoutRow();
    row->refreshStatus();
    row->refreshInfo();
    row->refreshProgress();
}

void DLListWidget::DLItemUpdateShow_slots(DLItemData *item)
{
    if (m_queue->isClosing())
        return;
    if (DLItemWidget *row = rowFor(item)) {
        row->refreshStatus();
        row->refreshInfo();
        row->refreshProgress();
    }
    emit totalsChanged();
}

void DLListWidget::DLItemUpdateProgress_slots(DLItemData *item)
{
    if (m_queue->isClosing())
        return;
    if (DLItemWidget *row = rowFor(item))
        row->refreshProgress();
    emit totalsChanged();
}

void DLListWidget::DLItemDeleted_slots(DLItemWidget *row)
{
    if (m_queue->isClosing() || !row->item())
        return;
    qDebug() << "DLItemDeleted_slots...";
    m_queue->removeItem(row->item());
}

void DLListWidget::DLItemClicked_slots(DLItemWidget *row)
{
    if (m_queue->isClosing() || !row->item())
        return;
    if (DLItemData *previous = m_queue->selectedItem())
        if (DLItemWidget *old = rowFor(previous))
            old->setHighlighted(false);
    m_queue->setSelectedItem(row->item());
    row->setHighlighted(true);
}

void DLListWidget::showEmptyView(bool show)
{
    m_empty->showOverRows(show);
}

bool DLListWidget::isEmptyViewShown() const
{
    return m_empty->isShown();
}

void DLListWidget::resizeEvent(QResizeEvent *event)
{
    MyTableListWidget::resizeEvent(event);
    m_empty->fitParent();
    for (MyTableItemWidget *row : rows())
        row->setGeometry(scaled(10), row->y(), width() - scaled(20), scaled(90));
}
