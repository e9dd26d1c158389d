#pragma once
// The toolkit home, the first page of the main window: seven tiles, six opening the
// video tools (kept here as hidden children, each covering the home when open) and
// one leading to the download page.

#include <QWidget>

class MyTempButton5;
class VideoAddAudioWidget;
class VideoConverterWidget;
class VideoCutterWidget;
class VideoJionerWidget;
class VideoRotateWidget;
class VideoSpliterWidget;

class ToolKitManagerWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ToolKitManagerWidget(QWidget *parent = nullptr);

    enum Tile {
        CutterTile,
        JoinerTile,
        SpliterTile,
        RotaterTile,
        AddAudioTile,
        ConverterTile,
        DownloaderTile,
        TileCount
    };
    MyTempButton5 *tile(int index) const;

    VideoConverterWidget *converter() const
    {
        return m_converter;
    }
    VideoCutterWidget *cutter() const
    {
        return m_cutter;
    }
    VideoJionerWidget *joiner() const
    {
        return m_joiner;
    }
    VideoSpliterWidget *splitter() const
    {
        return m_splitter;
    }
    VideoRotateWidget *rotator() const
    {
        return m_rotator;
    }
    VideoAddAudioWidget *audioAdder() const
    {
        return m_audioAdder;
    }
    // Whether the next click on the download tile is the first of this run.
    static bool downloadFirstVisit();
    static void resetDownloadFirstVisit();

public slots:
    void cutterButton_slots();
    void joinerButton_slots();
    void spliteButton_slots();
    void rotateButton_slots();
    void musicsButton_slots();
    void covertButton_slots();
    void downloadButton_slots();

    // Called by the main window by name.
    void retranslate();
    // Stops and hides the open tool; false when no tool is open.
    bool closeTool();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutTiles();

    MyTempButton5 *m_tiles[TileCount];
    VideoConverterWidget *m_converter;
    VideoRotateWidget *m_rotator;
    VideoSpliterWidget *m_splitter;
    VideoJionerWidget *m_joiner;
    VideoCutterWidget *m_cutter;
    VideoAddAudioWidget *m_audioAdder;
};
