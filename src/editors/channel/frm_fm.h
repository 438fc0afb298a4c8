#pragma once
// The FM preset editor: the 16 broadcast presets in a grid, edited through a
// text box floated over the cell, with Read/Write of the radio's FM area
// through the window's own transfer engine (password enforced), Clear,
// Default and the image-file dialogs.

#include "editors/channel/fm_edit.h"
#include "link/fm_link.h"
#include "platform/vb_form.h"

class QLabel;
class QProgressBar;
class QPushButton;
class Vb_Grid;
class Vb_Text;

class frm_FM : public Vb_Form {
  Q_OBJECT
public:
  explicit frm_FM(const Link_Profile& profile = Fm_Link_Profile());

  Fm_Link* Engine() { return engine_; }
  bool Busy() const { return engine_->Busy(); }

  Vb_Grid* MSF_Chann = nullptr;
  Vb_Text* Text_Edit = nullptr;
  QPushButton* Command_read = nullptr;
  QPushButton* Command_Write = nullptr;
  QPushButton* Command_Clear = nullptr;
  QPushButton* Command_save = nullptr;
  QPushButton* Command_open = nullptr;
  QPushButton* Command_close = nullptr;
  QPushButton* Command_def = nullptr;
  QLabel* Label_PassWord = nullptr;
  Vb_Text* Text_PassWord = nullptr;
  QLabel* Label_tr_count = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  Fm_Edit Edit;  // the edited cell and whether leaving it commits

  // Redraw of every preset row (r = 1..16) or one row from the image.
  void FM_Show();
  void FM_Row_Show(int r);
  // Writes preset r - 1 from the row's two cells; the spare row writes nothing.
  void FM_Row_Save(int r);

  void MSF_Chann_Click();
  void MSF_Chann_LeaveCell();
  void Command_read_Click();
  void Command_Write_Click();
  void Command_Clear_Click();
  void Command_save_Click();
  void Command_open_Click();
  void Command_close_Click();
  void Command_def_Click();

protected:
  void Form_Load() override;
  void Form_Unload() override;
  bool Form_Query_Close() override;
  void Form_Activate() override;

private:
  void Cell_Edit();
  // Hides the text box and forgets its text: the cells under it were redrawn.
  void Edit_Drop();
  void Lay_Out();

  Fm_Link* engine_ = nullptr;
};
