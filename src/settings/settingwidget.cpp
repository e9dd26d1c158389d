#include "settings/settingwidget.h"

#include "app/appenv.h"
#include "app/vendor.h"
#include "settings/autodownloadwidget.h"
#include "settings/connectwidget.h"
#include "settings/dcachefolderwidget.h"
#include "settings/downloadersetwidget.h"
#include "settings/normalsetwidget.h"
#include "settings/settingslook.h"
#include "settings/supportqwidget.h"
#include "update/componentupdates.h"
#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QLabel>

using SettingsLook::px;

namespace
{
QString pageButtonStyle(const char *colour, const char *background)
{
    return QStringLiteral("QLabel{border: 1px solid #bcbbbb; border-right:none;border-left:none;border-top:none; "
                          "font-size:")
           + px(12) + QStringLiteral("px;color:") + QLatin1String(colour) + QStringLiteral("; background-color:")
           + QLatin1String(background) + QStringLiteral(";}");
}

const int kHeaderHeight = 30;
const int kSideBarWidth = 160;
const int kPageButtonHeight = 40;
} // namespace

SettingWidget::SettingWidget(QWidget *parent)
    : QWidget(parent), m_frame(new QWidget(this)), m_header(new QWidget(this)), m_iconLabel(new QLabel(m_header)),
      m_titleLabel(new QLabel(m_header)), m_closeButton(new MyPushButton(m_header)), m_sideBar(new QWidget(this)),
      m_normalPage(new NormalSetWidget(this)), m_proxyPage(new ConnectWidget(this)),
      m_autoDownloadPage(new AutoDownloadWidget(this)), m_cachePage(new DCacheFolderWidget(this)),
      m_downloaderPage(new DownloaderSetWidget(this)), m_supportPage(new SupportQWidget(this))
{
    m_pages[NormalPage] = m_normalPage;
    m_pages[ProxyPage] = m_proxyPage;
    m_pages[AutoDownloadPage] = m_autoDownloadPage;
    m_pages[DownloadCachePage] = m_cachePage;
    m_pages[DownloaderPage] = m_downloaderPage;
    m_pages[HelpPage] = m_supportPage;
    for (int i = 0; i < PageCount; ++i) {
        m_pageButtons[i] = new MyTempButton2(m_sideBar);
        m_pageButtons[i]->setCursor(Qt::PointingHandCursor);
        m_pages[i]->setAttribute(Qt::WA_StyledBackground);
        m_pages[i]->setObjectName(QStringLiteral("settingsPage"));
        m_pages[i]->setStyleSheet(QStringLiteral("QWidget#settingsPage{background-color:#ffffff;}"));
    }

    m_frame->setObjectName(QStringLiteral("frame"));
    m_frame->setStyleSheet(QStringLiteral("QWidget#frame{border: 1px solid #757474; background-color:#ffffff;}"));
    m_sideBar->setObjectName(QStringLiteral("sideBar"));
    m_sideBar->setAttribute(Qt::WA_StyledBackground);
    m_sideBar->setStyleSheet(
        QStringLiteral("QWidget#sideBar{background-color:#e9eaeb;border-right:1px solid #d8d7d6;}"));
    m_header->setAutoFillBackground(true);
    QPalette pal = m_header->palette();
    pal.setColor(QPalette::Window, QColor(0x48, 0x4a, 0x4d));
    m_header->setPalette(pal);
    m_iconLabel->setScaledContents(true);
    m_iconLabel->setPixmap(QPixmap(QStringLiteral(":/images/program.png")));
    m_titleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    const QString sheet = QStringLiteral(":/images/minclose.png");
    m_closeButton->setPictures(sheet, sheet, sheet, sheet);
    const QRect closePart = Sprites::titleButtonPart(Sprites::TitleCloseX, false);
    m_closeButton->setStateRect(Sprites::Normal, closePart);
    m_closeButton->setStateRect(Sprites::Hover, Sprites::titleButtonPart(Sprites::TitleCloseX, true));
    m_closeButton->setStateRect(Sprites::Pressed, closePart);
    m_closeButton->setStateRect(Sprites::Disabled, closePart);
    m_closeButton->setLayoutType(3);

    connect(m_closeButton, SIGNAL(clicked()), this, SLOT(closeButton_slots()));
    connect(m_pageButtons[NormalPage], SIGNAL(clicked()), this, SLOT(normalButton_slots()));
    connect(m_pageButtons[ProxyPage], SIGNAL(clicked()), this, SLOT(proxyButton_slots()));
    connect(m_pageButtons[AutoDownloadPage], SIGNAL(clicked()), this, SLOT(autodlButton_slots()));
    connect(m_pageButtons[DownloadCachePage], SIGNAL(clicked()), this, SLOT(dlCacheButton_slots()));
    connect(m_pageButtons[DownloaderPage], SIGNAL(clicked()), this, SLOT(downloaderButton_slots()));
    connect(m_pageButtons[HelpPage], SIGNAL(clicked()), this, SLOT(supportButton_slots()));
    connect(m_normalPage, SIGNAL(languageSwitched()), this, SLOT(retranslate()));

    selectPage(NormalPage);
    retranslate();
}

void SettingWidget::buildPages()
{
    layoutDialog();
    m_normalPage->loadSettings();
    m_proxyPage->loadSettings();
    m_autoDownloadPage->loadSettings();
    m_cachePage->loadSettings();
    m_downloaderPage->loadSettings();
    retranslate();
    selectPage(NormalPage);
}

void SettingWidget::retranslate()
{
    m_titleLabel->setText(tr("Preferences"));
    m_pageButtons[NormalPage]->setText(tr("Normal"));
    m_pageButtons[ProxyPage]->setText(tr("Proxy"));
    m_pageButtons[AutoDownloadPage]->setText(tr("Auto Download"));
    m_pageButtons[DownloadCachePage]->setText(tr("Download Cache"));
    m_pageButtons[DownloaderPage]->setText(tr("Downloader"));
    m_pageButtons[HelpPage]->setText(tr("Help"));
    m_normalPage->retranslate();
    m_proxyPage->retranslate();
    m_autoDownloadPage->retranslate();
    m_cachePage->retranslate();
    m_downloaderPage->retranslate();
    m_supportPage->retranslate();
    // The Help page is offered only with the Chinese interface.
    const bool help = languageCode() == QLatin1String("ZH");
    m_pageButtons[HelpPage]->setVisible(help);
    if (!help && m_current == HelpPage)
        selectPage(NormalPage);
}

void SettingWidget::layoutDialog()
{
    const int w = width();
    const int h = height();
    const int bar = scaled(kHeaderHeight);
    const int side = scaled(kSideBarWidth);
    m_frame->setGeometry(0, 0, w, h);
    m_frame->lower();
    m_header->setGeometry(0, 0, w, bar);
    const int icon = scaled(20);
    m_iconLabel->setGeometry(scaled(12), (bar - icon) / 2, icon, icon);
    m_titleLabel->setGeometry(scaled(40), 0, scaled(400), bar);
    m_titleLabel->setStyleSheet(QStringLiteral("QLabel { color: #e0e0e0;font-size:") + px(12) + QStringLiteral("px;}"));
    const int b = scaled(26);
    m_closeButton->setGeometry(w - scaled(30), (bar - b) / 2, b, b);

    m_sideBar->setGeometry(1, bar, side, h - bar - 1);
    for (int i = 0; i < PageCount; ++i) {
        m_pageButtons[i]->setGeometry(0, i * scaled(kPageButtonHeight), side - 1, scaled(kPageButtonHeight));
        m_pageButtons[i]->setStyleSheets(pageButtonStyle("#333333", "#e9eaeb"), pageButtonStyle("#444444", "#cccccc"),
                                         pageButtonStyle("#333333", "#ffffff"));
        m_pages[i]->setGeometry(side + 1, bar, w - side - 2, h - bar - 1);
    }
}

void SettingWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutDialog();
}

void SettingWidget::selectPage(int index)
{
    m_current = index;
    for (int i = 0; i < PageCount; ++i) {
        // A disabled page button wears the selected look.
        m_pageButtons[i]->setEnabled(i != index);
        m_pages[i]->setVisible(i == index);
    }
}

void SettingWidget::closeButton_slots()
{
    hide();
}

void SettingWidget::normalButton_slots()
{
    selectPage(NormalPage);
}

void SettingWidget::proxyButton_slots()
{
    selectPage(ProxyPage);
}

void SettingWidget::autodlButton_slots()
{
    selectPage(AutoDownloadPage);
}

void SettingWidget::dlCacheButton_slots()
{
    selectPage(DownloadCachePage);
}

void SettingWidget::downloaderButton_slots()
{
    selectPage(DownloaderPage);
}

void SettingWidget::showDownloaderUpdate()
{
    selectPage(DownloaderPage);
    ComponentUpdates::instance()->start();
}

void SettingWidget::supportButton_slots()
{
    selectPage(HelpPage);
}
