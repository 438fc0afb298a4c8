// Times the channel editor: the full redraw of its grid (Row_Show of the 200
// channels and the grid fill), and its read and write of the channel and
// name areas against the simulated radio pacing its line at a true 9600
// bit/s. Each transfer is printed beside its protocol floor (bench_common.h):
// the time its bytes need on the wire (10 bits a byte, every byte both ways)
// plus the send pump's start for every frame the program sends through it and
// the waits after the handshake acknowledgements.
//
//   chann_bench            everything
//   chann_bench --redraw   the redraw only
//   chann_bench --read     the read only
//   chann_bench --write    the write only

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "data/chann_default.h"
#include "data/freq_codec.h"
#include "data/image_map.h"
#include "data/shared_state.h"
#include "data/tone_table.h"
#include "editors/channel/frm_chann.h"
#include "link/chann_link.h"
#include "tools/bench/bench_common.h"

namespace {
// Every channel in use, with tones, settings and a name, so that every cell
// of the grid has a text to draw.
void Full_Table(int variant) {
  for (int ch = 0; ch < 200; ++ch) {
    QString f = QString::number(136 + ch * 0.1 + variant * 0.0125, 'f', 5);
    Freq_Put(f, ch, 0);
    Freq_Put(f, ch, 4);
    Radio_Image[ch][8] = static_cast<int16_t>(ch % 2 ? 0x9E : 0x17);
    Radio_Image[ch][9] = static_cast<int16_t>(ch % 2 ? 0x02 : 0x00);
    Radio_Image[ch][10] = 0x75;
    Radio_Image[ch][11] = 0x03;
    for (int c = 12; c <= 15; ++c) Radio_Image[ch][c] = static_cast<int16_t>((ch + variant) % 3);
    const QByteArray name = QString("CH%1%2").arg(ch).arg(variant ? "B" : "A").toLatin1();
    for (int c = 0; c < 16; ++c) Radio_Image[256 + ch][c] = c < name.size() ? name[c] : 0xFF;
  }
}

void Redraw_Bench() {
  // Two tables that differ in every cell, drawn in turn: every redraw
  // rewrites every cell.
  Full_Table(0);
  const Image_Table a = Radio_Image;
  Full_Table(1);
  const Image_Table b = Radio_Image;
  auto* w = Forms::Reload<frm_chann>();
  std::vector<double> ms;
  for (int i = 0; i < 50; ++i) {
    Radio_Image = i % 2 ? a : b;
    QElapsedTimer t;
    t.start();
    w->Full_Redraw();
    QApplication::processEvents();  // the grid paints what changed
    ms.push_back(t.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("redraw  median %6.2f ms   best %6.2f ms   worst %6.2f ms   (200 Row_Show + grid fill, aim < 20 ms)\n",
              ms[ms.size() / 2], ms.front(), ms.back());
  w->Unload();
}

bool Transfer_Bench(const char* name, radiosim::Radio_Sim& sim, bool write) {
  bench::Timed_Transfer run(sim);
  auto* w = Forms::Reload<frm_chann>();
  run.Run([&] { write ? w->Command_Write_Click() : w->Command_read_Click(); }, 300000);
  const bool done = run.Report(name, sim, w->Engine()->Profile());
  w->Unload();
  return done;
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const char* only = argc > 1 ? argv[1] : "";
  const auto want = [&](const char* what) { return !*only || std::strcmp(only, what) == 0; };

  Image_Fill();
  Tone_Init();
  Chann_Count = 200;
  Band_Limits = {136, 174, 136, 174, 400, 480, 400, 480};
  Chann_Default();
  if (want("--redraw")) Redraw_Bench();
  if (!want("--read") && !want("--write")) return 0;

  radiosim::Radio_Sim sim;
  if (!bench::Start_Paced_Sim(sim)) return 1;
  bool ok = true;
  if (want("--read")) ok = Transfer_Bench("read", sim, false) && ok;
  if (want("--write")) ok = Transfer_Bench("write", sim, true) && ok;
  sim.Stop();
  return ok ? 0 : 1;
}
