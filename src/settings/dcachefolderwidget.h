#pragma once
// The Download Cache page of the settings dialog: where the work folders, the
// temporary media and the queue database live, moving that place, and deleting the
// temporary files the program left there.

#include <QWidget>

class MyTempButton2;
class QLabel;

class DCacheFolderWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DCacheFolderWidget(QWidget *parent = nullptr);

    void loadSettings();
    void retranslate();
    void layoutPage();

    QString shownFolder() const
    {
        return m_folder;
    }
    QLabel *folderLabel() const
    {
        return m_folderLabel;
    }
    MyTempButton2 *changeButton() const
    {
        return m_changeButton;
    }
    MyTempButton2 *cleanButton() const
    {
        return m_cleanButton;
    }

public slots:
    void changeButton_slots();
    void cleanButton_slots();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_titleLabel;
    QLabel *m_folderLabel;
    MyTempButton2 *m_changeButton;
    MyTempButton2 *m_cleanButton;
    QLabel *m_noteLabel;
    QString m_folder;
};
