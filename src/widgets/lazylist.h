#pragma once
// A long list shown with a small fixed pool of row widgets. Rows that scroll out at
// one end are moved to the other end and bound to the item that now belongs there;
// the owner fills a row's controls when loadDataSingal() names it. The cost of a
// scroll step therefore does not depend on the length of the list. No widget is ever
// as tall as the whole list (Qt caps widget sizes at 16,777,215 pixels): the scroll
// position is kept as a number, the scroll bar counts items, and only the pool's
// stretch of the list has a widget under it.

#include <QList>
#include <QReadWriteLock>
#include <QWidget>

class QScrollBar;

// One pool row. The item it shows is opaque here; the owning list knows its type.
class MyTableItemWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MyTableItemWidget(QWidget *parent = nullptr);

    // Position in the item list of the item shown, -1 for none.
    int index() const
    {
        return m_index;
    }
    void *itemData() const
    {
        return m_data;
    }
    void setBinding(int index, void *data);

    // Resets the row's own controls when the list is replaced.
    virtual void clearData();
    // The selection highlight; rows that show one override it.
    virtual void setHighlighted(bool on);

private:
    int m_index = -1;
    void *m_data = nullptr;
};

class MyTableListWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MyTableListWidget(QWidget *parent = nullptr);

    void setRowHeight(int height);
    int rowHeight() const
    {
        return m_rowHeight;
    }

    // Takes a row into the pool (the list becomes its parent).
    void addRow(MyTableItemWidget *row);
    // Replaces the whole list and scrolls back to its top.
    void setItems(const QList<void *> &items);
    void removeItem(void *item);
    void appendItem(void *item);
    // Many at once: one layout, and only the rows that get a new item are filled.
    void appendItems(const QList<void *> &items);
    // Signals every pool row that shows no item.
    void fillEmptyRows();
    // Places and binds the rows again, keeping the scroll position.
    void relayout();
    // Positive dy moves the content down, towards the top of the list.
    void scrollBy(int dy);
    // How far the top of the view is from the top of the list, in pixels.
    qint64 topOffset() const
    {
        return m_top;
    }

    QList<void *> items() const;
    // The pool in on-screen order, first = topmost.
    QList<MyTableItemWidget *> rows() const;
    // The pool row bound to the item, or null when it is scrolled out of the pool.
    MyTableItemWidget *rowShowing(void *item) const;
    QScrollBar *scrollBar() const
    {
        return m_scrollBar;
    }
    QWidget *viewport() const
    {
        return m_viewport;
    }
    QWidget *content() const
    {
        return m_content;
    }

signals:
    // Emitted after the list's lock is released, so handlers may call back into the list.
    void loadDataSingal(MyTableItemWidget *row);

public slots:
    void scrollBar_verticalReleased();
    void scrollBar_actionTriggered(int action);
    void scrollBar_valueChange(int value);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    using Rows = QList<MyTableItemWidget *>;
    // first: the index the pool should start from, -1 to take it from the scroll position.
    void layoutLocked(bool keepTop, int first, Rows &toLoad);
    void appendLocked(const QList<void *> &items, Rows &toLoad);
    int firstIndex() const;
    void updateScrollBar();
    void bind(MyTableItemWidget *row, int index, Rows &toLoad);
    void reseat(int first, Rows &toLoad);
    void recycle(qint64 dy, Rows &toLoad);
    // Puts the content widget under the pool's stretch of the list.
    void placeContent();
    void scrollByPixels(qint64 dy);
    qint64 listHeight() const;
    qint64 maxTop() const;
    int barValueFor(qint64 top) const;
    void announce(const Rows &toLoad);

    Rows m_rows;
    QWidget *m_viewport;
    QWidget *m_content;
    QScrollBar *m_scrollBar;
    int m_rowHeight = 1;
    qint64 m_top = 0; // the view's top in the whole list, in pixels
    int m_anchor = 0; // the item that stands at the content widget's top
    QList<void *> m_items;
    mutable QReadWriteLock m_lock;
};
