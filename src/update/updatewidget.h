#pragma once
// Asks the vendor's web site whether a newer version exists: once a day, a few seconds
// after start, and whenever the user asks from the menu. The answer is a bare version
// text. The dialog shows the outcome and can open the vendor's download page; nothing
// is downloaded or installed here.

#include "widgets/messagedialogs.h"

#include <QPointer>
#include <QString>

class MyPushButton;
class MyTempButton2;
class QLabel;
class QMovie;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// "a.b.c" as a * 1000 + b * 100 + c * 10; any other number of parts gives 0, and a part
// that is not a plain decimal number counts as 0.
int versionNumber(const QString &text);

class UpdateWidget : public MovableDialog
{
    Q_OBJECT
public:
    // The waits of a check; tests shorten them. A negative first-check delay leaves the
    // automatic check unscheduled.
    struct Timings {
        int firstCheckMs = 5800;
        int requestDelayMs = 500;
        int timeoutMs = 5000;
    };
    static Timings timings();
    static void setTimings(const Timings &timings);

    static const char *const OwnVersion;
    static const char *const CheckPage;
    static const char *const DownloadPage;

    UpdateWidget();
    ~UpdateWidget() override;

    bool isChecking() const
    {
        return m_checking;
    }
    bool isAutomatic() const
    {
        return m_automatic;
    }
    bool newVersionAvailable() const
    {
        return m_newVersion;
    }
    QString latestVersionText() const
    {
        return m_latestVersion;
    }
    QString messageText() const;
    QLabel *loadingLabel() const
    {
        return m_loadingLabel;
    }
    MyTempButton2 *updateButton() const
    {
        return m_updateButton;
    }
    MyTempButton2 *remindButton() const
    {
        return m_remindButton;
    }
    MyPushButton *closeButton() const
    {
        return m_closeButton;
    }
    QTimer *firstCheckTimer() const
    {
        return m_firstCheckTimer;
    }
    QTimer *timeoutTimer() const
    {
        return m_timeoutTimer;
    }

    int exec() override;

public slots:
    // Hides the buttons, shows "Check new version..." with the animation and sends the
    // request shortly after. The main window passes true for a check from the menu.
    void startCheck(bool manual);
    void retranslate();

    void closeButton_slots();
    void updateButton_slots();
    void remindButton_slots();
    void fristCheckVer_slots();
    void downhtmlfinished_slots();
    void updateCheck_slots();

protected:
    QWidget *controlFor(DialogTestHook::Press press) const override;

private:
    void layoutDialog();
    void showOutcome();
    void showNewVersion();

    QString m_latestVersion;
    bool m_newVersion = false;
    bool m_checkFailed = false; // no answer, an error page or no version in it
    bool m_automatic = false;
    bool m_checking = false;
    bool m_answered = false;
    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    QTimer *m_timeoutTimer;
    QTimer *m_requestTimer;
    QTimer *m_firstCheckTimer;
    QWidget *m_panel;
    QWidget *m_header;
    QLabel *m_iconLabel;
    QLabel *m_titleLabel;
    QLabel *m_messageLabel;
    QLabel *m_loadingLabel;
    QMovie *m_loadingMovie;
    MyTempButton2 *m_updateButton;
    MyTempButton2 *m_remindButton;
    MyPushButton *m_closeButton;
};
