// Formatting runs for every visible row on every progress tick: sizes and titles
// for a screenful of rows should cost microseconds.

#include "app/format.h"
#include "testlib/testenv.h"

class BenchFormat : public QObject
{
    Q_OBJECT
private slots:
    void formatSizeForAThousandRows()
    {
        QBENCHMARK
        {
            for (qint64 i = 0; i < 1000; ++i)
                formatSize(i * 7919 * 1024);
        }
    }
    void cleanFileNameOfALongTitle()
    {
        const QString title = QString(QStringLiteral("Live: \"Best of\" 2024 / Part #1? ")).repeated(20);
        QBENCHMARK
        {
            cleanFileName(title);
        }
    }
};

CW_TEST_MAIN(BenchFormat)
#include "bench_format.moc"
