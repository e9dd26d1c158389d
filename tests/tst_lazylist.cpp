// The lazy list: a fixed pool of rows bound to whichever items are in view.

#include "app/appenv.h"
#include "testlib/testenv.h"
#include "widgets/lazylist.h"

#include <QScrollBar>
#include <QWheelEvent>

namespace
{
int g_rowsMade = 0;
int g_rowsGone = 0;

class CountedRow : public MyTableItemWidget
{
public:
    explicit CountedRow(QWidget *parent = nullptr) : MyTableItemWidget(parent)
    {
        ++g_rowsMade;
    }
    ~CountedRow() override
    {
        ++g_rowsGone;
    }
    void clearData() override
    {
        ++cleared;
    }
    int cleared = 0;
};

// Items are plain numbers dressed as pointers: item i is i + 1.
void *item(int i)
{
    return reinterpret_cast<void *>(quintptr(i) + 1);
}

QList<void *> makeItems(int n)
{
    QList<void *> items;
    items.reserve(n);
    for (int i = 0; i < n; ++i)
        items.append(item(i));
    return items;
}

constexpr int kRowHeight = 30;
constexpr int kPool = 16;
constexpr int kViewHeight = 300; // ten rows

struct Harness {
    explicit Harness(int rowHeight = kRowHeight, int viewHeight = kViewHeight)
    {
        list.setRowHeight(rowHeight);
        for (int k = 0; k < kPool; ++k) {
            auto *row = new CountedRow;
            row->setGeometry(10, -180, 380, rowHeight);
            list.addRow(row);
        }
        list.resize(400, viewHeight);
        list.show();
    }
    int contentY() const
    {
        return int(-list.topOffset());
    }
    void wheel(int delta)
    {
        QWheelEvent e(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&list, &e);
    }
    MyTableListWidget list;
};

// The rows show consecutive items at their places, and cover what is in view.
QString checkBinding(const MyTableListWidget &list, int itemCount)
{
    const QList<MyTableItemWidget *> rows = list.rows();
    const int first = rows.first()->index();
    const qint64 viewTop = list.topOffset();
    const qint64 viewBottom = qMin<qint64>(viewTop + list.viewport()->height(), qint64(kRowHeight) * itemCount);
    int shown = 0;
    for (int k = 0; k < rows.size(); ++k) {
        const MyTableItemWidget *row = rows.at(k);
        if (row->index() < 0) {
            if (row->isVisibleTo(list.content()))
                return QStringLiteral("row %1 shows nothing but is visible").arg(k);
            continue;
        }
        ++shown;
        if (row->index() != first + k)
            return QStringLiteral("row %1 shows item %2 after item %3").arg(k).arg(row->index()).arg(first);
        if (row->index() >= itemCount)
            return QStringLiteral("row %1 shows item %2 past the end").arg(k).arg(row->index());
        if (row->itemData() != item(row->index()))
            return QStringLiteral("row %1 holds the wrong item").arg(k);
        // Where the row stands in the whole list: content and row offsets, plus the scroll.
        const qint64 at = list.content()->y() + row->y() + list.topOffset();
        if (at != qint64(kRowHeight) * row->index())
            return QStringLiteral("row %1 stands at %2").arg(k).arg(at);
    }
    if (itemCount == 0)
        return shown == 0 ? QString() : "rows shown for an empty list";
    if (first < 0 || first * kRowHeight > viewTop)
        return QStringLiteral("the view top %1 is above the first row %2").arg(viewTop).arg(first);
    if ((first + shown) * kRowHeight < viewBottom)
        return QStringLiteral("the view bottom %1 is below the last row").arg(viewBottom);
    return QString();
}
} // namespace

class TestLazyList : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        setScaleFactor(1.0);
    }

    // The bar shows only for more than two views of rows, and counts rows; shorter lists
    // still scroll by wheel as far as they reach.
    void theScrollBarShowsPastTwoViews_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<bool>("bar");
        QTest::addColumn<int>("lowest"); // the content's top after wheeling to the end
        QTest::newRow("an empty list shows no rows") << 0 << false << 0;
        QTest::newRow("a short list fills the view and does not scroll") << 5 << false << 0;
        QTest::newRow("a list of up to two views scrolls by wheel") << 15 << false << kViewHeight - 15 * kRowHeight;
        QTest::newRow("a longer list shows the bar") << 21 << true << kViewHeight - 21 * kRowHeight;
    }
    void theScrollBarShowsPastTwoViews()
    {
        QFETCH(int, items);
        QFETCH(bool, bar);
        QFETCH(int, lowest);
        Harness h;
        h.list.setItems(makeItems(items));
        QCOMPARE(h.list.scrollBar()->isVisibleTo(&h.list), bar);
        if (items * kRowHeight <= kViewHeight)
            QCOMPARE(h.list.content()->height(), kViewHeight);
        QCOMPARE(checkBinding(h.list, items), QString());
        if (bar) {
            // 330 pixels past the view are 11 rows; a page is ten.
            QCOMPARE(h.list.scrollBar()->maximum(), 11);
            QCOMPARE(h.list.scrollBar()->pageStep(), 10);
            QCOMPARE(h.list.scrollBar()->geometry(), QRect(395, 0, 5, kViewHeight));
        }
        h.wheel(-120);
        QCOMPARE(h.contentY(), qMax(lowest, -24));
        for (int i = 0; i < 20; ++i)
            h.wheel(-120);
        QCOMPARE(h.contentY(), lowest);
        QCOMPARE(checkBinding(h.list, items), QString());
    }

    void wheelSteps_data()
    {
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("moved");
        QTest::newRow("a step of 120 scrolls 24 pixels") << 120 << 24;
        QTest::newRow("a step of -120 scrolls 24 pixels down the list") << -120 << -24;
        QTest::newRow("a step of 15 scrolls 15 pixels") << 15 << 15;
        QTest::newRow("a step of 16 is not divided") << 16 << 16;
        QTest::newRow("a step of 17 scrolls 3 pixels") << 17 << 3;
        QTest::newRow("a step of -19 scrolls 3 pixels down the list") << -19 << -3;
    }
    void wheelSteps()
    {
        QFETCH(int, delta);
        QFETCH(int, moved);
        Harness h;
        h.list.setItems(makeItems(100));
        h.list.scrollBy(-600);
        QCOMPARE(h.contentY(), -600);
        h.wheel(delta);
        QCOMPARE(h.contentY(), -600 + moved);
        QCOMPARE(checkBinding(h.list, 100), QString());
    }

    void scrollingStopsAtBothEnds()
    {
        Harness h;
        h.list.setItems(makeItems(100));
        h.list.scrollBy(5000);
        QCOMPARE(h.contentY(), 0);
        QCOMPARE(h.list.rows().first()->index(), 0);
        for (int i = 0; i < 400; ++i)
            h.list.scrollBy(-97);
        QCOMPARE(h.contentY(), kViewHeight - 100 * kRowHeight);
        QCOMPARE(h.list.rows().last()->index(), 99);
        QCOMPARE(checkBinding(h.list, 100), QString());
        for (int i = 0; i < 400; ++i)
            h.list.scrollBy(89);
        QCOMPARE(h.contentY(), 0);
        QCOMPARE(h.list.rows().first()->index(), 0);
        QCOMPARE(checkBinding(h.list, 100), QString());
    }

    void scrollingRefillsOnlyTheRowsThatMove()
    {
        Harness h;
        h.list.setItems(makeItems(100));
        h.list.scrollBy(-600);
        QSignalSpy loads(&h.list, SIGNAL(loadDataSingal(MyTableItemWidget *)));
        h.list.scrollBy(-30);
        QCOMPARE(loads.count(), 1);
        h.list.scrollBy(-10);
        h.list.scrollBy(-10);
        QVERIFY(loads.count() <= 2);
    }

    void scrollBarDragAcrossTheListRebindsThePoolOnce()
    {
        Harness h;
        h.list.setItems(makeItems(100000));
        QSignalSpy loads(&h.list, SIGNAL(loadDataSingal(MyTableItemWidget *)));
        h.list.scrollBar()->setValue(50000);
        QCOMPARE(h.contentY(), -1500000);
        QVERIFY2(loads.count() <= kPool, qPrintable(QString::number(loads.count())));
        QCOMPARE(checkBinding(h.list, 100000), QString());
        loads.clear();
        h.list.scrollBar()->setValue(10);
        QCOMPARE(h.contentY(), -300);
        QVERIFY(loads.count() <= kPool);
        QCOMPARE(checkBinding(h.list, 100000), QString());
    }

    void scrollingThroughAHundredThousandItemsReusesThePool()
    {
        Harness h;
        const int n = 100000;
        h.list.setItems(makeItems(n));
        const int made = g_rowsMade;
        const int gone = g_rowsGone;
        QScrollBar *bar = h.list.scrollBar();
        QString fault;
        // Down the whole list a page at a time, then back by wheel steps over a stretch.
        while (bar->value() < bar->maximum() && fault.isEmpty()) {
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            fault = checkBinding(h.list, n);
        }
        QCOMPARE(fault, QString());
        QCOMPARE(h.list.rows().last()->index(), n - 1);
        for (int i = 0; i < 2000 && fault.isEmpty(); ++i) {
            h.wheel(120);
            fault = checkBinding(h.list, n);
        }
        QCOMPARE(fault, QString());
        while (bar->value() > 0 && fault.isEmpty()) {
            bar->triggerAction(QAbstractSlider::SliderPageStepSub);
            fault = checkBinding(h.list, n);
        }
        QCOMPARE(fault, QString());
        QCOMPARE(h.list.rows().first()->index(), 0);
        QCOMPARE(g_rowsMade, made);
        QCOMPARE(g_rowsGone, gone);
        QCOMPARE(h.list.rows().size(), kPool);
    }

    // Two hundred thousand rows at the largest scale are 32 million pixels, twice what
    // a Qt widget may measure: the last rows must still be reached and drawn.
    void theEndOfAListTallerThanAnyWidgetIsReached()
    {
        setScaleFactor(1.8);
        const int n = 200000, rh = scaled(90);
        Harness h(rh, scaled(540));
        MyTableListWidget &list = h.list;
        list.setItems(makeItems(n));
        QVERIFY(qint64(rh) * n > QWIDGETSIZE_MAX);
        QScrollBar *bar = list.scrollBar();
        bar->setValue(bar->maximum());
        QCOMPARE(list.topOffset(), qint64(rh) * n - list.viewport()->height());
        const MyTableItemWidget *last = list.rows().last();
        QCOMPARE(last->index(), n - 1);
        // The last row is inside the view, at the bottom.
        const QRect inView(list.content()->mapTo(list.viewport(), last->geometry().topLeft()), last->size());
        QCOMPARE(inView.bottom(), list.viewport()->height() - 1);
        QVERIFY(list.content()->height() < QWIDGETSIZE_MAX);
        // And the wheel walks back up through the rows without a gap.
        for (int i = 0; i < 50; ++i)
            list.scrollBy(rh / 3);
        const QList<MyTableItemWidget *> rows = list.rows();
        for (int k = 1; k < rows.size(); ++k) {
            QCOMPARE(rows.at(k)->index(), rows.at(k - 1)->index() + 1);
            QCOMPARE(rows.at(k)->y(), rows.at(k - 1)->y() + rh);
        }
        const qint64 firstAt = list.content()->y() + rows.first()->y() + list.topOffset();
        QCOMPARE(firstAt, qint64(rh) * rows.first()->index());
    }

    // Removing a row's item refills that row and those after it; removing the top row's item
    // keeps the scroll position.
    void removingAnItemRefillsFromItsRowOn()
    {
        Harness h;
        h.list.setItems(makeItems(100));
        const QList<MyTableItemWidget *> rows = h.list.rows();
        QSignalSpy loads(&h.list, SIGNAL(loadDataSingal(MyTableItemWidget *)));
        h.list.removeItem(item(5));
        QCOMPARE(h.list.items().size(), 99);
        QSet<MyTableItemWidget *> refilled;
        for (const QList<QVariant> &call : qAsConst(loads))
            refilled.insert(call.at(0).value<MyTableItemWidget *>());
        for (int k = 5; k < kPool; ++k)
            QVERIFY2(refilled.contains(rows.at(k)), qPrintable(QString::number(k)));
        QCOMPARE(rows.at(5)->itemData(), item(6));
        QCOMPARE(rows.at(5)->index(), 5);

        h.list.scrollBy(-1200);
        void *shown = h.list.rows().first()->itemData();
        h.list.removeItem(shown);
        QCOMPARE(h.contentY(), -1200);
        QVERIFY(h.list.rows().first()->index() > 0);
        QVERIFY(!h.list.rowShowing(shown));
        // Item numbers now skip the removed ones.
        const QList<void *> items = h.list.items();
        QCOMPARE(items.size(), 98);
        for (const MyTableItemWidget *row : h.list.rows())
            QCOMPARE(row->itemData(), items.at(row->index()));
    }

    void appendingKeepsTheScrollPositionAndBindsARowInView_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("scroll");
        QTest::newRow("appending to a scrolled list keeps the rows in view") << 100 << -1234;
        QTest::newRow("appending to a short list binds the new row") << 3 << 0;
    }
    void appendingKeepsTheScrollPositionAndBindsARowInView()
    {
        QFETCH(int, items);
        QFETCH(int, scroll);
        Harness h;
        h.list.setItems(makeItems(items));
        h.list.scrollBy(scroll);
        const int first = h.list.rows().first()->index();
        h.list.appendItem(item(items));
        QCOMPARE(h.contentY(), scroll);
        QCOMPARE(h.list.rows().first()->index(), first);
        QCOMPARE(h.list.items().size(), items + 1);
        QCOMPARE(checkBinding(h.list, items + 1), QString());
        if (items < kPool)
            QCOMPARE(h.list.rowShowing(item(items)), h.list.rows().at(items));
    }

    void settingItemsClearsEveryRowAndReturnsToTheTop()
    {
        Harness h;
        h.list.setItems(makeItems(100));
        h.list.scrollBy(-900);
        h.list.setItems(makeItems(50));
        QCOMPARE(h.contentY(), 0);
        QCOMPARE(h.list.rows().first()->index(), 0);
        for (MyTableItemWidget *row : h.list.rows())
            QCOMPARE(static_cast<CountedRow *>(row)->cleared, 2);
        QCOMPARE(checkBinding(h.list, 50), QString());
    }

    void fillingEmptyRowsSignalsOnlyRowsWithoutItems()
    {
        Harness h;
        h.list.setItems(makeItems(4));
        QSignalSpy loads(&h.list, SIGNAL(loadDataSingal(MyTableItemWidget *)));
        h.list.fillEmptyRows();
        QCOMPARE(loads.count(), kPool - 4);
        for (const QList<QVariant> &call : qAsConst(loads))
            QVERIFY(!call.at(0).value<MyTableItemWidget *>()->itemData());
    }

    void ownerMayCallBackIntoTheListWhenARowIsBound()
    {
        Harness h;
        int looked = 0;
        connect(&h.list, &MyTableListWidget::loadDataSingal, this, [&h, &looked](MyTableItemWidget *row) {
            if (h.list.rowShowing(row->itemData()) == row)
                ++looked;
        });
        h.list.setItems(makeItems(40));
        QCOMPARE(looked, kPool);
    }
};

CW_TEST_MAIN(TestLazyList)
#include "tst_lazylist.moc"
