#include "shell/titlebar.h"

#include "app/appenv.h"
#include "app/settings.h"
#include "app/vendor.h"
#include "shell/languages.h"
#include "shell/mainwindow.h"
#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>

namespace
{
QString px(double designPixels)
{
    return QString::number(scaled(designPixels));
}

void setTitleButtonParts(MyPushButton *button, int columnX)
{
    const QString sheet = QStringLiteral(":/images/minclose.png");
    button->setPictures(sheet, sheet, sheet, sheet);
    const QRect normal = Sprites::titleButtonPart(columnX, false);
    button->setStateRect(Sprites::Normal, normal);
    button->setStateRect(Sprites::Hover, Sprites::titleButtonPart(columnX, true));
    button->setStateRect(Sprites::Pressed, normal);
    button->setStateRect(Sprites::Disabled, normal);
    button->setLayoutType(3);
}
} // namespace

DaVaVudIredaz::DaVaVudIredaz(DoRaDuvoZezavi *window)
    : QWidget(window), m_window(window), m_iconLabel(new QLabel(this)), m_titleLabel(new QLabel(this)),
      m_versionLabel(new QLabel(this)), m_closeButton(new MyPushButton(this)), m_minButton(new MyPushButton(this)),
      m_menuButton(new MyPushButton(this)), m_menu(new QMenu(this)), m_helpAction(new QAction(this)),
      m_supportAction(new QAction(this)), m_homepageAction(new QAction(this)), m_preferencesAction(new QAction(this)),
      m_checkUpgradeAction(new QAction(this)), m_languageMenu(new QMenu(m_menu))
{
    m_menu->addAction(m_helpAction);
    m_menu->addAction(m_supportAction);
    m_menu->addAction(m_homepageAction);
    m_menu->addAction(m_preferencesAction);
    m_menu->addSeparator();
    m_menu->addAction(m_checkUpgradeAction);
    m_menu->addMenu(m_languageMenu);

    connect(m_closeButton, SIGNAL(clicked()), this, SLOT(closeButton_slots()));
    connect(m_minButton, SIGNAL(clicked()), this, SLOT(minButton_slots()));
    connect(m_menuButton, SIGNAL(clicked()), this, SLOT(menuButton_slots()));
    connect(m_helpAction, SIGNAL(triggered(bool)), this, SLOT(slots_helpAction()));
    connect(m_supportAction, SIGNAL(triggered(bool)), this, SLOT(slots_supportAction()));
    connect(m_homepageAction, SIGNAL(triggered(bool)), this, SLOT(slots_homepageAction()));
    connect(m_checkUpgradeAction, SIGNAL(triggered(bool)), this, SLOT(slots_checkUpgradeAction()));
    connect(m_preferencesAction, SIGNAL(triggered(bool)), this, SLOT(slots_preferencesAction()));
    connect(m_languageMenu, SIGNAL(triggered(QAction *)), this, SLOT(slots_all_language_Action(QAction *)));
}

void DaVaVudIredaz::setupStyle()
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x48, 0x4a, 0x4d));
    setPalette(pal);

    m_titleLabel->setStyleSheet(QStringLiteral("QLabel { color: #e0e0e0;font:") + px(12)
                                + QStringLiteral("px;font-family:\"Lato\";}"));
    m_versionLabel->setStyleSheet(QStringLiteral("QLabel { color: #b7b7b7;font:") + px(10)
                                  + QStringLiteral("px;font-family:\"Lato\";}"));
    m_titleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_versionLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_iconLabel->setScaledContents(true);

    setTitleButtonParts(m_menuButton, Sprites::TitleMenuX);
    setTitleButtonParts(m_minButton, Sprites::TitleMinimiseX);
    setTitleButtonParts(m_closeButton, Sprites::TitleCloseX);

    const QString menuStyle =
        QStringLiteral("QMenu{background-color:#edf4fb;border:1px solid #d8d7d6;padding:2px 0px;}"
                       "QMenu::item{min-width:")
        + px(112) + QStringLiteral("px;height:") + px(30)
        + QStringLiteral("px;background-color: #edf4fb;color:#333333;font-size: ") + px(12)
        + QStringLiteral("px;font-family:\"Lato\";padding-left: 8px;padding-right: 2px;}"
                         "QMenu::item:selected{border-color:#e5e5e5;background:#b6f2b8;}"
                         "QMenu::separator{height: 1px;background-color:#e5e5e5;margin-left: 5px;margin-right: "
                         "5px;}"
                         "QMenu::right-arrow{image:url(:/images/arrowtest.png);width:")
        + px(10) + QStringLiteral("px;height:") + px(10) + QStringLiteral("px;margin-right:") + px(6)
        + QStringLiteral("px;}");
    m_menu->setStyleSheet(menuStyle);
    // The language entries carry a tick for the language in use.
    m_languageMenu->setStyleSheet(
        menuStyle + QStringLiteral("QMenu::item{padding-left:") + px(28) + QStringLiteral("px;}QMenu::indicator{width:")
        + px(12) + QStringLiteral("px;height:") + px(12) + QStringLiteral("px;left:") + px(9)
        + QStringLiteral("px;}QMenu::indicator:checked{image:url(:/images/check/checked1.png);}"));

    layoutBar();
    m_iconLabel->setPixmap(QPixmap(QStringLiteral(":/images/program.png")));
    loadLanguageList();
}

void DaVaVudIredaz::layoutBar()
{
    const int w = width();
    const int bar = height();
    const int icon = scaled(20);
    m_iconLabel->setGeometry(scaled(12), (bar - icon) / 2, icon, icon);
    m_titleLabel->setGeometry(scaled(40), (bar - scaled(28)) / 2, scaled(400), scaled(28));
    m_versionLabel->setGeometry(w - scaled(200), (bar - scaled(28)) / 2, scaled(100), scaled(28));
    const int b = scaled(26);
    const int y = (bar - b) / 2;
    m_closeButton->setGeometry(w - scaled(30), y, b, b);
    m_minButton->setGeometry(w - scaled(60), y, b, b);
    m_menuButton->setGeometry(w - scaled(90), y, b, b);
}

void DaVaVudIredaz::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutBar();
}

void DaVaVudIredaz::retranslate()
{
    m_titleLabel->setText(tr("Clipwright"));
    m_versionLabel->setText(tr("Ver: ") + QStringLiteral(CLIPWRIGHT_VERSION));
    m_helpAction->setText(tr("Help"));
    m_supportAction->setText(tr("Support"));
    m_homepageAction->setText(tr("Homepage"));
    m_preferencesAction->setText(tr("Preferences"));
    m_checkUpgradeAction->setText(tr("Check for Updates"));
    m_languageMenu->setTitle(tr("Language"));
}

void DaVaVudIredaz::loadLanguageList()
{
    const LanguageList list = readLanguageList(languageListPath());
    m_languageNames = list.names;
    m_languageCodes = list.codes;
    auto *group = new QActionGroup(this);
    for (const QString &name : qAsConst(m_languageNames)) {
        QAction *action = m_languageMenu->addAction(name);
        action->setParent(this);
        action->setCheckable(true);
        group->addAction(action);
    }
    switchLanguage(Settings::readLanguage());
}

void DaVaVudIredaz::switchLanguage(const QString &code)
{
    const QString applied = installLanguage(code);
    m_menu->hide();
    // The code is set before the pages set their texts, since some of them (the
    // settings dialog's Help page) depend on it.
    setLanguageCode(applied);
    const int at = m_languageCodes.indexOf(applied);
    const QList<QAction *> actions = m_languageMenu->actions();
    for (int i = 0; i < actions.size(); ++i)
        actions.at(i)->setChecked(i == at);
    m_window->retranslate();
}

void DaVaVudIredaz::slots_all_language_Action(QAction *action)
{
    int at = m_languageNames.indexOf(action ? action->text() : QString());
    if (at < 0)
        at = 0;
    switchLanguage(m_languageCodes.value(at, QStringLiteral("EN")));
}

void DaVaVudIredaz::closeButton_slots()
{
    m_window->runCloseSteps();
}

void DaVaVudIredaz::minButton_slots()
{
    m_window->showMinimized();
}

void DaVaVudIredaz::menuButton_slots()
{
    // Preferences belong to the download page; the toolkit home does not offer them.
    QWidget *download = m_window->page(DoRaDuvoZezavi::Page::Download);
    m_preferencesAction->setVisible(download && download->isVisible());
    m_menu->popup(menuPosition());
}

QPoint DaVaVudIredaz::menuPosition() const
{
    // 125 design pixels from the right edge, unless the menu is wider than that
    // (long translations): then it ends at the window's edge instead of hanging over.
    const int fromRight = qMax(scaled(125), m_menu->sizeHint().width() + scaled(2));
    return QPoint(m_window->x() + width() - fromRight, m_window->y() + m_menuButton->height());
}

void DaVaVudIredaz::slots_helpAction()
{
    m_window->openVendorPage(QStringLiteral("/help/"));
}

void DaVaVudIredaz::slots_supportAction()
{
    m_window->openVendorPage(QStringLiteral("/support/"));
}

void DaVaVudIredaz::slots_homepageAction()
{
    m_window->openVendorPage(QStringLiteral("/clipwright/"));
}

void DaVaVudIredaz::slots_checkUpgradeAction()
{
    m_window->showUpdate(true);
}

void DaVaVudIredaz::slots_preferencesAction()
{
    m_window->showSettings();
}
