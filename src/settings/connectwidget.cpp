#include "settings/connectwidget.h"

#include "app/appenv.h"
#include "app/settings.h"
#include "engine/proxy.h"
#include "settings/settingslook.h"
#include "widgets/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

using Settings::Key;
using namespace SettingsLook;

ConnectWidget::ConnectWidget(QWidget *parent)
    : QWidget(parent), m_enabledCheckBox(new QCheckBox(this)), m_noteLabel(new QLabel(this)),
      m_serverLabel(new QLabel(this)), m_portLabel(new QLabel(this)), m_serverLineEdit(new MyLineEdit(this)),
      m_portLineEdit(new MyLineEdit(this)), m_protocalComboBox(new QComboBox(this))
{
    setupComboBox(m_protocalComboBox, 3);
    setComboTexts(m_protocalComboBox, {QStringLiteral("SOCKS5"), QStringLiteral("HTTPS"), QStringLiteral("HTTP")});
    m_noteLabel->setWordWrap(true);
    m_noteLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(m_protocalComboBox, SIGNAL(activated(int)), this, SLOT(protocalComboBox_currentIndexChanged_slots()));
    connect(m_enabledCheckBox, SIGNAL(stateChanged(int)), this, SLOT(enabledCheckBox_slots()));
    connect(m_serverLineEdit, SIGNAL(textEdited(QString)), this, SLOT(serverLineEdit_textChanged_slots(QString)));
    connect(m_portLineEdit, SIGNAL(textEdited(QString)), this, SLOT(portLineEdit_textChanged_slots(QString)));
}

void ConnectWidget::loadSettings()
{
    const QSignalBlocker quietBox(m_enabledCheckBox);
    const QSignalBlocker quietCombo(m_protocalComboBox);
    m_serverLineEdit->setText(Settings::readText(Key::Proxy_server));
    m_portLineEdit->setText(Settings::readText(Key::Proxy_port));
    m_protocalComboBox->setCurrentIndex(Settings::readNumber(Key::Proxy_protocal));
    m_enabledCheckBox->setChecked(Settings::readSwitch(Key::Proxy_enabled));
    applyEnabled();
}

void ConnectWidget::retranslate()
{
    m_enabledCheckBox->setText(tr("Enabled proxy."));
    m_noteLabel->setText(
        tr("Use a proxy server for this connection (These settings will not apply to other connections.)"));
    m_serverLabel->setText(tr("Server"));
    m_portLabel->setText(tr("Port"));
}

void ConnectWidget::layoutPage()
{
    const int x = scaled(LeftMargin);
    const int h = scaled(RowHeight);
    m_enabledCheckBox->setGeometry(x, scaled(TopMargin), width() - 2 * x, h);
    m_noteLabel->setGeometry(x, scaled(TopMargin + RowStep), qMin(scaled(640), width() - 2 * x), scaled(40));
    const int y = scaled(TopMargin + 2 * RowStep + 14);
    m_serverLabel->setGeometry(x, y, scaled(70), h);
    m_serverLineEdit->setGeometry(x + scaled(70), y, scaled(240), h);
    m_portLabel->setGeometry(x + scaled(330), y, scaled(50), h);
    m_portLineEdit->setGeometry(x + scaled(380), y, scaled(90), h);
    m_protocalComboBox->setGeometry(x + scaled(490), y, scaled(120), h);

    m_enabledCheckBox->setStyleSheet(checkBoxStyle());
    m_noteLabel->setStyleSheet(labelStyle("#666666"));
    m_serverLabel->setStyleSheet(labelStyle());
    m_portLabel->setStyleSheet(labelStyle());
    m_serverLineEdit->setStyleSheet(lineEditStyle());
    m_portLineEdit->setStyleSheet(lineEditStyle());
    m_protocalComboBox->setStyleSheet(comboStyle());
    m_protocalComboBox->setIconSize(QSize(scaled(16), scaled(16)));
}

void ConnectWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}

void ConnectWidget::applyEnabled()
{
    const bool on = m_enabledCheckBox->checkState() == Qt::Checked;
    for (QWidget *w : {static_cast<QWidget *>(m_serverLabel), static_cast<QWidget *>(m_portLabel),
                       static_cast<QWidget *>(m_serverLineEdit), static_cast<QWidget *>(m_portLineEdit),
                       static_cast<QWidget *>(m_protocalComboBox)})
        w->setEnabled(on);
}

void ConnectWidget::protocalComboBox_currentIndexChanged_slots()
{
    Settings::writeNumber(Key::Proxy_protocal, m_protocalComboBox->currentIndex());
    loadProxySetting();
}

void ConnectWidget::enabledCheckBox_slots()
{
    Settings::writeSwitch(Key::Proxy_enabled, m_enabledCheckBox->checkState() == Qt::Checked);
    applyEnabled();
    loadProxySetting();
}

void ConnectWidget::serverLineEdit_textChanged_slots(const QString &text)
{
    Settings::writeText(Key::Proxy_server, text);
    loadProxySetting();
}

void ConnectWidget::portLineEdit_textChanged_slots(const QString &text)
{
    Settings::writeText(Key::Proxy_port, text);
    loadProxySetting();
}
