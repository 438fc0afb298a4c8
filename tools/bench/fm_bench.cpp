// Times the FM preset editor's read and write against the simulated radio
// pacing its line at a true 9600 bit/s, and prints each beside its floor:
// the time its bytes need on the wire (10 bits a byte, every byte both ways)
// plus the send pump's start for every frame the program sends (and what the
// pauses after the identification and password replies add to it).

#include <QApplication>
#include <algorithm>
#include <cstdio>

#include "data/image_map.h"
#include "data/shared_state.h"
#include "editors/channel/fm_record.h"
#include "editors/channel/frm_fm.h"
#include "link/protocol.h"
#include "tools/bench/bench_common.h"

namespace {
bool Run(const char* name, radiosim::Radio_Sim& sim, bool write) {
  bench::Timed_Transfer run(sim);
  auto* f = Forms::Reload<frm_FM>();
  const Link_Profile& p = f->Engine()->Profile();
  const bool done = run.Run([&] { write ? f->Command_Write_Click() : f->Command_read_Click(); }, 60000);
  const double secs = run.Secs();
  // The frames the send pump carried: the connect command, the requests and
  // the rows (not the lone acknowledgements, the end frame or stray bytes).
  int pumped = 0;
  for (const auto& fr : sim.Frames())
    pumped += fr.kind == radiosim::Frame_Kind::Connect || fr.kind == radiosim::Frame_Kind::Read ||
              fr.kind == radiosim::Frame_Kind::Write;
  const double wire = bench::Wire_Secs(sim.Counts());
  // A pause after an acknowledgement runs alongside the next frame's pump
  // start; only its excess over the pump start adds.
  const int pauses = std::max(0, p.Ident_Pause_Ms - p.Pump_Start_Ms) +
                     std::max(0, p.Pass_Pause_Ms - p.Pump_Start_Ms);
  const double floor = wire + (pumped * p.Pump_Start_Ms + pauses) / 1000.0;
  std::printf("%-9s %6.3f s   floor %6.3f s (wire %6.3f s, %d frames)   ratio %.3f   %s\n", name, secs,
              floor, wire, pumped, floor > 0 ? secs / floor : 0.0,
              run.Outcome().constData());
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
