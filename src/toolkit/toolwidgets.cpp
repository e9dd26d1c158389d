#include "toolkit/toolwidgets.h"

#include "app/appenv.h"
#include "widgets/controls.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace ToolLook
{
QString px(double designPixels)
{
    return QString::number(scaled(designPixels)) + QStringLiteral("px");
}

QString stepText(const QString &step, const QString &instruction)
{
    return QStringLiteral("<span style=\"font-size:") + px(12) + QStringLiteral(";font-weight:bold;color:#212121;\">")
           + step.toHtmlEscaped() + QStringLiteral("</span>&nbsp;<span style=\"font-size:") + px(12)
           + QStringLiteral(";color:#2b2b2b;\">") + instruction.toHtmlEscaped() + QStringLiteral("</span>");
}

void styleStepLabel(QLabel *label)
{
    label->setTextFormat(Qt::RichText);
    label->setStyleSheet(QStringLiteral("QLabel{background:transparent;border:none;}"));
}

void styleAddButton(MyTempButton2 *button)
{
    const QString common = QStringLiteral("font-size:") + px(22) + QStringLiteral(";border-radius:3px;");
    button->setStyleSheets(QStringLiteral("QLabel{") + common
                               + QStringLiteral("color:#0396eb;border:1px solid #0396eb;background-color:#ffffff;}"),
                           QStringLiteral("QLabel{") + common
                               + QStringLiteral("color:#0396eb;border:1px solid #0396eb;background-color:#e6f4fd;}"),
                           QStringLiteral("QLabel{") + common
                               + QStringLiteral("color:#b9b9b9;border:1px solid #d5d5d5;background-color:#f7f7f7;}"));
    button->setCursor(Qt::PointingHandCursor);
}

void styleStartButton(MyTempButton2 *button)
{
    const QString common = QStringLiteral("font-size:") + px(14)
                           + QStringLiteral(";font-weight:700;color:#ffffff;border-radius:3px;border:none;");
    button->setStyleSheets(QStringLiteral("QLabel{") + common + QStringLiteral("background-color:#0396eb;}"),
                           QStringLiteral("QLabel{") + common + QStringLiteral("background-color:#038cdb;}"),
                           QStringLiteral("QLabel{") + common + QStringLiteral("background-color:#88c5e8;}"));
    button->setCursor(Qt::PointingHandCursor);
}

void styleChoiceButton(MyPushButton *button)
{
    button->setNormalColor(QColor(0xff, 0xff, 0xff));
    button->setHoverColor(QColor(0xe6, 0xf4, 0xfd));
    button->setPressedColor(QColor(0xcd, 0xe8, 0xf9));
    button->setDisabledColor(QColor(0x03, 0x96, 0xeb));
    button->setStyleSheet(QStringLiteral("QLabel{font-size:") + px(13)
                          + QStringLiteral(";color:#333333;border:1px solid #c1c1c1;}"
                                           "QLabel:disabled{color:#ffffff;font-weight:700;border:1px solid #0396eb;}"));
    button->setCursor(Qt::PointingHandCursor);
}

void styleField(QLineEdit *field, bool active)
{
    field->setStyleSheet(
        QStringLiteral("QLineEdit{font-size:") + px(13) + QStringLiteral(";padding-left:4px;border-radius:2px;")
        + (active ? QStringLiteral("color:#333333;border:1px solid #999999;background-color:#ffffff;}")
                  : QStringLiteral("color:#999999;border:1px solid #818181;background-color:#ffffff;}"))
        + QStringLiteral("QLineEdit:disabled{color:#999999;border:1px solid #999999;"
                         "background-color:#ffffff;}"));
}

void styleFieldLabel(QLabel *label, bool active)
{
    label->setStyleSheet(QStringLiteral("QLabel{font-size:") + px(13) + QStringLiteral(";color:")
                         + (active ? QStringLiteral("#333333") : QStringLiteral("#999999"))
                         + QStringLiteral(";background:transparent;border:none;}"));
}

void stylePathLabel(QLabel *label)
{
    label->setStyleSheet(QStringLiteral("QLabel{font-size:") + px(12)
                         + QStringLiteral(";color:#333333;border:1px solid #c1c1c1;background-color:#ffffff;"
                                          "padding-left:6px;}"));
    label->setTextFormat(Qt::PlainText);
}

void styleInfoLabel(QLabel *label, bool active)
{
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setStyleSheet(QStringLiteral("QLabel{font-size:") + px(12) + QStringLiteral(";color:")
                         + (active ? QStringLiteral("#5a5a5a") : QStringLiteral("#999999"))
                         + QStringLiteral(";background:transparent;border:none;}"));
}
} // namespace ToolLook

// ---------------------------------------------------------------------------

ToolFileList::ToolFileList(QWidget *parent) : QTreeWidget(parent)
{
    setColumnCount(3);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAutoScroll(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideMiddle);
    setUniformRowHeights(true);
    header()->setStretchLastSection(false);
    applyLook();
}

void ToolFileList::applyLook()
{
    setStyleSheet(QStringLiteral("QTreeWidget{font-size:") + ToolLook::px(12)
                  + QStringLiteral(";color:#333333;border:1px solid #c1c1c1;background-color:#ffffff;outline:0px;}"
                                   "QTreeWidget::item{height:")
                  + ToolLook::px(40)
                  + QStringLiteral(";padding-left:5px;border:none;border-bottom:1px solid #e4e4e4;color:#333333;}"
                                   "QTreeWidget::item:selected{background-color:#d0ebf8;color:#333333;}"
                                   "QScrollBar:horizontal{height:0px;}"
                                   "QScrollBar:vertical{width:")
                  + ToolLook::px(8)
                  + QStringLiteral(";background:#f5f5f5;border:none;margin:0px;}"
                                   "QScrollBar::handle:vertical{background:#c1c1c1;border-radius:3px;min-height:")
                  + ToolLook::px(24)
                  + QStringLiteral(";}QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}"
                                   "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:none;}"));
    layoutColumns();
}

void ToolFileList::addFile(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    auto *item = new QTreeWidgetItem(this);
    item->setText(0, name);
    item->setToolTip(0, name);
    item->setToolTip(1, name);
    item->setText(2, path);
}

QString ToolFileList::pathAt(int row) const
{
    const QTreeWidgetItem *item = topLevelItem(row);
    return item ? item->text(2) : QString();
}

QString ToolFileList::statusAt(int row) const
{
    const QTreeWidgetItem *item = topLevelItem(row);
    return item ? item->text(1) : QString();
}

void ToolFileList::setStatus(int row, const QString &status)
{
    if (QTreeWidgetItem *item = topLevelItem(row))
        item->setText(1, status);
}

void ToolFileList::setAllStatuses(const QString &status)
{
    for (int row = 0; row < count(); ++row)
        setStatus(row, status);
}

void ToolFileList::removeSelectedRows()
{
    qDeleteAll(selectedItems());
}

bool ToolFileList::handleListKey(QKeyEvent *event, QWidget *startButton)
{
    const bool controlAlone = event->modifiers() == Qt::ControlModifier;
    if (controlAlone && event->key() == Qt::Key_A) {
        selectAll();
        return true;
    }
    if (controlAlone && event->key() == Qt::Key_Z) {
        clearSelection();
        return true;
    }
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        removeSelectedRows();
        startButton->setEnabled(false);
        if (count() > 0)
            startButton->setEnabled(true);
        return true;
    }
    return false;
}

void ToolFileList::resizeEvent(QResizeEvent *event)
{
    QTreeWidget::resizeEvent(event);
    layoutColumns();
}

void ToolFileList::layoutColumns()
{
    const int status = scaled(140);
    setColumnWidth(1, status);
    setColumnWidth(2, 0);
    setColumnHidden(2, true);
    setColumnWidth(0, qMax(0, viewport()->width() - status));
}
