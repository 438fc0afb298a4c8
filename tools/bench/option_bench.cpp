// Times the option editor: a full redraw of its window (every list and box),
// and its read and write against the simulated radio pacing its line at a
// true 9600 bit/s, each beside its protocol floor: the bytes on the wire plus
// the pauses the radio needs (the send pump's start before every frame, the
// pause after every frame, which the reply may fill, and the pauses after
// the identification and password acknowledgements).
//
//   option_bench            everything
//   option_bench --redraw   the redraw only

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "data/image_map.h"
#include "data/opt_default.h"
#include "data/opt_positions.h"
#include "data/shared_state.h"
#include "data/tone_table.h"
#include "editors/options/frm_option.h"
#include "link/link_engine.h"
#include "link/link_timing.h"
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

double Wire_Ms(size_t bytes) { return proto::Wire_Micros(static_cast<long long>(bytes)) / 1000.0; }

// The floor of the exchange the simulator logged.
double Floor_Ms(const radiosim::Radio_Sim& sim, const Link_Profile& p) {
  std::map<uint64_t, size_t> reply_bytes;
  for (const auto& r : sim.Replies()) reply_bytes[r.frame] += r.bytes.size();
  double ms = p.Ident_Pause_Ms + p.Pass_Pause_Ms;
  for (const auto& f : sim.Frames()) {
    const double reply = Wire_Ms(reply_bytes[f.seq]);
    if (f.kind == radiosim::Frame_Kind::Ack) {
      // Sent at once by the receive handler: no pump, no pause.
      ms += Wire_Ms(f.raw.size()) + reply;
      continue;
    }
    // The pause after a frame runs from its last byte leaving the program, so
    // the frame's own bytes on the line and the reply may fill it.
    ms += p.Pump_Start_Ms + std::max<double>(p.Frame_Pause_Ms, Wire_Ms(f.raw.size()) + reply);
  }
  return ms;
}

bool Transfer(const char* name, radiosim::Radio_Sim& sim, frm_option* f, bool write) {
  sim.Clear_Log();
  QString result;
  Msg_Set_Handler([&](const Msg_Call& c) {
    result = c.text;
    return Msg_Answer::Ok;
  });
  QElapsedTimer t;
  t.start();
  if (write)
    f->Command_Write_Click();
  else
    f->Command_read_Click();
  const bool done = Spin_Until([&] { return !result.isEmpty(); }, 120000);
  const double ms = t.elapsed();
  Spin_Until([] { return false; }, 50);
  const double floor = Floor_Ms(sim, f->Engine()->Profile());
  std::printf("%-6s %8.0f ms   floor %8.0f ms   ratio %.3f   %s\n", name, ms, floor, floor > 0 ? ms / floor : 0.0,
              done ? result.toUtf8().constData() : "did not finish");
  Msg_Set_Handler(nullptr);
  return done;
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
  std::string why;
  if (!sim.Start(&why)) {
    std::fprintf(stderr, "no pseudo-terminal: %s\n", why.c_str());
    return 1;
  }
  sim.Set_Paced(true);
  Port_Table_Set(1, QString::fromStdString(sim.Tty_Path()));
  Port_No = 1;
  for (int i = 0; i < 8; ++i) Hand_Cmd[i] = proto::Connect_Command[i];

  bool ok = Transfer("read", sim, f, false);
  ok = Transfer("write", sim, f, true) && ok;
  f->Unload();
  sim.Stop();
  return ok ? 0 : 1;
}
