// Draws the main window, its menu and loading overlay, and the two message dialogs
// at scale 1.0 and 1.5 in English and Chinese, for docs/screenshots (scripts/screenshots).
// Runs headless on the offscreen platform in a private HOME, like the tests.

#include "app/appenv.h"
#include "app/settings.h"
#include "shell/loadingwidget.h"
#include "shell/mainwindow.h"
#include "shell/titlebar.h"
#include "widgets/messagedialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

namespace
{
QString g_outDir;

void settle()
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 150)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void store(const QImage &image, const QString &name)
{
    const QString path = g_outDir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!image.save(path))
        QTextStream(stderr) << "cannot write " << path << '\n';
}

// Sample messages as the pages that ask them will; the pages bring their own translations.
struct Samples {
    QString question;
    QString notice;
    QString ok;
};
Samples samples(bool chinese)
{
    if (chinese)
        return {QStringLiteral("有任务正在运行，确定要退出吗？"), QStringLiteral("读取文件失败，请重试。"),
                QStringLiteral("确定")};
    return {QStringLiteral("There are some tasks running, do you want to exit application?"),
            QStringLiteral("Read file failed, Please try again."), QStringLiteral("OK")};
}

void shoot(const QString &code, double scale)
{
    Settings::writeLanguage(code);
    qputenv("CLIPWRIGHT_SCALE_FACTOR", QByteArray::number(scale));
    const QString tag = code.toLower() + QLatin1Char('-') + QString::number(qRound(scale * 100));

    DoRaDuvoZezavi window;
    window.move(0, 0);
    window.show();
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-window"));

    // The menu is a popup of its own; it is painted onto the window where it opened.
    window.titleBar()->menuButton_slots();
    QMenu *menu = window.titleBar()->menu();
    // The offscreen screen is 800 pixels wide and pushes the popup inside it; put it
    // back where the title bar opened it on a real desktop.
    menu->move(window.titleBar()->menuPosition());
    settle();
    QImage withMenu = window.grab().toImage();
    {
        QPainter p(&withMenu);
        p.drawPixmap(menu->pos() - window.pos(), menu->grab());
    }
    menu->hide();
    const int bar = window.titleBarHeight();
    store(withMenu.copy(window.width() / 2, 0, window.width() / 2, bar + menu->height() + scaled(40)),
          tag + QStringLiteral("-menu"));

    window.showLoading(true,
                       code == QLatin1String("ZH") ? QStringLiteral("正在加载...") : QStringLiteral("Loading..."));
    settle();
    store(window.grab().toImage(), tag + QStringLiteral("-loading"));
    window.showLoading(false);

    const Samples text = samples(code == QLatin1String("ZH"));
    MyMessageDialog question;
    question.setMessage(text.question);
    question.setQuestionButtons();
    question.show();
    settle();
    store(question.grab().toImage(), tag + QStringLiteral("-question"));
    question.hide();

    MyMessageDialog notice;
    notice.setMessage(text.notice);
    notice.singleButton(text.ok);
    notice.show();
    settle();
    store(notice.grab().toImage(), tag + QStringLiteral("-notice"));
    notice.hide();

    CheckQURLItem playlist;
    playlist.build();
    playlist.show();
    settle();
    store(playlist.grab().toImage(), tag + QStringLiteral("-playlist"));
    playlist.hide();
}
} // namespace

int main(int argc, char *argv[])
{
    // The program stores its language choice; keep that out of the developer's settings.
    QTemporaryDir home;
    for (const char *v : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
        qputenv(v, QFile::encodeName(home.path()));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith(QLatin1String("This plugin does not")))
            QTextStream(stderr) << message << '\n';
    });
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (argc < 2) {
        QTextStream(stderr) << "usage: cw_screenshots OUTPUT_FOLDER\n";
        return 2;
    }
    g_outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_outDir);
    setAppDirPath(QStringLiteral(CLIPWRIGHT_BIN_DIR));
    for (const char *code : {"EN", "ZH"})
        for (double scale : {1.0, 1.5})
            shoot(QString::fromLatin1(code), scale);
    return 0;
}
