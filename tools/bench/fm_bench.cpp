// Times the FM preset editor's read and write against the simulated radio
// pacing its line at a true 9600 bit/s, and prints each beside its floor:
// the time its bytes need on the wire (10 bits a byte, every byte both ways)
// plus the send pump's start for every frame the program sends (and what the
// pauses after the identification and password replies add to it).

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "data/image_map.h"
#include "data/shared_state.h"
#include "editors/channel/fm_record.h"
#include "editors/channel/frm_fm.h"
#include "link/protocol.h"
#include "platform/msg_box.h"
#include "platform/port_table.h"
#include "tools/radiosim/radio_sim.h"

namespace {
bool Spin_Until(const std::function<bool()>& pred, int ms) {
  QElapsedTimer t;
  t.start();
  while (!pred()) {
    if (t.elapsed() > ms) return false;
    QEventLoop loop;
    QTimer::singleShot(1, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

bool Run(const char* name, radiosim::Radio_Sim& sim, bool write) {
  sim.Clear_Log();
  QString result;
  Msg_Set_Handler([&](const Msg_Call& c) {
    result = c.text;
    return Msg_Answer::Ok;
  });
  auto* f = Forms::Reload<frm_FM>();
  const Link_Profile& p = f->Engine()->Profile();
  QElapsedTimer t;
  t.start();
  if (write)
    f->Command_Write_Click();
  else
    f->Command_read_Click();
  const bool done = Spin_Until([&] { return !result.isEmpty(); }, 60000);
  const double secs = t.elapsed() / 1000.0;
  Spin_Until([&] { return false; }, 50);
  const auto n = sim.Counts();
  int pumped = 0;
  for (const auto& fr : sim.Frames())
    pumped += fr.kind == radiosim::Frame_Kind::Connect || fr.kind == radiosim::Frame_Kind::Read ||
              fr.kind == radiosim::Frame_Kind::Write;
  const double wire = static_cast<double>(proto::Wire_Micros(n.rx_bytes + n.tx_bytes)) / 1e6;
  // A pause after an acknowledgement runs alongside the next frame's pump
  // start; only its excess over the pump start adds.
  const int pauses = std::max(0, p.Ident_Pause_Ms - p.Pump_Start_Ms) +
                     std::max(0, p.Pass_Pause_Ms - p.Pump_Start_Ms);
  const double floor = wire + (pumped * p.Pump_Start_Ms + pauses) / 1000.0;
  std::printf("%-9s %6.3f s   floor %6.3f s (wire %6.3f s, %d frames)   ratio %.3f   %s\n", name, secs,
              floor, wire, pumped, floor > 0 ? secs / floor : 0.0,
              done ? result.toUtf8().constData() : "did not finish");
  f->Unload();
  Msg_Set_Handler(nullptr);
  return done;
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  radiosim::Radio_Sim sim;
  std::string why;
  if (!sim.Start(&why)) {
    std::fprintf(stderr, "no pseudo-terminal: %s\n", why.c_str());
    return 1;
  }
  sim.Set_Paced(true);
  Port_Table_Set(1, QString::fromStdString(sim.Tty_Path()));
  Port_No = 1;
  for (int i = 0; i < 8; ++i) Hand_Cmd[i] = proto::Connect_Command[i];
  Image_Fill();
  Fm_Default();

  bool ok = Run("FM read", sim, false);
  ok = Run("FM write", sim, true) && ok;
  sim.Stop();
  return ok ? 0 : 1;
}
