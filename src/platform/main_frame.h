#pragma once
// The main frame's sizes in twips, from which the child windows and dialogs
// size and centre themselves.

#include <QSizeF>

// The main frame's outer size (the screen's when there is no main frame).
QSizeF Main_Frame_Twips();
// The client area of the main frame's MDI area (the frame's outer size when
// there is none).
QSizeF Main_Client_Twips();
