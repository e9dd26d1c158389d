#pragma once
// Pieces the two download lists' rows share: their style texts, their picture
// buttons and their thumbnails.

#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;

class MyPushButton;
class QWidget;
namespace Sprites
{
struct Strip;
}

namespace RowParts
{
// "QLabel{font-size:" + scaled size + the colour part.
QString labelStyle(int designSize, const char *colourPart);
QString menuStyle();
QString frameStyle(bool highlighted);
// Sets a style sheet only when it differs: re-applying one re-polishes the widget.
void setSheet(QWidget *widget, const QString &sheet);
MyPushButton *button(QWidget *parent, const Sprites::Strip &strip);
// The thumbnail file scaled to size, or the stand-in picture when it cannot be read.
QPixmap thumbnail(const QString &path, const QSize &size);
} // namespace RowParts

// What an empty list shows instead of rows: a picture in a box and a hint.
class EmptyView : public QWidget
{
    Q_OBJECT
public:
    EmptyView(const QString &picture, QWidget *parent);
    void setHint(const QString &text);
    // Fills the parent and centres the picture and the hint in it.
    void fitParent();
    // Shown above the rows, or hidden.
    void showOverRows(bool show);
    bool isShown() const;

private:
    QString m_picturePath;
    QLabel *m_picture;
    QLabel *m_hint;
};
