#pragma once
// The busy overlay pages show during long operations: a small panel with a spinner
// and a line of text over the page area, which it keeps from being clicked.

#include <QWidget>

class QLabel;
class QMovie;

class LoadingWidget : public QWidget
{
    Q_OBJECT
public:
    explicit LoadingWidget(QWidget *parent = nullptr);

    void setText(const QString &text);
    // Centres the panel; also run while hidden, when Qt holds back resize events.
    void layoutBox();
    QString text() const;
    QWidget *box() const
    {
        return m_box;
    }
    QLabel *animationLabel() const
    {
        return m_animationLabel;
    }
    QLabel *textLabel() const
    {
        return m_textLabel;
    }
    QMovie *movie() const
    {
        return m_movie;
    }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_box;
    QWidget *m_panel;
    QLabel *m_textLabel;
    QLabel *m_animationLabel;
    QMovie *m_movie;
};
