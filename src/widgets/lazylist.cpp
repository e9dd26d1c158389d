#include "widgets/lazylist.h"

#include <QHash>

#include "app/appenv.h"

#include <QResizeEvent>
#include <QScrollBar>
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

void MyTableListWidget::appendItem(void *item)
{
    Rows toLoad;
    {
        QWriteLocker locker(&m_lock);
        QHash<MyTableItemWidget *, QPair<int, void *>> before;
        for (MyTableItemWidget *row : qAsConst(m_rows))
            before.insert(row, qMakePair(row->index(), row->itemData()));
        m_items.append(item);
        layoutLocked(true, firstIndex(), toLoad);
        // Appending moves nothing already shown: only rows with a new item are filled,
        // so a long list grows without redrawing every visible row each time.
        Rows changed;
        for (MyTableItemWidget *row : qAsConst(toLoad))
            if (before.value(row) != qMakePair(row->index(), row->itemData()))
                changed.append(row);
        toLoad = changed;
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

int MyTableListWidget::contentHeight() const
{
    return qMax(m_rowHeight * m_items.size(), m_viewport->height());
}

void MyTableListWidget::updateScrollBar(int contentHeight, int top)
{
    const int viewHeight = m_viewport->height();
    m_scrollBar->setRange(0, qMax(0, contentHeight - viewHeight));
    m_scrollBar->setPageStep(qMax(1, viewHeight));
    if (m_scrollBar->value() != top)
        m_scrollBar->setValue(top);
    // A list up to two views long scrolls by wheel alone.
    m_scrollBar->setVisible(contentHeight > 2 * viewHeight);
}

void MyTableListWidget::bind(MyTableItemWidget *row, int index, Rows &toLoad)
{
    row->move(row->x(), m_rowHeight * index);
    row->setBinding(index, m_items.at(index));
    row->show();
    toLoad.append(row);
}

int MyTableListWidget::firstIndex() const
{
    return m_rows.isEmpty() ? -1 : m_rows.first()->index();
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
    const int ch = contentHeight();
    const int top = keepTop ? qBound(0, -m_content->y(), ch - viewHeight) : 0;

    // Keep the pool where it was, but make it cover the visible part of the content.
    if (first < 0)
        first = qMax(0, top / rh - kRowsAbove);
    first = qMin(first, top / rh);
    const int lastVisible = (top + qMax(1, viewHeight) - 1) / rh;
    first = qMax(first, lastVisible - pool + 1);
    first = qBound(0, first, qMax(0, n - pool));

    m_content->setGeometry(0, -top, w, ch);
    updateScrollBar(ch, top);
    for (int k = 0; k < pool; ++k) {
        MyTableItemWidget *row = m_rows.at(k);
        if (first + k < n) {
            bind(row, first + k, toLoad);
        } else {
            row->hide();
            row->setBinding(-1, nullptr);
        }
    }
}

void MyTableListWidget::reseat(int first, Rows &toLoad)
{
    for (int k = 0; k < m_rows.size(); ++k)
        bind(m_rows.at(k), first + k, toLoad);
}

void MyTableListWidget::recycle(int dy, Rows &toLoad)
{
    const int n = m_items.size();
    const int pool = m_rows.size();
    const int rh = m_rowHeight;
    if (pool == 0 || n <= pool || dy == 0)
        return;
    const int viewTop = -m_content->y();
    const int first = m_rows.first()->index();
    if (first < 0)
        return;

    // Where the step-by-step moves below would stop. A jump further than the pool
    // binds the whole pool there at once, so dragging the scroll bar across a long
    // list costs one pool's refill instead of one refill per item passed.
    int target = first;
    if (dy < 0) {
        const int lowest = (viewTop - kRowsAbove * rh + rh - 1) / rh;
        target = qBound(first, lowest, n - pool);
    } else {
        const int highest = viewTop - kRowsAbove * rh;
        target = highest < 0 ? 0 : qMin(first, highest / rh);
    }
    if (qAbs(target - first) > pool) {
        reseat(target, toLoad);
        return;
    }

    const int turns = qMax(qAbs(dy) / rh, 0) + 1;
    for (int t = 0; t < turns; ++t) {
        MyTableItemWidget *head = m_rows.first();
        MyTableItemWidget *tail = m_rows.last();
        if (dy < 0) {
            const bool moreBelow = tail->index() >= 0 && tail->index() < n - 1;
            if (!moreBelow || viewTop - head->y() <= kRowsAbove * rh)
                break;
            m_rows.removeFirst();
            m_rows.append(head);
            const int index = qMin(head->index() + pool, n - 1);
            head->move(head->x(), tail->y() + rh);
            head->setBinding(index, m_items.at(index));
            head->show();
            toLoad.append(head);
        } else {
            const bool moreAbove = head->index() > 0 && (tail->index() < 0 || tail->index() > pool - 1);
            if (!moreAbove || viewTop - head->y() >= kRowsAbove * rh)
                break;
            m_rows.removeLast();
            m_rows.prepend(tail);
            const int index = qMax(head->index() - 1, 0);
            tail->move(tail->x(), head->y() - rh);
            tail->setBinding(index, m_items.at(index));
            tail->show();
            toLoad.append(tail);
        }
    }
}

void MyTableListWidget::scrollBy(int dy)
{
    // A step arriving while the list is busy (a layout, or this very scroll setting
    // the scroll bar) is dropped rather than waited for.
    if (!m_lock.tryLockForWrite())
        return;
    Rows toLoad;
    const int viewHeight = m_viewport->height();
    const int ch = contentHeight();
    int y = qMin(m_content->y() + dy, 0);
    y = qMax(y, viewHeight - ch);
    m_content->setGeometry(0, y, width(), ch);
    updateScrollBar(ch, -y);
    recycle(dy, toLoad);
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
    const int dy = -(m_content->y() + value);
    if (dy != 0)
        scrollBy(dy);
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
