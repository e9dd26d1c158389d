#pragma once
// Interface languages: the list file in the program's Lang folder, and the
// switch that loads a translation, picks a font that covers its script and stores the
// choice. Pages set their texts again afterwards (the main window's retranslate()).

#include <QString>
#include <QStringList>

struct LanguageList {
    QStringList names; // shown in the menu
    QStringList codes; // index i of one belongs to index i of the other
};

// The data folder's "Lang/Lang_config"
QString languageListPath();
// The data folder's "Lang/Lang_" + code + ".qm"
QString translationPath(const QString &code);

// Reads "CODE=Name" lines up to the first empty line. A file that cannot be read
// offers English alone.
LanguageList readLanguageList(const QString &path);

// Loads the translation for code (English when its file is missing), switches the
// application font, stores the code in the settings and installs the process-wide
// translator. Returns the code that took effect.
QString installLanguage(const QString &code);
