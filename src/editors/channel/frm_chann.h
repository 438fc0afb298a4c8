#pragma once
// The Channel Information editor window: the 200 channels in a grid, edited
// cell by cell through a text box or a list floated over the cell, with the
// factory channels, Clear, the image-file dialogs and the window's own
// transfer of the channel and name areas.

#include <memory>

#include "editors/channel/chann_record.h"
#include "platform/vb_form.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class Vb_Combo;
class Vb_Grid;
class Vb_Text;
class Chann_Link;

class frm_chann : public Vb_Form {
  Q_OBJECT
public:
  frm_chann();
  ~frm_chann() override;

  Vb_Grid* MSF_Chann = nullptr;
  Vb_Text* Text_Edit = nullptr;
  Vb_Combo* Combo_edit = nullptr;
  QPushButton* Command_read = nullptr;
  QPushButton* Command_Write = nullptr;
  QPushButton* Command_Clear = nullptr;
  QPushButton* Command_def = nullptr;
  QPushButton* Command_save = nullptr;
  QPushButton* Command_open = nullptr;
  QPushButton* Command_close = nullptr;
  QLabel* Label_PassWord = nullptr;
  QLineEdit* Text_PassWord = nullptr;
  QLabel* Label_tr_count = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  Chann_Link* Engine() { return engine_; }
  bool Busy() const;
  // The edit state and the commit rules of the grid's cells.
  Chann_Edit& Edit() { return *edit_; }
  Chann_Cells& Cells() { return *cells_; }

  // Every row from the image (load, activation, Default, after a read).
  void Full_Redraw();
  void Row_Show(int r);

  // Handlers.
  void Command_read_Click();
  void Command_Write_Click();
  void Command_Clear_Click();
  void Command_def_Click();
  void Command_open_Click();
  void Command_save_Click();
  void Command_close_Click();
  void MSF_Chann_Click();
  void MSF_Chann_LeaveCell();
  void Cell_Edit();
  void Combo_edit_Click();
  void Combo_edit_Change();
  void Combo_edit_GotFocus();
  void Combo_edit_KeyPress(int& key);
  void Text_Edit_KeyPress(int& key);

protected:
  void Form_Load() override;
  void Form_Unload() override;
  bool Form_Query_Close() override;
  void Form_Activate() override;

private:
  void Place_Editor(QWidget* w, bool full_height);
  void Widen_Columns();
  void Hide_Editors_And_Empty();

  Chann_Link* engine_ = nullptr;
  std::unique_ptr<Chann_Cells> cells_;
  std::unique_ptr<Chann_Edit> edit_;
};
