#pragma once
// Starts the program's main window the way the program does, with a
// controlled screen size and serial-port table, and tears it down after.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <memory>
#include <string>

#include "app/mdi_main.h"
#include "data/shared_state.h"
#include "platform/port_table.h"
#include "platform/status_panels.h"
#include "platform/twips.h"
#include "support/msg_recorder.h"

inline void Let_Events_Run(int rounds = 3) {
  for (int i = 0; i < rounds; ++i) QApplication::processEvents();
}

// Maps every COM number to a device that does not exist, so the machine's
// own serial ports take no part.
inline void No_Serial_Ports() {
  Port_Table_Clear();
  for (int n = 1; n <= Port_Max; ++n) Port_Table_Set(n, QString("/nonexistent/cvr47x-com%1").arg(n));
}

inline std::unique_ptr<MDImain> Start_Program(QSize screen = QSize(1280, 800)) {
  Shared_Reset();
  Status_Clear_All();
  Screen_Set_Size_Px(screen);
  auto w = std::make_unique<MDImain>();
  w->MDIForm_Load();
  return w;
}

inline void Stop_Program(std::unique_ptr<MDImain>& w) {
  if (w) {
    Forms::Unload_All();
    Let_Events_Run();
    w.reset();
  }
  Let_Events_Run();
  Screen_Set_Size_Px(QSize());
}

// A control as a layout failure names it: class, name, text and geometry.
inline std::string Widget_Name(const QWidget* w) {
  QString text;
  if (auto* l = qobject_cast<const QLabel*>(w)) text = l->text();
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) text = b->text();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) text = g->title();
  if (auto* c = qobject_cast<const QComboBox*>(w)) text = c->currentText();
  return QString("%1 %2 \"%3\" at %4,%5 %6x%7")
      .arg(w->metaObject()->className(), w->objectName(), text)
      .arg(w->x())
      .arg(w->y())
      .arg(w->width())
      .arg(w->height())
      .toStdString();
}

// Runs check(main window, "W x H, language") in a program started afresh on
// the smallest screen the program supports and on the one it is made for,
// in each language; message boxes are answered at once.
template <class Check>
void On_Both_Screens_In_Both_Languages(Check check) {
  for (QSize screen : {QSize(1024, 768), QSize(1280, 800)})
    for (int16_t lang : {int16_t{0}, int16_t{-1}}) {
      No_Serial_Ports();
      Msg_Recorder rec;
      auto w = Start_Program(screen);
      Lang_Flag = lang;
      Let_Events_Run();
      check(w.get(), QString("%1 x %2, %3")
                         .arg(screen.width())
                         .arg(screen.height())
                         .arg(lang ? "Chinese" : "English")
                         .toStdString());
      Stop_Program(w);
      Lang_Flag = 0;
    }
}

// A started program without serial ports, torn down after each test.
class Program_Test : public ::testing::Test {
protected:
  void SetUp() override {
    No_Serial_Ports();
    w = Start_Program();
    rec.Clear();
  }
  void TearDown() override {
    Stop_Program(w);
    Lang_Flag = 0;
  }
  Msg_Recorder rec;
  std::unique_ptr<MDImain> w;
};
