#pragma once
// Where each part lies in the program's sprite sheets, and how pictures are loaded.
// The image generator (tools/imagegen) draws the sheets from these same numbers, so a
// part moves in one place. Sheets the program scales down are drawn at twice their
// design size, which keeps them crisp at every scale factor up to 2.

#include <QPixmap>
#include <QRect>
#include <QString>

namespace Sprites
{

// The four looks of a picture button, in the order of their parts in a strip.
enum State { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

// A row of equally sized parts, one per state, starting at (x, y).
struct Strip {
    int x;
    int y;
    int w;
    int h;
    constexpr QRect part(int state) const
    {
        return QRect(x + state * w, y, w, h);
    }
};

// ":/images/public.png", drawn at 2x: row buttons of the download lists, the close
// button of the light dialogs, and the marks of the choosers.
constexpr Strip RowDelete{0, 0, 40, 40};       // shown at 20 x 20
constexpr Strip RowPause{0, 40, 40, 40};       // 20 x 20
constexpr Strip RowResume{0, 80, 40, 40};      // 20 x 20
constexpr Strip RowRedownload{0, 120, 60, 60}; // 30 x 30
constexpr Strip RowOpen{0, 180, 60, 60};       // 30 x 30
constexpr Strip DialogClose{0, 240, 40, 40};   // 20 x 20, for white panels
// Square tick box: unticked, ticked, unticked disabled, ticked disabled (16 x 16).
constexpr Strip TickBox{0, 280, 32, 32};
// Round single-choice mark of the quality rows: off, on, off disabled, on disabled.
constexpr Strip ChoiceMark{0, 312, 32, 32};
constexpr QRect HdBadge(0, 344, 44, 28);     // 22 x 14
constexpr QRect AudioBadge(44, 344, 44, 28); // 22 x 14
// Drop-down chevron of the quality button: normal, hover (12 x 8).
constexpr Strip DropChevron{88, 344, 24, 16};
constexpr QSize PublicSheetSize(240, 372);

// ":/images/minclose.png": one 26 x 26 column per title bar button at x 5, 30 and 55,
// in the order the buttons stand on the bar; normal, pressed and disabled at y 0,
// hover at y 28. A twin drawn at 2x, minclose@2x.png, is preferred by loadPicture().
constexpr int TitleMenuX = 5;
constexpr int TitleMinimiseX = 30;
constexpr int TitleCloseX = 55;
constexpr QRect titleButtonPart(int columnX, bool hover)
{
    return QRect(columnX, hover ? 28 : 0, 26, 26);
}
constexpr QSize MinCloseSheetSize(81, 54);

// ":/images/radio.png", 2x: the splitter's two mode selectors as picture buttons;
// the disabled part is the chosen look (16 x 16).
constexpr Strip RadioSelector{0, 0, 32, 32};

// ":/images/tools.png", 2x: one row per tile below, four states per row (64 x 64).
enum ToolIcon { CutterIcon = 0, JoinerIcon, SplitterIcon, RotatorIcon, AddAudioIcon, DownloaderIcon, ToolIconCount };
constexpr Strip toolIcon(int row)
{
    return Strip{0, row * 128, 128, 128};
}
// ":/images/converttool.png", 2x: the format converter's tile icon, four states.
constexpr Strip ConverterIcon{0, 0, 128, 128};

// Design sizes (at scale 1.0) of the single pictures; the files hold twice as many
// pixels unless noted, and are scaled to the design size times scaleFactor().
constexpr QSize ThumbnailSize(84, 70);      // image.png
constexpr QSize EmptyViewSize(160, 120);    // pc.png, file1.png
constexpr QSize SettingButtonSize(30, 30);  // setting1.png, setting2.png
constexpr QSize ComboIconSize(16, 16);      // arrowtest.png
constexpr QSize CheckIndicatorSize(16, 16); // check/checked1.png, check/unchecked1.png
constexpr QSize SpinnerSize(20, 20);        // small_loadimg2.gif
constexpr QSize ScanCodeSize(120, 120);     // weixin.jpg
// arrowDown.png is a style-sheet image shown at its own size: drawn at 1x, 12 x 8.
constexpr QSize ComboArrowSize(12, 8);

} // namespace Sprites

// Loads a picture, preferring a twin drawn at twice the pixels ("name@2x.png") when one
// exists; the twin carries a device pixel ratio of 2, so rectangles given for the plain
// picture still name the same parts.
QPixmap loadPicture(const QString &path);
// ":/images/public.png", loaded once per process and shared by the views.
const QPixmap &sharedPicture();
// The part of a picture in rectangle r (in the picture's own units), scaled to size
// with smooth filtering; an empty size or picture gives a null pixmap.
QPixmap picturePart(const QPixmap &picture, const QRect &r, const QSize &size);
