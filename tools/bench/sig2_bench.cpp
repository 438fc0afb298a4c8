// Times the DTMF and 2-tone editors: each window's redraw from the image, and
// its read and write against the simulated radio pacing its line at a true
// 9600 bit/s, each transfer printed beside its protocol floor
// (bench_common.h): the time its bytes need on the wire (10 bits a byte,
// every byte both ways) plus the waits the exchange itself prescribes (the
// send pump's start before each frame, the pauses after the identification
// and password acknowledgements).
//
//   sig2_bench              everything
//   sig2_bench --redraw     the redraws only

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <array>
#include <cstring>
#include <functional>

#include "app/lang_texts.h"
#include "data/image_map.h"
#include "data/shared_state.h"
#include "editors/signalling/dtmf_area.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "editors/signalling/tone2_area.h"
#include "link/link_engine.h"
#include "tools/bench/bench_common.h"

namespace {
// The mean time of one redraw, over enough runs to be steady. Every run
// draws an area that differs from the one on the screen in every byte the
// window shows, so each control changes and each handler runs.
void Redraw(const char* name, const Image_Area& area, const std::function<void()>& show) {
  constexpr int runs = 200;
  std::array<Image_Table, 2> images;
  images[0] = Radio_Image;
  for (int r = area.first_row; r <= area.last_row; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = static_cast<int16_t>((r + 3 * c) % 10);
  images[1] = Radio_Image;
  show();
  QElapsedTimer t;
  t.start();
  for (int i = 0; i < runs; ++i) {
    Radio_Image = images[i % 2];
    show();
  }
  const double ms = t.nsecsElapsed() / 1e6 / runs;
  std::printf("%-8s redraw %8.3f ms   (aim: under 20 ms)\n", name, ms);
}

bool Transfer(const char* name, radiosim::Radio_Sim& sim, Link_Engine* engine, bool write) {
  bench::Timed_Transfer run(sim);
  run.Run([&] { write ? engine->Command_Write_Click() : engine->Command_read_Click(); }, 120000);
  return run.Report(name, sim, engine->Profile());
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bool only_redraw = argc > 1 && std::strcmp(argv[1], "--redraw") == 0;

  Image_Fill();
  Dtmf_Default();
  Tone2_Default();
  Text_Lang();
  auto* dtmf = Forms::Load<frm_dtmf>();
  auto* tone2 = Forms::Load<frm_2tone>();
  Redraw("DTMF", Dtmf_Area, [dtmf] { dtmf->Dtmf_Show(); });
  Redraw("2 TONE", Tone2_Area, [tone2] { tone2->Tone2_Show(); });
  if (only_redraw) return 0;

  radiosim::Radio_Sim sim;
  if (!bench::Start_Paced_Sim(sim)) return 1;

  bool ok = true;
  ok = Transfer("DTMF read", sim, dtmf->Engine(), false) && ok;
  ok = Transfer("DTMF write", sim, dtmf->Engine(), true) && ok;
  ok = Transfer("2 TONE read", sim, tone2->Engine(), false) && ok;
  ok = Transfer("2 TONE write", sim, tone2->Engine(), true) && ok;
  Forms::Unload_All();
  sim.Stop();
  return ok ? 0 : 1;
}
