#pragma once
// The optional parameters editor: the option block's list settings, the four
// VFO records, the ANI and PTT-ID codes and the power-on text, all shown from
// and stored into the option area of the memory image (radio 0x0E00..0x0FFF),
// with the window's own read and write of that area.

#include <array>
#include <vector>

#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class Link_Engine;
struct Vfo_List;

class frm_option : public Vb_Form {
  Q_OBJECT
public:
  frm_option();
  ~frm_option() override;

  // Buttons.
  QPushButton* Command_read = nullptr;
  QPushButton* Command_Write = nullptr;
  QPushButton* Command_def = nullptr;
  QPushButton* Command_open = nullptr;
  QPushButton* Command_save = nullptr;
  QPushButton* Command_close = nullptr;
  // Transfer.
  QLabel* Label_PassWord = nullptr;
  Vb_Text* Text_PassWord = nullptr;
  QLabel* Label_tr_count = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  // VFO frames.
  QGroupBox* Frame_A = nullptr;
  QGroupBox* Frame_B = nullptr;
  QRadioButton* Option_Select_A = nullptr;
  QRadioButton* Option_Select_B = nullptr;
  QRadioButton* Option_Select_C = nullptr;
  QRadioButton* Option_Select_D = nullptr;
  QLabel* Label_Freq_a = nullptr;
  QLabel* Label_Freq_b = nullptr;
  Vb_Text* Text_Freq_a = nullptr;
  Vb_Text* Text_Freq_b = nullptr;
  QLabel* Label28 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label33 = nullptr;
  QLabel* Label4 = nullptr;
  // Codes and power-on text.
  QLabel* Label_ANI = nullptr;
  QLabel* Label_Send_Begin = nullptr;
  QLabel* Label_Send_End = nullptr;
  Vb_Text* Text_ANI = nullptr;
  Vb_Text* Text_PttId_Begin = nullptr;
  Vb_Text* Text_PttId_End = nullptr;
  QGroupBox* Frame_Pon_Msg = nullptr;
  QLabel* Label_Model_Disp = nullptr;
  Vb_Text* Text_Model_Disp = nullptr;
  // Grouping.
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QGroupBox* Frame5 = nullptr;
  QGroupBox* Frame6 = nullptr;

  // A list or a label by its name ("Combo_Sql", "Label_Sql"); nullptr if none.
  Vb_Combo* Combo(const QString& name) const;
  QLabel* Label(const QString& name) const;

  Link_Engine* Engine() const { return engine_; }
  bool Busy() const;

  // Fills every list with its items in the language of the moment.
  void Opt_InitControls();
  // Redraws every control from the option area (and stores back what each
  // control shows, normalised).
  void Opt_Show();
  void Vfo_Show_AC();
  void Vfo_Show_BD();

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
  void Form_Activate() override;

private:
  struct Vfo_Frame {
    bool right = false;
    QGroupBox* frame = nullptr;
    QRadioButton* select_main = nullptr;  // A or B
    QRadioButton* select_alt = nullptr;   // C or D
    QLabel* freq_label = nullptr;
    Vb_Text* freq = nullptr;
    std::vector<Vb_Combo*> lists;  // as Vfo_Lists()
    std::vector<QLabel*> labels;
    bool checking = false;  // the leave check is running
    // The record the frame shows: A/C (0/2) or B/D (1/3).
    int Record() const;
  };

  void Build();
  void Lay_Out();
  void Set_Captions();
  void Build_Frame(Vfo_Frame& f);
  void Vfo_Show(Vfo_Frame& f);
  void Vfo_Select_Click(Vfo_Frame& f, QRadioButton* button);
  void Vfo_List_Click(Vfo_Frame& f, const Vfo_List& def, Vb_Combo* list);
  void Text_Freq_Change(Vfo_Frame& f);
  void Text_Freq_LostFocus(Vfo_Frame& f);
  void Code_Change(Vb_Text* box, int pos);
  void Text_ANI_LostFocus();
  void Text_Model_Disp_Change();
  void Text_Model_Disp_KeyPress(int& key);
  bool Refuse_When_Busy();

  Link_Engine* engine_ = nullptr;
  std::vector<Vb_Combo*> block_lists_;  // as Opt_Block_Lists()
  std::vector<QLabel*> block_labels_;
  Vfo_Frame left_, right_;
  bool loaded_ = false;
  bool showing_ = false;
  bool ani_checking_ = false;
  bool pon_warned_ = false;
};
