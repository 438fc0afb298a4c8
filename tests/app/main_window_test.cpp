#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <vector>

#include "editors/alignment/frm_adj_txp.h"
#include "editors/channel/frm_chann.h"
#include "editors/channel/frm_fm.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "data/titles.h"
#include "files/file_dialogs.h"
#include "link/chann_link.h"
#include "link/password_dialog.h"
#include "link/transfer_dialogs.h"
#include "support/app_fixture.h"

class MainWindow : public Program_Test {
protected:
  QString Caption(const char* item) { return w->Item(item)->text(); }
};

TEST_F(MainWindow, VisibleMenuBarAndDesignStates) {
  QStringList visible;
  for (QAction* a : w->menuBar()->actions())
    if (a->isVisible()) visible << a->text();
  EXPECT_EQ(visible, (QStringList{"File", "Channel", "Option", "Signal", "Adjust", "Program",
                                  "Communication", "Exit"}));
  for (const char* n : {"fm_chann_edit", "Sig_ZKS1200", "Sig_ZKS2400", "PC_PassWord", "Language_Setup",
                        "about"}) {
    EXPECT_FALSE(w->Item(n)->isVisible()) << n;
    EXPECT_FALSE(w->Item(n)->isEnabled()) << n;
  }
  EXPECT_FALSE(w->Item("File_save")->isVisible());
  EXPECT_EQ(Caption("Prog_read"), "Read form radio");
  EXPECT_EQ(Caption("Prog_write"), "Write to radio");
  EXPECT_TRUE(w->Item("Language_eng")->isChecked());
  QStringList keys;
  for (QAction* a : w->Toolbar1->actions()) {
    keys << a->objectName();
    EXPECT_TRUE(a->text().isEmpty());
    EXPECT_FALSE(a->icon().isNull());
  }
  EXPECT_EQ(keys, (QStringList{"open", "save", "edit_option", "edit_chann", "edit_dtmf", "read", "write", "exit"}));
}

// A toolbar button's tooltip is the caption of the menu item that does the
// same, in the language of the menus; never the button's internal key.
TEST_F(MainWindow, ToolbarTooltipsAreMenuCaptionsInTheCurrentLanguage) {
  const struct { const char* key; const char* item; } pairs[] = {
      {"open", "File_Open"}, {"save", "File_saveas"}, {"edit_option", "sys_edit"}, {"edit_chann", "chann_edit"},
      {"edit_dtmf", "Sig_dtmf"}, {"read", "Prog_read"}, {"write", "Prog_write"}, {"exit", "Menu_Exit"}};
  const auto button = [&](const char* key) {
    for (QAction* a : w->Toolbar1->actions())
      if (a->objectName() == key) return a;
    return static_cast<QAction*>(nullptr);
  };
  for (bool chinese : {false, true}) {
    if (chinese) w->Language_chn_Click();
    for (const auto& p : pairs) {
      ASSERT_NE(button(p.key), nullptr) << p.key;
      EXPECT_EQ(button(p.key)->toolTip(), Caption(p.item)) << p.key;
      EXPECT_NE(button(p.key)->toolTip(), p.key);
    }
  }
  EXPECT_EQ(button("read")->toolTip(), QString::fromUtf8("从对讲机读取数据"));
  w->Language_eng_Click();
  EXPECT_EQ(button("read")->toolTip(), "Read from radio");
}

// The program's windows show its own icon, not the toolkit's.
TEST_F(MainWindow, WindowsShowTheProgramsIcon) {
  const QIcon own = MDImain::Program_Icon();
  ASSERT_FALSE(own.isNull());
  const QImage want = own.pixmap(32, 32).toImage();
  EXPECT_EQ(w->windowIcon().pixmap(32, 32).toImage(), want);
  EXPECT_EQ(QApplication::windowIcon().pixmap(32, 32).toImage(), want) << "top-level dialogs take the program's icon";
  w->File_saveas_Click();
  auto* save = Forms::Find<Form_save_chann>();
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->windowIcon().pixmap(32, 32).toImage(), want);
}

// The whole window, frame included, lies on the screen, and with it the
// status bar; every text the program writes into a panel shows whole, in
// both languages; the panels keep their proportions and together stay
// inside the window, none squeezed to a sliver on the smallest screen.
TEST(MainWindowLayout, WindowAndStatusBarFitTheScreenAndEveryPanelText) {
  const int percent[16] = {0, 4, 4, 5, 10, 6, 5, 5, 5, 5, 5, 5, 5, 5, 5, 20};
  for (QSize screen : {QSize(1280, 800), QSize(1024, 768), QSize(1920, 1080)}) {
    SCOPED_TRACE(QString("%1 x %2").arg(screen.width()).arg(screen.height()).toStdString());
    No_Serial_Ports();
    Msg_Recorder rec;
    auto w = Start_Program(screen);
    Let_Events_Run();
    const QRect on_screen(QPoint(0, 0), screen);
    EXPECT_TRUE(on_screen.contains(w->frameGeometry()))
        << "frame " << w->frameGeometry().width() << " x " << w->frameGeometry().height();
    QStatusBar* bar = w->statusBar();
    const QPoint bottom_right = bar->mapToGlobal(QPoint(bar->width() - 1, bar->height() - 1));
    EXPECT_TRUE(on_screen.contains(bottom_right)) << bottom_right.x() << ", " << bottom_right.y();

    for (bool chinese : {false, true}) {
      if (chinese) w->Language_chn_Click();
      Let_Events_Run();
      int shares = 0;  // the panels that kept their share, and how wide one percent is there
      double per_percent = 0;
      std::array<bool, 16> grown{};
      for (int i = 1; i <= 15; ++i) {
        QLabel* l = w->Panel(i);
        const QFontMetrics fm(l->font());
        const int room = l->contentsRect().width() - l->indent();
        int widest = 0;
        for (const QString& t : MDImain::Panel_Texts(i)) {
          EXPECT_LE(fm.horizontalAdvance(t), room) << "panel " << i << " clips \"" << t.toStdString() << "\"";
          widest = std::max(widest, fm.horizontalAdvance(t));
        }
        EXPECT_LE(l->mapTo(bar, QPoint(l->width() - 1, 0)).x(), bar->contentsRect().right())
            << "panel " << i << " runs off the bar";
        // A panel that gives its room to the texts of others still shows as a
        // box, the last one (a fifth of the bar by design) as a wide one.
        EXPECT_GE(l->width(), i == 15 ? bar->width() * percent[i] / 100 / 5 : 10) << "panel " << i << " is squeezed";
        grown[i] = widest > 0 && room <= widest + 4;
        if (!grown[i]) {
          ++shares;
          per_percent += static_cast<double>(l->width()) / percent[i];
        }
      }
      // Panels that did not grow to their text keep the proportions of their widths.
      ASSERT_GT(shares, 0);
      per_percent /= shares;
      for (int i = 1; i <= 15; ++i)
        if (!grown[i]) {
          EXPECT_NEAR(w->Panel(i)->width(), per_percent * percent[i], 2.0) << "panel " << i;
        }
      EXPECT_GE(w->Panel(15)->mapTo(bar, QPoint(w->Panel(15)->width() - 1, 0)).x(), bar->width() * 85 / 100)
          << "the panels use the bar's width";
    }
    // The texts the program writes really are the ones measured.
    for (int i = 1; i <= 15; ++i) {
      if (!Status_Text(i).isEmpty()) {
        EXPECT_TRUE(MDImain::Panel_Texts(i).contains(Status_Text(i))) << i;
      }
    }
    Status_Set(8, " 136-- 174");
    EXPECT_EQ(w->Panel(8)->text(), " 136-- 174");
    Stop_Program(w);
    Lang_Flag = 0;
  }
}

// Whatever the screen, every window the main window opens is at least as
// large as its controls need, and its child window shows it whole, also
// after the child window is made as small as it goes.
TEST(MainWindowLayout, EveryWindowHoldsItsControlsOnTheSmallestScreen) {
  using Open = Vb_Form* (*)(MDImain*);
  struct Case {
    const char* name;
    Open open;
  } cases[] = {
      {"read", [](MDImain* m) -> Vb_Form* { m->Prog_read_Click(); return Forms::Find<Form_Comm_Read>(); }},
      {"write", [](MDImain* m) -> Vb_Form* { m->Prog_write_Click(); return Forms::Find<Form_Comm_Write>(); }},
      {"port setup", [](MDImain* m) -> Vb_Form* { m->proc_setup_Click(); return Forms::Find<Form_setup>(); }},
      {"password", [](MDImain* m) -> Vb_Form* { m->PC_PassWord_Click(); return Forms::Find<Form_Write_PassWord>(); }},
      {"FM", [](MDImain* m) -> Vb_Form* { m->fm_chann_edit_Click(); return Forms::Find<frm_FM>(); }},
      {"channel", [](MDImain* m) -> Vb_Form* { m->chann_edit_Click(); return Forms::Find<frm_chann>(); }},
      {"2-tone", [](MDImain* m) -> Vb_Form* { m->Sig_2tone_Click(); return Forms::Find<frm_2tone>(); }},
      {"5-tone", [](MDImain* m) -> Vb_Form* { m->Sig_5tone_Click(); return Forms::Find<frm_5tone>(); }},
      {"DTMF", [](MDImain* m) -> Vb_Form* { m->Sig_dtmf_Click(); return Forms::Find<frm_dtmf>(); }},
      {"alignment", [](MDImain* m) -> Vb_Form* { m->frm_adj_Click(); return Forms::Find<frm_Adj_Txp>(); }},
  };
  for (QSize screen : {QSize(1024, 768), QSize(1280, 800)}) {
    No_Serial_Ports();
    Msg_Recorder rec;
    auto w = Start_Program(screen);
    Let_Events_Run();
    for (const Case& c : cases) {
      const std::string at = std::string(c.name) + QString(" at %1 x %2").arg(screen.width()).arg(screen.height()).toStdString();
      Vb_Form* f = c.open(w.get());
      Let_Events_Run();
      ASSERT_NE(f, nullptr) << at;
      ASSERT_NE(f->Host(), nullptr) << at;
      for (int shrunk = 0; shrunk < 2; ++shrunk) {
        if (shrunk) {
          f->Host()->resize(10, 10);
          Let_Events_Run();
        }
        const char* when = shrunk ? " after shrinking" : "";
        for (QWidget* k : f->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
          if (!k->isWindow() && k->isVisible()) {
            EXPECT_TRUE(f->rect().contains(k->geometry()))
                << at << when << ": " << k->metaObject()->className() << " " << k->objectName().toStdString()
                << " at " << k->x() << ", " << k->y() << " size " << k->width() << " x " << k->height()
                << " is cut off by " << f->width() << " x " << f->height();
          }
        EXPECT_TRUE(f->Host()->rect().contains(f->geometry())) << at << when;
      }
    }
    Stop_Program(w);
  }
}

TEST_F(MainWindow, LanguageSwitchRecaptionsTheMainWindowOnly) {
  Status_Set(2, "R47X  ");
  w->Language_chn_Click();
  EXPECT_EQ(Lang_Flag, -1);
  struct Case { const char* item; const char* zh; } cases[] = {
      {"File", "文件"},          {"File_New", "新建"},         {"File_Open", "打开"},
      {"File_saveas", "另存为"}, {"File_exit", "退出"},         {"chann_edit", "信道编辑"},
      {"sys_edit", "可选参数"},  {"sig_edit", "信令编辑"},      {"frm_adj", "调整参数"},
      {"Program", "编程"},       {"Prog_read", "从对讲机读取数据"}, {"Prog_write", "向对讲机写入数据"},
      {"proc_setup", "端口设置"}, {"Menu_Exit", "退出"},        {"fm_chann_edit", "FM-频道"},
      {"PC_PassWord", "密码修改"}, {"about", "关于"},           {"Language_Setup", "语言"},
      {"Sig_dtmf", "DTMF"},      {"Sig_2tone", "2 TONE"},     {"Language_chn", "中文"}};
  for (const auto& c : cases) EXPECT_EQ(Caption(c.item), QString::fromUtf8(c.zh)) << c.item;
  EXPECT_TRUE(w->Item("Language_chn")->isChecked());
  EXPECT_FALSE(w->Item("Language_eng")->isChecked());
  EXPECT_EQ(Status_Text(1), QString::fromUtf8("机  型:"));
  EXPECT_EQ(Status_Text(3), QString::fromUtf8("序列号:"));
  EXPECT_EQ(Status_Text(5), QString::fromUtf8("固体版本:"));
  EXPECT_EQ(Status_Text(7), QString::fromUtf8("频段-A"));
  EXPECT_EQ(Status_Text(9), QString::fromUtf8("频段-B"));
  EXPECT_EQ(Status_Text(2), "R47X  ") << "value panels keep their texts";
  EXPECT_EQ(w->windowTitle(), Title_Chinese());
  EXPECT_EQ(Resp_List[1], QString::fromUtf8("1.提醒"));
  EXPECT_EQ(Func_List[4], QString::fromUtf8("4.巡查"));

  // The channel editor that is already open keeps its language; a fresh one
  // takes the new one.
  EXPECT_EQ(Forms::Find<frm_chann>()->windowTitle(), "Channel Information");
  w->Toolbar1_ButtonClick("edit_chann");
  EXPECT_EQ(Forms::Find<frm_chann>()->windowTitle(), QString::fromUtf8("信道参数编辑"));

  w->Language_eng_Click();
  EXPECT_EQ(Lang_Flag, 0);
  EXPECT_EQ(Caption("Prog_read"), "Read from radio");
  EXPECT_EQ(Caption("File"), "File");
  EXPECT_EQ(Caption("chann_edit"), "Channel");
  EXPECT_EQ(Status_Text(3), "S I M:");
  EXPECT_EQ(w->windowTitle(), Title_English());
  EXPECT_EQ(Func_List[4], "4.Inspection ");
}

TEST_F(MainWindow, LoadReloadAndUnloadSemantics) {
  frm_chann* first = Forms::Find<frm_chann>();
  ASSERT_NE(first, nullptr);
  w->chann_edit_Click();  // already open: nothing happens
  EXPECT_EQ(Forms::Find<frm_chann>(), first);
  w->Toolbar1_ButtonClick("edit_chann");  // a fresh channel editor
  Let_Events_Run();
  frm_chann* second = Forms::Find<frm_chann>();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(first == nullptr || first != second);
  w->Toolbar1_ButtonClick("edit_option");  // closes the channel editor first
  EXPECT_EQ(Forms::Find<frm_chann>(), nullptr);
  EXPECT_NE(Forms::Find<frm_option>(), nullptr);
  w->chann_edit_Click();
  EXPECT_NE(Forms::Find<frm_chann>(), nullptr);
  w->Toolbar1_ButtonClick("edit_dtmf");
  EXPECT_EQ(Forms::Find<frm_chann>(), nullptr);
  EXPECT_NE(Forms::Find<frm_dtmf>(), nullptr);
  w->chann_edit_Click();
  w->fm_chann_edit_Click();  // the hidden FM item replaces the channel editor
  EXPECT_EQ(Forms::Find<frm_chann>(), nullptr);
  EXPECT_NE(Forms::Find<frm_FM>(), nullptr);

  // The menu items load their editors, each once.
  w->Sig_2tone_Click();
  w->Sig_5tone_Click();
  w->frm_adj_Click();
  frm_2tone* two = Forms::Find<frm_2tone>();
  ASSERT_NE(two, nullptr);
  EXPECT_NE(Forms::Find<frm_5tone>(), nullptr);
  EXPECT_NE(Forms::Find<frm_Adj_Txp>(), nullptr);
  w->Sig_2tone_Click();
  EXPECT_EQ(Forms::Find<frm_2tone>(), two);
  w->sys_edit_Click();
  EXPECT_NE(Forms::Find<frm_option>(), nullptr);
  w->chann_edit_Click();

  // Open and Save As always show a fresh dialog.
  w->File_Open_Click();
  Form_open_chann* o1 = Forms::Find<Form_open_chann>();
  ASSERT_NE(o1, nullptr);
  o1->Text1->setText("edited.dat");
  w->Toolbar1_ButtonClick("open");
  Form_open_chann* o2 = Forms::Find<Form_open_chann>();
  ASSERT_NE(o2, nullptr);
  EXPECT_EQ(o2->Text1->text(), "*.dat");
  w->File_saveas_Click();
  EXPECT_NE(Forms::Find<Form_save_chann>(), nullptr);
  w->Toolbar1_ButtonClick("no-such-key");
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(MainWindow, ClosingAChildWindowUnloadsIt) {
  frm_chann* c = Forms::Find<frm_chann>();
  ASSERT_NE(c, nullptr);
  ASSERT_NE(c->Host(), nullptr);
  c->Host()->close();  // the child window's own close button
  EXPECT_EQ(Forms::Find<frm_chann>(), nullptr);
  Let_Events_Run();
  w->chann_edit_Click();
  EXPECT_NE(Forms::Find<frm_chann>(), nullptr) << "and it can be loaded again";
}

// Closing a child window brings forward the one that was active before it
// (the one just below), never the oldest: closed by its own button or by its
// child window's close box.
TEST_F(MainWindow, ClosingAWindowBringsForwardTheOneBelowIt) {
  using Open = Vb_Form* (*)(MDImain*);
  const Open channel = [](MDImain* m) -> Vb_Form* { m->chann_edit_Click(); return Forms::Find<frm_chann>(); };
  const Open write = [](MDImain* m) -> Vb_Form* { m->Prog_write_Click(); return Forms::Find<Form_Comm_Write>(); };
  const Open port = [](MDImain* m) -> Vb_Form* { m->proc_setup_Click(); return Forms::Find<Form_setup>(); };
  const Open dtmf = [](MDImain* m) -> Vb_Form* { m->Sig_dtmf_Click(); return Forms::Find<frm_dtmf>(); };
  const Open two_tone = [](MDImain* m) -> Vb_Form* { m->Sig_2tone_Click(); return Forms::Find<frm_2tone>(); };
  const Open option = [](MDImain* m) -> Vb_Form* { m->sys_edit_Click(); return Forms::Find<frm_option>(); };
  const struct Case {
    const char* name;
    std::vector<Open> opened;  // in this order, the channel editor first
    void (*close)(Vb_Form*);   // closes the last one
  } cases[] = {
      {"port dialog's Cancel over the write dialog", {channel, write, port},
       [](Vb_Form* f) { static_cast<Form_setup*>(f)->Command1->click(); }},
      {"2-tone editor's close box over the DTMF editor", {channel, dtmf, two_tone},
       [](Vb_Form* f) { f->Host()->close(); }},
      {"option editor's close box over the write dialog", {channel, dtmf, write, option},
       [](Vb_Form* f) { f->Host()->close(); }},
  };
  QMdiArea* area = Forms::Mdi_Area();
  ASSERT_NE(area, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Forms::Unload_All();
    Let_Events_Run();
    std::vector<QPointer<QWidget>> hosts;
    for (Open open : c.opened) {
      Vb_Form* f = open(w.get());
      Let_Events_Run();
      ASSERT_NE(f, nullptr);
      ASSERT_NE(f->Host(), nullptr);
      hosts.push_back(f->Host());
    }
    Vb_Form* last = qobject_cast<Vb_Form*>(qobject_cast<QMdiSubWindow*>(hosts.back().data())->widget());
    ASSERT_NE(last, nullptr);
    c.close(last);
    Let_Events_Run();
    QWidget* below = hosts[hosts.size() - 2];
    EXPECT_EQ(area->activeSubWindow(), below) << "the window below is the active one";
    const QList<QMdiSubWindow*> stack = area->subWindowList(QMdiArea::StackingOrder);
    ASSERT_FALSE(stack.isEmpty());
    EXPECT_EQ(stack.back(), below) << "and it is in front";
  }
}

// The image-file open dialog opens centred in the main window's client area.
TEST_F(MainWindow, OpenDialogIsCentredInTheClientArea) {
  Let_Events_Run();
  w->File_Open_Click();
  auto* d = Forms::Find<Form_open_chann>();
  ASSERT_NE(d, nullptr);
  Let_Events_Run();
  QWidget* host = d->Host();
  ASSERT_NE(host, nullptr);
  const QSize room = host->parentWidget()->size();
  ASSERT_GT(room.width(), host->width());
  ASSERT_GT(room.height(), host->height());
  const QPoint centre = host->geometry().center();
  EXPECT_NEAR(centre.x(), room.width() / 2, 2);
  EXPECT_NEAR(centre.y(), room.height() / 2, 2);
}

TEST_F(MainWindow, CommandsThatCloseABusyChannelEditorAreRefused) {
  frm_chann* c = Forms::Find<frm_chann>();
  ASSERT_NE(c, nullptr);
  c->Engine()->Busy_Write = -1;  // a channel write is running
  for (const char* key : {"edit_option", "edit_chann", "edit_dtmf"}) w->Toolbar1_ButtonClick(key);
  w->fm_chann_edit_Click();
  EXPECT_EQ(Forms::Find<frm_chann>(), c) << "the write goes on";
  EXPECT_EQ(Forms::Find<frm_option>(), nullptr);
  EXPECT_EQ(Forms::Find<frm_dtmf>(), nullptr);
  EXPECT_EQ(Forms::Find<frm_FM>(), nullptr);
  ASSERT_EQ(rec.calls.size(), 4u);
  for (const auto& m : rec.calls) {
    EXPECT_EQ(m.text, "Read-write operating with transceiver .");
    EXPECT_EQ(m.icon, Msg_Icon::Exclamation);
  }
  c->Engine()->Busy_Write = 0;
  w->Toolbar1_ButtonClick("edit_option");
  EXPECT_EQ(Forms::Find<frm_chann>(), nullptr);
  EXPECT_NE(Forms::Find<frm_option>(), nullptr);
}
