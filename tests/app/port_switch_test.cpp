// One transfer at a time on the line, and each transfer on its own port and
// addresses: choosing another port, or starting another exchange, while a
// transfer runs or waits to retry. Two simulated radios: A on the port in
// use, B on the other one.
#include <QPushButton>
#include <QRadioButton>
#include <stdexcept>

#include "data/image_map.h"
#include "editors/alignment/frm_adj_txp.h"
#include "editors/channel/frm_chann.h"
#include "editors/channel/frm_fm.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "link/chann_link.h"
#include "link/fm_link.h"
#include "link/main_ident.h"
#include "link/password_dialog.h"
#include "link/transfer_dialogs.h"
#include "support/app_fixture.h"
#include "support/sim_fixture.h"
#include "tools/radiosim/start_memory.h"

namespace {
const QString kBusy = "Read-write operating with transceiver .";
constexpr int kPortA = 2;  // where the start-up probe settles: the highest port that opens
constexpr int kPortB = 1;

// A run of 16-byte rows of the radio.
struct Rows {
  int addr;
  int count;
};

// A window's transfer as a user starts it: the window loaded by its
// main-window command, then its Read or Write button.
struct Transfer {
  Link_Engine* engine = nullptr;
  QPushButton* go = nullptr;
};

struct Transfer_Case {
  const char* name;
  std::function<Transfer(MDImain&)> open;
  bool write;
  std::vector<Rows> area;  // the radio rows the transfer asks for or writes
  bool alignment = false;  // its image is the alignment table, not the memory image
  std::vector<Rows> redrawn = {};  // rows the window's redraw after a read rewrites in its own form
};

template <class Window>
std::function<Transfer(MDImain&)> Opened(void (MDImain::*command)(), QPushButton* Window::*button) {
  return [command, button](MDImain& m) {
    (m.*command)();
    auto* f = Forms::Find<Window>();
    return Transfer{f->Engine(), f->*button};
  };
}
template <class Window>
std::function<Transfer(MDImain&)> Editor(void (MDImain::*command)(), bool write) {
  return Opened<Window>(command, write ? &Window::Command_Write : &Window::Command_read);
}
// Starts the transfer as a second one: the window loaded, its button pressed.
template <class Window>
std::function<Link_Engine*(MDImain&)> Pressed(void (MDImain::*command)(), QPushButton* Window::*button) {
  return [open = Opened<Window>(command, button)](MDImain& m) {
    const Transfer t = open(m);
    t.go->click();
    return t.engine;
  };
}

constexpr int kWholeWriteRows = 96;  // the first rows of the whole write: enough to be under way

std::vector<Transfer_Case> Transfer_Cases() {
  // A channel read asks one block more of each area than it keeps.
  const std::vector<Rows> chann{{0x0000, Chann_Count}, {0x1000, Chann_Count}};
  const std::vector<Rows> chann_read{{0x0000, Chann_Count + 4}, {0x1000, Chann_Count + 4}};
  return {
      {"channel read", Editor<frm_chann>(&MDImain::chann_edit_Click, false), false, chann_read},
      {"channel write", Editor<frm_chann>(&MDImain::chann_edit_Click, true), true, chann},
      {"FM read", Editor<frm_FM>(&MDImain::fm_chann_edit_Click, false), false, {{0x3000, 16}}},
      {"FM write", Editor<frm_FM>(&MDImain::fm_chann_edit_Click, true), true, {{0x3000, 16}}},
      // The option editor's redraw puts the VFO records (rows 240..247) in its own form.
      {"option read", Editor<frm_option>(&MDImain::sys_edit_Click, false), false, {{0x0E00, 32}}, false,
       {{0x0F00, 8}}},
      {"option write", Editor<frm_option>(&MDImain::sys_edit_Click, true), true, {{0x0E00, 32}}},
      {"DTMF read", Editor<frm_dtmf>(&MDImain::Sig_dtmf_Click, false), false, {{0x2900, 32}}},
      {"DTMF write", Editor<frm_dtmf>(&MDImain::Sig_dtmf_Click, true), true, {{0x2900, 32}}},
      {"2-tone read", Editor<frm_2tone>(&MDImain::Sig_2tone_Click, false), false, {{0x2D00, 48}}},
      {"2-tone write", Editor<frm_2tone>(&MDImain::Sig_2tone_Click, true), true, {{0x2D00, 48}}},
      {"5-tone read", Editor<frm_5tone>(&MDImain::Sig_5tone_Click, false), false, {{0x2400, 32}}},
      {"5-tone write", Editor<frm_5tone>(&MDImain::Sig_5tone_Click, true), true, {{0x2000, 96}}},
      {"alignment read", Editor<frm_Adj_Txp>(&MDImain::frm_adj_Click, false), false, {{0x3C00, 32}}, true},
      {"alignment write", Editor<frm_Adj_Txp>(&MDImain::frm_adj_Click, true), true, {{0x3D80, 4}}, true},
      {"whole-radio read", Opened<Form_Comm_Read>(&MDImain::Prog_read_Click, &Form_Comm_Read::Command_read),
       false, {{0x0000, 804}}},  // 201 blocks asked, rows 0..787 kept
      {"whole-radio write",
       [](MDImain& m) {
         m.Prog_write_Click();
         auto* d = Forms::Find<Form_Comm_Write>();
         d->Engine()->Profile_Mutable().Write_Count = kWholeWriteRows;
         return Transfer{d->Engine(), d->Command_Write};
       },
       true, {{0x0000, kWholeWriteRows}}},
  };
}

const Transfer_Case& Case_Named(const std::vector<Transfer_Case>& all, const std::string& name) {
  for (const auto& c : all)
    if (name == c.name) return c;
  throw std::runtime_error("no case " + name);
}

bool In(const std::vector<Rows>& rows, int addr) {
  for (const Rows& r : rows)
    if (addr >= r.addr && addr < r.addr + 16 * r.count) return true;
  return false;
}
bool In_Area(const Transfer_Case& c, int addr) { return In(c.area, addr); }

// The image byte that holds radio address addr.
int Image_Byte(const Transfer_Case& c, int addr) {
  if (c.alignment) return Adj_Image[(addr - Adj_Addr) / 16][addr % 16] & 0xFF;
  return Img_Byte(addr / 16, addr % 16);
}

// When the other port is chosen, or a second exchange is started.
enum class Moment { Attempt, Retry_Pause };
const Moment kMoments[] = {Moment::Attempt, Moment::Retry_Pause};
const char* Moment_Name(Moment m) { return m == Moment::Attempt ? "during the transfer" : "in its retry pause"; }
}  // namespace

// The started program with radio A on the port the probe found and radio B
// on another port, the start-up's identification of A over.
class TwoRadios : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    std::string why;
    ASSERT_TRUE(sim_b.Start(&why)) << why;
    Port_Table_Set(kPortB, QString::fromStdString(sim_b.Tty_Path()));
    Port_Table_Set(kPortA, QString::fromStdString(sim.Tty_Path()));
    w = Start_Program();
    ASSERT_TRUE(Spin_Until([&] { return !w->Ident()->Busy(); }, 15000));
    ASSERT_EQ(Port_No, kPortA);
  }
  void TearDown() override {
    Stop_Program(w);
    sim_b.Stop();
    Sim_Test::TearDown();
  }

  // Fresh memories in both radios and empty logs. Radio A holds what the
  // editors show without complaint for a read (the program's start-up
  // memory, no password set), a pattern unlike the image for a write.
  void Fresh_Radios(const Transfer_Case& c, unsigned seed) {
    Forms::Unload_All();
    Let_Events_Run();
    rec.Clear();
    sim.Clear_Faults();
    sim.Clear_Log();
    sim_b.Clear_Log();
    if (c.write) {
      a_before = Random_Memory(seed);
    } else {
      a_before = radiosim::Factory_Memory();
      for (int k = 0; k < 12; ++k) a_before[proto::Pass_Addr + k] = 0x20;
      sim.Set_Memory(a_before);
    }
    std::vector<uint8_t> b(proto::Memory_Size);
    for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<uint8_t>(i * 7 + seed);
    sim_b.Set_Memory(b);
    b_before = sim_b.Memory();
  }

  // Loads the case's window and starts its transfer, quick to time out; for
  // the retry pause, the radio leaves its second answer out.
  Link_Engine* Start(const Transfer_Case& c, Moment m) {
    const Transfer t = c.open(*w);
    Quicken(t.engine->Profile_Mutable());
    if (m == Moment::Retry_Pause)
      sim.Add_Fault({.kind = radiosim::Fault::Silent,
                     .on = c.write ? radiosim::Reply::Write_Ack : radiosim::Reply::Data,
                     .nth = 2});
    t.go->click();
    return t.engine;
  }

  // Waits for the moment: the data phase of an attempt under way, or the
  // pause after its time-out. Whatever follows happens in that same state.
  ::testing::AssertionResult Reach(Link_Engine* e, Moment m) {
    const bool ok = Spin_Until(
        [&] { return m == Moment::Attempt ? e->Link_Up == -1 && e->Attempt_Running() : e->Retry_Pending(); },
        20000);
    return ok ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "never reached";
  }

  // The message the transfer ends with: done, or the final failure of a
  // write that never retries.
  static QString End_Text(const Link_Engine* e, const Transfer_Case& c, Moment m) {
    const Link_Texts& t = e->Profile().Texts;
    if (m == Moment::Retry_Pause && c.write && e->Profile().Retry_Write == No_Retry) return t.fail.Get();
    return c.write ? t.write_done.Get() : t.read_done.Get();
  }

  // Radio A outside the transfer's area as it was, and asked only for the
  // area (and the password row); after a completed write its area holds the
  // image, after a completed read the image holds it.
  void Check_Radio_A(const Transfer_Case& c, bool completed) {
    for (const auto& [addr, len] : Reads())
      if (!(addr == proto::Pass_Addr && len == 16)) {
        EXPECT_TRUE(In_Area(c, addr)) << "read asked for " << addr;
      }
    const auto a = sim.Memory();
    int outside = 0;
    for (int addr = 0; addr < proto::Memory_Size; ++addr)
      if ((!c.write || !In_Area(c, addr)) && a[addr] != a_before[addr]) ++outside;
    EXPECT_EQ(outside, 0) << "bytes of A changed outside the transfer's area";
    if (!completed) return;
    int wrong = 0;
    for (const Rows& r : c.area)
      for (int addr = r.addr; addr < r.addr + 16 * r.count; ++addr) {
        if (!In(c.redrawn, addr)) wrong += a[addr] != Image_Byte(c, addr);
      }
    EXPECT_EQ(wrong, 0) << "bytes of the area where radio A and the image differ";
  }

  void Check_Radio_B_Untouched() {
    EXPECT_EQ(sim_b.Frame_Count(), 0u) << "radio B heard something";
    EXPECT_TRUE(sim_b.Memory() == b_before);
  }

  // The port dialog loaded from its menu item, `port` chosen and confirmed.
  Form_setup* Confirm(int port) {
    w->proc_setup_Click();
    auto* d = Forms::Find<Form_setup>();
    if (!d) throw std::runtime_error("no port dialog");
    d->Option[port]->setChecked(true);
    d->Command_ok->click();
    return d;
  }

  radiosim::Radio_Sim sim_b;
  std::unique_ptr<MDImain> w;
  std::vector<uint8_t> a_before, b_before;
};

// Confirm in the port dialog while a read or a write of any window runs, or
// waits to retry: refused with the busy message, the port stays; the
// transfer goes on with its own rows on radio A to its end, and radio B
// hears nothing.
TEST_F(TwoRadios, ChoosingTheOtherPortIsRefusedWhileATransferRuns) {
  const auto cases = Transfer_Cases();
  unsigned seed = 11;
  for (const Transfer_Case& c : cases)
    for (Moment m : kMoments) {
      SCOPED_TRACE(std::string(c.name) + ", " + Moment_Name(m));
      Fresh_Radios(c, ++seed);
      Link_Engine* e = Start(c, m);
      ASSERT_TRUE(Reach(e, m));
      w->proc_setup_Click();
      auto* d = Forms::Find<Form_setup>();
      ASSERT_NE(d, nullptr);
      d->Option[kPortB]->setChecked(true);
      d->Command_ok->click();
      EXPECT_EQ(rec.Texts(), QStringList{kBusy});
      EXPECT_EQ(Port_No, kPortA) << "the port stays as it was";
      EXPECT_FALSE(d->Unloaded());
      d->Command1->click();
      ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() >= 2; }, 60000));
      const QString end = End_Text(e, c, m);
      EXPECT_EQ(rec.calls[1].text, end);
      EXPECT_FALSE(e->Busy());
      Check_Radio_A(c, end != e->Profile().Texts.fail.Get());
      Check_Radio_B_Untouched();
    }
}

// A second exchange started in another window while a transfer runs, or
// waits to retry: refused (the main window's identification silently, it
// has no message of its own), and the first transfer completes on its own
// rows.
TEST_F(TwoRadios, ASecondTransferIsRefusedWhileOneRuns) {
  const auto cases = Transfer_Cases();
  const struct {
    const char* first;
    const char* second;
    std::function<Link_Engine*(MDImain&)> start;
    bool message;
  } pairs[] = {
      {"whole-radio read", "2-tone read", Pressed<frm_2tone>(&MDImain::Sig_2tone_Click, &frm_2tone::Command_read),
       true},
      {"5-tone write", "option write", Pressed<frm_option>(&MDImain::sys_edit_Click, &frm_option::Command_Write),
       true},
      {"channel read", "whole-radio write",
       Pressed<Form_Comm_Write>(&MDImain::Prog_write_Click, &Form_Comm_Write::Command_Write), true},
      {"DTMF write", "password change",
       Pressed<Form_Write_PassWord>(&MDImain::PC_PassWord_Click, &Form_Write_PassWord::Command_Write), true},
      {"FM write", "DTMF read", Pressed<frm_dtmf>(&MDImain::Sig_dtmf_Click, &frm_dtmf::Command_read), true},
      {"alignment read", "main window's identification",
       [](MDImain& m) -> Link_Engine* {
         m.Ident()->Ident_Start();
         return m.Ident();
       },
       false},
  };
  unsigned seed = 51;
  for (const auto& p : pairs)
    for (Moment m : kMoments) {
      SCOPED_TRACE(std::string(p.first) + ", then " + p.second + " " + Moment_Name(m));
      const Transfer_Case& c = Case_Named(cases, p.first);
      Fresh_Radios(c, ++seed);
      Link_Engine* e = Start(c, m);
      ASSERT_TRUE(Reach(e, m));
      Link_Engine* second = p.start(*w);
      EXPECT_EQ(rec.Texts(), p.message ? QStringList{kBusy} : QStringList{});
      EXPECT_FALSE(second->Busy()) << "the second exchange started";
      EXPECT_FALSE(second->MSC.Is_Open());
      const int before_end = static_cast<int>(rec.calls.size());
      ASSERT_TRUE(Spin_Until([&] { return static_cast<int>(rec.calls.size()) > before_end; }, 60000));
      EXPECT_EQ(rec.calls.back().text, End_Text(e, c, m));
      EXPECT_EQ(rec.calls.size(), size_t(before_end + 1));
      EXPECT_FALSE(e->Busy());
      Check_Radio_A(c, true);
      Check_Radio_B_Untouched();
    }
}

// The main window's identification changes nothing in the radio or the
// image: a transfer started while it runs, or waits to retry, ends it and
// takes the port; no port message, no failure report of the identification.
TEST_F(TwoRadios, ATransferStartedDuringTheIdentificationTakesThePort) {
  const auto cases = Transfer_Cases();
  const Transfer_Case& c = Case_Named(cases, "DTMF read");
  Main_Ident* ident = w->Ident();
  Quicken(ident->Profile_Mutable());
  unsigned seed = 71;
  for (Moment m : kMoments) {
    SCOPED_TRACE(std::string("identification ") + (m == Moment::Attempt ? "waiting for its reply" : "in its retry pause"));
    Fresh_Radios(c, ++seed);
    // The identification's connect command goes unanswered.
    sim.Add_Fault({.kind = radiosim::Fault::Silent, .on = radiosim::Reply::Ident, .nth = 1});
    ident->Ident_Start();
    ASSERT_TRUE(Spin_Until(
        [&] { return m == Moment::Attempt ? Count(radiosim::Frame_Kind::Connect) >= 1 && ident->Attempt_Running()
                                          : ident->Retry_Pending(); },
        20000));
    const Transfer t = c.open(*w);
    t.go->click();
    EXPECT_FALSE(ident->Busy()) << "the identification gave way";
    EXPECT_TRUE(t.engine->Busy());
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
    EXPECT_EQ(rec.Texts(), QStringList{t.engine->Profile().Texts.read_done.Get()});
    Check_Radio_A(c, true);
    EXPECT_FALSE(ident->Busy()) << "no retry of the identification waits";
  }
}

// A retry reopens the port its transfer began on, whatever Port_No holds
// by then: the rest of the rows goes to radio A, not to the radio on the
// port chosen since.
TEST_F(TwoRadios, TheRetryReopensTheTransfersOwnPort) {
  const auto cases = Transfer_Cases();
  const Transfer_Case& c = Case_Named(cases, "DTMF write");
  Fresh_Radios(c, 91);
  const Transfer t = c.open(*w);
  Quicken(t.engine->Profile_Mutable());
  sim.Add_Fault({.kind = radiosim::Fault::Silent, .on = radiosim::Reply::Write_Ack, .nth = 11});
  t.go->click();
  ASSERT_TRUE(Reach(t.engine, Moment::Retry_Pause));
  Port_No = kPortB;
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
  EXPECT_EQ(rec.Texts(), QStringList{t.engine->Profile().Texts.write_done.Get()});
  EXPECT_EQ(t.engine->Transfer_Port(), kPortA);
  Check_Radio_A(c, true);
  Check_Radio_B_Untouched();
}

namespace {
const QString kModelA = "R47X  ";  // the simulator's own
const QString kModelB = "R47XB ";
}  // namespace

// Confirm while the identification waits on a port where no radio answers:
// it ends there silently, the chosen port opens and is kept, and the
// identification talks to the radio there. Radio B got whole frames only.
TEST_F(TwoRadios, ConfirmDuringAnIdentificationTakesTheChosenPort) {
  Main_Ident* ident = w->Ident();
  // A short watchdog and a long pause, so that the pause is there to be met.
  ident->Profile_Mutable().Watchdog_After_Ms = 300;
  ident->Profile_Mutable().Retry_Delay = 5000;
  sim_b.Set_Silent(true);
  const struct {
    const char* name;
    std::function<bool()> reached;
  } moments[] = {
      {"before its first byte", [] { return true; }},
      {"halfway through its connect command", [&] { return ident->Tx_Pos >= 4; }},
      {"waiting for the reply", [&] { return ident->Tx_Done == -1; }},
      {"in its retry pause", [&] { return ident->Retry_Pending(); }},
  };
  for (const auto& m : moments) {
    SCOPED_TRACE(m.name);
    rec.Clear();
    sim.Clear_Log();
    sim_b.Clear_Log();
    Confirm(kPortB);
    ASSERT_EQ(Port_No, kPortB);
    const long long before = ident->MSC.Bytes_Out();
    ASSERT_TRUE(Spin_Until([&] { return ident->Busy() && m.reached(); }, 10000));
    Form_setup* d = Confirm(kPortA);
    const long long to_b = ident->MSC.Bytes_Out() - before;
    EXPECT_EQ(rec.Texts(), QStringList{});
    EXPECT_EQ(Port_No, kPortA);
    EXPECT_TRUE(d->Unloaded());
    ASSERT_TRUE(Spin_Until([&] { return Status_Text(2) == kModelA && !ident->Busy(); }, 10000));
    EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 1);
    Check_Whole_Frames(sim_b, to_b, false);
    EXPECT_EQ(to_b % 8, 0) << "radio B got part of a connect command";
  }
}

// Ten quick choices between two answering radios, each made while the
// identification on the port chosen before is halfway through its connect
// command: the last choice is the port kept, its radio's model shown, and
// neither radio got part of a frame.
TEST_F(TwoRadios, QuickChoicesEndOnTheLastOne) {
  Main_Ident* ident = w->Ident();
  sim_b.Set_Ident({136, 174, 136, 174, 400, 480, 400, 480}, kModelB.toStdString(), "V2.00 ");
  sim.Clear_Log();
  sim_b.Clear_Log();
  const long long before = ident->MSC.Bytes_Out();
  for (int i = 0; i < 10; ++i) {
    const int port = i % 2 == 0 ? kPortB : kPortA;
    SCOPED_TRACE(i);
    Confirm(port);
    EXPECT_EQ(Port_No, port);
    ASSERT_TRUE(Spin_Until([&] { return ident->Tx_Pos >= 4 || !ident->Busy(); }, 10000));
  }
  EXPECT_EQ(rec.Texts(), QStringList{});
  ASSERT_TRUE(Spin_Until([&] { return !ident->Busy(); }, 10000));
  EXPECT_EQ(Port_No, kPortA);
  EXPECT_EQ(Status_Text(2), kModelA);
  const long long sent = ident->MSC.Bytes_Out() - before;
  EXPECT_TRUE(Spin_Until([&] { return Logged_Bytes(sim) + Logged_Bytes(sim_b) >= sent; }, 3000));
  Check_Whole_Frames(sim, Logged_Bytes(sim));
  Check_Whole_Frames(sim_b, Logged_Bytes(sim_b));
}

// A write pressed while the identification that a Confirm started talks to
// the radio: the identification gives way without leaving the write a
// fragment of its connect command or any of its reply, and the write
// completes in its first attempt.
TEST_F(TwoRadios, AWriteDuringTheIdentificationCompletesInItsFirstAttempt) {
  const auto cases = Transfer_Cases();
  Main_Ident* ident = w->Ident();
  unsigned seed = 131;
  for (const char* name : {"DTMF write", "whole-radio write"})
    for (const auto& m : Handshake_Moments()) {
      SCOPED_TRACE(std::string(name) + " pressed " + m.name);
      const Transfer_Case& c = Case_Named(cases, name);
      Fresh_Radios(c, ++seed);
      Arrange(m);
      const Transfer t = c.open(*w);
      const long long before = ident->MSC.Bytes_Out();
      Confirm(kPortA);
      ASSERT_TRUE(Reach_Handshake(*ident, m));
      t.go->click();
      sim.Set_Paced(false);
      EXPECT_FALSE(ident->Busy()) << "the identification gave way";
      ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
      EXPECT_EQ(rec.Texts(), QStringList{t.engine->Profile().Texts.write_done.Get()});
      EXPECT_EQ(t.engine->Retry_Left, std::max(0, t.engine->Profile().Retry_Write)) << "it took a retry";
      Check_Radio_A(c, true);
      Check_Whole_Frames(sim, ident->MSC.Bytes_Out() - before + t.engine->MSC.Bytes_Out());
      EXPECT_LE(Count(radiosim::Frame_Kind::Connect), 2);
      Check_Radio_B_Untouched();
    }
}
