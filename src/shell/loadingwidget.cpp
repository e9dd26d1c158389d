#include "shell/loadingwidget.h"

#include "app/appenv.h"

#include <QLabel>
#include <QMovie>
#include <QPainter>

LoadingWidget::LoadingWidget(QWidget *parent)
    : QWidget(parent), m_box(new QWidget(this)), m_panel(new QWidget(m_box)), m_textLabel(new QLabel(m_box)),
      m_animationLabel(new QLabel(m_box)),
      m_movie(new QMovie(QStringLiteral(":/images/small_loadimg2.gif"), QByteArray(), this))
{
    m_panel->setStyleSheet(
        QStringLiteral("QWidget{border-bottom: 1px solid #ababab; border-right:1px solid #ababab;border-left:1px solid "
                       "#ababab;border-top:3px solid #434547; background-color:#ffffff;}"));
    m_textLabel->setAlignment(Qt::AlignCenter);
    m_textLabel->setStyleSheet(QStringLiteral("QLabel{font-size:") + QString::number(scaled(12))
                               + QStringLiteral("px;color:#666666;}"));
    m_animationLabel->setMovie(m_movie);
    m_textLabel->setText(tr("Loading..."));
}

void LoadingWidget::setText(const QString &text)
{
    m_textLabel->setText(text);
}

QString LoadingWidget::text() const
{
    return m_textLabel->text();
}

void LoadingWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutBox();
}

void LoadingWidget::layoutBox()
{
    const int bw = scaled(200);
    const int bh = scaled(160);
    m_box->setGeometry((width() - bw) / 2, (height() - bh) / 2, bw, bh);
    m_panel->setGeometry(0, 0, bw, bh);
    const int a = scaled(20);
    m_animationLabel->setGeometry((bw - a) / 2, (bh - a) / 2 - a, a, a);
    m_movie->setScaledSize(QSize(a, a));
    const int textTop = m_animationLabel->geometry().bottom() + 1 + scaled(10);
    m_textLabel->setGeometry(scaled(10), textTop, bw - scaled(20), scaled(20));
}

// The spinner turns only while someone can see it.
void LoadingWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_movie->start();
}

void LoadingWidget::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_movie->stop();
}

void LoadingWidget::paintEvent(QPaintEvent *)
{
    // A light veil tells the page below is busy without hiding it.
    QPainter p(this);
    p.fillRect(rect(), QColor(72, 74, 77, 28));
}
