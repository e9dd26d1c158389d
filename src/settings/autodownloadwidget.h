#pragma once
// The Auto Download page of the settings dialog: whether a pasted link downloads
// without the quality chooser, with which quality and which subtitles. While it is
// off, the choices stay as they are but are greyed out.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

class AutoDownloadWidget : public QWidget
{
    Q_OBJECT
public:
    explicit AutoDownloadWidget(QWidget *parent = nullptr);

    void loadSettings();
    void retranslate();
    void layoutPage();

    QCheckBox *enabledCheckBox() const
    {
        return m_enabledCheckBox;
    }
    QCheckBox *subtitleCheckBox() const
    {
        return m_subtitleCheckBox;
    }
    QLabel *quatilyLabel() const
    {
        return m_quatilyLabel;
    }
    QComboBox *quatilyComboBox() const
    {
        return m_quatilyComboBox;
    }
    QComboBox *subtitleComboBox() const
    {
        return m_subtitleComboBox;
    }

public slots:
    void enabledCheckBox_slots();
    void subtitleCheckBox_slots();
    void quatilyComboBox_currentIndexChanged_slots();
    void subtitleComboBox_currentIndexChanged_slots();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyEnabled();

    QCheckBox *m_enabledCheckBox;
    QCheckBox *m_subtitleCheckBox;
    QLabel *m_quatilyLabel;
    QComboBox *m_quatilyComboBox;
    QComboBox *m_subtitleComboBox;
};
