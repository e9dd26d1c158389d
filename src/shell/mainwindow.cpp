#include "shell/mainwindow.h"

#include "views/downloadpage.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "app/splash.h"
#include "app/startup.h"
#include "app/vendor.h"
#include "engine/proxy.h"
#include "platform/platform.h"
#include "settings/settingwidget.h"
#include "shell/languages.h"
#include "shell/loadingwidget.h"
#include "shell/titlebar.h"
#include "toolkit/toolkithome.h"
#include "update/componentupdates.h"
#include "update/updatewidget.h"
#include "widgets/pictures.h"

#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QtDebug>

namespace
{
// Calls a page's slot by name; false when there is no page or no such slot.
bool callPage(QWidget *page, const char *method)
{
    return page && QMetaObject::invokeMethod(page, method, Qt::DirectConnection);
}

// Asks a page a yes/no question by slot name; fallback when it cannot answer.
bool askPage(QWidget *page, const char *method, bool fallback)
{
    bool answer = fallback;
    if (!page || !QMetaObject::invokeMethod(page, method, Qt::DirectConnection, Q_RETURN_ARG(bool, answer)))
        return fallback;
    return answer;
}

double initialScaleFactor()
{
    // Screenshots and tests force a factor; everyone else gets the screen's.
    bool ok = false;
    const double forced = qEnvironmentVariable("CLIPWRIGHT_SCALE_FACTOR").toDouble(&ok);
    if (ok)
        return forced;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return computeScaleFactor(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
    return 1.0;
}
} // namespace

DoRaDuvoZezavi *mainWindow()
{
    return qobject_cast<DoRaDuvoZezavi *>(mainWidget());
}

DoRaDuvoZezavi::DoRaDuvoZezavi(QWidget *parent) : QWidget(parent)
{
    setMainWidget(this);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setDesktopSize(screen->size());
    setScaleFactor(initialScaleFactor());
    resize(scaled(1000), scaled(630));

    sharedPicture();
    m_frame = new QWidget(this);
    m_frame->setObjectName(QStringLiteral("frame"));
    m_titleBar = new DaVaVudIredaz(this);
    setShellServices(this);
    // The pages, one line each as they are written:
    setPage(Page::Download, new DLManagerWidget(this));
    setPage(Page::Update, new UpdateWidget);
    setPage(Page::Settings, new SettingWidget(this));
    //   setPage(Page::Toolkit, new ToolKitManagerWidget(this));
    setPage(Page::Toolkit, new ToolKitManagerWidget(this));
    m_loading = new LoadingWidget(this);
    m_loading->hide();
    // The stored proxy reaches the very first downloader run of the session.
    loadProxySetting();
    layoutChildren();

    m_frame->setStyleSheet(QStringLiteral("QWidget{border-left: 1px solid #757474;border-right: 1px solid #757474;"
                                          "border-bottom: 1px solid #757474; border-radius: 0px;}"));
    setWindowIcon(QIcon(QStringLiteral(":/images/program.png")));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 253, 253));
    setPalette(pal);
    setAutoFillBackground(true);

    m_titleBar->setupStyle();
    setWindowTitle(tr("Clipwright"));
    retranslate();

    new ComponentAutoCheck([this]() { return downloadsRunning(); }, this);
    deleteStaleDownloaderCopy();
    holdSplashScreen(2000, tr("Loading.."));
}

DoRaDuvoZezavi::~DoRaDuvoZezavi()
{
    delete m_updateDialog.data(); // parentless, so not deleted with the window
    if (mainWidget() == this)
        setMainWidget(nullptr);
    if (shellServices() == this)
        setShellServices(nullptr);
}

int DoRaDuvoZezavi::titleBarHeight() const
{
    return scaled(30);
}

void DoRaDuvoZezavi::setPage(Page role, QWidget *page)
{
    switch (role) {
    case Page::Download:
        m_downloadPage = page;
        break;
    case Page::Toolkit:
        m_toolkitPage = page;
        break;
    case Page::Settings:
        m_settingsDialog = page;
        break;
    case Page::Update:
        m_updateDialog = page;
        break;
    }
    if (!page)
        return;
    if (role != Page::Update && page->parentWidget() != this)
        page->setParent(this);
    placePage(role);
    page->setVisible(role == Page::Toolkit);
    if (m_loading)
        m_loading->raise();
    callPage(page, "retranslate");
}

QWidget *DoRaDuvoZezavi::page(Page role) const
{
    switch (role) {
    case Page::Download:
        return m_downloadPage;
    case Page::Toolkit:
        return m_toolkitPage;
    case Page::Settings:
        return m_settingsDialog;
    case Page::Update:
        return m_updateDialog;
    }
    return nullptr;
}

void DoRaDuvoZezavi::placePage(Page role)
{
    const int w = width();
    const int h = height();
    const int bar = titleBarHeight();
    QWidget *p = page(role);
    if (!p)
        return;
    if (role == Page::Download || role == Page::Toolkit)
        p->setGeometry(1, bar, w - 2, h - bar - 1);
}

void DoRaDuvoZezavi::layoutChildren()
{
    const int w = width();
    const int h = height();
    const int bar = titleBarHeight();
    m_frame->setGeometry(0, 0, w, h);
    m_titleBar->setGeometry(0, 0, w, bar);
    placePage(Page::Download);
    placePage(Page::Toolkit);
    // The overlay leaves the title bar free, so a running tool can still be closed.
    m_loading->setGeometry(0, bar, w, h - bar);
    m_loading->layoutBox();
}

void DoRaDuvoZezavi::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void DoRaDuvoZezavi::retranslate()
{
    setWindowTitle(tr("Clipwright"));
    m_titleBar->retranslate();
    callPage(m_downloadPage, "retranslate");
    callPage(m_settingsDialog, "retranslate");
    callPage(m_toolkitPage, "retranslate");
}

void DoRaDuvoZezavi::showLoading(bool show, const QString &text)
{
    if (!show) {
        m_loading->hide();
        return;
    }
    if (!text.isEmpty())
        m_loading->setText(text);
    m_loading->show();
    m_loading->raise();
}

void DoRaDuvoZezavi::setFinishedAction(int action)
{
    m_finishedAction = action;
}

void DoRaDuvoZezavi::runFinishedAction()
{
    if (m_finishedAction == 1)
        Platform::runPowerAction(Platform::PowerAction::Restart);
    else if (m_finishedAction == 2)
        Platform::runPowerAction(Platform::PowerAction::ShutDown);
}

bool DoRaDuvoZezavi::moveQueueDatabase(const QString &folder)
{
    auto *page = qobject_cast<DLManagerWidget *>(m_downloadPage.data());
    return page && page->moveCacheFolder(folder);
}

void DoRaDuvoZezavi::showSettings()
{
    if (!m_settingsDialog)
        return;
    m_settingsDialog->setGeometry(0, 0, width(), height());
    callPage(m_settingsDialog, "buildPages");
    m_settingsDialog->show();
    m_settingsDialog->raise();
}

void DoRaDuvoZezavi::showUpdate(bool manual)
{
    auto *dialog = qobject_cast<QDialog *>(m_updateDialog.data());
    if (!dialog)
        return;
    centerOnMainWindow(dialog);
    callPage(dialog, "retranslate");
    if (manual)
        QMetaObject::invokeMethod(dialog, "startCheck", Qt::DirectConnection, Q_ARG(bool, true));
    dialog->exec();
}

QString DoRaDuvoZezavi::switchLanguage(const QString &code)
{
    if (m_titleBar) {
        m_titleBar->switchLanguage(code);
        return languageCode();
    }
    setLanguageCode(installLanguage(code));
    return languageCode();
}

bool DoRaDuvoZezavi::downloadsRunning() const
{
    return askPage(m_downloadPage, "isDownloading", false);
}

bool DoRaDuvoZezavi::offersDownloaderUpdate() const
{
    // Once the downloader has been updated in this run, a failure is no longer its age.
    return !ComponentUpdates::instance()->hasRunThisSession();
}

void DoRaDuvoZezavi::updateDownloader()
{
    showSettings();
    callPage(m_settingsDialog, "showDownloaderUpdate");
}

void DoRaDuvoZezavi::showDownloadPage()
{
    if (m_downloadPage)
        m_downloadPage->show();
    if (m_toolkitPage)
        m_toolkitPage->hide();
}

void DoRaDuvoZezavi::openDownloadPage(bool firstVisit)
{
    if (firstVisit)
        QTimer::singleShot(100, this, SLOT(fristLoad_slots()));
    showDownloadPage();
    // Back from the toolkit, the download list lifts its hold and schedules once.
    if (m_downloadPage && m_downloadPage->metaObject()->indexOfMethod("reopen()") >= 0)
        QMetaObject::invokeMethod(m_downloadPage, "reopen", Qt::DirectConnection);
}

void DoRaDuvoZezavi::showToolkitPage()
{
    if (m_downloadPage)
        m_downloadPage->hide();
    if (m_toolkitPage)
        m_toolkitPage->show();
}

void DoRaDuvoZezavi::runCloseSteps()
{
    if (m_downloadPage && m_downloadPage->isVisible()) {
        if (askPage(m_downloadPage, "mayExit", true))
            showToolkitPage();
        return;
    }
    if (askPage(m_toolkitPage, "closeTool", false)) {
        // The tool's run was stopped with it; nothing is loading any more.
        showLoading(false);
        showToolkitPage();
        return;
    }
    QThread::msleep(500);
    close();
}

void DoRaDuvoZezavi::fristLoad_slots()
{
    callPage(m_downloadPage, "fristLoad");
}

QString DoRaDuvoZezavi::vendorUrl(const QString &page) const
{
    return ::vendorUrl(page);
}

void DoRaDuvoZezavi::openVendorPage(const QString &page)
{
    ::openVendorPage(page);
}

void DoRaDuvoZezavi::mousePressEvent(QMouseEvent *event)
{
    if (event->y() < titleBarHeight()) {
        m_dragging = true;
        m_pressX = event->x();
        m_pressY = event->y();
    }
    QWidget::mousePressEvent(event);
}

void DoRaDuvoZezavi::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && event->y() < titleBarHeight())
        move(x() - m_pressX + event->x(), y() - m_pressY + event->y());
    QWidget::mouseMoveEvent(event);
}

void DoRaDuvoZezavi::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}
