// Times the channel editor: the full redraw of its grid (Row_Show of the 200
// channels and the grid fill), and its read and write of the channel and
// name areas against the simulated radio pacing its line at a true 9600
// bit/s. Each transfer is printed beside its floor: the time its bytes need on
// the wire (10 bits a byte, every byte both ways) plus the send pump's start
// for every frame the program sends through it.
//
//   chann_bench            everything
//   chann_bench --redraw   the redraw only
//   chann_bench --read     the read only
//   chann_bench --write    the write only

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
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
  sim.Clear_Log();
  QString result;
  Msg_Set_Handler([&](const Msg_Call& c) {
    result = c.text;
    return Msg_Answer::Ok;
  });
  auto* w = Forms::Reload<frm_chann>();
  QElapsedTimer t;
  t.start();
  if (write)
    w->Command_Write_Click();
  else
    w->Command_read_Click();
  const bool done = Spin_Until([&] { return !result.isEmpty(); }, 300000);
  const double secs = t.elapsed() / 1000.0;
  Spin_Until([&] { return false; }, 50);  // the last acknowledgement reaches the radio
  const auto n = sim.Counts();
  // Frames that went through the send pump: the connect command, the
  // password request and every data request or row.
  const int pumped = 1 + 1 + (write ? n.writes : n.reads - 1);
  const Link_Profile& p = w->Engine()->Profile();
  const double wire = static_cast<double>(proto::Wire_Micros(n.rx_bytes + n.tx_bytes)) / 1e6;
  // An acknowledgement sent on its own (after the identification, the
  // password block and, in a read, every block) is on the line while the
  // pump waits for its start, so its time is not added twice.
  const int lone_acks = write ? 2 : n.acks;
  const double overlap = static_cast<double>(proto::Wire_Micros(lone_acks)) / 1e6;
  const double floor = wire - overlap + pumped * p.Pump_Start_Ms / 1000.0 +
                       (p.Ident_Pause_Ms + p.Pass_Pause_Ms) / 1000.0;
  std::printf("%-6s %8.2f s   floor %8.2f s (wire %6.2f s + %d frames x %d ms)   ratio %.3f   %s\n", name,
              secs, floor, wire, pumped, p.Pump_Start_Ms, floor > 0 ? secs / floor : 0.0,
              done ? result.toUtf8().constData() : "did not finish");
  w->Unload();
  Msg_Set_Handler(nullptr);
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
  if (want("--read")) ok = Transfer_Bench("read", sim, false) && ok;
  if (want("--write")) ok = Transfer_Bench("write", sim, true) && ok;
  sim.Stop();
  return ok ? 0 : 1;
}
