#include "widgets/messagedialogs.h"

#include "app/appenv.h"
#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QtDebug>

namespace
{
QList<DialogTestHook::Press> &pendingPresses()
{
    static QList<DialogTestHook::Press> presses;
    return presses;
}

QString &lastShownMessage()
{
    static QString message;
    return message;
}

QStringList &lastShownButtons()
{
    static QStringList buttons;
    return buttons;
}

QStringList visibleTexts(const QList<QLabel *> &buttons, const QWidget *dialog)
{
    QStringList texts;
    for (const QLabel *b : buttons)
        if (b->isVisibleTo(dialog))
            texts << b->text();
    return texts;
}

QString px(double designPixels)
{
    return QString::number(scaled(designPixels));
}

const QString kPanelStyle =
    QStringLiteral("QWidget{border-bottom: 1px solid #ababab; border-right:1px solid #ababab;border-left:1px solid "
                   "#ababab;border-top:3px solid #434547; background-color:#ffffff;}");
} // namespace

namespace DialogTestHook
{
void answerNext(Press press)
{
    pendingPresses().append(press);
}

int pendingAnswers()
{
    return pendingPresses().size();
}

void clear()
{
    pendingPresses().clear();
}

QString lastMessage()
{
    return lastShownMessage();
}

QStringList lastButtons()
{
    return lastShownButtons();
}

bool &strictness()
{
    static bool strict = false;
    return strict;
}

void setStrict(bool strict)
{
    strictness() = strict;
}
} // namespace DialogTestHook

// ---------------------------------------------------------------------------

MovableDialog::MovableDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
}

void MovableDialog::mousePressEvent(QMouseEvent *event)
{
    m_dragging = true;
    m_pressX = event->x();
    m_pressY = event->y();
    event->accept();
}

void MovableDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    move(x() - m_pressX + event->x(), y() - m_pressY + event->y());
}

void MovableDialog::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    event->accept();
}

void MovableDialog::armTestAnswer(const QString &message, const QList<QLabel *> &buttons)
{
    lastShownMessage() = message;
    lastShownButtons() = visibleTexts(buttons, this);
    if (pendingPresses().isEmpty()) {
        if (DialogTestHook::strictness()) {
            qWarning() << "DialogTestHook: no answer queued for" << message << "- closed";
            QTimer::singleShot(0, this, &QWidget::hide);
        }
        return;
    }
    const DialogTestHook::Press press = pendingPresses().takeFirst();
    QTimer::singleShot(0, this, [this, press] {
        if (press == DialogTestHook::Press::Escape) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(this, &down);
        } else if (QWidget *control = controlFor(press); control && control->isVisibleTo(this)) {
            const QPoint centre = control->rect().center();
            QMouseEvent down(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QMouseEvent up(QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(control, &down);
            QCoreApplication::sendEvent(control, &up);
        } else {
            qWarning() << "DialogTestHook: the dialog has no visible control for the hooked answer";
        }
        if (isVisible()) {
            qWarning() << "DialogTestHook: the hooked answer left the dialog open; closing it";
            hide();
        }
    });
}

// ---------------------------------------------------------------------------

MyMessageDialog::MyMessageDialog(QWidget *parent)
    : MovableDialog(parent), m_background(new QWidget(this)), m_closeButton(new MyPushButton(this)),
      m_titleLabel(new QLabel(this)), m_messageLabel(new QLabel(this)), m_ruleLabel(new QLabel(this)),
      m_cancelButton(new MyTempButton1(this)), m_okButton(new MyTempButton1(this))
{
    resize(scaled(480), scaled(252));
    m_background->setStyleSheet(kPanelStyle);
    m_background->lower();
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_ruleLabel->setStyleSheet(QStringLiteral("QLabel{background-color:#e9eaeb;border:none;}"));

    m_closeButton->setPicture(sharedPicture());
    for (int s = 0; s < 4; ++s)
        m_closeButton->setStateRect(s, Sprites::DialogClose.part(s));
    m_closeButton->setCursor(Qt::PointingHandCursor);

    m_cancelButton->setColors(QStringLiteral("#576671"), QStringLiteral("#68757f"), QStringLiteral("#566169"));
    m_okButton->setColors(QStringLiteral("#0396eb"), QStringLiteral("#038cdb"), QStringLiteral("#88c5e8"));
    for (MyTempButton1 *b : {m_cancelButton, m_okButton}) {
        b->setTextStyle(QStringLiteral("font-size:") + px(13)
                        + QStringLiteral("px;color:#ffffff;font-weight:700;border-radius:3px;"));
        b->setCursor(Qt::PointingHandCursor);
    }

    connect(m_closeButton, SIGNAL(clicked()), this, SLOT(closeButton_slots()));
    connect(m_cancelButton, SIGNAL(clicked()), this, SLOT(CancelButton_slots()));
    connect(m_okButton, SIGNAL(clicked()), this, SLOT(OKButton_slots()));
    layoutDialog();
}

void MyMessageDialog::layoutDialog()
{
    const int w = width();
    const int h = height();
    m_background->setGeometry(0, 0, w, h);
    m_closeButton->setGeometry(w - scaled(34), scaled(14), scaled(20), scaled(20));
    m_titleLabel->setGeometry(scaled(24), scaled(12), w - scaled(80), scaled(26));
    m_titleLabel->setStyleSheet(QStringLiteral("QLabel{font-size:") + px(15)
                                + QStringLiteral("px;color:#333333;font-weight:700;}"));
    m_ruleLabel->setGeometry(scaled(24), scaled(46), w - scaled(48), 1);
    m_messageLabel->setGeometry(scaled(24), scaled(56), w - scaled(48), h - scaled(56) - scaled(70));
    m_messageLabel->setStyleSheet(QStringLiteral("QLabel{font-size:") + px(13) + QStringLiteral("px;color:#666666;}"));
    const int bw = scaled(110);
    const int bh = scaled(35);
    const int by = h - scaled(24) - bh;
    m_okButton->setGeometry(w - scaled(24) - bw, by, bw, bh);
    m_cancelButton->setGeometry(m_okButton->x() - scaled(12) - bw, by, bw, bh);
    m_cancelButton->show();
    m_okButton->show();
}

void MyMessageDialog::setMessage(const QString &text)
{
    layoutDialog();
    m_titleLabel->setText(QStringLiteral("Clipwright"));
    m_messageLabel->setText(text);
    m_cancelButton->setText(tr("Cancel"));
    m_okButton->setText(tr("OK"));
}

QString MyMessageDialog::message() const
{
    return m_messageLabel->text();
}

void MyMessageDialog::setButtonTexts(const QString &cancelText, const QString &okText)
{
    m_cancelButton->setText(cancelText);
    m_okButton->setText(okText);
}

void MyMessageDialog::setQuestionButtons()
{
    setButtonTexts(tr("No"), tr("Yes"));
}

void MyMessageDialog::singleButton(const QString &text)
{
    const int bw = scaled(120);
    m_cancelButton->hide();
    m_okButton->setGeometry((width() - bw) / 2, m_cancelButton->y(), bw, scaled(35));
    m_okButton->setText(text);
    m_okButton->show();
}

int MyMessageDialog::exec()
{
    m_answer = false;
    armTestAnswer(m_messageLabel->text(), {m_cancelButton, m_okButton});
    return MovableDialog::exec();
}

QWidget *MyMessageDialog::controlFor(DialogTestHook::Press press) const
{
    switch (press) {
    case DialogTestHook::Press::OK:
        return m_okButton;
    case DialogTestHook::Press::Cancel:
        return m_cancelButton;
    case DialogTestHook::Press::Close:
        return m_closeButton;
    default:
        return nullptr;
    }
}

void MyMessageDialog::closeButton_slots()
{
    m_answer = false;
    hide();
}

void MyMessageDialog::CancelButton_slots()
{
    m_answer = false;
    hide();
}

void MyMessageDialog::OKButton_slots()
{
    m_answer = true;
    hide();
}

// ---------------------------------------------------------------------------

CheckQURLItem::CheckQURLItem(QWidget *parent)
    : MovableDialog(parent), m_panel(new QWidget(this)), m_messageLabel(new QLabel(this)),
      m_downclipBtn(new MyTempButton2(this)), m_downlistBtn(new MyTempButton2(this))
{
    resize(scaled(480), scaled(176));
    m_panel->setStyleSheet(kPanelStyle);
    m_panel->lower();
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setAlignment(Qt::AlignCenter);
    m_downclipBtn->setCursor(Qt::PointingHandCursor);
    m_downlistBtn->setCursor(Qt::PointingHandCursor);
    connect(m_downclipBtn, SIGNAL(clicked()), this, SLOT(m_downclipBtn_slots()));
    connect(m_downlistBtn, SIGNAL(clicked()), this, SLOT(m_downlistBtn_slots()));
    build();
}

void CheckQURLItem::build()
{
    const int w = width();
    const int h = height();
    m_panel->setGeometry(0, 0, w, h);
    m_messageLabel->setGeometry(scaled(30), scaled(22), w - scaled(60), scaled(70));
    m_messageLabel->setStyleSheet(QStringLiteral("QLabel{font-size:") + px(14)
                                  + QStringLiteral("px;color:#333333;font-weight:700;}"));
    m_messageLabel->setText(tr("The video is part of the playlist. Do you want to download the clip only or "
                               "download all palylist?"));

    const QString size = px(13);
    const QString clip = QStringLiteral("QLabel{border: 1px solid #0396eb; font-size:") + size
                         + QStringLiteral("px;color:#333333;font-weight:700; background-color:%1;border-radius: 3px;}");
    m_downclipBtn->setStyleSheets(clip.arg(QStringLiteral("#ffffff")), clip.arg(QStringLiteral("#d5d5d5")),
                                  clip.arg(QStringLiteral("#ffffff")));
    const QString list = QStringLiteral("QLabel{border: 1px solid %1; font-size:") + size
                         + QStringLiteral("px;color:#ffffff;font-weight:700; background-color:%1;border-radius: 3px;}");
    m_downlistBtn->setStyleSheets(list.arg(QStringLiteral("#0396eb")), list.arg(QStringLiteral("#038cdb")),
                                  list.arg(QStringLiteral("#88c5e8")));
    m_downclipBtn->setText(tr("Download Clip"));
    m_downlistBtn->setText(tr("Download Playlist"));

    const int bw = scaled(170);
    const int bh = scaled(38);
    const int by = h - scaled(28) - bh;
    m_downclipBtn->setGeometry(w / 2 - scaled(10) - bw, by, bw, bh);
    m_downlistBtn->setGeometry(w / 2 + scaled(10), by, bw, bh);
}

int CheckQURLItem::exec()
{
    m_answer = 0;
    armTestAnswer(m_messageLabel->text(), {m_downclipBtn, m_downlistBtn});
    return MovableDialog::exec();
}

QWidget *CheckQURLItem::controlFor(DialogTestHook::Press press) const
{
    switch (press) {
    case DialogTestHook::Press::Clip:
        return m_downclipBtn;
    case DialogTestHook::Press::Playlist:
        return m_downlistBtn;
    default:
        return nullptr;
    }
}

void CheckQURLItem::m_downclipBtn_slots()
{
    m_answer = 0;
    hide();
}

void CheckQURLItem::m_downlistBtn_slots()
{
    m_answer = 1;
    hide();
}
