#include "form_type.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "data/freq_codec.h"
#include "data/shared_state.h"
#include "platform/twips.h"

Form_type::Form_type() {
  Frame1 = new QGroupBox(this);
  Label1 = new QLabel(Frame1);
  Label2 = new QLabel(Frame1);
  Combo_type = new QComboBox(Frame1);  // not editable: the list cannot be typed into
  Label_band = new QLabel(Frame1);
  Command_enter = new QPushButton(this);
  Command_Cancel = new QPushButton(this);
  auto* fg = new QGridLayout(Frame1);
  fg->addWidget(Label1, 0, 0);
  fg->addWidget(Combo_type, 0, 1);
  fg->addWidget(Label2, 1, 0);
  fg->addWidget(Label_band, 1, 1);
  auto* g = new QGridLayout(this);
  g->addWidget(Frame1, 0, 0, 1, 2);
  g->addWidget(Command_enter, 1, 0);
  g->addWidget(Command_Cancel, 1, 1);
  connect(Combo_type, &QComboBox::activated, this, [this] { Combo_type_Click(); });
  connect(Command_enter, &QPushButton::clicked, this, [this] { Command_enter_Click(); });
  connect(Command_Cancel, &QPushButton::clicked, this, [this] { Command_Cancel_Click(); });
}

void Form_type::Form_Load() {
  const bool zh = Lang_Flag == -1;
  setWindowTitle(zh ? QString::fromUtf8("机型选择") : "Model Select");
  Command_enter->setText(zh ? QString::fromUtf8("确 定") : "Confirm");
  Command_Cancel->setText(zh ? QString::fromUtf8("取 消") : "Cancel");
  Label1->setText(zh ? QString::fromUtf8("机  型") : "Model");
  Label2->setText(zh ? QString::fromUtf8("频  段") : "Band");

  QWidget* client = Forms::Mdi_Area();
  const double cw = client ? Client_Width_Twips(client) : Screen_Width_Twips();
  const double ch = client ? Client_Height_Twips(client) : Screen_Height_Twips();
  const double w = cw / 3, h = ch / 3;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  QPoint origin = client ? client->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
  move(origin + QPoint(Twips_To_Px((cw - w) / 2), Twips_To_Px((ch - h) / 2 - 500)));
  Show_Top_Level();

  Combo_type->clear();
  for (int i = 0; i <= 6; ++i) Combo_type->addItem(Band_Names[i]);
  Combo_type->setCurrentIndex(Band_Type);
  Combo_type_Click();
  Band_Limits[0] = Band_Table[Band_Type][0];
  Band_Limits[1] = Band_Table[Band_Type][1];
}

void Form_type::Combo_type_Click() {
  const int i = Combo_type->currentIndex();
  if (i < 0 || i > 10) return;
  Label_band->setText(" " + Vb_Str(Band_Table[i][0]) + " -- " + Vb_Str(Band_Table[i][1]));
  chosen_text_ = Combo_type->currentText();
}

void Form_type::Command_enter_Click() {
  const int i = Combo_type->currentIndex();
  if (i >= 0 && i <= 10) {
    Band_Limits[0] = Band_Table[i][0];
    Band_Limits[1] = Band_Table[i][1];
    Band_Type = static_cast<int16_t>(i);
  }
  Unload();
}

void Form_type::Command_Cancel_Click() { Unload(); }
