#include "views/playlistchooser.h"

#include "views/nextanswers.h"

#include "app/appenv.h"
#include "app/folders.h"
#include "app/format.h"
#include "views/qualitychooser.h"
#include "widgets/controls.h"
#include "widgets/filedialogs.h"
#include "widgets/pictures.h"

#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QtDebug>

namespace
{
QString px(double designPixels)
{
    return QString::number(scaled(designPixels));
}

// A tick box drawn by a picture button whose every state shows the same part.
void showTick(MyPushButton *button, bool ticked)
{
    for (int s = 0; s < 4; ++s)
        button->setStateRect(s, Sprites::TickBox.part(ticked ? 1 : 0));
}

MyPushButton *makeTickButton(QWidget *parent)
{
    auto *button = new MyPushButton(parent);
    button->setPicture(sharedPicture());
    button->setCursor(Qt::PointingHandCursor);
    showTick(button, false);
    return button;
}

// File names longer than this are refused by common file systems once the folder
// and ".txt" are added, so the proposal keeps to a safe length.
constexpr int kLongestProposedName = 100;
} // namespace

// ---------------------------------------------------------------------------

HDquality::HDquality(QWidget *parent)
    : QWidget(parent), m_badge(new QualityBadge(this)), m_resolutionLabel(new QLabel(this)), m_chevron(new QLabel(this))
{
    setObjectName(QStringLiteral("hdQuality"));
    setAttribute(Qt::WA_StyledBackground, true);
    setCursor(Qt::PointingHandCursor);
    m_resolutionLabel->setFont(ChooserLook::pixelFont(12));
    m_resolutionLabel->setStyleSheet(QStringLiteral("QLabel{color:#666666;}"));
    m_chevron->hide();
    resize(scaled(240), scaled(34));
    applyLook();
}

void HDquality::setData(const QString &formatId, const QString &sizeText, const QString &resolution,
                        const QString &description, int index, bool audioOnly)
{
    m_formatId = formatId;
    m_sizeText = sizeText;
    m_resolution = resolution;
    m_description = description;
    m_index = index;
    m_audioOnly = audioOnly;
    bool hd = false;
    const QString badge = qualityBadgeText(resolution, &hd);
    m_badge->setBadge(audioOnly ? tr("Audio Only") : badge, qualityBadgeColor(index), hd, audioOnly);
    m_resolutionLabel->setText(resolution == QLatin1String("0x0") ? QStringLiteral("--") : resolution);
}

void HDquality::copyFrom(const HDquality &other)
{
    setData(other.m_formatId, other.m_sizeText, other.m_resolution, other.m_description, other.m_index,
            other.m_audioOnly);
}

void HDquality::setSelected(bool selected)
{
    m_selected = selected;
    applyLook();
}

void HDquality::setDropButton(bool dropButton)
{
    m_dropButton = dropButton;
    if (dropButton) {
        const QSize size(scaled(12), scaled(8));
        m_chevron->setPixmap(picturePart(sharedPicture(), Sprites::DropChevron.part(0), size));
    }
    m_chevron->setVisible(dropButton);
    applyLook();
    layoutEntry();
}

QString HDquality::badgeText() const
{
    return m_badge->text();
}

QString HDquality::badgeColor() const
{
    return m_badge->color();
}

bool HDquality::hdShown() const
{
    return m_badge->pictureShown();
}

QString HDquality::background() const
{
    return m_selected ? QStringLiteral("#e4f8e3") : QStringLiteral("#FFFFFF");
}

void HDquality::applyLook()
{
    const QString edge = m_dropButton
                             ? QStringLiteral("border:1px solid #d8d7d6;border-radius:") + px(2) + QStringLiteral("px;")
                             : QStringLiteral("border-bottom:1px solid #f0f1f2;");
    ChooserLook::restyle(this, QStringLiteral("QWidget#hdQuality{background-color:") + background() + QLatin1Char(';')
                                   + edge + QLatin1Char('}'));
}

void HDquality::layoutEntry()
{
    const int w = width();
    const int h = height();
    m_badge->move(scaled(10), (h - QualityBadge::fullHeight()) / 2);
    const int textX = scaled(10) + QualityBadge::fullWidth() + scaled(8);
    const int right = m_dropButton ? w - scaled(30) : w - scaled(10);
    m_resolutionLabel->setGeometry(textX, 0, qMax(0, right - textX), h);
    m_chevron->setGeometry(w - scaled(22), (h - scaled(8)) / 2, scaled(12), scaled(8));
}

void HDquality::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void HDquality::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    emit clicked(this);
}

void HDquality::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutEntry();
}

// ---------------------------------------------------------------------------

SChannelItem::SChannelItem(QWidget *parent)
    : QWidget(parent), m_selectButton(makeTickButton(this)), m_numberLabel(new QLabel(this)),
      m_nameLabel(new QLabel(this)), m_downloadedLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("channelRow"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("QWidget#channelRow{background-color:#ffffff;border-bottom:1px solid #f0f1f2;}"));
    setCursor(Qt::PointingHandCursor);
    m_numberLabel->setFont(ChooserLook::pixelFont(12));
    m_numberLabel->setStyleSheet(QStringLiteral("QLabel{color:#888888;}"));
    m_nameLabel->setFont(ChooserLook::pixelFont(12));
    m_nameLabel->setTextFormat(Qt::PlainText);
    m_nameLabel->setStyleSheet(QStringLiteral("QLabel{color:#333333;}"));
    m_downloadedLabel->setFont(ChooserLook::pixelFont(11));
    m_downloadedLabel->setStyleSheet(QStringLiteral("QLabel{color:#2e9a3f;}"));
    m_downloadedLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_downloadedLabel->hide();
    connect(m_selectButton, SIGNAL(clicked()), this, SLOT(selectButton_slots()));
    resize(scaled(440), scaled(34));
}

void SChannelItem::setEntry(int index, const QString &name, const QString &url)
{
    m_index = index;
    m_name = name;
    m_url = url;
    m_numberLabel->setText(QString::number(index + 1));
    m_nameLabel->setToolTip(name);
    layoutRow();
}

void SChannelItem::setTicked(bool ticked)
{
    m_ticked = ticked;
    showTick(m_selectButton, ticked);
}

void SChannelItem::setDownloaded(bool downloaded)
{
    m_downloaded = downloaded;
    m_downloadedLabel->setText(tr("Downloaded"));
    m_downloadedLabel->setVisible(downloaded);
    if (downloaded)
        setTicked(false);
    layoutRow();
}

void SChannelItem::setListed(bool listed)
{
    m_listed = listed;
    setVisible(listed);
}

QString SChannelItem::shownName() const
{
    return m_nameLabel->text();
}

QString SChannelItem::numberText() const
{
    return m_numberLabel->text();
}

void SChannelItem::selectButton_slots()
{
    emit clicked(this);
}

void SChannelItem::layoutRow()
{
    const int w = width();
    const int h = height();
    const int tick = scaled(16);
    m_selectButton->setGeometry(scaled(10), (h - tick) / 2, tick, tick);
    m_numberLabel->setGeometry(scaled(36), 0, scaled(40), h);
    const int nameX = scaled(78);
    int right = w - scaled(10);
    if (m_downloaded) {
        const int markWidth = m_downloadedLabel->fontMetrics().horizontalAdvance(m_downloadedLabel->text()) + scaled(4);
        m_downloadedLabel->setGeometry(right - markWidth, 0, markWidth, h);
        right -= markWidth + scaled(8);
    }
    const int nameWidth = qMax(0, right - nameX);
    m_nameLabel->setGeometry(nameX, 0, nameWidth, h);
    m_nameLabel->setText(m_nameLabel->fontMetrics().elidedText(m_name, Qt::ElideRight, nameWidth));
}

void SChannelItem::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void SChannelItem::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    selectButton_slots();
}

void SChannelItem::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutRow();
}

// ---------------------------------------------------------------------------

SelectChannel2Widget::SelectChannel2Widget(QWidget *parent)
    : MovableDialog(parent), m_panel(new QWidget(this)), m_chooseVideosLabel(new QLabel(this)),
      m_closeButton(new MyPushButton(this)), m_ruleLabel(new QLabel(this)), m_headingLabel(new QLabel(this)),
      m_listFrame(new QWidget(this)), m_listHeader(new QWidget(m_listFrame)),
      m_listSeletallButton(makeTickButton(m_listHeader)), m_nameCaption(new QLabel(m_listHeader)),
      m_scrollArea(new QScrollArea(m_listFrame)), m_rowHolder(new QWidget), m_qualityCaption(new QLabel(this)),
      m_hdQualityButton(new HDquality(this)), m_qualityList(new QWidget(this)),
      m_downloadsubtitleBox(new QCheckBox(this)), m_exportlinksButton(new MyLinkPushButton(this)),
      m_downloadButton(new MyTempButton1(this))
{
    resize(scaled(500), scaled(540));
    m_panel->setStyleSheet(ChooserLook::panelStyle());
    m_panel->lower();

    m_closeButton->setPicture(sharedPicture());
    for (int s = 0; s < 4; ++s)
        m_closeButton->setStateRect(s, Sprites::DialogClose.part(s));
    m_closeButton->setCursor(Qt::PointingHandCursor);

    m_chooseVideosLabel->setFont(ChooserLook::pixelFont(15, true));
    m_chooseVideosLabel->setStyleSheet(QStringLiteral("QLabel{color:#333333;}"));
    m_ruleLabel->setStyleSheet(QStringLiteral("QLabel{background-color:#e9eaeb;border:none;}"));
    m_headingLabel->setFont(ChooserLook::pixelFont(13));
    m_headingLabel->setTextFormat(Qt::PlainText);
    m_headingLabel->setStyleSheet(QStringLiteral("QLabel{color:#333333;}"));

    m_listFrame->setObjectName(QStringLiteral("channelList"));
    m_listFrame->setAttribute(Qt::WA_StyledBackground, true);
    m_listFrame->setStyleSheet(QStringLiteral("QWidget#channelList{border:1px solid #e9eaeb;background:#ffffff;}"));
    m_listHeader->setObjectName(QStringLiteral("channelHeader"));
    m_listHeader->setAttribute(Qt::WA_StyledBackground, true);
    m_listHeader->setStyleSheet(
        QStringLiteral("QWidget#channelHeader{background-color:#f5f6f7;border-bottom:1px solid #e9eaeb;}"));
    m_nameCaption->setFont(ChooserLook::pixelFont(12, true));
    m_nameCaption->setStyleSheet(QStringLiteral("QLabel{color:#666666;}"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollArea->verticalScrollBar()->setStyleSheet(ChooserLook::scrollBarStyle());
    m_scrollArea->setWidgetResizable(false);
    m_rowHolder->setObjectName(QStringLiteral("channelRows"));
    m_rowHolder->setStyleSheet(QStringLiteral("QWidget#channelRows{background:#ffffff;}"));
    m_scrollArea->setWidget(m_rowHolder);
    m_scrollArea->viewport()->setObjectName(QStringLiteral("channelViewport"));
    m_scrollArea->viewport()->setStyleSheet(QStringLiteral("QWidget#channelViewport{background:#ffffff;}"));

    m_qualityCaption->setFont(ChooserLook::pixelFont(13));
    m_qualityCaption->setStyleSheet(QStringLiteral("QLabel{color:#333333;}"));
    m_hdQualityButton->setDropButton(true);
    m_qualityList->setObjectName(QStringLiteral("qualityDropDown"));
    m_qualityList->setAttribute(Qt::WA_StyledBackground, true);
    m_qualityList->setStyleSheet(
        QStringLiteral("QWidget#qualityDropDown{border:1px solid #d8d7d6;background:#ffffff;}"));
    m_qualityList->hide();

    m_downloadsubtitleBox->setStyleSheet(ChooserLook::checkBoxStyle());
    m_downloadsubtitleBox->setFocusPolicy(Qt::NoFocus);
    m_downloadsubtitleBox->setCursor(Qt::PointingHandCursor);
    m_exportlinksButton->setFont(ChooserLook::pixelFont(12));
    m_exportlinksButton->setCursor(Qt::PointingHandCursor);

    m_downloadButton->setColors(QStringLiteral("#0396eb"), QStringLiteral("#038cdb"), QStringLiteral("#88c5e8"));
    m_downloadButton->setTextStyle(QStringLiteral("font-size:") + px(13)
                                   + QStringLiteral("px;color:#ffffff;font-weight:700;border-radius:3px;"));
    m_downloadButton->setCursor(Qt::PointingHandCursor);

    connect(m_hdQualityButton, SIGNAL(clicked(HDquality *)), this, SLOT(hdQualityButton_slots(HDquality *)));
    connect(m_listSeletallButton, SIGNAL(clicked()), this, SLOT(listSeletallButton_slots()));
    connect(m_downloadButton, SIGNAL(clicked()), this, SLOT(downloadButton_slots()));
    connect(m_closeButton, SIGNAL(clicked()), this, SLOT(closeButton_slots()));
    connect(m_downloadsubtitleBox, SIGNAL(stateChanged(int)), this, SLOT(downloadsubtitleBox_slots()));
    connect(m_exportlinksButton, SIGNAL(clicked()), this, SLOT(exportlinksButton_slots()));
    layoutDialog();
    fillQualities();
    followTicks();
}

void SelectChannel2Widget::layoutDialog()
{
    const int w = width();
    const int h = height();
    m_panel->setGeometry(0, 0, w, h);
    m_closeButton->setGeometry(w - scaled(34), scaled(14), scaled(20), scaled(20));
    m_chooseVideosLabel->setGeometry(scaled(24), scaled(12), w - scaled(80), scaled(26));
    m_chooseVideosLabel->setText(tr("Choose Videos:"));
    m_ruleLabel->setGeometry(scaled(24), scaled(46), w - scaled(48), 1);
    m_headingLabel->setGeometry(scaled(24), scaled(54), w - scaled(48), scaled(26));

    const int bh = scaled(35);
    const int by = h - scaled(24) - bh;
    const int bw = scaled(110);
    m_downloadButton->setGeometry(w - scaled(24) - bw, by, bw, bh);
    m_downloadButton->setText(tr("Download"));
    const QString link = tr("Export links to TXT file.").toHtmlEscaped();
    m_exportlinksButton->setTexts(
        QStringLiteral("<span style=\"color:#0396eb;\">") + link + QStringLiteral("</span>"),
        QStringLiteral("<span style=\"color:#038cdb;text-decoration:underline;\">") + link + QStringLiteral("</span>"),
        QStringLiteral("<span style=\"color:#0270b0;text-decoration:underline;\">") + link + QStringLiteral("</span>"));
    m_exportlinksButton->setGeometry(scaled(24), by, m_downloadButton->x() - scaled(36), bh);

    m_downloadsubtitleBox->setText(tr("Download Subtitles"));
    const int boxHeight = scaled(24);
    const int boxY = by - scaled(14) - boxHeight;
    m_downloadsubtitleBox->setGeometry(scaled(24), boxY, m_downloadsubtitleBox->sizeHint().width(), boxHeight);

    const int qh = scaled(30);
    const int qy = boxY - scaled(10) - qh;
    m_qualityCaption->setText(tr("Choose Quality:"));
    const int captionWidth = m_qualityCaption->sizeHint().width();
    m_qualityCaption->setGeometry(scaled(24), qy, captionWidth, qh);
    m_hdQualityButton->setGeometry(scaled(24) + captionWidth + scaled(10), qy, scaled(240), qh);

    const int listTop = scaled(86);
    m_listFrame->setGeometry(scaled(24), listTop, w - scaled(48), qy - scaled(14) - listTop);
    const int headerHeight = scaled(30);
    m_listHeader->setGeometry(1, 1, m_listFrame->width() - 2, headerHeight);
    const int tick = scaled(16);
    m_listSeletallButton->setGeometry(scaled(10), (headerHeight - tick) / 2, tick, tick);
    m_nameCaption->setText(tr("Name"));
    m_nameCaption->setGeometry(scaled(78), 0, m_listHeader->width() - scaled(88), headerHeight);
    m_scrollArea->setGeometry(1, 1 + headerHeight, m_listFrame->width() - 2, m_listFrame->height() - 2 - headerHeight);
    stackRows();
}

void SelectChannel2Widget::stackRows()
{
    const int step = scaled(34);
    int listed = 0;
    for (const SChannelItem *row : qAsConst(m_rows))
        if (row->isListed())
            ++listed;
    const int height = listed * step;
    const bool scrolls = height > m_scrollArea->height();
    const int width = m_scrollArea->width() - (scrolls ? m_scrollArea->verticalScrollBar()->sizeHint().width() : 0);
    int y = 0;
    for (SChannelItem *row : qAsConst(m_rows)) {
        if (!row->isListed())
            continue;
        row->setGeometry(0, y, width, step);
        y += step;
    }
    m_rowHolder->resize(width, height);
}

void SelectChannel2Widget::fillQualities()
{
    static const int sizes[][2] = {{3840, 2160}, {1920, 1440}, {1920, 1080}, {1080, 720},
                                   {640, 480},   {480, 360},   {320, 240},   {0, 0}};
    const int count = int(sizeof sizes / sizeof sizes[0]);
    while (m_qualityEntries.size() < count) {
        auto *entry = new HDquality(m_qualityList);
        connect(entry, SIGNAL(clicked(HDquality *)), this, SLOT(HDqualityItem_slots(HDquality *)));
        m_qualityEntries.append(entry);
    }
    const int step = scaled(34);
    const int width = m_hdQualityButton->width();
    for (int i = 0; i < count; ++i) {
        HDquality *entry = m_qualityEntries.at(i);
        const QString resolution = QString::number(sizes[i][0]) + QLatin1Char('x') + QString::number(sizes[i][1]);
        const bool audioOnly = i == count - 1;
        entry->setData(QStringLiteral("-1"), QString(), resolution, QStringLiteral("aac 128 fps "), i, audioOnly);
        entry->setSelected(i == 0);
        entry->setGeometry(1, 1 + i * step, width - 2, step);
    }
    // The list opens upwards over the entries, as the dialog ends close below the button.
    const int listHeight = count * step + 2;
    m_qualityList->setGeometry(m_hdQualityButton->x(), m_hdQualityButton->y() - scaled(2) - listHeight, width,
                               listHeight);
    m_qualityList->hide();
    m_chosenQuality = m_qualityEntries.first()->resolution();
    m_hdQualityButton->copyFrom(*m_qualityEntries.first());
    m_hdQualityButton->setSelected(true);
}

void SelectChannel2Widget::setList(const QString &title, const QStringList &names, const QStringList &urls)
{
    m_listingTitle = title;
    m_selectedIndexes.clear();
    m_accepted = false;

    QString shownTitle = title.isEmpty() ? tr("Playlist") : title;
    const QFontMetrics metrics(m_headingLabel->font());
    const int room = scaled(300);
    if (metrics.horizontalAdvance(shownTitle) >= room)
        shownTitle = metrics.elidedText(shownTitle, Qt::ElideRight, room);
    m_headingLabel->setText(shownTitle + QStringLiteral(" -") + QString::number(names.size()) + tr(" Videos"));
    m_headingLabel->setToolTip(title);

    for (SChannelItem *row : qAsConst(m_rows))
        row->setListed(false);
    for (int i = 0; i < names.size(); ++i) {
        SChannelItem *row = nullptr;
        for (SChannelItem *candidate : qAsConst(m_rows)) {
            if (!candidate->isListed()) {
                row = candidate;
                break;
            }
        }
        if (!row) {
            row = new SChannelItem(m_rowHolder);
            connect(row, SIGNAL(clicked(SChannelItem *)), this, SLOT(SChannelItem_slots(SChannelItem *)));
            m_rows.append(row);
        }
        row->setListed(true);
        row->setDownloaded(false);
        row->setEntry(i, names.at(i), urls.value(i));
        row->setTicked(true);
    }
    stackRows();
    // Rows were laid out at the width the stack gave them; elide the names again.
    for (SChannelItem *row : qAsConst(m_rows))
        if (row->isListed())
            row->setEntry(row->index(), row->name(), row->url());
    m_scrollArea->verticalScrollBar()->setValue(0);
    fillQualities();
    followTicks();
}

void SelectChannel2Widget::markDownloaded(const QSet<QString> &urls)
{
    for (SChannelItem *row : qAsConst(m_rows))
        if (row->isListed() && urls.contains(row->url()))
            row->setDownloaded(true);
    followTicks();
}

QList<SChannelItem *> SelectChannel2Widget::listedRows() const
{
    QList<SChannelItem *> listed;
    for (SChannelItem *row : m_rows)
        if (row->isListed())
            listed.append(row);
    return listed;
}

bool SelectChannel2Widget::qualityListShown() const
{
    return !m_qualityList->isHidden();
}

QString SelectChannel2Widget::headingText() const
{
    return m_headingLabel->text();
}

bool SelectChannel2Widget::downloadEnabled() const
{
    return m_downloadButton->isEnabled();
}

bool SelectChannel2Widget::anyTicked() const
{
    for (const SChannelItem *row : m_rows)
        if (row->isListed() && row->isTicked())
            return true;
    return false;
}

void SelectChannel2Widget::followTicks()
{
    m_selectAllTicked = anyTicked();
    showTick(m_listSeletallButton, m_selectAllTicked);
    m_downloadButton->setEnabled(m_selectAllTicked);
}

QString SelectChannel2Widget::proposedExportPath() const
{
    // The title names a file inside the download folder, never a path of its own.
    QString name = cleanFileName(m_listingTitle).trimmed().left(kLongestProposedName).trimmed();
    if (name.isEmpty())
        name = tr("Playlist");
    return resolveFolderSetting(Settings::Key::SaveDownloadPath) + QLatin1Char('/') + name + QStringLiteral(".txt");
}

int SelectChannel2Widget::exec()
{
    centerOnMainWindow(this);
    if (!NextAnswers<SelectChannel2Widget>::runNext(*this))
        MovableDialog::exec();
    m_qualityList->hide();
    setResult(m_accepted ? Accepted : Rejected);
    return result();
}

void SelectChannel2Widget::answerNextWith(Answer answer)
{
    NextAnswers<SelectChannel2Widget>::add(std::move(answer));
}

int SelectChannel2Widget::pendingAnswers()
{
    return NextAnswers<SelectChannel2Widget>::pending();
}

void SelectChannel2Widget::clearAnswers()
{
    NextAnswers<SelectChannel2Widget>::clear();
}

QWidget *SelectChannel2Widget::controlFor(DialogTestHook::Press) const
{
    return nullptr;
}

void SelectChannel2Widget::mousePressEvent(QMouseEvent *event)
{
    // A press beside the open quality list closes it, as a drop-down does.
    if (qualityListShown() && !m_qualityList->geometry().contains(event->pos()))
        m_qualityList->hide();
    MovableDialog::mousePressEvent(event);
}

void SelectChannel2Widget::SChannelItem_slots(SChannelItem *row)
{
    if (!row)
        return;
    row->setTicked(!row->isTicked());
    followTicks();
}

void SelectChannel2Widget::HDqualityItem_slots(HDquality *entry)
{
    if (!entry)
        return;
    m_chosenQuality = entry->resolution();
    for (HDquality *other : qAsConst(m_qualityEntries))
        other->setSelected(other == entry);
    m_hdQualityButton->copyFrom(*entry);
    m_hdQualityButton->setSelected(true);
    m_qualityList->hide();
}

void SelectChannel2Widget::hdQualityButton_slots(HDquality *)
{
    if (qualityListShown()) {
        m_qualityList->hide();
    } else {
        m_qualityList->show();
        m_qualityList->raise();
    }
}

void SelectChannel2Widget::listSeletallButton_slots()
{
    const bool untick = anyTicked();
    for (SChannelItem *row : qAsConst(m_rows))
        if (row->isListed())
            row->setTicked(!untick);
    followTicks();
}

void SelectChannel2Widget::downloadButton_slots()
{
    m_selectedIndexes.clear();
    for (const SChannelItem *row : qAsConst(m_rows))
        if (row->isListed() && row->isTicked())
            m_selectedIndexes.append(QString::number(row->index()));
    m_accepted = true;
    hide();
}

void SelectChannel2Widget::closeButton_slots()
{
    m_accepted = false;
    hide();
}

void SelectChannel2Widget::downloadsubtitleBox_slots()
{
    m_subtitlesWanted = m_downloadsubtitleBox->isChecked();
}

void SelectChannel2Widget::exportlinksButton_slots()
{
    if (m_listingTitle.isEmpty())
        m_listingTitle = tr("Playlist");
    const QString fileName =
        FileDialogs::saveFile(this, tr("Save File"), proposedExportPath(), QStringLiteral("(*.txt)"));
    if (fileName.isEmpty())
        return;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate)) {
        qDebug() << "exportlinksButton_slots...cannot open" << fileName << file.errorString();
        return;
    }
    for (const SChannelItem *row : qAsConst(m_rows)) {
        if (row->isListed() && row->isTicked()) {
            file.write(row->url().toUtf8());
            file.write("\n", 1);
        }
    }
}
