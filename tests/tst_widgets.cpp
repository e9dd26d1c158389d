// The widget kit: the label-based controls, the message dialogs with their test hook,
// and the pictures the program names.

#include "app/appenv.h"
#include "testlib/testenv.h"
#include "widgets/controls.h"
#include "widgets/messagedialogs.h"
#include "widgets/pictures.h"

#include <QImageReader>
#include <QListView>
#include <QPainter>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QStandardItemModel>

namespace
{
// A picture of four 10 x 10 parts side by side, one colour per state.
const QColor kPartColor[4] = {QColor(200, 30, 30), QColor(30, 200, 30), QColor(30, 30, 200), QColor(200, 200, 30)};

QPixmap fourPartPicture()
{
    QImage img(40, 10, QImage::Format_RGB32);
    for (int s = 0; s < 4; ++s)
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                img.setPixelColor(s * 10 + x, y, kPartColor[s]);
    return QPixmap::fromImage(img);
}

// The colour a widget shows at its centre, from its own painting.
QColor shownColor(QWidget *w)
{
    return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2);
}

// One thing a user does to a control, by name: enter, leave, press, release, click, drag
// out (a press, then a release far outside), disable, enable; "rest" does nothing.
void act(QWidget *w, const QString &step)
{
    if (step == QLatin1String("enter") || step == QLatin1String("leave")) {
        QEvent e(step == QLatin1String("enter") ? QEvent::Enter : QEvent::Leave);
        QCoreApplication::sendEvent(w, &e);
    } else if (step == QLatin1String("press")) {
        QTest::mousePress(w, Qt::LeftButton);
    } else if (step == QLatin1String("release")) {
        QTest::mouseRelease(w, Qt::LeftButton);
    } else if (step == QLatin1String("click")) {
        QTest::mouseClick(w, Qt::LeftButton);
    } else if (step == QLatin1String("drag out")) {
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseMove(w, QPoint(200, 200));
        QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    } else if (step == QLatin1String("enable") || step == QLatin1String("disable")) {
        w->setEnabled(step == QLatin1String("enable"));
    }
}

// Counts focus rectangles drawn through it.
class FocusCountingStyle : public QProxyStyle
{
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_FrameFocusRect)
            ++focusFrames;
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    mutable int focusFrames = 0;
};

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        setScaleFactor(1.0);
        DialogTestHook::clear();
    }

    // A picture button shows the part of its picture for its state and clicks only enabled.
    void buttonStatesShowTheirParts_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QStringList>("signalsSeen");
        QTest::newRow("entering shows the hover part")
            << QStringList{"enter"} << int(Sprites::Hover) << QStringList{"enterButton"};
        QTest::newRow("pressing shows the pressed part")
            << QStringList{"enter", "press"} << int(Sprites::Pressed) << QStringList{"enterButton", "Pressclicked"};
        QTest::newRow("releasing shows the normal part and clicks")
            << QStringList{"enter", "press", "release"} << int(Sprites::Normal)
            << QStringList{"enterButton", "Pressclicked", "clicked"};
        QTest::newRow("leaving shows the normal part")
            << QStringList{"enter", "leave"} << int(Sprites::Normal) << QStringList{"enterButton", "leaveButton"};
        QTest::newRow("a press dragged out and released still clicks")
            << QStringList{"drag out"} << int(Sprites::Normal) << QStringList{"Pressclicked", "clicked"};
        QTest::newRow("disabled it shows the disabled part and says nothing")
            << QStringList{"disable", "enter", "press", "release", "leave"} << int(Sprites::Disabled) << QStringList{};
        QTest::newRow("enabled again it shows the normal part")
            << QStringList{"disable", "enable"} << int(Sprites::Normal) << QStringList{};
    }
    void buttonStatesShowTheirParts()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, shown);
        QFETCH(QStringList, signalsSeen);
        MyPushButton button;
        button.setPicture(fourPartPicture());
        for (int s = 0; s < 4; ++s)
            button.setStateRect(s, QRect(s * 10, 0, 10, 10));
        button.setGeometry(0, 0, 20, 20);
        QStringList seen;
        connect(&button, &MyPushButton::clicked, this, [&seen] { seen << "clicked"; });
        connect(&button, &MyPushButton::Pressclicked, this, [&seen] { seen << "Pressclicked"; });
        connect(&button, &MyPushButton::enterButton, this, [&seen] { seen << "enterButton"; });
        connect(&button, &MyPushButton::leaveButton, this, [&seen] { seen << "leaveButton"; });
        for (const QString &step : steps)
            act(&button, step);
        QCOMPARE(shownColor(&button), kPartColor[shown]);
        QCOMPARE(seen, signalsSeen);
    }

    void pictureWithoutRectanglesShowsTheWholePictureInEveryState()
    {
        QImage img(20, 20, QImage::Format_RGB32);
        img.fill(Qt::white);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                img.setPixelColor(x, y, Qt::black);
        MyPushButton button;
        button.setPicture(QPixmap::fromImage(img));
        button.setGeometry(0, 0, 40, 40);
        const auto corners = [&button] {
            const QImage shot = button.grab().toImage();
            return shot.pixelColor(5, 5) == QColor(Qt::black) && shot.pixelColor(34, 34) == QColor(Qt::white);
        };
        for (const char *step : {"rest", "enter", "press", "disable"}) {
            act(&button, step);
            QVERIFY2(corners(), step);
        }
    }

    void layoutTypeFiveToZeroHidesTheLabels()
    {
        QWidget top;
        MyPushButton button(&top);
        button.setText("Cutter");
        button.setLayoutType(5);
        button.setGeometry(0, 0, 80, 100);
        top.show();
        QPointer<MyLabel> icon = button.iconLabel();
        QPointer<MyLabel> text = button.textLabel();
        QVERIFY(icon && text && icon->isVisible() && text->isVisible());
        QCOMPARE(text->text(), QStringLiteral("Cutter"));
        QVERIFY(icon->geometry().bottom() < text->geometry().top());
        button.setLayoutType(0);
        QVERIFY(!button.iconLabel() && !button.textLabel() && !button.autoFillBackground());
        QVERIFY((!icon || !icon->isVisible()) && (!text || !text->isVisible()));
    }

    void layoutTypeSixClicksOnceThroughItsTextLabel()
    {
        MyPushButton button;
        button.setLayoutType(6);
        button.setText("Open");
        button.setGeometry(0, 0, 60, 20);
        QVERIFY(button.textLabel());
        QSignalSpy clicked(&button, SIGNAL(clicked()));
        QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
        QCOMPARE(clicked.count(), 1);
    }

    // The label-made controls change their look (a colour, or a link's text) as the pointer
    // comes and goes; a disabled one keeps its disabled look and does not click.
    void labelControlsFollowThePointer_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("looks"); // after each step
        QTest::addColumn<int>("clicks");
        QTest::newRow("a picture-less button takes its hover colour")
            << 0 << QStringList{"enter", "leave"} << QStringList{"#040506", "#010203"} << 0;
        QTest::newRow("the blue button follows the pointer and pales when disabled")
            << 1 << QStringList{"rest", "enter", "leave", "disable"}
            << QStringList{"#0396eb", "#038cdb", "#0396eb", "#88c5e8"} << 0;
        QTest::newRow("the grey button's disabled look sticks under the pointer")
            << 2 << QStringList{"rest", "disable", "enter", "leave", "click", "enable", "enter"}
            << QStringList{"#e9eaeb", "#ffffff", "#ffffff", "#ffffff", "#ffffff", "#e9eaeb", "#cccccc"} << 0;
        QTest::newRow("a link shows its hover and pressed texts and clicks once")
            << 3 << QStringList{"rest", "enter", "press", "release", "leave"} << QStringList{"n", "h", "p", "p", "n"}
            << 1;
    }
    void labelControlsFollowThePointer()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, looks);
        QFETCH(int, clicks);
        MyPushButton colours;
        colours.setNormalColor(QColor(1, 2, 3));
        colours.setHoverColor(QColor(4, 5, 6));
        MyTempButton1 blue;
        blue.setColors("#0396eb", "#038cdb", "#88c5e8");
        MyTempButton2 grey;
        grey.setStyleSheets("QLabel{background-color:#e9eaeb;}", "QLabel{background-color:#cccccc;}",
                            "QLabel{background-color:#ffffff;}");
        MyLinkPushButton link;
        link.setTexts("n", "h", "p");
        QWidget *control = QList<QWidget *>{&colours, &blue, &grey, &link}.at(kind);
        control->setGeometry(0, 0, 20, 20);
        const auto look = [control, kind]() -> QString {
            static const QRegularExpression colour(QStringLiteral("#[0-9a-f]{6}"));
            if (kind == 0)
                return control->palette().color(QPalette::Window).name();
            return kind == 3 ? static_cast<QLabel *>(control)->text() : colour.match(control->styleSheet()).captured();
        };
        QSignalSpy clicked(control, SIGNAL(clicked()));
        QStringList seen;
        for (const QString &step : steps) {
            act(control, step);
            seen << look();
        }
        QCOMPARE(seen, looks);
        QCOMPARE(clicked.count(), clicks);
    }

    void tileReEnabledAwayFromThePointerLooksNormal()
    {
        MyTempButton5 tile;
        tile.setGeometry(0, 0, 100, 100);
        const QPixmap picture = fourPartPicture();
        tile.setPicture(picture, QRect(0, 0, 10, 10), QRect(10, 0, 10, 10), QRect(20, 0, 10, 10), QRect(30, 0, 10, 10));
        tile.setIconGeometry(QRect(10, 10, 20, 20));
        tile.setEnabled(false);
        QCOMPARE(tile.iconLabel()->pixmap(Qt::ReturnByValue).toImage().pixelColor(10, 10),
                 kPartColor[Sprites::Disabled]);
        tile.setEnabled(true);
        QCOMPARE(tile.iconLabel()->pixmap(Qt::ReturnByValue).toImage().pixelColor(10, 10), kPartColor[Sprites::Normal]);
        QSignalSpy clicked(&tile, SIGNAL(clicked()));
        QTest::mouseClick(&tile, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    void lineEditTellsWhenItGainsFocus()
    {
        MyLineEdit edit;
        QSignalSpy focus(&edit, SIGNAL(focusinSingal()));
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(&edit, &in);
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(&edit, &out);
        QCOMPARE(focus.count(), 1);
    }

    void delegatePaintsNoFocusFrame()
    {
        QStandardItemModel model;
        model.appendRow(new QStandardItem("8 Mbps"));
        // A widget does not own the style it is given: this one outlives the view.
        FocusCountingStyle style;
        QListView view;
        view.setStyle(&style);
        view.setModel(&model);
        view.resize(120, 60);
        QStyleOptionViewItem option;
        option.initFrom(&view);
        option.widget = &view;
        option.rect = QRect(0, 0, 120, 20);
        option.state |= QStyle::State_HasFocus | QStyle::State_Selected;
        QImage canvas(120, 20, QImage::Format_ARGB32);
        QPainter painter(&canvas);

        QStyledItemDelegate plain;
        plain.paint(&painter, option, model.index(0, 0));
        QVERIFY2(style.focusFrames > 0, "the style draws focus frames for focused items");
        style.focusFrames = 0;
        NoFocusFrameDelegate delegate;
        delegate.paint(&painter, option, model.index(0, 0));
        QCOMPARE(style.focusFrames, 0);
    }

    // Dialogs ---------------------------------------------------------------

    void messageDialogAnswers_data()
    {
        QTest::addColumn<int>("press");
        QTest::addColumn<bool>("answer");
        QTest::newRow("OK answers yes") << int(DialogTestHook::Press::OK) << true;
        QTest::newRow("Cancel answers no") << int(DialogTestHook::Press::Cancel) << false;
        QTest::newRow("the close button answers as Cancel") << int(DialogTestHook::Press::Close) << false;
        QTest::newRow("Escape answers no") << int(DialogTestHook::Press::Escape) << false;
    }
    void messageDialogAnswers()
    {
        QFETCH(int, press);
        QFETCH(bool, answer);
        // One dialog, reused as the program does: the first run said yes. A question offers
        // "No" and "Yes" in place of "Cancel" and "OK".
        MyMessageDialog dialog;
        dialog.setMessage("There are some tasks running, do you want to exit application?");
        QCOMPARE(dialog.cancelButton()->text() + '/' + dialog.okButton()->text(), QStringLiteral("Cancel/OK"));
        dialog.setQuestionButtons();
        QCOMPARE(dialog.cancelButton()->text() + '/' + dialog.okButton()->text(), QStringLiteral("No/Yes"));
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        dialog.exec();
        QVERIFY(dialog.answer());

        DialogTestHook::answerNext(DialogTestHook::Press(press));
        dialog.exec();
        QCOMPARE(dialog.answer(), answer);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(DialogTestHook::lastMessage(), "There are some tasks running, do you want to exit application?");
    }

    void singleButtonNoticeHasNoCancelAndAnswersYes()
    {
        setScaleFactor(1.5);
        MyMessageDialog dialog;
        dialog.setMessage("Read file failed, Please try again.");
        const int cancelY = dialog.cancelButton()->y();
        dialog.singleButton("OK");
        QVERIFY(!dialog.cancelButton()->isVisibleTo(&dialog));
        QCOMPARE(dialog.okButton()->y(), cancelY);
        QCOMPARE(dialog.okButton()->x() + dialog.okButton()->width() / 2, dialog.width() / 2);
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        dialog.exec();
        QVERIFY(dialog.answer());

        // Laid out anew, the next question has both buttons again.
        dialog.setMessage("Restore?");
        QVERIFY(dialog.cancelButton()->isVisibleTo(&dialog));
    }

    void playlistQuestionAnswers_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("answer");
        QTest::newRow("Download Clip gives 0")
            << int(DialogTestHook::Press::Playlist) << int(DialogTestHook::Press::Clip) << 0;
        QTest::newRow("Download Playlist gives 1")
            << int(DialogTestHook::Press::Clip) << int(DialogTestHook::Press::Playlist) << 1;
        QTest::newRow("Escape after a playlist answer gives the clip")
            << int(DialogTestHook::Press::Playlist) << int(DialogTestHook::Press::Escape) << 0;
    }
    void playlistQuestionAnswers()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, answer);
        CheckQURLItem dialog;
        dialog.build();
        DialogTestHook::answerNext(DialogTestHook::Press(first));
        dialog.exec();
        DialogTestHook::answerNext(DialogTestHook::Press(second));
        dialog.exec();
        QCOMPARE(dialog.answer(), answer);
        QCOMPARE(dialog.clipButton()->text(), QStringLiteral("Download Clip"));
        QCOMPARE(dialog.playlistButton()->text(), QStringLiteral("Download Playlist"));
    }

    void dialogIsDraggedByAnyPoint()
    {
        MyMessageDialog dialog;
        dialog.move(100, 100);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 120), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent move(QEvent::MouseMove, QPointF(80, 150), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(80, 150), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&dialog, &press);
        QCoreApplication::sendEvent(&dialog, &move);
        QCoreApplication::sendEvent(&dialog, &release);
        QCOMPARE(dialog.pos(), QPoint(130, 130));
        QMouseEvent later(QEvent::MouseMove, QPointF(10, 10), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&dialog, &later);
        QCOMPARE(dialog.pos(), QPoint(130, 130));
    }

    // Pictures --------------------------------------------------------------

    void everyNamedPictureLoads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        const QSize any;
        QTest::newRow("splash") << "splash.png" << any;
        QTest::newRow("program icon") << "program.png" << any;
        QTest::newRow("shared sprite sheet") << "public.png" << Sprites::PublicSheetSize;
        QTest::newRow("title bar buttons") << "minclose.png" << Sprites::MinCloseSheetSize;
        QTest::newRow("title bar buttons at 2x") << "minclose@2x.png" << Sprites::MinCloseSheetSize * 2;
        QTest::newRow("spinner") << "small_loadimg2.gif" << Sprites::SpinnerSize * 2;
        QTest::newRow("thumbnail placeholder") << "image.png" << Sprites::ThumbnailSize * 2;
        QTest::newRow("empty download list") << "pc.png" << Sprites::EmptyViewSize * 2;
        QTest::newRow("empty finished list") << "file1.png" << Sprites::EmptyViewSize * 2;
        QTest::newRow("combo arrow") << "arrowDown.png" << Sprites::ComboArrowSize;
        QTest::newRow("combo item mark") << "arrowtest.png" << Sprites::ComboIconSize * 2;
        QTest::newRow("settings button") << "setting1.png" << Sprites::SettingButtonSize * 2;
        QTest::newRow("settings button hovered") << "setting2.png" << Sprites::SettingButtonSize * 2;
        QTest::newRow("mode selector") << "radio.png" << QSize(128, 32);
        QTest::newRow("tool tiles") << "tools.png" << QSize(512, 128 * Sprites::ToolIconCount);
        QTest::newRow("converter tile") << "converttool.png" << QSize(512, 128);
        QTest::newRow("check box ticked") << "check/checked1.png" << Sprites::CheckIndicatorSize * 2;
        QTest::newRow("check box unticked") << "check/unchecked1.png" << Sprites::CheckIndicatorSize * 2;
        QTest::newRow("scan code") << "weixin.jpg" << Sprites::ScanCodeSize * 2;
    }
    void everyNamedPictureLoads()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QImageReader reader(":/images/" + name);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        if (size.isValid())
            QCOMPARE(image.size(), size);
        // The spinner turns for ever in twelve frames, transparent around its ring.
        if (name.endsWith(".gif"))
            QVERIFY(reader.imageCount() == 12 && reader.loopCount() == -1 && qAlpha(image.pixel(0, 0)) == 0);
    }

    void twinAtTwiceThePixelsNamesTheSameParts()
    {
        const QPixmap sheet = loadPicture(":/images/minclose.png");
        QCOMPARE(sheet.devicePixelRatio(), 2.0);
        QCOMPARE(sheet.size() / sheet.devicePixelRatio(), Sprites::MinCloseSheetSize);
        // The close button's hover part is the red square; its normal part is the bare bar.
        const QImage hover =
            picturePart(sheet, Sprites::titleButtonPart(Sprites::TitleCloseX, true), QSize(39, 39)).toImage();
        QCOMPARE(hover.size(), QSize(39, 39));
        const QColor corner = hover.pixelColor(6, 6);
        QVERIFY2(corner.red() > 200 && corner.green() < 120, qPrintable(corner.name()));
        const QImage normal =
            picturePart(sheet, Sprites::titleButtonPart(Sprites::TitleCloseX, false), QSize(39, 39)).toImage();
        QCOMPARE(normal.pixelColor(6, 6).alpha(), 0);
    }
};

CW_TEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
