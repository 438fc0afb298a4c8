// Times the DTMF and 2-tone editors: each window's redraw from the image, and
// its read and write against the simulated radio pacing its line at a true
// 9600 bit/s, each transfer printed beside its floor: the time its bytes need
// on the wire (10 bits a byte, every byte both ways) plus the waits the
// exchange itself prescribes (the send pump's start before each frame, the
// pauses after the identification and password acknowledgements).
//
//   sig2_bench              everything
//   sig2_bench --redraw     the redraws only

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
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
  sim.Clear_Log();
  QString result;
  Msg_Set_Handler([&](const Msg_Call& c) {
    result = c.text;
    return Msg_Answer::Ok;
  });
  QElapsedTimer t;
  t.start();
  write ? engine->Command_Write_Click() : engine->Command_read_Click();
  const bool done = Spin_Until([&] { return !result.isEmpty(); }, 120000);
  const double secs = t.elapsed() / 1000.0;
  Spin_Until([] { return false; }, 50);  // the last acknowledgement reaches the radio
  const auto n = sim.Counts();
  const double wire = static_cast<double>(proto::Wire_Micros(n.rx_bytes + n.tx_bytes)) / 1e6;
  // The floor: the bytes on the wire, plus the send pump's start before every
  // frame it sends and the pauses after the two handshake acknowledgements.
  const Link_Profile& p = engine->Profile();
  int pumped = 0;
  for (const auto& f : sim.Frames())
    if (f.kind != radiosim::Frame_Kind::Ack) ++pumped;
  const double floor =
      wire + (pumped * p.Pump_Start_Ms + p.Ident_Pause_Ms + p.Pass_Pause_Ms) / 1000.0;
  std::printf("%-8s %-5s %6.2f s   wire %6.2f s   floor %6.2f s   ratio to floor %.3f   (%lld bytes out, "
              "%lld back, %d frames)  %s\n",
              name, write ? "write" : "read", secs, wire, floor, floor > 0 ? secs / floor : 0.0,
              n.rx_bytes, n.tx_bytes, pumped, done ? result.toUtf8().constData() : "did not finish");
  Msg_Set_Handler(nullptr);
  return done;
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
  ok = Transfer("DTMF", sim, dtmf->Engine(), false) && ok;
  ok = Transfer("DTMF", sim, dtmf->Engine(), true) && ok;
  ok = Transfer("2 TONE", sim, tone2->Engine(), false) && ok;
  ok = Transfer("2 TONE", sim, tone2->Engine(), true) && ok;
  Forms::Unload_All();
  sim.Stop();
  return ok ? 0 : 1;
}
