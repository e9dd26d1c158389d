#include "shell/mainwindow.h"

#include "app/appenv.h"
#include "app/splash.h"
#include "app/startup.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

DoRaDuvoZezavi *mainWindow()
{
    return qobject_cast<DoRaDuvoZezavi *>(mainWidget());
}

DoRaDuvoZezavi::DoRaDuvoZezavi(QWidget *parent)
    : QWidget(parent)
{
    setMainWidget(this);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        setDesktopSize(screen->size());
        setScaleFactor(computeScaleFactor(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()));
    }
    resize(scaled(1000), scaled(630));

    m_frame = new QWidget(this);
    m_frame->setObjectName(QStringLiteral("frame"));
    layoutChildren();

    m_frame->setStyleSheet(QStringLiteral(
        "QWidget{border-left: 1px solid #757474;border-right: 1px solid #757474;"
        "border-bottom: 1px solid #757474; border-radius: 0px;}"));
    setWindowIcon(QIcon(QStringLiteral(":/images/program.png")));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 253, 253));
    setPalette(pal);
    setAutoFillBackground(true);

    retranslate();

    deleteStaleDownloaderCopy();
    holdSplashScreen(2000, tr("Loading.."));
}

DoRaDuvoZezavi::~DoRaDuvoZezavi()
{
    if (mainWidget() == this)
        setMainWidget(nullptr);
}

void DoRaDuvoZezavi::layoutChildren()
{
    m_frame->setGeometry(0, 0, width(), height());
}

void DoRaDuvoZezavi::retranslate()
{
    setWindowTitle(tr("Clipwright"));
}
