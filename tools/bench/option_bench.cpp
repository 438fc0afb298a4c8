// Times the option editor: a full redraw of its window (every list and box),
// and its read and write against the simulated radio pacing its line at a
// true 9600 bit/s, each beside its protocol floor (bench_common.h): the bytes
// on the wire plus the pauses the radio needs (the send pump's start before
// every frame, the pause after every frame, which the frame and its reply may
// fill, and the pauses after the identification and password
// acknowledgements).
//
//   option_bench            everything
//   option_bench --redraw   the redraw only

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "data/image_map.h"
#include "data/opt_default.h"
#include "data/opt_positions.h"
#include "data/shared_state.h"
#include "data/tone_table.h"
#include "editors/options/frm_option.h"
#include "tools/bench/bench_common.h"

namespace {
bool Transfer(const char* name, radiosim::Radio_Sim& sim, frm_option* f, bool write) {
  bench::Timed_Transfer run(sim);
  run.Run([&] { write ? f->Command_Write_Click() : f->Command_read_Click(); }, 120000);
  return run.Report(name, sim, f->Engine()->Profile());
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bool only_redraw = argc > 1 && std::strcmp(argv[1], "--redraw") == 0;

  Tone_Init();
  Opt_PosInit();
  Image_Fill();
  Opt_Default();
  auto* f = Forms::Load<frm_option>();

  // Full redraws: the factory image, then an erased one (every value
  // normalised), each alone and with the window painted afterwards.
  for (bool paint : {false, true}) {
    for (bool erased : {false, true}) {
      Opt_Default();
      constexpr int runs = 50;
      double worst = 0, total = 0;
      for (int i = 0; i < runs; ++i) {
        if (erased)
          for (int r = 224; r <= 255; ++r)
            for (int c = 0; c < 16; ++c) Radio_Image[r][c] = 0xFF;
        QElapsedTimer t;
        t.start();
        f->Opt_Show();
        if (paint) (void)f->grab();
        const double ms = t.nsecsElapsed() / 1e6;
        worst = std::max(worst, ms);
        total += ms;
      }
      std::printf("redraw%s (%s)   mean %6.2f ms   worst %6.2f ms   (%d runs)\n", paint ? "+paint" : "      ",
                  erased ? "erased " : "factory", total / runs, worst, runs);
    }
  }
  if (only_redraw) return 0;

  radiosim::Radio_Sim sim;
  if (!bench::Start_Paced_Sim(sim)) return 1;

  bool ok = Transfer("read", sim, f, false);
  ok = Transfer("write", sim, f, true) && ok;
  f->Unload();
  sim.Stop();
  return ok ? 0 : 1;
}
