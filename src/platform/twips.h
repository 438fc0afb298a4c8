#pragma once
// Window measures in twips, the unit every window's sizing rule is written in.

#include <QRect>
#include <QSize>

class QWidget;

constexpr int Twips_Per_Pixel = 15;

inline int Twips_To_Px(double twips) { return static_cast<int>(twips / Twips_Per_Pixel); }
inline double Px_To_Twips(int px) { return static_cast<double>(px) * Twips_Per_Pixel; }

// The screen in twips. Tests (and the offscreen platform, whose screen is
// small) can set the size the program believes the screen has.
double Screen_Width_Twips();
double Screen_Height_Twips();
QSize Screen_Size_Px();
void Screen_Set_Size_Px(QSize px);  // an empty size clears the override

// Places a window: its outer frame at (left, top) with the given outer size,
// all in twips, relative to its parent (or to the screen for a top-level one).
void Place_Window_Twips(QWidget* w, double left, double top, double width, double height);

// Places a control inside its parent at a design position in twips.
void Place_Control_Twips(QWidget* w, int left, int top, int width, int height);

// The size of a window's client area in twips (the inside of an MDI frame
// for the main window).
double Client_Width_Twips(const QWidget* w);
double Client_Height_Twips(const QWidget* w);
