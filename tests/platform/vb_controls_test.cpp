#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <functional>
#include <memory>

#include "platform/vb_controls.h"
#include "support/context_menu.h"

namespace {
void Key(QWidget* w, Qt::Key k, const QString& text = QString(),
         Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, k, mods, text);
  QApplication::sendEvent(w, &press);
}
void Type(QWidget* w, const QString& s) {
  for (QChar c : s) Key(w, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c));
}
// Delivers a drop the way the window system does, without a drag in progress.
struct Drop_Target : Vb_Text {
  void Drop(QDropEvent* e) { dropEvent(e); }
};
}  // namespace

TEST(KeyFilter, TableOfKeys) {
  Key_Filter digits{"0123456789", false, 4, Key_Filter::Backspace::Refused_When_Full};
  Key_Filter hex{"0123456789ABCDEF", true, 0, Key_Filter::Backspace::Refused};
  struct Case {
    const Key_Filter* f;
    int key;
    int length;
    int want;
  } cases[] = {
      {&digits, '5', 0, '5'}, {&digits, 'a', 0, 0},  {&digits, '5', 4, 0},
      {&digits, 8, 3, 8},     {&digits, 8, 4, 0},    {&digits, 13, 4, 13},
      {&hex, 'a', 9, 'A'},    {&hex, 'g', 0, 0},     {&hex, 8, 0, 0},
      {&hex, 0x4E2D, 0, 0},   {&digits, 9, 0, 0},    // a control character (Tab)
  };
  for (const Case& c : cases) {
    int k = c.key;
    Key_Filter_Apply(*c.f, k, c.length);
    EXPECT_EQ(k, c.want) << "key " << c.key << " at length " << c.length;
  }
}

TEST(VbText, ProgramSetTextRaisesChangeOnlyWhenItChanges) {
  Vb_Text t;
  int changes = 0;
  QString seen;
  t.Change = [&] {
    ++changes;
    seen = t.Text();
  };
  t.Set_Text("abc");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(seen, "abc") << "the handler runs at once, with the new text";
  t.Set_Text("abc");
  EXPECT_EQ(changes, 1);
  t.Set_Text("");
  EXPECT_EQ(changes, 2);
}

TEST(VbText, FilterAndKeyPressSeeTypedPastedAndDroppedText) {
  Drop_Target t;
  t.show();
  t.Set_Key_Filter({"0123456789ABCD*#", true, 6, Key_Filter::Backspace::Refused});
  std::vector<int> keys;
  t.KeyPress = [&](int& k) {
    keys.push_back(k);
    if (k == '#') k = 0;  // the window's own rule on top of the filter
  };
  Type(&t, "1a#x");
  EXPECT_EQ(t.Text(), "1A");
  EXPECT_EQ(keys, (std::vector<int>{'1', 'A', '#'})) << "refused keys never reach KeyPress";

  QApplication::clipboard()->setText("2b\r\nzz34567");
  Key(&t, Qt::Key_V, QString(), Qt::ControlModifier);
  EXPECT_EQ(t.Text(), "1A2B34") << "a paste is typed character by character, up to the limit";

  Key(&t, Qt::Key_Backspace);
  EXPECT_EQ(t.Text(), "1A2B34") << "Backspace refused";

  t.Set_Text("");
  QMimeData mime;
  mime.setText("c*9q");
  QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  t.Drop(&drop);
  EXPECT_EQ(t.Text(), "C*9");
}

TEST(VbText, EnterReachesKeyPressAndAReplacedKeyIsTyped) {
  Vb_Text t;
  int enters = 0;
  t.KeyPress = [&](int& k) {
    if (k == 13) ++enters;
    if (k == 'x') k = 'y';
  };
  Key(&t, Qt::Key_Return, "\r");
  Type(&t, "x");
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(t.Text(), "y");
  QApplication::clipboard()->setText("a\nb");
  Key(&t, Qt::Key_V, QString(), Qt::ControlModifier);
  EXPECT_EQ(enters, 1) << "a line end in pasted text is no Enter";
  EXPECT_EQ(t.Text(), "yab");
}

// The right-click menu's Paste is typed like keys in every kind of box, and a
// box whose typing is filtered offers no Undo or Redo that could bring back
// what the filter refused.
TEST(VbText, RightClickPasteTakesTheTypedPath) {
  const auto upper_tones = [](int& k) {
    if (k >= 'a' && k <= 'z') k -= 32;
    if (!QString("0123456789.DNI").contains(QChar(k)) && k != 13) k = 0;
  };
  const QString saved = "saved";
  struct Case {
    const char* name;
    std::function<QWidget*()> make;  // the box, with one key typed into it
    QString clip;
    QString want;
    bool undo;
  } cases[] = {
      {"code box", [] {
         auto* t = new Vb_Text;
         t->Set_Key_Filter({"0123456789ABCD*#", true, 6, Key_Filter::Backspace::Refused});
         t->Type_Key('1');
         return t;
       }, "2b\r\nz*9f", "12B*9", false},
      {"floating editor with a KeyPress", [] {
         auto* t = new Vb_Text;
         t->KeyPress = [](int& k) { if (k == 'x') k = 0; };
         t->Type_Key('1');
         return t;
       }, "a\nxb", "1ab", false},
      {"plain box", [] {
         auto* t = new Vb_Text;
         t->Type_Key('1');
         return t;
       }, "a\tb", "1ab", true},
      {"list edit field", [&] {
         auto* c = new Vb_Combo(nullptr, true);
         c->KeyPress = upper_tones;
         Key(c->lineEdit(), Qt::Key_1, "1");
         return c;
       }, "d0x2-3n", "1D023N", false},
      {"list that puts typing back", [&] {
         auto* c = new Vb_Combo(nullptr, true);
         c->Set_Typing_Rule(Typing_Rule::Put_Back, &saved);
         c->Set_Text(saved);
         return c;
       }, "xy", "saved", false},
  };
  for (const Case& c : cases) {
    std::unique_ptr<QWidget> box(c.make());
    auto* combo = qobject_cast<Vb_Combo*>(box.get());
    QWidget* target = combo ? combo->lineEdit() : box.get();
    const auto text = [&] { return combo ? combo->Text() : static_cast<Vb_Text*>(box.get())->Text(); };
    QApplication::clipboard()->setText(c.clip);
    const Menu_Pick menu = Context_Menu_Pick(target, "Paste");
    ASSERT_TRUE(menu.opened) << c.name;
    EXPECT_TRUE(menu.picked) << c.name << ": " << menu.offered.join(", ").toStdString();
    EXPECT_EQ(text(), c.want) << c.name;
    EXPECT_EQ(menu.offered.contains("Undo"), c.undo) << c.name << ": " << menu.offered.join(", ").toStdString();
    EXPECT_FALSE(menu.offered.contains("Redo")) << c.name;
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << c.name << ": the menu closed";
  }
}

TEST(VbCombo, FillingRaisesNothingAndSelectsNothing) {
  for (bool editable : {false, true}) {
    Vb_Combo c(nullptr, editable);
    int clicks = 0, changes = 0;
    c.Click = [&] { ++clicks; };
    c.Change = [&] { ++changes; };
    if (editable) c.Set_Text("keep");
    changes = 0;
    c.Add_Item("HIGH");
    c.Add_Items({"LOW", "MID"});
    EXPECT_EQ(c.List_Count(), 3);
    EXPECT_EQ(c.List_Index(), -1) << "editable " << editable;
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(changes, 0);
    if (editable) {
      EXPECT_EQ(c.Text(), "keep") << "adding items leaves the text";
    }
    c.Clear();
    EXPECT_EQ(c.List_Count(), 0);
    EXPECT_EQ(c.Text(), "");
    EXPECT_EQ(changes, editable ? 1 : 0) << "emptying a shown text is a change";
    EXPECT_EQ(clicks, 0);
  }
}

TEST(VbCombo, ProgramSelectionRaisesClickNestedEvenWhenUnchanged) {
  Vb_Combo c;
  c.Add_Items({"OFF", "ON"});
  QStringList seen;
  c.Click = [&] { seen.push_back(c.Text()); };
  c.Set_List_Index(1);
  c.Set_List_Index(1);
  c.Set_List_Index(-1);
  c.Set_List_Index(5);  // beyond the list: no selection, nothing raised
  EXPECT_EQ(seen, (QStringList{"ON", "ON"}));
  EXPECT_EQ(c.List_Index(), -1);
  c.Show_Index_Quiet(0);
  EXPECT_EQ(c.List_Index(), 0);
  EXPECT_EQ(seen.size(), 2) << "a quiet show stores nothing";
}

TEST(VbCombo, UserKeysChooseInAListButTypedCharactersAreRefused) {
  Vb_Combo c;
  c.Add_Items({"OFF", "ON"});
  c.Set_List_Index(0);
  int clicks = 0;
  c.Click = [&] { ++clicks; };
  Type(&c, "o");
  EXPECT_EQ(c.List_Index(), 0) << "a typed letter selects nothing";
  Key(&c, Qt::Key_Down);
  EXPECT_EQ(c.List_Index(), 1);
  EXPECT_EQ(clicks, 1) << "the user's choice by arrow key is a click";
}

TEST(VbCombo, TypingRules) {
  QString undo = "saved";
  Vb_Combo put_back(nullptr, true);
  put_back.Set_Typing_Rule(Typing_Rule::Put_Back, &undo);
  put_back.Set_Text("saved");
  Type(&put_back, "xy");
  EXPECT_EQ(put_back.Text(), "saved");

  Vb_Combo tones(nullptr, true);
  tones.Add_Items({"67.0", "D023N"});
  int changes = 0, clicks = 0;
  tones.Change = [&] { ++changes; };
  tones.Click = [&] { ++clicks; };
  tones.KeyPress = [](int& k) {
    if (k >= 'a' && k <= 'z') k -= 32;
    if (!QString("0123456789.DNI").contains(QChar(k)) && k != 13) k = 0;
  };
  Type(&tones, "d02x3n");
  EXPECT_EQ(tones.Text(), "D023N");
  EXPECT_EQ(changes, 5) << "each typed character is a change";
  Key(&tones, Qt::Key_Return, "\r");
  EXPECT_EQ(clicks, 0) << "typing a list item's text does not choose it";
  EXPECT_EQ(tones.List_Index(), -1);
  QApplication::clipboard()->setText("6z7");
  tones.Set_Text("");
  Key(&tones, Qt::Key_V, QString(), Qt::ControlModifier);
  EXPECT_EQ(tones.Text(), "67") << "a paste passes KeyPress too";
}

TEST(VbCheck, ProgramSetValueRaisesClickWhenItChanges) {
  Vb_Check b;
  int clicks = 0;
  b.Click = [&] { ++clicks; };
  b.Set_Value(1);
  b.Set_Value(1);
  b.Set_Value(0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(b.Value(), 0);
}
