#pragma once
// Registers the fonts the program ships in its own "font" folder.

#include <QString>

// Arial, Lato Bold and Lato Regular; Lato becomes the application font at 10 pt.
void loadLatinFonts(const QString &folder);
// A font that covers Chinese: an installed Microsoft YaHei, or the shipped one.
void loadCjkFont(const QString &folder);
