#pragma once
// One download's persistent record: the in-memory twin of one dldata row.

#include <QString>

struct DownloadRecord {
    bool isenabled = false; // the download choice is fixed
    QString url;
    QString formatid; // "" or "-1": none chosen
    QString frame;    // "1920x1080"; "0x0" for audio only
    QString dlfolder; // sub-folder (a playlist's title) under the download folder
    QString name;
    bool issubtitle = false;
    QString subtitlelang;
    QString convertformat; // stored and restored only
    QString savepath;      // stored and restored only
    QString md5;           // the item's key, "" until the choice is fixed
    int progress = 0;      // hundredths of a percent
    QString finishfilename;
    QString thumb;
    QString duration; // formatted for display
    QString extformat;
    QString size;       // formatted for display
    QString failreason; // why the last attempt failed (a failure class), "" for none
    QString finishdate; // "yyyy-MM-dd" the download finished, "" when unknown

    void reset()
    {
        *this = DownloadRecord();
    }
};

// The key of a link downloaded in a format: md5 of the link followed by the format id.
QString itemKey(const QString &url, const QString &formatId);
