#pragma once
// The Help page of the settings dialog, offered with the Chinese interface: how to
// reach the vendor's support by messenger or e-mail.

#include <QWidget>

class QLabel;

class SupportQWidget : public QWidget
{
    Q_OBJECT
public:
    explicit SupportQWidget(QWidget *parent = nullptr);

    void retranslate();
    void layoutPage();

    QLabel *contactLabel() const
    {
        return m_contactLabel;
    }

    static const char *const MessengerAccount;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_textLabel;
    QLabel *m_contactLabel;
    QLabel *m_codeLabel;
};
