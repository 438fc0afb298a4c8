#pragma once
// The main window's status bar: 15 panels, written and read by number (1..15)
// from any window. The texts live here, so windows can write them whether or
// not the main window shows them; the main window installs a view that shows
// every change.

#include <QString>
#include <functional>

constexpr int Status_Panel_Count = 15;

void Status_Set(int panel, const QString& text);
QString Status_Text(int panel);
void Status_Clear_All();

// The view: called with (panel, text) after every change.
void Status_Set_View(std::function<void(int, const QString&)> view);
