// An image file opened while the radio is being written or read: the load
// waits, so a write reported done leaves the radio equal to the image and a
// read's result is what the radio holds. Against the simulated radio.
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "data/image_map.h"
#include "files/file_dialogs.h"
#include "files/image_file.h"
#include "link/transfer_dialogs.h"
#include "support/app_fixture.h"
#include "support/sim_fixture.h"

namespace {
const QString kBusy = "Read-write operating with transceiver .";
const QString kLoaded = "Succeed fold the parameter from file.";
}  // namespace

class LoadDuringTransfer : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    w = Start_Program();
    ASSERT_TRUE(Spin_Until([&] { return !w->Ident()->Busy(); }, 15000));
    ASSERT_TRUE(dir.isValid());
    // A file unlike both the image and the radio.
    QString why;
    ASSERT_TRUE(Image_File_Save(dir.filePath("other.dat"), Marked_Image(), &why)) << why.toStdString();
    rec.Clear();
    sim.Clear_Log();
  }
  void TearDown() override {
    Stop_Program(w);
    Sim_Test::TearDown();
  }
  // File > Open, the file named, Confirm.
  Form_open_chann* Open_File() {
    w->Item("File_Open")->trigger();
    auto* d = Forms::Find<Form_open_chann>();
    if (!d) return nullptr;
    d->Set_Folder(dir.path());
    d->Text1->setText("other.dat");
    d->Command_enter->click();
    return d;
  }
  std::unique_ptr<MDImain> w;
  QTemporaryDir dir;
};

// Refused with the busy message, the image and the dialog as they were,
// whether the transfer sends its frames or waits to retry; once it is over
// the same Confirm loads the file.
TEST_F(LoadDuringTransfer, AFileLoadWaitsForTheWholeRadioWriteAndRead) {
  {
    SCOPED_TRACE("write");
    Random_Memory(5);
    Link_Profile p = Patient(Comm_Write_Profile());
    p.Write_Count = 96;
    auto* d = Forms::Reload<Form_Comm_Write>(p);
    d->Command_Write->click();
    ASSERT_TRUE(Spin_Until([&] { return Count(radiosim::Frame_Kind::Write) >= 3; }, 10000));
    const Image_Table image = Radio_Image;
    auto* open = Open_File();
    ASSERT_NE(open, nullptr);
    ASSERT_EQ(rec.Texts(), QStringList{kBusy});
    EXPECT_EQ(rec.calls[0].title, "Operate prompt");
    EXPECT_TRUE(Radio_Image == image);
    EXPECT_FALSE(open->Unloaded()) << "the dialog stays for a later try";
    ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() >= 2; }, 30000));
    EXPECT_EQ(rec.calls[1].text, "Complete Written the data to transceiver.");
    ASSERT_TRUE(Spin_Until([&] { return Count_Once(radiosim::Frame_Kind::Write, 96) >= 96; }, 3000));
    const auto radio = sim.Memory();
    for (int a = 0; a < 96 * 16; ++a) ASSERT_EQ(radio[a], Img_Byte(a / 16, a % 16)) << a;
    open->Command_enter->click();
    EXPECT_EQ(rec.Texts().last(), kLoaded);
    EXPECT_EQ(Img_Byte(0, 0), Marked_Image()[0][0]);
  }
  {
    SCOPED_TRACE("read in its retry pause");
    const auto mem = Random_Memory(6);
    rec.Clear();
    sim.Clear_Log();
    auto* d = Read_Into_Retry_Pause<Form_Comm_Read>(Comm_Read_Profile());
    ASSERT_NE(d, nullptr);
    Forms::Unload<Form_open_chann>();
    ASSERT_NE(Open_File(), nullptr);
    ASSERT_EQ(rec.Texts(), QStringList{kBusy});
    ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() >= 2; }, 30000));
    EXPECT_EQ(rec.calls[1].text, "Complete reading data from the transceiver.");
    for (int r = 0; r <= 787; ++r)
      for (int c = 0; c < 16; ++c) ASSERT_EQ(Img_Byte(r, c), mem[r * 16 + c]) << r << "," << c;
  }
}
