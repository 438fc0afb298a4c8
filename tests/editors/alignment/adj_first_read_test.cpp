// A newcomer's first alignment read, from the radiosim command as it is
// started to try the program without a radio.
#include <QProcess>

#include "editors/alignment/frm_adj_txp.h"
#include "support/app_fixture.h"
#include "support/sim_fixture.h"

namespace {
const QString kReadDone = "Complete reading the data from transceiver.";
const QString kRangePrefix = QString::fromUtf8(" 输入数字范围为 ");

// The radiosim command, started with args; its tty path is the first line it
// prints. Stopped with SIGTERM, as Ctrl-C stops it, when the object goes.
class Radiosim_Command {
public:
  explicit Radiosim_Command(const QStringList& args) {
    proc_.start(RADIOSIM_BIN, args + QStringList{"--quiet"});
    if (!proc_.waitForStarted(10000)) return;
    while (!proc_.canReadLine() && proc_.waitForReadyRead(10000)) {
    }
    if (proc_.canReadLine()) path_ = QString::fromLocal8Bit(proc_.readLine()).trimmed();
  }
  ~Radiosim_Command() {
    proc_.terminate();
    if (!proc_.waitForFinished(10000)) {
      proc_.kill();
      proc_.waitForFinished(10000);
    }
  }
  Radiosim_Command(const Radiosim_Command&) = delete;
  Radiosim_Command& operator=(const Radiosim_Command&) = delete;
  QString Path() const { return path_; }
  QByteArray Errors() { return proc_.readAllStandardError(); }

private:
  QProcess proc_;
  QString path_;
};

// What every box, list and check box of the window shows, in a fixed order.
std::string Shown(const frm_Adj_Txp* f) {
  QStringList out;
  for (const auto* t : f->findChildren<Vb_Text*>()) out << t->objectName() + "=" + t->Text();
  for (const auto* l : f->findChildren<Vb_Combo*>()) out << l->objectName() + "=" + l->currentText();
  for (const auto* c : f->findChildren<Vb_Check*>()) out << c->objectName() + "=" + QString::number(c->Value());
  return out.join(" | ").toStdString();
}
}  // namespace

class AdjFirstRead : public Program_Test {
protected:
  void SetUp() override {
    Program_Test::SetUp();
    w->frm_adj_Click();
    f = Forms::Find<frm_Adj_Txp>();
    ASSERT_NE(f, nullptr);
    factory_shown = Shown(f);
  }
  std::string Messages() const { return rec.Texts().join(" | ").toStdString(); }
  frm_Adj_Txp* f = nullptr;
  std::string factory_shown;
};

TEST_F(AdjFirstRead, AFreshRadioGivesTheFactoryTableABlankOneIsErased) {
  struct Case { const char* name; QStringList args; bool factory; } cases[] = {
      {"fresh", {}, true},
      {"--blank", {"--blank"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // Other values in the window (all in range), so that only the read can
    // bring the factory ones back.
    for (int r = 0; r < 31; ++r)
      for (int col = 0; col < 16; ++col)
        if (Adj_Image[r][col] > 1) --Adj_Image[r][col];
    f->Adj_Show();
    ASSERT_NE(Shown(f), factory_shown);

    Radiosim_Command radio(c.args);
    ASSERT_FALSE(radio.Path().isEmpty()) << radio.Errors().constData();
    Port_Table_Set(1, radio.Path());
    Port_No = 1;
    rec.Clear();
    f->Command_read_Click();
    ASSERT_TRUE(Spin_Until([&] { return rec.Texts().contains(kReadDone); }, 30000)) << Messages();
    ASSERT_TRUE(Spin_Until([&] { return Transfer_Idle(f); }, 5000));
    EXPECT_EQ(rec.Texts().last(), kReadDone);
    QStringList range;
    for (const QString& t : rec.Texts())
      if (t.startsWith(kRangePrefix)) range << t;

    if (c.factory) {
      EXPECT_EQ(Messages(), kReadDone.toStdString()) << "no range messages";
      for (int r = 0; r < 32; ++r)
        for (int col = 0; col < 16; ++col)
          ASSERT_EQ(Adj_Image[r][col], Adj_Default[r][col]) << "row " << r << " cell " << col;
      EXPECT_EQ(Shown(f), factory_shown);
    } else {
      // Every value box reports the erased byte it was given.
      EXPECT_GT(range.size(), 100);
      EXPECT_EQ(range.size() + 1, rec.Texts().size()) << "range messages and the end of the read only";
      // Rows no control shows keep what the radio sent.
      for (int col = 0; col < 16; ++col) EXPECT_EQ(Adj_Image[20][col], 0xFF) << "cell " << col;
    }
  }
}
