#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>

#include "platform/input_lock.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"
#include "support/grid_input.h"

namespace {
// A window with one control of every kind, one of them inside a frame.
struct Window {
  QWidget root;
  Vb_Text* box = new Vb_Text(&root);
  Vb_Text* off_box = new Vb_Text(&root);  // the window keeps it disabled
  Vb_Combo* list = new Vb_Combo(&root, true);
  Vb_Check* check = new Vb_Check(&root);
  QRadioButton* option = new QRadioButton(&root);
  Vb_Grid* grid = new Vb_Grid(&root);
  QPushButton* button = new QPushButton(&root);
  Vb_TabStrip* tabs = new Vb_TabStrip(&root);
  QGroupBox* frame = new QGroupBox(&root);
  QLabel* label = new QLabel(frame);
  Vb_Text* framed_box = new Vb_Text(frame);
  Input_Lock lock{&root};
  Window() {
    off_box->setEnabled(false);
    list->Add_Items({"A", "B", "C"});
    grid->Set_Format_String("No|Value");
    grid->Set_Rows(3);
  }
  std::vector<QWidget*> Editing() const { return {box, list, check, option, grid, framed_box}; }
};

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
}

// Text put into a field every way but typing: paste by key, a drop, an
// input method's commit.
void Put_Text(QWidget* w, const QString& t) {
  QApplication::clipboard()->setText(t);
  Key(w, Qt::Key_V, Qt::ControlModifier);
  QMimeData mime;
  mime.setText(t);
  QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &drop);
  QInputMethodEvent commit;
  commit.setCommitString(t);
  QApplication::sendEvent(w, &commit);
}
}  // namespace

TEST(InputLock, TakesTheEditingControlsOnlyAndGivesThemBackAsTheWindowLeftThem) {
  Window w;
  w.lock.Set_Locked(true);
  for (QWidget* c : w.Editing()) EXPECT_FALSE(c->isEnabled()) << c->metaObject()->className();
  for (QWidget* c : std::vector<QWidget*>{w.button, w.tabs, w.frame, w.label})
    EXPECT_TRUE(c->isEnabled()) << c->metaObject()->className();

  // The window goes on setting its controls meanwhile (a redraw): they stay
  // locked, and get what it set once the lock goes, also when the frame
  // they lie in is set.
  w.box->setEnabled(false);
  w.off_box->setEnabled(true);
  w.frame->setEnabled(false);
  w.frame->setEnabled(true);
  for (QWidget* c : w.Editing()) EXPECT_FALSE(c->isEnabled()) << c->metaObject()->className();
  EXPECT_FALSE(w.off_box->isEnabled());
  w.lock.Set_Locked(false);
  EXPECT_FALSE(w.box->isEnabled());
  EXPECT_TRUE(w.off_box->isEnabled());
  for (QWidget* c : {static_cast<QWidget*>(w.list), static_cast<QWidget*>(w.check), static_cast<QWidget*>(w.grid),
                     static_cast<QWidget*>(w.framed_box)})
    EXPECT_TRUE(c->isEnabled()) << c->metaObject()->className();
}

TEST(InputLock, NothingTypedPastedDroppedOrClickedReachesALockedControl) {
  Window w;
  int changes = 0, clicks = 0, pressed = 0;
  w.box->Change = [&] { ++changes; };
  w.list->Change = [&] { ++changes; };
  w.list->Click = [&] { ++clicks; };
  w.check->Click = [&] { ++clicks; };
  QObject::connect(w.button, &QPushButton::clicked, [&] { ++pressed; });
  w.lock.Set_Locked(true);
  for (QWidget* field : {static_cast<QWidget*>(w.box), static_cast<QWidget*>(w.list->lineEdit())}) {
    Key(field, Qt::Key_1, Qt::NoModifier, "1");
    Put_Text(field, "23");
  }
  Key(w.list, Qt::Key_Down);
  Click_At(w.check, w.check->rect().center());
  Click_At(w.option, w.option->rect().center());
  w.button->click();
  EXPECT_EQ(w.box->text(), "");
  EXPECT_EQ(w.list->Text(), "");
  EXPECT_EQ(w.list->List_Index(), -1);
  EXPECT_EQ(w.check->Value(), 0);
  EXPECT_FALSE(w.option->isChecked());
  EXPECT_EQ(changes + clicks, 0);
  EXPECT_EQ(pressed, 1) << "a button still answers";

  w.lock.Set_Locked(false);
  Key(w.box, Qt::Key_1, Qt::NoModifier, "1");
  EXPECT_EQ(w.box->text(), "1");
  Key(w.list, Qt::Key_Down);
  EXPECT_EQ(w.list->List_Index(), 0);
}
