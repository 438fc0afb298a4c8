#pragma once
// The DTMF editor window: the 15 encode codes with the on and off times, the
// six remote-control codes, group and space codes, delay and reset times,
// the ID control with the two control IDs and their rights, and the radio's
// receive and transmit disable. Every change goes into the image at once.

#include <array>

#include "editors/signalling/dtmf_fields.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class Link_Engine;

class frm_dtmf : public Vb_Form {
  Q_OBJECT
public:
  frm_dtmf();

  // Pages of the area: row = page * 16 + offset.
  int Enc_Page = 0;
  int Dec_Page = 0;

  Link_Engine* Engine() { return engine_; }
  bool Busy() const;

  QGroupBox* Frame_Encode = nullptr;
  QLabel* Label_encode_xh = nullptr;
  QLabel* Label_tx_encode = nullptr;
  std::array<QLabel*, 15> Label_xh{};
  std::array<Vb_Text*, 15> Text_tx_Encode{};
  QLabel* Label_dtmf_ontime = nullptr;
  Vb_Combo* Combo_Enc_ys1 = nullptr;
  QLabel* Label_dtmf_offtime = nullptr;
  Vb_Combo* Combo_Enc_ys2 = nullptr;
  QGroupBox* Frame_State = nullptr;
  Vb_Check* Check_RX = nullptr;
  Vb_Check* Check_Tx = nullptr;

  QGroupBox* Frame_Decode = nullptr;
  QGroupBox* Frame_jm = nullptr;
  QLabel *Label_xc = nullptr, *Label_jt = nullptr, *Label_bj = nullptr, *Label_yy = nullptr,
         *Label_yb = nullptr, *Label_kj = nullptr;
  Vb_Text *Text_XC = nullptr, *Text_JT = nullptr, *Text_BJ = nullptr, *Text_YY = nullptr,
          *Text_YB = nullptr, *Text_KJ = nullptr;
  QLabel* Label_Group_code = nullptr;
  Vb_Combo* Combo_Dec_qh = nullptr;
  QLabel* Label_Dec_Space_Code = nullptr;
  Vb_Combo* Combo_Dec_Space_Code = nullptr;
  QLabel* Label_Rece_End_ProcDelay = nullptr;
  Vb_Combo* Combo_Dec_Proc_Ys = nullptr;
  QLabel* Label_Reset_Time = nullptr;
  Vb_Combo* Combo_Dec_Res_Time = nullptr;

  QGroupBox* Frame_Ctrl = nullptr;
  Vb_Check* Check_Ctrl_En = nullptr;
  QLabel* Label_xcjtyyybkj_2 = nullptr;
  QLabel* Label_xcjtyyybkj_1 = nullptr;
  QLabel* Label_PID = nullptr;
  Vb_Text* Text_MID = nullptr;
  std::array<Vb_Check*, 5> Check_M{};
  QLabel* Label_SID = nullptr;
  Vb_Text* Text_SID = nullptr;
  std::array<Vb_Check*, 5> Check_S{};

  QPushButton *Command_read = nullptr, *Command_Write = nullptr, *Command_def = nullptr,
              *Command_open = nullptr, *Command_save = nullptr, *Command_close = nullptr;
  QLabel* Label_PassWord = nullptr;
  Vb_Text* Text_PassWord = nullptr;
  QLabel* Label_tr_count = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  // Every code box in the order of Dtmf_Code_Boxes (encode 1..15, XC, JT,
  // BJ, YY, YB, KJ, MID, SID).
  std::array<Vb_Text*, Dtmf_Code_Box_Count> Code_Box{};

  void Dtmf_InitControls();
  void Dtmf_Show();

  void Command_read_Click();
  void Command_Write_Click();
  void Command_def_Click();
  void Command_open_Click();
  void Command_save_Click();
  void Command_close_Click();
  void Check_Ctrl_En_Click();
  void Code_Box_LostFocus(int k);

protected:
  void Form_Load() override;
  void Form_Unload() override;
  bool Form_Query_Close() override;
  void Form_Activate() override;

private:
  bool Busy_Guard();
  void Id_Controls_Enable(bool on);
  void Lay_Out();
  void Captions();
  void Place_Rights_Columns();

  Link_Engine* engine_ = nullptr;
};
