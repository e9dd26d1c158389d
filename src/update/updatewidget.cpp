#include "update/updatewidget.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "app/settings.h"
#include "app/shellservices.h"
#include "app/vendor.h"
#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QDate>
#include <QLabel>
#include <QMovie>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <QtDebug>

using Settings::Key;

namespace
{
UpdateWidget::Timings g_timings;

QString px(double designPixels)
{
    return QString::number(scaled(designPixels));
}

QString updateButtonStyle(const char *border, const char *background)
{
    return QStringLiteral("QLabel{border: 1px solid ") + QLatin1String(border) + QStringLiteral("; font-size:") + px(12)
           + QStringLiteral("px;color:#dddddd;font-weight:700; background-color:") + QLatin1String(background)
           + QStringLiteral(";border-radius: 3px;}");
}

QString remindButtonStyle(const char *colour)
{
    return QStringLiteral("QLabel{border: 1px solid ") + QLatin1String(colour) + QStringLiteral("; font-size:") + px(12)
           + QStringLiteral("px;color:") + QLatin1String(colour)
           + QStringLiteral(";font-weight:700; background-color:#ffffff;border-radius: 3px;}");
}

const int kHeaderHeight = 30;
} // namespace

int versionNumber(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 3)
        return 0;
    static const int weights[3] = {1000, 100, 10};
    int value = 0;
    for (int i = 0; i < 3; ++i) {
        const QString &part = parts.at(i);
        bool ok = false;
        const int n = part.toInt(&ok, 10);
        // A part with anything around its digits (a trailing line feed) does not parse.
        if (ok && part == part.trimmed())
            value += n * weights[i];
    }
    return value;
}

const char *const UpdateWidget::OwnVersion = CLIPWRIGHT_VERSION;
const char *const UpdateWidget::CheckPage = "/download/checkupates.php";
const char *const UpdateWidget::DownloadPage = "/download/index.php";

UpdateWidget::Timings UpdateWidget::timings()
{
    return g_timings;
}

void UpdateWidget::setTimings(const Timings &timings)
{
    g_timings = timings;
}

UpdateWidget::UpdateWidget()
    : MovableDialog(nullptr), m_manager(new QNetworkAccessManager(this)), m_timeoutTimer(new QTimer(this)),
      m_requestTimer(new QTimer(this)), m_firstCheckTimer(new QTimer(this)), m_panel(new QWidget(this)),
      m_header(new QWidget(this)), m_iconLabel(new QLabel(m_header)), m_titleLabel(new QLabel(m_header)),
      m_messageLabel(new QLabel(this)), m_loadingLabel(new QLabel(this)),
      m_loadingMovie(new QMovie(QStringLiteral(":/images/small_loadimg2.gif"), QByteArray(), this)),
      m_updateButton(new MyTempButton2(this)), m_remindButton(new MyTempButton2(this)),
      m_closeButton(new MyPushButton(m_header))
{
    setWindowTitle(QStringLiteral("Clipwright"));
    resize(scaled(380), scaled(200));

    m_panel->setStyleSheet(QStringLiteral("QWidget{border-bottom: 1px solid #757474; border-right:1px solid "
                                          "#757474;border-left:1px solid #757474;border-top:1px solid #757474; "
                                          "background-color:#ffffff;}"));
    m_header->setAutoFillBackground(true);
    QPalette pal = m_header->palette();
    pal.setColor(QPalette::Window, QColor(0x48, 0x4a, 0x4d));
    m_header->setPalette(pal);
    m_iconLabel->setScaledContents(true);
    m_iconLabel->setPixmap(QPixmap(QStringLiteral(":/images/program.png")));
    m_titleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_messageLabel->setAlignment(Qt::AlignCenter);
    m_messageLabel->setWordWrap(true);
    m_loadingLabel->setMovie(m_loadingMovie);
    m_loadingLabel->setScaledContents(true);
    m_loadingLabel->hide();

    const QString sheet = QStringLiteral(":/images/minclose.png");
    m_closeButton->setPictures(sheet, sheet, sheet, sheet);
    const QRect closePart = Sprites::titleButtonPart(Sprites::TitleCloseX, false);
    m_closeButton->setStateRect(Sprites::Normal, closePart);
    m_closeButton->setStateRect(Sprites::Hover, Sprites::titleButtonPart(Sprites::TitleCloseX, true));
    m_closeButton->setStateRect(Sprites::Pressed, closePart);
    m_closeButton->setStateRect(Sprites::Disabled, closePart);
    m_closeButton->setLayoutType(3);
    for (MyTempButton2 *b : {m_updateButton, m_remindButton}) {
        b->setCursor(Qt::PointingHandCursor);
        b->hide();
    }

    m_timeoutTimer->setSingleShot(true);
    m_requestTimer->setSingleShot(true);
    m_firstCheckTimer->setSingleShot(true);
    connect(m_closeButton, SIGNAL(clicked()), this, SLOT(closeButton_slots()));
    connect(m_updateButton, SIGNAL(clicked()), this, SLOT(updateButton_slots()));
    connect(m_remindButton, SIGNAL(clicked()), this, SLOT(remindButton_slots()));
    connect(m_firstCheckTimer, SIGNAL(timeout()), this, SLOT(fristCheckVer_slots()));
    connect(m_requestTimer, SIGNAL(timeout()), this, SLOT(updateCheck_slots()));
    connect(m_timeoutTimer, SIGNAL(timeout()), this, SLOT(downhtmlfinished_slots()));
    connect(m_manager, SIGNAL(finished(QNetworkReply *)), this, SLOT(downhtmlfinished_slots()));

    layoutDialog();
    retranslate();
    if (g_timings.firstCheckMs >= 0)
        m_firstCheckTimer->start(g_timings.firstCheckMs);
}

UpdateWidget::~UpdateWidget()
{
    // A request still under way ends with the manager, unheard.
    m_manager->disconnect(this);
    m_timeoutTimer->stop();
}

QString UpdateWidget::messageText() const
{
    return m_messageLabel->text();
}

int UpdateWidget::exec()
{
    armTestAnswer(messageText(), {m_updateButton, m_remindButton});
    return QDialog::exec();
}

QWidget *UpdateWidget::controlFor(DialogTestHook::Press press) const
{
    switch (press) {
    case DialogTestHook::Press::OK:
        return m_updateButton;
    case DialogTestHook::Press::Cancel:
        return m_remindButton;
    case DialogTestHook::Press::Close:
        return m_closeButton;
    default:
        return nullptr;
    }
}

void UpdateWidget::layoutDialog()
{
    const int w = width();
    const int h = height();
    const int bar = scaled(kHeaderHeight);
    m_panel->setGeometry(0, 0, w, h);
    m_header->setGeometry(1, 1, w - 2, bar);
    const int icon = scaled(18);
    m_iconLabel->setGeometry(scaled(10), (bar - icon) / 2, icon, icon);
    m_titleLabel->setGeometry(scaled(36), 0, scaled(200), bar);
    m_titleLabel->setStyleSheet(QStringLiteral("QLabel{color:#e0e0e0;font-size:") + px(12)
                                + QStringLiteral("px;background:transparent;border:none;}"));
    const int b = scaled(26);
    m_closeButton->setGeometry(m_header->width() - scaled(30), (bar - b) / 2, b, b);

    const int spinner = scaled(20);
    m_loadingLabel->setGeometry((w - spinner) / 2, bar + scaled(38), spinner, spinner);
    const int buttonW = scaled(130);
    const int buttonH = scaled(32);
    const int buttonY = h - scaled(20) - buttonH;
    m_updateButton->setGeometry(w - scaled(20) - buttonW, buttonY, buttonW, buttonH);
    m_remindButton->setGeometry(w - scaled(32) - 2 * buttonW, buttonY, buttonW, buttonH);
    if (m_checking)
        m_messageLabel->setGeometry(scaled(20), bar + scaled(66), w - scaled(40), scaled(30));
    else if (m_newVersion)
        m_messageLabel->setGeometry(scaled(20), bar + scaled(12), w - scaled(40), buttonY - bar - scaled(24));
    else
        m_messageLabel->setGeometry(scaled(20), bar, w - scaled(40), h - bar - scaled(10));
    m_messageLabel->setStyleSheet(QStringLiteral("QLabel{font-size:") + px(13)
                                  + QStringLiteral("px;color:#333333;background:transparent;border:none;}"));
    m_updateButton->setStyleSheets(updateButtonStyle("#d8d7d6", "#e25851"), updateButtonStyle("#cfcecd", "#f14a4a"),
                                   updateButtonStyle("#e6e6e6", "#e2938f"));
    m_remindButton->setStyleSheets(remindButtonStyle("#bcbbbb"), remindButtonStyle("#e4625b"),
                                   remindButtonStyle("#e2938f"));
}

void UpdateWidget::retranslate()
{
    m_titleLabel->setText(tr("Clipwright"));
    m_updateButton->setText(tr("Update Now"));
    m_remindButton->setText(tr("Remind me Later"));
    if (m_answered)
        showOutcome();
}

void UpdateWidget::startCheck(bool manual)
{
    m_automatic = !manual;
    m_checking = true;
    m_answered = false;
    m_updateButton->hide();
    m_remindButton->hide();
    m_messageLabel->setText(QStringLiteral("Check new version..."));
    m_loadingLabel->show();
    m_loadingMovie->start();
    layoutDialog();
    m_requestTimer->start(g_timings.requestDelayMs);
}

void UpdateWidget::fristCheckVer_slots()
{
    if (!Settings::readSwitch(Key::AutoCheckUpdate))
        return;
    const QString today = QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy"));
    const QString last = Settings::readText(Key::LastCheckUpdateTime);
    if (!last.isEmpty() && last == today)
        return;
    // Stored before the request, so a failed check is not repeated the same day.
    Settings::writeText(Key::LastCheckUpdateTime, today);
    startCheck(false);
}

void UpdateWidget::updateCheck_slots()
{
    if (QNetworkReply *old = m_reply.data()) {
        m_reply = nullptr;
        old->abort();
        old->deleteLater();
    }
    QNetworkRequest request{QUrl(vendorUrl(QLatin1String(CheckPage)))};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    qDebug() << "updateCheck_slots" << request.url().toString();
    m_reply = m_manager->get(request);
    m_timeoutTimer->start(g_timings.timeoutMs);
}

void UpdateWidget::downhtmlfinished_slots()
{
    // Reached on the reply's end and on the time-out; whichever comes second finds
    // the request already handled.
    QNetworkReply *reply = m_reply.data();
    if (!m_checking || !reply)
        return;
    m_reply = nullptr;
    QByteArray body;
    if (!m_timeoutTimer->isActive()) {
        reply->abort();
    } else {
        m_timeoutTimer->stop();
        // An error page is no version, whatever its body says.
        if (reply->error() == QNetworkReply::NoError)
            body = reply->readAll();
    }
    reply->deleteLater();
    m_loadingLabel->hide();
    m_loadingMovie->stop();
    m_checking = false;
    m_answered = true;
    m_latestVersion = QString::fromUtf8(body);
    // Without a version to compare the check failed: it must not pass for "the latest".
    m_checkFailed = versionNumber(m_latestVersion) == 0;
    m_newVersion = versionNumber(m_latestVersion) > versionNumber(QLatin1String(OwnVersion));
    showOutcome();
    if (m_automatic && m_newVersion)
        QTimer::singleShot(0, this, [this]() { showNewVersion(); });
}

void UpdateWidget::showOutcome()
{
    m_updateButton->setVisible(m_newVersion);
    m_remindButton->setVisible(m_newVersion);
    if (m_newVersion)
        m_messageLabel->setText(tr("A new version is available for ") + QStringLiteral("Kestrova") + QLatin1Char(' ')
                                + QStringLiteral("Clipwright"));
    else if (m_checkFailed)
        m_messageLabel->setText(tr("Could not check for a new version. Please check your network connection and "
                                   "try again."));
    else
        m_messageLabel->setText(tr("The current version is the latest version"));
    layoutDialog();
}

void UpdateWidget::showNewVersion()
{
    ShellServices *shell = shellServices();
    if (shell && shell->updateDialog() == this) {
        shell->showUpdate(false);
        return;
    }
    centerOnMainWindow(this);
    retranslate();
    exec();
}

void UpdateWidget::closeButton_slots()
{
    hide();
}

void UpdateWidget::updateButton_slots()
{
    openVendorPage(QLatin1String(DownloadPage));
}

void UpdateWidget::remindButton_slots()
{
    hide();
}
