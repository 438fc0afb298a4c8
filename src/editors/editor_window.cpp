#include "editors/editor_window.h"

#include <QPointer>

#include "platform/input_lock.h"
#include "platform/msg_box.h"

QProgressBar* New_Transfer_Bar(QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setRange(0, 100);
  bar->setTextVisible(false);
  return bar;
}

void Engine_Idle(Link_Engine& e) {
  e.Timer1.Set_Enabled(false);
  e.Timer2.Set_Enabled(false);
  e.Timer3.Set_Enabled(false);
  e.Write_Mode = e.Link_Up = e.Tx_Done = 0;
  e.Busy_Write = e.Busy_Read = 0;
}

bool Refuse_While_Busy(bool busy, const Zh_En& text) {
  if (!busy) return false;
  Msg_Box(text.Get(), Msg_Icon::Exclamation, link_text::Title_Lower.Get());
  return true;
}

void Lock_Area_While_Busy(QWidget* window, Link_Engine& engine) {
  auto* lock = new Input_Lock(window);
  const QPointer<Link_Engine> e(&engine);
  const auto apply = [lock, e] { lock->Set_Locked(e && e->Area_Busy()); };
  QObject::connect(Link_Engine::Busy_Hub(), &Link_Busy_Hub::Changed, lock, apply);
  apply();
}

bool Refuse_Edit_While_Busy(const Link_Engine& engine, const Zh_En& text) {
  return Refuse_While_Busy(engine.Area_Busy(), text);
}

void Serve_File_Requests(const Vb_Form& window, bool busy, int16_t& open_flag, const std::function<void()>& load,
                         int16_t& save_flag, const std::function<void()>& save) {
  if (busy) return;
  if (open_flag != 0) {
    open_flag = 0;
    load();
    if (window.Unloaded()) return;
  }
  if (save_flag != 0) {
    save_flag = 0;
    save();
  }
}
