// Times a whole-radio read and a whole-radio write against the simulated
// radio pacing its line at a true 9600 bit/s, and prints each beside its
// protocol floor (bench_common.h): the time its bytes need on the wire (10
// bits a byte, every byte both ways) plus the waits the exchange prescribes.
//
//   link_bench            both transfers
//   link_bench --read     the read only
//   link_bench --write    the write only

#include <QApplication>
#include <cstdio>
#include <cstring>

#include "link/transfer_dialogs.h"
#include "tools/bench/bench_common.h"

namespace {
template <class Dialog>
bool Run(const char* name, radiosim::Radio_Sim& sim, void (Dialog::*go)()) {
  bench::Timed_Transfer run(sim);
  auto* d = Forms::Reload<Dialog>();
  run.Run([&] { (d->*go)(); }, 300000);
  const bool done = run.Report(name, sim, d->Engine()->Profile());
  d->Unload();
  return done;
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bool only_read = argc > 1 && std::strcmp(argv[1], "--read") == 0;
  const bool only_write = argc > 1 && std::strcmp(argv[1], "--write") == 0;

  radiosim::Radio_Sim sim;
  if (!bench::Start_Paced_Sim(sim)) return 1;

  bool ok = true;
  if (!only_write) ok = Run<Form_Comm_Read>("read", sim, &Form_Comm_Read::Command_read_Click) && ok;
  if (!only_read) ok = Run<Form_Comm_Write>("write", sim, &Form_Comm_Write::Command_Write_Click) && ok;
  sim.Stop();
  return ok ? 0 : 1;
}
