// While a transfer of a window's rows runs, nothing a user does in the
// window changes them, against the simulated radio: what a write reported
// done leaves in the radio is the image, and a read's result is what the
// radio holds. Every editor with its own transfer, and every editor under
// the whole-radio read and write.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QWheelEvent>
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "app/factory_image.h"
#include "editors/alignment/frm_adj_txp.h"
#include "editors/channel/frm_chann.h"
#include "editors/channel/frm_fm.h"
#include "editors/editor_window.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "link/chann_link.h"
#include "link/fm_link.h"
#include "link/transfer_dialogs.h"
#include "support/grid_input.h"
#include "support/sim_fixture.h"

namespace {
// Radio address spans, [first, end).
using Spans = std::vector<std::pair<int, int>>;

int Image_At(int addr) {
  if (addr >= Adj_Addr) return Adj_Image[(addr - Adj_Addr) / 16][addr % 16] & 0xFF;
  return Img_Byte(addr / 16, addr % 16);
}

int Bytes_Differing(const std::vector<uint8_t>& radio, const Spans& area) {
  int n = 0;
  for (const auto& [first, end] : area)
    for (int a = first; a < end; ++a) n += radio[a] != Image_At(a);
  return n;
}

// The controls through which a user changes a value; a list's edit field
// and a grid's views count as part of their control.
std::vector<QWidget*> Editing_Controls(QWidget* window) {
  std::vector<QWidget*> out;
  const std::function<void(QWidget*)> walk = [&](QWidget* parent) {
    for (QObject* o : parent->children()) {
      auto* w = qobject_cast<QWidget*>(o);
      if (!w || w->isWindow()) continue;
      const bool button = qobject_cast<QAbstractButton*>(w) && !qobject_cast<QPushButton*>(w);
      if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
          button) {
        out.push_back(w);
        continue;
      }
      walk(w);
    }
  };
  walk(window);
  return out;
}

std::vector<bool> Enabled_States(QWidget* window) {
  std::vector<bool> out;
  for (QWidget* w : Editing_Controls(window)) out.push_back(w->isEnabled());
  return out;
}

int Enabled_Count(QWidget* window) {
  int n = 0;
  for (QWidget* w : Editing_Controls(window)) n += w->isEnabled();
  return n;
}

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &release);
}

// Typed keys, a paste by key, a drop, then Enter.
void Type_Into(QWidget* w) {
  Key(w, Qt::Key_1, Qt::NoModifier, "1");
  Key(w, Qt::Key_2, Qt::NoModifier, "2");
  QApplication::clipboard()->setText("34");
  Key(w, Qt::Key_V, Qt::ControlModifier);
  QMimeData mime;
  mime.setText("5");
  QDropEvent drop(QRectF(w->rect()).center(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &drop);
  Key(w, Qt::Key_Return, Qt::NoModifier, "\r");
}

// Everything a user might do to change the window's values: a click on each
// control and on every cell of a grid's first rows, typed, pasted and dropped
// text into every box and list (and into whatever a cell click floated over
// the grid), a list's arrow keys and wheel.
void Try_Every_Edit(QWidget* window) {
  const std::vector<QWidget*> controls = Editing_Controls(window);
  for (QWidget* w : controls) {
    if (auto* g = qobject_cast<Vb_Grid*>(w)) {
      for (int r = 1; r < std::min(3, g->Rows()); ++r)
        for (int c = g->Fixed_Cols(); c < g->Cols(); ++c) {
          Click_Grid_Cell(g, r, c);
          for (QWidget* e : controls)
            if (e->isVisible() && (qobject_cast<QLineEdit*>(e) || qobject_cast<QComboBox*>(e))) Type_Into(e);
        }
      continue;
    }
    Click_At(w, w->rect().center());
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) Type_Into(w);
    if (qobject_cast<QComboBox*>(w)) {
      Key(w, Qt::Key_Down);
      const QPointF at = QRectF(w->rect()).center();
      QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(w, &wheel);
    }
  }
}

// Holds back the radio's answer to its nth frame of a kind until opened: the
// program waits for it meanwhile, so its transfer is certainly under way,
// with frames of that kind gone out before.
class Sim_Gate {
public:
  void Arm(radiosim::Radio_Sim& sim, radiosim::Frame_Kind kind, int nth) {
    seen_ = 0;
    // The simulator calls a copy of the function: the count lives here.
    sim.Set_On_Frame([this, kind, nth](const radiosim::Frame& f) {
      if (f.kind != kind || f.ignored || ++seen_ != nth) return;
      std::unique_lock lk(m_);
      held_ = true;
      cv_.wait(lk, [this] { return open_; });
    });
  }
  bool Held() {
    std::lock_guard lk(m_);
    return held_;
  }
  void Open() {
    {
      std::lock_guard lk(m_);
      open_ = true;
    }
    cv_.notify_all();
  }
  // Ready for the next transfer (the radio's last hold opened).
  void Reset() {
    std::lock_guard lk(m_);
    held_ = open_ = false;
  }

private:
  std::mutex m_;
  std::condition_variable cv_;
  bool held_ = false;
  bool open_ = false;
  std::atomic<int> seen_ = 0;
};

// An editor window, its buttons and its rows, whatever its class.
struct Editor {
  QWidget* window = nullptr;
  Link_Engine* engine = nullptr;
  QPushButton* read = nullptr;
  QPushButton* write = nullptr;
  QPushButton* def = nullptr;
  QPushButton* clear = nullptr;  // the channel and FM editors only
};

struct Editor_Case {
  const char* name;
  Editor (*open)();
  Spans read_area;   // what its read fills
  Spans write_area;  // what its write sends
};

template <class W>
Editor Open() {
  W* w = Forms::Reload<W>();
  Editor e{w, w->Engine(), w->Command_read, w->Command_Write, w->Command_def};
  if constexpr (requires { w->Command_Clear; }) e.clear = w->Command_Clear;
  Link_Profile& p = e.engine->Profile_Mutable();
  p = Patient(p);
  return e;
}

const Spans kChannRows{{0x0000, 0x0C80}, {0x1000, 0x1C80}};

const Editor_Case kEditors[] = {
    {"channel", &Open<frm_chann>, kChannRows, kChannRows},
    {"FM", &Open<frm_FM>, {{0x3000, 0x3100}}, {{0x3000, 0x3100}}},
    {"option", &Open<frm_option>, {{0x0E00, 0x1000}}, {{0x0E00, 0x1000}}},
    {"DTMF", &Open<frm_dtmf>, {{0x2900, 0x2B00}}, {{0x2900, 0x2B00}}},
    {"2-tone", &Open<frm_2tone>, {{0x2D00, 0x3000}}, {{0x2D00, 0x3000}}},
    {"5-tone", &Open<frm_5tone>, {{0x2400, 0x2600}}, {{0x2000, 0x2600}}},
    {"alignment", &Open<frm_Adj_Txp>, {{0x3C00, 0x3E00}}, {{0x3D80, 0x3DC0}}},
};

QString Busy_Text() { return link_text::Busy.Get(); }
QString Clear_Text() { return editor_text::Clear_Busy.Get(); }

// The refusals Default and Clear give while busy.
QStringList Refusals(const Editor& e) {
  QStringList out{Busy_Text()};
  if (e.clear) out << Clear_Text();
  return out;
}

void Press_Default_And_Clear(const Editor& e) {
  e.def->click();
  if (e.clear) e.clear->click();
}
}  // namespace

class TransferLock : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    Factory_Tables();
    Factory_Defaults();
    Band_Limits = {136, 174, 136, 174, 400, 480, 400, 480};
  }
  void TearDown() override {
    gate.Open();  // whatever a failed check left held
    Sim_Test::TearDown();
    sim.Set_On_Frame(nullptr);
  }
  // The radio's memory over the image's rows: every byte differs from the image.
  std::vector<uint8_t> Radio_Unlike_Image() {
    auto m = Random_Memory();
    for (int a = 0; a < 0x3DF0; ++a)
      if (m[a] == Image_At(a)) m[a] ^= 0x5A;
    sim.Set_Memory(m);
    return m;
  }
  Sim_Gate gate;
};

TEST_F(TransferLock, DuringAnEditorsWriteNothingChangesWhatItSends) {
  for (const Editor_Case& c : kEditors) {
    SCOPED_TRACE(c.name);
    Radio_Unlike_Image();
    const Editor e = c.open();
    const std::vector<bool> before = Enabled_States(e.window);
    ASSERT_GT(Enabled_Count(e.window), 0);
    sim.Clear_Log();
    Sim_Gate& g = gate;
    g.Reset();
    g.Arm(sim, radiosim::Frame_Kind::Write, 3);
    rec.Clear();
    e.write->click();
    ASSERT_TRUE(Spin_Until([&] { return g.Held(); }, 20000));
    EXPECT_EQ(Enabled_Count(e.window), 0) << "every editing control is disabled";

    Try_Every_Edit(e.window);
    Press_Default_And_Clear(e);
    EXPECT_EQ(rec.Texts(), Refusals(e));
    g.Open();
    ASSERT_TRUE(Spin_Until([&] { return static_cast<qsizetype>(rec.calls.size()) > Refusals(e).size(); }, 30000));
    EXPECT_EQ(rec.Texts().last(), e.engine->Profile().Texts.write_done.Get());
    EXPECT_EQ(static_cast<qsizetype>(rec.calls.size()), Refusals(e).size() + 1);
    EXPECT_EQ(Bytes_Differing(sim.Memory(), c.write_area), 0);
    EXPECT_EQ(Enabled_States(e.window), before) << "given back as they were";
    sim.Set_On_Frame(nullptr);
    Forms::Unload_All();
  }
}

TEST_F(TransferLock, DuringAnEditorsReadNoControlTakesAnEdit) {
  for (const Editor_Case& c : kEditors) {
    SCOPED_TRACE(c.name);
    Factory_Defaults();
    const Editor e = c.open();
    // The radio holds the factory values, which every redraw keeps as they
    // are; the image, something else.
    auto mem = Random_Memory();
    for (const auto& [first, end] : c.read_area)
      for (int a = first; a < end; ++a) mem[a] = static_cast<uint8_t>(Image_At(a));
    sim.Set_Memory(mem);
    Radio_Image = Marked_Image();
    // Values every alignment field takes (a redraw checks them).
    for (int r = 0; r < 16; ++r) Adj_Image[r].fill(5);
    const std::vector<bool> before = Enabled_States(e.window);
    sim.Clear_Log();
    Sim_Gate& g = gate;
    g.Reset();
    g.Arm(sim, radiosim::Frame_Kind::Read, 3);
    rec.Clear();
    e.read->click();
    ASSERT_TRUE(Spin_Until([&] { return g.Held(); }, 20000));
    EXPECT_EQ(Enabled_Count(e.window), 0);

    const Image_Table image = Radio_Image;
    const auto adj = Adj_Image;
    Try_Every_Edit(e.window);
    Press_Default_And_Clear(e);
    EXPECT_TRUE(Radio_Image == image && Adj_Image == adj) << "no control took an edit";
    EXPECT_EQ(rec.Texts(), Refusals(e));
    g.Open();
    ASSERT_TRUE(Spin_Until([&] { return static_cast<qsizetype>(rec.calls.size()) > Refusals(e).size(); }, 30000));
    EXPECT_EQ(rec.Texts().last(), e.engine->Profile().Texts.read_done.Get());
    EXPECT_EQ(Bytes_Differing(sim.Memory(), c.read_area), 0);
    EXPECT_EQ(Enabled_States(e.window), before);
    sim.Set_On_Frame(nullptr);
    Forms::Unload_All();
  }
}

class TransferLockWhole : public TransferLock {
protected:
  // Every editor open at once, and how each shows its controls.
  void Open_All() {
    for (const Editor_Case& c : kEditors) {
      editors.push_back(c.open());
      before.push_back(Enabled_States(editors.back().window));
    }
  }
  // Starts the dialog's transfer and waits until the radio holds back its
  // answer to the nth frame of a kind.
  template <class Dialog>
  void Start_Held(Dialog* d, QPushButton* go, radiosim::Frame_Kind kind, int nth) {
    ASSERT_NE(d, nullptr);
    sim.Clear_Log();
    gate.Arm(sim, kind, nth);
    rec.Clear();
    go->click();
    ASSERT_TRUE(Spin_Until([&] { return gate.Held(); }, 30000));
  }
  // Tries every edit in every editor whose rows the whole-radio transfer
  // moves; gives the refusals that Default and Clear got.
  QStringList Try_In_Every_Covered_Editor() {
    QStringList refusals;
    for (size_t k = 0; k < editors.size(); ++k) {
      const Editor& e = editors[k];
      SCOPED_TRACE(e.window->metaObject()->className());
      // The alignment area is no part of the memory image the transfer moves.
      if (!Covered(e)) {
        EXPECT_EQ(Enabled_States(e.window), before[k]);
        continue;
      }
      EXPECT_EQ(Enabled_Count(e.window), 0);
      Try_Every_Edit(e.window);
      Press_Default_And_Clear(e);
      refusals << Refusals(e);
    }
    return refusals;
  }
  // The refusals, then the transfer's own message once the radio goes on.
  void Finish(const QStringList& refusals, const QString& done) {
    EXPECT_EQ(rec.Texts(), refusals);
    gate.Open();
    ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() > static_cast<size_t>(refusals.size()); }, 60000));
    EXPECT_EQ(rec.Texts().last(), done);
  }
  void Expect_Controls_Back() {
    for (size_t k = 0; k < editors.size(); ++k) EXPECT_EQ(Enabled_States(editors[k].window), before[k]) << k;
  }
  std::vector<Editor> editors;
  std::vector<std::vector<bool>> before;
  static bool Covered(const Editor& e) { return !qobject_cast<frm_Adj_Txp*>(e.window); }
};

TEST_F(TransferLockWhole, DuringTheWholeRadioWriteNoEditorChangesWhatItSends) {
  Radio_Unlike_Image();
  Open_All();
  auto* d = Forms::Reload<Form_Comm_Write>(Patient(Comm_Write_Profile()));
  Start_Held(d, d->Command_Write, radiosim::Frame_Kind::Write, 100);
  // An editor opened while the write runs is locked from the start.
  for (Editor& e : editors)
    if (qobject_cast<frm_dtmf*>(e.window)) e = Open<frm_dtmf>();
  const QStringList refusals = Try_In_Every_Covered_Editor();
  Finish(refusals, "Complete Written the data to transceiver.");
  EXPECT_EQ(Bytes_Differing(sim.Memory(), {{0x0000, 0x3100}}), 0);
  Expect_Controls_Back();
}

TEST_F(TransferLockWhole, DuringTheWholeRadioReadNoEditorTakesAnEdit) {
  const auto mem = Random_Memory();
  Open_All();
  auto* d = Forms::Reload<Form_Comm_Read>(Patient(Comm_Read_Profile()));
  Start_Held(d, d->Command_read, radiosim::Frame_Kind::Read, 20);
  const Image_Table image = Radio_Image;
  const QStringList refusals = Try_In_Every_Covered_Editor();
  EXPECT_TRUE(Radio_Image == image) << "no control took an edit";
  Finish(refusals, "Complete reading data from the transceiver.");
  for (int a = 0; a < 788 * 16; ++a) ASSERT_EQ(Image_At(a), mem[a]) << a;
  Expect_Controls_Back();
}

// A transfer that fails, or is cancelled while it waits to retry, gives the
// controls back too.
TEST_F(TransferLockWhole, ControlsComeBackAfterAFailureAndAfterCancelInTheRetryPause) {
  sim.Set_Silent(true);
  {
    SCOPED_TRACE("the editor's own write fails");
    Editor e = Open<frm_dtmf>();
    const std::vector<bool> before = Enabled_States(e.window);
    Link_Profile& p = e.engine->Profile_Mutable();
    Quicken(p);
    p.Retry_Write = No_Retry;
    e.write->click();
    EXPECT_EQ(Enabled_Count(e.window), 0);
    ASSERT_TRUE(Spin_Until([&] { return !e.engine->Busy(); }, 10000));
    EXPECT_EQ(Enabled_States(e.window), before);
    Forms::Unload_All();
  }
  {
    SCOPED_TRACE("the whole-radio read fails");
    Editor e = Open<frm_option>();
    const std::vector<bool> before = Enabled_States(e.window);
    Link_Profile p = Comm_Read_Profile();
    Quicken(p);
    p.Retry_Read = No_Retry;
    auto* d = Forms::Reload<Form_Comm_Read>(p);
    rec.Clear();
    d->Command_read->click();
    EXPECT_EQ(Enabled_Count(e.window), 0);
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 10000));
    EXPECT_EQ(rec.Texts(), QStringList{link_text::Fail.Get()});
    EXPECT_FALSE(d->Busy());
    EXPECT_EQ(Enabled_States(e.window), before);
    Forms::Unload_All();
  }
  {
    SCOPED_TRACE("Cancel in the whole-radio read's retry pause");
    Editor e = Open<frm_chann>();
    const std::vector<bool> before = Enabled_States(e.window);
    Link_Profile p = Comm_Read_Profile();
    Quicken(p);
    p.Retry_Delay = 60000;  // the pause outlasts the test
    QPointer<Form_Comm_Read> d = Forms::Reload<Form_Comm_Read>(p);
    rec.Clear();
    d->Command_read->click();
    ASSERT_TRUE(Spin_Until([&] { return d->Engine()->Retry_Pending(); }, 10000));
    EXPECT_EQ(Enabled_Count(e.window), 0) << "the pause is part of the transfer";
    e.def->click();
    EXPECT_EQ(rec.Texts(), QStringList{Busy_Text()});
    d->Command_Cancel->click();
    EXPECT_TRUE(!d || d->Unloaded());
    EXPECT_EQ(Enabled_States(e.window), before);
  }
}

// Text typed into a grid's box and not yet committed when the user presses
// Read or Write goes in as a leave of the cell takes it, before the
// transfer's first row: the write sends it, the read replaces it, and no
// box is left over the grid holding text from before.
TEST_F(TransferLock, AnEditOpenWhenATransferStartsGoesInFirst) {
  struct Case {
    const char* name;
    Editor (*open)();
    Vb_Grid* (*grid)();
    int row, col;
    const char* typed;
    Spans area;
    std::function<bool()> stored;
  } cases[] = {
      {"channel RX", &Open<frm_chann>, [] { return Forms::Find<frm_chann>()->MSF_Chann; }, 1, chann_col::Rx,
       "145.125", kChannRows,
       [] { return Radio_Image[0][0] == 0x00 && Radio_Image[0][1] == 0x25 && Radio_Image[0][2] == 0x51; }},
      {"channel name", &Open<frm_chann>, [] { return Forms::Find<frm_chann>()->MSF_Chann; }, 2, chann_col::Name,
       "abc", kChannRows, [] { return Radio_Image[257][0] == 'a' && Radio_Image[257][3] == 0xFF; }},
      {"2-tone encode tone", &Open<frm_2tone>, [] { return Forms::Find<frm_2tone>()->MSF_Encode; }, 4, 1, "1500",
       {{0x2D00, 0x3000}}, [] { return Radio_Image[723][0] == 0xDC && Radio_Image[723][1] == 0x05; }},
  };
  for (const Case& c : cases)
    for (bool write : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (write ? ", write" : ", read"));
      Factory_Defaults();
      // A write goes to a radio unlike the image; a read comes from one that
      // holds the factory values over the area, which a redraw keeps as
      // they are, while the image holds the edit.
      auto mem = Radio_Unlike_Image();
      if (!write) {
        for (const auto& [first, end] : c.area)
          for (int a = first; a < end; ++a) mem[a] = static_cast<uint8_t>(Image_At(a));
        sim.Set_Memory(mem);
      }
      const Editor e = c.open();
      Vb_Grid* g = c.grid();
      g->scrollTo(g->model()->index(c.row - 1, c.col));
      Click_Grid_Cell(g, c.row, c.col);
      auto* box = qobject_cast<QLineEdit*>(Focus_In(g));
      ASSERT_NE(box, nullptr);
      box->selectAll();
      for (QChar ch : QString(c.typed)) Key(box, 0, Qt::NoModifier, ch);
      ASSERT_EQ(box->text(), c.typed);
      rec.Clear();
      sim.Clear_Log();
      (write ? e.write : e.read)->click();
      EXPECT_TRUE(c.stored()) << "in the image before the first row goes out";
      ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
      const Link_Texts& t = e.engine->Profile().Texts;
      EXPECT_EQ(rec.Texts(), QStringList{(write ? t.write_done : t.read_done).Get()});
      EXPECT_EQ(Bytes_Differing(write ? sim.Memory() : mem, c.area), 0);
      EXPECT_FALSE(box->isVisible()) << "no box holds text from before";
      // Clicking elsewhere afterwards stores nothing from before.
      const Image_Table after = Radio_Image;
      Click_Grid_Cell(g, c.row + 1, c.col);
      EXPECT_TRUE(Radio_Image == after);
      Forms::Unload_All();
    }
}
