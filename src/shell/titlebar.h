#pragma once
// The main window's own title bar: icon, name and version, the menu, minimise and
// close buttons, and the menu with the vendor pages, preferences, the update check
// and the interface languages.

#include <QStringList>
#include <QWidget>

class DoRaDuvoZezavi;
class MyPushButton;
class QAction;
class QLabel;
class QMenu;

class DaVaVudIredaz : public QWidget
{
    Q_OBJECT
public:
    explicit DaVaVudIredaz(DoRaDuvoZezavi *window);

    // Colours, pictures and menu; also reads the language list and applies the stored language.
    void setupStyle();
    void retranslate();
    void loadLanguageList();
    void switchLanguage(const QString &code);

    QStringList languageNames() const
    {
        return m_languageNames;
    }
    QStringList languageCodes() const
    {
        return m_languageCodes;
    }
    QMenu *menu() const
    {
        return m_menu;
    }
    QMenu *languageMenu() const
    {
        return m_languageMenu;
    }
    QAction *preferencesAction() const
    {
        return m_preferencesAction;
    }
    MyPushButton *closeButton() const
    {
        return m_closeButton;
    }
    MyPushButton *minButton() const
    {
        return m_minButton;
    }
    MyPushButton *menuButton() const
    {
        return m_menuButton;
    }
    QLabel *titleLabel() const
    {
        return m_titleLabel;
    }
    QLabel *versionLabel() const
    {
        return m_versionLabel;
    }
    // Where the menu opens, in screen coordinates.
    QPoint menuPosition() const;

public slots:
    void closeButton_slots();
    void minButton_slots();
    void menuButton_slots();
    void slots_helpAction();
    void slots_supportAction();
    void slots_homepageAction();
    void slots_checkUpgradeAction();
    void slots_preferencesAction();
    void slots_all_language_Action(QAction *action);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutBar();

    DoRaDuvoZezavi *m_window;
    QLabel *m_iconLabel;
    QLabel *m_titleLabel;
    QLabel *m_versionLabel;
    MyPushButton *m_closeButton;
    MyPushButton *m_minButton;
    MyPushButton *m_menuButton;
    QMenu *m_menu;
    QAction *m_helpAction;
    QAction *m_supportAction;
    QAction *m_homepageAction;
    QAction *m_preferencesAction;
    QAction *m_checkUpgradeAction;
    QMenu *m_languageMenu;
    QStringList m_languageNames;
    QStringList m_languageCodes;
};
