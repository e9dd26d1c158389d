#include "views/rowparts.h"

#include "app/appenv.h"
#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QFileInfo>
#include <QLabel>

namespace RowParts
{

QString labelStyle(int designSize, const char *colourPart)
{
    return QStringLiteral("QLabel{font-size:") + QString::number(scaled(designSize)) + QLatin1String(colourPart);
}

QString menuStyle()
{
    auto px = [](int v) { return QString::number(scaled(v)); };
    return QStringLiteral("QMenu::item{min-width:") + px(140) + QStringLiteral("px;height:") + px(30)
           + QStringLiteral("px;background-color:#FFFFFF ;color:#333333;font-size: ") + px(14)
           + QStringLiteral("px;padding-left: ") + px(20)
           + QStringLiteral(
               "px;padding-right: 0px;}QMenu::item:selected{border-color:#e5e5e5;background:#b6f2b8;}"
               "QMenu::item:!enabled{color:gray;}"
               "QMenu::separator{height: 1px;background-color:#e5e5e5;margin-left: 5px;margin-right: 5px;}");
}

QString frameStyle(bool highlighted)
{
    return highlighted ? QStringLiteral("QWidget#rowFrame{border: 1px solid #65a5e5; border-radius: "
                                        "3px;background-color:#ffffff;}")
                       : QStringLiteral("QWidget#rowFrame{border: 1px solid #e9eaeb; border-radius: "
                                        "3px;background-color:#ffffff;}");
}

void setSheet(QWidget *widget, const QString &sheet)
{
    if (widget->styleSheet() != sheet)
        widget->setStyleSheet(sheet);
}

MyPushButton *button(QWidget *parent, const Sprites::Strip &strip)
{
    auto *b = new MyPushButton(parent);
    b->setPicture(sharedPicture());
    for (int s = Sprites::Normal; s <= Sprites::Disabled; ++s)
        b->setStateRect(s, strip.part(s));
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QPixmap thumbnail(const QString &path, const QSize &size)
{
    QPixmap picture;
    if (!path.isEmpty() && QFileInfo(path).isFile())
        picture.load(path);
    if (picture.isNull())
        picture = loadPicture(QStringLiteral(":/images/image.png"));
    QPixmap out = picture.scaled(size * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.setDevicePixelRatio(2.0);
    return out;
}

} // namespace RowParts

EmptyView::EmptyView(const QString &picture, QWidget *parent)
    : QWidget(parent), m_picturePath(picture), m_picture(new QLabel(this)), m_hint(new QLabel(this))
{
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setObjectName(QStringLiteral("emptyBox"));
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setWordWrap(true);
}

void EmptyView::setHint(const QString &text)
{
    m_hint->setText(text);
    m_hint->setStyleSheet(RowParts::labelStyle(14, "px;color:#333333;}"));
    m_picture->setStyleSheet(QStringLiteral("QLabel#emptyBox{border: 1px solid #d8d7d6; border-radius: 2px;}"));
}

void EmptyView::fitParent()
{
    const QWidget *owner = parentWidget();
    setGeometry(owner->rect());
    const QSize pic(scaled(Sprites::EmptyViewSize.width()), scaled(Sprites::EmptyViewSize.height()));
    const int top = (height() - pic.height() - scaled(50)) / 2;
    m_picture->setGeometry((width() - pic.width() - scaled(20)) / 2, top, pic.width() + scaled(20),
                           pic.height() + scaled(10));
    m_picture->setPixmap(loadPicture(m_picturePath).scaled(pic, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_hint->setGeometry(scaled(20), top + pic.height() + scaled(20), width() - scaled(40), scaled(30));
}

void EmptyView::showOverRows(bool show)
{
    setVisible(show);
    if (show)
        raise();
}

bool EmptyView::isShown() const
{
    return isVisibleTo(parentWidget());
}
