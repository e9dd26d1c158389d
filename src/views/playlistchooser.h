#pragma once
// The playlist chooser: the modal dialog that opens after a channel or playlist
// listing. The user ticks the entries to download, picks one target quality for all
// of them, decides on subtitles, and may export the ticked links to a text file.

#include "widgets/messagedialogs.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QScrollArea;
class MyLinkPushButton;
class MyPushButton;
class MyTempButton1;
class QualityBadge;

// One target quality: an entry of the drop-down, or the button that opens it.
class HDquality : public QWidget
{
    Q_OBJECT
public:
    explicit HDquality(QWidget *parent = nullptr);

    void setData(const QString &formatId, const QString &sizeText, const QString &resolution,
                 const QString &description, int index, bool audioOnly);
    void copyFrom(const HDquality &other);
    void setSelected(bool selected);
    bool isSelected() const
    {
        return m_selected;
    }
    // The button form: framed, with a drop-down chevron.
    void setDropButton(bool dropButton);

    QString formatId() const
    {
        return m_formatId;
    }
    QString sizeText() const
    {
        return m_sizeText;
    }
    QString resolution() const
    {
        return m_resolution;
    }
    QString description() const
    {
        return m_description;
    }
    int index() const
    {
        return m_index;
    }
    bool isAudioOnly() const
    {
        return m_audioOnly;
    }
    QString badgeText() const;
    QString badgeColor() const;
    bool hdShown() const;
    QString background() const;

signals:
    void clicked(HDquality *entry);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutEntry();
    void applyLook();

    QString m_formatId;
    QString m_sizeText;
    QString m_resolution;
    QString m_description;
    int m_index = 0;
    bool m_audioOnly = false;
    bool m_selected = false;
    bool m_dropButton = false;
    QualityBadge *m_badge;
    QLabel *m_resolutionLabel;
    QLabel *m_chevron;
};

// One entry of the listing: a tick, its number and its name. Clicking the row or
// its tick toggles it.
class SChannelItem : public QWidget
{
    Q_OBJECT
public:
    explicit SChannelItem(QWidget *parent = nullptr);

    void setEntry(int index, const QString &name, const QString &url);
    void setTicked(bool ticked);
    // Downloaded before: marked so, and left unticked.
    void setDownloaded(bool downloaded);
    bool isDownloaded() const
    {
        return m_downloaded;
    }
    bool isTicked() const
    {
        return m_ticked;
    }
    // Listed rows show an entry; the others are free for the next filling.
    void setListed(bool listed);
    bool isListed() const
    {
        return m_listed;
    }
    QString url() const
    {
        return m_url;
    }
    int index() const
    {
        return m_index;
    }
    QString name() const
    {
        return m_name;
    }
    QString shownName() const;
    QString numberText() const;

public slots:
    void selectButton_slots();

signals:
    void clicked(SChannelItem *row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutRow();

    bool m_listed = false;
    bool m_ticked = false;
    bool m_downloaded = false;
    QString m_url;
    QString m_name;
    int m_index = 0;
    MyPushButton *m_selectButton;
    QLabel *m_numberLabel;
    QLabel *m_nameLabel;
    QLabel *m_downloadedLabel;
};

// The dialog. The owner calls setList(), runs exec() and reads the choice.
class SelectChannel2Widget : public MovableDialog
{
    Q_OBJECT
public:
    explicit SelectChannel2Widget(QWidget *parent = nullptr);

    void setList(const QString &title, const QStringList &names, const QStringList &urls);
    // Entries whose link was downloaded before: marked and unticked.
    void markDownloaded(const QSet<QString> &urls);

    int exec() override;

    bool accepted() const
    {
        return m_accepted;
    }
    // Decimal positions of the ticked entries, ascending.
    QStringList selectedIndexes() const
    {
        return m_selectedIndexes;
    }
    bool subtitlesWanted() const
    {
        return m_subtitlesWanted;
    }
    // A resolution text such as "3840x2160", or "0x0" for audio only.
    QString chosenQuality() const
    {
        return m_chosenQuality;
    }
    QString listingTitle() const
    {
        return m_listingTitle;
    }
    // Where the export's save dialog starts: the download folder and the title made safe.
    // The dialog itself is answered in tests through FileDialogTestHook.
    QString proposedExportPath() const;

    // Tests and the end-to-end run answer the next exec() without showing the dialog:
    // the function is called instead of the event loop and may use the public slots.
    // Answers queue up; each exec() takes the first.
    using Answer = std::function<void(SelectChannel2Widget &)>;
    static void answerNextWith(Answer answer);
    static int pendingAnswers();
    static void clearAnswers();

    QList<SChannelItem *> rows() const
    {
        return m_rows;
    }
    QList<SChannelItem *> listedRows() const;
    QList<HDquality *> qualityEntries() const
    {
        return m_qualityEntries;
    }
    HDquality *qualityButton() const
    {
        return m_hdQualityButton;
    }
    bool qualityListShown() const;
    QString headingText() const;
    bool selectAllTicked() const
    {
        return m_selectAllTicked;
    }
    bool downloadEnabled() const;
    QCheckBox *subtitleCheckBox() const
    {
        return m_downloadsubtitleBox;
    }

public slots:
    void SChannelItem_slots(SChannelItem *row);
    void HDqualityItem_slots(HDquality *entry);
    void hdQualityButton_slots(HDquality *button);
    void listSeletallButton_slots();
    void downloadButton_slots();
    void closeButton_slots();
    void downloadsubtitleBox_slots();
    void exportlinksButton_slots();

protected:
    QWidget *controlFor(DialogTestHook::Press press) const override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void layoutDialog();
    void stackRows();
    void fillQualities();
    void followTicks();
    bool anyTicked() const;

    bool m_accepted = false;
    bool m_subtitlesWanted = false;
    bool m_selectAllTicked = false;
    QString m_chosenQuality;
    QStringList m_selectedIndexes;
    QString m_listingTitle;
    QList<SChannelItem *> m_rows;
    QList<HDquality *> m_qualityEntries;

    QWidget *m_panel;
    QLabel *m_chooseVideosLabel;
    MyPushButton *m_closeButton;
    QLabel *m_ruleLabel;
    QLabel *m_headingLabel;
    QWidget *m_listFrame;
    QWidget *m_listHeader;
    MyPushButton *m_listSeletallButton;
    QLabel *m_nameCaption;
    QScrollArea *m_scrollArea;
    QWidget *m_rowHolder;
    QLabel *m_qualityCaption;
    HDquality *m_hdQualityButton;
    QWidget *m_qualityList;
    QCheckBox *m_downloadsubtitleBox;
    MyLinkPushButton *m_exportlinksButton;
    MyTempButton1 *m_downloadButton;
};
