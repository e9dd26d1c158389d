#include "widgets/controls.h"

#include "widgets/pictures.h"

#include <QEvent>
#include <QMouseEvent>

MyLabel::MyLabel(QWidget *parent) : QLabel(parent) {}

void MyLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    emit clicked();
}

// ---------------------------------------------------------------------------

MyPushButton::MyPushButton(QWidget *parent) : QLabel(parent)
{
    m_colors[Sprites::Normal] = QColor(Qt::gray);
    m_colors[Sprites::Hover] = QColor(Qt::lightGray);
    m_colors[Sprites::Pressed] = QColor(Qt::darkGray);
    m_colors[Sprites::Disabled] = QColor(Qt::gray);
    setContentsMargins(0, 0, 0, 0);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignCenter);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(174, 174, 174));
    setPalette(pal);
}

void MyPushButton::setPictures(const QString &normal, const QString &hover, const QString &pressed,
                               const QString &disabled)
{
    const QString paths[4] = {normal, hover, pressed, disabled};
    for (int s = 0; s < 4; ++s) {
        m_paths[s] = paths[s];
        const QPixmap picture = loadPicture(paths[s]);
        const qreal ratio = picture.isNull() ? 1.0 : picture.devicePixelRatio();
        m_rects[s] = QRect(QPoint(0, 0), picture.size() / ratio);
    }
    showState(isEnabled() ? Sprites::Normal : Sprites::Disabled);
}

void MyPushButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_usePicture = true;
    const QRect whole(QPoint(0, 0), picture.size() / picture.devicePixelRatio());
    for (QRect &r : m_rects)
        r = whole;
    showState(isEnabled() ? Sprites::Normal : Sprites::Disabled);
}

void MyPushButton::setStateRect(int state, const QRect &r)
{
    if (state < 0 || state > 3)
        return;
    m_rects[state] = r;
    if (state == m_shown)
        showState(m_shown);
}

void MyPushButton::setNormalRect(int x, int y, int w, int h)
{
    setStateRect(Sprites::Normal, QRect(x, y, w, h));
}

void MyPushButton::setHoverRect(int x, int y, int w, int h)
{
    setStateRect(Sprites::Hover, QRect(x, y, w, h));
}

void MyPushButton::setPressedRect(int x, int y, int w, int h)
{
    setStateRect(Sprites::Pressed, QRect(x, y, w, h));
}

void MyPushButton::setDisabledRect(int x, int y, int w, int h)
{
    setStateRect(Sprites::Disabled, QRect(x, y, w, h));
}

void MyPushButton::setNormalColor(const QColor &c)
{
    m_colors[Sprites::Normal] = c;
}

void MyPushButton::setHoverColor(const QColor &c)
{
    m_colors[Sprites::Hover] = c;
}

void MyPushButton::setPressedColor(const QColor &c)
{
    m_colors[Sprites::Pressed] = c;
}

void MyPushButton::setDisabledColor(const QColor &c)
{
    m_colors[Sprites::Disabled] = c;
}

void MyPushButton::setLayoutType(int type)
{
    m_layoutType = qBound(0, type, 7);
    applyLayout();
}

void MyPushButton::setText(const QString &text)
{
    m_labelText = text;
    if (m_textLabel)
        m_textLabel->setText(text);
    else
        QLabel::setText(text);
}

void MyPushButton::setEnabledStyleSheet(const QString &sheet)
{
    m_enabledStyleSheet = sheet;
    if (isEnabled() && !sheet.isEmpty()) {
        setStyleSheet(sheet);
        if (m_textLabel)
            m_textLabel->setStyleSheet(sheet);
    }
}

MyLabel *MyPushButton::makeLabel()
{
    auto *label = new MyLabel(this);
    // The button answers every press and release itself, wherever on it they land,
    // so one release is one clicked() whatever the layout.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void MyPushButton::dropChildren()
{
    for (MyLabel *label : {m_iconLabel, m_textLabel}) {
        if (label) {
            label->hide();
            label->deleteLater();
        }
    }
    m_iconLabel = nullptr;
    m_textLabel = nullptr;
}

void MyPushButton::applyLayout()
{
    const int w = width();
    const int h = height();
    const bool wantsIcon = m_layoutType == 1 || m_layoutType == 2 || m_layoutType == 5 || m_layoutType == 7;
    const bool wantsText = wantsIcon || m_layoutType == 6;
    if (!wantsText) {
        const bool hadText = m_textLabel != nullptr;
        dropChildren();
        if (hadText)
            QLabel::setText(m_labelText); // the button shows its text itself again
    }
    if (!wantsIcon && m_iconLabel) {
        m_iconLabel->hide();
        m_iconLabel->deleteLater();
        m_iconLabel = nullptr;
    }
    if (wantsIcon && !m_iconLabel)
        m_iconLabel = makeLabel();
    if (wantsText && !m_textLabel) {
        m_textLabel = makeLabel();
        if (m_layoutType == 6)
            connect(m_textLabel, SIGNAL(clicked()), this, SIGNAL(clicked()));
        if (m_labelText.isEmpty())
            m_labelText = text();
        QLabel::setText(QString());
    }

    switch (m_layoutType) {
    case 2:
        m_iconLabel->setGeometry(w - w / 4, 0, w / 4, h);
        m_textLabel->setGeometry(0, 0, w - w / 4, h);
        break;
    case 5:
        m_iconLabel->setGeometry(0, 0, w, h - 20);
        m_textLabel->setGeometry(0, h - 20, w, 20);
        m_textLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        break;
    case 6:
        m_textLabel->setGeometry(0, 0, w, h);
        m_textLabel->setAlignment(Qt::AlignCenter);
        break;
    case 7:
        m_iconLabel->setAutoFillBackground(true);
        break;
    default:
        break;
    }
    if (m_textLabel) {
        m_textLabel->setText(m_labelText);
        m_textLabel->show();
    }
    if (m_iconLabel)
        m_iconLabel->show();
    if (m_layoutType == 0)
        setAutoFillBackground(false);
    showState(m_shown);
}

bool MyPushButton::hasPictures() const
{
    return !m_paths[Sprites::Hover].isEmpty() || m_usePicture;
}

void MyPushButton::showState(int state)
{
    m_shown = state;
    QWidget *target = m_iconLabel ? static_cast<QWidget *>(m_iconLabel) : this;
    QPalette pal = target->palette();
    if (hasPictures()) {
        const QPixmap picture = m_usePicture ? m_picture : loadPicture(m_paths[state]);
        const QPixmap part = picturePart(picture, m_rects[state], target->size());
        if (part.isNull())
            return; // no size yet: the next resize shows it
        pal.setBrush(QPalette::Window, QBrush(part));
    } else {
        pal.setBrush(QPalette::Window, m_colors[state]);
    }
    target->setPalette(pal);
    target->setAutoFillBackground(true);
    if (m_layoutType == 0)
        setAutoFillBackground(false);
}

void MyPushButton::enterEvent(QEvent *event)
{
    QLabel::enterEvent(event);
    if (!isEnabled())
        return;
    showState(Sprites::Hover);
    emit enterButton();
}

void MyPushButton::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (!isEnabled())
        return;
    showState(Sprites::Normal);
    emit leaveButton();
}

void MyPushButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (!isEnabled())
        return;
    showState(Sprites::Pressed);
    emit Pressclicked();
}

void MyPushButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (!isEnabled())
        return;
    showState(Sprites::Normal);
    emit clicked();
}

void MyPushButton::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    applyLayout();
}

void MyPushButton::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    if (!isEnabled()) {
        showState(Sprites::Disabled);
        return;
    }
    showState(Sprites::Normal);
    if (!m_enabledStyleSheet.isEmpty()) {
        setStyleSheet(m_enabledStyleSheet);
        if (m_textLabel)
            m_textLabel->setStyleSheet(m_enabledStyleSheet);
    }
}

// ---------------------------------------------------------------------------

MyLinkPushButton::MyLinkPushButton(QWidget *parent) : QLabel(parent) {}

void MyLinkPushButton::setTexts(const QString &normal, const QString &hover, const QString &pressed)
{
    m_normal = normal;
    m_hover = hover;
    m_pressed = pressed;
    setText(normal);
}

void MyLinkPushButton::enterEvent(QEvent *event)
{
    QLabel::enterEvent(event);
    setText(m_hover);
}

void MyLinkPushButton::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    setText(m_normal);
}

void MyLinkPushButton::mousePressEvent(QMouseEvent *event)
{
    setText(m_pressed);
    event->accept();
}

void MyLinkPushButton::mouseReleaseEvent(QMouseEvent *event)
{
    emit clicked();
    QLabel::mouseReleaseEvent(event);
}

// ---------------------------------------------------------------------------

MyTempButton1::MyTempButton1(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

void MyTempButton1::setColors(const QString &normal, const QString &hover, const QString &third)
{
    m_normal = normal;
    m_hover = hover;
    m_third = third;
    if (!normal.isEmpty())
        applyColor(isEnabled() ? normal : m_third);
}

void MyTempButton1::setTextStyle(const QString &declarations)
{
    m_textStyle = declarations;
    applyColor(isEnabled() ? m_normal : m_third);
}

void MyTempButton1::applyColor(const QString &color)
{
    if (color.isEmpty())
        return;
    setStyleSheet(QStringLiteral("QLabel{") + m_textStyle + QStringLiteral("background-color:") + color
                  + QStringLiteral(";}"));
}

void MyTempButton1::enterEvent(QEvent *event)
{
    QLabel::enterEvent(event);
    if (isEnabled())
        applyColor(m_hover);
}

void MyTempButton1::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (isEnabled())
        applyColor(m_normal);
}

void MyTempButton1::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (isEnabled())
        emit clicked();
}

void MyTempButton1::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        applyColor(isEnabled() ? m_normal : m_third);
}

// ---------------------------------------------------------------------------

MyTempButton2::MyTempButton2(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

void MyTempButton2::setStyleSheets(const QString &normal, const QString &hover, const QString &disabled)
{
    m_normal = normal;
    m_hover = hover;
    m_disabled = disabled;
    setStyleSheet(isEnabled() ? m_normal : m_disabled);
}

void MyTempButton2::enterEvent(QEvent *event)
{
    QLabel::enterEvent(event);
    if (isEnabled() && !m_hover.isEmpty())
        setStyleSheet(m_hover);
}

void MyTempButton2::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (isEnabled() && !m_normal.isEmpty())
        setStyleSheet(m_normal);
}

void MyTempButton2::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (isEnabled())
        emit clicked();
}

void MyTempButton2::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        setStyleSheet(isEnabled() ? m_normal : m_disabled);
}

// ---------------------------------------------------------------------------

MyTempButton5::MyTempButton5(QWidget *parent)
    : QLabel(parent), m_frame(new QWidget(this)), m_icon(new QLabel(this)), m_title(new QLabel(this)),
      m_description(new QLabel(this))
{
    for (QWidget *child : {m_frame, static_cast<QWidget *>(m_icon), static_cast<QWidget *>(m_title),
                           static_cast<QWidget *>(m_description)})
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_title->setWordWrap(true);
    m_description->setWordWrap(true);
    setFrameLook(false);
}

void MyTempButton5::setPicture(const QPixmap &picture, const QRect &normal, const QRect &hover, const QRect &pressed,
                               const QRect &disabled)
{
    m_picture = picture;
    m_rects[Sprites::Normal] = normal;
    m_rects[Sprites::Hover] = hover;
    m_rects[Sprites::Pressed] = pressed;
    m_rects[Sprites::Disabled] = disabled;
    showPart(isEnabled() ? Sprites::Normal : Sprites::Disabled);
}

void MyTempButton5::setIconGeometry(const QRect &r)
{
    m_icon->setGeometry(r);
    showPart(m_shown);
}

void MyTempButton5::showPart(int state)
{
    m_shown = state;
    const QPixmap part = picturePart(m_picture, m_rects[state], m_icon->size());
    if (!part.isNull())
        m_icon->setPixmap(part);
}

void MyTempButton5::setFrameLook(bool hovered)
{
    m_frame->setStyleSheet(hovered ? QStringLiteral("QWidget{border: 1px solid #5d5e5e; border-radius: "
                                                    "5px;background-color:#eeeeee;}")
                                   : QStringLiteral("QWidget{border: 1px solid #828181; border-radius: "
                                                    "5px;background-color:#ffffff;}"));
}

void MyTempButton5::enterEvent(QEvent *event)
{
    QLabel::enterEvent(event);
    if (!isEnabled())
        return;
    showPart(Sprites::Hover);
    setFrameLook(true);
}

void MyTempButton5::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (!isEnabled())
        return;
    showPart(Sprites::Normal);
    setFrameLook(false);
}

void MyTempButton5::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (isEnabled())
        showPart(Sprites::Pressed);
}

void MyTempButton5::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (!isEnabled())
        return;
    showPart(Sprites::Hover);
    emit clicked();
}

void MyTempButton5::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    m_frame->setGeometry(rect());
    setFrameLook(false);
}

void MyTempButton5::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    // Re-enabled while the pointer is elsewhere, the tile must not keep a hover look.
    showPart(!isEnabled() ? Sprites::Disabled : underMouse() ? Sprites::Hover : Sprites::Normal);
}

// ---------------------------------------------------------------------------

MyLineEdit::MyLineEdit(QWidget *parent) : QLineEdit(parent) {}

bool MyLineEdit::event(QEvent *event)
{
    QLineEdit::event(event);
    if (event->type() == QEvent::FocusIn)
        emit focusinSingal();
    return true;
}

void NoFocusFrameDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, plain, index);
}
