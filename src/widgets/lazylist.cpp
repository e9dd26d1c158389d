#include "widgets/lazylist.h"

#include <QHash>

#include "app/appenv.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace
{
// Rows kept above the visible top while scrolling, so small steps up show bound rows.
constexpr int kRowsAbove = 3;
} // namespace

MyTableItemWidget::MyTableItemWidget(QWidget *parent) : QWidget(parent) {}

void MyTableItemWidget::setBinding(int index, void *data)
{
    m_index = index;
    m_data = data;
}

void MyTableItemWidget::clearData() {}

void MyTableItemWidget::setHighlighted(bool) {}

// ---------------------------------------------------------------------------

MyTableListWidget::MyTableListWidget(QWidget *parent)
    : QWidget(parent), m_viewport(new QWidget(this)), m_content(new QWidget(m_viewport)),
      m_scrollBar(new QScrollBar(Qt::Vertical, m_viewport))
{
    m_content->setAutoFillBackground(true);
    QPalette pal = m_content->palette();
    pal.setColor(QPalette::Window, Qt::white);
    m_content->setPalette(pal);

    m_scrollBar->setRange(0, 1);
    m_scrollBar->setPageStep(1);
    m_scrollBar->setValue(0);
    m_scrollBar->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical{width:10px;background:transparent;margin:0px;border:none;}"
        "QScrollBar::handle:vertical{background:rgba(72,74,77,90);border-radius:2px;min-height:30px;}"
        "QScrollBar::handle:vertical:hover{background:rgba(3,150,235,160);}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;border:none;background:none;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"));
    m_scrollBar->hide();
    connect(m_scrollBar, SIGNAL(sliderReleased()), this, SLOT(scrollBar_verticalReleased()));
    connect(m_scrollBar, SIGNAL(actionTriggered(int)), this, SLOT(scrollBar_actionTriggered(int)));
    connect(m_scrollBar, SIGNAL(valueChanged(int)), this, SLOT(scrollBar_valueChange(int)));
}

void MyTableListWidget::setRowHeight(int height)
{
    m_rowHeight = qMax(1, height);
}

void MyTableListWidget::addRow(MyTableItemWidget *row)
{
    if (!row)
        return;
    QWriteLocker locker(&m_lock);
    row->setBinding(-1, nullptr);
    row->setParent(m_content);
    row->hide();
    m_rows.append(row);
}

void MyTableListWidget::setItems(const QList<void *> &items)
{
    Rows toLoad;
    {
        QWriteLocker locker(&m_lock);
        m_items = items;
        for (MyTableItemWidget *row : qAsConst(m_rows)) {
            row->hide();
            row->setBinding(-1, nullptr);
            row->clearData();
        }
        m_scrollBar->setVisible(m_items.size() > 5);
        layoutLocked(false, -1, toLoad);
    }
    announce(toLoad);
}

void MyTableListWidget::removeItem(void *item)
{
    Rows toLoad;
    {
        QWriteLocker locker(&m_lock);
        const int at = m_items.indexOf(item);
        if (at < 0)
            return;
        int from = -1;
        for (int k = 0; k < m_rows.size(); ++k) {
            if (m_rows.at(k)->itemData() == item) {
                from = k;
                break;
            }
        }
        // The first row's index is remembered before the rows are cleared, so taking
        // out the topmost item does not throw the view back to the top of the list.
        const int first = firstIndex();
        m_items.removeAt(at);
        if (from >= 0) {
            for (int k = from; k < m_rows.size(); ++k)
                m_rows.at(k)->setBinding(-1, nullptr);
        }
        layoutLocked(true, first, toLoad);
    }
    announce(toLoad);
}

void MyTableListWidget::appendLocked(const QList<void *> &items, Rows &toLoad)
{
    QHash<MyTableItemWidget *, QPair<int, void *>> before;
    for (MyTableItemWidget *row : qAsConst(m_rows))
        before.insert(row, qMakePair(row->index(), row->itemData()));
    m_items.append(items);
    layoutLocked(true, firstIndex(), toLoad);
    // Appending moves nothing already shown: only rows with a new item are filled,
    // so a long list grows without redrawing every visible row each time.
    Rows changed;
    for (MyTableItemWidget *row : qAsConst(toLoad))
        if (before.value(row) != qMakePair(row->index(), row->itemData()))
            changed.append(row);
    toLoad = changed;
}

void MyTableListWidget::appendItem(void *item)
{
    appendItems({item});
}

void MyTableListWidget::appendItems(const QList<void *> &items)
{
    Rows toLoad;
    {
        QWriteLocker locker(&m_lock);
        appendLocked(items, toLoad);
    }
    announce(toLoad);
}

void MyTableListWidget::fillEmptyRows()
{
    Rows toLoad;
    {
        QWriteLocker locker(&m_lock);
        for (MyTableItemWidget *row : qAsConst(m_rows)) {
            if (!row->itemData())
                toLoad.append(row);
        }
    }
    announce(toLoad);
}

void MyTableListWidget::relayout()
{
    Rows toLoad;
    {
        QWriteLocker locker(&m_lock);
        layoutLocked(true, firstIndex(), toLoad);
    }
    announce(toLoad);
}

QList<void *> MyTableListWidget::items() const
{
    QReadLocker locker(&m_lock);
    return m_items;
}

QList<MyTableItemWidget *> MyTableListWidget::rows() const
{
    QReadLocker locker(&m_lock);
    return m_rows;
}

MyTableItemWidget *MyTableListWidget::rowShowing(void *item) const
{
    if (!item)
        return nullptr;
    QReadLocker locker(&m_lock);
    for (MyTableItemWidget *row : m_rows) {
        if (row->itemData() == item && row->index() >= 0)
            return row;
    }
    return nullptr;
}

qint64 MyTableListWidget::listHeight() const
{
    return qint64(m_rowHeight) * m_items.size();
}

qint64 MyTableListWidget::maxTop() const
{
    return qMax<qint64>(0, listHeight() - m_viewport->height());
}

int MyTableListWidget::barValueFor(qint64 top) const
{
    // The bar counts items; the bottom of the list is its last step, even when the
    // last row is only partly above the bottom of the view.
    const qint64 last = maxTop();
    if (last > 0 && top >= last)
        return m_scrollBar->maximum();
    return int(top / m_rowHeight);
}

void MyTableListWidget::updateScrollBar()
{
    const int viewHeight = m_viewport->height();
    const qint64 last = maxTop();
    const QSignalBlocker quiet(m_scrollBar);
    m_scrollBar->setRange(0, int((last + m_rowHeight - 1) / m_rowHeight));
    m_scrollBar->setPageStep(qMax(1, viewHeight / m_rowHeight));
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setValue(barValueFor(m_top));
    // A list up to two views long scrolls by wheel alone.
    m_scrollBar->setVisible(listHeight() > 2 * qint64(viewHeight));
}

void MyTableListWidget::bind(MyTableItemWidget *row, int index, Rows &toLoad)
{
    row->move(row->x(), (index - m_anchor) * m_rowHeight);
    row->setBinding(index, m_items.at(index));
    row->show();
    toLoad.append(row);
}

int MyTableListWidget::firstIndex() const
{
    return m_rows.isEmpty() ? -1 : m_rows.first()->index();
}

void MyTableListWidget::placeContent()
{
    const int first = qMax(0, firstIndex());
    // The anchor follows the pool; rows are only moved when it jumps, so a scroll
    // step moves one widget, and the content never grows past a few thousand rows.
    constexpr int kAnchorSpan = 1000;
    if (first < m_anchor || first - m_anchor > kAnchorSpan) {
        // Half a span of room above, so stepping up the list moves one row at a time too.
        m_anchor = first < m_anchor ? qMax(0, first - kAnchorSpan / 2) : first;
        for (MyTableItemWidget *row : qAsConst(m_rows))
            if (row->index() >= 0)
                row->move(row->x(), (row->index() - m_anchor) * m_rowHeight);
    }
    int last = m_anchor;
    for (const MyTableItemWidget *row : qAsConst(m_rows))
        last = qMax(last, row->index());
    const int height = qMax(m_viewport->height(), (last - m_anchor + 1) * m_rowHeight);
    m_content->setGeometry(0, int(qint64(m_anchor) * m_rowHeight - m_top), width(), height);
}

void MyTableListWidget::layoutLocked(bool keepTop, int first, Rows &toLoad)
{
    const int w = width();
    const int h = height();
    m_viewport->setGeometry(0, 1, w, h);
    m_scrollBar->setGeometry(w - scaled(5), 0, scaled(5), h);
    m_scrollBar->raise();

    const int n = m_items.size();
    const int pool = m_rows.size();
    const int rh = m_rowHeight;
    const int viewHeight = m_viewport->height();
    m_top = keepTop ? qBound<qint64>(0, m_top, maxTop()) : 0;
    const int topIndex = int(m_top / rh);

    // Keep the pool where it was, but make it cover the visible part of the list.
    if (first < 0)
        first = qMax(0, topIndex - kRowsAbove);
    first = qMin(first, topIndex);
    const int lastVisible = int((m_top + qMax(1, viewHeight) - 1) / rh);
    first = qMax(first, lastVisible - pool + 1);
    first = qBound(0, first, qMax(0, n - pool));

    m_anchor = first;
    for (int k = 0; k < pool; ++k) {
        MyTableItemWidget *row = m_rows.at(k);
        if (first + k < n) {
            bind(row, first + k, toLoad);
        } else {
            row->hide();
            row->setBinding(-1, nullptr);
        }
    }
    placeContent();
    updateScrollBar();
}

void MyTableListWidget::reseat(int first, Rows &toLoad)
{
    m_anchor = first;
    for (int k = 0; k < m_rows.size(); ++k)
        bind(m_rows.at(k), first + k, toLoad);
}

void MyTableListWidget::recycle(qint64 dy, Rows &toLoad)
{
    const int n = m_items.size();
    const int pool = m_rows.size();
    const qint64 rh = m_rowHeight;
    if (pool == 0 || n <= pool || dy == 0)
        return;
    const qint64 viewTop = m_top;
    const int first = m_rows.first()->index();
    if (first < 0)
        return;

    // Where the step-by-step moves below would stop. A jump further than the pool
    // binds the whole pool there at once, so dragging the scroll bar across a long
    // list costs one pool's refill instead of one refill per item passed.
    int target = first;
    if (dy < 0) {
        const qint64 lowest = (viewTop - kRowsAbove * rh + rh - 1) / rh;
        target = int(qBound<qint64>(first, lowest, n - pool));
    } else {
        const qint64 highest = viewTop - kRowsAbove * rh;
        target = highest < 0 ? 0 : int(qMin<qint64>(first, highest / rh));
    }
    if (qAbs(target - first) > pool) {
        reseat(target, toLoad);
        return;
    }

    const qint64 turns = qAbs(dy) / rh + 1;
    for (qint64 t = 0; t < turns; ++t) {
        MyTableItemWidget *head = m_rows.first();
        MyTableItemWidget *tail = m_rows.last();
        const qint64 headTop = head->index() * rh;
        if (dy < 0) {
            const bool moreBelow = tail->index() >= 0 && tail->index() < n - 1;
            if (!moreBelow || viewTop - headTop <= kRowsAbove * rh)
                break;
            m_rows.removeFirst();
            m_rows.append(head);
            bind(head, qMin(tail->index() + 1, n - 1), toLoad);
        } else {
            const bool moreAbove = head->index() > 0 && (tail->index() < 0 || tail->index() > pool - 1);
            if (!moreAbove || viewTop - headTop >= kRowsAbove * rh)
                break;
            m_rows.removeLast();
            m_rows.prepend(tail);
            bind(tail, qMax(head->index() - 1, 0), toLoad);
        }
    }
}

void MyTableListWidget::scrollBy(int dy)
{
    scrollByPixels(dy);
}

void MyTableListWidget::scrollByPixels(qint64 dy)
{
    // A step arriving while the list is busy (a layout, or this very scroll setting
    // the scroll bar) is dropped rather than waited for.
    if (!m_lock.tryLockForWrite())
        return;
    Rows toLoad;
    m_top = qBound<qint64>(0, m_top - dy, maxTop());
    recycle(dy, toLoad);
    placeContent();
    updateScrollBar();
    m_lock.unlock();
    announce(toLoad);
}

void MyTableListWidget::announce(const Rows &toLoad)
{
    for (MyTableItemWidget *row : toLoad)
        emit loadDataSingal(row);
}

void MyTableListWidget::scrollBar_verticalReleased() {}

void MyTableListWidget::scrollBar_actionTriggered(int) {}

void MyTableListWidget::scrollBar_valueChange(int value)
{
    if (!m_scrollBar->isVisibleTo(this))
        return;
    if (value == barValueFor(m_top))
        return;
    const qint64 target = qMin(qint64(value) * m_rowHeight, maxTop());
    if (target != m_top)
        scrollByPixels(m_top - target);
}

void MyTableListWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void MyTableListWidget::wheelEvent(QWheelEvent *event)
{
    int delta = event->angleDelta().y();
    if (qAbs(delta) > 16)
        delta /= 5;
    scrollBy(delta);
    event->accept();
}
