#pragma once
// The rotator: every file of its list turned clockwise by 90, 180 or 270 degrees, one
// after another. An mp4 only gets its rotation tag rewritten on a stream copy, after a
// look at how it is shown now; any other input is re-encoded through the rotate filter.

#include "toolkit/toolpages.h"

#include <optional>

class QTreeWidgetItem;

class VideoRotateWidget : public BatchToolPage
{
    Q_OBJECT
public:
    explicit VideoRotateWidget(QWidget *parent = nullptr);

    void retranslate() override;

    int angleIndex() const
    {
        return choice();
    }
    // "90", "180" or "270".
    QString angleText() const;
    MyPushButton *angleButton(int index) const
    {
        return choiceButton(index);
    }

public slots:
    void R090Button_slots();
    void R180Button_slots();
    void R270Button_slots();
    void addfileButton_slots();
    void startButton_slots();
    void fileListTreeWidgetClicked_slots(QTreeWidgetItem *item, int column);
    void ffmpegProcess_StandardOutput_slots();
    void ffmpegProcess_Finished(int exitCode);

protected:
    QStringList rowArguments(const QString &input, QString &output) override;

private:
    // What the look at the current mp4 found: its display matrix's rotation.
    std::optional<int> m_shownRotation;
    QString m_lookText;
};
