// Times the FM preset editor's read and write against the simulated radio
// pacing its line at a true 9600 bit/s, and prints each beside its protocol
// floor (bench_common.h): the time its bytes need on the wire (10 bits a
// byte, every byte both ways) plus the send pump's start for every frame the
// program sends (and what the pauses after the identification and password
// replies add to it).

#include <QApplication>
#include <cstdio>

#include "data/image_map.h"
#include "data/shared_state.h"
#include "editors/channel/fm_record.h"
#include "editors/channel/frm_fm.h"
#include "tools/bench/bench_common.h"

namespace {
bool Run(const char* name, radiosim::Radio_Sim& sim, bool write) {
  bench::Timed_Transfer run(sim);
  auto* f = Forms::Reload<frm_FM>();
  run.Run([&] { write ? f->Command_Write_Click() : f->Command_read_Click(); }, 60000);
  const bool done = run.Report(name, sim, f->Engine()->Profile());
  f->Unload();
  return done;
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  radiosim::Radio_Sim sim;
  if (!bench::Start_Paced_Sim(sim)) return 1;
  Image_Fill();
  Fm_Default();

  bool ok = Run("FM read", sim, false);
  ok = Run("FM write", sim, true) && ok;
  sim.Stop();
  return ok ? 0 : 1;
}
