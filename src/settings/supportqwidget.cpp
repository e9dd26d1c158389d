#include "settings/supportqwidget.h"

#include "app/appenv.h"
#include "queue/intake.h"
#include "settings/settingslook.h"
#include "widgets/pictures.h"

#include <QLabel>

using namespace SettingsLook;

const char *const SupportQWidget::MessengerAccount = "Kestrova_Support";

SupportQWidget::SupportQWidget(QWidget *parent)
    : QWidget(parent), m_textLabel(new QLabel(this)), m_contactLabel(new QLabel(this)), m_codeLabel(new QLabel(this))
{
    m_textLabel->setWordWrap(true);
    m_contactLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_contactLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_codeLabel->setAlignment(Qt::AlignCenter);
}

void SupportQWidget::retranslate()
{
    m_textLabel->setText(tr("If you have any questions for this software, Please contact to us!"));
    m_contactLabel->setText(tr("WeiXin: Scan Code") + QLatin1Char('\n') + tr("WeiXin ID: ")
                            + QLatin1String(MessengerAccount) + QLatin1Char('\n') + tr("Email: ")
                            + QLatin1String(Intake::SupportAddress));
}

void SupportQWidget::layoutPage()
{
    const int x = scaled(LeftMargin);
    m_textLabel->setGeometry(x, scaled(TopMargin), width() - 2 * x, scaled(RowHeight));
    m_contactLabel->setGeometry(x, scaled(TopMargin + RowStep), scaled(360), scaled(70));
    const QSize code(scaled(Sprites::ScanCodeSize.width()), scaled(Sprites::ScanCodeSize.height()));
    m_codeLabel->setGeometry(x, scaled(TopMargin + RowStep + 84), code.width() + 2, code.height() + 2);
    m_codeLabel->setPixmap(
        loadPicture(QStringLiteral(":/images/weixin.jpg")).scaled(code, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    m_textLabel->setStyleSheet(labelStyle());
    m_contactLabel->setStyleSheet(QStringLiteral("QLabel{font-size:") + px(12)
                                  + QStringLiteral("px;color:#555555;background:transparent;border:none;}"));
    m_codeLabel->setStyleSheet(QStringLiteral("QLabel{border:1px solid #e6e6e6;background-color:#ffffff;}"));
}

void SupportQWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}
