#pragma once
// The Proxy page of the settings dialog: the user's own proxy for the downloader.
// Every change is stored at once and the proxy text is built again.

#include <QWidget>

class MyLineEdit;
class QCheckBox;
class QComboBox;
class QLabel;

class ConnectWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ConnectWidget(QWidget *parent = nullptr);

    void loadSettings();
    void retranslate();
    void layoutPage();

    QCheckBox *enabledCheckBox() const
    {
        return m_enabledCheckBox;
    }
    MyLineEdit *serverLineEdit() const
    {
        return m_serverLineEdit;
    }
    MyLineEdit *portLineEdit() const
    {
        return m_portLineEdit;
    }
    QComboBox *protocalComboBox() const
    {
        return m_protocalComboBox;
    }

public slots:
    void protocalComboBox_currentIndexChanged_slots();
    void enabledCheckBox_slots();
    void serverLineEdit_textChanged_slots(const QString &text);
    void portLineEdit_textChanged_slots(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyEnabled();

    QCheckBox *m_enabledCheckBox;
    QLabel *m_noteLabel;
    QLabel *m_serverLabel;
    QLabel *m_portLabel;
    MyLineEdit *m_serverLineEdit;
    MyLineEdit *m_portLineEdit;
    QComboBox *m_protocalComboBox;
};
