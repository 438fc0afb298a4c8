// Times the alignment editor: the redraw of each page, and its read and write
// against the simulated radio pacing its line at a true 9600 bit/s, each
// beside its floor.
//
//   adj_bench            everything
//   adj_bench --pages    the page redraws only
//   adj_bench --link     the read and the write only
//
// Redraw floor: the same redraw when no shown value changes, so no field
// handler runs. Transfer floor: the protocol floor of bench_common.h, the
// time the bytes need on the wire (10 bits a byte, both ways) plus the waits
// the exchange prescribes, the send pump's start before each frame first.

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstring>

#include "data/shared_state.h"
#include "editors/alignment/adj_area.h"
#include "editors/alignment/frm_adj_txp.h"
#include "link/protocol.h"
#include "platform/msg_box.h"
#include "tools/bench/bench_common.h"

namespace {
void Factory_Image() {
  Adj_DefaultFill();
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 16; ++c) Adj_Image[r][c] = Adj_Default[r][c];
}

// Every shown value one less than its factory value (all stay in range).
void Other_Image() {
  Factory_Image();
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 16; ++c)
      if (Adj_Image[r][c] > 1 && r != 31) Adj_Image[r][c] = static_cast<int16_t>(Adj_Image[r][c] - 1);
}

void Pages(frm_Adj_Txp* f) {
  constexpr int kRounds = 200;
  static const char* const names[5] = {"TX power high", "TX power low", "squelch", "deviation", "band limits"};
  for (int tab = 1; tab <= 5; ++tab) {
    f->TabStrip1->Click_Tab(tab);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kRounds; ++i) {
      if (i % 2) Factory_Image(); else Other_Image();
      f->Adj_Show();
    }
    const double changed = t.nsecsElapsed() / 1e6 / kRounds;
    t.restart();
    for (int i = 0; i < kRounds; ++i) f->Adj_Show();
    const double same = t.nsecsElapsed() / 1e6 / kRounds;
    std::printf("redraw %-13s %7.3f ms   floor (nothing changes) %7.3f ms\n", names[tab - 1], changed, same);
  }
  Factory_Image();
}

bool Transfer(const char* name, radiosim::Radio_Sim& sim, frm_Adj_Txp* f, bool write) {
  bench::Timed_Transfer run(sim);
  run.Run([&] { write ? f->Command_Write_Click() : f->Command_read_Click(); }, 120000);
  return run.Report(name, sim, f->Engine()->Profile());
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bool only_pages = argc > 1 && std::strcmp(argv[1], "--pages") == 0;
  const bool only_link = argc > 1 && std::strcmp(argv[1], "--link") == 0;

  Factory_Image();
  Msg_Set_Handler([](const Msg_Call&) { return Msg_Answer::Ok; });
  auto* f = Forms::Load<frm_Adj_Txp>();
  Msg_Set_Handler(nullptr);
  bool ok = true;
  if (!only_link) Pages(f);
  if (!only_pages) {
    radiosim::Radio_Sim sim;
    if (!bench::Start_Paced_Sim(sim)) return 1;
    // The page shown after the read is the band-limit page, whose squelch
    // boxes would report the radio's blank bytes: give it factory values.
    std::vector<uint8_t> m(proto::Memory_Size, 0xFF);
    for (int i = 0; i < 512; ++i) m[0x3C00 + i] = static_cast<uint8_t>(Adj_Image[i / 16][i % 16]);
    sim.Set_Memory(m);
    ok = Transfer("read", sim, f, false) && ok;
    ok = Transfer("write", sim, f, true) && ok;
    sim.Stop();
  }
  f->Unload();
  return ok ? 0 : 1;
}
