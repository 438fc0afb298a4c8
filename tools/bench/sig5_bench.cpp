// Times the 5-tone editor: a redraw of the window from the image, its read
// and write against the simulated radio pacing its line at a true 9600
// bit/s (each beside its protocol floor, bench_common.h: the time its bytes
// need on the wire, 10 bits a byte, every byte both ways, plus the waits the
// exchange prescribes), and a signalling-file save followed by a load.
//
//   sig5_bench            everything
//   sig5_bench --no-link  the redraw and the file only

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "data/image_map.h"
#include "data/shared_state.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/tone5_area.h"
#include "link/link_engine.h"
#include "platform/msg_box.h"
#include "tools/bench/bench_common.h"

namespace {
QString last_message;

bool Transfer(const char* name, frm_5tone* f, radiosim::Radio_Sim& sim, bool write) {
  bench::Timed_Transfer run(sim);
  run.Run([&] { write ? f->Command_Write_Click() : f->Command_read_Click(); }, 120000);
  return run.Report(name, sim, f->Engine()->Profile());
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
    if (!bench::Start_Paced_Sim(sim)) return 1;
    ok = Transfer("read", f, sim, false) && ok;
    ok = Transfer("write", f, sim, true) && ok;
    f->Unload();
    sim.Stop();
  }
  Msg_Set_Handler(nullptr);
  return ok ? 0 : 1;
}
