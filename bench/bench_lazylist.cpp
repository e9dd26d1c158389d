// One scroll step of the lazy list must cost the same for a short and a very long
// list: compare the two rows' results (they should stay within a ratio of 1.2).

#include "app/appenv.h"
#include "testlib/testenv.h"
#include "widgets/lazylist.h"

#include <QWheelEvent>

class BenchLazyList : public QObject
{
    Q_OBJECT
private slots:
    void oneScrollStep_data()
    {
        QTest::addColumn<int>("items");
        QTest::newRow("100 items") << 100;
        QTest::newRow("100,000 items") << 100000;
    }
    void oneScrollStep()
    {
        QFETCH(int, items);
        setScaleFactor(1.0);
        MyTableListWidget list;
        list.setRowHeight(90);
        for (int k = 0; k < 30; ++k) {
            auto *row = new MyTableItemWidget;
            row->setGeometry(10, -180, 980, 90);
            list.addRow(row);
        }
        QList<void *> all;
        all.reserve(items);
        for (int i = 0; i < items; ++i)
            all.append(reinterpret_cast<void *>(quintptr(i) + 1));
        list.resize(1000, 540);
        list.show();
        list.setItems(all);
        // Work in the middle of the list (or of what a short list allows), where rows recycle.
        list.scrollBy(-qMin(90 * items / 2, 90 * 50));
        int filled = 0;
        connect(&list, &MyTableListWidget::loadDataSingal, this, [&filled](MyTableItemWidget *) { ++filled; });
        bool down = true;
        QBENCHMARK
        {
            // A row down, then a row up: each step recycles one row, and the list
            // stays where it is between rounds.
            QWheelEvent e(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, down ? -450 : 450), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(&list, &e);
            down = !down;
        }
        QVERIFY(filled > 0 || items <= 30);
    }
};

CW_TEST_MAIN(BenchLazyList)
#include "bench_lazylist.moc"
