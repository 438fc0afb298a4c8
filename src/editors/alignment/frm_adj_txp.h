#pragma once
// The alignment editor: the alignment image (Adj_Image) on five pages of a
// tab strip (TX power high and low, squelch, deviation and volume, band
// limits with the radio's passwords). Every field stores into Adj_Image as
// soon as it takes a value; Read fetches the whole alignment area from the
// radio, Write sends the band-limit rows 24..27 only.

#include <QPointer>
#include <array>

#include "editors/alignment/adj_fields.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"
#include "platform/vb_tabstrip.h"
#include "platform/vb_timer.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class Adj_Link;
class Link_Engine;

class frm_Adj_Txp : public Vb_Form {
  Q_OBJECT
public:
  frm_Adj_Txp();
  ~frm_Adj_Txp() override;

  using Texts16 = std::array<Vb_Text*, 16>;
  using Texts10 = std::array<Vb_Text*, 10>;
  using Labels16 = std::array<QLabel*, 16>;
  using Labels10 = std::array<QLabel*, 10>;

  // ---- window state
  int16_t Adj_Page = 0;  // 0 TX power high, 1 TX power low, 2 squelch, 3 deviation, 4 band limits
  std::array<int16_t, Adj_Bands> Freq_Min{}, Freq_Max{};

  // ---- controls
  Vb_TabStrip* TabStrip1 = nullptr;
  QGroupBox* Frame_Frame = nullptr;  // TX power, pages 0 and 1
  QGroupBox* Frame_Sql = nullptr;
  QGroupBox* Frame_Dev = nullptr;
  QGroupBox* Frame_Other = nullptr;

  // TX power page: one frame per band, 16 labels over 16 boxes each.
  std::array<QGroupBox*, Adj_Bands> Frame_B0{};
  Labels16 Label_TXP_VHF{}, Label_TXP_UHF0{}, Label_TXP_UHF1{}, Label_TXP_UHF2{};
  Texts16 Text_TXP_VHF{}, Text_TXP_UHF0{}, Text_TXP_UHF1{}, Text_TXP_UHF2{};

  // Squelch page: per band a frame with level labels and threshold boxes,
  // point labels and compensation boxes, and four header labels.
  QGroupBox* Frame_SQL_VHF = nullptr;
  QGroupBox* Frame_SQL_UHF0 = nullptr;
  QGroupBox* Frame_SQL_UHF1 = nullptr;
  QGroupBox* Frame1 = nullptr;  // band UHF2
  Labels10 Label_Sql_VHF{}, Label_Sql_UHF0{}, Label_Sql_UHF1{}, Label_Sql_UHF2{};
  Texts10 Text_SQ_VHF{}, Text_SQ_UHF0{}, Text_SQ_UHF1{}, Text_SQ_UHF2{};
  Labels16 Label_Sq_Offset_Vhf{}, Label_Sq_Offset_UHF0{}, Label_Sq_Offset_UHF1{}, Label_Sq_Offset_UHF2{};
  Texts16 Text_Sq_Offset_VHF{}, Text_Sq_Offset_UHF0{}, Text_Sq_Offset_UHF1{}, Text_Sq_Offset_UHF2{};
  // The header labels of each band ("级别", "打开", "频点", "补偿"): Label18..21
  // (VHF), Label22..25 (UHF0), Label26..29 (UHF1), Label1, Label30..32 (UHF2).
  std::array<std::array<QLabel*, 4>, Adj_Bands> Sql_Header{};

  // Deviation and volume page: 14 lists of row 16.
  QGroupBox* Frame_Dev_1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  Vb_Combo* Combo_Voice_Dev = nullptr;
  Vb_Combo* Combo_CT_Dev = nullptr;
  Vb_Combo* Combo_DCS_Dev = nullptr;
  Vb_Combo* Combo_Wide_C = nullptr;
  Vb_Combo* Combo_Wide_F = nullptr;
  Vb_Combo* Combo_Narror_C = nullptr;
  Vb_Combo* Combo_Narror_F = nullptr;
  Vb_Combo* Combo_Beep_C = nullptr;
  Vb_Combo* Combo_Beep_F = nullptr;
  Vb_Combo* Combo_VHF_Drive = nullptr;
  Vb_Combo* Combo_UHF0_Drive = nullptr;
  Vb_Combo* Combo_UHF1_Drive = nullptr;
  Vb_Combo* Combo_UHF2_Drive = nullptr;
  Vb_Combo* Combo_Tone_Dev = nullptr;
  std::array<QLabel*, 2> Label6{}, Label7{}, Label11{};
  QLabel *Label12 = nullptr, *Label15 = nullptr, *Label14 = nullptr, *Label5 = nullptr,
         *Label13 = nullptr, *Label16 = nullptr, *Label33 = nullptr, *Label17 = nullptr;

  // Band-limit page.
  QLabel* Label2 = nullptr;  // (15) "Band"
  QLabel* Label3 = nullptr;  // (15) the band's range
  QLabel* Label4 = nullptr;  // (15) the limit boxes
  std::array<QLabel*, 2> Label8{};   // (0) the check boxes' header, (1) user password
  std::array<QLabel*, 5> Label10{};  // (0, 1, 2, 4) "to"; (3) super password
  QLabel* Label_F0 = nullptr;                 // band 0 caption
  std::array<QLabel*, 3> Label_F1{};          // bands 1, 2, 3 captions
  std::array<QLabel*, Adj_Bands> Label9{};    // "From"
  std::array<Vb_Text*, Adj_Bands> Text_Freq_L{}, Text_Freq_H{};
  std::array<Vb_Check*, Adj_Bands> Check_Tx{};
  QLabel* Label34 = nullptr;
  QGroupBox* Frame4 = nullptr;
  Vb_Text* Text_user_PassWord = nullptr;
  Vb_Text* Text_Super_PassWord = nullptr;

  // Window-level.
  QPushButton* Command_read = nullptr;
  QPushButton* Command_Write = nullptr;
  QPushButton* Command_def = nullptr;
  QPushButton* Command_save = nullptr;
  QPushButton* Command_open = nullptr;
  QPushButton* Command_close = nullptr;
  QLabel* Label_tr_count = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  Vb_Timer Timer4;  // the file-request poll

  // ---- routines and handlers
  void Adj_InitControls();
  void Adj_Show();

  void TabStrip1_Click();
  void Command_def_Click();
  void Command_close_Click();
  void Command_open_Click();
  void Command_save_Click();
  void Command_read_Click();
  void Command_Write_Click();
  void Timer4_Timer();
  void Adj_FileLoad();
  void Adj_FileSave();

  // Value boxes of a family, band b, element i.
  void Text_TXP_Change(int band, int i) { Value_Change(Adj_Family::Tx_Power, band, i); }
  void Text_SQ_Change(int band, int i) { Value_Change(Adj_Family::Sql_Level, band, i); }
  void Text_Sq_Offset_Change(int band, int i) { Value_Change(Adj_Family::Sql_Offset, band, i); }
  // List k of the lists table (row-16 cell k).
  void Combo_Click(int k);
  void Check_Tx_Click(int k);
  void Text_Freq_L_KeyPress(int k, int& key);
  void Text_Freq_H_KeyPress(int k, int& key);
  void Text_Freq_L_LostFocus(int k);
  void Text_Freq_H_LostFocus(int k);
  void Text_user_PassWord_Change();
  void Text_Super_PassWord_Change();

  // Lookups for the window's own code and its tests.
  Vb_Text* Value_Box(Adj_Family f, int band, int i) const;
  Vb_Combo* List(int cell) const;  // the list of row-16 cell 0..13
  Link_Engine* Engine() const;
  bool Busy() const;

protected:
  void Form_Load() override;
  void Form_Unload() override;
  bool Form_Query_Close() override;
  void Form_Activate() override {}
  void focusInEvent(QFocusEvent* e) override;  // the window's own GotFocus

private:
  void Build_Controls();
  void Lay_Out();
  void Value_Change(Adj_Family f, int band, int i);
  void Limits_Store();
  // Gives w the focus once the current event is done, unless its page is hidden.
  void Focus_Request(QWidget* w);
  void Show_Page_Frame(QGroupBox* frame);

  std::array<Texts16*, Adj_Bands> txp_{};
  std::array<Texts10*, Adj_Bands> sq_{};
  std::array<Texts16*, Adj_Bands> sq_off_{};
  std::array<Vb_Combo*, 14> lists_{};  // by row-16 cell
  std::array<QLabel*, 14> list_labels_{};
  Adj_Link* engine_ = nullptr;
  bool password_quiet_ = false;  // a password box emptied for cells it cannot show stores nothing
};
