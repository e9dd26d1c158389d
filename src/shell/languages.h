#pragma once
// Interface languages: the list file in the program's Lang folder, and the
// switch that loads a translation, picks a font that covers its script and stores the
// choice. Pages set their texts again afterwards (the main window's retranslate()).

#include "app/languagelist.h"

#include <QString>

// The data folder's "Lang/Lang_config"
QString languageListPath();
// The data folder's "Lang/Lang_" + code + ".qm"
QString translationPath(const QString &code);

// Loads the translation for code (English when its file is missing), switches the
// application font, stores the code in the settings and installs the process-wide
// translator. Returns the code that took effect.
QString installLanguage(const QString &code);
