// A headless program that runs the download queue the way the download page does,
// for the crash test: it restores the stored queue, optionally queues one link, and
// exits 0 once the queue has emptied after a success.
// Usage: queuerunner APP_FOLDER CACHE_FOLDER OUTPUT_FOLDER [LINK]

#include "app/appenv.h"
#include "app/settings.h"
#include "fakes/fakequeuecontext.h"
#include "queue/downloaditem.h"
#include "queue/scheduler.h"

#include <QGuiApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    setAppDirPath(args.at(1));
    Settings::writeText(Settings::Key::DownloadTempFolder, args.at(2));

    DBManagerThread db(args.at(2));
    FakeQueueContext context;
    context.folder = args.at(3);
    context.db = &db;
    DownloadQueue queue(&context);
    queue.setLoading(true);
    QObject::connect(&db, &DBManagerThread::checkwillLoad, &db, [&db]() { db.answerRestore(true); });
    QObject::connect(&db, &DBManagerThread::updateloaditem, &db, [&]() {
        for (const StoredRow &row : db.currentRows())
            if (row.isfinished != 1)
                queue.addRestoredItem(row.record);
        db.setRowTaken();
    });
    QObject::connect(&db, &QThread::finished, &queue, [&]() {
        queue.setLoading(false);
        if (args.size() > 4) {
            db.insertLink(args.at(4));
            queue.addNewLink(args.at(4));
        }
        queue.analysisPass();
        queue.downloadPass();
    });
    // The finished action comes once the queue has emptied after a success.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&]() {
        if (context.finishedActions > 0 && queue.count() == 0)
            app.exit(0);
    });
    poll.start(50);
    QTimer::singleShot(60000, &app, [&]() { app.exit(3); });
    db.start();
    return app.exec();
}
