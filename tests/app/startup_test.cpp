#include <gtest/gtest.h>

#include <QFile>
#include <pty.h>
#include <unistd.h>

#include "editors/channel/frm_chann.h"
#include "data/shared_state.h"
#include "data/titles.h"
#include "editors/factory_codes.h"
#include "files/image_file.h"
#include "link/protocol.h"
#include "support/app_fixture.h"
#include "tools/radiosim/start_memory.h"

namespace {
struct Pty {
  int master = -1, slave = -1;
  QString path;
  Pty() {
    char name[128] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) == 0) path = name;
  }
  ~Pty() {
    if (master >= 0) close(master);
    if (slave >= 0) close(slave);
  }
};

QByteArray Golden_Startup_Image() {
  QFile f(QString(CV_TEST_DATA_DIR) + "/startup_image.dat");
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}
}  // namespace

TEST(Startup, WithoutPortsOrRadio) {
  No_Serial_Ports();
  Msg_Recorder rec;
  auto w = Start_Program();

  // The probe is silent; the identification reports the port once.
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].text, QString::fromUtf8("Communication Port Open Error ！"));
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(rec.calls[0].icon, Msg_Icon::Exclamation);
  EXPECT_EQ(Port_No, 1);
  EXPECT_EQ(Port_Error, -1);

  EXPECT_EQ(Lang_Flag, 0);
  EXPECT_EQ(Chann_Count, 200);
  EXPECT_EQ(Band_Limits, (std::array<double, 8>{136, 174, 136, 174, 400, 480, 400, 480}));
  EXPECT_EQ(w->windowTitle(), Title_English());
  EXPECT_EQ(Title_Text[0], Title_Chinese());
  EXPECT_TRUE(Title_Text[1].isEmpty() && Title_Text[3].isEmpty());
  for (int i = 0; i < 8; ++i) EXPECT_NE(Hand_Cmd[i], 0) << "connect command byte " << i;
  EXPECT_EQ(Hand_Cmd[8], 0);
  EXPECT_EQ(Hand_Cmd[9], 0);
  EXPECT_EQ(Tone_Name[260], " D754I   ");
  EXPECT_EQ(Band_Names[1], "VHF1/UHF1");
  EXPECT_EQ(Adj_Image, Adj_Default);
  EXPECT_EQ(Sql_Rows, (std::array<int16_t, 8>{8, 10, 12, 14, 9, 11, 13, 15}));
  EXPECT_NE(Forms::Find<frm_chann>(), nullptr) << "the channel editor is the first child window";
  EXPECT_EQ(Status_Text(1), "Model:");
  EXPECT_EQ(Status_Text(5), "MCU-Version:");
  EXPECT_TRUE(Status_Text(2).isEmpty());
  Stop_Program(w);
}

TEST(Startup, ImageMatchesTheGoldenFile) {
  No_Serial_Ports();
  Msg_Recorder rec;
  auto w = Start_Program();
  const QByteArray text = Image_File_Text(Radio_Image);
  if (qEnvironmentVariableIsSet("CV_WRITE_GOLDEN")) {
    // Regenerates the fixture after a deliberate change of a factory default.
    QFile f(QString(CV_TEST_DATA_DIR) + "/startup_image.dat");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  const QByteArray golden = Golden_Startup_Image();
  ASSERT_FALSE(golden.isEmpty()) << "tests/app/startup_image.dat missing";
  EXPECT_TRUE(text.startsWith(" 0  0  0  0  37  80  21  0  37  80  21  158  2  158  2  0  0  0  4 \r\n"));
  const QList<QByteArray> got = text.split('\n'), want = golden.split('\n');
  ASSERT_EQ(got.size(), want.size());
  for (int i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], want[i]) << "line " << i;
  for (int r = 0; r < Image_Rows; ++r) ASSERT_EQ(Radio_Image[r][16], 0) << r;
  // The names and the rows outside every area stay 0xFF.
  for (int r : {200, 223, 248, 255, 256, 455, 456, 511, 608, 655, 688, 719, 784, 1024})
    for (int c = 0; c < 16; ++c) ASSERT_EQ(Radio_Image[r][c], 255) << r << "," << c;
  Stop_Program(w);
}

// The simulated radio starts from the same images, so a newcomer's first
// read, whole-radio or alignment, gives back what the program showed: the
// start-up image and, in the alignment area, the alignment image as the
// alignment editor's transfer lays it out (row r at 0x3C00 + 16 r).
TEST(Startup, TheSimulatedRadioStartsFromTheStartUpImage) {
  No_Serial_Ports();
  Msg_Recorder rec;
  auto w = Start_Program();
  const Adj_Table alignment = Adj_Image;
  Stop_Program(w);
  Shared_Reset();
  const std::vector<uint8_t> mem = radiosim::Factory_Memory();
  QFile golden(QString(CV_TEST_DATA_DIR) + "/startup_image.dat");
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
  const auto table = Image_File_Parse(golden.readAll(), nullptr);
  ASSERT_TRUE(table);
  ASSERT_EQ(mem.size(), size_t{0x4000});
  const auto in_alignment = [](int a) { return a >= 0x3C00 && a <= 0x3DFF; };
  for (int a = 0; a < 0x4000; ++a) {
    if (in_alignment(a))
      ASSERT_EQ(mem[a], alignment[(a - 0x3C00) / 16][a % 16]) << "alignment byte " << a - 0x3C00;
    else
      ASSERT_EQ(mem[a], (*table)[a / 16][a % 16]) << "address " << a;
  }
  EXPECT_EQ(std::string(mem.begin() + proto::Pass_Addr, mem.begin() + proto::Pass_Addr + 12), std::string(Factory::Adj_User_Password) + Factory::Adj_Super_Password)
      << "the factory passwords";
  // An image file for --load goes through the program's reader and checks;
  // it does not carry the alignment area, which keeps the factory table.
  QString why;
  EXPECT_FALSE(radiosim::Image_File_Memory("/dev/zero", &why));
  EXPECT_EQ(why, "it is not a regular file");
  const auto loaded = radiosim::Image_File_Memory(QString(CV_TEST_DATA_DIR) + "/startup_image.dat", &why);
  ASSERT_TRUE(loaded) << why.toStdString();
  EXPECT_EQ((*loaded)[0x10], (*table)[1][0]);
  for (int a = 0x3C00; a <= 0x3DFF; ++a) ASSERT_EQ((*loaded)[a], mem[a]) << "alignment byte " << a - 0x3C00;
}

TEST(Startup, ProbeSettlesOnTheHighestPortThatOpens) {
  No_Serial_Ports();
  Pty com3, com5;
  ASSERT_FALSE(com3.path.isEmpty());
  Port_Table_Set(3, com3.path);
  Port_Table_Set(5, com5.path);
  Msg_Recorder rec;
  auto w = Start_Program();
  EXPECT_EQ(Port_No, 5);
  EXPECT_EQ(Port_Error, 0);
  for (const auto& c : rec.calls) EXPECT_NE(c.text, QString::fromUtf8("Communication Port Open Error ！"));
  Stop_Program(w);
  Port_Table_Clear();
}

TEST(Startup, SmallScreenWarningOnce) {
  struct Case { QSize screen; bool warned; } cases[] = {
      {{1280, 800}, false}, {{1920, 1080}, false}, {{1024, 768}, true},
      {{1280, 720}, true},  {{1279, 800}, true}};
  for (const auto& c : cases) {
    No_Serial_Ports();
    Msg_Recorder rec;
    auto w = Start_Program(c.screen);
    int warnings = 0;
    for (const auto& m : rec.calls)
      if (m.text == "Set the display mode of the computer to 1280 * 800 ") {
        ++warnings;
        EXPECT_EQ(m.title, "Operate Prompt");
        EXPECT_EQ(m.icon, Msg_Icon::Exclamation);
      }
    EXPECT_EQ(warnings, c.warned ? 1 : 0) << c.screen.width() << "x" << c.screen.height();
    if (c.warned) {
      EXPECT_EQ(rec.calls.front().text, "Set the display mode of the computer to 1280 * 800 ")
          << "the screen warning comes before the port message";
    }
    Stop_Program(w);
  }
}
