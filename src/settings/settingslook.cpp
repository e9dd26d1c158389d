#include "settings/settingslook.h"

#include "app/appenv.h"
#include "widgets/controls.h"

#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>

namespace SettingsLook
{
QString px(double designPixels)
{
    return QString::number(scaled(designPixels));
}

QString labelStyle(const char *colour)
{
    return QStringLiteral("QLabel{font-size:") + px(12) + QStringLiteral("px;color:") + QLatin1String(colour)
           + QStringLiteral(";background:transparent;border:none;}QLabel:disabled{color:#9f9f9f;}");
}

QString checkBoxStyle()
{
    return QStringLiteral("QCheckBox{font-size:") + px(12) + QStringLiteral("px;color:#333333;spacing:") + px(8)
           + QStringLiteral("px;background:transparent;}QCheckBox:disabled{color:#9f9f9f;}"
                            "QCheckBox::indicator{width:")
           + px(16) + QStringLiteral("px;height:") + px(16)
           + QStringLiteral(
               "px;}"
               "QCheckBox::indicator:unchecked{image:url(:/images/check/unchecked1.png);}"
               "QCheckBox::indicator:checked{image:url(:/images/check/checked1.png);}"
               "QCheckBox::indicator:unchecked:disabled{image:url(:/images/check/unchecked1_disabled.png);}"
               "QCheckBox::indicator:checked:disabled{image:url(:/images/check/checked1_disabled.png);}");
}

QString comboStyle()
{
    return QStringLiteral("QComboBox{border:1px solid #d8d7d6;border-radius:2px;padding-left:") + px(6)
           + QStringLiteral("px;font-size:") + px(12)
           + QStringLiteral("px;color:#333333;background-color:#ffffff;}"
                            "QComboBox:hover{border:1px solid #0396eb;}"
                            "QComboBox:disabled{border:1px solid #e6e6e6;color:#9f9f9f;background-color:#f7f7f7;}"
                            "QComboBox::drop-down{border:none;width:")
           + px(22)
           + QStringLiteral("px;}"
                            "QComboBox::down-arrow{image:url(:/images/arrowDown.png);}"
                            "QComboBox::down-arrow:disabled{image:none;}"
                            "QComboBox QAbstractItemView{border:1px solid #d8d7d6;background-color:#ffffff;"
                            "selection-background-color:#e4f8e3;selection-color:#333333;outline:0px;font-size:")
           + px(12) + QStringLiteral("px;color:#333333;}");
}

QString lineEditStyle()
{
    return QStringLiteral("QLineEdit{border:1px solid #d8d7d6;border-radius:2px;padding-left:") + px(6)
           + QStringLiteral("px;font-size:") + px(12)
           + QStringLiteral("px;color:#333333;background-color:#ffffff;}"
                            "QLineEdit:focus{border:1px solid #0396eb;}"
                            "QLineEdit:disabled{border:1px solid #e6e6e6;color:#9f9f9f;background-color:#f7f7f7;}");
}

QString folderBoxStyle()
{
    return QStringLiteral("QLabel{border:1px solid #d8d7d6;border-radius:2px;padding-left:") + px(6)
           + QStringLiteral("px;padding-right:") + px(6) + QStringLiteral("px;font-size:") + px(12)
           + QStringLiteral("px;color:#555555;background-color:#f7f7f7;}");
}

void styleButton(MyTempButton2 *button)
{
    auto sheet = [](const char *border, const char *colour) -> QString {
        return QStringLiteral("QLabel{border: 1px solid ") + QLatin1String(border) + QStringLiteral("; font-size:")
               + px(12) + QStringLiteral("px;color:") + QLatin1String(colour)
               + QStringLiteral(";font-weight:700; background-color:#ffffff;border-radius: 3px;}");
    };
    button->setStyleSheets(sheet("#d8d7d6", "#666666"), sheet("#0396eb", "#038cdb"), sheet("#e6e6e6", "#bcbbbb"));
    button->setAlignment(Qt::AlignCenter);
    button->setCursor(Qt::PointingHandCursor);
}

void setupComboBox(QComboBox *box, int itemCount)
{
    box->setEditable(false);
    box->setItemDelegate(new NoFocusFrameDelegate(box));
    box->setCursor(Qt::PointingHandCursor);
    const QIcon arrow(QStringLiteral(":/images/arrowtest.png"));
    for (int i = 0; i < itemCount; ++i)
        box->addItem(arrow, QString());
}

void setComboTexts(QComboBox *box, const QStringList &texts)
{
    for (int i = 0; i < texts.size() && i < box->count(); ++i)
        box->setItemText(i, texts.at(i));
}

void showPath(QLabel *label, const QString &path)
{
    QFont font = label->font();
    font.setPixelSize(scaled(12));
    const int room = label->width() - scaled(14);
    label->setText(room > 0 ? QFontMetrics(font).elidedText(path, Qt::ElideMiddle, room) : path);
    label->setToolTip(path);
}
} // namespace SettingsLook
