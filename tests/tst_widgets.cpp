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

void sendPlain(QWidget *w, QEvent::Type type)
{
    QEvent e(type);
    QCoreApplication::sendEvent(w, &e);
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

enum Step { Enter, Press, Release, Leave };
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

    void buttonStatesShowTheirParts_data()
    {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QStringList>("signalsSeen");
        QTest::newRow("entering shows the hover part")
            << QList<int>{Enter} << int(Sprites::Hover) << QStringList{"enterButton"};
        QTest::newRow("pressing shows the pressed part")
            << QList<int>{Enter, Press} << int(Sprites::Pressed) << QStringList{"enterButton", "Pressclicked"};
        QTest::newRow("releasing shows the normal part and clicks")
            << QList<int>{Enter, Press, Release} << int(Sprites::Normal)
            << QStringList{"enterButton", "Pressclicked", "clicked"};
        QTest::newRow("leaving shows the normal part")
            << QList<int>{Enter, Leave} << int(Sprites::Normal) << QStringList{"enterButton", "leaveButton"};
    }
    void buttonStatesShowTheirParts()
    {
        QFETCH(QList<int>, steps);
        QFETCH(int, shown);
        QFETCH(QStringList, signalsSeen);
        MyPushButton button;
        button.setPicture(fourPartPicture());
        for (int s = 0; s < 4; ++s)
            button.setStateRect(s, QRect(s * 10, 0, 10, 10));
        button.setGeometry(0, 0, 20, 20);
        QStringList seen;
        connect(&button, &MyPushButton::clicked, this, [&seen] { seen << QStringLiteral("clicked"); });
        connect(&button, &MyPushButton::Pressclicked, this, [&seen] { seen << QStringLiteral("Pressclicked"); });
        connect(&button, &MyPushButton::enterButton, this, [&seen] { seen << QStringLiteral("enterButton"); });
        connect(&button, &MyPushButton::leaveButton, this, [&seen] { seen << QStringLiteral("leaveButton"); });
        for (int step : steps) {
            if (step == Enter)
                sendPlain(&button, QEvent::Enter);
            else if (step == Leave)
                sendPlain(&button, QEvent::Leave);
            else if (step == Press)
                QTest::mousePress(&button, Qt::LeftButton);
            else
                QTest::mouseRelease(&button, Qt::LeftButton);
        }
        QCOMPARE(button.shownState(), shown);
        QCOMPARE(shownColor(&button), kPartColor[shown]);
        QCOMPARE(seen, signalsSeen);
    }

    void disabledButtonEmitsNothingAndKeepsItsLook()
    {
        MyPushButton button;
        button.setPicture(fourPartPicture());
        for (int s = 0; s < 4; ++s)
            button.setStateRect(s, QRect(s * 10, 0, 10, 10));
        button.setGeometry(0, 0, 20, 20);
        button.setEnabled(false);
        QSignalSpy clicked(&button, SIGNAL(clicked()));
        QSignalSpy pressed(&button, SIGNAL(Pressclicked()));
        QSignalSpy entered(&button, SIGNAL(enterButton()));
        QSignalSpy left(&button, SIGNAL(leaveButton()));
        sendPlain(&button, QEvent::Enter);
        QTest::mousePress(&button, Qt::LeftButton);
        QTest::mouseRelease(&button, Qt::LeftButton);
        sendPlain(&button, QEvent::Leave);
        QCOMPARE(clicked.count() + pressed.count() + entered.count() + left.count(), 0);
        QCOMPARE(shownColor(&button), kPartColor[Sprites::Disabled]);

        button.setEnabled(true);
        QCOMPARE(shownColor(&button), kPartColor[Sprites::Normal]);
    }

    void pressDragOutAndReleaseStillClicks()
    {
        MyPushButton button;
        button.setGeometry(0, 0, 30, 30);
        QSignalSpy clicked(&button, SIGNAL(clicked()));
        QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(15, 15));
        QTest::mouseMove(&button, QPoint(200, 200));
        QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
        QCOMPARE(clicked.count(), 1);
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
        QVERIFY(corners());
        sendPlain(&button, QEvent::Enter);
        QVERIFY(corners());
        QTest::mousePress(&button, Qt::LeftButton);
        QVERIFY(corners());
        button.setEnabled(false);
        QVERIFY(corners());
    }

    void buttonWithoutPicturesShowsStateColours()
    {
        MyPushButton button;
        button.setNormalColor(QColor(1, 2, 3));
        button.setHoverColor(QColor(4, 5, 6));
        button.setGeometry(0, 0, 20, 20);
        sendPlain(&button, QEvent::Enter);
        QCOMPARE(button.palette().color(QPalette::Window), QColor(4, 5, 6));
        sendPlain(&button, QEvent::Leave);
        QCOMPARE(button.palette().color(QPalette::Window), QColor(1, 2, 3));
    }

    void layoutTypeFiveToZeroHidesTheLabels()
    {
        QWidget top;
        MyPushButton button(&top);
        button.setText(QStringLiteral("Cutter"));
        button.setLayoutType(5);
        button.setGeometry(0, 0, 80, 100);
        top.show();
        QVERIFY(button.iconLabel() && button.textLabel());
        QCOMPARE(button.iconLabel()->geometry(), QRect(0, 0, 80, 80));
        QCOMPARE(button.textLabel()->geometry(), QRect(0, 80, 80, 20));
        QCOMPARE(button.textLabel()->text(), QStringLiteral("Cutter"));
        QPointer<MyLabel> icon = button.iconLabel();
        QPointer<MyLabel> text = button.textLabel();
        QVERIFY(icon->isVisible() && text->isVisible());

        button.setLayoutType(0);
        QVERIFY(!button.iconLabel());
        QVERIFY(!button.textLabel());
        QVERIFY(!icon || !icon->isVisible());
        QVERIFY(!text || !text->isVisible());
        QVERIFY(!button.autoFillBackground());
    }

    void layoutTypeSixClicksOnceThroughItsTextLabel()
    {
        MyPushButton button;
        button.setLayoutType(6);
        button.setText(QStringLiteral("Open"));
        button.setGeometry(0, 0, 60, 20);
        QVERIFY(button.textLabel());
        QSignalSpy clicked(&button, SIGNAL(clicked()));
        QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
        QCOMPARE(clicked.count(), 1);
    }

    void tempButton2DisabledLookSticks()
    {
        MyTempButton2 button;
        const QString normal = QStringLiteral("QLabel{background-color:#e9eaeb;}");
        const QString hover = QStringLiteral("QLabel{background-color:#cccccc;}");
        const QString disabled = QStringLiteral("QLabel{background-color:#ffffff;}");
        button.setStyleSheets(normal, hover, disabled);
        QCOMPARE(button.styleSheet(), normal);
        button.setEnabled(false);
        QCOMPARE(button.styleSheet(), disabled);
        sendPlain(&button, QEvent::Enter);
        QCOMPARE(button.styleSheet(), disabled);
        sendPlain(&button, QEvent::Leave);
        QCOMPARE(button.styleSheet(), disabled);
        QSignalSpy clicked(&button, SIGNAL(clicked()));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);

        button.setEnabled(true);
        QCOMPARE(button.styleSheet(), normal);
        sendPlain(&button, QEvent::Enter);
        QCOMPARE(button.styleSheet(), hover);
    }

    void tempButton1ColoursFollowThePointer()
    {
        MyTempButton1 button;
        button.setColors(QStringLiteral("#0396eb"), QStringLiteral("#038cdb"), QStringLiteral("#88c5e8"));
        QVERIFY(button.styleSheet().contains(QLatin1String("#0396eb")));
        sendPlain(&button, QEvent::Enter);
        QVERIFY(button.styleSheet().contains(QLatin1String("#038cdb")));
        sendPlain(&button, QEvent::Leave);
        QVERIFY(button.styleSheet().contains(QLatin1String("#0396eb")));
        button.setEnabled(false);
        QVERIFY(button.styleSheet().contains(QLatin1String("#88c5e8")));
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

    void linkButtonShowsItsThreeTexts()
    {
        MyLinkPushButton link;
        link.setTexts(QStringLiteral("n"), QStringLiteral("h"), QStringLiteral("p"));
        QCOMPARE(link.text(), QStringLiteral("n"));
        sendPlain(&link, QEvent::Enter);
        QCOMPARE(link.text(), QStringLiteral("h"));
        QSignalSpy clicked(&link, SIGNAL(clicked()));
        QTest::mousePress(&link, Qt::LeftButton);
        QCOMPARE(link.text(), QStringLiteral("p"));
        QTest::mouseRelease(&link, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        sendPlain(&link, QEvent::Leave);
        QCOMPARE(link.text(), QStringLiteral("n"));
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
        model.appendRow(new QStandardItem(QStringLiteral("8 Mbps")));
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
        // One dialog, reused as the program does: the first run said yes.
        MyMessageDialog dialog;
        dialog.setMessage(QStringLiteral("There are some tasks running, do you want to exit application?"));
        dialog.setQuestionButtons();
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        dialog.exec();
        QVERIFY(dialog.answer());

        DialogTestHook::answerNext(DialogTestHook::Press(press));
        dialog.exec();
        QCOMPARE(dialog.answer(), answer);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(DialogTestHook::pendingAnswers(), 0);
        QCOMPARE(DialogTestHook::lastMessage(),
                 QStringLiteral("There are some tasks running, do you want to exit application?"));
    }

    void questionButtonsAndTexts()
    {
        MyMessageDialog dialog;
        dialog.setMessage(QStringLiteral("Restore?"));
        QCOMPARE(dialog.cancelButton()->text(), QStringLiteral("Cancel"));
        QCOMPARE(dialog.okButton()->text(), QStringLiteral("OK"));
        dialog.setQuestionButtons();
        QCOMPARE(dialog.cancelButton()->text(), QStringLiteral("No"));
        QCOMPARE(dialog.okButton()->text(), QStringLiteral("Yes"));
        QCOMPARE(dialog.size(), QSize(480, 252));
    }

    void singleButtonNoticeHasNoCancelAndAnswersYes()
    {
        setScaleFactor(1.5);
        MyMessageDialog dialog;
        dialog.setMessage(QStringLiteral("Read file failed, Please try again."));
        const int cancelY = dialog.cancelButton()->y();
        dialog.singleButton(QStringLiteral("OK"));
        QVERIFY(!dialog.cancelButton()->isVisibleTo(&dialog));
        QCOMPARE(dialog.okButton()->size(), QSize(180, 52));
        QCOMPARE(dialog.okButton()->y(), cancelY);
        QCOMPARE(dialog.okButton()->x() + dialog.okButton()->width() / 2, dialog.width() / 2);
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        dialog.exec();
        QVERIFY(dialog.answer());

        // Laid out anew, the next question has both buttons again.
        dialog.setMessage(QStringLiteral("Restore?"));
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
        QCOMPARE(dialog.size(), QSize(480, 176));
        QCOMPARE(dialog.clipButton()->text(), QStringLiteral("Download Clip"));
        QCOMPARE(dialog.playlistButton()->text(), QStringLiteral("Download Playlist"));
    }

    void aHookedAnswerWithoutItsControlStillEndsTheRun()
    {
        CheckQURLItem dialog;
        DialogTestHook::answerNext(DialogTestHook::Press::OK);
        QTest::ignoreMessage(QtWarningMsg, "DialogTestHook: the dialog has no visible control for the hooked answer");
        QTest::ignoreMessage(QtWarningMsg, "DialogTestHook: the hooked answer left the dialog open; closing it");
        dialog.exec();
        QCOMPARE(dialog.answer(), 0);
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
        QImageReader reader(QStringLiteral(":/images/") + name);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        if (size.isValid())
            QCOMPARE(image.size(), size);
    }

    void spinnerIsAnAnimation()
    {
        QImageReader reader(QStringLiteral(":/images/small_loadimg2.gif"));
        QVERIFY(reader.supportsAnimation());
        QCOMPARE(reader.imageCount(), 12);
        QCOMPARE(reader.loopCount(), -1);
        // Transparent around the ring, opaque on it.
        const QImage first = reader.read();
        QCOMPARE(qAlpha(first.pixel(0, 0)), 0);
    }

    void twinAtTwiceThePixelsNamesTheSameParts()
    {
        const QPixmap sheet = loadPicture(QStringLiteral(":/images/minclose.png"));
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

    void sharedPictureIsLoadedOnce()
    {
        const QPixmap &a = sharedPicture();
        const QPixmap &b = sharedPicture();
        QCOMPARE(&a, &b);
        QCOMPARE(a.size(), Sprites::PublicSheetSize);
    }
};

CW_TEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
