#pragma once
// The main window's titles in both languages.

#include <QString>

QString Title_Chinese();
QString Title_English();

// Stores the titles and the two (always empty) status texts into Title_Text.
void Title_Init();

// The title of the current language.
QString Title_Current();
