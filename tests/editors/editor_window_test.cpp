// What every editor window does alike around its transfer.
#include <gtest/gtest.h>

#include <string>

#include "data/shared_state.h"
#include "editors/editor_window.h"
#include "support/msg_recorder.h"

TEST(EditorWindow, BusyRefusalWarnsUnderTheLowerCaseTitle) {
  const int16_t saved = Lang_Flag;
  Lang_Flag = 0;
  Msg_Recorder msgs;
  EXPECT_FALSE(Refuse_While_Busy(false)) << "idle: the command goes on, silently";
  EXPECT_TRUE(msgs.calls.empty());
  EXPECT_TRUE(Refuse_While_Busy(true));
  EXPECT_TRUE(Refuse_While_Busy(true, editor_text::Close_Busy));
  ASSERT_EQ(msgs.calls.size(), 2u);
  EXPECT_EQ(msgs.calls[0].text, "Read-write operating with transceiver .");
  EXPECT_EQ(msgs.calls[1].text, "Read-write operating，don't close the window.,");
  for (const auto& c : msgs.calls) {
    EXPECT_EQ(c.title, "Operate prompt");
    EXPECT_EQ(c.icon, Msg_Icon::Exclamation);
  }
  Lang_Flag = saved;
}

namespace {
struct Poll_Form : Vb_Form {};
}  // namespace

// A file request waits while a transfer runs; an open request is served
// before a save request, and a load that closed the window ends the tick.
TEST(EditorWindow, FileRequestsWaitForTheTransferAndStopWithTheWindow) {
  const struct {
    const char* name;
    bool busy;
    int16_t open, save;
    bool load_unloads;
    const char* served;
    int16_t open_after, save_after;
  } cases[] = {
      {"busy: nothing served", true, 1, 1, false, "", 1, 1},
      {"nothing pending", false, 0, 0, false, "", 0, 0},
      {"open then save", false, -1, 1, false, "LS", 0, 0},
      {"save only", false, 0, 1, false, "S", 0, 0},
      {"the load closed the window", false, 1, 1, true, "L", 0, 1},
  };
  for (const auto& c : cases) {
    auto* w = Forms::Load<Poll_Form>();
    int16_t open = c.open, save = c.save;
    std::string served;
    Serve_File_Requests(
        *w, c.busy, open,
        [&] {
          served += "L";
          if (c.load_unloads) w->Unload();
        },
        save, [&] { served += "S"; });
    EXPECT_EQ(served, c.served) << c.name;
    EXPECT_EQ(open, c.open_after) << c.name;
    EXPECT_EQ(save, c.save_after) << c.name;
    Forms::Unload<Poll_Form>();
  }
}

TEST(EditorWindow, TransferBarAndIdleEngine) {
  QWidget parent;
  QProgressBar* bar = New_Transfer_Bar(&parent);
  EXPECT_EQ(bar->parent(), &parent);
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 100);
  EXPECT_FALSE(bar->isTextVisible());

  Link_Engine e(Link_Profile{});
  e.Timer1.Set_Enabled(true);
  e.Timer2.Set_Enabled(true);
  e.Timer3.Set_Enabled(true);
  e.Write_Mode = e.Link_Up = e.Tx_Done = -1;
  e.Busy_Write = e.Busy_Read = -1;
  e.Block_No = 7;
  Engine_Idle(e);
  EXPECT_FALSE(e.Timer1.Enabled());
  EXPECT_FALSE(e.Timer2.Enabled());
  EXPECT_FALSE(e.Timer3.Enabled());
  EXPECT_EQ(e.Write_Mode, 0);
  EXPECT_EQ(e.Link_Up, 0);
  EXPECT_EQ(e.Tx_Done, 0);
  EXPECT_FALSE(e.Busy());
  EXPECT_EQ(e.Block_No, 7) << "the block number is the window's to set";
}

namespace {
// The six command buttons of an editor window, each handler noting its name.
struct Command_Form : QWidget {
  QPushButton* Command_read = new QPushButton(this);
  QPushButton* Command_Write = new QPushButton(this);
  QPushButton* Command_def = new QPushButton(this);
  QPushButton* Command_open = new QPushButton(this);
  QPushButton* Command_save = new QPushButton(this);
  QPushButton* Command_close = new QPushButton(this);
  std::string clicked;
  void Command_read_Click() { clicked += "read "; }
  void Command_Write_Click() { clicked += "write "; }
  void Command_def_Click() { clicked += "def "; }
  void Command_open_Click() { clicked += "open "; }
  void Command_save_Click() { clicked += "save "; }
  void Command_close_Click() { clicked += "close "; }
};
}  // namespace

TEST(EditorWindow, EachCommandButtonRunsItsOwnHandlerOnce) {
  Command_Form f;
  Connect_Commands(&f);
  for (QPushButton* b : {f.Command_read, f.Command_Write, f.Command_def, f.Command_open, f.Command_save,
                         f.Command_close})
    b->click();
  EXPECT_EQ(f.clicked, "read write def open save close ");
}
