#pragma once
// The quality chooser: the modal dialog in which the user picks one format of an
// analysed media, and optionally a subtitle language, before a single download.
// Also the quality badge and the bits of look it shares with the playlist chooser.

#include "engine/mediainfo.h"
#include "widgets/messagedialogs.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollArea;
class MyPushButton;
class MyTempButton1;

// The badge of a resolution text such as "1920x1080" ("1080P", "2K", "4K" ...).
// hd, when given, tells whether the smaller side reaches 720. A size that is not
// known at all ("0x0") gets "--" rather than the badge of the smallest size.
QString qualityBadgeText(const QString &resolutionText, bool *hd = nullptr);
// The badge colour of a row by its position in the list.
QString qualityBadgeColor(int index);

namespace ChooserLook
{
// A check box with the program's tick pictures.
QString checkBoxStyle();
// The slim scroll bar of the program's lists.
QString scrollBarStyle();
// The white panel with the dark top edge that every light dialog stands on.
QString panelStyle();
// A font of a design pixel size, everything else inherited.
QFont pixelFont(double designPixels, bool bold = false);
// Sets a style sheet that changes with the widget's state. The widget is polished
// first: a sheet replaced before the first polish can leave stale rules behind.
void restyle(QWidget *widget, const QString &sheet);
} // namespace ChooserLook

// The coloured quality badge and the small picture beside it: "HD" for sizes from
// 720 up, a note for audio only.
class QualityBadge : public QWidget
{
public:
    explicit QualityBadge(QWidget *parent = nullptr);
    void setBadge(const QString &text, const QString &color, bool hd, bool audioOnly);
    QString text() const
    {
        return m_text;
    }
    QString color() const
    {
        return m_color;
    }
    bool pictureShown() const;
    // The room the widest badge takes with its picture, so later columns line up.
    static int fullWidth();
    static int fullHeight();

private:
    QLabel *m_badge;
    QLabel *m_picture;
    QString m_text;
    QString m_color;
};

// One offered format: a choice mark, the badge, extension, resolution, description
// and size. Clicking anywhere on it chooses it.
class SQualityItem : public QWidget
{
    Q_OBJECT
public:
    explicit SQualityItem(QWidget *parent = nullptr);

    void setFormat(const MediaFormat &format);
    const MediaFormat &format() const
    {
        return m_format;
    }
    void setData(const QString &ext, const QString &resolution, const QString &description, const QString &sizeText,
                 int index, bool audioOnly);
    void setChecked(bool checked);
    bool isChecked() const
    {
        return m_checked;
    }
    // Listed rows show a format; the others are free for the next filling.
    void setListed(bool listed);
    bool isListed() const
    {
        return m_listed;
    }

    QString badgeText() const;
    QString badgeColor() const;
    bool hdShown() const;
    bool isAudioOnly() const
    {
        return m_audioOnly;
    }
    QString extText() const;
    QString resolutionText() const;
    QString descriptionText() const
    {
        return m_description;
    }
    QString sizeText() const;
    QString background() const
    {
        return m_background;
    }

signals:
    void clicked(SQualityItem *item);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutRow();

    MediaFormat m_format;
    bool m_listed = false;
    bool m_checked = false;
    bool m_audioOnly = false;
    QString m_description;
    QString m_background;
    QLabel *m_mark;
    QualityBadge *m_badge;
    QLabel *m_extLabel;
    QLabel *m_resolutionLabel;
    QLabel *m_descriptionLabel;
    QLabel *m_sizeLabel;
};

// The dialog. The owner calls setTitle, setMediaInfo, preselect and setSubtitleLists,
// runs exec() and reads the choice from the getters.
class SelectQualityWidget : public MovableDialog
{
    Q_OBJECT
public:
    explicit SelectQualityWidget(QWidget *parent = nullptr);

    void setTitle(const QString &text);
    void setMediaInfo(const MediaInfo *media);
    void preselect(const QString &formatId);
    void setSubtitleLists(const QStringList &subtitleCodes, const QStringList &autoCaptionCodes);

    int exec() override;

    bool accepted() const
    {
        return m_accepted;
    }
    QString selectedFormatId() const
    {
        return m_selectedFormatId.trimmed();
    }
    bool subtitlesWanted() const
    {
        return m_subtitlesWanted;
    }
    QString selectedSubtitleCode() const
    {
        return m_selectedSubtitleCode.trimmed();
    }

    // Tests and the end-to-end run answer the next exec() without showing the dialog:
    // the function is called instead of the event loop and may use the public slots.
    // Answers queue up; each exec() takes the first.
    using Answer = std::function<void(SelectQualityWidget &)>;
    static void answerNextWith(Answer answer);
    static int pendingAnswers();
    static void clearAnswers();

    // Every row made so far, listed or not, in the order they were made.
    QList<SQualityItem *> rows() const
    {
        return m_rows;
    }
    QList<SQualityItem *> listedRows() const;
    QStringList subtitleCodes() const
    {
        return m_codes;
    }
    QComboBox *subtitleComboBox() const
    {
        return m_subtitleLangComboBox;
    }
    QCheckBox *subtitleCheckBox() const
    {
        return m_downloadsubtitleBox;
    }
    QString titleText() const;
    QString sizeText() const;

public slots:
    void SQualityItem_clicked(SQualityItem *item);
    void downloadsubtitleBox_slots();
    void downloadButton_slots();
    void closeButton_slots();
    void m_subtitleLangComboBox_slots();

protected:
    QWidget *controlFor(DialogTestHook::Press press) const override;

private:
    void layoutDialog();
    void stackRows();
    void updateComboVisibility();

    bool m_accepted = false;
    bool m_subtitlesWanted = false;
    QString m_selectedFormatId;
    QString m_selectedSubtitleCode;
    QStringList m_codes;
    QList<SQualityItem *> m_rows;

    QWidget *m_panel;
    QLabel *m_headingLabel;
    MyPushButton *m_closeButton;
    QLabel *m_ruleLabel;
    QLabel *m_titleLabel;
    QWidget *m_listFrame;
    QScrollArea *m_scrollArea;
    QWidget *m_rowHolder;
    QCheckBox *m_downloadsubtitleBox;
    QComboBox *m_subtitleLangComboBox;
    QLabel *m_sizeLabel;
    MyTempButton1 *m_downloadButton;
};
