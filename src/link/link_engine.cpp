#include "link_engine.h"

#include <QHash>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "data/freq_codec.h"
#include "data/image_map.h"
#include "data/shared_state.h"
#include "link/protocol.h"
#include "platform/code_page.h"
#include "platform/msg_box.h"
#include "platform/status_panels.h"

namespace {
QString Byte_Text(const uint8_t* b, int n) {
  QString out;
  for (int i = 0; i < n; ++i) {
    if (b[i] < 0x80) {
      out += QChar(b[i]);
    } else {
      const QString ch = Ansi_Char(b[i]);
      out += ch.isEmpty() ? QString("?") : ch;
    }
  }
  return out;
}

QString Limit_Pair(int k) {
  return Vb_Str(Band_Limits[2 * k]) + "--" + Vb_Str(Band_Limits[2 * k + 1]);
}

int Percent(int part, int whole) {
  if (whole <= 0) return 0;
  return static_cast<int>(std::floor(static_cast<double>(part) / whole * 100));
}

// Every engine that exists, so that the program can tell whether any
// window's transfer is under way.
std::vector<Link_Engine*>& Engines() {
  static std::vector<Link_Engine*> all;
  return all;
}

// The bytes of a reply each device's line still owes an exchange that gave
// way there; the next exchange on the line drops them.
QHash<QString, int>& Owed_Replies() {
  static QHash<QString, int> owed;
  return owed;
}
}  // namespace

class Link_Engine::Busy_Watch {
public:
  explicit Busy_Watch(Link_Engine* e) : e_(e), was_(e->Live_Busy()) {}
  ~Busy_Watch() {
    if (e_ && e_->Live_Busy() != was_) emit Busy_Hub()->Changed();
  }
  Busy_Watch(const Busy_Watch&) = delete;
  Busy_Watch& operator=(const Busy_Watch&) = delete;

private:
  QPointer<Link_Engine> e_;
  bool was_;
};

Link_Engine::Link_Engine(const Link_Profile& profile, QObject* parent)
    : QObject(parent), profile_(profile) {
  // Every event handler, its busy state watched.
  const auto watched = [this](void (Link_Engine::*handler)()) {
    return [this, handler] {
      Busy_Watch watch(this);
      (this->*handler)();
    };
  };
  Timer1.On_Timer = watched(&Link_Engine::Timer1_Timer);
  Timer2.On_Timer = watched(&Link_Engine::Timer2_Timer);
  Timer3.On_Timer = watched(&Link_Engine::Timer3_Timer);
  MSC.On_Comm = watched(&Link_Engine::MSC_OnComm);
  MSC.On_Lost = watched(&Link_Engine::Port_Lost);
  Engines().push_back(this);
}

Link_Engine::~Link_Engine() {
  // Whoever listens may be going too (the window this engine belongs to is
  // being destroyed): an engine that goes while busy says so later.
  const bool was = Live_Busy();
  dead_ = true;
  Shut_Down();
  std::erase(Engines(), this);
  if (was) QMetaObject::invokeMethod(Busy_Hub(), &Link_Busy_Hub::Changed, Qt::QueuedConnection);
}

Link_Busy_Hub* Link_Engine::Busy_Hub() {
  static Link_Busy_Hub hub;
  return &hub;
}

std::vector<Link_Engine::Span> Link_Engine::Spans() const {
  const Link_Profile& p = profile_;
  std::vector<Span> out;
  if (p.Read_Last > 0) out.push_back({p.Read_Base, p.Read_Base + p.Read_Last * proto::Block_Len});
  if (p.Write_Count > p.Write_First)
    out.push_back({p.Write_Base + p.Write_First * proto::Row_Len, p.Write_Base + p.Write_Count * proto::Row_Len});
  return out;
}

bool Link_Engine::Area_Busy() const {
  const std::vector<Span> mine = Spans();
  const auto overlaps = [&mine](const Link_Engine* e) {
    for (const Span& a : e->Spans())
      for (const Span& b : mine)
        if (a.first < b.end && b.first < a.end) return true;
    return false;
  };
  // An exchange that gives way moves no memory: no window's rows wait for it.
  return std::any_of(Engines().begin(), Engines().end(), [&](const Link_Engine* e) {
    return e->Live_Busy() && !e->Gives_Way() && (e == this || overlaps(e));
  });
}

bool Link_Engine::Any_Busy(const Link_Engine* besides) {
  // A shut-down engine's flags may still read busy: its transfer has ended.
  return std::any_of(Engines().begin(), Engines().end(), [besides](const Link_Engine* e) {
    return e != besides && !e->dead_ && !e->Gives_Way() && e->Busy();
  });
}

void Link_Engine::Take_Over_Port() {
  for (Link_Engine* e : Engines())
    if (!e->dead_ && e->Gives_Way() && e->Busy()) e->Yield_Line();
}

void Link_Engine::Yield_Line() {
  if (Attempt_Running() && Tx_Pos > 0 && MSC.Is_Open()) {
    Send_Rest();
    // An exchange that gives way has only its handshake.
    const int owed = Handshake_Reply_Len() - MSC.Discard_Input();
    if (owed > 0) Owed_Replies()[MSC.Device()] = owed;
  }
  Timers_Off();
  if (MSC.Is_Open()) MSC.Close();
  Busy_Write = 0;
  Busy_Read = 0;
}

bool Link_Engine::Line_Owed() {
  auto& all = Owed_Replies();
  const auto it = all.find(MSC.Device());
  if (it == all.end()) return false;
  it.value() -= MSC.Discard_Input();
  const bool passed = it.value() <= 0;
  if (!passed && MSC.Line_Quiet_Ms() < link_timing::Line_Settle_Ms) {
    // No receive event until a later look ends the wait, however late the
    // event loop gets to the next one.
    MSC.Hold_Receive(link_timing::Line_Settle_Ms);
    return true;
  }
  all.erase(it);
  MSC.Release_Hold();
  if (passed) Pause(profile_.Pump_Start_Ms);
  return false;
}

void Link_Engine::Show_Busy() const {
  Msg_Box(profile_.Texts.busy.Get(), Msg_Icon::Exclamation, profile_.Texts.busy_title.Get());
}

void Link_Engine::Set_View(QProgressBar* bar, QLabel* label) {
  ProgressBar1 = bar;
  Label_tr_count = label;
}

void Link_Engine::Shut_Down() {
  Busy_Watch watch(this);
  dead_ = true;
  Timers_Off();
  MSC.On_Comm = nullptr;
  MSC.On_Lost = nullptr;
  MSC.Close();
}

void Link_Engine::Timers_Off() {
  Timer1.Set_Enabled(false);
  Timer2.Set_Enabled(false);
  Timer3.Set_Enabled(false);
}

void Link_Engine::Pause(int ms) {
  if (ms > 0) MSC.Hold_Receive(ms);
}

void Link_Engine::Bar(int value, bool visible) {
  if (!ProgressBar1) return;
  ProgressBar1->setVisible(visible);
  ProgressBar1->setValue(std::clamp(value, 0, 100));
}

void Link_Engine::Label(const QString& text) {
  if (Label_tr_count) Label_tr_count->setText(text);
}

QString Link_Engine::Label_Text() const { return Label_tr_count ? Label_tr_count->text() : QString(); }

void Link_Engine::Frame_Set(const std::vector<uint8_t>& bytes) {
  Tx_Len = static_cast<int>(std::min(bytes.size(), Tx_Buf.size()));
  for (int i = 0; i < Tx_Len; ++i) Tx_Buf[i] = bytes[i];
}

// ---- operations -------------------------------------------------------------

void Link_Engine::Port_Setup(int port) {
  MSC.Set_Port_Number(port);
  MSC.Set_Settings("9600,N,8,1");
  MSC.Set_In_Buffer_Size(1024);
}

bool Link_Engine::Port_Open(int port) {
  Take_Over_Port();
  port_ = port;
  return Open_Transfer_Port();
}

bool Link_Engine::Open_Transfer_Port() {
  Port_Error = 0;
  Port_Setup(port_);
  if (profile_.Discard_Output_On_Open) MSC.Discard_Output();
  if (!MSC.Open()) {
    Msg_Box(profile_.Texts.port_error.Get(), Msg_Icon::Exclamation, profile_.Texts.port_title.Get());
    Port_Error = -1;
    return false;
  }
  MSC.Discard_Input();
  return true;
}

void Link_Engine::Send_Start() {
  Tx_Done = 0;
  Tx_Pos = 0;
  Line_Owed();  // from now on, what the line still owes is held back and dropped
  Timer1.Set_Interval(profile_.Pump_Start_Ms);
  Timer1.Set_Enabled(true);
}

void Link_Engine::Read_Start() { Start_Exchange(false); }
void Link_Engine::Write_Start() { Start_Exchange(true); }

void Link_Engine::Start_Exchange(bool write) {
  Busy_Watch watch(this);
  const bool restart = std::exchange(restarting_, false);
  if (dead_ || Busy()) return;
  if (!restart) {
    // One transfer at a time on the line: while another window's transfer
    // is under way (its pause before a retry included) nothing starts, and
    // an exchange that gives way is ended first. The transfer keeps the
    // port chosen now for its restarts, whatever is chosen later.
    if (Any_Busy(this)) return;
    Take_Over_Port();
    port_ = Port_No;
  }
  if (!MSC.Is_Open()) Open_Transfer_Port();
  if (Port_Error == -1) return;
  Link_Up = 0;
  MSC.Discard_Input();
  Link_Phase = 0;
  MSC.Discard_Input();
  Frame_Set(std::vector<uint8_t>(Hand_Cmd.begin(), Hand_Cmd.begin() + 8));
  Write_Mode = write ? -1 : 0;
  Block_No = 0;
  if (write)
    Write_Count = profile_.Write_Count;
  else
    Read_Last = profile_.Read_Last;
  const int base = write ? profile_.Write_Base : profile_.Read_Base;
  Addr_Base = {static_cast<uint8_t>(base >> 8), static_cast<uint8_t>(base & 0xFF)};
  Busy_Write = write ? -1 : 0;
  Busy_Read = write ? 0 : -1;
  Send_Start();
}

void Link_Engine::Command_read_Click() { Button_Start(false); }
void Link_Engine::Command_Write_Click() { Button_Start(true); }

void Link_Engine::Button_Start(bool write) {
  if (dead_) return;
  // Refused while this window's transfer or another's is under way.
  if (Busy() || Any_Busy(this)) {
    Show_Busy();
    return;
  }
  if (Before_Start) Before_Start();
  Retry_Left = std::max(0, write ? profile_.Retry_Write : profile_.Retry_Read);
  if (write)
    Write_Start();
  else
    Read_Start();
  if (Port_Error == 0 && !dead_ && Busy()) {
    if (After_Button_Start) After_Button_Start();
    Bar(0, true);
    Label(profile_.Texts.connecting.Get());
  }
}

void Link_Engine::Password_Codes(std::array<int16_t, 17>& buf, const QString& text, int limit) {
  const QString t = text.trimmed();
  for (int k = 0; k <= 5; ++k) buf[k] = 0x20;
  const int n = std::min<int>({static_cast<int>(t.size()), limit, static_cast<int>(buf.size())});
  // A blank inside the text stands for itself.
  for (int i = 0; i < n; ++i) buf[i] = static_cast<int16_t>(t[i] == ' ' ? 0x20 : Ansi_Code(t[i]));
}

void Link_Engine::Text_PassWord_Change(const QString& text) {
  Password_Codes(Pass_Typed, text, static_cast<int>(Pass_Typed.size()));
}

// ---- timers ---------------------------------------------------------------------

void Link_Engine::Timer1_Timer() {
  if (dead_) return;
  // The first frame after an exchange gave way on this line waits until
  // the reply that exchange asked for has passed: looked at again and again
  // at the pump's start interval.
  if (Tx_Pos == 0 && Line_Owed()) {
    Timer1.Set_Interval(profile_.Pump_Start_Ms);
    return;
  }
  // A pause after an acknowledgement holds the next frame back; it goes out
  // when the pause ends, not a whole tick later.
  if (MSC.Holding()) {
    Timer1.Set_Interval(std::max(1, MSC.Hold_Left_Ms()));
    return;
  }
  if (profile_.Pump_Byte_Tick_Ms > 0) {
    Timer1.Set_Interval(profile_.Pump_Byte_Tick_Ms);
    if (Tx_Pos < Tx_Len) {
      MSC.Output_Byte(static_cast<uint8_t>(Tx_Buf[Tx_Pos] & 0xFF));
      Timer2.Arm(profile_.Watchdog_In_Frame_Ms);
      ++Tx_Pos;
    }
    if (Tx_Pos < Tx_Len) return;
  } else {
    Send_Rest();
  }
  Timer2.Arm(profile_.Watchdog_After_Ms);
  Timer1.Set_Enabled(false);
  Tx_Done = -1;
  Pause(profile_.Frame_Pause_Ms);
}

void Link_Engine::Send_Rest() {
  while (Tx_Pos < Tx_Len) {
    MSC.Output_Byte(static_cast<uint8_t>(Tx_Buf[Tx_Pos] & 0xFF));
    Timer2.Arm(profile_.Watchdog_In_Frame_Ms);
    ++Tx_Pos;
  }
}

void Link_Engine::Timer2_Timer() {
  if (dead_) return;
  Timer1.Set_Enabled(false);
  Timer3.Set_Interval(profile_.Retry_Delay);
  Timer3.Set_Enabled(true);
  if (MSC.Is_Open()) MSC.Close();
  // The attempt is over; the transfer stays busy through the pending retry.
  Busy_Write = 0;
  Busy_Read = 0;
}

bool Link_Engine::Restart_Follows() const {
  const int retry = Write_Mode == -1 ? profile_.Retry_Write : profile_.Retry_Read;
  return retry != No_Retry && Retry_Left >= 1;
}

void Link_Engine::Stop_In_Pause() {
  Busy_Watch watch(this);
  if (dead_ || Attempt_Running() || !Retry_Pending()) return;
  Timers_Off();
  if (!Restart_Follows()) Final_Failure();
}

void Link_Engine::Timer3_Timer() {
  if (dead_) return;
  Timers_Off();
  if (Restart_Follows()) {
    Retry_Left -= 1;
    restarting_ = true;  // taken by the start itself
    if (Write_Mode == -1)
      Write_Start();
    else
      Read_Start();
    restarting_ = false;
    return;
  }
  Final_Failure();
}

void Link_Engine::Port_Lost() {
  // Nothing more can come from a port that has gone: the attempt ends now,
  // the way its last time-out would end it, instead of waiting out the
  // watchdog and retrying on a device that is not there. The port is closed
  // already; an image being read is left as it was.
  if (dead_ || !Attempt_Running()) return;
  Timers_Off();
  Busy_Write = 0;
  Busy_Read = 0;
  Final_Failure();
}

void Link_Engine::Final_Failure() {
  const Fail_Report& f = profile_.Fail;
  const Link_Texts& t = profile_.Texts;
  if (f.hide_bar_first) {
    Bar(0, false);
    Label(QString());
    Busy_Write = 0;
    Busy_Read = 0;
    Msg_Box(t.fail.Get(), Msg_Icon::Exclamation, t.fail_title.Get());
    if (dead_) return;
    Label(t.fail_label.Get());
    return;
  }
  if (f.message) {
    Msg_Box(t.fail.Get(), Msg_Icon::Exclamation, t.fail_title.Get());
    if (dead_) return;
  }
  if (f.bar_zero && ProgressBar1) ProgressBar1->setValue(0);
  if (f.label) Label(t.fail_label.Get());
  if (f.panel2) Status_Set(2, link_text::Fail_Panel.Get());
  if (f.main_panels) {
    Status_Set(3, link_text::Stat_Label.Get());
    Status_Set(4, link_text::Fail_Panel.Get());
  }
}

// ---- receive handler --------------------------------------------------------------

void Link_Engine::MSC_OnComm() {
  if (dead_) return;
  if (Link_Up == -1) {
    if (Write_Mode == -1)
      Write_Data_Phase();
    else
      Read_Data_Phase();
  }
  if (dead_ || Link_Up != 0) return;
  const int threshold = Handshake_Reply_Len() - 1;
  if (MSC.In_Buffer_Count() <= threshold) return;
  for (int k = 0; k <= threshold; ++k) Rx_Bytes[k] = static_cast<uint8_t>(MSC.Read_Byte());
  MSC.Discard_Input();
  if (Link_Phase == 0)
    Ident_Phase();
  else
    Pass_Phase();
}

int Link_Engine::Handshake_Reply_Len() const {
  return Link_Phase == 0 ? proto::Ident_Reply_Len : proto::Pass_Reply_Len;
}

void Link_Engine::Ident_Phase() {
  if (!proto::Ident_Valid(Rx_Bytes.data())) return;  // no reply at all: the watchdog decides
  if (profile_.Ident_Ack == Ident_Ack_Mode::Separate) {
    MSC.Output_Byte(proto::Ack);
    Pause(profile_.Ident_Pause_Ms);
  }
  if (Rx_Bytes[0] == proto::Ack)
    for (int k = 0; k <= 50; ++k) Rx_Bytes[k] = Rx_Bytes[k + 1];
  Decode_Ident();
  After_Ident_Valid();
}

void Link_Engine::Decode_Ident() {
  static constexpr int offs[8] = {0, 3, 16, 19, 32, 35, 40, 43};
  const bool full = profile_.Decode == Ident_Decode_Mode::Full;
  const int limits = full ? 8 : 6;
  for (int k = 0; k < limits; ++k) {
    const int o = offs[k];
    Band_Limits[k] = 100.0 * Rx_Bytes[o] + 10.0 * Rx_Bytes[o + 1] + Rx_Bytes[o + 2];
  }
  Status_Set(8, Limit_Pair(0));
  Status_Set(10, Limit_Pair(1));
  Status_Set(12, Limit_Pair(2));
  if (full) Status_Set(14, Limit_Pair(3));
  Status_Set(2, Byte_Text(&Rx_Bytes[10], 6));
  Status_Set(4, full ? QString() : Byte_Text(&Rx_Bytes[38], 10));
  Status_Set(6, Byte_Text(&Rx_Bytes[26], 6));
}

void Link_Engine::After_Ident_Valid() {
  if (profile_.Pass == Pass_Mode::None) {
    Link_Up = -1;
    Timer2.Set_Enabled(false);
    Timer3.Set_Enabled(false);
    Data_Phase_Begin();
    return;
  }
  Link_Phase = 1;
  Frame_Set(proto::Read_Request(proto::Pass_Addr, 0x10));
  Block_No = 0;
  Send_Start();
  MSC.Discard_Input();
}

bool Link_Engine::Password_Accepted() const {
  int i = 6;
  for (int k = 0; k <= 5; ++k)
    if (Pass_Block[k] != 0x20) {
      i = k;
      break;
    }
  if (i < 6) {
    i = 6;
    for (int k = 0; k <= 5; ++k)
      if (Pass_Typed[k] != Pass_Block[k]) {
        i = k;
        break;
      }
  }
  if (i < 6) {
    i = 6;
    for (int k = 0; k <= 5; ++k)
      if (Pass_Typed[k] != Pass_Block[6 + k]) {
        i = k;
        break;
      }
  }
  return i == 6;
}

void Link_Engine::Pass_Phase() {
  if (profile_.Pass_Ack == Pass_Ack_Mode::Separate) {
    MSC.Output_Byte(proto::Ack);
    Pause(profile_.Pass_Pause_Ms);
  }
  const int p = proto::Find_Mark(Rx_Bytes.data(), 0, proto::Pass_Reply_Len);
  if (p < 0 || p > 9) return;  // dropped: the watchdog decides
  for (int k = 0; k <= 70; ++k) Rx_Bytes[k] = Rx_Bytes[k + p];
  for (int k = 0; k <= 15; ++k) Pass_Block[k] = Rx_Bytes[4 + k];
  if (profile_.Pass == Pass_Mode::Enforced && !Password_Accepted()) {
    MSC.Close();
    Timers_Off();
    Busy_Write = 0;
    Busy_Read = 0;
    Msg_Box(profile_.Texts.pass_error.Get(), Msg_Icon::Exclamation, profile_.Texts.pass_title.Get());
    return;
  }
  Link_Up = -1;
  Timer2.Set_Enabled(false);
  Timer3.Set_Enabled(false);
  Data_Phase_Begin();
}

void Link_Engine::Data_Phase_Begin() {
  const bool lead_ident = profile_.Ident_Ack == Ident_Ack_Mode::Leading;
  const int base = (Addr_Base[0] << 8) | Addr_Base[1];
  if (Write_Mode == 0) {
    const bool lead = profile_.Pass == Pass_Mode::None ? lead_ident
                                                        : profile_.Pass_Ack == Pass_Ack_Mode::Leading;
    Frame_Set(proto::Read_Request(static_cast<uint16_t>(base), proto::Block_Len, lead));
    expected_addr_ = base;
    Block_No = profile_.Read_First;
    Send_Start();
    MSC.Discard_Input();
  } else {
    Block_No = profile_.Write_First;
    Next_Write_Frame(profile_.Pass == Pass_Mode::None && lead_ident);
  }
}

void Link_Engine::Next_Write_Frame(bool leading_ack) {
  const int base = (Addr_Base[0] << 8) | Addr_Base[1];
  std::array<uint8_t, 16> row{};
  if (profile_.Write_Row) {
    row = profile_.Write_Row(Block_No);
  } else {
    const int r = Addr_Base[0] * 16 + Block_No;
    for (int c = 0; c < 16; ++c) row[c] = r >= 0 && r < Image_Rows ? Img_Byte(r, c) : 0xFF;
  }
  Frame_Set(proto::Write_Frame(static_cast<uint16_t>(base + Block_No * 16), row.data(), leading_ack));
  Block_No += 1;
  Send_Start();
}

bool Link_Engine::Take_Read_Reply(int16_t* store) {
  for (int k = 0; k < proto::Read_Reply_Len; ++k) store[k] = static_cast<int16_t>(MSC.Read_Byte());
  MSC.Discard_Input();
  // Only a whole reply to the request that went out counts; anything else is no reply.
  return Whole_Reply_Mark(store, expected_addr_) >= 0;
}

int Link_Engine::Reply_Data_Start(int r) {
  if (Rx_Main[r][0] == proto::Data_Mark) return 4;
  if (Rx_Main[r][1] == proto::Data_Mark) return 5;
  return 4;
}

void Link_Engine::Unpack_Replies(int first, int last, int row) {
  for (int r = first; r <= last; ++r) {
    const int s = Reply_Data_Start(r);
    for (int j = 0; j < 4; ++j)
      for (int c = 0; c < 16; ++c)
        Radio_Image[row + 4 * (r - first) + j][c] = Img_Byte(Rx_Main[r][s + 16 * j + c]);
  }
}

void Link_Engine::Show_Read_Progress(int n) {
  Bar(Percent(n, Read_Last + 1));
  const Link_Texts& t = profile_.Texts;
  Label(t.reading_pre.Get() + QString::number(n) + t.reading_post.Get());
}

void Link_Engine::Read_Data_Phase() {
  if (MSC.In_Buffer_Count() < proto::Read_Reply_Len) return;
  if (Block_No < 0 || Block_No > 256) return;
  if (!Take_Read_Reply(Rx_Main[Block_No].data())) return;  // the watchdog decides
  Timer2.Set_Enabled(false);
  MSC.Output_Byte(proto::Ack);
  if (Block_No > Read_Last) {
    End_Of_Read();
    return;
  }
  const int base = (Addr_Base[0] << 8) | Addr_Base[1];
  const int addr = base + (Block_No - 1) * proto::Block_Len;
  Frame_Set(proto::Read_Request(static_cast<uint16_t>(addr), proto::Block_Len));
  expected_addr_ = addr;
  Send_Start();
  if (profile_.Progress_After_Advance) {
    Block_No += 1;
    Show_Read_Progress(Block_No);
  } else {
    Show_Read_Progress(Block_No);
    Block_No += 1;
  }
}

void Link_Engine::End_Of_Read() {
  Timers_Off();
  Busy_Write = 0;
  Busy_Read = 0;
  if (MSC.Is_Open()) MSC.Close();
  if (profile_.Unpack) profile_.Unpack(*this);
  const Link_Texts& t = profile_.Texts;
  if (profile_.Read_End_Display_First) {
    Bar(100);
    Label(t.read_label.Get());
    Msg_Box(t.read_done.Get(), Msg_Icon::Exclamation, t.read_done_title.Get());
    return;
  }
  Msg_Box(t.read_done.Get(), Msg_Icon::Exclamation, t.read_done_title.Get());
  if (dead_) return;
  Label(t.read_label.Get());
}

void Link_Engine::Show_Write_Progress() {
  Bar(Percent(Block_No, Write_Count));
  const Link_Texts& t = profile_.Texts;
  Label(t.writing_pre.Get() + QString::number(Block_No + profile_.Write_Label_Offset) +
        t.writing_post.Get());
}

void Link_Engine::Write_Data_Phase() {
  const int b = MSC.Read_Byte();
  if (b != proto::Ack || Tx_Done != -1) return;
  Timer2.Set_Enabled(false);
  if (Block_No >= Write_Count) {
    End_Of_Write();
    return;
  }
  Show_Write_Progress();
  Next_Write_Frame(true);
}

void Link_Engine::End_Of_Write() {
  if (MSC.Is_Open()) MSC.Close();
  Timers_Off();
  Busy_Write = 0;
  Busy_Read = 0;
  const Link_Texts& t = profile_.Texts;
  Msg_Box(t.write_done.Get(), Msg_Icon::Exclamation, t.write_done_title.Get());
  if (dead_) return;
  Label(t.write_label.Get());
}
