// The channel editor window in the started program (offscreen): captions,
// headers, sizing, its buttons and the cell editing through the real grid
// events.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QProgressBar>
#include <QScrollBar>
#include <QPushButton>

#include "data/chann_default.h"
#include "data/image_map.h"
#include "editors/channel/frm_chann.h"
#include "editors/image_rows.h"
#include "files/file_dialogs.h"
#include "link/chann_link.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"
#include "support/app_fixture.h"
#include "support/context_menu.h"
#include "support/grid_input.h"

namespace {
using namespace chann_col;
QString U(const char* s) { return QString::fromUtf8(s); }

void Key(QWidget* w, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
}
}  // namespace

class ChannWindow : public Program_Test {
protected:
  frm_chann* W() { return Forms::Find<frm_chann>(); }
  Vb_Grid* G() { return W()->MSF_Chann; }
  int B(int row, int col) { return Radio_Image[row][col]; }
};

TEST_F(ChannWindow, CaptionsHeadersAndRowsInBothLanguages) {
  struct Case {
    int16_t lang;
    const char* caption;
    QStringList buttons;
    const char* password;
    QStringList headers;
  } cases[] = {
      {0, "Channel Information", {"Read", "Write", "Clear", "Default", "Save", "Open", "Close"}, "PassWord",
       {"Channel", "  Band  ", "RX Frequency", "TX Frequency", "CTCSS/DCS Dec", "CTCSS/DCS Enc", "TX Power",
        " W/N ", "PTT-ID", "BusyLock", "Scan_Add", "SigCode", "Opisug", "Spmute", "SCR", "    CH-Name   "}},
      {-1, "信道参数编辑", {U("读 取"), U("写 入"), U("清 除"), U("出厂值"), U("保 存"), U("打 开"), U("关 闭")},
       "读写密码",
       {U("信道号"), U(" 工作频段 "), U("接收频率(MHZ)"), U("发射频率(MHZ)"), U("QT/DQT 解码"), U("QT/DQT 编码"),
        U("发射功率"), U("信道带宽"), "PTT-ID", U("繁忙锁定"), U("扫描添加"), U("信令码"), U("可选信令"),
        U("静音方式"), U("扰频"), U("信   道   名   称")}},
  };
  for (const auto& c : cases) {
    Lang_Flag = c.lang;
    frm_chann* w = Forms::Reload<frm_chann>();
    Let_Events_Run();
    EXPECT_EQ(w->windowTitle(), U(c.caption));
    const QPushButton* b[] = {w->Command_read, w->Command_Write, w->Command_Clear, w->Command_def,
                              w->Command_save, w->Command_open, w->Command_close};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(b[k]->text(), c.buttons[k]);
    EXPECT_EQ(w->Label_PassWord->text(), U(c.password));
    EXPECT_EQ(w->Text_PassWord->text(), "580417");
    ASSERT_EQ(w->MSF_Chann->Cols(), 16);
    for (int col = 0; col < 16; ++col) EXPECT_EQ(w->MSF_Chann->Text_At(0, col), c.headers[col]) << col;
    EXPECT_EQ(w->MSF_Chann->Rows(), 201);
    EXPECT_EQ(w->MSF_Chann->Text_At(1, 0), "0");
    EXPECT_EQ(w->MSF_Chann->Text_At(200, 0), "199");
    // Each column as wide as its header text; every header readable.
    for (int col = 0; col < 16; ++col)
      EXPECT_GE(w->MSF_Chann->Col_Width(col),
                w->MSF_Chann->horizontalHeader()->fontMetrics().horizontalAdvance(c.headers[col]))
          << col;
    EXPECT_FALSE(w->Text_Edit->isVisible());
    EXPECT_FALSE(w->ProgressBar1->isVisible());
  }
}

TEST_F(ChannWindow, PasswordBoxIsNeverSeenYetItsTextReachesTheEngine) {
  frm_chann* w = W();
  Let_Events_Run();
  ASSERT_TRUE(w->isVisible());
  EXPECT_FALSE(w->Label_PassWord->isVisible());
  EXPECT_FALSE(w->Text_PassWord->isVisible());
  EXPECT_EQ(Pass_Typed[0], 0) << "the box's start text is no typed password";
  w->Text_PassWord->setText("123456");
  EXPECT_EQ(QString(QChar(Pass_Typed[0])) + QChar(Pass_Typed[5]), "16");
}

TEST_F(ChannWindow, SizedFromTheMainWindowAndCentred) {
  frm_chann* w = Forms::Reload<frm_chann>();
  Let_Events_Run();
  QWidget* host = w->Host();
  ASSERT_NE(host, nullptr);
  const QRect main = Forms::Main()->frameGeometry();
  const QWidget* area = Forms::Mdi_Area();
  EXPECT_NEAR(host->width(), main.width() / 1.3241, 2);
  EXPECT_NEAR(host->height(), main.height() / 1.2632, 2);
  EXPECT_NEAR(host->x(), (area->width() - host->width()) / 2.0, 2);
  EXPECT_NEAR(host->y(), (area->height() - host->height()) / 2.0, 2);
  // Grid, buttons and transfer display inside the window, not overlapping.
  const QRect inside = w->rect();
  for (QWidget* c : std::initializer_list<QWidget*>{w->MSF_Chann, w->Command_read, w->Command_close,
                                                    w->Text_PassWord, w->ProgressBar1, w->Label_tr_count})
    EXPECT_TRUE(inside.contains(c->geometry())) << c->metaObject()->className();
  EXPECT_LT(w->MSF_Chann->geometry().bottom(), w->ProgressBar1->geometry().top());
  EXPECT_LT(w->ProgressBar1->geometry().bottom(), w->Command_read->geometry().top());
  EXPECT_LT(w->Command_close->geometry().right(), w->Label_PassWord->geometry().left());
  EXPECT_NEAR(w->MSF_Chann->width(), w->width() / 1.02, 2);
}

TEST_F(ChannWindow, ClearEmptiesBothAreasAndDefaultKeepsOnlyFactoryNames) {
  frm_chann* w = W();
  for (int ch : {0, 3, 50}) Radio_Image[256 + ch][0] = 'N';
  w->Command_Clear_Click();
  for (int r = 0; r <= 199; ++r)
    for (int c = 0; c < 16; ++c) {
      ASSERT_EQ(B(r, c), 0xFF);
      ASSERT_EQ(B(256 + r, c), 0xFF);
    }
  for (int r = 1; r <= 200; ++r)
    for (int c = 1; c <= 15; ++c) ASSERT_EQ(G()->Text_At(r, c), "") << r << "," << c;
  EXPECT_EQ(G()->Text_At(200, 0), "199");
  // Default: the factory channels; the names of channels it leaves empty go.
  for (int ch : {0, 3, 50}) Radio_Image[256 + ch][0] = 'N';
  w->Command_def_Click();
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(B(256 + 0, 0), 'N');
  EXPECT_EQ(B(256 + 3, 0), 'N');
  EXPECT_EQ(B(256 + 50, 0), 0xFF);
  EXPECT_EQ(G()->Text_At(1, Name), "N");
  EXPECT_EQ(G()->Text_At(1, Rx), "155.02500");
}

TEST_F(ChannWindow, BusyRefusalsAndTheCloseBox) {
  frm_chann* w = W();
  const Image_Table before = Radio_Image;
  w->Engine()->Busy_Write = -1;
  w->Command_Clear_Click();
  w->Command_open_Click();
  w->Command_save_Click();
  w->Command_read_Click();
  w->Command_close_Click();
  w->Host()->close();
  EXPECT_EQ(rec.Texts(), (QStringList{U("Read-write operating，don't clear operate .,"),
                                      "Read-write operating with transceiver .",
                                      "Read-write operating with transceiver .",
                                      "Read-write operating with transceiver .",
                                      U("Read-write operating，don't close the window. ,"),
                                      U("Read-write operating，don't close the window. ,")}));
  for (const auto& c : rec.calls) EXPECT_EQ(c.title, "Operate prompt");
  EXPECT_EQ(Radio_Image, before);
  EXPECT_EQ(Forms::Find<Form_open_chann>(), nullptr);
  EXPECT_EQ(Forms::Find<Form_save_chann>(), nullptr);
  EXPECT_FALSE(w->Unloaded());
  Lang_Flag = -1;
  rec.Clear();
  w->Host()->close();
  EXPECT_EQ(rec.Texts(), QStringList{U("正在进行读写操作,请勿关窗口 ！,")});
  EXPECT_EQ(rec.calls[0].title, U("操作提示"));
  Lang_Flag = 0;
  // Idle: the close box and the Close button close; Open shows its dialog.
  w->Engine()->Busy_Write = 0;
  w->Command_open_Click();
  EXPECT_NE(Forms::Find<Form_open_chann>(), nullptr);
  w->Command_close_Click();
  EXPECT_TRUE(w->Unloaded());
  EXPECT_EQ(Forms::Find<Form_open_chann>(), nullptr);
  frm_chann* again = Forms::Load<frm_chann>();
  again->Host()->close();
  EXPECT_TRUE(again->Unloaded());
}

TEST_F(ChannWindow, ClickEditLeaveThroughTheGridEvents) {
  frm_chann* w = W();
  w->Command_Clear_Click();
  Vb_Grid* g = G();
  // The band list on a blank row, then the RX box.
  g->Click_Cell(10, Band);
  ASSERT_TRUE(w->Combo_edit->isVisible());
  EXPECT_EQ(w->Combo_edit->List_Count(), 1);
  const QRect cell = g->Cell_Rect();
  EXPECT_EQ(w->Combo_edit->geometry().topLeft(), g->geometry().topLeft() + cell.topLeft());
  w->Combo_edit->Set_List_Index(0);
  EXPECT_EQ(g->Text_At(10, Band), "VHF/UHF");
  g->Click_Cell(10, Rx);
  ASSERT_TRUE(w->Text_Edit->isVisible());
  EXPECT_FALSE(w->Combo_edit->isVisible());
  EXPECT_EQ(w->Text_Edit->geometry(), QRect(g->geometry().topLeft() + g->Cell_Rect().topLeft(),
                                            g->Cell_Rect().size()));
  w->Text_Edit->Type_Text("145.5");
  // Leaving by a click commits: defaults, RX = TX.
  g->Click_Cell(10, Power);
  EXPECT_EQ(B(9, 0), 0x00);
  EXPECT_EQ(B(9, 2), 0x55);
  EXPECT_EQ(B(9, 3), 0x14);
  EXPECT_EQ(B(9, 7), 0x14);
  EXPECT_EQ(B(9, 15), 0x04);
  EXPECT_EQ(g->Text_At(10, Tx), "145.50000");
  EXPECT_FALSE(w->Text_Edit->isVisible());
  ASSERT_TRUE(w->Combo_edit->isVisible());
  EXPECT_EQ(w->Combo_edit->Text(), "HIGH");
  w->Combo_edit->Set_List_Index(1);
  EXPECT_EQ(B(9, 14), 0x01);
  // Typing into a setting list is undone.
  Key(w->Combo_edit->lineEdit(), Qt::Key_X, "x");
  EXPECT_EQ(w->Combo_edit->Text(), "LOW");
  // Arrow keys move the current cell without an editor: nothing is committed.
  g->setFocus();
  const Image_Table before = Radio_Image;
  Key(g, Qt::Key_Right);
  EXPECT_EQ(g->Col(), Width);
  EXPECT_EQ(g->Text_At(10, Power), "LOW") << "the choice shows once its cell is left";
  for (int k = 0; k < 6; ++k) Key(g, Qt::Key_Left);
  Key(g, Qt::Key_Up);
  Key(g, Qt::Key_Down);
  EXPECT_EQ(g->Col(), Band);
  Key(g, Qt::Key_Down);
  EXPECT_EQ(Radio_Image, before) << "a stale editor text was committed";
  EXPECT_EQ(g->Text_At(10, Rx), "145.50000");
  // Clicking RX and leaving it unchanged leaves TX alone.
  g->Click_Cell(10, Tx);
  w->Text_Edit->selectAll();
  w->Text_Edit->Type_Text("150");
  g->Click_Cell(10, Rx);
  EXPECT_EQ(g->Text_At(10, Tx), "150.00000");
  g->Click_Cell(10, Name);
  EXPECT_EQ(g->Text_At(10, Tx), "150.00000");
  EXPECT_TRUE(rec.calls.empty());
  // A tone typed into the tone list passes the key filter in upper case.
  g->Click_Cell(10, Enc);
  ASSERT_TRUE(w->Combo_edit->isVisible());
  EXPECT_EQ(w->Combo_edit->Text(), "");
  for (char ch : QByteArray("d0x2-3n"))
    Key(w->Combo_edit->lineEdit(), ch >= 'a' ? Qt::Key_A + (ch - 'a') : Qt::Key_0, QString(QChar(ch)));
  EXPECT_EQ(w->Combo_edit->Text(), "D023N");
  g->Click_Cell(11, Rx);
  EXPECT_EQ(B(9, 10), 1);
  EXPECT_EQ(B(9, 11), 0);
  EXPECT_EQ(g->Text_At(10, Enc), "D023N");
}

// The grid's floating editors take a right-click Paste as typed keys.
TEST_F(ChannWindow, RightClickPasteIntoTheFloatingEditors) {
  frm_chann* w = W();
  w->Command_Clear_Click();
  Vb_Grid* g = G();
  struct Case {
    int col;
    QWidget* (*box)(frm_chann*);
    QString clip;
    QString want;
  } cases[] = {
      {Rx, [](frm_chann* f) -> QWidget* { return f->Text_Edit; }, "145.5\n", "145.5"},
      {Enc, [](frm_chann* f) -> QWidget* { return f->Combo_edit->lineEdit(); }, "d0x2-3n", "D023N"},
      {Power, [](frm_chann* f) -> QWidget* { return f->Combo_edit->lineEdit(); }, "xy", "HIGH"},
  };
  for (const auto& c : cases) {
    g->Click_Cell(10, c.col);
    QWidget* box = c.box(w);
    ASSERT_TRUE(box->isVisible()) << c.col;
    QApplication::clipboard()->setText(c.clip);
    const Menu_Pick menu = Context_Menu_Pick(box, "Paste");
    ASSERT_TRUE(menu.picked) << c.col << ": " << menu.offered.join(", ").toStdString();
    EXPECT_EQ(qobject_cast<QLineEdit*>(box)->text(), c.want) << c.col;
    EXPECT_FALSE(menu.offered.contains("Undo")) << c.col;
  }
  g->Click_Cell(11, Rx);
  EXPECT_EQ(g->Text_At(10, Rx), "145.50000");
  EXPECT_EQ(g->Text_At(10, Enc), "D023N");
  EXPECT_EQ(B(9, 10), 1);
  EXPECT_EQ(B(9, 11), 0);
}

// A tone list takes dragged text and the middle-click paste through its
// typing rule too (middle click only where there is a selection clipboard).
TEST_F(ChannWindow, DroppedAndMiddleClickedTextIntoAToneListTakesItsRule) {
  frm_chann* w = W();
  w->Command_Clear_Click();
  Vb_Grid* g = G();
  g->Click_Cell(10, Rx);
  Key(w->Text_Edit, Qt::Key_1, "1");
  Key(w->Text_Edit, Qt::Key_4, "4");
  Key(w->Text_Edit, Qt::Key_5, "5");
  g->Click_Cell(10, Dec);
  QLineEdit* field = w->Combo_edit->lineEdit();
  ASSERT_TRUE(field->isVisible());
  field->clear();
  QMimeData mime;
  mime.setText("d754i");
  const QPoint at(field->width() - 2, field->height() / 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &enter);
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &drop);
  EXPECT_EQ(w->Combo_edit->Text(), "D754I");
  const bool selection = QApplication::clipboard()->supportsSelection();
  if (selection) {
    g->Click_Cell(10, Enc);
    field->clear();
    QApplication::clipboard()->setText("d023n", QClipboard::Selection);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), field->mapToGlobal(QPointF(2, 2)), Qt::MiddleButton,
                      Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(field, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), field->mapToGlobal(QPointF(2, 2)),
                        Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(field, &release);
    EXPECT_EQ(w->Combo_edit->Text(), "D023N");
  }
  g->Click_Cell(11, Rx);
  EXPECT_EQ(g->Text_At(10, Dec).trimmed(), "D754I");
  if (selection) {
    EXPECT_EQ(g->Text_At(10, Enc), "D023N");
  }
}

TEST_F(ChannWindow, EnterWalksThroughTheRow) {
  frm_chann* w = W();
  w->Command_Clear_Click();
  Vb_Grid* g = G();
  g->Click_Cell(3, Rx);
  w->Text_Edit->Type_Text("146");
  w->Text_Edit->Type_Key(13);
  EXPECT_EQ(g->Col(), Tx);
  ASSERT_TRUE(w->Text_Edit->isVisible());
  EXPECT_EQ(w->Text_Edit->Text(), "146.00000");
  EXPECT_EQ(B(2, 3), 0x14);
  EXPECT_EQ(B(2, 2), 0x60);
  w->Text_Edit->Type_Key(13);
  EXPECT_EQ(g->Col(), Dec);
  ASSERT_TRUE(w->Combo_edit->isVisible());
  Key(w->Combo_edit->lineEdit(), Qt::Key_Return, "\r");
  EXPECT_EQ(g->Col(), Enc);
  for (int c = Enc; c < Scr; ++c) Key(w->Combo_edit->lineEdit(), Qt::Key_Return, "\r");
  EXPECT_EQ(g->Col(), Scr);
  Key(w->Combo_edit->lineEdit(), Qt::Key_Return, "\r");
  EXPECT_EQ(g->Col(), Name);
  ASSERT_TRUE(w->Text_Edit->isVisible());
  // The walk scrolled the grid sideways; the channel numbers stay in view at
  // the left edge, beside the box and not under it.
  ASSERT_GT(g->horizontalScrollBar()->value(), 0);
  const QRect number = g->Cell_Rect_At(3, Number);
  EXPECT_EQ(number.left(), g->frameWidth());
  QWidget* shown = Widget_Over_Cell(g, 3, Number);
  EXPECT_TRUE(shown && g->isAncestorOf(shown) && shown != g->viewport()) << "the number is drawn there";
  EXPECT_FALSE(w->Text_Edit->geometry().intersects(number.translated(g->pos())));
  EXPECT_EQ(w->Text_Edit->geometry(), g->Cell_Rect().translated(g->pos()));
  EXPECT_EQ(w->Text_Edit->width(), g->Col_Width(Name)) << "the name cell is wholly in view";
  w->Text_Edit->Type_Text("ABC");
  w->Text_Edit->Type_Key(13);
  EXPECT_FALSE(w->Text_Edit->isVisible()) << "Enter in the name box hides it";
  EXPECT_EQ(B(256 + 2, 0), 0xFF) << "the name is stored when the cell is left";
  g->Click_Cell(4, Rx);
  EXPECT_EQ(B(256 + 2, 0), 'A');
  EXPECT_EQ(B(256 + 2, 3), 0xFF);
  EXPECT_EQ(B(2, 6), 0x60) << "the walk through the lists changed nothing";
  EXPECT_TRUE(rec.calls.empty());
  // Scrolling hides the text box.
  ASSERT_TRUE(w->Text_Edit->isVisible());
  g->Set_Top_Row(150);
  EXPECT_FALSE(w->Text_Edit->isVisible());
}

TEST_F(ChannWindow, ANameCellShowsTheNameAsStoredAndTooLongWhenItDoesNotFit) {
  struct Case {
    int16_t lang;
    const char* typed;
    const char* shown;
    Row16 stored;
    const char* message;  // nullptr: none
  } const cases[] = {
      {0, "A丂丂丂丂", "A丂丂丂", {'A', 0x81, 0x40, 0x81, 0x40, 0x81, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
       "The letter of channel name max 8 bit . "},
      {-1, "ABCDEFG中", "ABCDEFG", {'A', 'B', 'C', 'D', 'E', 'F', 'G', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
       "信道名称的字符个数最大为 8 ！"},
      {0, "ABCDEFGHIJ", "ABCDEFGH", {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
       "The letter of channel name max 8 bit . "},
      {0, "中文A", "中文A", {0xD6, 0xD0, 0xCE, 0xC4, 'A', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
       nullptr},
  };
  for (const Case& c : cases) {
    Lang_Flag = c.lang;
    frm_chann* w = Forms::Reload<frm_chann>();
    Let_Events_Run();
    rec.Clear();
    Vb_Grid* g = G();
    // Channel 0 holds the factory channel: its band is shown.
    g->Click_Cell(1, Name);
    ASSERT_TRUE(w->Text_Edit->isVisible());
    w->Text_Edit->selectAll();
    w->Text_Edit->Type_Text(U(c.typed));
    g->Click_Cell(2, Name);
    EXPECT_EQ(Image_Row16(256), c.stored) << c.typed;
    EXPECT_EQ(g->Text_At(1, Name), U(c.shown)) << c.typed;
    if (c.message) {
      ASSERT_EQ(rec.calls.size(), 1u) << c.typed;
      EXPECT_EQ(rec.calls[0].text, U(c.message));
    } else {
      EXPECT_TRUE(rec.calls.empty()) << c.typed;
    }
  }
}

TEST_F(ChannWindow, ScrollingHidesTheListAndAPickReachesOnlyTheChannelClicked) {
  frm_chann* w = W();
  Vb_Grid* g = G();
  Let_Events_Run();
  // The power list of channel 2 (a factory channel).
  Click_Grid_Cell(g, 3, Power);
  ASSERT_TRUE(w->Combo_edit->isVisible());
  const QPoint list_at = w->mapTo(w->window(), w->Combo_edit->geometry().center());
  Wheel_Grid(g, 1);
  ASSERT_EQ(g->Top_Row(), 4) << "one notch scrolls three channels";
  EXPECT_FALSE(w->Combo_edit->isVisible());
  EXPECT_EQ(Focus_In(g), g) << "keys go to the grid, not to the hidden list";
  // Where the list stood, channel 5's power shows now: the user clicks
  // there and picks LOW.
  Click_At(w->window(), list_at);
  ASSERT_TRUE(w->Combo_edit->isVisible());
  ASSERT_EQ(g->Row(), 6);
  w->Combo_edit->Set_List_Index(1);
  EXPECT_EQ(B(5, 14), 0x01);
  EXPECT_EQ(B(2, 14), 0x00) << "the channel the list was first opened on keeps its power";
  // The text box: hidden by a sideways scroll too, and nothing stored.
  Click_Grid_Cell(g, 5, Rx);
  ASSERT_TRUE(w->Text_Edit->isVisible());
  const Image_Table before = Radio_Image;
  w->Text_Edit->Type_Text("1");
  Wheel_Grid(g, 2, Qt::Horizontal);
  ASSERT_GT(g->horizontalScrollBar()->value(), 0);
  EXPECT_FALSE(w->Text_Edit->isVisible());
  EXPECT_EQ(Radio_Image, before) << "the scroll stores nothing";
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(ChannWindow, WhichCellsOpenAnEditor) {
  frm_chann* w = W();
  w->Command_Clear_Click();
  Vb_Grid* g = G();
  // A blank band: the setting columns open nothing, and no list stays
  // over the cell left.
  g->Click_Cell(20, Band);
  ASSERT_TRUE(w->Combo_edit->isVisible());
  g->Click_Cell(20, Power);
  EXPECT_FALSE(w->Combo_edit->isVisible()) << "the band list is not left over the band cell";
  EXPECT_EQ(w->Combo_edit->List_Count(), 1);
  // A choice in a list left over another cell chooses nothing there.
  w->Combo_edit->Set_List_Index(0);
  EXPECT_EQ(g->Text_At(20, Band), "");
  EXPECT_EQ(B(19, 14), 0xFF);
  // The band shown but no RX: the encode column hides both editors.
  g->Click_Cell(20, Band);
  w->Combo_edit->Set_List_Index(0);
  g->Click_Cell(20, Dec);
  ASSERT_TRUE(w->Combo_edit->isVisible());
  EXPECT_EQ(w->Combo_edit->List_Count(), 261);
  g->Click_Cell(20, Enc);
  EXPECT_FALSE(w->Combo_edit->isVisible());
  EXPECT_FALSE(w->Text_Edit->isVisible());
  // A click on the cell being edited opens it again with the cell's text;
  // what was typed and not committed is dropped.
  g->Click_Cell(1, Name);
  w->Text_Edit->Type_Text("XYZ");
  g->Click_Cell(1, Name);
  EXPECT_EQ(w->Text_Edit->Text(), "");
  g->Click_Cell(1, Rx);
  EXPECT_EQ(B(256, 0), 0xFF);
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(ChannWindow, ActivationRedrawsFromTheImage) {
  frm_chann* w = W();
  Radio_Image[0][8] = 0x75;
  Radio_Image[0][9] = 0x03;
  EXPECT_NE(G()->Text_At(1, Dec), "88.5");
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(w, &activate);
  EXPECT_EQ(G()->Text_At(1, Dec), "88.5");
}
