// The program's exit while the radio is being read or written: the menu's
// Exit items, the toolbar's exit button and the main window's close box,
// against the simulated radio.
#include <QAction>
#include <QPushButton>
#include <QToolBar>
#include <set>

#include "data/image_map.h"
#include "editors/channel/frm_chann.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "link/chann_link.h"
#include "link/transfer_dialogs.h"
#include "support/app_fixture.h"
#include "support/sim_fixture.h"

namespace {
const QString kBusy = "Read-write operating with transceiver .";

struct Exit_Path {
  const char* name;
  std::function<void(MDImain&)> go;
};
const Exit_Path kExits[] = {
    {"menu bar Exit", [](MDImain& w) { w.Item("Menu_Exit")->trigger(); }},
    {"File > Exit", [](MDImain& w) { w.Item("File_exit")->trigger(); }},
    {"toolbar exit", [](MDImain& w) { w.Toolbar1->findChild<QAction*>("exit")->trigger(); }},
    {"close box", [](MDImain& w) { w.close(); }},
};

std::set<int> Rows_From(int base, int count) {
  std::set<int> out;
  for (int k = 0; k < count; ++k) out.insert(base + 16 * k);
  return out;
}

// An editor whose write is under test.
struct Editor {
  Link_Engine* engine;
  QPushButton* write;
  std::set<int> area;  // the radio addresses of the rows the write sends
};

// An editor loaded by a main-window command, whose write sends the rows of
// its profile's area.
template <class Window>
Editor Open_Editor(MDImain& m, void (MDImain::*command)()) {
  (m.*command)();
  auto* f = Forms::Find<Window>();
  const auto& p = f->Engine()->Profile();
  return Editor{f->Engine(), f->Command_Write, Rows_From(p.Write_Base, p.Write_Count)};
}
}  // namespace

// The started program, the simulated radio on COM1, the start-up's
// identification of it over.
class ProgramExit : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    Start();
  }
  void TearDown() override {
    Stop_Program(w);
    Sim_Test::TearDown();
  }
  void Start() {
    Stop_Program(w);
    w = Start_Program();
    ASSERT_TRUE(Spin_Until([&] { return !w->Ident()->Busy(); }, 15000));
    rec.Clear();
    sim.Clear_Log();
  }
  // The addresses written in the last session the radio saw.
  std::set<int> Written() const {
    const auto frames = sim.Frames();
    size_t from = 0;
    for (size_t i = 0; i < frames.size(); ++i)
      if (frames[i].kind == radiosim::Frame_Kind::Connect) from = i;
    std::set<int> out;
    for (size_t i = from; i < frames.size(); ++i)
      if (frames[i].kind == radiosim::Frame_Kind::Write && !frames[i].ignored) out.insert(frames[i].addr);
    return out;
  }
  std::unique_ptr<MDImain> w;
};

// Each way out, tried during an editor's write: refused with the busy
// message; the program and the editor stay, and the write runs to its end.
TEST_F(ProgramExit, EveryExitIsRefusedWhileAnEditorWritesAndTheWriteCompletes) {
  struct Case {
    Exit_Path exit;
    std::function<Editor(MDImain&)> open;
  } cases[] = {
      {kExits[0], [](MDImain& m) { return Open_Editor<frm_dtmf>(m, &MDImain::Sig_dtmf_Click); }},
      {kExits[1], [](MDImain& m) { return Open_Editor<frm_2tone>(m, &MDImain::Sig_2tone_Click); }},
      // The toolbar's exit button unloads the channel and option editors
      // itself before it ends the program.
      {kExits[2],
       [](MDImain&) {
         auto* f = Forms::Find<frm_chann>();
         std::set<int> area = Rows_From(0x0000, Chann_Count);
         area.merge(Rows_From(0x1000, Chann_Count));
         return Editor{f->Engine(), f->Command_Write, area};
       }},
      {kExits[3], [](MDImain& m) { return Open_Editor<frm_option>(m, &MDImain::sys_edit_Click); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.exit.name);
    Start();
    Editor e = c.open(*w);
    ASSERT_NE(e.engine, nullptr);
    QPointer<Link_Engine> engine = e.engine;
    e.write->click();
    ASSERT_TRUE(Spin_Until([&] { return Count(radiosim::Frame_Kind::Write) >= 3; }, 10000));
    ASSERT_TRUE(e.engine->Busy());

    c.exit.go(*w);
    ASSERT_EQ(rec.Texts(), QStringList{kBusy});
    EXPECT_EQ(rec.calls[0].title, "Operate prompt");
    EXPECT_EQ(rec.calls[0].icon, Msg_Icon::Exclamation);
    EXPECT_TRUE(w->isVisible());
    ASSERT_FALSE(engine.isNull());
    EXPECT_FALSE(engine->Dead()) << "the editor's transfer goes on";

    ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() >= 2; }, 30000));
    EXPECT_EQ(rec.calls[1].text, e.engine->Profile().Texts.write_done.Get());
    ASSERT_TRUE(Spin_Until([&] { return Written().size() >= e.area.size(); }, 3000));
    EXPECT_EQ(Written(), e.area) << "the radio got the whole area";

    // Once the write is over, the same way out ends the program.
    c.exit.go(*w);
    EXPECT_EQ(rec.calls.size(), 2u);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(engine.isNull() || engine->Dead());
  }
}

// The whole-radio dialogs hold the exit up too: the write while it runs,
// the read also in its pause between a time-out and the retry.
TEST_F(ProgramExit, AWholeRadioWriteOrAReadWaitingToRetryHoldsTheExitUp) {
  Random_Memory(3);
  {
    SCOPED_TRACE("write");
    Link_Profile p = Patient(Comm_Write_Profile());
    p.Write_Count = 96;  // the first 96 rows: enough to be under way
    auto* d = Forms::Reload<Form_Comm_Write>(p);
    d->Command_Write->click();
    ASSERT_TRUE(Spin_Until([&] { return Count(radiosim::Frame_Kind::Write) >= 3; }, 10000));
    kExits[3].go(*w);
    ASSERT_EQ(rec.Texts(), QStringList{kBusy});
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(d->Unloaded());
    ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() >= 2; }, 30000));
    EXPECT_EQ(rec.calls[1].text, "Complete Written the data to transceiver.");
    ASSERT_TRUE(Spin_Until([&] { return Written().size() >= 96; }, 3000));
    EXPECT_EQ(Written(), Rows_From(0x0000, 96));
  }
  {
    SCOPED_TRACE("read in its retry pause");
    const auto mem = Random_Memory(4);
    rec.Clear();
    sim.Clear_Log();
    auto* d = Read_Into_Retry_Pause<Form_Comm_Read>(Comm_Read_Profile());
    ASSERT_NE(d, nullptr);
    kExits[0].go(*w);
    ASSERT_EQ(rec.Texts(), QStringList{kBusy});
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(d->Unloaded());
    ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() >= 2; }, 30000));
    EXPECT_EQ(rec.calls[1].text, "Complete reading data from the transceiver.") << "the retry read it all";
    for (int r = 0; r <= 787; ++r)
      for (int c = 0; c < 16; ++c) ASSERT_EQ(Img_Byte(r, c), mem[r * 16 + c]) << r << "," << c;
  }
}

// Identifying the radio is no transfer that holds the exit up: with a
// silent radio it would go on for half a minute.
TEST_F(ProgramExit, TheMainWindowsIdentificationDoesNotHoldTheExitUp) {
  sim.Set_Silent(true);
  w->Ident()->Ident_Start();
  ASSERT_TRUE(w->Ident()->Busy());
  kExits[0].go(*w);
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_FALSE(w->isVisible());
  EXPECT_TRUE(w->Ident()->Dead());
  EXPECT_EQ(Forms::Find<frm_chann>(), nullptr);
}
