#include "mdi_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QWindow>

#include "about_box.h"
#include "data/chann_default.h"
#include "data/image_map.h"
#include "data/opt_default.h"
#include "data/opt_positions.h"
#include "data/shared_state.h"
#include "data/titles.h"
#include "data/tone_table.h"
#include "editors/alignment/adj_area.h"
#include "editors/alignment/frm_adj_txp.h"
#include "editors/channel/fm_record.h"
#include "editors/channel/frm_chann.h"
#include "editors/channel/frm_fm.h"
#include "editors/editor_window.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/dtmf_area.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "editors/signalling/tone2_area.h"
#include "editors/signalling/tone5_area.h"
#include "factory_image.h"
#include "files/file_dialogs.h"
#include "form_type.h"
#include "lang_texts.h"
#include "link/password_dialog.h"
#include "link/link_texts.h"
#include "link/protocol.h"
#include "link/transfer_dialogs.h"
#include "platform/msg_box.h"
#include "platform/status_panels.h"
#include "platform/twips.h"

namespace {
// Status-bar panel widths, panels 1..15, in percent of the screen width.
constexpr int kPanelWidth[16] = {0, 4, 4, 5, 10, 6, 5, 5, 5, 5, 5, 5, 5, 5, 5, 20};
// The rest of the bar (6 %) stays empty at its right end.
constexpr int kPanelRest = 100 - 94;
// Pixels between two panels.
constexpr int kPanelGap = 2;
// What the status bar keeps around its row of panels: a few pixels at its
// left, its spacing after the row.
constexpr int kBarSpare = 2 + 6;

// The labels of the odd panels.
struct Status_Label {
  int panel;
  const char* en;
  const char* zh;
};
constexpr Status_Label kStatusLabels[] = {
    {1, "Model:", "机  型:"},    {3, "S I M:", "序列号:"}, {5, "MCU-Version:", "固体版本:"},
    {7, "Band-A", "频段-A"},     {9, "Band-B", "频段-B"},
};
// Stand-ins for what an identification reply puts into the value panels:
// six or ten characters of the reply, and a pair of three-digit limits.
const QString kSix = "WWWWWW";
const QString kTen = "WWWWWWWWWW";
const QString kLimits = " 888-- 888";

// Caption of every menu item after start-up (English) and its Chinese caption.
struct Caption {
  const char* name;
  const char* en;
  const char* zh;  // nullptr: the item keeps its caption in both languages
  bool set_at_start = false;  // captioned again by the start-up (the others keep their design caption)
};
constexpr Caption kCaptions[] = {
    {"File", "File", "文件"},
    {"File_New", "New", "新建"},
    {"File_Open", "Open", "打开"},
    {"File_save", "Save", "保存"},
    {"File_saveas", "Save As", "另存为"},
    {"File_exit", "Exit", "退出"},
    {"fm_chann_edit", "FM-Radio", "FM-频道", true},
    {"chann_edit", "Channel", "信道编辑", true},
    {"sys_edit", "Option", "可选参数", true},
    {"sig_edit", "Signal", "信令编辑", true},
    {"Sig_dtmf", "DTMF", nullptr},
    {"Sig_2tone", "2 TONE", nullptr},
    {"Sig_5tone", "5 TONE", nullptr},
    {"Sig_ZKS1200", "ZKS1200", nullptr},
    {"Sig_ZKS2400", "ZKS2400", nullptr},
    {"frm_adj", "Adjust", "调整参数", true},
    {"Program", "Program", "编程"},
    {"Prog_read", "Read form radio", "从对讲机读取数据"},
    {"Prog_write", "Write to radio", "向对讲机写入数据"},
    {"PC_PassWord", "PassWord", "密码修改", true},
    {"proc_setup", "Communication", "端口设置", true},
    {"Language_Setup", "Language", "语言", true},
    {"Language_chn", "中文", nullptr},
    {"Language_eng", "English", nullptr},
    {"about", "About", "关于", true},
    {"Menu_Exit", "Exit", "退出", true},
};
}  // namespace

MDImain::MDImain() {
  setObjectName("MDImain");
  // Every window of the program shows the program's icon.
  QApplication::setWindowIcon(Program_Icon());
  setWindowIcon(QApplication::windowIcon());
  Mdi = new QMdiArea(this);
  // Closing a child window brings forward the one that was active before
  // it, as a multiple-document window does on Windows, not the oldest one.
  Mdi->setActivationOrder(QMdiArea::ActivationHistoryOrder);
  setCentralWidget(Mdi);
  Forms::Set_Mdi_Area(Mdi);
  Forms::Set_Main(this);
  Build_Menus();
  Build_Toolbar();
  Build_Status_Bar();
  ident_ = new Main_Ident(
      [this] {
        for (const char* n : {"sig_edit", "sys_edit", "chann_edit", "fm_chann_edit"})
          Item(n)->setEnabled(true);
      },
      this);
  Main_Link_Set(ident_);
  // A file load waits for a running transfer, as the exit does.
  Image_Load_Refused = [this] { return Refused_While_Transfer(); };
}

MDImain::~MDImain() {
  Status_Set_View(nullptr);
  Image_Load_Refused = nullptr;
  Main_Link_Set(nullptr);
  Forms::Set_Mdi_Area(nullptr);
  Forms::Set_Main(nullptr);
}

void MDImain::Build_Menus() {
  QMenuBar* bar = menuBar();
  auto add_menu = [&](const QString& name) {
    QMenu* m = bar->addMenu(name);
    m->menuAction()->setObjectName(name);
    items_[name] = m->menuAction();
    return m;
  };
  auto add_item = [&](auto* where, const QString& name, void (MDImain::*handler)()) {
    QAction* a = where->addAction(name);
    a->setObjectName(name);
    if (handler) connect(a, &QAction::triggered, this, handler);
    items_[name] = a;
    return a;
  };

  QMenu* file = add_menu("File");
  add_item(file, "File_New", nullptr);
  add_item(file, "File_Open", &MDImain::File_Open_Click);
  add_item(file, "File_save", &MDImain::File_save_Click);
  add_item(file, "File_saveas", &MDImain::File_saveas_Click);
  add_item(file, "File_exit", &MDImain::File_exit_Click);
  add_item(bar, "fm_chann_edit", &MDImain::fm_chann_edit_Click);
  add_item(bar, "chann_edit", &MDImain::chann_edit_Click);
  add_item(bar, "sys_edit", &MDImain::sys_edit_Click);
  QMenu* sig = add_menu("sig_edit");
  add_item(sig, "Sig_dtmf", &MDImain::Sig_dtmf_Click);
  add_item(sig, "Sig_2tone", &MDImain::Sig_2tone_Click);
  add_item(sig, "Sig_5tone", &MDImain::Sig_5tone_Click);
  add_item(sig, "Sig_ZKS1200", nullptr);
  add_item(sig, "Sig_ZKS2400", nullptr);
  add_item(bar, "frm_adj", &MDImain::frm_adj_Click);
  QMenu* prog = add_menu("Program");
  add_item(prog, "Prog_read", &MDImain::Prog_read_Click);
  add_item(prog, "Prog_write", &MDImain::Prog_write_Click);
  add_item(bar, "PC_PassWord", &MDImain::PC_PassWord_Click);
  add_item(bar, "proc_setup", &MDImain::proc_setup_Click);
  QMenu* lang = add_menu("Language_Setup");
  add_item(lang, "Language_chn", &MDImain::Language_chn_Click)->setCheckable(true);
  add_item(lang, "Language_eng", &MDImain::Language_eng_Click)->setCheckable(true);
  add_item(bar, "about", &MDImain::about_Click);
  add_item(bar, "Menu_Exit", &MDImain::Menu_Exit_Click);

  // Design-time states: hidden and disabled, hidden only. Nothing shows them.
  for (const char* n : {"fm_chann_edit", "Sig_ZKS1200", "Sig_ZKS2400", "PC_PassWord",
                        "Language_Setup", "about"}) {
    Item(n)->setVisible(false);
    Item(n)->setEnabled(false);
  }
  Item("File_save")->setVisible(false);

  // Design captions: every item starts with its English caption.
  for (const Caption& c : kCaptions) Item(c.name)->setText(QString::fromUtf8(c.en));
}

void MDImain::Build_Toolbar() {
  Toolbar1 = addToolBar("Toolbar1");
  Toolbar1->setObjectName("Toolbar1");
  Toolbar1->setMovable(false);
  Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
  struct Button { const char* key; QStyle::StandardPixmap icon; };
  const Button buttons[] = {
      {"open", QStyle::SP_DialogOpenButton},     {"save", QStyle::SP_DialogSaveButton},
      {"edit_option", QStyle::SP_FileDialogDetailedView},
      {"edit_chann", QStyle::SP_FileDialogListView}, {"edit_dtmf", QStyle::SP_FileDialogContentsView},
      {"read", QStyle::SP_ArrowDown},            {"write", QStyle::SP_ArrowUp},
      {"exit", QStyle::SP_DialogCloseButton}};
  // Each button's tooltip is the caption of the menu item that does the same,
  // in the language of the menus.
  const QMap<QString, QString> menu_item = {
      {"open", "File_Open"},      {"save", "File_saveas"}, {"edit_option", "sys_edit"},
      {"edit_chann", "chann_edit"}, {"edit_dtmf", "Sig_dtmf"}, {"read", "Prog_read"},
      {"write", "Prog_write"},    {"exit", "Menu_Exit"}};
  for (const Button& b : buttons) {
    QAction* a = Toolbar1->addAction(style()->standardIcon(b.icon), QString());
    a->setObjectName(b.key);
    if (QAction* m = Item(menu_item.value(b.key))) {
      const auto follow = [a, m] { a->setToolTip(m->text()); };
      follow();
      connect(m, &QAction::changed, a, follow);
    }
    const QString key = b.key;
    connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
  }
}

void MDImain::Build_Status_Bar() {
  // The panels share the window's width in the proportions of their widths,
  // each at least as wide as its widest text (Fit_Panels). They stand in a
  // row of their own, a narrow gap apart: the bar's own wide spacing would
  // take the room of a whole panel on a small screen.
  panel_row_ = new QWidget(this);
  auto* row = new QHBoxLayout(panel_row_);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(kPanelGap);
  for (int i = 1; i <= Status_Panel_Count; ++i) {
    auto* l = new QLabel(panel_row_);
    l->setObjectName(QString("Panel%1").arg(i));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setIndent(2);
    row->addWidget(l);
    panels_[i] = l;
  }
  row->addStretch(1);
  statusBar()->addWidget(panel_row_, 1);
  statusBar()->setSizeGripEnabled(false);
  // The row follows the window's width (a window manager may size the
  // window after the start-up): the panels follow the row.
  panel_row_->installEventFilter(this);
  Status_Set_View([this](int i, const QString& t) {
    if (i >= 1 && i <= Status_Panel_Count && panels_[i]) panels_[i]->setText(t);
  });
  for (int i = 1; i <= Status_Panel_Count; ++i) panels_[i]->setText(Status_Text(i));
}

bool MDImain::eventFilter(QObject* o, QEvent* e) {
  if (o == panel_row_ && e->type() == QEvent::Resize) Fit_Panels();
  if (o == windowHandle() && e->type() == QEvent::Expose && !fitted_) Fit_Frame();
  return QMainWindow::eventFilter(o, e);
}

void MDImain::Status_Labels() {
  const bool zh = Lang_Flag != 0;
  for (const Status_Label& l : kStatusLabels)
    Status_Set(l.panel, QString::fromUtf8(zh ? l.zh : l.en));
}

QStringList MDImain::Panel_Texts(int i) {
  QStringList t;
  for (const Status_Label& l : kStatusLabels)
    if (l.panel == i) t << QString::fromUtf8(l.en) << QString::fromUtf8(l.zh);
  const auto both = [](const Zh_En& p) { return QStringList{QString::fromUtf8(p.zh), QString::fromUtf8(p.en)}; };
  switch (i) {
    case 2: t << kSix << both(link_text::Fail_Panel); break;
    case 3: t << both(link_text::Stat_Label); break;
    case 4: t << kTen << both(link_text::Fail_Panel); break;
    case 6: t << kSix; break;
    case 8: case 10: case 12: case 14: t << kLimits; break;
    default: break;
  }
  return t;
}

void MDImain::Fit_Panels() {
  // What each panel needs: its widest text, the indent on the left, the
  // frame and a pixel to spare on each side.
  std::array<int, 16> need{};
  for (int i = 1; i <= Status_Panel_Count; ++i) {
    QLabel* l = panels_[i];
    const QFontMetrics fm(l->font());
    for (const QString& t : Panel_Texts(i)) need[i] = std::max(need[i], fm.horizontalAdvance(t));
    if (need[i] > 0) need[i] += l->indent() + 2 * l->frameWidth() + 2;
  }
  // The room for the panels: their row's width less the gaps between them.
  // Before the row is laid out, the window's width less the bar's own
  // spacing around the row stands for it.
  const int row_width = panel_row_->isVisible() ? panel_row_->width() : width() - kBarSpare;
  const int room = std::max(0, row_width - (Status_Panel_Count - 1) * kPanelGap);
  // One percent's width: the room shared in proportion among the panels that
  // do not need more than their share, and the empty rest of the bar.
  std::array<bool, 16> grown{};
  double per_percent = 0;
  for (bool changed = true; changed;) {
    changed = false;
    int fixed = 0, percent = kPanelRest;
    for (int i = 1; i <= Status_Panel_Count; ++i) {
      if (grown[i]) fixed += need[i];
      else percent += kPanelWidth[i];
    }
    per_percent = std::max(0, room - fixed) / static_cast<double>(percent);
    for (int i = 1; i <= Status_Panel_Count; ++i)
      if (!grown[i] && need[i] > per_percent * kPanelWidth[i]) grown[i] = changed = true;
  }
  for (int i = 1; i <= Status_Panel_Count; ++i)
    panels_[i]->setFixedWidth(grown[i] ? need[i] : std::max(1, static_cast<int>(per_percent * kPanelWidth[i])));
}

void MDImain::Fit_To_Screen() {
  QRect area(QPoint(0, 0), Screen_Size_Px());
  // On the real screen, leave out what panels and docks of the desktop take.
  if (QScreen* s = QGuiApplication::primaryScreen(); s && s->geometry().size() == area.size())
    area = s->availableGeometry();
  screen_area_ = area;
  setGeometry(area);
  // A window manager puts its frame around the window only once it is
  // mapped; the first exposure is the first moment it is known.
  winId();
  if (QWindow* native = windowHandle()) native->installEventFilter(this);
  fitted_ = false;
  show();
  Fit_Frame();
}

void MDImain::Fit_Frame() {
  if (fitted_) return;
  const QRect outer = frameGeometry(), inner = geometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom());
  const bool mapped = windowHandle() && windowHandle()->isExposed();
  if (frame.isNull() && !mapped) return;  // the frame may still come
  fitted_ = true;
  // The whole window, frame and title bar included, goes on the screen: the
  // size the window returns to from maximised, so that the user can always
  // reach its title bar.
  if (!frame.isNull()) setGeometry(screen_area_.marginsRemoved(frame));
  // Maximised only now: a window manager remembers the size it had before
  // as the one to restore.
  const QString platform = QGuiApplication::platformName();
  if (platform != "offscreen" && platform != "minimal") setWindowState(windowState() | Qt::WindowMaximized);
}

QIcon MDImain::Program_Icon() {
  // A mobile radio's front: a dark body, a display, a knob and an antenna.
  QIcon icon;
  for (int px : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pm(px, px);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(px / 64.0, px / 64.0);
    p.setPen(QPen(QColor(40, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(48, 24), QPointF(54, 4));
    QPainterPath body;
    body.addRoundedRect(QRectF(4, 24, 56, 34), 6, 6);
    p.fillPath(body, QColor(45, 62, 80));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 210, 140));
    p.drawRoundedRect(QRectF(10, 30, 30, 12), 2, 2);
    p.setBrush(QColor(220, 220, 220));
    p.drawEllipse(QPointF(50, 41), 6, 6);
    p.setBrush(QColor(200, 60, 50));
    for (int k = 0; k < 3; ++k) p.drawRect(QRectF(10 + k * 11, 47, 8, 5));
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}

void MDImain::Captions_English() {
  Item("Language_chn")->setChecked(false);
  Item("Language_eng")->setChecked(true);
  for (const Caption& c : kCaptions)
    if (c.zh) Item(c.name)->setText(QString::fromUtf8(c.en));
}

void MDImain::Captions_Chinese() {
  Item("Language_eng")->setChecked(false);
  Item("Language_chn")->setChecked(true);
  for (const Caption& c : kCaptions)
    if (c.zh) Item(c.name)->setText(QString::fromUtf8(c.zh));
}

void MDImain::MDIForm_Load() {
  // 1. Titles. 2. Connect command.
  Title_Init();
  for (int i = 0; i < 8; ++i) Hand_Cmd[i] = proto::Connect_Command[i];

  // 3. Language.
  Lang_Flag = 0;
  Text_Lang();

  // 4. Status bar: the panels share the window's width in their proportions,
  //    each at least as wide as its widest text.
  Fit_Panels();

  // 5. Captions, English: the start-up sets a few menu captions; the File and
  //    Program menus and the signalling items keep their design captions.
  Item("Language_chn")->setChecked(false);
  Item("Language_eng")->setChecked(true);
  for (const Caption& c : kCaptions)
    if (c.set_at_start) Item(c.name)->setText(QString::fromUtf8(c.en));
  Status_Labels();
  setWindowTitle(Title_Text[2]);

  // 6. Size to the screen and show.
  Fit_To_Screen();

  // 7. Screen check.
  if (Screen_Height_Twips() < 12000 || Screen_Width_Twips() < 19200)
    Msg_Box("Set the display mode of the computer to 1280 * 800 ", Msg_Icon::Exclamation,
            "Operate Prompt");

  // 8. Port probe, COM20 down to COM1: the first that opens is kept.
  for (Port_No = 20; Port_No >= 1; --Port_No) {
    ident_->Main_PortTry();
    if (Port_Error == 0) break;
  }
  if (Port_No < 1) Port_No = 1;
  ident_->Close_Port();

  // 9. Channel count. 10. Tables. 11. Band limits.
  Factory_Tables();

  // 12. Identification: armed now, it runs once the start-up has returned to
  //     the event loop.
  ident_->Ident_Start();

  // 13. Image fill. 14..16. Factory defaults of every area.
  Factory_Defaults();

  // 17. The channel editor, the first child window.
  Forms::Load<frm_chann>();
}

namespace {
// A fresh write or password dialog, or a command that closes the channel
// editor to open another one, would end a running write half-way and leave
// the radio half written: while one runs, the command is refused.
template <class Dialog>
bool Refused_While_Busy() {
  const Dialog* d = Forms::Find<Dialog>();
  return Refuse_While_Busy(d && d->Busy());
}
}  // namespace

void MDImain::File_Open_Click() { Forms::Reload<Form_open_chann>(); }
void MDImain::File_save_Click() { Forms::Reload<Form_save_chann>(); }
void MDImain::File_saveas_Click() { Forms::Reload<Form_save_chann>(); }
void MDImain::File_exit_Click() { Exit_Program(); }
void MDImain::fm_chann_edit_Click() {
  if (Refused_While_Busy<frm_chann>()) return;
  Forms::Unload<frm_chann>();
  Forms::Load<frm_FM>();
}
void MDImain::chann_edit_Click() { Forms::Load<frm_chann>(); }
void MDImain::sys_edit_Click() { Forms::Load<frm_option>(); }
void MDImain::Sig_dtmf_Click() { Forms::Load<frm_dtmf>(); }
void MDImain::Sig_2tone_Click() { Forms::Load<frm_2tone>(); }
void MDImain::Sig_5tone_Click() { Forms::Load<frm_5tone>(); }
void MDImain::frm_adj_Click() { Forms::Load<frm_Adj_Txp>(); }
void MDImain::Prog_read_Click() { Forms::Reload<Form_Comm_Read>(); }

void MDImain::Prog_write_Click() {
  if (Refused_While_Busy<Form_Comm_Write>()) return;
  Forms::Reload<Form_Comm_Write>();
}

void MDImain::PC_PassWord_Click() {
  if (Refused_While_Busy<Form_Write_PassWord>()) return;
  Forms::Reload<Form_Write_PassWord>();
}

void MDImain::proc_setup_Click() { Forms::Load<Form_setup>(); }

void MDImain::Language_chn_Click() {
  if (Lang_Flag == 0) {
    Lang_Flag = -1;
    Text_Lang();
  }
  Captions_Chinese();
  Status_Labels();
  setWindowTitle(Title_Text[0]);
}

void MDImain::Language_eng_Click() {
  if (Lang_Flag == -1) {
    Lang_Flag = 0;
    Text_Lang();
  }
  Captions_English();
  Item("Prog_read")->setText("Read from radio");
  Status_Labels();
  setWindowTitle(Title_Text[2]);
}

void MDImain::about_Click() { Forms::Load<frmAbout>(); }

void MDImain::Show_Model_Dialog() { Forms::Load<Form_type>(); }

void MDImain::Menu_Exit_Click() { Exit_Program(); }

void MDImain::Toolbar1_ButtonClick(const QString& key) {
  if (key == "open") {
    Forms::Reload<Form_open_chann>();
  } else if (key == "save") {
    Forms::Reload<Form_save_chann>();
  } else if (key == "edit_option") {
    if (Refused_While_Busy<frm_chann>()) return;
    Forms::Unload<frm_chann>();
    Forms::Load<frm_option>();
  } else if (key == "edit_chann") {
    if (Refused_While_Busy<frm_chann>()) return;
    Forms::Unload<frm_chann>();
    Forms::Load<frm_chann>();
  } else if (key == "edit_dtmf") {
    if (Refused_While_Busy<frm_chann>()) return;
    Forms::Unload<frm_chann>();
    Forms::Load<frm_dtmf>();
  } else if (key == "read") {
    Prog_read_Click();
  } else if (key == "write") {
    Prog_write_Click();
  } else if (key == "exit") {
    // Asked before the windows below are unloaded: any of them may be writing.
    if (Refused_While_Transfer()) return;
    Forms::Unload<Form_type>();
    Forms::Unload<frm_chann>();
    Forms::Unload<frm_option>();
    Forms::Unload<frmAbout>();
    Exit_Program();
  }
}

void MDImain::Exit_Program() { close(); }

bool MDImain::Refused_While_Transfer() const {
  // Unloading a window ends its transfer on the spot: a write cut off
  // leaves the radio half written. A file loaded under a write is not what
  // the radio gets, and a read that ends overwrites it. The main window's
  // own identification gives way (Any_Busy leaves it out): it changes
  // nothing in the radio or the image, and with no radio attached it may
  // go on for half a minute.
  return Refuse_While_Busy(Link_Engine::Any_Busy());
}

void MDImain::closeEvent(QCloseEvent* e) {
  if (!exiting_) {
    // The menu's Exit items, the toolbar's exit button and the close box
    // all come here.
    if (Refused_While_Transfer()) {
      e->ignore();
      return;
    }
    exiting_ = true;
    Forms::Unload_All();
    ident_->Shut_Down();
    QApplication::quit();
  }
  e->accept();
}
