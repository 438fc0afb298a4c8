// A small program for the tests that need a process of its own: it starts
// the way the program starts (the same process set-up, then the main window
// without serial ports), saves one file the way a user does, prints every
// message box's text on a line of its own and ends normally.
//
//   save_probe image|sig|adj FOLDER NAME
//
// image: File > Save As, the name typed into the dialog, Confirm.
// sig:   the 5-tone editor open, its signalling-file save dialog confirmed.
// adj:   the alignment editor's Save button, the name typed, Confirm.
//
// Exit status 0 once the save has given its message; 2 for wrong arguments,
// 3 when no message came.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/mdi_main.h"
#include "app/process_setup.h"
#include "data/shared_state.h"
#include "editors/alignment/frm_adj_txp.h"
#include "editors/signalling/frm_5tone.h"
#include "files/file_dialogs.h"
#include "platform/msg_box.h"
#include "platform/port_table.h"
#include "platform/twips.h"

namespace {
int messages = 0;

// The dialog's own way: the folder chosen, the name typed, Confirm pressed.
void Confirm_In(File_Dialog* dialog, const QString& folder, const QString& name) {
  if (!dialog) return;
  dialog->Set_Folder(folder);
  dialog->Text1->setText(name);
  dialog->Command_enter_Click();
}
}  // namespace

int main(int argc, char** argv) {
  Prepare_Process();
  QApplication app(argc, argv);
  if (argc != 4) return 2;
  const QString kind = argv[1], folder = QString::fromLocal8Bit(argv[2]), name = QString::fromLocal8Bit(argv[3]);
  if (kind != "image" && kind != "sig" && kind != "adj") return 2;

  Msg_Set_Handler([](const Msg_Call& c) {
    std::printf("%s\n", c.text.toUtf8().constData());
    std::fflush(stdout);
    ++messages;
    return Msg_Answer::Ok;
  });
  Port_Table_Clear();
  for (int n = 1; n <= Port_Max; ++n) Port_Table_Set(n, QString("/nonexistent/cvr47x-com%1").arg(n));
  Screen_Set_Size_Px(QSize(1280, 800));
  auto w = std::make_unique<MDImain>();
  w->MDIForm_Load();
  QApplication::processEvents();
  // What the start-up said is not the save's; only what follows counts.
  messages = 0;
  std::printf("--- save\n");
  std::fflush(stdout);

  if (kind == "image") {
    w->File_saveas_Click();
    Confirm_In(Forms::Find<Form_save_chann>(), folder, name);
  } else if (kind == "sig") {
    w->Sig_5tone_Click();
    auto* dialog = Forms::Load<Form_save_sig>();
    dialog->Show_Dialog();
    Confirm_In(dialog, folder, name);
  } else {
    w->frm_adj_Click();
    if (auto* editor = Forms::Find<frm_Adj_Txp>()) editor->Command_save_Click();
    Confirm_In(Forms::Find<Form_save_adj>(), folder, name);
  }
  // The editors take a save request on their next file-request tick.
  QElapsedTimer waited;
  waited.start();
  while (messages == 0 && waited.elapsed() < 10000) {
    QTimer::singleShot(20, &app, [] {});
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  const int rc = messages > 0 ? 0 : 3;
  Forms::Unload_All();
  QApplication::processEvents();
  w.reset();
  return rc;
}
