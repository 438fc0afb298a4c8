#include "file_dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>

#include "data/shared_state.h"
#include "files/image_file.h"
#include "platform/msg_box.h"
#include "platform/twips.h"

namespace {
// The client area of every dialog of the family, in twips.
constexpr double kClientWidth = 6195, kClientHeight = 5145;

const File_Dialog_Kind kOpenChann{
    ".dat", true, true, "打开文件", "Open File", "打开文件名无效 ", "Open the file name is nullity ",
    "无效的文件后缀名！", "Nullity file suffix name."};
const File_Dialog_Kind kSaveChann{
    ".dat", false, false, "保存文件", "Save File", "保存文件所需要的文件名无效 ",
    "Store the file name is nullity. ", "建议不要修改系统默认的文件后缀名！",
    "Advice don't modify file suffix name of system default ！"};
const File_Dialog_Kind kOpenAdj{
    ".adj", false, true, "打开调整参数文件", "Open Adjust File", "打开信道参数文件名无效 ",
    "Open the file name of channel parameter is nullity ", "无效的调整参数文件后缀名！",
    "Nullity file suffix name of adjust parameter."};
const File_Dialog_Kind kSaveAdj{
    ".adj", false, false, "保存调整参数文件", "Save Adjust File", "保存调整参数所需要的文件名无效 ",
    "Store the file name of adjust parameter need is nullity. ", "建议不要修改系统默认的文件后缀名！",
    "Advice don't modify file suffix name of system default ！"};
const File_Dialog_Kind kOpenSig{
    ".sig", false, true, "打开信令参数文件", "Open Signal File", "打开信令参数文件名无效 ",
    "Open the file name of Signal parameter is nullity. ", "无效的信令参数文件后缀名！",
    "Nullity file suffix name of Signal parameter."};
const File_Dialog_Kind kSaveSig{
    ".sig", false, false, "保存信令参数文件", "Save Signal File ", "保存信令参数所需要的文件名无效 ",
    "Store the file name of Signal parameter need is nullity.", "建议不要修改系统默认的文件后缀名！",
    "Advice don't modify file suffix name of system default."};
const File_Dialog_Kind kOpenMenu{
    ".menu", false, true, "打开可选参数文件", "Open Optional File", "打开系统参数文件名无效 ",
    "Open the file name of system parameter is nullity. ", "无效的系统参数文件后缀名！",
    "Nullity file suffix name of system parameter."};
const File_Dialog_Kind kSaveMenu{
    ".menu", false, false, "保存可选参数文件", "Save Optional File ", "保存系统参数所需要的文件名无效 ",
    "Store the file name of system parameter need is nullity.", "建议不要修改系统默认的文件后缀名！",
    "Advice don't modify file suffix name of system default."};

void Prompt(const char* zh, const char* en) {
  Msg_Box(Lang_Pick(zh, en), Msg_Icon::Exclamation, Lang_Pick("操作提示", "Operate prompt"));
}
void Prompt(const QString& text) {
  Msg_Box(text, Msg_Icon::Exclamation, Lang_Pick("操作提示", "Operate prompt"));
}

// A file's name as one row of the file list: a character that would break
// the row or show as nothing (a control character, a line or paragraph
// separator) is shown as its symbol, a newline as "␊".
QString Shown_Name(const QString& name) {
  QString shown = name;
  for (QChar& ch : shown) {
    const char16_t u = ch.unicode();
    if (u < 0x20) ch = QChar(char16_t(0x2400 + u));
    else if (u == 0x7F) ch = QChar(char16_t(0x2421));
    else if (u == 0x85 || u == 0x2028 || u == 0x2029) ch = QChar(char16_t(0x2424));
  }
  return shown;
}
}  // namespace

File_Dialog::File_Dialog(const File_Dialog_Kind& kind) : kind_(kind) {
  Label_drive = new QLabel(this);
  Drive1 = new QComboBox(this);
  Dir1 = new QListWidget(this);
  File1 = new QListWidget(this);
  Label_name = new QLabel(this);
  Text1 = new QLineEdit(this);
  Command_enter = new QPushButton(this);
  Command_close = new QPushButton(this);
  setObjectName(kind.suffix);

  auto* g = new QGridLayout(this);
  g->addWidget(Label_drive, 0, 0);
  g->addWidget(Drive1, 1, 0);
  g->addWidget(Dir1, 2, 0, 3, 1);
  g->addWidget(File1, 0, 1, 5, 1);
  g->addWidget(Label_name, 5, 0, 1, 2);
  g->addWidget(Text1, 6, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command_enter);
  buttons->addStretch();
  buttons->addWidget(Command_close);
  buttons->addStretch();
  g->addLayout(buttons, 7, 0, 1, 2);
  g->setColumnStretch(0, 1);
  g->setColumnStretch(1, 1);
  // The two columns share the width evenly whatever the drive, folder and
  // file names: no entry widens its list; a long one is elided instead.
  Drive1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Drive1->setMinimumContentsLength(4);
  for (QWidget* list : {static_cast<QWidget*>(Drive1), static_cast<QWidget*>(Dir1),
                        static_cast<QWidget*>(File1), static_cast<QWidget*>(Label_drive)})
    list->setSizePolicy(QSizePolicy::Ignored, list->sizePolicy().verticalPolicy());
  Dir1->setTextElideMode(Qt::ElideMiddle);
  File1->setTextElideMode(Qt::ElideMiddle);

  connect(Drive1, &QComboBox::activated, this, [this](int i) {
    Set_Folder(Drive1->itemData(i).toString());
  });
  connect(Dir1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) {
    Set_Folder(it->data(Qt::UserRole).toString());
  });
  connect(File1, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) {
    Text1->setText(it->text());
  });
  connect(Command_enter, &QPushButton::clicked, this, [this] { Command_enter_Click(); });
  connect(Command_close, &QPushButton::clicked, this, [this] { Command_close_Click(); });
}

void File_Dialog::Form_Load() {
  setWindowTitle(Lang_Pick(kind_.caption_zh, kind_.caption_en));
  Label_drive->setText(Lang_Pick("驱动器：", "Drive:"));
  Label_name->setText(kind_.open ? Lang_Pick("打开文件名：", "Open File:")
                                 : Lang_Pick("保存文件名：", "Save File:"));
  Command_enter->setText(Lang_Pick("确  定", "Confirm"));
  Command_close->setText(Lang_Pick("取  消", "Cancel"));
  Text1->setText(QString("*") + kind_.suffix);
  resize(Twips_To_Px(kClientWidth), Twips_To_Px(kClientHeight));
  Fill_Drives();
  Set_Folder(QDir::currentPath());
  // The image-file dialogs show themselves; the others are shown by their caller.
  if (QString(kind_.suffix) == ".dat") Show_Dialog();
}

void File_Dialog::Show_Dialog() {
  if (kind_.child) {
    Show_As_Child();
    // Centred in the main window's client area.
    if (QWidget* host = Host(); host && host->parentWidget()) {
      const QSize room = host->parentWidget()->size();
      host->move(std::max(0, (room.width() - host->width()) / 2),
                 std::max(0, (room.height() - host->height()) / 2));
    }
    return;
  }
  const QSize screen = Screen_Size_Px();
  move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
  Show_Top_Level();
}

void File_Dialog::Fill_Drives() {
  Drive1->clear();
  QStringList roots;
  for (const QStorageInfo& s : QStorageInfo::mountedVolumes())
    if (s.isValid() && s.isReady()) roots << s.rootPath();
  if (roots.isEmpty()) roots << QDir::rootPath();
  roots.removeDuplicates();
  roots.sort();
  for (const QString& r : roots) {
    Drive1->addItem(r, r);
    Drive1->setItemData(Drive1->count() - 1, r, Qt::ToolTipRole);
  }
}

void File_Dialog::Set_Folder(const QString& path) {
  const QFileInfo fi(path);
  if (!fi.isDir()) return;
  folder_ = QDir(fi.absoluteFilePath()).absolutePath();
  // The drive list follows the folder: the longest mount point it lies under.
  int best = -1, best_len = -1;
  for (int i = 0; i < Drive1->count(); ++i) {
    const QString root = Drive1->itemData(i).toString();
    if ((folder_ == root || folder_.startsWith(root.endsWith('/') ? root : root + "/")) &&
        root.size() > best_len) {
      best = i;
      best_len = root.size();
    }
  }
  if (best >= 0) Drive1->setCurrentIndex(best);
  Fill_Dirs();
  Fill_Files();
}

void File_Dialog::Fill_Dirs() {
  Dir1->clear();
  // The path from the root down to the folder, then the folder's sub-folders.
  QStringList chain;
  QDir d(folder_);
  chain.prepend(d.absolutePath());
  while (d.cdUp()) chain.prepend(d.absolutePath());
  int depth = 0;
  for (const QString& p : chain) {
    const QString name = p == "/" ? "/" : QFileInfo(p).fileName();
    auto* it = new QListWidgetItem(QString(depth * 2, ' ') + name, Dir1);
    it->setData(Qt::UserRole, p);
    ++depth;
  }
  Dir1->setCurrentRow(Dir1->count() - 1);
  // Folders and links to folders only: the filter alone also lets through a
  // link to a device or a FIFO, which no double-click could open.
  for (const QFileInfo& sub : QDir(folder_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    if (!sub.isDir()) continue;
    auto* it = new QListWidgetItem(QString(depth * 2, ' ') + sub.fileName(), Dir1);
    it->setData(Qt::UserRole, sub.absoluteFilePath());
  }
}

void File_Dialog::Fill_Files() {
  File1->clear();
  const QString pattern = QString("*") + kind_.suffix;
  QDir d(folder_);
  d.setNameFilters({pattern});
  d.setFilter(QDir::Files);
  d.setSorting(QDir::Name | QDir::IgnoreCase);
  // Regular files and links to them only: the filter alone also lets
  // through a link to a device or a FIFO, which Confirm would refuse. Each
  // keeps its own name beside the one the row shows.
  for (const QFileInfo& f : d.entryInfoList()) {
    if (!f.isFile()) continue;
    auto* it = new QListWidgetItem(Shown_Name(f.fileName()), File1);
    it->setData(Qt::UserRole, f.fileName());
  }
}

int File_Dialog::Name_Check(const QString& name, const char* suffix) {
  for (QChar ch : name)
    if (ch == '*' || ch == '$' || ch == '\\' || ch == '/' || ch == '#') return 1;
  const QString lower = QString::fromLatin1(suffix);
  if (name.size() < lower.size()) return 2;
  const QString tail = name.right(lower.size());
  if (tail != lower && tail != lower.toUpper()) return 2;
  return 0;
}

void File_Dialog::Command_enter_Click() {
  QString name = Text1->text().trimmed();
  // The name of a listed file, as its row shows it, stands for the file's
  // own name (one with a line break in it).
  for (int i = 0; i < File1->count(); ++i) {
    const QVariant own = File1->item(i)->data(Qt::UserRole);
    if (File1->item(i)->text() == name && own.isValid()) {
      name = own.toString();
      break;
    }
  }
  switch (Name_Check(name, kind_.suffix)) {
    case 1: Prompt(kind_.name_refused_zh, kind_.name_refused_en); return;
    case 2: Prompt(kind_.suffix_refused_zh, kind_.suffix_refused_en); return;
    default: break;
  }
  if (Confirm_Action(folder_ + "/" + name) && !Unloaded()) Unload();
}

void File_Dialog::Command_close_Click() { Unload(); }

Form_open_chann::Form_open_chann() : File_Dialog(kOpenChann) {}
Form_save_chann::Form_save_chann() : File_Dialog(kSaveChann) {}
Form_open_adj::Form_open_adj() : File_Dialog(kOpenAdj) {}
Form_save_adj::Form_save_adj() : File_Dialog(kSaveAdj) {}
Form_open_sig::Form_open_sig() : File_Dialog(kOpenSig) {}
Form_save_sig::Form_save_sig() : File_Dialog(kSaveSig) {}
Form_open_menu::Form_open_menu() : File_Dialog(kOpenMenu) {}
Form_save_menu::Form_save_menu() : File_Dialog(kSaveMenu) {}

std::function<bool()> Image_Load_Refused;

bool Form_open_chann::Confirm_Action(const QString& full_path) {
  if (Image_Load_Refused && Image_Load_Refused()) return false;  // the dialog stays for a later try
  // A box still open over a cell would otherwise store its text over the
  // loaded values at its next leave: it goes in first, and the file then
  // replaces it.
  if (!Forms::End_All_Edits() || Unloaded()) return false;
  QString why;
  if (!Image_File_Load(full_path, &why)) {
    Prompt(why);
    return false;  // the image is as it was; the user may pick another file
  }
  File_Path = full_path;
  Adj_Open_Flag = 0;
  Prompt("参数从文件调入成功 ！", "Succeed fold the parameter from file.");
  return true;
}

bool Form_save_chann::Confirm_Action(const QString& full_path) {
  // The file holds what the windows show: text typed into a grid's box and
  // not yet left goes in first. A refused leave holds the save up.
  if (!Forms::End_All_Edits() || Unloaded()) return false;
  QString why;
  if (!Image_File_Save(full_path, Radio_Image, &why)) {
    Prompt(Lang_Pick(QString::fromUtf8("参数保存失败：") + why,
                     "The parameters could not be stored: " + why));
    return false;
  }
  File_Path = full_path;
  Adj_Save_Flag = 0;
  Prompt("参数保存完毕 ！", "Complete storing  parameter.");
  return true;
}

bool Form_open_adj::Confirm_Action(const QString& full_path) {
  File_Path = full_path;
  Adj_Open_Flag = -1;
  return true;
}
bool Form_save_adj::Confirm_Action(const QString& full_path) {
  File_Path = full_path;
  Adj_Save_Flag = -1;
  return true;
}
bool Form_open_sig::Confirm_Action(const QString& full_path) {
  File_Path = full_path;
  Sig_Open_Flag = -1;
  return true;
}
bool Form_save_sig::Confirm_Action(const QString& full_path) {
  File_Path = full_path;
  Sig_Save_Flag = -1;
  return true;
}
// An option file has no reader of its own: raising the signalling flags here
// would load it over the signalling area. The dialogs name the file and
// nothing more.
bool Form_open_menu::Confirm_Action(const QString& full_path) {
  File_Path = full_path;
  return true;
}
bool Form_save_menu::Confirm_Action(const QString& full_path) {
  File_Path = full_path;
  return true;
}
