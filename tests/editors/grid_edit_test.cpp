// Every grid of the editors worked as a user works it, through the real
// events: after each step every cell shows what a redraw from the image
// gives, and no floated list or box lies anywhere but over the current cell.
// One seeded random walk over every grid, and the cases users met as fixed
// sequences beside it.
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "data/chann_default.h"
#include "data/shared_state.h"
#include "editors/channel/chann_record.h"
#include "editors/channel/fm_edit.h"
#include "editors/channel/fm_record.h"
#include "editors/channel/frm_chann.h"
#include "editors/channel/frm_fm.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "editors/signalling/tone2_grids.h"
#include "editors/signalling/tone5_edit.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"
#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"
#include "support/app_fixture.h"
#include "support/grid_input.h"

namespace {
using namespace chann_col;
using Cells = std::vector<std::vector<QString>>;  // [row][col]

// One grid as the test sees it.
struct Under_Test {
  Vb_Grid* grid = nullptr;
  std::vector<QWidget*> editors;  // the boxes and lists floated over its cells
  // Every data cell's text as a redraw from the image gives it.
  std::function<Cells()> redraw;
  // Another text that is right in a cell, where the windows show more than
  // the image holds on purpose (nullptr: none).
  std::function<bool(int r, int c, const QString& shown)> also_right;
  // The cell under an open editor may lag behind the image: the 5-tone frame
  // box writes every key into the image, and the cell follows when it is left.
  bool covered_lags = false;
  QString keys;  // the characters a user types into this grid's editors
};

Cells Table_From(const Vb_Grid* g, const std::function<QString(int r, int c)>& cell) {
  Cells out(g->Rows(), std::vector<QString>(g->Cols()));
  for (int r = 1; r < g->Rows(); ++r)
    for (int c = g->Fixed_Cols(); c < g->Cols(); ++c) out[r][c] = cell(r, c);
  return out;
}

Under_Test Channel_Grid() {
  auto* w = Forms::Load<frm_chann>();
  Let_Events_Run();
  w->Command_def_Click();
  // One channel that shows its band only, picked on an empty row.
  w->MSF_Chann->Click_Cell(30, Band);
  w->Combo_edit->Set_List_Index(0);
  w->MSF_Chann->Click_Cell(31, 0);
  w->MSF_Chann->Set_Row(1);
  w->MSF_Chann->Set_Top_Row(1);
  Under_Test u;
  u.grid = w->MSF_Chann;
  u.editors = {w->Text_Edit, w->Combo_edit};
  u.redraw = [g = w->MSF_Chann] {
    // A redraw of an empty record also rewrites it: the image stays as it is.
    const Image_Table kept = Radio_Image;
    Chann_Table t;
    for (int r = 1; r <= Chann_Count; ++r) Row_Show(t, r);
    Radio_Image = kept;
    return Table_From(g, [&t](int r, int c) { return t.Cell(r, c); });
  };
  // A band chosen on an empty channel shows until its first RX frequency.
  u.also_right = [](int r, int c, const QString& shown) {
    return c == Band && Radio_Image[r - 1][0] == 0xFF && shown.trimmed() == Band_Item_Text;
  };
  u.keys = "0123456789.dniDNIxA*";
  return u;
}

Under_Test Fm_Grid() {
  auto* w = Forms::Load<frm_FM>();
  Let_Events_Run();
  w->Command_def_Click();
  Under_Test u;
  u.grid = w->MSF_Chann;
  u.editors = {w->Text_Edit};
  u.redraw = [g = w->MSF_Chann] {
    return Table_From(g, [](int r, int c) {
      if (r > Fm_Count) return QString();
      const Fm_Cells cells = Fm_Record_Show(r - 1);
      return c == Fm_Freq_Col ? cells.freq : cells.name;
    });
  };
  u.keys = "0123456789.abcXYZ";
  return u;
}

frm_2tone* Tone2_Window(int tab) {
  auto* w = Forms::Load<frm_2tone>();
  Let_Events_Run();
  w->Command_def_Click();
  w->TabStrip1->Click_Tab(tab);
  Let_Events_Run();
  return w;
}

Under_Test Tone2_Encode_Grid() {
  frm_2tone* w = Tone2_Window(1);
  Under_Test u;
  u.grid = w->MSF_Encode;
  u.editors = {w->Text_Encode};
  u.redraw = [g = w->MSF_Encode] { return Table_From(g, Tone2_Encode_Text); };
  u.keys = "0123456789.x";
  return u;
}

Under_Test Tone2_Decode_Grid() {
  frm_2tone* w = Tone2_Window(2);
  // A decoder with an alert but no tone pair.
  Radio_Image[740][2] = 3;
  w->Tone2_Show();
  Under_Test u;
  u.grid = w->MSF_Decode;
  u.editors = {w->Combo_Decode};
  u.redraw = [g = w->MSF_Decode] { return Table_From(g, Tone2_Decode_Text); };
  u.keys = "0123A-x";
  return u;
}

frm_5tone* Tone5_Window(int tab) {
  auto* w = Forms::Load<frm_5tone>();
  Let_Events_Run();
  w->Command_def_Click();
  // Entry 2 as a radio may hold it: frame 1 empty, frame 2 = 12345, ZVEI1.
  for (int c = 0; c < 16; ++c) Radio_Image[593][c] = 0xFF;
  for (int k = 0; k < 5; ++k) Radio_Image[593][5 + k] = static_cast<int16_t>(k + 1);
  Radio_Image[593][15] = 3;
  w->Tone5_Show();
  w->TabStrip1->Click_Tab(tab);
  Let_Events_Run();
  return w;
}

Under_Test Tone5_Std_Grid() {
  frm_5tone* w = Tone5_Window(1);
  Under_Test u;
  u.grid = w->MSF_Chann;
  u.editors = {w->Combo_edit, w->Text_Edit};
  u.redraw = [g = w->MSF_Chann] { return Table_From(g, Tone5_Std_Cell); };
  u.keys = "0123A7x";
  return u;
}

Under_Test Tone5_Encode_Grid() {
  frm_5tone* w = Tone5_Window(2);
  Under_Test u;
  u.grid = w->MSF_Encode;
  u.editors = {w->Combo_Encode, w->Text_Encode};
  u.redraw = [g = w->MSF_Encode] { return Table_From(g, Tone5_Encode_Cell); };
  u.covered_lags = true;
  u.keys = "0123456789abcdefABCDEFxG";
  return u;
}

struct Grid_Case {
  const char* name;
  Under_Test (*open)();
};
const Grid_Case kGrids[] = {
    {"channel", Channel_Grid},
    {"FM", Fm_Grid},
    {"2-tone encode", Tone2_Encode_Grid},
    {"2-tone decode", Tone2_Decode_Grid},
    {"5-tone standards", Tone5_Std_Grid},
    {"5-tone encode", Tone5_Encode_Grid},
};

bool Is_Editor(const Under_Test& u, const QWidget* w) {
  for (const QWidget* e : u.editors)
    if (w == e || e->isAncestorOf(w)) return true;
  return false;
}

// Where the user's keys go: the focus widget, when that is the grid or one
// of its editors; else the grid (the user has clicked back into it).
QWidget* Key_Target(const Under_Test& u) {
  QWidget* f = Focus_In(u.grid);
  return f && (f == u.grid || Is_Editor(u, f)) ? f : u.grid;
}

void Send_Key(QWidget* w, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &release);
}

// The first failure of the rule after a step, or an empty text.
std::string Check(const Under_Test& u) {
  const Vb_Grid* g = u.grid;
  const Cells want = u.redraw();
  bool covered = false;
  for (const QWidget* e : u.editors) covered = covered || e->isVisible();
  std::ostringstream out;
  for (int r = 1; r < g->Rows(); ++r)
    for (int c = g->Fixed_Cols(); c < g->Cols(); ++c) {
      if (u.covered_lags && covered && r == g->Row() && c == g->Col()) continue;
      const QString shown = g->Text_At(r, c);
      if (shown == want[r][c] || (u.also_right && u.also_right(r, c, shown))) continue;
      out << "cell " << r << "," << c << " shows \"" << shown.toStdString() << "\", a redraw gives \""
          << want[r][c].toStdString() << "\"";
      return out.str();
    }
  for (const QWidget* e : u.editors) {
    if (!e->isVisible()) continue;
    QWidget* p = e->parentWidget();
    const QRect cell(g->mapTo(p, g->Cell_Rect().topLeft()), g->Cell_Rect().size());
    const QRect vp = g->viewport()->geometry();
    const QRect area(g->mapTo(p, vp.topLeft()), vp.size());
    if (!e->geometry().intersects(cell) || g->Row() < 1 || g->Col() < g->Fixed_Cols()) {
      out << e->metaObject()->className() << " shown away from the current cell " << g->Row() << "," << g->Col();
      return out.str();
    }
    if (!area.contains(e->geometry())) {
      out << e->metaObject()->className() << " reaches out of the cells' area";
      return out.str();
    }
  }
  return {};
}

// One user step chosen by rng; returns what it did, or an empty text when
// the step it drew was not possible just then.
std::string Step(std::mt19937& rng, Under_Test& u) {
  Vb_Grid* g = u.grid;
  const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const int top = g->Top_Row();
  const int last = g->rowAt(g->viewport()->height() - 1);
  const int bottom = last < 0 ? g->Rows() - 1 : last + 1;
  if (bottom < top) return {};
  const QRect vp = g->viewport()->geometry();
  std::vector<int> cols;
  for (int c = g->Fixed_Cols(); c < g->Cols(); ++c)
    if (vp.contains(g->Cell_Rect_At(top, c).center())) cols.push_back(c);
  std::ostringstream what;
  switch (pick(10)) {
    case 0:
    case 1:
    case 2: {  // a click on a data cell the user sees, not under an editor
      if (cols.empty()) return {};
      const int r = top + pick(bottom - top + 1), c = cols[pick(static_cast<int>(cols.size()))];
      if (Widget_Over_Cell(g, r, c) != g->viewport()) return {};
      Click_Grid_Cell(g, r, c);
      what << "click " << r << "," << c;
      break;
    }
    case 3: {  // a click on the number column
      const int r = top + pick(bottom - top + 1);
      Click_Grid_Cell(g, r, 0);
      what << "click number " << r;
      break;
    }
    case 4: {  // a pick in the floated list
      Vb_Combo* list = nullptr;
      for (QWidget* e : u.editors)
        if (auto* l = qobject_cast<Vb_Combo*>(e); l && l->isVisible() && l->List_Count() > 0) list = l;
      if (!list) return {};
      const int i = pick(list->List_Count());
      list->setCurrentIndex(i);
      emit list->activated(i);
      what << "pick " << list->List(i).toStdString();
      break;
    }
    case 5: {  // typed text, Backspace among it
      QString t;
      for (int n = 1 + pick(5); n > 0; --n) t += pick(6) == 0 ? QChar('\b') : u.keys[pick(static_cast<int>(u.keys.size()))];
      QWidget* to = Key_Target(u);
      for (QChar ch : t) {
        if (ch == '\b') Send_Key(to, Qt::Key_Backspace, "\b");
        else Send_Key(to, ch.toUpper().unicode(), QString(ch));
      }
      what << "type \"" << QString(t).replace('\b', "<BS>").toStdString() << "\"";
      break;
    }
    case 6: {
      static const int arrows[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right};
      const int k = arrows[pick(4)];
      Send_Key(Key_Target(u), k);
      what << "arrow " << k;
      break;
    }
    case 7:
      Send_Key(Key_Target(u), Qt::Key_Return, "\r");
      what << "Enter";
      break;
    case 8:
      Send_Key(Key_Target(u), Qt::Key_Tab, "\t");
      what << "Tab";
      break;
    default: {
      const int n = pick(2) == 0 ? -1 - pick(2) : 1 + pick(2);
      Wheel_Grid(g, n);
      what << "wheel " << n;
      break;
    }
  }
  return what.str();
}

constexpr int kSteps = 120;
constexpr unsigned kSeeds[] = {1, 2, 3};
}  // namespace

class GridEdits : public Program_Test {};

TEST_F(GridEdits, EveryCellShowsTheImageAndEveryEditorItsCellAfterEachUserStep) {
  for (const Grid_Case& gc : kGrids)
    for (unsigned seed : kSeeds) {
      // A program started afresh for each walk, so a seed always replays the same.
      Stop_Program(w);
      w = Start_Program();
      rec.Clear();
      Under_Test u = gc.open();
      ASSERT_TRUE(u.grid->isVisible()) << gc.name;
      std::mt19937 rng(seed);
      std::vector<std::string> done;
      std::string fault = Check(u);
      for (int step = 0; step < kSteps && fault.empty(); ++step) {
        const std::string what = Step(rng, u);
        if (what.empty()) continue;
        done.push_back(what);
        fault = Check(u);
      }
      std::ostringstream steps;
      for (size_t k = done.size() > 12 ? done.size() - 12 : 0; k < done.size(); ++k) steps << "\n  " << done[k];
      EXPECT_EQ(fault, "") << gc.name << ", seed " << seed << ", after " << done.size()
                           << " steps; the last ones:" << steps.str();
    }
}

// ---- the cases users met, as fixed sequences --------------------------------

namespace {
// A pick in a floated list as the drop-down delivers it.
void User_Pick(Vb_Combo* list, const QString& item) {
  const int i = list->findText(item);
  ASSERT_GE(i, 0) << item.toStdString();
  list->setCurrentIndex(i);
  emit list->activated(i);
}

// Text typed into whatever has the focus.
void Type_Keys(Vb_Grid* g, const QString& t) {
  for (QChar ch : t) {
    QWidget* to = Focus_In(g) ? Focus_In(g) : g;
    if (ch == '\b') Send_Key(to, Qt::Key_Backspace, "\b");
    else Send_Key(to, ch.toUpper().unicode(), QString(ch));
  }
}

// An input method's composition of t, then its commit, sent where Qt sends
// them: to the focus widget.
void Compose_Into(QWidget* w, const QString& t) {
  QInputMethodEvent compose(t, {});
  QApplication::sendEvent(w, &compose);
  QInputMethodEvent commit;
  commit.setCommitString(t);
  QApplication::sendEvent(w, &commit);
}

bool Over_Cell(const Vb_Grid* g, const QWidget* e, int r, int c) {
  const QRect cell = g->Cell_Rect_At(r, c);
  return e->isVisible() && e->geometry().intersects(QRect(g->mapTo(e->parentWidget(), cell.topLeft()), cell.size()));
}
}  // namespace

TEST_F(GridEdits, AChannelPickShowsInItsCellAndItsListAfterANumberColumnClick) {
  struct Case {
    int col;
    const char* item;
    int byte, mask, want;
  } cases[] = {{Power, "LOW", 14, 0x03, 0x01}, {Width, "N", 15, 0x40, 0x40}};
  Under_Test u = Channel_Grid();
  auto* w = Forms::Find<frm_chann>();
  Vb_Grid* g = u.grid;
  ASSERT_NE(Radio_Image[0][0], 0xFF) << "channel 0 holds a factory channel";
  for (const Case& c : cases) {
    Click_Grid_Cell(g, 1, c.col);
    ASSERT_TRUE(w->Combo_edit->isVisible()) << c.item;
    User_Pick(w->Combo_edit, c.item);
    EXPECT_EQ(g->Text_At(1, c.col), c.item) << "the cell under the list shows the pick at once";
    Click_Grid_Cell(g, 3, 0);
    Click_Grid_Cell(g, 2, Rx);
    EXPECT_EQ(Radio_Image[0][c.byte] & c.mask, c.want) << c.item;
    EXPECT_EQ(g->Text_At(1, c.col), c.item);
    Click_Grid_Cell(g, 1, c.col);
    EXPECT_EQ(w->Combo_edit->Text(), c.item) << "the list opens on what is stored";
    Click_Grid_Cell(g, 2, Rx);
  }
  EXPECT_EQ(Check(u), "");
}

TEST_F(GridEdits, AClickOnTheNumberColumnCommitsTypedTextWithItsMessage) {
  struct Case {
    const char* name;
    Under_Test (*open)();
    int row, col;
    const char* typed;
    const char* shown;  // the cell after the click on the number column
    int messages;
    std::function<bool()> stored;
  } cases[] = {
      {"2-tone encode tone", Tone2_Encode_Grid, 4, 1, "1500", "1500.0", 0,
       [] { return Radio_Image[723][0] == 0xDC && Radio_Image[723][1] == 0x05; }},
      {"2-tone encode tone out of range", Tone2_Encode_Grid, 4, 2, "5000", "", 1,
       [] { return Radio_Image[723][8] == 0 && Radio_Image[723][9] == 0; }},
      {"channel name", Channel_Grid, 2, Name, "abc", "abc", 0,
       [] { return Radio_Image[257][0] == 'a' && Radio_Image[257][3] == 0xFF; }},
      {"FM name", Fm_Grid, 2, Fm_Name_Col, "xy", "XY", 0, [] { return Fm_Record_Show(1).name == "XY"; }},
  };
  for (const Case& c : cases) {
    Stop_Program(w);
    w = Start_Program();
    Under_Test u = c.open();
    Vb_Grid* g = u.grid;
    g->scrollTo(g->model()->index(c.row - 1, c.col));  // the user scrolls to it
    Click_Grid_Cell(g, c.row, c.col);
    rec.Clear();
    // The opened box has its text selected or not; what is typed replaces it.
    if (auto* box = qobject_cast<QLineEdit*>(Focus_In(g))) box->selectAll();
    Type_Keys(g, c.typed);
    Click_Grid_Cell(g, c.row + 2, 0);
    EXPECT_EQ(g->Text_At(c.row, c.col), c.shown) << c.name;
    EXPECT_EQ(static_cast<int>(rec.calls.size()), c.messages) << c.name;
    EXPECT_TRUE(c.stored()) << c.name;
    EXPECT_EQ(g->Row(), c.row) << c.name << ": the number column moves nothing";
    for (QWidget* e : u.editors) EXPECT_FALSE(e->isVisible()) << c.name;
    EXPECT_EQ(Check(u), "") << c.name;
    // The next click elsewhere stores nothing more.
    const Image_Table after = Radio_Image;
    Click_Grid_Cell(g, c.row + 1, c.col);
    EXPECT_TRUE(Radio_Image == after) << c.name;
  }
}

TEST_F(GridEdits, FiveToneEncodeRowsShowTheImageAndTheBoxEditsOnlyItsCell) {
  Under_Test u = Tone5_Encode_Grid();
  auto* f = Forms::Find<frm_5tone>();
  Vb_Grid* g = u.grid;
  for (int k = 0; k < 5; ++k) Radio_Image[593][10 + k] = static_cast<int16_t>(6 + k);  // frame 3 of entry 2
  f->Tone5_Show();
  // An entry without frame 1 stays drawn when left.
  const Image_Table before = Radio_Image;
  Click_Grid_Cell(g, 2, 2);
  ASSERT_TRUE(f->Text_Encode->isVisible());
  Click_Grid_Cell(g, 5, 4);
  EXPECT_TRUE(Radio_Image == before);
  EXPECT_EQ(g->Text_At(2, 2), "12345");
  EXPECT_EQ(g->Text_At(2, 3), "6789A");
  EXPECT_EQ(g->Text_At(2, 4), "ZVEI1");
  // Frame 1 emptied by the user: the click on a code number erases the entry
  // at once, and a later click elsewhere changes nothing more.
  Click_Grid_Cell(g, 15, 1);
  Type_Keys(g, "\b");
  Click_Grid_Cell(g, 3, 0);
  for (int c = 0; c < 16; ++c) EXPECT_EQ(Radio_Image[606][c], 0xFF) << c;
  EXPECT_EQ(g->Text_At(15, 2), "     ");
  EXPECT_EQ(g->Text_At(15, 4), "");
  const Image_Table erased = Radio_Image;
  Click_Grid_Cell(g, 6, 2);
  EXPECT_TRUE(Radio_Image == erased);
  // A refused move keeps the box and the current cell where they were.
  Click_Grid_Cell(g, 3, 1);
  Type_Keys(g, "ABCDE");
  Click_Grid_Cell(g, 1, 2);
  Type_Keys(g, "\b12");
  rec.Clear();
  Click_Grid_Cell(g, 3, 1);
  EXPECT_EQ(rec.Texts(), QStringList{"Encode Digit is 5 Bits."});
  EXPECT_EQ(g->Row(), 1);
  EXPECT_EQ(g->Col(), 2);
  EXPECT_TRUE(Over_Cell(g, f->Text_Encode, 1, 2));
  Type_Keys(g, "345");
  EXPECT_EQ(f->Text_Encode->Text(), "12345");
  Click_Grid_Cell(g, 6, 3);
  EXPECT_EQ(g->Text_At(1, 2), "12345");
  EXPECT_EQ(g->Text_At(3, 1), "ABCDE");
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Radio_Image[592][5 + k], k + 1) << k;
    EXPECT_EQ(Radio_Image[594][k], 10 + k) << k;
  }
  EXPECT_EQ(Check(u), "");
}

TEST_F(GridEdits, NoChannelListStaysOverAnotherRowNorOutsideTheCells) {
  for (int16_t lang : {int16_t{0}, int16_t{-1}}) {
    Lang_Flag = lang;
    Forms::Reload<frm_chann>();
    Under_Test u = Channel_Grid();
    auto* w = Forms::Find<frm_chann>();
    Vb_Grid* g = u.grid;
    ASSERT_EQ(Radio_Image[150][0], 0xFF) << "channel 150 is empty";
    Click_Grid_Cell(g, 2, Band);
    ASSERT_TRUE(w->Combo_edit->isVisible());
    g->Click_Cell(151, Power);
    EXPECT_FALSE(w->Combo_edit->isVisible()) << "the band list is left over channel 1";
    EXPECT_EQ(Check(u), "");
    // Every setting list of channel 0 lies inside the cells' area.
    for (int c = Dec; c <= Scr; ++c) {
      g->Click_Cell(1, c);
      ASSERT_TRUE(w->Combo_edit->isVisible()) << c;
      EXPECT_EQ(Check(u), "") << "column " << c << ", language " << lang;
    }
  }
}

TEST_F(GridEdits, AnInputMethodCommitIntoAChannelToneListTakesItsRule) {
  struct Case {
    int col;
    const char* composed;
    const char* shown;
  } cases[] = {{Dec, "d023n", "D023N"}, {Dec, "xyz67", "67"}, {Power, "xyz", "HIGH"}};
  Under_Test u = Channel_Grid();
  auto* w = Forms::Find<frm_chann>();
  Vb_Grid* g = u.grid;
  for (const Case& c : cases) {
    Click_Grid_Cell(g, 1, c.col);
    ASSERT_EQ(Focus_In(g), w->Combo_edit) << "an editable list keeps the focus itself";
    Compose_Into(Focus_In(g), c.composed);
    EXPECT_EQ(w->Combo_edit->Text(), c.shown) << c.composed;
    Click_Grid_Cell(g, 2, Rx);
  }
  // The first commit stored D023N in both tone pairs; 67 followed.
  EXPECT_EQ(Radio_Image[0][8], 158);
  EXPECT_EQ(Radio_Image[0][10], 158);
  Click_Grid_Cell(g, 1, Enc);
  Compose_Into(Focus_In(g), "d023n");
  Click_Grid_Cell(g, 2, Rx);
  EXPECT_EQ(Radio_Image[0][10], 1);
  EXPECT_EQ(Radio_Image[0][11], 0);
  EXPECT_EQ(Check(u), "");
}

// Every editable list of every editor window: what an input method commits
// into it (sent to the list, which keeps the focus) ends as typing the same
// keys does, in the list's text and in the image.
TEST_F(GridEdits, AnInputMethodCommitIntoEveryEditableListEndsAsTypingDoes) {
  const std::function<Vb_Form*()> windows[] = {
      [] { return static_cast<Vb_Form*>(Forms::Load<frm_chann>()); },
      [] { return static_cast<Vb_Form*>(Forms::Load<frm_option>()); },
      [] { return static_cast<Vb_Form*>(Forms::Load<frm_dtmf>()); },
      [] { return static_cast<Vb_Form*>(Forms::Load<frm_2tone>()); },
      [] { return static_cast<Vb_Form*>(Forms::Load<frm_5tone>()); },
      [] {
        auto* f = Forms::Load<frm_5tone>();
        f->TabStrip1->Click_Tab(2);
        return static_cast<Vb_Form*>(f);
      },
  };
  const QString texts[] = {"d023n", "xyz67", "*xyz", "88.5"};
  int lists = 0;
  for (const auto& open : windows) {
    Vb_Form* f = open();
    Let_Events_Run();
    // The lists the window shows; those floated over a grid's cells are
    // seen above, opened on their cells.
    for (Vb_Combo* list : f->findChildren<Vb_Combo*>()) {
      if (!list->isEditable() || !list->isVisible()) continue;
      ++lists;
      for (const QString& t : texts) {
        const Image_Table image = Radio_Image;
        const QString text = list->lineEdit()->text();
        const auto try_way = [&](const std::function<void()>& way) {
          Radio_Image = image;
          list->lineEdit()->setText(text);
          list->setFocus();
          way();
          return std::make_pair(list->Text(), Radio_Image);
        };
        const auto typed = try_way([&] {
          for (QChar ch : t) Send_Key(list, ch.toUpper().unicode(), QString(ch));
        });
        const auto composed = try_way([&] { Compose_Into(list, t); });
        EXPECT_EQ(composed.first, typed.first) << f->metaObject()->className() << " " << list->objectName().toStdString()
                                               << " " << t.toStdString();
        EXPECT_TRUE(composed.second == typed.second) << f->metaObject()->className() << " " << t.toStdString();
        Radio_Image = image;
        list->lineEdit()->setText(text);
      }
    }
  }
  EXPECT_GE(lists, 8);
}
