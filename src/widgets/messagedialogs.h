#pragma once
// The two frameless modal dialogs that stand in for the platform's message boxes.
// Callers create one (once, and reuse it), set its texts, centre it on the main
// window, run exec() and read answer(). Every run starts from the "no" answer, so a
// reused dialog closed without a choice never repeats the previous run's choice.

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QWidget;
class MyPushButton;
class MyTempButton1;
class MyTempButton2;

// Tests answer the next modal run of either dialog, so no test waits for a person.
// The answer is given by really pressing the named control once the dialog shows.
namespace DialogTestHook
{
enum class Press { OK, Cancel, Close, Escape, Clip, Playlist };
void answerNext(Press press);
int pendingAnswers();
void clear();
// The message of the last dialog that ran, hooked or not.
QString lastMessage();
// The texts of the visible buttons of the last dialog that ran, left to right.
QStringList lastButtons();
// While strict, a dialog without a queued answer is closed at once with a warning, so a
// test that did not expect it fails instead of waiting for a person.
void setStrict(bool strict);
} // namespace DialogTestHook

// Shared by both dialogs: dragging by any point, and the hook.
class MovableDialog : public QDialog
{
    Q_OBJECT
public:
    explicit MovableDialog(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Runs the hooked answer, if any, once the modal loop is up.
    // buttons: the dialog's answer buttons, left to right (the visible ones are recorded).
    void armTestAnswer(const QString &message, const QList<QLabel *> &buttons);
    virtual QWidget *controlFor(DialogTestHook::Press press) const = 0;

private:
    bool m_dragging = false;
    int m_pressX = 0;
    int m_pressY = 0;
};

// A notice or a yes/no question with one or two buttons.
class MyMessageDialog : public MovableDialog
{
    Q_OBJECT
public:
    explicit MyMessageDialog(QWidget *parent = nullptr);

    // Lays the dialog out with both buttons, the title and the message.
    void setMessage(const QString &text);
    void setButtonTexts(const QString &cancelText, const QString &okText);
    // The translated "No" and "Yes" of a question.
    void setQuestionButtons();
    // Only an OK button with the text, centred.
    void singleButton(const QString &text);
    bool answer() const
    {
        return m_answer;
    }
    QString message() const;

    int exec() override;

    MyPushButton *closeButton() const
    {
        return m_closeButton;
    }
    MyTempButton1 *cancelButton() const
    {
        return m_cancelButton;
    }
    MyTempButton1 *okButton() const
    {
        return m_okButton;
    }

public slots:
    void closeButton_slots();
    void CancelButton_slots();
    void OKButton_slots();

protected:
    QWidget *controlFor(DialogTestHook::Press press) const override;

private:
    void layoutDialog();

    QWidget *m_background;
    MyPushButton *m_closeButton;
    QLabel *m_titleLabel;
    QLabel *m_messageLabel;
    QLabel *m_ruleLabel;
    MyTempButton1 *m_cancelButton;
    MyTempButton1 *m_okButton;
    bool m_answer = false;
};

// Asks whether a link to a video inside a playlist downloads the clip or the playlist.
class CheckQURLItem : public MovableDialog
{
    Q_OBJECT
public:
    explicit CheckQURLItem(QWidget *parent = nullptr);

    // Sets the texts and the layout.
    void build();
    // 0 = the clip, 1 = the whole playlist.
    int answer() const
    {
        return m_answer;
    }

    int exec() override;

    MyTempButton2 *clipButton() const
    {
        return m_downclipBtn;
    }
    MyTempButton2 *playlistButton() const
    {
        return m_downlistBtn;
    }

public slots:
    void m_downclipBtn_slots();
    void m_downlistBtn_slots();

protected:
    QWidget *controlFor(DialogTestHook::Press press) const override;

private:
    QWidget *m_panel;
    QLabel *m_messageLabel;
    MyTempButton2 *m_downclipBtn;
    MyTempButton2 *m_downlistBtn;
    int m_answer = 0;
};
