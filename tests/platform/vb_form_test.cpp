#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "platform/vb_form.h"

namespace {
// Activation counts outlive the windows (an unloaded window is freed).
int Activations[2];

template <int N>
struct Counting_Form : Vb_Form {
  bool loaded = false;
  void Form_Load() override {
    Show_As_Child();
    loaded = true;
  }
  void Form_Activate() override {
    EXPECT_TRUE(loaded) << "an activation comes after the load";
    ++Activations[N];
  }
};
}  // namespace

TEST(VbForm, ChildWindowActivationRaisesFormActivateAfterTheLoad) {
  Activations[0] = Activations[1] = 0;
  QMdiArea area;
  area.resize(800, 600);
  area.show();
  Forms::Set_Mdi_Area(&area);
  // The window system may report one activation more than once; a handler
  // that redraws does the same thing again.
  auto* a = Forms::Load<Counting_Form<0>>();
  QApplication::processEvents();
  EXPECT_GE(Activations[0], 1) << "opening a child window activates it";
  auto* b = Forms::Load<Counting_Form<1>>();
  QApplication::processEvents();
  EXPECT_GE(Activations[1], 1);
  const int a_before = Activations[0], b_before = Activations[1];
  area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(a->Host()));
  QApplication::processEvents();
  EXPECT_GT(Activations[0], a_before) << "switching to a child window activates it";
  EXPECT_EQ(Activations[1], b_before) << "the window left is not activated";
  // An unloaded window hears no more activations.
  const int a_unloaded = Activations[0];
  a->Unload();
  area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(b->Host()));
  QApplication::processEvents();
  EXPECT_GT(Activations[1], b_before);
  EXPECT_EQ(Activations[0], a_unloaded);
  Forms::Unload_All();
  QApplication::processEvents();
  Forms::Set_Mdi_Area(nullptr);
}
