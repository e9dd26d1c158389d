// The two modal choosers of the download side: the quality chooser (badges, colours,
// descriptions, subtitle languages, preselection, row reuse) and the playlist chooser
// (heading, ticks, select-all, target quality, the chosen indexes and the link export).
// Both are answered through their hooks, so nothing here waits for a person.

#include "app/appenv.h"
#include "app/folders.h"
#include "app/format.h"
#include "engine/mediainfo.h"
#include "engine/subtitles.h"
#include "testlib/testenv.h"
#include "views/playlistchooser.h"
#include "views/qualitychooser.h"
#include "widgets/controls.h"
#include "widgets/filedialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace
{
MediaFormat videoFormat(const QString &id, int w, int h, qint64 size, int fps = 0, const QString &vcodec = "avc1")
{
    MediaFormat f;
    f.id = id;
    f.ext = "mp4";
    f.vcodec = vcodec;
    f.acodec = "mp4a";
    f.kind = FormatKind::Video;
    f.width = w;
    f.height = h;
    f.fileSizeBytes = size;
    f.fps = fps;
    return f;
}

MediaFormat audioFormat(const QString &id, qint64 size, int abr = 128, const QString &acodec = "mp4a")
{
    MediaFormat f;
    f.id = id;
    f.ext = "m4a";
    f.vcodec = "none";
    f.acodec = acodec;
    f.kind = FormatKind::AudioOnly;
    f.abr = abr;
    f.fileSizeBytes = size;
    return f;
}

// A media as the driver leaves it, in list order: a silent 4K at 60 fps, 1080p at 30 fps,
// 720p at an unknown rate, and one audio track.
MediaInfo fourFormats()
{
    MediaFormat uhd = videoFormat("313", 3840, 2160, 400000000, 60, "vp9");
    uhd.acodec = "none";
    uhd.abr = 0;
    MediaInfo media;
    media.formatId = "137+140";
    media.setFormatsForTest({uhd, videoFormat("137", 1920, 1080, 90000000, 30), videoFormat("22", 1280, 720, 0),
                             audioFormat("140", 3000000)},
                            false);
    return media;
}

QStringList comboTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

QStringList numbered(const QString &stem, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(stem + QString::number(i));
    return list;
}

// The rows' ticks, 1 for ticked, in list order.
QString ticks(const SelectChannel2Widget &dialog)
{
    QString marks;
    for (const SChannelItem *row : dialog.listedRows())
        marks += row->isTicked() ? '1' : '0';
    return marks;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}
} // namespace

class TestChoosers : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        setScaleFactor(1.0);
        SelectQualityWidget::clearAnswers();
        SelectChannel2Widget::clearAnswers();
        FileDialogTestHook::clear();
        FileDialogTestHook::setStrict(true);
        DialogTestHook::setStrict(true);
        TestEnv::clearSettings();
    }

    // ---- quality chooser ----

    // The badge names the resolution; the HD picture shows from 720 lines.
    void badgeByResolution_data()
    {
        QTest::addColumn<QString>("resolution");
        QTest::addColumn<bool>("hd");
        QTest::addColumn<QString>("badge");
        QTest::newRow("3840x2160 is 4K") << "3840x2160" << true << "4K";
        QTest::newRow("1920x1080 is 1080P") << "1920x1080" << true << "1080P";
        QTest::newRow("1280x720 is 720P") << "1280x720" << true << "720P";
        QTest::newRow("854x480 is 480P without HD") << "854x480" << false << "480P";
        QTest::newRow("640x360 is 360P") << "640x360" << false << "360P";
        QTest::newRow("426x240 is 240P") << "426x240" << false << "240P";
        QTest::newRow("256x144 is 144P") << "256x144" << false << "144P";
        QTest::newRow("2560x1440 is 2K") << "2560x1440" << true << "2K";
        QTest::newRow("a width over 1920 at 1080 lines is 2K") << "2560x1080" << true << "2K";
        QTest::newRow("4096x2160 is 4K") << "4096x2160" << true << "4K";
        QTest::newRow("4096x3112 is Full 4K") << "4096x3112" << true << "Full 4K";
        QTest::newRow("7680x4320 is HD 8K") << "7680x4320" << true << "HD 8K";
        QTest::newRow("blanks and a capital X are read") << " 1920 X 1080 " << true << "1080P";
        QTest::newRow("an unknown size shows -- rather than 144P") << "0x0" << false << "--";
    }
    void badgeByResolution()
    {
        QFETCH(QString, resolution);
        QFETCH(bool, hd);
        QFETCH(QString, badge);
        bool shown = !hd;
        QCOMPARE(qualityBadgeText(resolution, &shown), badge);
        QCOMPARE(shown, hd);
    }

    // One row per format, in list order; a second media reuses the rows and hides the spare ones.
    void mediaFillsOneRowPerFormatReusingRows()
    {
        const MediaInfo first = fourFormats();
        SelectQualityWidget dialog;
        dialog.setMediaInfo(&first);
        const QList<SQualityItem *> made = dialog.rows();
        // The description names the codec, then the frame rate and the sound's bitrate where known.
        QStringList shown;
        for (const SQualityItem *r : dialog.listedRows())
            shown << r->badgeText() + '|' + r->badgeColor() + '|' + r->extText() + '|' + r->resolutionText() + '|'
                         + r->descriptionText() + '|' + r->sizeText();
        QCOMPARE(shown, (QStringList{"4K|#be7620|mp4|3840x2160|vp9 60fps|" + formatSize(400000000),
                                     "1080P|#47d906|mp4|1920x1080|avc1 30fps 128kbps|" + formatSize(90000000),
                                     "720P|#5d69c7|mp4|1280x720|avc1 128kbps|--",
                                     "Audio Only|#ad5dc7|m4a|--|mp4a 128kbps|" + formatSize(3000000)}));
        // The colours go round five; a row without a place takes the spare one.
        QCOMPARE((QStringList{qualityBadgeColor(4), qualityBadgeColor(5), qualityBadgeColor(-1)}),
                 (QStringList{"#c1a227", "#be7620", "#c75d91"}));
        // The audio row has a picture of its own; a video's HD picture follows its badge.
        QVERIFY(made.at(3)->isAudioOnly() && made.at(3)->hdShown() && made.at(0)->hdShown());

        MediaInfo second;
        second.setFormatsForTest({videoFormat("18", 640, 360, 5000000), audioFormat("251", 2000000, 160, "opus")},
                                 false);
        dialog.setMediaInfo(&second);
        QCOMPARE(dialog.rows(), made);
        QCOMPARE(dialog.findChildren<SQualityItem *>().size(), 4);
        QCOMPARE(dialog.listedRows(), made.mid(0, 2));
        QCOMPARE(made.at(0)->badgeText(), QStringLiteral("360P"));
        QCOMPARE(made.at(1)->descriptionText(), QStringLiteral("opus 160kbps"));
        for (const SQualityItem *spare : made.mid(2))
            QVERIFY(!spare->isListed() && spare->isHidden());
        // The choice of the first filling does not survive into the second.
        dialog.preselect("251");
        QCOMPARE(dialog.selectedFormatId(), QStringLiteral("251"));
        QVERIFY(!made.at(0)->isChecked());
        dialog.setMediaInfo(&first);
        QCOMPARE(dialog.listedRows(), made);
    }

    void audioRowsComeBestFirstWithTheirOwnSizes()
    {
        // As the site lists them, worst first; the media's list processing orders them.
        MediaInfo media;
        media.setFormatsForTest({videoFormat("137", 1920, 1080, 90000000, 30), audioFormat("139", 1200000, 48),
                                 audioFormat("140", 3100000, 129), audioFormat("251", 3300000, 135, "opus")},
                                true);
        SelectQualityWidget dialog;
        dialog.setMediaInfo(&media);
        QStringList descriptions, sizes;
        for (const SQualityItem *row : dialog.listedRows().mid(1)) {
            descriptions << row->descriptionText();
            sizes << row->sizeText();
        }
        QCOMPARE(descriptions, (QStringList{"opus 135kbps", "mp4a 129kbps", "mp4a 48kbps"}));
        QCOMPARE(sizes, (QStringList{formatSize(3300000), formatSize(3100000), formatSize(1200000)}));
    }

    void preselectTicksOneRow_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("ticked");
        QTest::newRow("the media's own format id ticks its row") << "22" << 2;
        QTest::newRow("a combined id that names no row ticks the first row") << "137+140" << 0;
        QTest::newRow("an empty id ticks the first row") << "" << 0;
    }
    void preselectTicksOneRow()
    {
        QFETCH(QString, id);
        QFETCH(int, ticked);
        const MediaInfo media = fourFormats();
        SelectQualityWidget dialog;
        QVERIFY(!dialog.accepted());
        dialog.setMediaInfo(&media);
        dialog.preselect(id);
        QVERIFY(dialog.accepted());
        const QList<SQualityItem *> rows = dialog.listedRows();
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows.at(i)->isChecked(), i == ticked);
            QCOMPARE(rows.at(i)->background(), i == ticked ? QStringLiteral("#e4f8e3") : QStringLiteral("#FFFFFF"));
        }
        QCOMPARE(dialog.selectedFormatId(), media.formats().at(ticked).id);
        QCOMPARE(dialog.sizeText(), formatSize(media.formats().at(ticked).fileSizeBytes).trimmed());
    }

    // A clicked row is chosen and painted so; Escape then closes and keeps the choice.
    void clickingARowChoosesItAndEscapeKeepsIt()
    {
        const MediaInfo media = fourFormats();
        SelectQualityWidget dialog;
        dialog.setMediaInfo(&media);
        dialog.preselect(media.formatId);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        SQualityItem *audio = dialog.listedRows().at(3);
        TestEnv::press(audio);
        QCOMPARE(dialog.selectedFormatId(), QStringLiteral("140"));
        QVERIFY(audio->isChecked() && !dialog.listedRows().at(0)->isChecked());
        QCOMPARE(dialog.sizeText(), formatSize(3000000).trimmed());
        QCOMPARE(audio->grab().toImage().pixelColor(audio->width() / 2, 2), QColor("#e4f8e3"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible() && dialog.accepted());
        QCOMPARE(dialog.selectedFormatId(), QStringLiteral("140"));
    }

    void subtitleComboOffersTheListedLanguages_data()
    {
        QTest::addColumn<QStringList>("subtitles");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("without subtitles only Auto is offered")
            << QStringList() << QStringList() << QStringList{"Auto"} << QStringList{" "};
        QTest::newRow("subtitles are sorted by their names")
            << QStringList{"fr", "de", "en"} << QStringList() << QStringList{"Auto", "English", "French", "German"}
            << QStringList{" ", "en", "fr", "de"};
        QTest::newRow("captions not among the subtitles are marked auto-generated")
            << QStringList{"en"} << QStringList{"ja", "en", "de"}
            << QStringList{"Auto", "English", "German (auto-generated)", "Japanese (auto-generated)"}
            << QStringList{" ", "en", "de", "ja"};
        QTest::newRow("regions are named and unknown codes left out")
            << QStringList{"xx", "zh-Hans", "pt-BR"} << QStringList()
            << QStringList{"Auto", "Chinese-Simplified", "Portuguese"} << QStringList{" ", "zh-Hans", "pt-BR"};
    }
    void subtitleComboOffersTheListedLanguages()
    {
        QFETCH(QStringList, subtitles);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, codes);
        SelectQualityWidget dialog;
        dialog.setSubtitleLists(subtitles, captions);
        QCOMPARE(comboTexts(dialog.subtitleComboBox()), entries);
        QCOMPARE(dialog.subtitleCodes(), codes);
        QCOMPARE(dialog.subtitleComboBox()->currentIndex(), 0);
        QVERIFY(!dialog.subtitleComboBox()->isVisibleTo(&dialog));
        QVERIFY(!dialog.subtitleComboBox()->itemIcon(0).isNull());

        dialog.subtitleCheckBox()->setChecked(true);
        QVERIFY(dialog.subtitlesWanted());
        QCOMPARE(dialog.subtitleComboBox()->isVisibleTo(&dialog), entries.size() > 1);
        dialog.subtitleCheckBox()->setChecked(false);
        QVERIFY(!dialog.subtitlesWanted());
        QVERIFY(!dialog.subtitleComboBox()->isVisibleTo(&dialog));

        // The last entry picks its code, Auto (a blank) none, and a new list forgets the choice.
        QComboBox *combo = dialog.subtitleComboBox();
        for (int index : {combo->count() - 1, 0}) {
            combo->setCurrentIndex(index);
            emit combo->activated(index);
            QCOMPARE(dialog.selectedSubtitleCode(), codes.at(index).trimmed());
        }
        combo->setCurrentIndex(combo->count() - 1);
        emit combo->activated(combo->count() - 1);
        dialog.setSubtitleLists({"de"}, {});
        QCOMPARE(dialog.selectedSubtitleCode(), QString());
    }

    void longTitlesAreCut()
    {
        SelectQualityWidget dialog;
        dialog.setTitle("Short title");
        QCOMPARE(dialog.titleText(), QStringLiteral("Short title"));

        const QString longTitle(300, 'W');
        dialog.setTitle(longTitle);
        const QString kept = dialog.titleText().chopped(4);
        QVERIFY(dialog.titleText().endsWith("... ") && longTitle.startsWith(kept) && kept.size() >= 10);
        QFont font;
        font.setPixelSize(13);
        QVERIFY(QFontMetrics(font).horizontalAdvance(kept) <= 400);
    }

    void downloadAcceptsAndCloseCancels_data()
    {
        QTest::addColumn<int>("action"); // 0 Download, 1 Close, 2 nothing
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Download accepts the clicked row") << 0 << true;
        QTest::newRow("Close cancels") << 1 << false;
        QTest::newRow("leaving without a button keeps the preselection's accepted") << 2 << true;
    }
    void downloadAcceptsAndCloseCancels()
    {
        QFETCH(int, action);
        QFETCH(bool, accepted);
        const MediaInfo media = fourFormats();
        SelectQualityWidget dialog;
        dialog.setTitle(media.displayName());
        dialog.setMediaInfo(&media);
        dialog.preselect(media.formatId);
        dialog.setSubtitleLists({"en", "de"}, {});
        SelectQualityWidget::answerNextWith([&](SelectQualityWidget &d) {
            d.SQualityItem_clicked(d.listedRows().at(1));
            d.subtitleCheckBox()->setChecked(true);
            if (action == 0)
                d.downloadButton_slots();
            else if (action == 1)
                d.closeButton_slots();
        });
        const int code = dialog.exec();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.accepted(), accepted);
        QCOMPARE(code, accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(dialog.selectedFormatId(), QStringLiteral("137"));
        QVERIFY(dialog.subtitlesWanted());
    }

    // ---- playlist chooser ----

    // A listing is headed by its title and count (long ones cut), every row ticked and numbered,
    // with long names cut; 4K is chosen of the eight qualities offered.
    void listingShowsHeadingRowsAndQualities_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("heading");
        QTest::newRow("25 entries titled My list") << "My list" << 25 << "My list -25 Videos";
        QTest::newRow("an empty title reads Playlist") << "" << 3 << "Playlist -3 Videos";
        QTest::newRow("a long title and long names are cut") << QString(200, 'T') << 1 << "";
    }
    void listingShowsHeadingRowsAndQualities()
    {
        QFETCH(QString, title);
        QFETCH(int, count);
        QFETCH(QString, heading);
        const QString stem = title.size() > 100 ? QString(200, 'n') : "Clip ";
        SelectChannel2Widget dialog;
        dialog.setList(title, numbered(stem, count), numbered("https://example.com/watch?v=", count));
        if (heading.isEmpty())
            QVERIFY(dialog.headingText().endsWith(" -1 Videos") && dialog.headingText().size() < title.size());
        else
            QCOMPARE(dialog.headingText(), heading);
        const QList<SChannelItem *> rows = dialog.listedRows();
        QCOMPARE(rows.size(), count);
        for (int i = 0; i < count; ++i) {
            QVERIFY(rows.at(i)->isTicked());
            QCOMPARE(rows.at(i)->index(), i);
            QCOMPARE(rows.at(i)->numberText(), QString::number(i + 1));
            QCOMPARE(rows.at(i)->name(), stem + QString::number(i));
            QCOMPARE(rows.at(i)->shownName() == rows.at(i)->name(), !heading.isEmpty());
            QCOMPARE(rows.at(i)->url(), "https://example.com/watch?v=" + QString::number(i));
        }
        QStringList offered;
        for (const HDquality *entry : dialog.qualityEntries())
            offered << entry->resolution() + ' ' + entry->badgeText();
        QCOMPARE(offered, (QStringList{"3840x2160 4K", "1920x1440 2K", "1920x1080 1080P", "1080x720 720P",
                                       "640x480 480P", "480x360 360P", "320x240 240P", "0x0 Audio Only"}));
        QVERIFY(dialog.qualityEntries().last()->isAudioOnly());
        QCOMPARE(dialog.chosenQuality(), QStringLiteral("3840x2160"));
        QCOMPARE(dialog.qualityButton()->badgeText(), QStringLiteral("4K"));
        QVERIFY(dialog.qualityButton()->isSelected() && !dialog.qualityListShown());
        QVERIFY(dialog.selectAllTicked() && dialog.downloadEnabled());
    }

    // The button opens the list; an entry chosen by mouse closes it and is painted selected.
    void qualityListOpensAndChoosesByMouse()
    {
        SelectChannel2Widget dialog;
        dialog.setList("list", {"a"}, {"u"});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        HDquality *button = dialog.qualityButton();
        const QColor selected("#e4f8e3");
        auto painted = [](QWidget *w) { return w->grab().toImage().pixelColor(w->width() / 2, 4); };
        // The selected looks given before the first showing are really painted.
        QCOMPARE(painted(button), selected);
        TestEnv::press(button);
        QVERIFY(dialog.qualityListShown());
        QCOMPARE(painted(dialog.qualityEntries().first()), selected);
        HDquality *audio = dialog.qualityEntries().last();
        TestEnv::press(audio);
        QCOMPARE(dialog.chosenQuality(), QStringLiteral("0x0"));
        QVERIFY(!dialog.qualityListShown());
        QCOMPARE(button->badgeText(), QStringLiteral("Audio Only"));
        QVERIFY(audio->isSelected() && !dialog.qualityEntries().first()->isSelected());
        QCOMPARE(painted(button), selected);
        QCOMPARE(painted(audio), selected);
        QCOMPARE(painted(dialog.qualityEntries().first()), QColor(Qt::white));
        // The button toggles the list.
        TestEnv::press(button);
        TestEnv::press(button);
        QVERIFY(!dialog.qualityListShown());
    }

    void selectAllTogglesEveryRowAndDownload()
    {
        SelectChannel2Widget dialog;
        dialog.setList("list", numbered("n", 4), numbered("u", 4));
        dialog.listSeletallButton_slots();
        QCOMPARE(ticks(dialog), QStringLiteral("0000"));
        QVERIFY(!dialog.selectAllTicked() && !dialog.downloadEnabled());
        dialog.listSeletallButton_slots();
        QCOMPARE(ticks(dialog), QStringLiteral("1111"));
        QVERIFY(dialog.selectAllTicked() && dialog.downloadEnabled());
        // One ticked row is enough to untick everything on the next press.
        dialog.listSeletallButton_slots();
        dialog.SChannelItem_slots(dialog.listedRows().at(2));
        QVERIFY(dialog.selectAllTicked() && dialog.downloadEnabled());
        dialog.listSeletallButton_slots();
        QCOMPARE(ticks(dialog), QStringLiteral("0000"));
    }

    void unticking_data()
    {
        QTest::addColumn<QList<int>>("untick"); // row numbers counted from 1
        QTest::addColumn<QStringList>("indexes");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("unticking rows 2 and 4 of 5 yields 0, 2 and 4")
            << QList<int>{2, 4} << QStringList{"0", "2", "4"} << true;
        QTest::newRow("nothing unticked yields every index")
            << QList<int>{} << QStringList{"0", "1", "2", "3", "4"} << true;
        QTest::newRow("unticking every row disables Download") << QList<int>{1, 2, 3, 4, 5} << QStringList() << false;
    }
    void unticking()
    {
        QFETCH(QList<int>, untick);
        QFETCH(QStringList, indexes);
        QFETCH(bool, enabled);
        SelectChannel2Widget dialog;
        dialog.setList("list", numbered("n", 5), numbered("u", 5));
        SelectChannel2Widget::answerNextWith([&](SelectChannel2Widget &d) {
            for (int number : untick)
                d.SChannelItem_slots(d.listedRows().at(number - 1));
            QCOMPARE(d.downloadEnabled(), enabled);
            QCOMPARE(d.selectAllTicked(), enabled);
            if (d.downloadEnabled())
                d.downloadButton_slots();
            else
                d.closeButton_slots();
        });
        const int code = dialog.exec();
        QCOMPARE(SelectChannel2Widget::pendingAnswers(), 0);
        QCOMPARE(dialog.accepted(), enabled);
        QCOMPARE(code, enabled ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(dialog.selectedIndexes(), indexes);
    }

    void clickingATickTogglesOnce()
    {
        SelectChannel2Widget dialog;
        dialog.setList("list", numbered("n", 3), numbered("u", 3));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        SChannelItem *row = dialog.listedRows().at(1);
        MyPushButton *tick = row->findChild<MyPushButton *>();
        QVERIFY(tick);
        TestEnv::press(tick);
        QVERIFY(!row->isTicked());
        // Anywhere else on the row toggles it too.
        QTest::mouseClick(row, Qt::LeftButton, Qt::NoModifier, QPoint(row->width() / 2, row->height() / 2));
        QVERIFY(row->isTicked());
    }

    // Entries downloaded before are marked and left unticked; a new listing starts afresh.
    void downloadedEntriesAreMarkedAndUnticked()
    {
        SelectChannel2Widget dialog;
        dialog.setList("list", numbered("n", 4), numbered("u", 4));
        dialog.markDownloaded({"u1", "u3", "elsewhere"});
        QStringList marks;
        for (SChannelItem *row : dialog.listedRows())
            marks << QString::number(row->isDownloaded());
        QCOMPARE(marks.join(QString()), QStringLiteral("0101"));
        QCOMPARE(ticks(dialog), QStringLiteral("1010"));
        SelectChannel2Widget::answerNextWith([](SelectChannel2Widget &d) { d.downloadButton_slots(); });
        dialog.exec();
        QCOMPARE(dialog.selectedIndexes(), QStringList({"0", "2"}));
        dialog.setList("again", numbered("n", 2), numbered("u", 2));
        QVERIFY(!dialog.listedRows().at(1)->isDownloaded() && dialog.listedRows().at(1)->isTicked());
    }

    void closingCancelsAndANewListingStartsAfresh()
    {
        SelectChannel2Widget dialog;
        dialog.setList("first", numbered("n", 5), numbered("u", 5));
        const QList<SChannelItem *> made = dialog.rows();
        SelectChannel2Widget::answerNextWith([](SelectChannel2Widget &d) {
            d.subtitleCheckBox()->setChecked(true);
            d.HDqualityItem_slots(d.qualityEntries().at(2));
            d.downloadButton_slots();
        });
        dialog.exec();
        QVERIFY(dialog.accepted() && dialog.subtitlesWanted());
        QCOMPARE(dialog.chosenQuality(), QStringLiteral("1920x1080"));
        QCOMPARE(dialog.selectedIndexes().size(), 5);

        dialog.setList("second", numbered("m", 3), numbered("v", 3));
        QVERIFY(!dialog.accepted() && dialog.selectedIndexes().isEmpty());
        QCOMPARE(dialog.chosenQuality(), QStringLiteral("3840x2160"));
        QCOMPARE(dialog.rows(), made);
        QCOMPARE(dialog.listedRows(), made.mid(0, 3));
        QCOMPARE(dialog.headingText(), QStringLiteral("second -3 Videos"));

        SelectChannel2Widget::answerNextWith([](SelectChannel2Widget &d) { d.closeButton_slots(); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(!dialog.accepted());
    }

    void exportWritesTheTickedLinks()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("links.txt");
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(500, 'x')); // a longer old file is cut, not overwritten in part
        }
        const QStringList urls{"https://www.youtube.com/watch?v=aaaaaaaaaaa", "https://www.youtube.com/watch?v=b",
                               "https://example.com/v/ünï", "https://www.youtube.com/watch?v=d",
                               "https://www.youtube.com/watch?v=e"};
        SelectChannel2Widget dialog;
        dialog.setList("My list", numbered("n", 5), urls);
        dialog.SChannelItem_slots(dialog.listedRows().at(1));
        dialog.SChannelItem_slots(dialog.listedRows().at(3));
        FileDialogTestHook::answerNext(target);
        dialog.exportlinksButton_slots();
        QCOMPARE(FileDialogTestHook::pendingAnswers(), 0);
        const FileDialogTestHook::Request asked = FileDialogTestHook::lastRequest();
        QCOMPARE(int(asked.kind), int(FileDialogTestHook::Kind::SaveFile));
        QCOMPARE(asked.caption, QStringLiteral("Save File"));
        QCOMPARE(asked.filter, QStringLiteral("(*.txt)"));
        QCOMPARE(QFileInfo(asked.folder).fileName(), QStringLiteral("My list.txt"));
        const QByteArray expected = QByteArray("https://www.youtube.com/watch?v=aaaaaaaaaaa\n")
                                    + QStringLiteral("https://example.com/v/ünï").toUtf8() + '\n'
                                    + QByteArray("https://www.youtube.com/watch?v=e\n");
        QCOMPARE(readAll(target), expected);

        // A cancelled save dialog writes nothing.
        dialog.SChannelItem_slots(dialog.listedRows().at(0));
        FileDialogTestHook::answerNext(QString());
        dialog.exportlinksButton_slots();
        QCOMPARE(readAll(target), expected);
    }

    void exportProposesAFileInTheDownloadFolder_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("an empty title proposes Playlist.txt") << "" << QStringLiteral("Playlist.txt");
        QTest::newRow("a plain title proposes itself") << "My list" << QStringLiteral("My list.txt");
        QTest::newRow("a title with slashes stays in the download folder") << "../../etc/passwd"
                                                                           << "etcpasswd.txt";
        QTest::newRow("a title of only unsafe characters proposes Playlist.txt") << "/../"
                                                                                 << "Playlist.txt";
        QTest::newRow("a very long title is shortened") << QString(400, 'L') << QString(100, 'L') + ".txt";
    }
    void exportProposesAFileInTheDownloadFolder()
    {
        QFETCH(QString, title);
        QFETCH(QString, fileName);
        QTemporaryDir folder;
        SelectChannel2Widget dialog;
        dialog.setList(title, {"a"}, {"u"});
        QCOMPARE(dialog.proposedExportPath(), defaultDownloadFolder() + "/" + fileName);
        saveStringSetting(Settings::Key::SaveDownloadPath, folder.path());
        QCOMPARE(dialog.proposedExportPath(), folder.path() + "/" + fileName);
    }
};

CW_TEST_MAIN(TestChoosers)
#include "tst_choosers.moc"
