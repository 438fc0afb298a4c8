// Times a long paste, as a user makes it with Ctrl+V: 20 000 characters into
// a filtered text box (a key filter and a KeyPress handler that reads the
// text for every character, as the editors' boxes do) and into the channel
// grid's floating text box over an RX cell and over a name cell. Each time
// runs from the key to the box drawn again. Aim: under 50 ms each.
//
//   paste_bench       five runs of each
//   paste_bench N     N runs of each

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "data/chann_default.h"
#include "data/image_map.h"
#include "data/shared_state.h"
#include "data/tone_table.h"
#include "editors/channel/frm_chann.h"
#include "platform/msg_box.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"

namespace {
constexpr int Chars = 20000;
int Runs = 5;

// Selects the box's text and pastes `text` over it by Ctrl+V; returns the
// milliseconds until the box has been drawn again.
double Paste_Ms(QLineEdit* box, const QString& text) {
  box->selectAll();
  QApplication::clipboard()->setText(text);
  QApplication::processEvents();
  QElapsedTimer t;
  t.start();
  QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
  QApplication::sendEvent(box, &paste);
  box->repaint();
  QApplication::processEvents();
  return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

void Report(const char* name, std::vector<double> ms, qsizetype length) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-26s median %8.2f ms   best %8.2f ms   worst %8.2f ms   (%d characters pasted, box holds %lld; aim < 50 ms)\n",
              name, ms[ms.size() / 2], ms.front(), ms.back(), Chars, static_cast<long long>(length));
  std::fflush(stdout);
}

void Filtered_Box() {
  Vb_Text box;
  box.resize(300, 24);
  box.show();
  box.Set_Key_Filter({"0123456789.", false, 0, Key_Filter::Backspace::Refused});
  box.KeyPress = [&](int& key) {
    if (key == '.' && box.Text().trimmed().isEmpty()) key = 0;
  };
  QString text;
  for (int i = 0; i < Chars; ++i) text += i % 7 == 3 ? QChar('x') : QChar('0' + i % 10);
  std::vector<double> ms;
  for (int run = 0; run < Runs; ++run) ms.push_back(Paste_Ms(&box, text));
  Report("filtered text box", ms, box.Text().size());
}

void Grid_Box(const char* name, int col, QChar c) {
  auto* w = Forms::Reload<frm_chann>();
  w->MSF_Chann->Click_Cell(10, col);
  QApplication::processEvents();
  const QString text(Chars, c);
  std::vector<double> ms;
  for (int run = 0; run < Runs; ++run) ms.push_back(Paste_Ms(w->Text_Edit, text));
  Report(name, ms, w->Text_Edit->Text().size());
  // Leaving the cell would commit 20 000 characters: the window goes without.
  w->Text_Edit->Set_Text(QString());
  w->Unload();
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc > 1) Runs = std::max(1, std::atoi(argv[1]));
  // Messages (a name too long) are answered at once.
  Msg_Set_Handler([](const Msg_Call&) { return Msg_Answer::Ok; });
  Image_Fill();
  Tone_Init();
  Chann_Count = 200;
  Band_Limits = {136, 174, 136, 174, 400, 480, 400, 480};
  Chann_Default();
  Filtered_Box();
  Grid_Box("channel grid, RX cell", chann_col::Rx, '1');
  Grid_Box("channel grid, name cell", chann_col::Name, 'A');
  return 0;
}
