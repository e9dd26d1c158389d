#pragma once
// The look the six tool pages share, and the file list of the list tools.

#include <QString>
#include <QTreeWidget>

class MyPushButton;
class MyTempButton2;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace ToolLook
{
// A design size at 96 DPI times the scale factor, as text for style sheets.
QString px(double designPixels);
// "Step1:" in bold, a non-breaking space, then the instruction.
QString stepText(const QString &step, const QString &instruction);
void styleStepLabel(QLabel *label);
void styleAddButton(MyTempButton2 *button);
void styleStartButton(MyTempButton2 *button);
// The buttons of a one-of-several choice: the chosen one is shown disabled.
void styleChoiceButton(MyPushButton *button);
// A field and its caption, in the look of a usable or a resting field.
void styleField(QLineEdit *field, bool active);
void styleFieldLabel(QLabel *label, bool active);
// The box that shows a chosen input path.
void stylePathLabel(QLabel *label);
void styleInfoLabel(QLabel *label, bool active);
} // namespace ToolLook

// Column 0 the file name, column 1 the status word, column 2 (hidden) the full path.
class ToolFileList : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ToolFileList(QWidget *parent = nullptr);

    // Re-applied after the scale factor is known.
    void applyLook();
    void addFile(const QString &path);
    int count() const
    {
        return topLevelItemCount();
    }
    QString pathAt(int row) const;
    QString statusAt(int row) const;
    void setStatus(int row, const QString &status);
    void setAllStatuses(const QString &status);
    void removeSelectedRows();

    // Ctrl+A, Ctrl+Z, Delete and Backspace of the list tools; true when the key was one of them.
    // Start is disabled afterwards and enabled again while rows remain.
    bool handleListKey(QKeyEvent *event, QWidget *startButton);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutColumns();
};
