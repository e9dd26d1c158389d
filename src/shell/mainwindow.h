#pragma once
// The one frameless top-level window. It owns every page and dialog of the program
// and is reached from anywhere through mainWindow().

#include <QWidget>

class DoRaDuvoZezavi : public QWidget {
    Q_OBJECT
public:
    explicit DoRaDuvoZezavi(QWidget *parent = nullptr);
    ~DoRaDuvoZezavi() override;

    void retranslate();

private:
    void layoutChildren();

    QWidget *m_frame = nullptr;
};

DoRaDuvoZezavi *mainWindow();
