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
    f.ext = QStringLiteral("mp4");
    f.vcodec = vcodec;
    f.acodec = QStringLiteral("mp4a");
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
    f.ext = QStringLiteral("m4a");
    f.vcodec = QStringLiteral("none");
    f.acodec = acodec;
    f.kind = FormatKind::AudioOnly;
    f.abr = abr;
    f.fileSizeBytes = size;
    return f;
}

// A media as the driver leaves it: 4K, 1080p, 720p and one audio track, in list order.
MediaInfo fourFormats()
{
    MediaInfo media;
    media.formatId = QStringLiteral("137+140");
    media.setFormatsForTest({videoFormat("313", 3840, 2160, 400000000, 30),
                             videoFormat("137", 1920, 1080, 90000000, 30), videoFormat("22", 1280, 720, 0, 30),
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
        TestEnv::clearSettings();
    }

    // ---- quality chooser ----

    void rowShowsBadgeByTheTable_data()
    {
        QTest::addColumn<QString>("resolution");
        QTest::addColumn<bool>("audioOnly");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("badge");
        QTest::addColumn<QString>("color");
        QTest::addColumn<bool>("picture");
        QTest::newRow("3840x2160 at position 0 is 4K on #be7620 with HD") << "3840x2160" << false << 0 << "4K"
                                                                          << "#be7620" << true;
        QTest::newRow("1920x1080 at position 1 is 1080P on #47d906 with HD") << "1920x1080" << false << 1 << "1080P"
                                                                             << "#47d906" << true;
        QTest::newRow("1280x720 at position 2 is 720P on #5d69c7 with HD") << "1280x720" << false << 2 << "720P"
                                                                           << "#5d69c7" << true;
        QTest::newRow("audio only at position 3 reads Audio Only on #ad5dc7 with its own picture")
            << "0x0" << true << 3 << "Audio Only"
            << "#ad5dc7" << true;
        QTest::newRow("854x480 at position 4 is 480P on #c1a227 without HD") << "854x480" << false << 4 << "480P"
                                                                             << "#c1a227" << false;
        QTest::newRow("640x360 at position 5 is 360P and the colours start again") << "640x360" << false << 5 << "360P"
                                                                                   << "#be7620" << false;
        QTest::newRow("426x240 is 240P") << "426x240" << false << 6 << "240P"
                                         << "#47d906" << false;
        QTest::newRow("256x144 is 144P") << "256x144" << false << 7 << "144P"
                                         << "#5d69c7" << false;
        QTest::newRow("2560x1440 is 2K") << "2560x1440" << false << 0 << "2K"
                                         << "#be7620" << true;
        QTest::newRow("a width over 1920 at 1080 lines is 2K") << "2560x1080" << false << 0 << "2K"
                                                               << "#be7620" << true;
        QTest::newRow("4096x2160 is 4K") << "4096x2160" << false << 0 << "4K"
                                         << "#be7620" << true;
        QTest::newRow("4096x3112 is Full 4K") << "4096x3112" << false << 0 << "Full 4K"
                                              << "#be7620" << true;
        QTest::newRow("7680x4320 is HD 8K") << "7680x4320" << false << 0 << "HD 8K"
                                            << "#be7620" << true;
        QTest::newRow("blanks and a capital X are read") << " 1920 X 1080 " << false << 0 << "1080P"
                                                         << "#be7620" << true;
        QTest::newRow("a negative position takes the spare colour") << "1280x720" << false << -1 << "720P"
                                                                    << "#c75d91" << true;
        QTest::newRow("a video of unknown size shows -- rather than 144P") << "0x0" << false << 0 << "--"
                                                                           << "#be7620" << false;
    }
    void rowShowsBadgeByTheTable()
    {
        QFETCH(QString, resolution);
        QFETCH(bool, audioOnly);
        QFETCH(int, index);
        QFETCH(QString, badge);
        QFETCH(QString, color);
        QFETCH(bool, picture);
        SQualityItem row;
        row.setData(QStringLiteral("mp4"), resolution, QStringLiteral("avc1 128kbps"), QStringLiteral("1.00 M"), index,
                    audioOnly);
        QCOMPARE(row.badgeText(), badge);
        QCOMPARE(row.badgeColor(), color);
        QCOMPARE(row.hdShown(), picture);
        QCOMPARE(row.resolutionText(), resolution == QLatin1String("0x0") ? QStringLiteral("--") : resolution);
    }

    void mediaFillsOneRowPerFormat()
    {
        const MediaInfo media = fourFormats();
        SelectQualityWidget dialog;
        dialog.setMediaInfo(&media);
        const QList<SQualityItem *> rows = dialog.listedRows();
        QCOMPARE(rows.size(), 4);
        QStringList badges, colors, exts, resolutions, sizes;
        for (const SQualityItem *row : rows) {
            badges << row->badgeText();
            colors << row->badgeColor();
            exts << row->extText();
            resolutions << row->resolutionText();
            sizes << row->sizeText();
        }
        QCOMPARE(badges, (QStringList{"4K", "1080P", "720P", "Audio Only"}));
        QCOMPARE(colors, (QStringList{"#be7620", "#47d906", "#5d69c7", "#ad5dc7"}));
        QCOMPARE(exts, (QStringList{"mp4", "mp4", "mp4", "m4a"}));
        QCOMPARE(resolutions, (QStringList{"3840x2160", "1920x1080", "1280x720", "--"}));
        QCOMPARE(sizes, (QStringList{formatSize(400000000), formatSize(90000000), "--", formatSize(3000000)}));
        QVERIFY(rows.at(3)->isAudioOnly());
    }

    void descriptionNamesCodecFpsAndBitrate_data()
    {
        QTest::addColumn<QString>("vcodec");
        QTest::addColumn<QString>("acodec");
        QTest::addColumn<bool>("audioOnly");
        QTest::addColumn<int>("fps");
        QTest::addColumn<int>("abr");
        QTest::addColumn<QString>("description");
        QTest::newRow("a video with fps 30 and the default abr")
            << "avc1"
            << "mp4a" << false << 30 << 128 << "avc1 30fps 128kbps";
        QTest::newRow("a video without fps leaves the fps out") << "avc1"
                                                                << "mp4a" << false << 0 << 128 << "avc1 128kbps";
        QTest::newRow("a video without abr leaves the bitrate out") << "vp9"
                                                                    << "none" << false << 60 << 0 << "vp9 60fps";
        QTest::newRow("an audio-only format names its codec and bitrate")
            << "none"
            << "opus" << true << 0 << 160 << "opus 160kbps";
    }
    void descriptionNamesCodecFpsAndBitrate()
    {
        QFETCH(QString, vcodec);
        QFETCH(QString, acodec);
        QFETCH(bool, audioOnly);
        QFETCH(int, fps);
        QFETCH(int, abr);
        QFETCH(QString, description);
        MediaFormat f =
            audioOnly ? audioFormat("a", 1000, abr, acodec) : videoFormat("v", 1920, 1080, 1000, fps, vcodec);
        f.acodec = acodec;
        f.abr = abr;
        MediaInfo media;
        media.setFormatsForTest({f}, false);
        SelectQualityWidget dialog;
        dialog.setMediaInfo(&media);
        QCOMPARE(dialog.listedRows().size(), 1);
        QCOMPARE(dialog.listedRows().first()->descriptionText(), description);
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

    void clickingARowChoosesIt()
    {
        const MediaInfo media = fourFormats();
        SelectQualityWidget dialog;
        dialog.setMediaInfo(&media);
        dialog.preselect(media.formatId);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        SQualityItem *audio = dialog.listedRows().at(3);
        QTest::mouseClick(audio, Qt::LeftButton, Qt::NoModifier, audio->rect().center());
        QCOMPARE(dialog.selectedFormatId(), QStringLiteral("140"));
        QVERIFY(audio->isChecked());
        QVERIFY(!dialog.listedRows().at(0)->isChecked());
        QCOMPARE(dialog.sizeText(), formatSize(3000000).trimmed());
        // The row's colour is really painted.
        QCOMPARE(audio->grab().toImage().pixelColor(audio->width() / 2, 2), QColor(QStringLiteral("#e4f8e3")));
    }

    void secondFillingReusesRows()
    {
        const MediaInfo first = fourFormats();
        MediaInfo second;
        second.setFormatsForTest({videoFormat("18", 640, 360, 5000000), audioFormat("251", 2000000, 160, "opus")},
                                 false);
        SelectQualityWidget dialog;
        dialog.setMediaInfo(&first);
        const QList<SQualityItem *> made = dialog.rows();
        QCOMPARE(made.size(), 4);

        dialog.setMediaInfo(&second);
        QCOMPARE(dialog.rows(), made);
        QCOMPARE(dialog.findChildren<SQualityItem *>().size(), 4);
        QCOMPARE(dialog.listedRows(), made.mid(0, 2));
        QCOMPARE(made.at(0)->badgeText(), QStringLiteral("360P"));
        QCOMPARE(made.at(1)->badgeText(), QStringLiteral("Audio Only"));
        QCOMPARE(made.at(1)->descriptionText(), QStringLiteral("opus 160kbps"));
        for (const SQualityItem *spare : made.mid(2)) {
            QVERIFY(!spare->isListed());
            QVERIFY(spare->isHidden());
        }
        // The choice of the first filling does not survive into the second.
        dialog.preselect(QStringLiteral("251"));
        QCOMPARE(dialog.selectedFormatId(), QStringLiteral("251"));
        QVERIFY(!made.at(0)->isChecked());

        dialog.setMediaInfo(&first);
        QCOMPARE(dialog.rows(), made);
        QCOMPARE(dialog.listedRows(), made);
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
    }

    void choosingALanguageSelectsItsCode()
    {
        SelectQualityWidget dialog;
        dialog.setSubtitleLists({"en", "fr"}, {"en", "ja"});
        QComboBox *combo = dialog.subtitleComboBox();
        QCOMPARE(dialog.selectedSubtitleCode(), QString());
        const int last = combo->count() - 1;
        combo->setCurrentIndex(last);
        emit combo->activated(last);
        QCOMPARE(dialog.selectedSubtitleCode(), QStringLiteral("ja"));
        combo->setCurrentIndex(0);
        emit combo->activated(0);
        QCOMPARE(dialog.selectedSubtitleCode(), QString()); // Auto is a blank, read trimmed

        // A new list forgets the old choice.
        combo->setCurrentIndex(1);
        emit combo->activated(1);
        dialog.setSubtitleLists({"de"}, {});
        QCOMPARE(dialog.selectedSubtitleCode(), QString());
    }

    void longTitlesAreCut()
    {
        SelectQualityWidget dialog;
        dialog.setTitle(QStringLiteral("Short title"));
        QCOMPARE(dialog.titleText(), QStringLiteral("Short title"));

        const QString longTitle = QString(300, QLatin1Char('W'));
        dialog.setTitle(longTitle);
        const QString shown = dialog.titleText();
        QVERIFY(shown.endsWith(QLatin1String("... ")));
        const QString kept = shown.chopped(4);
        QVERIFY(longTitle.startsWith(kept));
        QVERIFY(kept.size() >= 10);
        QFont font;
        font.setPixelSize(13);
        QVERIFY(QFontMetrics(font).horizontalAdvance(kept) <= 400);
    }

    void theHookAnswersExec_data()
    {
        QTest::addColumn<int>("action"); // 0 Download, 1 Close, 2 nothing
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Download accepts the clicked row") << 0 << true;
        QTest::newRow("Close cancels") << 1 << false;
        QTest::newRow("leaving without a button keeps the preselection's accepted") << 2 << true;
    }
    void theHookAnswersExec()
    {
        QFETCH(int, action);
        QFETCH(bool, accepted);
        const MediaInfo media = fourFormats();
        SelectQualityWidget dialog;
        dialog.setTitle(media.displayName());
        dialog.setMediaInfo(&media);
        dialog.preselect(media.formatId);
        dialog.setSubtitleLists({"en", "de"}, {});
        bool shownDuringAnswer = true;
        SelectQualityWidget::answerNextWith([&](SelectQualityWidget &d) {
            shownDuringAnswer = d.isVisible();
            d.SQualityItem_clicked(d.listedRows().at(1));
            d.subtitleCheckBox()->setChecked(true);
            if (action == 0)
                d.downloadButton_slots();
            else if (action == 1)
                d.closeButton_slots();
        });
        QCOMPARE(SelectQualityWidget::pendingAnswers(), 1);
        const int code = dialog.exec();
        QCOMPARE(SelectQualityWidget::pendingAnswers(), 0);
        QVERIFY(!shownDuringAnswer);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.accepted(), accepted);
        QCOMPARE(code, accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(dialog.selectedFormatId(), QStringLiteral("137"));
        QVERIFY(dialog.subtitlesWanted());
    }

    void escapeKeepsThePreselection()
    {
        const MediaInfo media = fourFormats();
        SelectQualityWidget dialog;
        dialog.setMediaInfo(&media);
        dialog.preselect(media.formatId);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.accepted());
        QCOMPARE(dialog.selectedFormatId(), QStringLiteral("313"));
    }

    // ---- playlist chooser ----

    void listingShowsHeadingAndTicksEverything_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("heading");
        QTest::newRow("25 entries titled My list") << "My list" << 25 << "My list -25 Videos";
        QTest::newRow("an empty title reads Playlist") << "" << 3 << "Playlist -3 Videos";
    }
    void listingShowsHeadingAndTicksEverything()
    {
        QFETCH(QString, title);
        QFETCH(int, count);
        QFETCH(QString, heading);
        SelectChannel2Widget dialog;
        dialog.setList(title, numbered("Clip ", count), numbered("https://example.com/watch?v=", count));
        QCOMPARE(dialog.headingText(), heading);
        const QList<SChannelItem *> rows = dialog.listedRows();
        QCOMPARE(rows.size(), count);
        for (int i = 0; i < count; ++i) {
            QVERIFY(rows.at(i)->isTicked());
            QCOMPARE(rows.at(i)->index(), i);
            QCOMPARE(rows.at(i)->numberText(), QString::number(i + 1));
            QCOMPARE(rows.at(i)->shownName(), QStringLiteral("Clip ") + QString::number(i));
            QCOMPARE(rows.at(i)->url(), QStringLiteral("https://example.com/watch?v=") + QString::number(i));
        }
        QCOMPARE(dialog.chosenQuality(), QStringLiteral("3840x2160"));
        QCOMPARE(dialog.qualityButton()->badgeText(), QStringLiteral("4K"));
        QVERIFY(dialog.qualityButton()->isSelected());
        QVERIFY(!dialog.qualityListShown());
        QVERIFY(dialog.selectAllTicked());
        QVERIFY(dialog.downloadEnabled());
    }

    void longNamesAreElidedWithTheFullNameAsTip()
    {
        SelectChannel2Widget dialog;
        const QString longName = QString(200, QLatin1Char('n'));
        const QString longTitle = QString(200, QLatin1Char('T'));
        dialog.setList(longTitle, {longName}, {"u"});
        SChannelItem *row = dialog.listedRows().first();
        QVERIFY(row->shownName().size() < longName.size());
        QCOMPARE(row->name(), longName);
        QVERIFY(dialog.headingText().endsWith(QLatin1String(" -1 Videos")));
        QVERIFY(dialog.headingText().size() < longTitle.size());
    }

    void qualityDropDownOffersEightQualities()
    {
        SelectChannel2Widget dialog;
        dialog.setList(QStringLiteral("list"), {"a"}, {"u"});
        QStringList resolutions, badges, ids;
        for (const HDquality *entry : dialog.qualityEntries()) {
            resolutions << entry->resolution();
            badges << entry->badgeText();
            ids << entry->formatId();
        }
        QCOMPARE(resolutions, (QStringList{"3840x2160", "1920x1440", "1920x1080", "1080x720", "640x480", "480x360",
                                           "320x240", "0x0"}));
        QCOMPARE(badges, (QStringList{"4K", "2K", "1080P", "720P", "480P", "360P", "240P", "Audio Only"}));
        QCOMPARE(ids, QStringList({"-1", "-1", "-1", "-1", "-1", "-1", "-1", "-1"}));
        QVERIFY(dialog.qualityEntries().last()->isAudioOnly());
        QCOMPARE(dialog.qualityEntries().first()->background(), QStringLiteral("#e4f8e3"));
        QCOMPARE(dialog.qualityEntries().at(1)->background(), QStringLiteral("#FFFFFF"));
    }

    void choosingAudioOnlyGivesZeroByZero()
    {
        SelectChannel2Widget dialog;
        dialog.setList(QStringLiteral("list"), {"a", "b"}, {"u1", "u2"});
        dialog.hdQualityButton_slots(dialog.qualityButton());
        QVERIFY(dialog.qualityListShown());
        HDquality *audio = dialog.qualityEntries().last();
        dialog.HDqualityItem_slots(audio);
        QCOMPARE(dialog.chosenQuality(), QStringLiteral("0x0"));
        QVERIFY(!dialog.qualityListShown());
        QCOMPARE(dialog.qualityButton()->badgeText(), QStringLiteral("Audio Only"));
        QVERIFY(audio->isSelected());
        QVERIFY(!dialog.qualityEntries().first()->isSelected());

        // The button toggles the list.
        dialog.hdQualityButton_slots(dialog.qualityButton());
        dialog.hdQualityButton_slots(dialog.qualityButton());
        QVERIFY(!dialog.qualityListShown());
    }

    void qualityListOpensAndChoosesByMouse()
    {
        SelectChannel2Widget dialog;
        dialog.setList(QStringLiteral("list"), {"a"}, {"u"});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        HDquality *button = dialog.qualityButton();
        const QColor selected(QStringLiteral("#e4f8e3"));
        auto painted = [](QWidget *w) { return w->grab().toImage().pixelColor(w->width() / 2, 4); };
        // The selected looks given before the first showing are really painted.
        QCOMPARE(painted(button), selected);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
        QVERIFY(dialog.qualityListShown());
        QCOMPARE(painted(dialog.qualityEntries().first()), selected);
        HDquality *entry = dialog.qualityEntries().at(2);
        QTest::mouseClick(entry, Qt::LeftButton, Qt::NoModifier, entry->rect().center());
        QCOMPARE(dialog.chosenQuality(), QStringLiteral("1920x1080"));
        QVERIFY(!dialog.qualityListShown());
        QCOMPARE(button->badgeText(), QStringLiteral("1080P"));
        QCOMPARE(painted(button), selected);
        QCOMPARE(painted(entry), selected);
        QCOMPARE(painted(dialog.qualityEntries().first()), QColor(Qt::white));
    }

    void selectAllTogglesEveryRowAndDownload()
    {
        SelectChannel2Widget dialog;
        dialog.setList(QStringLiteral("list"), numbered("n", 4), numbered("u", 4));
        dialog.listSeletallButton_slots();
        for (const SChannelItem *row : dialog.listedRows())
            QVERIFY(!row->isTicked());
        QVERIFY(!dialog.selectAllTicked());
        QVERIFY(!dialog.downloadEnabled());

        dialog.listSeletallButton_slots();
        for (const SChannelItem *row : dialog.listedRows())
            QVERIFY(row->isTicked());
        QVERIFY(dialog.selectAllTicked());
        QVERIFY(dialog.downloadEnabled());

        // One ticked row is enough to untick everything on the next press.
        dialog.listSeletallButton_slots();
        dialog.SChannelItem_slots(dialog.listedRows().at(2));
        QVERIFY(dialog.selectAllTicked());
        QVERIFY(dialog.downloadEnabled());
        dialog.listSeletallButton_slots();
        for (const SChannelItem *row : dialog.listedRows())
            QVERIFY(!row->isTicked());
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
        dialog.setList(QStringLiteral("list"), numbered("n", 5), numbered("u", 5));
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
        dialog.setList(QStringLiteral("list"), numbered("n", 3), numbered("u", 3));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        SChannelItem *row = dialog.listedRows().at(1);
        MyPushButton *tick = row->findChild<MyPushButton *>();
        QVERIFY(tick);
        QTest::mouseClick(tick, Qt::LeftButton, Qt::NoModifier, tick->rect().center());
        QVERIFY(!row->isTicked());
        // Anywhere else on the row toggles it too.
        QTest::mouseClick(row, Qt::LeftButton, Qt::NoModifier, QPoint(row->width() / 2, row->height() / 2));
        QVERIFY(row->isTicked());
    }

    // Entries downloaded before are marked and left unticked; a new listing starts afresh.
    void downloadedEntriesAreMarkedAndUnticked()
    {
        SelectChannel2Widget dialog;
        dialog.setList(QStringLiteral("list"), numbered("n", 4), numbered("u", 4));
        dialog.markDownloaded({QStringLiteral("u1"), QStringLiteral("u3"), QStringLiteral("elsewhere")});
        QStringList marks;
        for (SChannelItem *row : dialog.listedRows())
            marks << QString::number(row->isDownloaded()) + QString::number(row->isTicked());
        QCOMPARE(marks, QStringList({"01", "10", "01", "10"}));
        SelectChannel2Widget::answerNextWith([](SelectChannel2Widget &d) { d.downloadButton_slots(); });
        dialog.exec();
        QCOMPARE(dialog.selectedIndexes(), QStringList({"0", "2"}));
        dialog.setList(QStringLiteral("again"), numbered("n", 2), numbered("u", 2));
        QVERIFY(!dialog.listedRows().at(1)->isDownloaded() && dialog.listedRows().at(1)->isTicked());
    }

    void closingCancelsAndANewListingStartsAfresh()
    {
        SelectChannel2Widget dialog;
        dialog.setList(QStringLiteral("first"), numbered("n", 5), numbered("u", 5));
        const QList<SChannelItem *> made = dialog.rows();
        SelectChannel2Widget::answerNextWith([](SelectChannel2Widget &d) {
            d.subtitleCheckBox()->setChecked(true);
            d.HDqualityItem_slots(d.qualityEntries().at(2));
            d.downloadButton_slots();
        });
        dialog.exec();
        QVERIFY(dialog.accepted());
        QVERIFY(dialog.subtitlesWanted());
        QCOMPARE(dialog.chosenQuality(), QStringLiteral("1920x1080"));
        QCOMPARE(dialog.selectedIndexes().size(), 5);

        dialog.setList(QStringLiteral("second"), numbered("m", 3), numbered("v", 3));
        QVERIFY(!dialog.accepted());
        QVERIFY(dialog.selectedIndexes().isEmpty());
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
        const QString target = dir.filePath(QStringLiteral("links.txt"));
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(500, 'x')); // a longer old file is cut, not overwritten in part
        }
        const QStringList urls{"https://www.youtube.com/watch?v=aaaaaaaaaaa", "https://www.youtube.com/watch?v=b",
                               QStringLiteral("https://example.com/v/ünï"), "https://www.youtube.com/watch?v=d",
                               "https://www.youtube.com/watch?v=e"};
        SelectChannel2Widget dialog;
        dialog.setList(QStringLiteral("My list"), numbered("n", 5), urls);
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
        QTest::newRow("an empty title proposes Playlist.txt") << ""
                                                              << "Playlist.txt";
        QTest::newRow("a plain title proposes itself") << "My list"
                                                       << "My list.txt";
        QTest::newRow("a title with slashes stays in the download folder") << "../../etc/passwd"
                                                                           << "etcpasswd.txt";
        QTest::newRow("a title of only unsafe characters proposes Playlist.txt") << "/../"
                                                                                 << "Playlist.txt";
        QTest::newRow("a very long title is shortened")
            << QString(400, QLatin1Char('L')) << QString(100, QLatin1Char('L')) + ".txt";
    }
    void exportProposesAFileInTheDownloadFolder()
    {
        QFETCH(QString, title);
        QFETCH(QString, fileName);
        QTemporaryDir folder;
        saveStringSetting(Settings::Key::SaveDownloadPath, folder.path());
        SelectChannel2Widget dialog;
        dialog.setList(title, {"a"}, {"u"});
        FileDialogTestHook::answerNext(QString());
        dialog.exportlinksButton_slots();
        const QString proposed = FileDialogTestHook::lastRequest().folder;
        QCOMPARE(proposed, folder.path() + QLatin1Char('/') + fileName);
        QCOMPARE(QFileInfo(proposed).absolutePath(), QDir(folder.path()).absolutePath());
    }

    void exportWithoutAStoredFolderProposesTheDefaultFolder()
    {
        SelectChannel2Widget dialog;
        dialog.setList(QString(), {"a"}, {"u"});
        QCOMPARE(dialog.proposedExportPath(), defaultDownloadFolder() + QStringLiteral("/Playlist.txt"));
    }
};

CW_TEST_MAIN(TestChoosers)
#include "tst_choosers.moc"
