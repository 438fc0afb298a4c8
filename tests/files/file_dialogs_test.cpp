#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>
#include <memory>
#include <sys/stat.h>

#include "data/shared_state.h"
#include "files/bounded_read.h"
#include "files/file_dialogs.h"
#include "files/adj_file.h"
#include "files/image_file.h"
#include "files/number_text.h"
#include "files/sig_file.h"
#include "support/full_disk.h"
#include "support/msg_recorder.h"

namespace {
void Let_Deferred_Deletes_Run() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

struct Dialog_Case {
  const char* name;
  std::function<File_Dialog*()> load;
  const char* suffix;
  const char* name_refused_en;
  const char* suffix_refused_en;
};

const Dialog_Case kDialogs[] = {
    {"open_chann", [] { return Forms::Reload<Form_open_chann>(); }, ".dat",
     "Open the file name is nullity ", "Nullity file suffix name."},
    {"save_chann", [] { return Forms::Reload<Form_save_chann>(); }, ".dat",
     "Store the file name is nullity. ", "Advice don't modify file suffix name of system default ！"},
    {"open_adj", [] { return Forms::Reload<Form_open_adj>(); }, ".adj",
     "Open the file name of channel parameter is nullity ", "Nullity file suffix name of adjust parameter."},
    {"save_adj", [] { return Forms::Reload<Form_save_adj>(); }, ".adj",
     "Store the file name of adjust parameter need is nullity. ",
     "Advice don't modify file suffix name of system default ！"},
    {"open_sig", [] { return Forms::Reload<Form_open_sig>(); }, ".sig",
     "Open the file name of Signal parameter is nullity. ", "Nullity file suffix name of Signal parameter."},
    {"save_sig", [] { return Forms::Reload<Form_save_sig>(); }, ".sig",
     "Store the file name of Signal parameter need is nullity.",
     "Advice don't modify file suffix name of system default."},
    {"open_menu", [] { return Forms::Reload<Form_open_menu>(); }, ".menu",
     "Open the file name of system parameter is nullity. ", "Nullity file suffix name of system parameter."},
    {"save_menu", [] { return Forms::Reload<Form_save_menu>(); }, ".menu",
     "Store the file name of system parameter need is nullity.",
     "Advice don't modify file suffix name of system default."},
};
}  // namespace

TEST(FileDialogNameCheck, Table) {
  struct Case { const char* name; const char* suffix; int result; } cases[] = {
      {"*.dat", ".dat", 1},       {"a#b.dat", ".dat", 1},   {"a\\b.dat", ".dat", 1},
      {"a/b.dat", ".dat", 1},     {"$x.dat", ".dat", 1},    {"my radio.dat", ".dat", 0},
      {"c:x.dat", ".dat", 0},     {"a.b.dat", ".dat", 0},   {"x.DAT", ".dat", 0},
      {"x.Dat", ".dat", 2},       {"x.dat.txt", ".dat", 2}, {".dat", ".dat", 0},
      {"dat", ".dat", 2},         {"", ".dat", 2},          {"x.menu", ".menu", 0},
      {"x.MENU", ".menu", 0},     {"x.Menu", ".menu", 2},   {"x.adj", ".adj", 0},
      {"x.SIG", ".sig", 0},       {"x.sig", ".adj", 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(File_Dialog::Name_Check(c.name, c.suffix), c.result) << c.name << " " << c.suffix;
}

TEST(FileDialogs, RefusalsShowTheirMessageAndKeepTheDialog) {
  Lang_Flag = 0;
  for (const auto& d : kDialogs) {
    Msg_Recorder rec;
    File_Dialog* dlg = d.load();
    EXPECT_EQ(dlg->Text1->text(), QString("*") + d.suffix) << d.name;
    dlg->Command_enter_Click();  // the text at load is refused
    dlg->Text1->setText(QString("x") + QString(d.suffix).toUpper().left(2) + QString(d.suffix).mid(2));
    dlg->Command_enter_Click();  // mixed-case suffix
    ASSERT_EQ(rec.calls.size(), 2u) << d.name;
    EXPECT_EQ(rec.calls[0].text, QString::fromUtf8(d.name_refused_en)) << d.name;
    EXPECT_EQ(rec.calls[1].text, QString::fromUtf8(d.suffix_refused_en)) << d.name;
    EXPECT_EQ(rec.calls[0].title, "Operate prompt");
    EXPECT_EQ(rec.calls[0].icon, Msg_Icon::Exclamation);
    EXPECT_FALSE(dlg->Unloaded()) << d.name;
    dlg->Command_close_Click();
    EXPECT_TRUE(dlg->Unloaded());
    Let_Deferred_Deletes_Run();
  }
}

TEST(FileDialogs, ChineseCaptionsAndMessages) {
  Lang_Flag = -1;
  Msg_Recorder rec;
  File_Dialog* dlg = Forms::Reload<Form_open_chann>();
  EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("打开文件"));
  dlg->Command_enter_Click();
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].text, QString::fromUtf8("打开文件名无效 "));
  EXPECT_EQ(rec.calls[0].title, QString::fromUtf8("操作提示"));
  dlg->Unload();
  Lang_Flag = 0;
  Let_Deferred_Deletes_Run();
}

TEST(FileDialogs, SaveThenOpenThroughTheDialogs) {
  QTemporaryDir dir;
  Lang_Flag = 0;
  for (auto& row : Radio_Image) row.fill(0x21);
  Radio_Image[100][5] = 0x99;
  Adj_Save_Flag = -1;
  {
    Msg_Recorder rec;
    auto* save = Forms::Reload<Form_save_chann>();
    save->Set_Folder(dir.path());
    save->Text1->setText("  radio one.DAT  ");
    save->Command_enter_Click();
    ASSERT_EQ(rec.Texts(), QStringList{"Complete storing  parameter."});
    EXPECT_TRUE(save->Unloaded());
    EXPECT_EQ(File_Path, dir.path() + "/radio one.DAT");
    EXPECT_EQ(Adj_Save_Flag, 0);
  }
  Let_Deferred_Deletes_Run();
  for (auto& row : Radio_Image) row.fill(0);
  Adj_Open_Flag = -1;
  {
    Msg_Recorder rec;
    auto* open = Forms::Reload<Form_open_chann>();
    open->Set_Folder(dir.path());
    open->Text1->setText("radio one.DAT");
    open->Command_enter_Click();
    ASSERT_EQ(rec.Texts(), QStringList{"Succeed fold the parameter from file."});
    EXPECT_TRUE(open->Unloaded());
    EXPECT_EQ(Adj_Open_Flag, 0);
  }
  EXPECT_EQ(Radio_Image[100][5], 0x99);
  EXPECT_EQ(Radio_Image[3][3], 0x21);
  Let_Deferred_Deletes_Run();
}

// The folder list holds what a double-click can open: folders and links to
// folders, not links to a device or a FIFO, nor files.
TEST(FileDialogs, TheFolderListHoldsOnlyFolders) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
  ASSERT_TRUE(QFile::link(dir.filePath("sub"), dir.filePath("to_sub")));
  ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.dat")));
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(dir.filePath("fifo"), dir.filePath("to_fifo")));
  ASSERT_TRUE(QFile::link(dir.filePath("gone"), dir.filePath("broken")));
  QFile(dir.filePath("plain.dat")).open(QIODevice::WriteOnly);
  auto* open = Forms::Reload<Form_open_chann>();
  open->Set_Folder(dir.path());
  const int chain = QDir::cleanPath(dir.path()).count('/') + 1;  // the root down to the folder
  QStringList below;
  for (int i = chain; i < open->Dir1->count(); ++i) below << open->Dir1->item(i)->text().trimmed();
  EXPECT_EQ(below, QStringList({"sub", "to_sub"}));
  // The link to a folder opens it.
  emit open->Dir1->itemDoubleClicked(open->Dir1->item(chain + 1));
  EXPECT_EQ(open->Folder(), dir.filePath("to_sub"));
  open->Unload();
  Let_Deferred_Deletes_Run();
}

TEST(FileDialogs, BadFileKeepsImageAndDialogOpen) {
  QTemporaryDir dir;
  QFile f(dir.filePath("bad.dat"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(" 0  0  0  300 \r\n");
  f.close();
  for (auto& row : Radio_Image) row.fill(0x42);
  const Image_Table before = Radio_Image;
  File_Path = "untouched";
  Adj_Open_Flag = -1;
  Msg_Recorder rec;
  auto* open = Forms::Reload<Form_open_chann>();
  open->Set_Folder(dir.path());
  open->Text1->setText("bad.dat");
  open->Command_enter_Click();
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_TRUE(rec.calls[0].text.contains("nothing was loaded"));
  EXPECT_FALSE(open->Unloaded());
  EXPECT_EQ(Radio_Image, before);
  EXPECT_EQ(File_Path, "untouched");
  EXPECT_EQ(Adj_Open_Flag, -1);
  open->Unload();
  Let_Deferred_Deletes_Run();
}

TEST(FileDialogs, UnwritablePlaceReportsFailureInsteadOfSuccess) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("taken.dat");
  Msg_Recorder rec;
  auto* save = Forms::Reload<Form_save_chann>();
  save->Set_Folder(dir.path());
  save->Text1->setText("taken.dat");
  save->Command_enter_Click();
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_TRUE(rec.calls[0].text.startsWith("The parameters could not be stored")) << rec.calls[0].text.toStdString();
  EXPECT_FALSE(save->Unloaded());
  // A disk that takes no more bytes: the reason is shown and the file being
  // replaced stays whole.
  rec.Clear();
  const QByteArray old(" 1  2  3 \r\n");
  {
    QFile f(dir.filePath("old.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(old);
  }
  {
    File_Size_Limit full(0);
    ASSERT_TRUE(full.Active());
    save->Text1->setText("old.dat");
    save->Command_enter_Click();
  }
  EXPECT_EQ(rec.Texts().join('|').toStdString(),
            ("The parameters could not be stored: " + File_Error_Reason(EFBIG)).toStdString());
  EXPECT_FALSE(save->Unloaded());
  EXPECT_TRUE(Bytes_On_Disk(dir.filePath("old.dat")) == old);
  EXPECT_EQ(Everything_In(dir.path()), "old.dat taken.dat");
  save->Unload();
  Let_Deferred_Deletes_Run();
}

TEST(FileDialogs, OtherDialogsStoreTheFullPathAndTheirFlag) {
  QTemporaryDir dir;
  struct Case {
    std::function<File_Dialog*()> load;
    const char* name;
    int16_t* raised;  // nullptr: no flag
  } cases[] = {
      {[] { return Forms::Reload<Form_open_adj>(); }, "x.adj", &Adj_Open_Flag},
      {[] { return Forms::Reload<Form_save_adj>(); }, "x.ADJ", &Adj_Save_Flag},
      {[] { return Forms::Reload<Form_open_sig>(); }, "x.sig", &Sig_Open_Flag},
      {[] { return Forms::Reload<Form_save_sig>(); }, "x.sig", &Sig_Save_Flag},
      {[] { return Forms::Reload<Form_open_menu>(); }, "x.menu", nullptr},
      {[] { return Forms::Reload<Form_save_menu>(); }, "x.MENU", nullptr},
  };
  for (const auto& c : cases) {
    Adj_Open_Flag = Adj_Save_Flag = Sig_Open_Flag = Sig_Save_Flag = 0;
    Msg_Recorder rec;
    File_Dialog* dlg = c.load();
    dlg->Set_Folder(dir.path());
    dlg->Text1->setText(c.name);
    dlg->Command_enter_Click();
    EXPECT_TRUE(rec.calls.empty()) << c.name;
    EXPECT_TRUE(dlg->Unloaded()) << c.name;
    EXPECT_EQ(File_Path, dir.path() + "/" + c.name);
    int raised = 0;
    for (int16_t* f : {&Adj_Open_Flag, &Adj_Save_Flag, &Sig_Open_Flag, &Sig_Save_Flag}) {
      if (f == c.raised) {
        EXPECT_EQ(*f, -1) << c.name;
      }
      raised += *f != 0;
    }
    EXPECT_EQ(raised, c.raised ? 1 : 0) << c.name;
    Let_Deferred_Deletes_Run();
  }
}

// A long mount path, folder or file name never squeezes a list: the two
// columns keep equal shares of the dialog's width, and long entries are
// elided.
TEST(FileDialogs, LongNamesDoNotSqueezeTheLists) {
  const QString long_name = "/media/" + QString(150, 'x') + "/a-volume-with-a-long-name";
  for (const auto& c : kDialogs) {
    SCOPED_TRACE(c.name);
    File_Dialog* d = c.load();
    d->Show_Dialog();
    d->Drive1->addItem(long_name, long_name);
    d->Drive1->setCurrentIndex(d->Drive1->count() - 1);
    d->Dir1->addItem(long_name);
    d->File1->addItem(QString(200, 'y') + c.suffix);
    Let_Deferred_Deletes_Run();
    const int inside = d->width();
    EXPECT_GE(d->File1->width(), inside * 2 / 5) << "file list " << d->File1->width() << " of " << inside;
    EXPECT_GE(d->Dir1->width(), inside * 2 / 5);
    EXPECT_NEAR(d->File1->width(), d->Dir1->width(), inside / 20);
    EXPECT_LE(d->Drive1->geometry().right(), d->File1->geometry().left()) << "the drive list keeps to its column";
    EXPECT_EQ(d->File1->textElideMode(), Qt::ElideMiddle);
    d->Unload();
    Let_Deferred_Deletes_Run();
  }
}

// A file of NUL bytes makes each loader name the token it stopped at; the
// message box shows the whole message, the closing quote included: no word
// of it is wider than the box's text.
TEST(FileDialogs, ALoadMessageWithALongTokenFitsTheBox) {
  QTemporaryDir dir;
  const QString path = dir.filePath("zeros.dat");
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, '\0'));
  }
  Sig_Table sig{};
  const std::pair<const char*, std::function<bool(QString*)>> loaders[] = {
      {"image", [&](QString* why) { return Image_File_Load(path, why); }},
      {"signalling", [&](QString* why) { return Sig_File_Read(path, true, &sig, why); }},
      {"alignment", [&](QString* why) { return Adj_File_Load(path, why); }},
  };
  for (const auto& [name, load] : loaders) {
    for (int lang : {0, -1}) {
      SCOPED_TRACE(std::string(name) + " lang " + std::to_string(lang));
      Lang_Flag = lang;
      QString why;
      ASSERT_FALSE(load(&why));
      EXPECT_TRUE(why.contains(QString("\\x00").repeated(Shown_Token_Chars / 4) + QChar(0x2026) + "\""))
          << why.toStdString();
      QMessageBox box;
      box.setText(why);
      box.setIcon(QMessageBox::Warning);
      box.show();
      QApplication::processEvents();
      auto* label = box.findChild<QLabel*>("qt_msgbox_label");
      ASSERT_TRUE(label);
      int widest = 0;
      for (const QString& word : why.split(' ', Qt::SkipEmptyParts))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(word));
      EXPECT_LE(widest, label->contentsRect().width()) << why.toStdString();
      box.hide();
    }
  }
  Lang_Flag = 0;
}

// The file list holds what Confirm can take: regular files and links to
// them, not links to a device, a FIFO or a folder, nor broken links. A name
// with a line break in it keeps to one row, the break shown as its symbol;
// chosen there, it is that file the open loads and the save replaces.
TEST(FileDialogs, TheFileListHoldsRegularFilesEachOnOneRow) {
  QTemporaryDir dir;
  Image_Table plain{}, two_rows{};
  for (auto& row : plain) row.fill(0x11);
  for (auto& row : two_rows) row.fill(0x22);
  const QString odd = QString("two") + QChar('\n') + "rows.dat";
  for (const auto& [name, image] : {std::pair{QString("plain.dat"), &plain}, {odd, &two_rows}}) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Image_File_Text(*image));
  }
  ASSERT_TRUE(QFile::link(dir.filePath("plain.dat"), dir.filePath("link.dat")));
  ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.dat")));
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.dat")).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(dir.filePath("fifo.dat"), dir.filePath("to_fifo.dat")));
  ASSERT_TRUE(QFile::link(dir.filePath("gone.dat"), dir.filePath("broken.dat")));
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.dat"));
  ASSERT_TRUE(QFile::link(dir.filePath("folder.dat"), dir.filePath("to_folder.dat")));
  const QString shown = QString("two") + QChar(0x240A) + "rows.dat";
  for (auto& row : Radio_Image) row.fill(0);
  {
    Msg_Recorder rec;
    auto* open = Forms::Reload<Form_open_chann>();
    open->Set_Folder(dir.path());
    QStringList rows;
    for (int i = 0; i < open->File1->count(); ++i) rows << open->File1->item(i)->text();
    EXPECT_EQ(rows.join(" | ").toStdString(), ("link.dat | plain.dat | " + shown).toStdString());
    ASSERT_EQ(open->File1->count(), 3);
    emit open->File1->itemClicked(open->File1->item(2));
    EXPECT_EQ(open->Text1->text(), shown);
    open->Command_enter_Click();
    EXPECT_EQ(rec.Texts(), QStringList{"Succeed fold the parameter from file."});
    EXPECT_EQ(File_Path, dir.filePath(odd));
  }
  EXPECT_TRUE(Image_File_Text(Radio_Image) == Image_File_Text(two_rows)) << "another file was loaded";
  Let_Deferred_Deletes_Run();
  Radio_Image[0][0] = 0x33;
  {
    Msg_Recorder rec;
    auto* save = Forms::Reload<Form_save_chann>();
    save->Set_Folder(dir.path());
    emit save->File1->itemClicked(save->File1->item(2));
    save->Command_enter_Click();
    EXPECT_EQ(rec.Texts(), QStringList{"Complete storing  parameter."});
  }
  EXPECT_TRUE(Bytes_On_Disk(dir.filePath(odd)) == Image_File_Text(Radio_Image));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(shown))) << "saved under the name the row shows";
  Let_Deferred_Deletes_Run();
}
