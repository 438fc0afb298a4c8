#pragma once
// Starts the program's main window the way the program does, with a
// controlled screen size and serial-port table, and tears it down after.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

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
