#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/about_box.h"
#include "app/form_type.h"
#include "data/shared_state.h"
#include "support/app_fixture.h"

using FrameDialogs = Program_Test;

TEST_F(FrameDialogs, AboutBoxTextsFollowTheLanguageAndSysInfoIsUnavailableHere) {
  w->about_Click();
  frmAbout* a = Forms::Find<frmAbout>();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->cmdOk->text(), "Confirm");
  EXPECT_EQ(a->cmdSysInfo->text(), "System Information(&S)...");
  EXPECT_EQ(a->lblTitle->text(), About_Text[0]);
  a->cmdSysInfo_Click();
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].text, QString::fromUtf8("此时系统信息不可用"));
  EXPECT_EQ(rec.calls[0].icon, Msg_Icon::None);
  EXPECT_EQ(rec.calls[0].buttons, Msg_Buttons::Ok);
  a->cmdOk_Click();
  EXPECT_EQ(Forms::Find<frmAbout>(), nullptr);

  // The About box captions itself in the current language, whatever the
  // shared texts held before.
  Lang_Flag = -1;
  w->about_Click();
  a = Forms::Find<frmAbout>();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->cmdOk->text(), QString::fromUtf8("确定"));
  EXPECT_EQ(a->cmdSysInfo->text(), QString::fromUtf8("系统信息(&S)..."));
}

TEST_F(FrameDialogs, ModelDialogSetsTheFirstBandLimits) {
  Band_Type = 1;
  Form_type* t = Forms::Load<Form_type>();
  EXPECT_EQ(t->windowTitle(), "Model Select");
  EXPECT_EQ(t->Combo_type->count(), 7);
  EXPECT_TRUE(t->Combo_type->itemText(3).isEmpty());
  EXPECT_EQ(t->Combo_type->currentIndex(), 1);
  EXPECT_EQ(t->Label_band->text(), "  136 --  174");
  EXPECT_EQ(Band_Limits[0], 136);
  EXPECT_EQ(Band_Limits[1], 174);
  t->Combo_type->setCurrentIndex(6);
  t->Combo_type_Click();
  EXPECT_EQ(t->Label_band->text(), "  66 --  89");
  t->Command_enter_Click();
  EXPECT_EQ(Band_Type, 6);
  EXPECT_EQ(Band_Limits[0], 66);
  EXPECT_EQ(Band_Limits[1], 89);
  EXPECT_EQ(Band_Limits[2], 136) << "only the first pair changes";
  EXPECT_EQ(Forms::Find<Form_type>(), nullptr);

  Lang_Flag = 1;  // the model dialog is Chinese only for -1
  t = Forms::Load<Form_type>();
  EXPECT_EQ(t->windowTitle(), "Model Select");
  t->Combo_type->setCurrentIndex(0);
  t->Combo_type_Click();
  t->Command_Cancel_Click();
  EXPECT_EQ(Band_Type, 6) << "Cancel changes nothing";
  Lang_Flag = -1;
  t = Forms::Load<Form_type>();
  EXPECT_EQ(t->windowTitle(), QString::fromUtf8("机型选择"));
  EXPECT_EQ(t->Command_enter->text(), QString::fromUtf8("确 定"));
}
