#pragma once
// The Downloader page of the settings dialog: the yt-dlp and JavaScript runtime versions
// in use, "Check for updates" with its progress and result, "Roll back" to the previous
// versions, and the switch that keeps the downloader current automatically.

#include "external/components.h"
#include "update/componentupdater.h"

#include <QWidget>

class MyTempButton2;
class QCheckBox;
class QLabel;
class QProgressBar;

class DownloaderSetWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DownloaderSetWidget(QWidget *parent = nullptr);

    void loadSettings();
    void retranslate();
    void layoutPage();

    QLabel *ytdlpLabel() const
    {
        return m_ytdlpValue;
    }
    QLabel *runtimeLabel() const
    {
        return m_runtimeValue;
    }
    QLabel *resultLabel() const
    {
        return m_resultLabel;
    }
    QLabel *progressLabel() const
    {
        return m_progressLabel;
    }
    QProgressBar *progressBar() const
    {
        return m_progressBar;
    }
    MyTempButton2 *checkButton() const
    {
        return m_checkButton;
    }
    MyTempButton2 *rollbackButton() const
    {
        return m_rollbackButton;
    }
    QCheckBox *autoUpdateBox() const
    {
        return m_autoUpdateBox;
    }

    // The outcome of a check or a roll-back, one line per component.
    void showResults(const QList<ComponentResult> &results, bool rollBack);

public slots:
    void checkButton_slots();
    void rollbackButton_slots();
    void autoUpdateBox_slots();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refreshVersions();
    void showVersions();
    void showRunState();
    void runStarted();
    void runProgress(const QString &component, qint64 received, qint64 total);
    void runFinished();
    QString resultText(const ComponentResult &result, bool rollBack) const;

    QLabel *m_ytdlpTitle;
    QLabel *m_ytdlpValue;
    QLabel *m_runtimeTitle;
    QLabel *m_runtimeValue;
    MyTempButton2 *m_checkButton;
    MyTempButton2 *m_rollbackButton;
    QProgressBar *m_progressBar;
    QLabel *m_progressLabel;
    QLabel *m_resultLabel;
    QCheckBox *m_autoUpdateBox;
    QLabel *m_noteLabel;
    QList<ComponentResult> m_shownResults;
    Components::YtdlpChoice m_ytdlp;
    bool m_nodeRuntime = false;
    bool m_versionsKnown = false;
    bool m_shownRollBack = false;
};
