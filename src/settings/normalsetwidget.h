#pragma once
// The Normal page of the settings dialog: the action after all downloads, the
// download folder, the conversion and retry switches, the number of simultaneous
// downloads and the interface language. Every control writes its setting at once.

#include <QWidget>

class MyTempButton2;
class QCheckBox;
class QComboBox;
class QLabel;

class NormalSetWidget : public QWidget
{
    Q_OBJECT
public:
    explicit NormalSetWidget(QWidget *parent = nullptr);

    // Shows the stored settings (and the main window's after-download action).
    void loadSettings();
    void retranslate();
    void layoutPage();

    QComboBox *finishedActionComboBox() const
    {
        return m_finishedActionComboBox;
    }
    QLabel *outputLabel() const
    {
        return m_outputLabel;
    }
    QString outputFolder() const
    {
        return m_outputFolder;
    }
    MyTempButton2 *outputSelectButton() const
    {
        return m_outputSelectButton;
    }
    QCheckBox *autoCheckUpdateBox() const
    {
        return m_autoCheckUpdateBox;
    }
    QCheckBox *outmp4CheckBox() const
    {
        return m_outmp4CheckBox;
    }
    QCheckBox *outmp3CheckBox() const
    {
        return m_outmp3CheckBox;
    }
    QCheckBox *optimizingAudioBox() const
    {
        return m_optimizingAudioBox;
    }
    QCheckBox *autoReDownloadBox() const
    {
        return m_autoReDownloadBox;
    }
    QComboBox *countComboBox() const
    {
        return m_countComboBox;
    }
    QComboBox *langComboBox() const
    {
        return m_langComboBox;
    }

signals:
    // The interface language changed; the dialog sets its texts again.
    void languageSwitched();

public slots:
    void finishedActionComboBox_currentIndexChanged_slots();
    void autoCheckUpdateBox_slots();
    void autoReDownloadBox_slots();
    void outputSelectButton_slots();
    void countComboBox_slots();
    void outmp4CheckBox_slots();
    void outmp3CheckBox_slots();
    void langComboBox_slots();
    void optimizingAudioBox_slots();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int countInEffect() const;

    QLabel *m_finishedActionLabel;
    QComboBox *m_finishedActionComboBox;
    QLabel *m_outputTitleLabel;
    QLabel *m_outputLabel;
    MyTempButton2 *m_outputSelectButton;
    QCheckBox *m_autoCheckUpdateBox;
    QCheckBox *m_outmp4CheckBox;
    QCheckBox *m_outmp3CheckBox;
    QCheckBox *m_optimizingAudioBox;
    QCheckBox *m_autoReDownloadBox;
    QLabel *m_countLabel;
    QComboBox *m_countComboBox;
    QLabel *m_langLabel;
    QComboBox *m_langComboBox;
    QString m_outputFolder;
};
