// Text typed into a grid's box and left open there, then the user saves or
// closes instead of clicking elsewhere: the file holds what the box showed,
// the closed window's edit stays in the image, and a box whose leave
// refuses (a 5-tone frame of other than five digits) holds the save or the
// close up, staying over its cell with its text. Worked through the user's
// own paths: the window's buttons, the menu bar clicked, the close box.
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>

#include "editors/channel/frm_chann.h"
#include "editors/channel/frm_fm.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/tone5_area.h"
#include "files/file_dialogs.h"
#include "files/image_file.h"
#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"
#include "support/app_fixture.h"
#include "support/grid_input.h"
#include "support/spin.h"

namespace {
using namespace chann_col;

const QString kSaved = "Complete storing  parameter.";
const QString kFiveDigits = "Encode Digit is 5 Bits.";

// One editor window as the test works it: its grid, its Save and Close
// buttons, and the window itself.
struct Editor {
  QPointer<Vb_Form> form;  // gone once a closed window is freed
  Vb_Grid* grid = nullptr;
  QPushButton* save = nullptr;
  QPushButton* close = nullptr;
};

template <class W>
Editor Editor_Of(W* w, Vb_Grid* grid) {
  return {w, grid, w->Command_save, w->Command_close};
}

Editor Channels() {
  auto* w = Forms::Load<frm_chann>();
  return Editor_Of(w, w->MSF_Chann);
}
Editor Fm() {
  auto* w = Forms::Load<frm_FM>();
  return Editor_Of(w, w->MSF_Chann);
}
Editor Tone2() {
  auto* w = Forms::Load<frm_2tone>();
  return Editor_Of(w, w->MSF_Encode);
}
Editor Tone5() {
  auto* w = Forms::Load<frm_5tone>();
  w->TabStrip1->Click_Tab(2);
  return Editor_Of(w, w->MSF_Encode);
}

struct Box_Case {
  const char* name;
  Editor (*open)();
  int row, col;
  const char* typed;
  // The typed value, in an image or a file's table.
  std::function<bool(const Image_Table&)> holds;
};

const Box_Case kBoxes[] = {
    {"channel name", Channels, 1, Name, "abc",
     [](const Image_Table& t) { return t[256][0] == 'a' && t[256][1] == 'b' && t[256][2] == 'c'; }},
    {"channel RX", Channels, 1, Rx, "145.125",
     [](const Image_Table& t) { return t[0][0] == 0x00 && t[0][1] == 0x25 && t[0][2] == 0x51 && t[0][3] == 0x14; }},
    {"channel TX", Channels, 1, Tx, "146.250",
     [](const Image_Table& t) { return t[0][4] == 0x00 && t[0][5] == 0x50 && t[0][6] == 0x62 && t[0][7] == 0x14; }},
    {"FM name", Fm, 1, 2, "abc",
     // A name of three characters is stored from byte 10 on.
     [](const Image_Table& t) { return t[768][10] == 'A' && t[768][11] == 'B' && t[768][12] == 'C'; }},
    {"2-tone encode tone", Tone2, 4, 1, "1500",
     [](const Image_Table& t) { return t[723][0] == 0xDC && t[723][1] == 0x05; }},
    {"5-tone frame", Tone5, 1, 1, "54321",
     [](const Image_Table& t) {
       for (int k = 0; k < 5; ++k)
         if (t[Tone5_Encode_Row][k] != 5 - k) return false;
       return true;
     }},
};

class OpenEdit : public ::testing::Test {
public:
  void SetUp() override {
    No_Serial_Ports();
    w = Start_Program();
    Let_Events_Run();
    ASSERT_TRUE(dir.isValid());
    rec.Clear();
  }
  void TearDown() override { Stop_Program(w); }

  // The program started afresh: factory image, the channel editor alone.
  void Restart() {
    Stop_Program(w);
    w = Start_Program();
    Let_Events_Run();
    rec.Clear();
  }

  // A click on the cell, then the keys typed over what the box opened with.
  QLineEdit* Type_Into(const Editor& e, int row, int col, const QString& typed) {
    e.grid->scrollTo(e.grid->model()->index(row - 1, col));
    Click_Grid_Cell(e.grid, row, col);
    auto* box = qobject_cast<QLineEdit*>(Focus_In(e.grid));
    if (!box) return nullptr;
    box->selectAll();
    for (QChar ch : typed) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(box, &press);
    }
    return box->text() == typed ? box : nullptr;
  }

  // A menu of the menu bar opened by a click, then its item clicked.
  void Menu_Click(const char* menu, const char* item) {
    QMenuBar* bar = w->menuBar();
    QAction* m = w->Item(menu);
    Click_At(bar, bar->actionGeometry(m).center());
    QMenu* popup = m->menu();
    ASSERT_TRUE(Spin_Until([&] { return popup->isVisible(); }, 5000));
    Click_At(popup, popup->actionGeometry(w->Item(item)).center());
    Let_Events_Run();
  }

  // The save dialog up, the file named in it and Confirm clicked.
  Form_save_chann* Confirm_Save(const QString& name) {
    auto* d = Forms::Find<Form_save_chann>();
    if (!d) return nullptr;
    d->Set_Folder(dir.path());
    d->Text1->setText(name);
    d->Command_enter->click();
    return d;
  }

  std::optional<Image_Table> Saved(const QString& name) {
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return Image_File_Parse(f.readAll(), nullptr);
  }

  Msg_Recorder rec;
  std::unique_ptr<MDImain> w;
  QTemporaryDir dir;
};

// Each way of saving or closing, from a box left open with typed text.
struct Action {
  const char* name;
  bool saves;
  std::function<void(OpenEdit&, const Editor&)> run;
};
}  // namespace

TEST_F(OpenEdit, ASaveOrACloseTakesWhatTheOpenBoxHolds) {
  const std::vector<Action> actions = {
      {"the window's Save", true,
       [](OpenEdit&, const Editor& e) { e.save->click(); }},
      {"File > Save As", true, [](OpenEdit& t, const Editor&) { t.Menu_Click("File", "File_saveas"); }},
      {"the window's Close", false, [](OpenEdit&, const Editor& e) { e.close->click(); }},
      {"the close box", false, [](OpenEdit&, const Editor& e) { e.form->Host()->close(); }},
  };
  int files = 0;
  for (const Box_Case& c : kBoxes)
    for (const Action& a : actions) {
      SCOPED_TRACE(std::string(c.name) + ", " + a.name);
      const Editor e = c.open();
      Let_Events_Run();
      ASSERT_FALSE(c.holds(Radio_Image)) << "the test types a value the image does not hold yet";
      QLineEdit* box = Type_Into(e, c.row, c.col, c.typed);
      ASSERT_NE(box, nullptr);
      rec.Clear();
      a.run(*this, e);
      Let_Events_Run();
      if (a.saves) {
        const QString name = QString("f%1.dat").arg(++files);
        ASSERT_NE(Confirm_Save(name), nullptr);
        EXPECT_EQ(rec.Texts(), QStringList{kSaved});
        const auto file = Saved(name);
        ASSERT_TRUE(file.has_value());
        EXPECT_TRUE(c.holds(*file)) << "the file holds what the box showed";
        EXPECT_FALSE(box->isVisible());
        Forms::Unload<Form_save_chann>();
      } else {
        EXPECT_TRUE(!e.form || e.form->Unloaded());
        EXPECT_TRUE(rec.Texts().isEmpty()) << rec.Texts().join("|").toStdString();
      }
      EXPECT_TRUE(c.holds(Radio_Image)) << "the image keeps the typed value";
      Restart();
    }
}

// A frame of two digits is refused by its leave: neither a save nor a close
// goes ahead, the box stays over its cell holding what was typed, and once
// the frame has its five digits the same Confirm saves it.
TEST_F(OpenEdit, AFrameTheLeaveRefusesHoldsTheSaveAndTheCloseUp) {
  const Editor e = Tone5();
  Let_Events_Run();
  QLineEdit* box = Type_Into(e, 1, 1, "12");
  ASSERT_NE(box, nullptr);
  const auto box_still_open = [&] {
    EXPECT_TRUE(e.form && !e.form->Unloaded());
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "12");
    EXPECT_EQ(Widget_Over_Cell(e.grid, 1, 1), box);
    EXPECT_EQ(e.grid->Row(), 1);
    EXPECT_EQ(e.grid->Col(), 1);
  };
  const std::vector<std::pair<const char*, std::function<void()>>> closes = {
      {"the window's Close", [&] { e.close->click(); }},
      {"the close box", [&] { e.form->Host()->close(); }},
  };
  for (const auto& [name, close] : closes) {
    SCOPED_TRACE(name);
    rec.Clear();
    close();
    Let_Events_Run();
    EXPECT_EQ(rec.Texts(), QStringList{kFiveDigits});
    box_still_open();
  }
  for (const auto& save : {std::function<void()>([&] { e.save->click(); }),
                           std::function<void()>([&] { Menu_Click("File", "File_saveas"); })}) {
    rec.Clear();
    save();
    Let_Events_Run();
    auto* d = Confirm_Save("short.dat");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(rec.Texts(), QStringList{kFiveDigits});
    EXPECT_FALSE(QFile::exists(dir.filePath("short.dat"))) << "nothing is saved";
    EXPECT_FALSE(d->Unloaded()) << "the dialog stays for a later try";
    box_still_open();
  }
  // The user completes the frame where the box still lies.
  for (QChar ch : QString("345")) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(box, &press);
  }
  rec.Clear();
  Forms::Find<Form_save_chann>()->Command_enter->click();
  EXPECT_EQ(rec.Texts(), QStringList{kSaved});
  const auto file = Saved("short.dat");
  ASSERT_TRUE(file.has_value());
  for (int k = 0; k < 5; ++k) EXPECT_EQ((*file)[Tone5_Encode_Row][k], k + 1) << k;
  rec.Clear();
  e.close->click();
  EXPECT_TRUE(!e.form || e.form->Unloaded());
  EXPECT_TRUE(rec.Texts().isEmpty());
}

// A file opened while a box still holds typed text: the file's values are
// what the image and the window hold afterwards, and the box, left later,
// stores nothing over them.
TEST_F(OpenEdit, AFileOpenedOverAnOpenBoxKeepsTheFilesValues) {
  Image_Table other = Radio_Image;
  for (int c = 0; c < 16; ++c) other[256][c] = c < 3 ? 'x' : 0xFF;
  QString why;
  ASSERT_TRUE(Image_File_Save(dir.filePath("other.dat"), other, &why)) << why.toStdString();
  const Editor e = Channels();
  QLineEdit* box = Type_Into(e, 1, Name, "abc");
  ASSERT_NE(box, nullptr);
  Menu_Click("File", "File_Open");
  auto* d = Forms::Find<Form_open_chann>();
  ASSERT_NE(d, nullptr);
  d->Set_Folder(dir.path());
  d->Text1->setText("other.dat");
  rec.Clear();
  d->Command_enter->click();
  EXPECT_EQ(rec.Texts(), QStringList{"Succeed fold the parameter from file."});
  Let_Events_Run();
  EXPECT_EQ(Radio_Image[256][0], 'x');
  EXPECT_FALSE(box->isVisible());
  Click_Grid_Cell(e.grid, 3, Name);
  Click_Grid_Cell(e.grid, 4, 0);
  Let_Events_Run();
  EXPECT_EQ(Radio_Image[256][0], 'x') << "nothing typed before the load is stored over it";
  EXPECT_EQ(Radio_Image[256][1], 'x');
  EXPECT_EQ(e.grid->Text_At(1, Name).trimmed(), "xxx");
}
