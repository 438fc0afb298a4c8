#include <QApplication>

#include "mdi_main.h"
#include "platform/code_page.h"
#include "process_setup.h"

int main(int argc, char** argv) {
  Prepare_Process();
  QApplication app(argc, argv);
  QApplication::setApplicationName("CV-R47X");
  if (!Ansi_Available())
    qWarning("GBK code page not available: Chinese channel names cannot be shown or stored");
  auto* main_window = new MDImain;
  main_window->MDIForm_Load();
  const int rc = app.exec();
  delete main_window;
  return rc;
}
