#include "views/qualitychooser.h"

#include "views/nextanswers.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "app/format.h"
#include "engine/subtitles.h"
#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QtDebug>

#include <algorithm>

namespace
{
QString px(double designPixels)
{
    return QString::number(scaled(designPixels));
}

int numberPart(const QStringList &parts, int i)
{
    if (i >= parts.size())
        return 0;
    QString digits;
    for (const QChar c : parts.at(i))
        if (!c.isSpace())
            digits.append(c);
    return digits.toInt();
}

QPixmap markPicture(bool on)
{
    const int side = scaled(16);
    return picturePart(sharedPicture(), Sprites::ChoiceMark.part(on ? 1 : 0), QSize(side, side));
}

QString comboStyle()
{
    return QStringLiteral("QComboBox{border:1px solid #d8d7d6;border-radius:2px;padding-left:") + px(6)
           + QStringLiteral("px;font-size:") + px(12)
           + QStringLiteral("px;color:#333333;background-color:#ffffff;}"
                            "QComboBox:hover{border:1px solid #0396eb;}"
                            "QComboBox::drop-down{border:none;width:")
           + px(22)
           + QStringLiteral("px;}"
                            "QComboBox::down-arrow{image:url(:/images/arrowDown.png);}"
                            "QComboBox QAbstractItemView{border:1px solid #d8d7d6;background-color:#ffffff;"
                            "selection-background-color:#e4f8e3;selection-color:#333333;outline:0px;font-size:")
           + px(12) + QStringLiteral("px;color:#333333;}");
}
} // namespace

QString qualityBadgeText(const QString &resolutionText, bool *hd)
{
    const QStringList parts = resolutionText.toLower().split(QLatin1Char('x'));
    const int w = numberPart(parts, 0);
    const int h = numberPart(parts, 1);
    const int smaller = qMin(w, h);
    if (hd)
        *hd = smaller >= 720;
    if (w <= 0 && h <= 0)
        return QStringLiteral("--");
    // Each later rule overrides the earlier ones.
    QString badge = QString::number(smaller);
    if (h <= 1080)
        badge = QStringLiteral("1080P");
    if (h <= 720)
        badge = QStringLiteral("720P");
    if (h <= 480)
        badge = QStringLiteral("480P");
    if (h <= 360)
        badge = QStringLiteral("360P");
    if (h <= 240)
        badge = QStringLiteral("240P");
    if (h <= 144)
        badge = QStringLiteral("144P");
    if (h > 1080 || w > 1920)
        badge = QStringLiteral("2K");
    if (h >= 2160 || w == 3840)
        badge = QStringLiteral("4K");
    if (h >= 3112 && w == 4096)
        badge = QStringLiteral("Full 4K");
    if (h >= 3113 && w > 4096)
        badge = QStringLiteral("HD 8K");
    return badge;
}

QString qualityBadgeColor(int index)
{
    static const char *const colors[5] = {"#be7620", "#47d906", "#5d69c7", "#ad5dc7", "#c1a227"};
    if (index < 0)
        return QStringLiteral("#c75d91");
    return QString::fromLatin1(colors[index % 5]);
}

namespace ChooserLook
{
QString checkBoxStyle()
{
    return QStringLiteral("QCheckBox{font-size:") + px(12) + QStringLiteral("px;color:#333333;spacing:") + px(6)
           + QStringLiteral("px;}QCheckBox::indicator{width:") + px(16) + QStringLiteral("px;height:") + px(16)
           + QStringLiteral("px;}"
                            "QCheckBox::indicator:unchecked{image:url(:/images/check/unchecked1.png);}"
                            "QCheckBox::indicator:checked{image:url(:/images/check/checked1.png);}");
}

QString scrollBarStyle()
{
    return QStringLiteral("QScrollBar:vertical{width:") + px(10)
           + QStringLiteral(
               "px;background:transparent;margin:0px;border:none;}"
               "QScrollBar::handle:vertical{background:rgba(72,74,77,90);border-radius:2px;min-height:30px;}"
               "QScrollBar::handle:vertical:hover{background:rgba(3,150,235,160);}"
               "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;border:none;background:none;}"
               "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}");
}

QString panelStyle()
{
    return QStringLiteral("QWidget{border-bottom: 1px solid #ababab; border-right:1px solid #ababab;border-left:1px "
                          "solid #ababab;border-top:3px solid #434547; background-color:#ffffff;}");
}

QFont pixelFont(double designPixels, bool bold)
{
    QFont font;
    font.setPixelSize(qMax(1, scaled(designPixels)));
    if (bold)
        font.setBold(true);
    return font;
}

void restyle(QWidget *widget, const QString &sheet)
{
    widget->ensurePolished();
    widget->setStyleSheet(sheet);
}
} // namespace ChooserLook

// ---------------------------------------------------------------------------

QualityBadge::QualityBadge(QWidget *parent) : QWidget(parent), m_badge(new QLabel(this)), m_picture(new QLabel(this))
{
    m_badge->setAlignment(Qt::AlignCenter);
    m_badge->setFont(ChooserLook::pixelFont(11, true));
    m_picture->hide();
    resize(fullWidth(), fullHeight());
}

int QualityBadge::fullWidth()
{
    return scaled(76) + scaled(6) + scaled(22);
}

int QualityBadge::fullHeight()
{
    return scaled(18);
}

void QualityBadge::setBadge(const QString &text, const QString &color, bool hd, bool audioOnly)
{
    m_text = text;
    m_color = color;
    // Audio only carries a longer text than any resolution badge.
    const int badgeWidth = scaled(audioOnly ? 76 : 50);
    m_badge->setGeometry(0, 0, badgeWidth, fullHeight());
    ChooserLook::restyle(m_badge, QStringLiteral("QLabel{background-color:") + color
                                      + QStringLiteral(";color:#ffffff;border-radius:") + px(3)
                                      + QStringLiteral("px;}"));
    m_badge->setText(text);

    const QSize pictureSize(scaled(22), scaled(14));
    m_picture->setGeometry(badgeWidth + scaled(6), (fullHeight() - pictureSize.height()) / 2, pictureSize.width(),
                           pictureSize.height());
    if (audioOnly || hd) {
        m_picture->setPixmap(
            picturePart(sharedPicture(), audioOnly ? Sprites::AudioBadge : Sprites::HdBadge, pictureSize));
        m_picture->show();
    } else {
        m_picture->hide();
    }
}

bool QualityBadge::pictureShown() const
{
    return !m_picture->isHidden();
}

// ---------------------------------------------------------------------------

SQualityItem::SQualityItem(QWidget *parent)
    : QWidget(parent), m_mark(new QLabel(this)), m_badge(new QualityBadge(this)), m_extLabel(new QLabel(this)),
      m_resolutionLabel(new QLabel(this)), m_descriptionLabel(new QLabel(this)), m_sizeLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("qualityRow"));
    setAttribute(Qt::WA_StyledBackground, true);
    setCursor(Qt::PointingHandCursor);
    for (QLabel *label : {m_extLabel, m_resolutionLabel, m_descriptionLabel, m_sizeLabel}) {
        label->setFont(ChooserLook::pixelFont(12));
        label->setTextFormat(Qt::PlainText);
        label->setStyleSheet(QStringLiteral("QLabel{color:#666666;}"));
    }
    m_sizeLabel->setStyleSheet(QStringLiteral("QLabel{color:#333333;}"));
    m_sizeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    resize(scaled(500), scaled(34));
    setChecked(false);
}

void SQualityItem::setFormat(const MediaFormat &format)
{
    m_format = format;
}

void SQualityItem::setData(const QString &ext, const QString &resolution, const QString &description,
                           const QString &sizeText, int index, bool audioOnly)
{
    m_audioOnly = audioOnly;
    m_description = description.trimmed();
    bool hd = false;
    const QString badge = qualityBadgeText(resolution, &hd);
    m_badge->setBadge(audioOnly ? tr("Audio Only") : badge, qualityBadgeColor(index), hd, audioOnly);
    m_extLabel->setText(ext);
    m_resolutionLabel->setText(resolution == QLatin1String("0x0") ? QStringLiteral("--") : resolution);
    m_sizeLabel->setText(sizeText);
    layoutRow();
}

void SQualityItem::setChecked(bool checked)
{
    m_checked = checked;
    m_background = checked ? QStringLiteral("#e4f8e3") : QStringLiteral("#FFFFFF");
    ChooserLook::restyle(this, QStringLiteral("QWidget#qualityRow{background-color:") + m_background
                                   + QStringLiteral(";border-bottom:1px solid #f0f1f2;}"));
    m_mark->setPixmap(markPicture(checked));
}

void SQualityItem::setListed(bool listed)
{
    m_listed = listed;
    setVisible(listed);
}

QString SQualityItem::badgeText() const
{
    return m_badge->text();
}

QString SQualityItem::badgeColor() const
{
    return m_badge->color();
}

bool SQualityItem::hdShown() const
{
    return m_badge->pictureShown();
}

QString SQualityItem::extText() const
{
    return m_extLabel->text();
}

QString SQualityItem::resolutionText() const
{
    return m_resolutionLabel->text();
}

QString SQualityItem::sizeText() const
{
    return m_sizeLabel->text();
}

void SQualityItem::layoutRow()
{
    const int w = width();
    const int h = height();
    const int mark = scaled(16);
    m_mark->setGeometry(scaled(10), (h - mark) / 2, mark, mark);
    m_badge->move(scaled(34), (h - QualityBadge::fullHeight()) / 2);
    const int extX = scaled(34) + QualityBadge::fullWidth() + scaled(8);
    m_extLabel->setGeometry(extX, 0, scaled(44), h);
    m_resolutionLabel->setGeometry(m_extLabel->geometry().right() + 1, 0, scaled(84), h);
    const int sizeWidth = scaled(80);
    m_sizeLabel->setGeometry(w - scaled(10) - sizeWidth, 0, sizeWidth, h);
    const int descriptionX = m_resolutionLabel->geometry().right() + 1;
    const int descriptionWidth = qMax(0, m_sizeLabel->x() - scaled(6) - descriptionX);
    m_descriptionLabel->setGeometry(descriptionX, 0, descriptionWidth, h);
    m_descriptionLabel->setText(
        m_descriptionLabel->fontMetrics().elidedText(m_description, Qt::ElideRight, descriptionWidth));
    m_descriptionLabel->setToolTip(m_description);
}

void SQualityItem::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void SQualityItem::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    emit clicked(this);
}

void SQualityItem::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutRow();
}

// ---------------------------------------------------------------------------

SelectQualityWidget::SelectQualityWidget(QWidget *parent)
    : MovableDialog(parent), m_panel(new QWidget(this)), m_headingLabel(new QLabel(this)),
      m_closeButton(new MyPushButton(this)), m_ruleLabel(new QLabel(this)), m_titleLabel(new QLabel(this)),
      m_listFrame(new QWidget(this)), m_scrollArea(new QScrollArea(m_listFrame)), m_rowHolder(new QWidget),
      m_downloadsubtitleBox(new QCheckBox(this)), m_subtitleLangComboBox(new QComboBox(this)),
      m_sizeLabel(new QLabel(this)), m_downloadButton(new MyTempButton1(this))
{
    resize(scaled(560), scaled(500));
    m_panel->setStyleSheet(ChooserLook::panelStyle());
    m_panel->lower();

    m_closeButton->setPicture(sharedPicture());
    for (int s = 0; s < 4; ++s)
        m_closeButton->setStateRect(s, Sprites::DialogClose.part(s));
    m_closeButton->setCursor(Qt::PointingHandCursor);

    m_headingLabel->setFont(ChooserLook::pixelFont(15, true));
    m_headingLabel->setStyleSheet(QStringLiteral("QLabel{color:#333333;}"));
    m_ruleLabel->setStyleSheet(QStringLiteral("QLabel{background-color:#e9eaeb;border:none;}"));
    m_titleLabel->setFont(ChooserLook::pixelFont(13));
    m_titleLabel->setTextFormat(Qt::PlainText);
    m_titleLabel->setStyleSheet(QStringLiteral("QLabel{color:#333333;}"));

    m_listFrame->setObjectName(QStringLiteral("qualityList"));
    m_listFrame->setAttribute(Qt::WA_StyledBackground, true);
    m_listFrame->setStyleSheet(QStringLiteral("QWidget#qualityList{border:1px solid #e9eaeb;background:#ffffff;}"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollArea->verticalScrollBar()->setStyleSheet(ChooserLook::scrollBarStyle());
    m_scrollArea->setWidgetResizable(false);
    m_rowHolder->setObjectName(QStringLiteral("qualityRows"));
    m_rowHolder->setStyleSheet(QStringLiteral("QWidget#qualityRows{background:#ffffff;}"));
    m_scrollArea->setWidget(m_rowHolder);
    m_scrollArea->viewport()->setObjectName(QStringLiteral("qualityViewport"));
    m_scrollArea->viewport()->setStyleSheet(QStringLiteral("QWidget#qualityViewport{background:#ffffff;}"));

    m_downloadsubtitleBox->setStyleSheet(ChooserLook::checkBoxStyle());
    m_downloadsubtitleBox->setFocusPolicy(Qt::NoFocus);
    m_downloadsubtitleBox->setCursor(Qt::PointingHandCursor);
    m_subtitleLangComboBox->setStyleSheet(comboStyle());
    m_subtitleLangComboBox->setFocusPolicy(Qt::NoFocus);
    m_subtitleLangComboBox->setIconSize(QSize(scaled(16), scaled(16)));
    m_subtitleLangComboBox->setView(new QListView(m_subtitleLangComboBox));
    m_subtitleLangComboBox->view()->setItemDelegate(new NoFocusFrameDelegate(m_subtitleLangComboBox));
    m_subtitleLangComboBox->hide();

    m_sizeLabel->setFont(ChooserLook::pixelFont(13, true));
    m_sizeLabel->setStyleSheet(QStringLiteral("QLabel{color:#333333;}"));
    m_sizeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_downloadButton->setColors(QStringLiteral("#0396eb"), QStringLiteral("#038cdb"), QStringLiteral("#88c5e8"));
    m_downloadButton->setTextStyle(QStringLiteral("font-size:") + px(13)
                                   + QStringLiteral("px;color:#ffffff;font-weight:700;border-radius:3px;"));
    m_downloadButton->setCursor(Qt::PointingHandCursor);

    connect(m_downloadsubtitleBox, SIGNAL(stateChanged(int)), this, SLOT(downloadsubtitleBox_slots()));
    connect(m_downloadButton, SIGNAL(clicked()), this, SLOT(downloadButton_slots()));
    connect(m_closeButton, SIGNAL(clicked()), this, SLOT(closeButton_slots()));
    connect(m_subtitleLangComboBox, SIGNAL(activated(int)), this, SLOT(m_subtitleLangComboBox_slots()));
    layoutDialog();
}

void SelectQualityWidget::layoutDialog()
{
    const int w = width();
    const int h = height();
    m_panel->setGeometry(0, 0, w, h);
    m_closeButton->setGeometry(w - scaled(34), scaled(14), scaled(20), scaled(20));
    m_headingLabel->setGeometry(scaled(24), scaled(12), w - scaled(80), scaled(26));
    m_headingLabel->setText(tr("Choose Quality:"));
    m_ruleLabel->setGeometry(scaled(24), scaled(46), w - scaled(48), 1);
    m_titleLabel->setGeometry(scaled(24), scaled(56), w - scaled(48), scaled(24));

    const int listTop = scaled(86);
    const int bh = scaled(35);
    const int by = h - scaled(24) - bh;
    m_listFrame->setGeometry(scaled(24), listTop, w - scaled(48), by - scaled(16) - listTop);
    m_scrollArea->setGeometry(1, 1, m_listFrame->width() - 2, m_listFrame->height() - 2);

    const int bw = scaled(110);
    m_downloadButton->setGeometry(w - scaled(24) - bw, by, bw, bh);
    m_downloadButton->setText(tr("Download"));
    m_downloadsubtitleBox->setText(tr("Download Subtitles"));
    const int boxWidth = m_downloadsubtitleBox->sizeHint().width();
    const int boxHeight = scaled(24);
    m_downloadsubtitleBox->setGeometry(scaled(24), by + (bh - boxHeight) / 2, boxWidth, boxHeight);
    const int comboHeight = scaled(28);
    m_subtitleLangComboBox->setGeometry(m_downloadsubtitleBox->geometry().right() + scaled(10),
                                        by + (bh - comboHeight) / 2, scaled(150), comboHeight);
    // Language names with "(auto-generated)" are wider than the closed box.
    m_subtitleLangComboBox->view()->setMinimumWidth(scaled(240));
    const int sizeX = m_subtitleLangComboBox->geometry().right() + scaled(8);
    m_sizeLabel->setGeometry(sizeX, by, m_downloadButton->x() - scaled(12) - sizeX, bh);
    stackRows();
}

void SelectQualityWidget::stackRows()
{
    const int step = scaled(34);
    int listed = 0;
    for (const SQualityItem *row : qAsConst(m_rows))
        if (row->isListed())
            ++listed;
    const int height = listed * step;
    const bool scrolls = height > m_scrollArea->height();
    const int width = m_scrollArea->width() - (scrolls ? m_scrollArea->verticalScrollBar()->sizeHint().width() : 0);
    int y = 0;
    for (SQualityItem *row : qAsConst(m_rows)) {
        if (!row->isListed())
            continue;
        row->setGeometry(0, y, width, step);
        y += step;
    }
    m_rowHolder->resize(width, height);
}

QList<SQualityItem *> SelectQualityWidget::listedRows() const
{
    QList<SQualityItem *> listed;
    for (SQualityItem *row : m_rows)
        if (row->isListed())
            listed.append(row);
    return listed;
}

QString SelectQualityWidget::titleText() const
{
    return m_titleLabel->text();
}

QString SelectQualityWidget::sizeText() const
{
    return m_sizeLabel->text();
}

void SelectQualityWidget::setTitle(const QString &text)
{
    const QFontMetrics metrics(m_titleLabel->font());
    const int room = scaled(400);
    QString shown = text;
    if (metrics.horizontalAdvance(shown) > room) {
        while (shown.size() >= 10 && metrics.horizontalAdvance(shown) > room)
            shown.chop(1);
        shown += QStringLiteral("... ");
    }
    m_titleLabel->setText(shown);
    m_titleLabel->setToolTip(text);
}

void SelectQualityWidget::setMediaInfo(const MediaInfo *media)
{
    for (SQualityItem *row : qAsConst(m_rows))
        row->setListed(false);
    m_selectedFormatId.clear();
    m_sizeLabel->clear();
    const QVector<MediaFormat> formats = media ? media->formats() : QVector<MediaFormat>();
    for (int i = 0; i < formats.size(); ++i) {
        const MediaFormat &format = formats.at(i);
        SQualityItem *row = nullptr;
        for (SQualityItem *candidate : qAsConst(m_rows)) {
            if (!candidate->isListed()) {
                row = candidate;
                break;
            }
        }
        if (!row) {
            row = new SQualityItem(m_rowHolder);
            connect(row, SIGNAL(clicked(SQualityItem *)), this, SLOT(SQualityItem_clicked(SQualityItem *)));
            m_rows.append(row);
        }
        const bool audioOnly = format.kind == FormatKind::AudioOnly;
        // A codec the site did not name ("" or "none") is left out rather than shown.
        const QString codec = audioOnly ? format.acodec : format.vcodec;
        QString description = codec.isEmpty() || codec == QLatin1String("none") ? QString() : codec + QLatin1Char(' ');
        if (audioOnly) {
            description += QString::number(format.abr) + QStringLiteral("kbps");
        } else {
            if (format.fps > 0)
                description += QString::number(format.fps) + QStringLiteral("fps ");
            if (format.abr > 0)
                description += QString::number(format.abr) + QStringLiteral("kbps");
        }
        const QString sizeText = format.fileSizeBytes > 0 ? formatSize(format.fileSizeBytes) : QStringLiteral("--");
        row->setFormat(format);
        row->setData(format.ext, QString::number(format.width) + QLatin1Char('x') + QString::number(format.height),
                     description, sizeText, i, audioOnly);
        row->setChecked(false);
        row->setListed(true);
    }
    stackRows();
    m_scrollArea->verticalScrollBar()->setValue(0);
}

void SelectQualityWidget::preselect(const QString &formatId)
{
    SQualityItem *chosen = nullptr;
    for (SQualityItem *row : qAsConst(m_rows)) {
        if (row->isListed() && row->format().id == formatId) {
            chosen = row;
            break;
        }
    }
    if (!chosen) {
        for (SQualityItem *row : qAsConst(m_rows)) {
            if (row->isListed()) {
                chosen = row;
                break;
            }
        }
    }
    SQualityItem_clicked(chosen);
    m_accepted = true;
}

void SelectQualityWidget::setSubtitleLists(const QStringList &subtitleCodes, const QStringList &autoCaptionCodes)
{
    m_codes.clear();
    m_selectedSubtitleCode.clear();
    m_subtitleLangComboBox->clear();
    const QIcon icon(QStringLiteral(":/images/arrowtest.png"));
    auto addEntry = [&](const QString &text, const QString &code) {
        m_subtitleLangComboBox->addItem(icon, text);
        m_codes.append(code);
    };
    addEntry(tr("Auto"), QStringLiteral(" "));

    const auto byName = [](const QString &a, const QString &b) { return languageName(a) < languageName(b); };
    QStringList subtitles = subtitleCodes;
    QStringList captions = autoCaptionCodes;
    std::stable_sort(subtitles.begin(), subtitles.end(), byName);
    std::stable_sort(captions.begin(), captions.end(), byName);
    // Names carry a trailing blank; trimmed, the caption note does not stand two blanks off.
    for (const QString &code : qAsConst(subtitles)) {
        const QString name = languageName(code).trimmed();
        if (!name.isEmpty())
            addEntry(name, code);
    }
    for (const QString &code : qAsConst(captions)) {
        const QString name = languageName(code).trimmed();
        if (subtitleCodes.contains(code) || name.isEmpty())
            continue;
        addEntry(name + QStringLiteral(" (") + tr("auto-generated") + QLatin1Char(')'), code);
    }
    if (m_subtitleLangComboBox->count() > 1)
        m_subtitleLangComboBox->setCurrentIndex(0);
    updateComboVisibility();
}

void SelectQualityWidget::updateComboVisibility()
{
    m_subtitleLangComboBox->setVisible(m_downloadsubtitleBox->isChecked() && m_codes.size() >= 2);
}

int SelectQualityWidget::exec()
{
    centerOnMainWindow(this);
    if (!NextAnswers<SelectQualityWidget>::runNext(*this))
        MovableDialog::exec();
    setResult(m_accepted ? Accepted : Rejected);
    return result();
}

void SelectQualityWidget::answerNextWith(Answer answer)
{
    NextAnswers<SelectQualityWidget>::add(std::move(answer));
}

int SelectQualityWidget::pendingAnswers()
{
    return NextAnswers<SelectQualityWidget>::pending();
}

void SelectQualityWidget::clearAnswers()
{
    NextAnswers<SelectQualityWidget>::clear();
}

QWidget *SelectQualityWidget::controlFor(DialogTestHook::Press) const
{
    return nullptr;
}

void SelectQualityWidget::SQualityItem_clicked(SQualityItem *item)
{
    if (!item)
        return;
    for (SQualityItem *row : qAsConst(m_rows))
        row->setChecked(false);
    item->setChecked(true);
    m_selectedFormatId = item->format().id;
    m_sizeLabel->setText(formatSize(item->format().fileSizeBytes).trimmed());
}

void SelectQualityWidget::downloadsubtitleBox_slots()
{
    m_subtitlesWanted = m_downloadsubtitleBox->isChecked();
    updateComboVisibility();
}

void SelectQualityWidget::m_subtitleLangComboBox_slots()
{
    m_selectedSubtitleCode.clear();
    const int index = m_subtitleLangComboBox->currentIndex();
    if (index >= 0 && index < m_subtitleLangComboBox->count() && index < m_codes.size())
        m_selectedSubtitleCode = m_codes.at(index);
    qDebug() << "m_subtitleLangComboBox_slots..." << m_selectedSubtitleCode;
}

void SelectQualityWidget::downloadButton_slots()
{
    m_accepted = true;
    hide();
}

void SelectQualityWidget::closeButton_slots()
{
    m_accepted = false;
    hide();
}
