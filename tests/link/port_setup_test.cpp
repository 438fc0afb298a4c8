// The port setup dialog.
#include <QPushButton>
#include <QRadioButton>

#include "link/main_ident.h"
#include "link/transfer_dialogs.h"
#include "support/sim_fixture.h"

namespace {
class PortSetup : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    ident = std::make_unique<Main_Ident>(nullptr);
    Main_Link_Set(ident.get());
  }
  void TearDown() override {
    Main_Link_Set(nullptr);
    ident.reset();
    Sim_Test::TearDown();
  }
  std::unique_ptr<Main_Ident> ident;
};
}  // namespace

TEST_F(PortSetup, ShowsTheCurrentPortAndIdentifiesOnTheChosenOne) {
  Port_No = 4;
  Port_Table_Set(4, "/nonexistent/x");
  Port_Table_Set(7, QString::fromStdString(sim.Tty_Path()));
  for (int p : {2, 4, 6, 8, 10, 12, 14}) Status_Set(p, "old");
  auto* d = Forms::Load<Form_setup>();
  EXPECT_EQ(d->windowTitle(), "Communication Port Setup");
  EXPECT_TRUE(d->Option[4]->isChecked());
  d->Option[7]->setChecked(true);
  d->Command_ok_Click();
  EXPECT_EQ(Port_No, 7);
  EXPECT_TRUE(d->Unloaded());
  EXPECT_EQ(Status_Text(12), "old") << "panels 12 and 14 keep their text";
  ASSERT_TRUE(Spin_Until([&] { return !Status_Text(2).isEmpty() && Status_Text(2) != "old"; }, 3000));
  EXPECT_EQ(Status_Text(2), "R47X  ");
  EXPECT_EQ(Status_Text(12), " 400-- 480");
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(PortSetup, APortThatFailsToOpenKeepsTheDialog) {
  Port_No = 15;
  auto* d = Forms::Load<Form_setup>();
  for (int k = 1; k <= 12; ++k) EXPECT_FALSE(d->Option[k]->isChecked()) << "COM13..COM20 show no button";
  d->Option[3]->setChecked(true);  // maps to nothing
  d->Command_ok_Click();
  EXPECT_EQ(Port_No, 15) << "the choice is taken only once its port opens";
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].text, QString::fromUtf8("Communication Port Open Error ！"));
  EXPECT_FALSE(d->Unloaded());
  d->Command1_Click();
  EXPECT_TRUE(d->Unloaded());
  EXPECT_EQ(Port_No, 15);
}

TEST_F(PortSetup, ChineseCaptionsOnlyForMinusOne) {
  Lang_Flag = -1;
  auto* d = Forms::Load<Form_setup>();
  EXPECT_EQ(d->windowTitle(), QString::fromUtf8("通讯端口设置"));
  EXPECT_EQ(d->Command_ok->text(), QString::fromUtf8("确 定"));
  Lang_Flag = 0;
}
