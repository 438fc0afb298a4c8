// Times the 5-tone editor: a redraw of the window from the image, its read
// and write against the simulated radio pacing its line at a true 9600
// bit/s (each beside the time its bytes need on the wire, 10 bits a byte,
// every byte both ways), and a signalling-file save followed by a load.
//
//   sig5_bench            everything
//   sig5_bench --no-link  the redraw and the file only

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "data/image_map.h"
#include "data/shared_state.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/tone5_area.h"
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

QString last_message;

bool Transfer(const char* name, frm_5tone* f, radiosim::Radio_Sim& sim, bool write) {
  sim.Clear_Log();
  last_message.clear();
  QElapsedTimer t;
  t.start();
  if (write)
    f->Command_Write_Click();
  else
    f->Command_read_Click();
  const bool done = Spin_Until([] { return !last_message.isEmpty(); }, 120000);
  const double secs = t.elapsed() / 1000.0;
  Spin_Until([] { return false; }, 50);  // the last acknowledgement reaches the radio
  const auto n = sim.Counts();
  const double wire = static_cast<double>(proto::Wire_Micros(n.rx_bytes + n.tx_bytes)) / 1e6;
  std::printf("%-8s %8.2f s   wire %8.2f s   ratio %.2f   (%lld bytes out, %lld bytes back)  %s\n", name, secs,
              wire, wire > 0 ? secs / wire : 0.0, n.rx_bytes, n.tx_bytes,
              done ? last_message.toUtf8().constData() : "did not finish");
  return done;
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bool link = !(argc > 1 && std::strcmp(argv[1], "--no-link") == 0);
  Msg_Set_Handler([](const Msg_Call& c) {
    last_message = c.text;
    return Msg_Answer::Ok;
  });
  Image_Fill();
  Tone5_Default();
  auto* f = Forms::Load<frm_5tone>();

  {
    constexpr int kRounds = 200;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kRounds; ++i) {
      // A changed entry each round, so that cells really change.
      Radio_Image[592][0] = static_cast<int16_t>(i % 10);
      f->Tone5_Show();
    }
    const double show_ms = t.nsecsElapsed() / 1e6 / kRounds;
    t.restart();
    for (int i = 0; i < kRounds / 10; ++i) {
      Radio_Image[592][0] = static_cast<int16_t>(i % 10);
      f->Tone5_Show();
      (void)f->grab();  // the drawing on the screen as well
    }
    std::printf("redraw   %8.3f ms from the image, %.3f ms with painting the window\n", show_ms,
                t.nsecsElapsed() / 1e6 / (kRounds / 10));
  }
  {
    QTemporaryDir dir;
    File_Path = dir.filePath("bench.sig");
    QElapsedTimer t;
    t.start();
    f->Tone5_FileSave();
    const double save_ms = t.nsecsElapsed() / 1e6;
    const QString saved = last_message;
    t.restart();
    f->Tone5_FileLoad();
    const double load_ms = t.nsecsElapsed() / 1e6;
    std::printf("file     save %.2f ms (%s), load %.2f ms (%s)\n", save_ms, saved.toUtf8().constData(), load_ms,
                last_message.toUtf8().constData());
  }

  bool ok = true;
  if (link) {
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
    ok = Transfer("read", f, sim, false) && ok;
    ok = Transfer("write", f, sim, true) && ok;
    f->Unload();
    sim.Stop();
  }
  Msg_Set_Handler(nullptr);
  return ok ? 0 : 1;
}
