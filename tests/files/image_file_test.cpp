#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "data/shared_state.h"
#include "files/bounded_read.h"
#include "files/image_file.h"

#include <sys/mount.h>

#include <cerrno>

namespace {
Image_Table Patterned() {
  Image_Table t{};
  for (int r = 0; r < Image_Rows; ++r)
    for (int c = 0; c < 16; ++c) t[r][c] = static_cast<int16_t>((r * 7 + c * 13) % 256);
  return t;
}

QByteArray Valid_Text() { return Image_File_Text(Patterned()); }

void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}
}  // namespace

TEST(ImageFileText, NumberFormatAndLineEnds) {
  Image_Table t{};
  t[0] = {0, 37, 80, 21, 0, 37, 80, 21, 158, 2, 158, 2, 0, 0, 0, 4, 7777};
  t[1024][0] = 255;
  const QByteArray text = Image_File_Text(t);
  const QList<QByteArray> lines = text.split('\n');
  ASSERT_EQ(lines.size(), 1026);  // 1025 lines, each ended by CR LF
  EXPECT_EQ(lines[0], " 0  0  0  0  37  80  21  0  37  80  21  158  2  158  2  0  0  0  4 \r");
  EXPECT_TRUE(lines[1024].startsWith(" 64  0  1024  255 "));
  EXPECT_TRUE(lines[1025].isEmpty());
  EXPECT_FALSE(text.contains("7777")) << "column 16 is not stored";
}

TEST(ImageFileParse, ReadsBackWhatWasWrittenInAnySeparatorLayout) {
  const QByteArray text = Valid_Text();
  QByteArray commas = text;
  commas.replace("  ", ",");
  QByteArray one_line = text;
  one_line.replace("\r\n", " ");
  QByteArray unix_ends = text;
  unix_ends.replace("\r\n", "\n");
  QByteArray tabs = text;
  tabs.replace(' ', '\t');
  for (const QByteArray& variant : {text, commas, one_line, unix_ends, tabs}) {
    Image_Parse_Error e{};
    auto t = Image_File_Parse(variant, &e);
    ASSERT_TRUE(t.has_value()) << e.kind << " line " << e.line;
    EXPECT_EQ(*t, Patterned());
  }
}

TEST(ImageFileParse, IgnoresWrongRowNumbersButNeedsNumbers) {
  QByteArray text = Valid_Text();
  text.replace(0, 6, " 9  9 ");  // first two position numbers wrong
  EXPECT_TRUE(Image_File_Parse(text, nullptr).has_value());
}

TEST(ImageFileLoad, MalformedFilesLeaveTheImageUnchanged) {
  QTemporaryDir dir;
  const QByteArray good = Valid_Text();
  QByteArray lines1024 = good.left(good.lastIndexOf("\r\n", good.size() - 3) + 2);
  QByteArray letter = good;
  letter.replace(" 37 ", " 3x ");
  QByteArray big = good;
  big.replace(0, good.indexOf("\r\n"), " 0  0  0  300  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0 ");
  QByteArray negative = good;
  negative.replace(0, good.indexOf("\r\n"), " 0  0  0  -1  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0 ");
  QByteArray decimal = good;
  decimal.replace(0, good.indexOf("\r\n"), " 0  0  0  1.5  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0 ");
  QByteArray extra = good + " 7 \r\n";
  QByteArray truncated = good.left(good.size() / 2);
  struct Case { const char* name; QByteArray bytes; } cases[] = {
      {"empty", QByteArray()},    {"1024 lines", lines1024}, {"a letter", letter},
      {"256 or more", big},       {"negative", negative},    {"a decimal", decimal},
      {"one number too many", extra}, {"truncated", truncated},
      {"binary", QByteArray("\x00\x01\xFF\xFE", 4)},
  };
  Lang_Flag = 0;
  for (const auto& c : cases) {
    Radio_Image = Image_Table{};
    for (int r = 0; r < Image_Rows; ++r) Radio_Image[r].fill(0x5A);
    const Image_Table before = Radio_Image;
    const QString path = dir.filePath("bad.dat");
    Write(path, c.bytes);
    QString why;
    EXPECT_FALSE(Image_File_Load(path, &why)) << c.name;
    EXPECT_FALSE(why.isEmpty()) << c.name;
    EXPECT_EQ(Radio_Image, before) << c.name << " changed the image";
  }
  QString why;
  EXPECT_FALSE(Image_File_Load(dir.filePath("missing.dat"), &why));
  EXPECT_TRUE(why.startsWith("Cannot open the file")) << why.toStdString();
}

// Old editors append an end-of-file mark, and some put a byte-order mark in
// front: those and trailing blanks are not numbers; anything else after the
// last number still is refused, and a message shows control bytes escaped.
TEST(ImageFileParse, ByteOrderMarkAndTrailingEndMarksAreAccepted) {
  const QByteArray good = Valid_Text();
  struct Case { const char* name; QByteArray bytes; bool ok; const char* shown; } cases[] = {
      {"byte-order mark", "\xEF\xBB\xBF" + good, true, nullptr},
      {"end-of-file mark", good + "\x1A", true, nullptr},
      {"blanks, line ends and marks", "\xEF\xBB\xBF" + good + "  \r\n\n\x1A\x1A \r\n", true, nullptr},
      {"mark right after the last number", good.left(good.size() - 3) + "\x1A", true, nullptr},
      {"a number after the mark", good + "\x1A 7", false, nullptr},
      {"text after the mark", good + "\x1A" + "abc", false, "\\x1Aabc"},
      {"a mark inside", QByteArray(good).replace(" 37 ", " 37\x1A "), false, "37\\x1A"},
      {"a NUL", QByteArray(good).replace(" 37 ", QByteArray(" 3\x00" "7 ", 5)), false, "3\\x007"},
      {"a mark before the end", good.left(good.size() / 2) + "\x1A", false, nullptr},
      {"a second mark in front", "\xEF\xBB\xBF\xEF\xBB\xBF" + good, false, "\\xEF\\xBB\\xBF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Image_Parse_Error e{};
    const auto t = Image_File_Parse(c.bytes, &e);
    EXPECT_EQ(t.has_value(), c.ok);
    if (t) {
      EXPECT_EQ((*t)[1024][15], Patterned()[1024][15]);
    }
    if (c.shown) {
      EXPECT_TRUE(e.token.startsWith(QString::fromLatin1(c.shown))) << e.token.toStdString();
      EXPECT_TRUE(Image_Parse_Message(e).contains(QString::fromLatin1(c.shown)));
    }
  }
}

TEST(ImageFileLoad, ErrorMessagesInBothLanguages) {
  Image_Parse_Error e{Image_Parse_Error::Not_A_Byte, 5, "300"};
  Lang_Flag = 0;
  EXPECT_TRUE(Image_Parse_Message(e).contains("300"));
  EXPECT_TRUE(Image_Parse_Message(e).contains("nothing was loaded"));
  Lang_Flag = -1;
  EXPECT_TRUE(Image_Parse_Message(e).contains(QString::fromUtf8("参数未调入")));
  Lang_Flag = 0;
}

TEST(ImageFileSaveLoad, RoundTripKeepsEveryByteAndColumn16) {
  QTemporaryDir dir;
  Radio_Image = Patterned();
  for (auto& row : Radio_Image) row[16] = 0;
  QString why;
  ASSERT_TRUE(Image_File_Save(dir.filePath("a.dat"), Radio_Image, &why)) << why.toStdString();
  const Image_Table saved = Radio_Image;
  for (auto& row : Radio_Image) {
    row.fill(1);
    row[16] = 77;
  }
  ASSERT_TRUE(Image_File_Load(dir.filePath("a.dat"), &why)) << why.toStdString();
  for (int r = 0; r < Image_Rows; ++r) {
    for (int c = 0; c < 16; ++c) ASSERT_EQ(Radio_Image[r][c], saved[r][c]);
    ASSERT_EQ(Radio_Image[r][16], 77) << "column 16 is neither written nor read";
  }
}

TEST(ImageFileSave, FailuresAreReported) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("a.dat");  // a folder where the file should go
  for (const QString& path : {dir.filePath("a.dat"), QString("/nonexistent-folder-xyz/a.dat")}) {
    QString why;
    EXPECT_FALSE(Image_File_Save(path, Patterned(), &why)) << path.toStdString();
    EXPECT_FALSE(why.isEmpty());
  }
  EXPECT_TRUE(QFileInfo(dir.filePath("a.dat")).isDir());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0) << "no half-written file left";
  // The reasons are in the interface's language, not the system's English.
  Lang_Flag = -1;
  QString why;
  EXPECT_FALSE(Image_File_Save("/nonexistent-folder-xyz/a.dat", Patterned(), &why));
  EXPECT_EQ(why, File_Error_Reason(ENOENT));
  Lang_Flag = 0;
  EXPECT_FALSE(Image_File_Save(dir.filePath("a.dat"), Patterned(), &why));
  EXPECT_EQ(why, "it is a folder");
}

// A save onto a full disk says so, and leaves no file behind. Needs a small
// file system of its own (a tmpfs, which only root may mount).
TEST(ImageFileSave, AFullDiskIsReportedAsNoSpace) {
  QTemporaryDir dir;
  const QByteArray where = QFile::encodeName(dir.path());
  if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=32k") != 0)
    GTEST_SKIP() << "cannot mount a small file system here";
  struct Unmount {
    QByteArray at;
    ~Unmount() { ::umount(at.constData()); }
  } unmount{where};
  const QString path = dir.filePath("big.dat");
  for (int lang : {0, -1}) {
    Lang_Flag = lang;
    QString why;
    EXPECT_FALSE(Image_File_Save(path, Patterned(), &why));
    EXPECT_EQ(why, File_Error_Reason(ENOSPC)) << why.toStdString();
  }
  Lang_Flag = 0;
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()) << "no half-written file left";
}
