#include "toolkit/toolkithome.h"

#include "app/appenv.h"
#include "toolkit/audioadder.h"
#include "toolkit/converter.h"
#include "toolkit/cutter.h"
#include "toolkit/joiner.h"
#include "toolkit/rotator.h"
#include "toolkit/splitter.h"
#include "toolkit/toolhost.h"
#include "toolkit/toolwidgets.h"
#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QLabel>

namespace
{
bool g_downloadFirstVisit = true;

const char *const kTileSlots[ToolKitManagerWidget::TileCount] = {
    SLOT(cutterButton_slots()), SLOT(joinerButton_slots()), SLOT(spliteButton_slots()),  SLOT(rotateButton_slots()),
    SLOT(musicsButton_slots()), SLOT(covertButton_slots()), SLOT(downloadButton_slots())};
} // namespace

ToolKitManagerWidget::ToolKitManagerWidget(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    const QPixmap tools = loadPicture(QStringLiteral(":/images/tools.png"));
    const QPixmap converter = loadPicture(QStringLiteral(":/images/converttool.png"));
    // Rows of tools.png in tile order; the converter has a picture of its own.
    const int iconRows[TileCount] = {Sprites::CutterIcon,    Sprites::JoinerIcon,   Sprites::SplitterIcon,
                                     Sprites::RotatorIcon,   Sprites::AddAudioIcon, -1,
                                     Sprites::DownloaderIcon};
    for (int i = 0; i < TileCount; ++i) {
        auto *tile = new MyTempButton5(this);
        const Sprites::Strip strip = iconRows[i] < 0 ? Sprites::ConverterIcon : Sprites::toolIcon(iconRows[i]);
        tile->setPicture(iconRows[i] < 0 ? converter : tools, strip.part(Sprites::Normal), strip.part(Sprites::Hover),
                         strip.part(Sprites::Pressed), strip.part(Sprites::Disabled));
        tile->setCursor(Qt::PointingHandCursor);
        tile->titleLabel()->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        tile->descriptionLabel()->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        tile->titleLabel()->setStyleSheet(QStringLiteral("QLabel{color:#333333;font-size:") + ToolLook::px(14)
                                          + QStringLiteral(";background:transparent;border:none;}"));
        tile->descriptionLabel()->setStyleSheet(QStringLiteral("QLabel{color:#5a5a5a;font-size:") + ToolLook::px(12)
                                                + QStringLiteral(";background:transparent;border:none;}"));
        connect(tile, SIGNAL(clicked()), this, kTileSlots[i]);
        m_tiles[i] = tile;
    }

    m_converter = new VideoConverterWidget(this);
    m_rotator = new VideoRotateWidget(this);
    m_splitter = new VideoSpliterWidget(this);
    m_joiner = new VideoJionerWidget(this);
    m_cutter = new VideoCutterWidget(this);
    m_audioAdder = new VideoAddAudioWidget(this);
    for (QWidget *tool :
         {static_cast<QWidget *>(m_converter), static_cast<QWidget *>(m_rotator), static_cast<QWidget *>(m_splitter),
          static_cast<QWidget *>(m_joiner), static_cast<QWidget *>(m_cutter), static_cast<QWidget *>(m_audioAdder)})
        tool->hide();
    retranslate();
}

MyTempButton5 *ToolKitManagerWidget::tile(int index) const
{
    return index >= 0 && index < TileCount ? m_tiles[index] : nullptr;
}

bool ToolKitManagerWidget::downloadFirstVisit()
{
    return g_downloadFirstVisit;
}

void ToolKitManagerWidget::resetDownloadFirstVisit()
{
    g_downloadFirstVisit = true;
}

void ToolKitManagerWidget::retranslate()
{
    const QString titles[TileCount] = {tr("Video Cutter"),    tr("Video Joiner"),    tr("Video Spliter"),
                                       tr("Video Rotater"),   tr("Video Add Audio"), tr("Format Converter"),
                                       tr("Video Downloader")};
    const QString descriptions[TileCount] = {tr("Cut a video from the input video."),
                                             tr("Connect multiple videos into one video."),
                                             tr("Divide the video into multiple segments."),
                                             tr("Rotate the angle of the video."),
                                             tr("Add audio to the video files."),
                                             tr("Converting the format of video files."),
                                             tr("Download videos from multiple online video sites.")};
    for (int i = 0; i < TileCount; ++i) {
        m_tiles[i]->titleLabel()->setText(titles[i]);
        m_tiles[i]->descriptionLabel()->setText(descriptions[i]);
    }
    m_converter->retranslate();
    m_rotator->retranslate();
    m_splitter->retranslate();
    m_joiner->retranslate();
    m_cutter->retranslate();
    m_audioAdder->retranslate();
}

void ToolKitManagerWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutTiles();
    for (QWidget *tool :
         {static_cast<QWidget *>(m_converter), static_cast<QWidget *>(m_rotator), static_cast<QWidget *>(m_splitter),
          static_cast<QWidget *>(m_joiner), static_cast<QWidget *>(m_cutter), static_cast<QWidget *>(m_audioAdder)})
        tool->setGeometry(rect());
}

void ToolKitManagerWidget::layoutTiles()
{
    const int tileW = scaled(200);
    const int tileH = scaled(180);
    const int gap = scaled(30);
    const int top = qMax(0, (height() - 2 * tileH - gap) / 2);
    // Four tiles on the first row, three centred below.
    for (int i = 0; i < TileCount; ++i) {
        const int row = i < 4 ? 0 : 1;
        const int inRow = row == 0 ? 4 : 3;
        const int column = row == 0 ? i : i - 4;
        const int rowLeft = (width() - inRow * tileW - (inRow - 1) * gap) / 2;
        MyTempButton5 *tile = m_tiles[i];
        tile->setGeometry(rowLeft + column * (tileW + gap), top + row * (tileH + gap), tileW, tileH);
        const int icon = scaled(64);
        tile->setIconGeometry(QRect((tileW - icon) / 2, scaled(26), icon, icon));
        tile->titleLabel()->setGeometry(scaled(8), scaled(104), tileW - scaled(16), scaled(22));
        tile->descriptionLabel()->setGeometry(scaled(14), scaled(130), tileW - scaled(28), scaled(42));
    }
}

void ToolKitManagerWidget::cutterButton_slots()
{
    m_cutter->showTool();
}

void ToolKitManagerWidget::joinerButton_slots()
{
    m_joiner->showTool();
}

void ToolKitManagerWidget::spliteButton_slots()
{
    m_splitter->showTool();
}

void ToolKitManagerWidget::rotateButton_slots()
{
    m_rotator->showTool();
}

void ToolKitManagerWidget::musicsButton_slots()
{
    m_audioAdder->showTool();
}

void ToolKitManagerWidget::covertButton_slots()
{
    m_converter->showTool();
}

void ToolKitManagerWidget::downloadButton_slots()
{
    const bool first = g_downloadFirstVisit;
    g_downloadFirstVisit = false;
    ToolHost::openDownloadPage(first);
    hide();
}

bool ToolKitManagerWidget::closeTool()
{
    if (m_converter->isVisible()) {
        m_converter->stopAndClear();
        m_converter->hide();
        m_converter->setFocusPolicy(Qt::NoFocus);
        return true;
    }
    if (m_rotator->isVisible()) {
        m_rotator->stopAndClear();
        m_rotator->hide();
        m_rotator->setFocusPolicy(Qt::NoFocus);
        return true;
    }
    if (m_splitter->isVisible()) {
        m_splitter->stopAndClear();
        m_splitter->hide();
        return true;
    }
    if (m_joiner->isVisible()) {
        m_joiner->stopAndClear();
        m_joiner->hide();
        m_joiner->setFocusPolicy(Qt::NoFocus);
        return true;
    }
    if (m_cutter->isVisible()) {
        m_cutter->stopAndClear();
        m_cutter->hide();
        return true;
    }
    if (m_audioAdder->isVisible()) {
        m_audioAdder->stopAndClear();
        m_audioAdder->hide();
        return true;
    }
    return false;
}
