#pragma once
// The program draws its own buttons: every clickable thing is a label that changes
// its look on hover and press and emits clicked(). Also here: the line edit that
// reports focus, and the delegate that keeps list views from drawing focus frames.

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRect>
#include <QStyledItemDelegate>

class MyLabel : public QLabel
{
    Q_OBJECT
public:
    explicit MyLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The general picture button: one picture part (or a plain colour) per state, and
// optionally an icon label and a text label arranged by its layout type.
class MyPushButton : public QLabel
{
    Q_OBJECT
public:
    explicit MyPushButton(QWidget *parent = nullptr);

    // Four picture paths; each state shows the whole of its picture until a
    // rectangle is set. A sprite sheet is given as the same path four times.
    void setPictures(const QString &normal, const QString &hover, const QString &pressed, const QString &disabled);
    // One picture for all states instead of the paths.
    void setPicture(const QPixmap &picture);
    void setNormalRect(int x, int y, int w, int h);
    void setHoverRect(int x, int y, int w, int h);
    void setPressedRect(int x, int y, int w, int h);
    void setDisabledRect(int x, int y, int w, int h);
    void setStateRect(int state, const QRect &r);

    void setNormalColor(const QColor &c);
    void setHoverColor(const QColor &c);
    void setPressedColor(const QColor &c);
    void setDisabledColor(const QColor &c);

    // 0..7; re-applied whenever the button is resized.
    void setLayoutType(int type);
    int layoutType() const
    {
        return m_layoutType;
    }
    // Stored as the label text; shown in the text label when there is one, else on the button.
    void setText(const QString &text);
    QString labelText() const
    {
        return m_labelText;
    }
    // Applied to the button and its text label whenever it becomes enabled.
    void setEnabledStyleSheet(const QString &sheet);

    MyLabel *iconLabel() const
    {
        return m_iconLabel;
    }
    MyLabel *textLabel() const
    {
        return m_textLabel;
    }
    // The state whose look is shown (Sprites::State).
    int shownState() const
    {
        return m_shown;
    }

signals:
    void clicked();
    void Pressclicked();
    void enterButton();
    void leaveButton();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyLayout();
    void dropChildren();
    MyLabel *makeLabel();
    void showState(int state);
    bool hasPictures() const;

    QString m_paths[4];
    QPixmap m_picture;
    bool m_usePicture = false;
    QRect m_rects[4];
    QColor m_colors[4];
    int m_layoutType = 3;
    MyLabel *m_iconLabel = nullptr;
    MyLabel *m_textLabel = nullptr;
    QString m_labelText;
    QString m_enabledStyleSheet;
    int m_shown = 0;
};

// A text link with a normal, a hover and a pressed text (usually rich text in three colours).
class MyLinkPushButton : public QLabel
{
    Q_OBJECT
public:
    explicit MyLinkPushButton(QWidget *parent = nullptr);
    void setTexts(const QString &normal, const QString &hover, const QString &pressed);

signals:
    void clicked();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_normal;
    QString m_hover;
    QString m_pressed;
};

// A flat button coloured from colour names: normal, hover, and a third for the
// disabled look. The text style (font, text colour, radius) is set separately.
class MyTempButton1 : public QLabel
{
    Q_OBJECT
public:
    explicit MyTempButton1(QWidget *parent = nullptr);
    void setColors(const QString &normal, const QString &hover, const QString &third);
    // Declarations placed in the button's QLabel rule beside its background colour.
    void setTextStyle(const QString &declarations);

signals:
    void clicked();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyColor(const QString &color);

    QString m_normal;
    QString m_hover;
    QString m_third = QStringLiteral("#dadcdd");
    QString m_textStyle;
};

// A button whose whole style sheet changes per state. The disabled sheet doubles as
// the "selected" look of the settings dialog's page buttons.
class MyTempButton2 : public QLabel
{
    Q_OBJECT
public:
    explicit MyTempButton2(QWidget *parent = nullptr);
    void setStyleSheets(const QString &normal, const QString &hover, const QString &disabled);

signals:
    void clicked();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString m_normal;
    QString m_hover;
    QString m_disabled;
};

// A framed picture tile (the toolkit home): a frame filling the button, an icon label
// showing one part of a picture per state, and a title and a description label.
class MyTempButton5 : public QLabel
{
    Q_OBJECT
public:
    explicit MyTempButton5(QWidget *parent = nullptr);
    void setPicture(const QPixmap &picture, const QRect &normal, const QRect &hover, const QRect &pressed,
                    const QRect &disabled);
    void setIconGeometry(const QRect &r);
    QWidget *frame() const
    {
        return m_frame;
    }
    QLabel *iconLabel() const
    {
        return m_icon;
    }
    QLabel *titleLabel() const
    {
        return m_title;
    }
    QLabel *descriptionLabel() const
    {
        return m_description;
    }

signals:
    void clicked();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showPart(int state);
    void setFrameLook(bool hovered);

    QWidget *m_frame;
    QLabel *m_icon;
    QLabel *m_title;
    QLabel *m_description;
    QPixmap m_picture;
    QRect m_rects[4];
    int m_shown = 0;
};

// A line edit that tells when it gains focus.
class MyLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit MyLineEdit(QWidget *parent = nullptr);

signals:
    void focusinSingal();

protected:
    bool event(QEvent *event) override;
};

// Set on the drop-down views of the combo boxes so no item draws a focus rectangle.
class NoFocusFrameDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
