#pragma once
// The look the settings pages share: label, check box, combo box, line edit and
// button styles at the current scale, with the grey of a control that is switched
// off, and the set-up every combo box of the dialog gets.

#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class MyTempButton2;

namespace SettingsLook
{
QString px(double designPixels);

QString labelStyle(const char *colour = "#333333");
QString checkBoxStyle();
QString comboStyle();
QString lineEditStyle();
// A boxed label that shows a folder.
QString folderBoxStyle();
void styleButton(MyTempButton2 *button);

// Not editable, no focus frames in the drop-down, the arrow picture beside each item.
void setupComboBox(QComboBox *box, int itemCount);
void setComboTexts(QComboBox *box, const QStringList &texts);

// Shows a path cut in the middle to fit the label; the whole path is its tool tip.
void showPath(QLabel *label, const QString &path);

// Design sizes of the page grid.
constexpr int LeftMargin = 40;
constexpr int TopMargin = 30;
constexpr int RowStep = 44;
constexpr int RowHeight = 30;
} // namespace SettingsLook
