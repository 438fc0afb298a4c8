#include "main_ident.h"

#include "data/shared_state.h"

namespace {
Main_Ident*& Instance() {
  static Main_Ident* m = nullptr;
  return m;
}
}  // namespace

Main_Ident* Main_Link() { return Instance(); }
void Main_Link_Set(Main_Ident* m) { Instance() = m; }

Link_Profile Main_Ident_Profile() {
  Link_Profile p;
  p.Read_Base = 0x0000;
  p.Read_Last = 1;
  p.Retry_Read = 3;
  p.Retry_Write = No_Retry;
  p.Retry_Delay = 1500;
  p.Ident_Ack = Ident_Ack_Mode::None;
  p.Pass = Pass_Mode::None;
  p.Pump_Byte_Tick_Ms = 10;
  p.Watchdog_In_Frame_Ms = 5000;
  p.Watchdog_After_Ms = 5000;
  p.Texts.port_error = link_text::Port_Error_Short;
  p.Texts.port_title = link_text::Title_Upper;
  p.Fail = Fail_Report{};
  p.Fail.message = false;
  p.Fail.bar_zero = false;
  p.Fail.label = false;
  p.Fail.main_panels = true;
  return p;
}

Main_Ident::Main_Ident(std::function<void()> enable_menus, QObject* parent, const Link_Profile& profile)
    : Link_Engine(profile, parent), enable_menus_(std::move(enable_menus)) {}

Main_Ident::~Main_Ident() {
  if (Instance() == this) Instance() = nullptr;
}

void Main_Ident::Main_PortTry() {
  Port_Error = 0;
  Port_Setup(Port_No);
  if (!MSC.Open()) {
    Port_Error = -1;
    return;
  }
  MSC.Discard_Input();
}

void Main_Ident::Close_Port() {
  if (MSC.Is_Open()) MSC.Close();
}

void Main_Ident::Ident_Start() {
  // A restart ends the exchange running now as a transfer would: no timers
  // left running, no frame cut short, and its reply kept from the new one.
  Yield_Line();
  Retry_Left = 3;
  Read_Start();
}

void Main_Ident::After_Ident_Valid() {
  Link_Up = -1;
  Timer2.Set_Enabled(false);
  Timer3.Set_Enabled(false);
  if (enable_menus_) enable_menus_();
  Timers_Off();
  Close_Port();
  Busy_Read = 0;
}
