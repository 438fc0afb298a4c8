#pragma once
// A start-up image with the signalling defaults and one editor window of the
// DTMF or 2-tone kind, torn down after each test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "app/lang_texts.h"
#include "data/image_map.h"
#include "data/shared_state.h"
#include "editors/image_rows.h"
#include "editors/signalling/dtmf_area.h"
#include "editors/signalling/tone2_area.h"
#include "platform/vb_form.h"
#include "support/msg_recorder.h"

inline void Signalling_Start_Image() {
  Shared_Reset();
  Image_Fill();
  Dtmf_Default();
  Tone2_Default();
  Text_Lang();
}

// A key as the window system delivers it.
inline void Send_Key(QWidget* w, Qt::Key k, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
}

template <class Window>
class Editor_Test : public ::testing::Test {
protected:
  void SetUp() override {
    Signalling_Start_Image();
    w = Forms::Load<Window>();
    rec.Clear();
  }
  void TearDown() override {
    Forms::Unload_All();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    Lang_Flag = 0;
  }
  // Loads the window afresh (after the image was changed behind it).
  void Reopen() {
    Forms::Unload_All();
    QApplication::processEvents();
    w = Forms::Load<Window>();
  }
  Window* w = nullptr;
  Msg_Recorder rec;
};

// Bytes b..b+n-1 of an image row.
inline std::vector<int> Bytes(int row, int b, int n) {
  std::vector<int> out;
  for (int c = b; c < b + n; ++c) out.push_back(Radio_Image[row][c]);
  return out;
}
