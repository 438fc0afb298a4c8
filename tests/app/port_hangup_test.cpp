// A serial line that hangs up in the middle of a transfer: the cable pulled
// or the adapter unplugged while the channel editor reads from the radio.
#include <QLabel>

#include <atomic>
#include <memory>

#include "data/tone_table.h"
#include "editors/channel/frm_chann.h"
#include "link/chann_link.h"
#include "support/pty_line.h"
#include "support/sim_fixture.h"

class PortHangUp : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    Tone_Init();
    Chann_Count = 200;
  }
  // Members, so that they outlive the simulator's thread, which calls back
  // into them until the fixture stops it.
  std::unique_ptr<Pty_Line> line;
  std::atomic<int> reads{0};
};

// The read fails at once, the way a time-out that ends it fails: one failure
// message, the failure shown in the status bar, the image untouched. It does
// not wait for the watchdog (set far beyond the wait here), and the window's
// thread does not spin on the dead line meanwhile.
TEST_F(PortHangUp, AReadCutOffPartWayFailsAtOnceWithoutSpinning) {
  Random_Memory();
  line = std::make_unique<Pty_Line>(sim.Tty_Path());
  ASSERT_TRUE(line->Ok());
  Port_Table_Set(1, QString::fromStdString(line->Device()));
  // The line goes as the radio takes its third block request.
  sim.Set_On_Frame([this](const radiosim::Frame& f) {
    if (f.kind == radiosim::Frame_Kind::Read && f.len == proto::Block_Len && ++reads == 3) line->Hang_Up();
  });
  auto* w = Forms::Reload<frm_chann>();
  Link_Profile& p = w->Engine()->Profile_Mutable();
  p = Patient(p);
  Radio_Image = Marked_Image();
  const Image_Table before = Radio_Image;
  w->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return line->Hung_Up(); }, 10000)) << "the read never got under way";
  const double cpu_before = Thread_Cpu_Seconds();

  // 8 s of watchdog, then retries: a failure within this bound is not a time-out's.
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 4000)) << "the failure waited for the watchdog";
  Spin_For(300);
  EXPECT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."});
  EXPECT_EQ(Status_Text(2), "Communication fault.");
  EXPECT_EQ(Radio_Image, before) << "a read cut off part-way changed the image";
  EXPECT_TRUE(Transfer_Idle(w)) << "no retry follows on a line that is gone";
  EXPECT_FALSE(w->Engine()->MSC.Is_Open());
  EXPECT_LT(Thread_Cpu_Seconds() - cpu_before, 0.25) << "the window's thread kept polling the dead line";
}
