// The radio password change against the simulated radio.
#include <QLineEdit>
#include <cstring>

#include "link/password_dialog.h"
#include "support/sim_fixture.h"

namespace {
class PassChange : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    // Bytes 12..15 of the password row hold something of the radio's own.
    sim.Poke(0x3DFC, {0x12, 0x34, 0x56, 0x78});
  }
  Form_Write_PassWord* Open(const QString& old_pw, const QString& new_pw, const QString& again) {
    auto* d = Forms::Reload<Form_Write_PassWord>(Patient(Pass_Change_Profile()));
    d->Text_Old_PassWord->setText(old_pw);
    d->Text_New_Password_1->setText(new_pw);
    d->Text_New_PassWord_2->setText(again);
    return d;
  }
  std::vector<uint8_t> Row() { return sim.Peek(0x3DF0, 16); }
  // The exchange so far, for a failure's message.
  std::string Log() const {
    std::string s;
    for (const auto& f : sim.Frames()) s += "\n  " + radiosim::Radio_Sim::Describe(f);
    return s;
  }
};

std::vector<uint8_t> Bytes(const char* s) { return std::vector<uint8_t>(s, s + std::strlen(s)); }
}  // namespace

TEST_F(PassChange, MatchingOldPasswordWritesTheNewOneAndKeepsTheRest) {
  sim.Set_Password("1234");
  sim.Set_Super("999999");
  auto* d = Open("1234", "abc", "abc");
  d->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
  EXPECT_EQ(rec.Texts(), QStringList{"PassWord Modify Success ! "});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  const auto row = Row();
  EXPECT_EQ(std::vector<uint8_t>(row.begin(), row.begin() + 6), Bytes("abc   "));
  EXPECT_EQ(std::vector<uint8_t>(row.begin() + 6, row.begin() + 12), Bytes("999999"));
  EXPECT_EQ(std::vector<uint8_t>(row.begin() + 12, row.end()), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78}))
      << "the radio's bytes 12..15 go back as read";
  EXPECT_EQ(Count_Once(radiosim::Frame_Kind::End, 1), 1);
  EXPECT_TRUE(d->Text_Old_PassWord->text().isEmpty());
  EXPECT_EQ(Pass_New[0], 32);
  // The dialog closes itself about 500 ms after the answer.
  QPointer<Form_Write_PassWord> p(d);
  ASSERT_TRUE(Spin_Until([&] { return !p || p->Unloaded(); }, 2000));
  // The exchange on the line.
  const auto reads = Reads_Once(1);
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0], std::make_pair(0x3DC0, 64));
}

TEST_F(PassChange, OldPasswordMayBeTheSecondOneOrAnythingWhenNoneIsSet) {
  struct Case { std::string user, super; QString typed; bool ok; } cases[] = {
      {"1234", "777777", "777777", true},
      {"", "777777", "", true},          // slot 1 blank: no user password
      {"1234", "777777", "12345", false},
      {"1234", "777777", "", false},
  };
  for (const auto& c : cases) {
    rec.Clear();
    sim.Clear_Log();
    sim.Set_Password(c.user);
    sim.Set_Super(c.super);
    auto* d = Open(c.typed, "5555", "5555");
    d->Command_Write_Click();
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000)) << c.typed.toStdString() << Log();
    if (c.ok) {
      EXPECT_EQ(rec.calls[0].text, "PassWord Modify Success ! ");
      EXPECT_EQ(sim.Password(), "5555  ");
    } else {
      EXPECT_EQ(rec.calls[0].text, "Old PassWord Error, Writeing Stop");
      EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
      EXPECT_EQ(Count_Once(radiosim::Frame_Kind::End, 1), 1) << "'E' closes the exchange";
      EXPECT_EQ(Count(radiosim::Frame_Kind::Write), 0) << "nothing written";
      EXPECT_FALSE(d->Unloaded()) << "the dialog stays for another try";
      EXPECT_FALSE(d->Busy());
    }
    Spin_For(700);
  }
}

TEST_F(PassChange, SlotOfFFBytesMeansNoPassword) {
  sim.Poke(0x3DF0, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  auto* d = Open("anything", "42", "42");
  EXPECT_EQ(d->Text_Old_PassWord->text(), "anythi") << "a box takes at most six characters";
  d->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
  EXPECT_EQ(rec.calls[0].text, "PassWord Modify Success ! ");
  EXPECT_EQ(sim.Password(), "42    ");
}

TEST_F(PassChange, ARefusedWriteShowsTheFailureAndTheDialogStays) {
  sim.Add_Fault({.kind = radiosim::Fault::Refuse, .on = radiosim::Reply::Write_Ack});
  auto* d = Open("", "9", "9");
  d->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
  EXPECT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."});
  EXPECT_EQ(Count_Once(radiosim::Frame_Kind::End, 1), 1);
  Spin_For(800);
  EXPECT_FALSE(d->Unloaded());
  EXPECT_FALSE(d->Busy());
}

TEST_F(PassChange, DifferentNewPasswordsStartNothing) {
  auto* d = Open("", "abc", "abd");
  d->Command_Write_Click();
  EXPECT_EQ(rec.Texts(), QStringList{"Password is not consistent ."});
  Spin_For(100);
  EXPECT_EQ(sim.Frame_Count(), 0u);
  EXPECT_FALSE(d->Busy());
}

TEST_F(PassChange, BusyDialogRefusesCloseButNotModify) {
  sim.Set_Silent(true);
  auto* d = Open("", "1", "1");
  d->Command_Write_Click();
  ASSERT_TRUE(d->Busy());
  d->Text_New_Password_1->setText("2");
  d->Text_New_PassWord_2->setText("2");
  d->Command_Write_Click();  // rebuilds the new password, starts nothing
  EXPECT_EQ(Pass_New[0], '2');
  EXPECT_TRUE(rec.calls.empty());
  d->Command_Cancel_Click();
  EXPECT_EQ(rec.Texts(), QStringList{QString::fromUtf8("Read-write operating，don't close the window. ,")});
  EXPECT_FALSE(d->Unloaded());
}

TEST_F(PassChange, TheDialogOutlivesItsSuccessMessage) {
  auto* d = Open("", "77", "77");
  QPointer<Form_Write_PassWord> p(d);
  bool alive_while_open = true;
  rec.on_call = [&](const Msg_Call&) {
    // The user takes a while to close the message: the dialog's close timer
    // ticks meanwhile, but the dialog must stay until the message is gone.
    Spin_For(1200);
    alive_while_open = p && !p->Unloaded();
  };
  d->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
  EXPECT_TRUE(alive_while_open);
  ASSERT_TRUE(Spin_Until([&] { return !p || p->Unloaded(); }, 2000)) << "closes once the message is gone";
}
