#pragma once
// The interface languages on offer: the list file in the program's Lang folder.

#include <QString>
#include <QStringList>

struct LanguageList {
    QStringList names; // shown in the menu
    QStringList codes; // index i of one belongs to index i of the other
};

// Reads "CODE=Name" lines up to the first empty line. A file that cannot be read
// offers English alone.
LanguageList readLanguageList(const QString &path);
