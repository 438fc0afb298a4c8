#pragma once
// What the editor windows do alike around their transfer: their command
// buttons and progress bar, the engine idle at load, refusing commands while
// a transfer runs, closing, and serving the file requests that the main
// window's file dialogs leave for them.

#include <QProgressBar>
#include <QPushButton>
#include <cstdint>
#include <functional>

#include "link/link_engine.h"
#include "link/link_texts.h"
#include "platform/vb_form.h"
#include "platform/vb_grid.h"

namespace editor_text {
// The close warning of the DTMF, option and alignment editors (no blank
// before its last comma, unlike link_text::Close_Refused).
constexpr Zh_En Close_Busy{"正在进行读写操作,请勿关窗口 ！,", "Read-write operating，don't close the window.,"};
// The Clear button's refusal of the channel and FM editors.
constexpr Zh_En Clear_Busy{"正在进行读写操作,请勿进行清除操作 ！,",
                           "Read-write operating，don't clear operate .,"};
}  // namespace editor_text

// Wires the six command buttons every editor window has (read, write,
// default, open, save, close) to their handlers.
template <class Window>
void Connect_Commands(Window* w) {
  QObject::connect(w->Command_read, &QPushButton::clicked, w, [w] { w->Command_read_Click(); });
  QObject::connect(w->Command_Write, &QPushButton::clicked, w, [w] { w->Command_Write_Click(); });
  QObject::connect(w->Command_def, &QPushButton::clicked, w, [w] { w->Command_def_Click(); });
  QObject::connect(w->Command_open, &QPushButton::clicked, w, [w] { w->Command_open_Click(); });
  QObject::connect(w->Command_save, &QPushButton::clicked, w, [w] { w->Command_save_Click(); });
  QObject::connect(w->Command_close, &QPushButton::clicked, w, [w] { w->Command_close_Click(); });
}

// The bar a window's transfer shows its progress in: 0..100, no text.
QProgressBar* New_Transfer_Bar(QWidget* parent);

// The window's engine idle, as a window sets it when it loads: its three
// timers stopped, no write mode, link, frame sent or transfer under way.
void Engine_Idle(Link_Engine& engine);

// A command refused while the window's transfer runs: when busy, text goes
// up in a warning box and the result is true (the command stops there).
bool Refuse_While_Busy(bool busy, const Zh_En& text = link_text::Busy);

// The window's editing controls (text boxes, lists, check boxes, option
// buttons, grids) take no edit while a transfer of its rows runs, whichever
// window runs it (engine.Area_Busy()): disabled from the moment it begins,
// given back as the window left them once it has ended for good, done,
// failed or stopped. Its buttons stay, with their own refusals.
void Lock_Area_While_Busy(QWidget* window, Link_Engine& engine);

// Default and Clear, which change the window's rows, refused with text while
// a transfer of those rows runs (engine.Area_Busy()): true when refused.
bool Refuse_Edit_While_Busy(const Link_Engine& engine, const Zh_En& text = link_text::Busy);

// The Close button, once allowed: the window's open grid edit ended as a
// leave ends it (a refused leave keeps the window), the window's port
// closed if it is open, the window unloaded, then the file dialogs that
// belong to it (Also...).
template <class... Also>
void Close_Editor(Vb_Form& window, Link_Engine& engine) {
  if (!End_Grid_Edits(&window) || window.Unloaded()) return;
  if (engine.MSC.Is_Open()) engine.MSC.Close();
  window.Unload();
  (Forms::Unload<Also>(), ...);
}

// One tick of a window's file-request poll: while no transfer runs, a
// pending open request (open_flag non-zero) is cleared and served by load,
// then, unless that unloaded the window, a pending save request by save.
void Serve_File_Requests(const Vb_Form& window, bool busy, int16_t& open_flag, const std::function<void()>& load,
                         int16_t& save_flag, const std::function<void()>& save);
