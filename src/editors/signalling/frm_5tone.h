#pragma once
// The 5 TONE editor window: the standards page (period, group and repeat
// tone of each standard, the tone frequencies of one), the encode page (15
// encode entries, the encode delays and the decode settings), the decode
// page (never offered by the tab strip), the transfer of the 5-tone area and
// the signalling file, loaded and saved when a file dialog raises its flag.

#include <array>

#include "editors/signalling/tone5_edit.h"
#include "platform/vb_form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class Link_Engine;
class Vb_Check;
class Vb_Combo;
class Vb_Grid;
class Vb_TabStrip;
class Vb_Text;
class Vb_Timer;

class frm_5tone : public Vb_Form {
  Q_OBJECT
public:
  frm_5tone();
  ~frm_5tone() override;

  Link_Engine* Engine() const { return engine_; }
  bool Busy() const;

  // ---- controls ----
  Vb_TabStrip* TabStrip1 = nullptr;
  QGroupBox* Frame_std = nullptr;
  QLabel* Label_std_name = nullptr;
  Vb_Combo* Combo_stxh = nullptr;
  std::array<QLabel*, 16> Label_code{};
  std::array<QLabel*, 16> Label_freq{};
  Vb_Grid* MSF_Chann = nullptr;
  Vb_Combo* Combo_edit = nullptr;
  Vb_Text* Text_Edit = nullptr;

  QGroupBox* Frame_Encode = nullptr;
  Vb_Grid* MSF_Encode = nullptr;
  Vb_Combo* Combo_Encode = nullptr;
  Vb_Text* Text_Encode = nullptr;
  std::array<QLabel*, 4> Label_enc_ys{};   // Label_enc_ys1 .. Label_enc_ys4
  std::array<Vb_Combo*, 4> Combo_Enc_ys{}; // Combo_Enc_ys1, _ys2, Combo_enc_ys3, Combo_Enc_ys4
  QGroupBox* Frame1 = nullptr;
  QLabel* Label_Decode_HJ = nullptr;
  std::array<Vb_Check*, 3> Check_Decode_HJ{};
  QGroupBox* Frame2 = nullptr;
  QLabel* Label_Decode_Disp = nullptr;
  std::array<Vb_Check*, 3> Check_Decode_Disp{};
  QGroupBox* Frame3 = nullptr;
  QLabel* Label_Decode_Std = nullptr;
  Vb_Combo* Combo_Decode_Std = nullptr;
  QLabel* Label_Reset_Time = nullptr;
  Vb_Combo* Combo_Dec_Res_Time = nullptr;

  QGroupBox* Frame_Decode = nullptr;
  Vb_Grid* MSF_Decode = nullptr;
  Vb_Combo* Combo_Decode = nullptr;
  Vb_Text* Text_Decode = nullptr;
  QGroupBox* Frame_Dec_xx = nullptr;
  std::array<QLabel*, 3> Label_F{};  // Label_F1 .. Label_F3
  QLabel* Label_Disp = nullptr;
  QLabel* Label_led = nullptr;
  QLabel* Label_ctrl = nullptr;
  QLabel* Label_Tishi = nullptr;
  QLabel* Label9 = nullptr;
  std::array<QLabel*, 5> Label_zh{};  // Label16 .. Label20
  std::array<Vb_Check*, 3> Check_Disp{}, Check_Led{}, Check_Kz{}, Check_Ts{};
  std::array<std::array<Vb_Check*, 3>, 5> Check_zh{};  // Check_zh0 .. Check_zh4, box index f
  Vb_Check* Check_Dec_back = nullptr;
  Vb_Check* Check_Dec_Bcl = nullptr;
  QLabel* Label8 = nullptr;
  Vb_Combo* Combo_Dec_Back_Time = nullptr;

  QPushButton* Command_read = nullptr;
  QPushButton* Command_Write = nullptr;
  QPushButton* Command_def = nullptr;
  QPushButton* Command_save = nullptr;
  QPushButton* Command_open = nullptr;
  QPushButton* Command_close = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QLabel* Label_tr_count = nullptr;
  QLabel* Label_PassWord = nullptr;
  QLineEdit* Text_PassWord = nullptr;
  Vb_Timer* Timer4 = nullptr;

  // ---- window state ----
  QString Undo_Text;
  // The frame box's text was changed since it opened over its cell.
  bool Frame_Edited = false;
  std::array<std::array<int16_t, 61>, 17> Action_Flags{};
  int Action_Entry = 0;
  bool Action_Busy = false;

  // ---- handlers and routines ----
  void Tone5_InitControls();
  void Tone5_Show();
  void Freq_Show();
  void TabStrip1_Click();
  void Command_read_Click();
  void Command_Write_Click();
  void Command_def_Click();
  void Command_open_Click();
  void Command_save_Click();
  void Command_close_Click();

  void MSF_Chann_Click();
  void Std_EditCell();
  void Combo_edit_Click();
  void MSF_Chann_LeaveCell();

  void MSF_Encode_Click();
  void Encode_EditCell();
  void MSF_Encode_LeaveCell();
  void MSF_Encode_DblClick();
  void Encode_Row_Show(int r);  // encode row r from the image
  void Text_Encode_Change();
  void Text_Encode_LostFocus();
  void Combo_Encode_Click();

  void MSF_Decode_Click();
  void Decode_EditCell();
  void MSF_Decode_LeaveCell();
  void MSF_Decode_DblClick();
  void Decode_ClearRow(int r);
  void Text_Decode_Change();
  void Check_Dec_back_Click();
  void Action_Show(int e);
  void Action_Save(int e);

  void Timer4_Timer();
  void Tone5_FileLoad();
  void Tone5_FileSave();
  // What the decode page holds, for the file's build.
  Tone5_Decode_Page Decode_Page() const;

protected:
  void Form_Load() override;
  void Form_Unload() override;
  bool Form_Query_Close() override;

private:
  void Build_Controls();
  void Lay_Out();
  void Set_Texts();
  void Put_Back(Vb_Combo* list, bool take_focus, bool only_when_shown = false);
  void Float_Over(QWidget* editor, Vb_Grid* grid, bool with_height);
  void File_Message(const QString& zh, const QString& en);

  Link_Engine* engine_ = nullptr;
};
