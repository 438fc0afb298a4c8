#pragma once
// The 2 TONE editor window: an Encode page (15 encode codes of two tones in a
// grid, the tone durations and the gap) and a Decode page (15 decode codes of
// four decoders in a grid, the four decode tones of the selected code, the
// reset time) on a tab strip. Every accepted edit goes into the image at once.

#include <QString>

#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class Link_Engine;
class Vb_Grid;
class Vb_TabStrip;

class frm_2tone : public Vb_Form {
  Q_OBJECT
public:
  frm_2tone();

  Link_Engine* Engine() { return engine_; }
  bool Busy() const;

  // The selected decode code minus 1 (0..14), whose tones the tone boxes edit.
  int Dec_Index = 0;
  // The text Combo_Decode falls back to when the user types into it.
  QString Undo_Text;

  Vb_TabStrip* TabStrip1 = nullptr;
  QGroupBox* Frame_Encode = nullptr;
  Vb_Grid* MSF_Encode = nullptr;
  Vb_Text* Text_Encode = nullptr;
  QLabel *Label_1st = nullptr, *Label_2nd = nullptr, *Label_gap = nullptr;
  Vb_Combo *Combo_Enc_ys1 = nullptr, *Combo_Enc_ys2 = nullptr, *Combo_enc_ys3 = nullptr;

  QGroupBox* Frame_Decode = nullptr;
  Vb_Grid* MSF_Decode = nullptr;
  Vb_Combo* Combo_Decode = nullptr;
  QGroupBox* Frame_Dec_xx = nullptr;
  QLabel *Label_A_tone = nullptr, *Label_B_Tone = nullptr, *Label_C_Tone = nullptr,
         *Label_D_Tone = nullptr;
  Vb_Text *Text_A = nullptr, *Text_B = nullptr, *Text_C = nullptr, *Text_D = nullptr;
  QLabel* Label_Reset = nullptr;
  Vb_Combo* Combo_Dec_Res_Time = nullptr;

  QPushButton *Command_read = nullptr, *Command_Write = nullptr, *Command_def = nullptr,
              *Command_save = nullptr, *Command_open = nullptr, *Command_close = nullptr;
  QLabel* Label_PassWord = nullptr;
  Vb_Text* Text_PassWord = nullptr;
  QLabel* Label_tr_count = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  Vb_Text* Tone_Box(int t) const;  // Text_A .. Text_D for t = 0..3

  void Tone2_Show();
  void Edata_Load(int x);

  void TabStrip1_Click();
  void MSF_Encode_Click();
  void MSF_Encode_LeaveCell();
  void MSF_Decode_Click();
  void MSF_Decode_LeaveCell();
  void MSF_Decode_DblClick();
  void Combo_Decode_Click();
  void Combo_Decode_GotFocus();
  void Combo_Decode_Change();
  void Tone_Box_LostFocus(int t);

  void Command_read_Click();
  void Command_Write_Click();
  void Command_def_Click();
  void Command_open_Click();
  void Command_save_Click();
  void Command_close_Click();

protected:
  void Form_Load() override;
  void Form_Unload() override;
  bool Form_Query_Close() override;
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  void Encode_EditCell();
  void Decode_EditCell();
  void Select_Decode_Code(int r);
  void Lay_Out();
  void Range_Message();

  Link_Engine* engine_ = nullptr;
  // The text the encode box opened with: a leave with it unchanged stores
  // nothing.
  QString encode_open_text_;
  // Why the last tone box to lose the focus lost it.
  Qt::FocusReason tone_focus_out_ = Qt::OtherFocusReason;
};
