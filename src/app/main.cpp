#include <QApplication>
#include <QMainWindow>

#include "data/titles.h"
#include "data/shared_state.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Title_Init();
  QMainWindow w;
  w.setWindowTitle(Title_Current());
  w.show();
  return app.exec();
}
