#include "views/finishedlist.h"

#include "app/appenv.h"
#include "platform/platform.h"
#include "queue/database.h"
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

FinishedItemWidget::FinishedItemWidget(QWidget *parent)
    : MyTableItemWidget(parent), m_frame(new QWidget(this)), m_thumbBorder(new QLabel(this)), m_thumb(new QLabel(this)),
      m_title(new QLabel(this)), m_link(new QLabel(this)), m_info(new QWidget(this)), m_right(new QWidget(this)),
      m_redownload(RowParts::button(m_right, Sprites::RowRedownload)),
      m_open(RowParts::button(m_right, Sprites::RowOpen)), m_delete(RowParts::button(m_right, Sprites::RowDelete)),
      m_menu(new QMenu(this))
{
    m_frame->setObjectName(QStringLiteral("rowFrame"));
    m_frame->setAttribute(Qt::WA_StyledBackground, true);
    m_thumbBorder->setStyleSheet(QStringLiteral("QLabel{background-color:#e9eaeb;}"));
    for (int i = 0; i < 3; ++i) {
        m_captions[i] = new QLabel(m_info);
        m_values[i] = new QLabel(m_info);
    }
    m_copyAction = m_menu->addAction(QString());
    m_removeAction = m_menu->addAction(QString());
    m_openAction = m_menu->addAction(QString());
    m_removeAllAction = m_menu->addAction(QString());
    connect(m_redownload, &MyPushButton::clicked, this, &FinishedItemWidget::redownloadButton_slots);
    connect(m_open, &MyPushButton::clicked, this, &FinishedItemWidget::openButton_slots);
    connect(m_delete, &MyPushButton::clicked, this, &FinishedItemWidget::deleteButton_slots);
    connect(m_copyAction, &QAction::triggered, this, &FinishedItemWidget::copyurlAction_slots);
    connect(m_removeAction, &QAction::triggered, this, &FinishedItemWidget::removeAction_slots);
    connect(m_openAction, &QAction::triggered, this, &FinishedItemWidget::openAction_slots);
    connect(m_removeAllAction, &QAction::triggered, this, &FinishedItemWidget::removeAllAction_slots);
    setHighlighted(false);
    retranslate();
}

void FinishedItemWidget::retranslate()
{
    static const char *const captions[3] = {QT_TR_NOOP("Duration:"), QT_TR_NOOP("Format:"), QT_TR_NOOP("Size:")};
    for (int i = 0; i < 3; ++i)
        m_captions[i]->setText(tr(captions[i]));
    m_copyAction->setText(tr("Copy URL"));
    m_removeAction->setText(tr("Remove"));
    m_openAction->setText(tr("Open"));
    m_removeAllAction->setText(tr("Remove All"));
}

void FinishedItemWidget::clearData()
{
    m_entry = nullptr;
}

void FinishedItemWidget::setHighlighted(bool on)
{
    RowParts::setSheet(m_frame, RowParts::frameStyle(on));
}

void FinishedItemWidget::resizeEvent(QResizeEvent *event)
{
    MyTableItemWidget::resizeEvent(event);
    layoutRow();
}

void FinishedItemWidget::layoutRow()
{
    const int w = width(), h = height(), top = scaled(5);
    m_frame->setGeometry(0, top, w, h - top);
    const QSize thumb(scaled(84), scaled(70));
    const int thumbY = top + (h - top - thumb.height()) / 2;
    m_thumb->setGeometry(scaled(10), thumbY, thumb.width(), thumb.height());
    m_thumbBorder->setGeometry(scaled(10) - 1, thumbY - 1, thumb.width() + 2, thumb.height() + 2);
    const int left = scaled(10) + thumb.width() + scaled(20);
    const int textWidth = qMin(scaled(580), qMax(0, w - left - scaled(185)));
    m_title->setGeometry(left, scaled(12), textWidth, scaled(20));
    m_link->setGeometry(left, m_title->geometry().bottom() + 1, textWidth, scaled(15));
    m_info->setGeometry(left, m_link->geometry().bottom() + scaled(6), textWidth, scaled(20));
    m_right->setGeometry(w - scaled(180), 0, scaled(170), h);
    const int pw = m_right->width();
    auto centred = [h](QWidget *wid, int x, int size) { wid->setGeometry(x, (h - size) / 2 + 2, size, size); };
    centred(m_redownload, pw - scaled(70), scaled(30));
    centred(m_open, pw - scaled(70), scaled(30));
    centred(m_delete, pw - scaled(30), scaled(20));
    RowParts::setSheet(m_menu, RowParts::menuStyle());
}

void FinishedItemWidget::redraw()
{
    layoutRow();
    if (!m_entry)
        return;
    if (m_thumbPath != m_entry->thumb || m_thumb->pixmap(Qt::ReturnByValue).isNull()) {
        m_thumbPath = m_entry->thumb;
        m_thumb->setPixmap(RowParts::thumbnail(m_entry->thumb, m_thumb->size()));
    }
    RowParts::setSheet(m_title, m_entry->filePresent ? RowParts::labelStyle(12, "px;color:#333333;}")
                                                     : RowParts::labelStyle(12, "px;color:#ed2621;}"));
    m_title->setText(m_title->fontMetrics().elidedText(m_entry->name, Qt::ElideRight, m_title->width()));
    m_title->setToolTip(m_entry->name);
    RowParts::setSheet(m_link, RowParts::labelStyle(10, "px;color:#888888;}"));
    m_link->setText(m_link->fontMetrics().elidedText(m_entry->url, Qt::ElideMiddle, m_link->width()));
    const QString values[3] = {m_entry->duration, m_entry->extformat, m_entry->size};
    int x = 0;
    for (int i = 0; i < 3; ++i) {
        RowParts::setSheet(m_captions[i], RowParts::labelStyle(12, "px;color:#888888;}"));
        RowParts::setSheet(m_values[i], RowParts::labelStyle(12, "px;color:#666666;}"));
        m_values[i]->setText(values[i].isEmpty() ? QStringLiteral("--") : values[i]);
        m_captions[i]->adjustSize();
        m_values[i]->adjustSize();
        m_captions[i]->move(x, 0);
        x += m_captions[i]->width() + scaled(4);
        m_values[i]->move(x, 0);
        x += m_values[i]->width() + scaled(18);
    }
    m_open->setVisible(m_entry->filePresent);
    m_openAction->setVisible(m_entry->filePresent);
    m_redownload->setVisible(!m_entry->filePresent);
}

QString FinishedItemWidget::titleStyle() const
{
    return m_title->styleSheet();
}

bool FinishedItemWidget::isButtonShown(const QString &name) const
{
    QWidget *w = name == QLatin1String("open")         ? static_cast<QWidget *>(m_open)
                 : name == QLatin1String("redownload") ? static_cast<QWidget *>(m_redownload)
                 : name == QLatin1String("delete")     ? static_cast<QWidget *>(m_delete)
                                                       : nullptr;
    return w && w->isVisibleTo(this);
}

QList<QAction *> FinishedItemWidget::menuActions() const
{
    QList<QAction *> visible;
    for (QAction *a : m_menu->actions())
        if (a->isVisible())
            visible << a;
    return visible;
}

void FinishedItemWidget::mouseReleaseEvent(QMouseEvent *event)
{
    MyTableItemWidget::mouseReleaseEvent(event);
    emit clickeditem(this);
}

void FinishedItemWidget::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_entry)
        m_menu->popup(event->globalPos());
}

void FinishedItemWidget::redownloadButton_slots()
{
    if (!m_entry)
        return;
    const QString url = m_entry->url;
    emit redownloadRequested(url);
    emit deleteitem(this);
}

void FinishedItemWidget::openButton_slots()
{
    if (m_entry && QFileInfo::exists(m_entry->finishfilename)
        && !QFileInfo(m_entry->finishfilename).absolutePath().isEmpty())
        Platform::showFileInFolder(m_entry->finishfilename);
}

void FinishedItemWidget::deleteButton_slots()
{
    emit deleteitem(this);
}

void FinishedItemWidget::copyurlAction_slots()
{
    if (m_entry)
        QGuiApplication::clipboard()->setText(m_entry->url);
}

void FinishedItemWidget::openAction_slots()
{
    openButton_slots();
}

void FinishedItemWidget::removeAction_slots()
{
    emit deleteitem(this);
}

void FinishedItemWidget::removeAllAction_slots()
{
    emit signal_removeAllAction();
}

// --- list -----------------------------------------------------------------------------

FinishedListWidget::FinishedListWidget(QWidget *parent)
    : MyTableListWidget(parent), m_empty(new EmptyView(QStringLiteral(":/images/file1.png"), this))
{
    setRowHeight(scaled(90));
    connect(this, &MyTableListWidget::loadDataSingal, this, &FinishedListWidget::myTableListWidget_loadDataSingal);
    retranslate();
    showEmptyView(true);
}

FinishedListWidget::~FinishedListWidget() = default;

void FinishedListWidget::retranslate()
{
    m_empty->setHint(tr("No item had downloaded, Please paste a link to start downloading."));
    for (MyTableItemWidget *row : rows())
        if (auto *r = qobject_cast<FinishedItemWidget *>(row)) {
            r->retranslate();
            r->redraw();
        }
}

void FinishedListWidget::makePool()
{
    if (m_poolMade)
        return;
    m_poolMade = true;
    for (int i = 0; i < kPoolSize; ++i) {
        auto *row = new FinishedItemWidget;
        row->setGeometry(scaled(10), -scaled(180), width() - scaled(20), scaled(90));
        connect(row, &FinishedItemWidget::deleteitem, this, &FinishedListWidget::ItemDeleted_slots);
        connect(row, &FinishedItemWidget::clickeditem, this, &FinishedListWidget::Clickeditem_slots);
        connect(row, &FinishedItemWidget::signal_removeAllAction, this, &FinishedListWidget::ItemRemoveAllItem_slots);
        connect(row, &FinishedItemWidget::redownloadRequested, this, &FinishedListWidget::redownloadRequested);
        addRow(row);
    }
}

FinishedEntry *FinishedListWidget::store(const DownloadRecord &r, qint64 rowid)
{
    auto entry = std::make_unique<FinishedEntry>();
    *entry = FinishedEntry{r.url,
                           r.finishfilename,
                           r.name,
                           r.thumb,
                           r.duration,
                           r.extformat,
                           r.size,
                           r.md5,
                           !r.finishfilename.isEmpty() && QFileInfo(r.finishfilename).isFile(),
                           rowid,
                           r.finishdate};
    FinishedEntry *raw = entry.get();
    m_entries.push_back(std::move(entry));
    ++m_count;
    return raw;
}

void FinishedListWidget::addEntry(const QString &url, const QString &finishfilename, const QString &name,
                                  const QString &thumb, const QString &duration, const QString &extformat,
                                  const QString &size, const QString &md5, qint64 rowid)
{
    makePool();
    DownloadRecord r;
    r.url = url;
    r.finishfilename = finishfilename;
    r.name = name;
    r.thumb = thumb;
    r.duration = duration;
    r.extformat = extformat;
    r.size = size;
    r.md5 = md5;
    FinishedEntry *raw = store(r, rowid);
    showEmptyView(false);
    appendItem(raw);
    emit totalsChanged();
}

void FinishedListWidget::addEntries(const QVector<StoredRow> &rows)
{
    if (rows.isEmpty())
        return;
    makePool();
    QList<void *> added;
    added.reserve(rows.size());
    for (const StoredRow &row : rows)
        added << store(row.record, row.rowid);
    showEmptyView(false);
    appendItems(added);
    emit totalsChanged();
}

const FinishedEntry *FinishedListWidget::latestFor(const QString &url) const
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
        if ((*it)->url == url)
            return it->get();
    return nullptr;
}

QSet<QString> FinishedListWidget::downloadedAmong(const QStringList &urls) const
{
    QSet<QString> finished;
    for (const auto &entry : m_entries)
        finished.insert(entry->url);
    QSet<QString> found;
    for (const QString &url : urls)
        if (finished.contains(url))
            found.insert(url);
    return found;
}

FinishedItemWidget *FinishedListWidget::rowFor(const FinishedEntry *entry) const
{
    return qobject_cast<FinishedItemWidget *>(rowShowing(const_cast<FinishedEntry *>(entry)));
}

void FinishedListWidget::myTableListWidget_loadDataSingal(MyTableItemWidget *base)
{
    auto *row = qobject_cast<FinishedItemWidget *>(base);
    if (!row)
        return;
    auto *entry = static_cast<FinishedEntry *>(row->itemData());
    row->setEntry(entry);
    row->setHighlighted(entry && entry == m_selected);
    row->redraw();
}

void FinishedListWidget::ItemDeleted_slots(FinishedItemWidget *row)
{
    FinishedEntry *entry = row->entry();
    if (!entry)
        return;
    // Exactly this entry's row: a twin of the same link and format keeps its own.
    if (m_db && entry->rowid > 0)
        m_db->runStatement(DBManagerThread::deleteFinishedStatement(entry->rowid));
    --m_count;
    if (m_selected)
        if (FinishedItemWidget *old = rowFor(m_selected))
            old->setHighlighted(false);
    row->setHighlighted(false);
    m_selected = nullptr;
    removeItem(entry);
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
        if (it->get() == entry) {
            m_entries.erase(it);
            break;
        }
    if (m_count < 1)
        showEmptyView(true);
    emit totalsChanged();
}

void FinishedListWidget::Clickeditem_slots(FinishedItemWidget *row)
{
    if (!row->entry())
        return;
    if (m_selected)
        if (FinishedItemWidget *old = rowFor(m_selected))
            old->setHighlighted(false);
    m_selected = row->entry();
    row->setHighlighted(true);
}

void FinishedListWidget::ItemRemoveAllItem_slots()
{
    if (m_db) {
        QVector<SqlStatement> statements;
        statements.reserve(int(m_entries.size()));
        for (const auto &entry : m_entries)
            if (entry->rowid > 0)
                statements << DBManagerThread::deleteFinishedStatement(entry->rowid);
        m_db->runStatements(statements);
    }
    setItems({});
    m_entries.clear();
    m_selected = nullptr;
    m_count = 0;
    emit totalsChanged();
    showEmptyView(true);
}

void FinishedListWidget::showEmptyView(bool show)
{
    m_empty->showOverRows(show);
}

bool FinishedListWidget::isEmptyViewShown() const
{
    return m_empty->isShown();
}

void FinishedListWidget::resizeEvent(QResizeEvent *event)
{
    MyTableListWidget::resizeEvent(event);
    m_empty->fitParent();
    for (MyTableItemWidget *row : rows())
        row->setGeometry(scaled(10), row->y(), width() - scaled(20), scaled(90));
}
