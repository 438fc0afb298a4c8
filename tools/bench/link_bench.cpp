// Times a whole-radio read and a whole-radio write against the simulated
// radio pacing its line at a true 9600 bit/s, and prints each beside the time
// its bytes need on the wire (10 bits a byte, every byte both ways).
//
//   link_bench            both transfers
//   link_bench --read     the read only
//   link_bench --write    the write only

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "data/shared_state.h"
#include "link/protocol.h"
#include "link/transfer_dialogs.h"
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

template <class Dialog>
bool Run(const char* name, radiosim::Radio_Sim& sim, void (Dialog::*go)()) {
  sim.Clear_Log();
  QString result;
  Msg_Set_Handler([&](const Msg_Call& c) {
    result = c.text;
    return Msg_Answer::Ok;
  });
  auto* d = Forms::Reload<Dialog>();
  QElapsedTimer t;
  t.start();
  (d->*go)();
  const bool done = Spin_Until([&] { return !result.isEmpty(); }, 300000);
  const double secs = t.elapsed() / 1000.0;
  // Let the last acknowledgement reach the radio before counting.
  Spin_Until([&] { return false; }, 50);
  const auto n = sim.Counts();
  const double wire = static_cast<double>(proto::Wire_Micros(n.rx_bytes + n.tx_bytes)) / 1e6;
  std::printf("%-6s %8.2f s   wire %8.2f s   ratio %.2f   (%lld bytes out, %lld bytes back)  %s\n", name,
              secs, wire, wire > 0 ? secs / wire : 0.0, n.rx_bytes, n.tx_bytes,
              done ? result.toUtf8().constData() : "did not finish");
  d->Unload();
  Msg_Set_Handler(nullptr);
  return done;
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bool only_read = argc > 1 && std::strcmp(argv[1], "--read") == 0;
  const bool only_write = argc > 1 && std::strcmp(argv[1], "--write") == 0;

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

  bool ok = true;
  if (!only_write) ok = Run<Form_Comm_Read>("read", sim, &Form_Comm_Read::Command_read_Click) && ok;
  if (!only_read) ok = Run<Form_Comm_Write>("write", sim, &Form_Comm_Write::Command_Write_Click) && ok;
  sim.Stop();
  return ok ? 0 : 1;
}
