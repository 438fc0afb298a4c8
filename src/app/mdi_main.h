#pragma once
// The main window: the MDI frame with the menus, the toolbar and the
// 15-panel status bar, and the start-up sequence.

#include <QIcon>
#include <QMainWindow>
#include <QMap>
#include <array>

#include "link/main_ident.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

class MDImain : public QMainWindow {
  Q_OBJECT
public:
  MDImain();
  ~MDImain() override;

  // The start-up sequence (the window's load).
  void MDIForm_Load();

  // Menu and toolbar handlers.
  void File_Open_Click();
  void File_save_Click();
  void File_saveas_Click();
  void File_exit_Click();
  void fm_chann_edit_Click();
  void chann_edit_Click();
  void sys_edit_Click();
  void Sig_dtmf_Click();
  void Sig_2tone_Click();
  void Sig_5tone_Click();
  void frm_adj_Click();
  void Prog_read_Click();
  void Prog_write_Click();
  void PC_PassWord_Click();
  void proc_setup_Click();
  void Language_chn_Click();
  void Language_eng_Click();
  void about_Click();
  void Menu_Exit_Click();
  void Toolbar1_ButtonClick(const QString& key);

  // Menu items and menus by name (File, File_Open, ..., Menu_Exit).
  QAction* Item(const QString& name) const { return items_.value(name); }
  QToolBar* Toolbar1 = nullptr;
  QMdiArea* Mdi = nullptr;
  QLabel* Panel(int i) const { return panels_[i]; }

  Main_Ident* Ident() { return ident_; }

  // Every text the program may write into status-bar panel i (1..15), in
  // both languages: the panel is made wide enough for each of them.
  static QStringList Panel_Texts(int i);
  // The program's own icon, shown by every window.
  static QIcon Program_Icon();

  // Called by the exit commands: unloads every window, then the main window.
  void Exit_Program();
  // While any window's transfer runs, its retry pause included, an exit or
  // an image file load is refused with the busy message (true) and the
  // transfer goes on.
  bool Refused_While_Transfer() const;

private:
  void Build_Menus();
  void Build_Toolbar();
  void Build_Status_Bar();
  void Captions_English();
  void Captions_Chinese();
  void Status_Labels();
  void Fit_Panels();
  void Fit_To_Screen();
  // Once the window system knows the frame around the window, fits the
  // window, frame included, into the screen, then maximises it.
  void Fit_Frame();
  void Show_Model_Dialog();  // the routine that nothing calls
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

  QMap<QString, QAction*> items_;
  std::array<QLabel*, 16> panels_{};
  QWidget* panel_row_ = nullptr;
  Main_Ident* ident_ = nullptr;
  bool exiting_ = false;
  QRect screen_area_;   // the part of the screen the window is fitted into
  bool fitted_ = false;  // the frame has been counted
};
