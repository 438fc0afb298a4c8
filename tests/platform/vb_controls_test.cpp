#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/vb_controls.h"
#include "support/context_menu.h"
#include "support/display.h"
#include "support/msg_recorder.h"

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

// The ways a user gets text into an edit field other than by typing it.
// Each hands `t` to the field `w` (a line edit: a text box or a list's edit
// field) as the window system delivers it.
struct Paste_Path {
  const char* name;
  std::function<void(QWidget* w, const QString& t)> put;
};

// A drag that enters the field, moves to the end of its text (the box is
// wider than its text) and drops there.
void Drop_Text(QWidget* w, const QString& t) {
  QMimeData mime;
  mime.setText(t);
  const QPoint at(w->width() - 2, w->height() / 2);
  QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &enter);
  QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &drop);
}

void Middle_Click(QWidget* w, const QString& t) {
  QApplication::clipboard()->setText(t, QClipboard::Selection);
  const QPointF at(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::MiddleButton, Qt::MiddleButton,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::MiddleButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

std::vector<Paste_Path> Paste_Paths() {
  std::vector<Paste_Path> out = {
      {"Ctrl+V", [](QWidget* w, const QString& t) {
         QApplication::clipboard()->setText(t);
         Key(w, Qt::Key_V, QString(), Qt::ControlModifier);
       }},
      {"menu Paste", [](QWidget* w, const QString& t) {
         QApplication::clipboard()->setText(t);
         EXPECT_TRUE(Context_Menu_Pick(w, "Paste").picked);
       }},
      {"input method", [](QWidget* w, const QString& t) {
         // The user composes the text (it shows in the box), then commits it.
         QInputMethodEvent compose(t, {});
         QApplication::sendEvent(w, &compose);
         QInputMethodEvent commit;
         commit.setCommitString(t);
         QApplication::sendEvent(w, &commit);
       }},
      {"drop", Drop_Text},
  };
  return out;
}
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

// Text that reaches a box other than by typing is typed key by key, also over
// a selection: the selection goes only when a character is accepted, so text
// that is refused throughout leaves the box, its selection and its stored
// value alone. A drop types at its point and leaves the selection alone too.
TEST(VbText, RefusedPasteKeepsTheSelectionAndAnAcceptedOneReplacesIt) {
  struct Case {
    const char* name;
    QString text;
    int sel_start, sel_len;
    QString put;
    QString want;       // pasted, composed
    QString want_drop;  // dropped at the end
  } const cases[] = {
      {"full code box", "1234", 0, 4, "5", "1234", "1234"},
      {"only refused characters", "abc", 1, 1, "xx", "abc", "abc"},
      {"first accepted one replaces", "abc", 1, 1, "xyz", "ayzc", "abcyz"},
  };
  for (const Paste_Path& path : Paste_Paths()) {
    for (const Case& c : cases) {
      Vb_Text t;
      t.resize(200, 24);
      if (c.text == "1234") t.Set_Key_Filter({"0123456789", false, 4, Key_Filter::Backspace::Refused});
      t.KeyPress = [](int& k) {
        if (k == 'x') k = 0;
      };
      t.Set_Text(c.text);
      int changes = 0;
      t.Change = [&] { ++changes; };
      t.setSelection(c.sel_start, c.sel_len);
      path.put(&t, c.put);
      const bool drop = std::string(path.name) == "drop";
      const QString want = drop ? c.want_drop : c.want;
      const std::string where = std::string(path.name) + ", " + c.name;
      EXPECT_EQ(t.Text(), want) << where;
      if (want == c.text) {
        EXPECT_EQ(changes, 0) << where;
        EXPECT_EQ(t.selectionStart(), c.sel_start) << where;
        EXPECT_EQ(t.selectedText(), c.text.mid(c.sel_start, c.sel_len)) << where;
      } else {
        EXPECT_EQ(changes, 1) << where << ": what passes goes in as one edit";
        EXPECT_FALSE(t.hasSelectedText()) << where;
      }
    }
  }
}

// Each character is checked against the text as it stands after the ones
// before it (the handlers read Text() and the filter its length), although
// the box itself changes once; the paste stops at the box's length limit.
TEST(VbText, APastedCharacterSeesTheTextSoFar) {
  Vb_Text t;
  t.Set_Key_Filter({"", true, 6, Key_Filter::Backspace::Pass});
  QStringList seen;
  t.KeyPress = [&](int& k) {
    seen << t.Text();
    if (t.Text().endsWith('A') && k == 'A') k = 0;  // no two A in a row
  };
  t.Set_Text("q");
  t.selectAll();
  t.Type_Text("aabcdefgh");
  EXPECT_EQ(seen, (QStringList{"q", "A", "A", "AB", "ABC", "ABCD", "ABCDE"}))
      << "the selection counts until the first character replaces it";
  EXPECT_EQ(t.Text(), "ABCDEF");
  EXPECT_EQ(t.cursorPosition(), 6);

  // A paste in the middle: the rest of the text stays behind it.
  t.Set_Text("12");
  t.setCursorPosition(1);
  seen.clear();
  t.Type_Text("xyz");
  EXPECT_EQ(seen, (QStringList{"12", "1X2", "1XY2"}));
  EXPECT_EQ(t.Text(), "1XYZ2");
  EXPECT_EQ(t.cursorPosition(), 4);

  // The box's own length limit: nothing more reaches the handler.
  Vb_Text limited;
  limited.setMaxLength(5);
  int keys = 0;
  limited.KeyPress = [&](int&) { ++keys; };
  limited.Type_Text(QString(20000, 'z'));
  EXPECT_EQ(limited.Text(), "zzzzz");
  EXPECT_EQ(keys, 5);
}

// One paste, one message: a handler that warns about every refused
// character shows a single box, even when the box runs an event loop of its
// own (as a real one does) and lets the handler's re-arming timer fire in it.
// A message that comes up from inside that loop is no part of the paste.
TEST(VbText, OnePasteShowsOneMessage) {
  Msg_Recorder rec;
  QObject timers;
  rec.on_call = [&](const Msg_Call& c) {
    // The box stays open until the events waiting have run, and a timer
    // goes off while it is open.
    bool done = false;
    QTimer::singleShot(0, &timers, [&] {
      if (c.text == "refused") Msg_Box("from a timer", Msg_Icon::Exclamation, "t");
      done = true;
    });
    QEventLoop loop;
    while (!done) loop.processEvents(QEventLoop::WaitForMoreEvents);
  };
  Vb_Text t;
  bool warned = false;
  t.KeyPress = [&](int& k) {
    if (k < 0x80) return;
    k = 0;
    if (warned) return;
    warned = true;
    QTimer::singleShot(0, &timers, [&] { warned = false; });
    Msg_Box("refused", Msg_Icon::Exclamation, "t");
  };
  const QString forty = QString::fromUtf8("中文").repeated(20);
  t.Type_Text(forty);
  EXPECT_EQ(rec.Texts(), (QStringList{"refused", "from a timer"}));
  EXPECT_EQ(t.Text(), "");
  QApplication::processEvents();
  rec.Clear();
  QInputMethodEvent commit;
  commit.setCommitString(forty);
  QApplication::sendEvent(&t, &commit);
  EXPECT_EQ(rec.Texts(), (QStringList{"refused", "from a timer"})) << "the next paste has its own";
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

// The lists' edit fields take every way in through the list's rule: a tone
// list's KeyPress (upper case, tone characters only) for paste, menu, drop and
// input method alike; a list that puts typing back or refuses it does so
// whatever way the text came.
TEST(VbCombo, EveryWayIntoTheEditFieldTakesTheListsRule) {
  const auto upper_tones = [](int& k) {
    if (k >= 'a' && k <= 'z') k -= 32;
    if (!QString("0123456789.DNI").contains(QChar(k)) && k != 13) k = 0;
  };
  const QString saved = "saved";
  std::vector<Paste_Path> paths = Paste_Paths();
  // An editable list keeps the focus itself: keys and an input method's
  // events reach the list, not its edit field, and take the same rule.
  paths.push_back({"typed into the list", [](QWidget* field, const QString& t) {
                     Type(field->parentWidget(), t);
                   }});
  paths.push_back({"input method at the list", [](QWidget* field, const QString& t) {
                     QWidget* list = field->parentWidget();
                     QInputMethodEvent compose(t, {});
                     QApplication::sendEvent(list, &compose);
                     QInputMethodEvent commit;
                     commit.setCommitString(t);
                     QApplication::sendEvent(list, &commit);
                   }});
  for (const Paste_Path& path : paths) {
    Vb_Combo tones(nullptr, true);
    tones.resize(200, 24);
    tones.KeyPress = upper_tones;
    path.put(tones.lineEdit(), "d754i");
    EXPECT_EQ(tones.Text(), "D754I") << path.name;

    tones.Set_Text("D023N");
    tones.lineEdit()->selectAll();
    int changes = 0;
    tones.Change = [&] { ++changes; };
    path.put(tones.lineEdit(), "x-");
    EXPECT_EQ(tones.Text(), "D023N") << path.name;
    EXPECT_EQ(tones.lineEdit()->selectedText(), "D023N") << path.name;
    EXPECT_EQ(changes, 0) << path.name;

    Vb_Combo put_back(nullptr, true);
    put_back.Set_Typing_Rule(Typing_Rule::Put_Back, &saved);
    put_back.Set_Text("other");
    path.put(put_back.lineEdit(), "xy");
    EXPECT_EQ(put_back.Text(), "saved") << path.name;

    Vb_Combo refused(nullptr, true);
    refused.Set_Typing_Rule(Typing_Rule::Refused);
    refused.Set_Text("12");
    path.put(refused.lineEdit(), "34");
    EXPECT_EQ(refused.Text(), "12") << path.name;
  }
}

// A middle click pastes the window system's selection through the same rules
// (only where there is one: X11, not the offscreen platform).
TEST(VbControls, MiddleClickPastesTheSelectionThroughTheRules) {
  NEED_ON_DISPLAY(QApplication::clipboard()->supportsSelection(), "selection clipboard");
  Vb_Combo tones(nullptr, true);
  tones.KeyPress = [](int& k) {
    if (k >= 'a' && k <= 'z') k -= 32;
    if (!QString("0123456789.DNI").contains(QChar(k))) k = 0;
  };
  Middle_Click(tones.lineEdit(), "d7x54i");
  EXPECT_EQ(tones.Text(), "D754I");
  Vb_Text t;
  t.Set_Key_Filter({"0123456789", false, 4, Key_Filter::Backspace::Refused});
  Middle_Click(&t, "1a2345");
  EXPECT_EQ(t.Text(), "1234");
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
