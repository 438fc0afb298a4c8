// The alignment file: its text, its checked loading and its atomic saving.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "data/shared_state.h"
#include "editors/alignment/adj_area.h"
#include "files/adj_file.h"

namespace {
Adj_Table Start_Up() {
  Shared_Reset();
  Adj_DefaultFill();
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 16; ++c) Adj_Image[r][c] = Adj_Default[r][c];
  return Adj_Image;
}

Adj_Table Patterned() {
  Adj_Table t{};
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 16; ++c) t[r][c] = static_cast<int16_t>((r * 16 + c) * 37 % 256);
  return t;
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(AdjFileText, StartUpFileLayout) {
  const QByteArray text = Adj_File_Text(Start_Up());
  const QList<QByteArray> lines = text.split('\n');
  ASSERT_EQ(lines.size(), 33);  // 32 lines, each ended by CR LF
  EXPECT_TRUE(lines[32].isEmpty());
  QByteArray sixty;
  for (int c = 0; c < 16; ++c) sixty += " 60 ";
  EXPECT_EQ(lines[0], sixty + "\r");
  EXPECT_EQ(lines[0].size(), 65) << "64 characters before CR LF";
  EXPECT_EQ(lines[16], " 60  21  16  9  15  15  15  12  12  2  2  2  3  50  0  0 \r");
  EXPECT_EQ(lines[24], " 1  3  6  1  7  9  0  1  0  0  0  0  0  0  0  0 \r");
  for (int r : {17, 23, 28, 30}) EXPECT_EQ(lines[r], " 0  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0 \r");
  Adj_Table t{};
  t[0][0] = -3;
  t[31][15] = 255;
  t[32][0] = 9;
  t[0][16] = 9;
  const QByteArray odd = Adj_File_Text(t);
  EXPECT_TRUE(odd.startsWith("-3  0 "));
  EXPECT_TRUE(odd.endsWith(" 255 \r\n"));
  EXPECT_FALSE(odd.contains('9')) << "row 32 and column 16 are not in the file";
}

TEST(AdjFile, SavedAfterStartUpLoadsBackTheSame) {
  QTemporaryDir dir;
  const QString path = dir.filePath("start.adj");
  const Adj_Table start = Start_Up();
  QString why;
  ASSERT_TRUE(Adj_File_Save(path, Adj_Image, &why)) << why.toStdString();
  EXPECT_EQ(Read(path), Adj_File_Text(start));
  Adj_Image = Patterned();
  Adj_Image[32][3] = 77;  // outside the file: stays
  ASSERT_TRUE(Adj_File_Load(path, &why)) << why.toStdString();
  Adj_Table want = start;
  want[32][3] = 77;
  EXPECT_EQ(Adj_Image, want);
  // And a patterned image too, every value 0..255 somewhere.
  ASSERT_TRUE(Adj_File_Save(path, Patterned(), &why));
  ASSERT_TRUE(Adj_File_Load(path, &why));
  Adj_Image[32][3] = 0;
  EXPECT_EQ(Adj_Image, Patterned());
}

TEST(AdjFile, AnySeparatorLayoutReadsTheSame) {
  const QByteArray text = Adj_File_Text(Patterned());
  QByteArray commas = text;
  commas.replace("  ", ",");
  QByteArray unix_ends = text;
  unix_ends.replace("\r\n", "\n");
  QByteArray cr_ends = text;
  cr_ends.replace("\r\n", "\r");
  QByteArray one_line = text;
  one_line.replace("\r\n", " ");
  QByteArray other_lines = one_line;  // eight numbers a line
  for (int pos = 0, count = 0; pos < other_lines.size(); ++pos)
    if (other_lines[pos] == ' ' && pos > 0 && other_lines[pos - 1] != ' ' && ++count % 8 == 0)
      other_lines[pos] = '\n';
  for (const QByteArray& variant : {text, commas, unix_ends, cr_ends, one_line, other_lines}) {
    Adj_Parse_Error e{};
    const auto t = Adj_File_Parse(variant, &e);
    ASSERT_TRUE(t.has_value()) << e.kind << " line " << e.line << " " << e.token.toStdString();
    EXPECT_EQ(*t, Patterned());
  }
}

TEST(AdjFile, RefusedFilesChangeNothingAndSayWhy) {
  QTemporaryDir dir;
  const QByteArray good = Adj_File_Text(Patterned());
  QByteArray short_file = good;
  short_file.truncate(short_file.lastIndexOf("  ") + 1);  // the last number gone
  QByteArray word = good;
  word.replace(word.indexOf(" 37 "), 4, " x7 ");
  QByteArray fraction = good;
  fraction.replace(fraction.indexOf(" 37 "), 4, " 3.7 ");
  QByteArray big = good;
  big.replace(big.indexOf(" 37 "), 4, " 256 ");
  QByteArray negative = good;
  negative.replace(negative.indexOf(" 37 "), 4, "-1 ");
  QByteArray huge = good;
  huge.replace(huge.indexOf(" 37 "), 4, " 99999999999999999999 ");
  struct Case { const char* name; QByteArray bytes; Adj_Parse_Error::Kind kind; const char* en; } cases[] = {
      {"empty", QByteArray(), Adj_Parse_Error::Too_Few, "only 0 numbers instead of 512"},
      {"short", short_file, Adj_Parse_Error::Too_Few, "only 511 numbers"},
      {"word", word, Adj_Parse_Error::Not_A_Number, "\"x7\" in line 1 is not an integer"},
      {"fraction", fraction, Adj_Parse_Error::Not_A_Number, "\"3.7\" in line 1"},
      {"256", big, Adj_Parse_Error::Not_A_Byte, "the value 256 in line 1 is outside 0..255"},
      {"-1", negative, Adj_Parse_Error::Not_A_Byte, "the value -1 in line 1 is outside 0..255"},
      {"huge", huge, Adj_Parse_Error::Not_A_Number, "is not an integer"},
      {"long", good + " 5\r\n", Adj_Parse_Error::Too_Many, "more than 512 numbers, from line 33 on"},
  };
  for (const auto& c : cases) {
    Adj_Parse_Error e{};
    EXPECT_FALSE(Adj_File_Parse(c.bytes, &e).has_value()) << c.name;
    EXPECT_EQ(e.kind, c.kind) << c.name;
    const QString path = dir.filePath(QString(c.name) + ".adj");
    Write(path, c.bytes);
    Adj_Image = Patterned();
    Adj_Image[5][5] = 1;
    const Adj_Table was = Adj_Image;
    QString why;
    Lang_Flag = 0;
    EXPECT_FALSE(Adj_File_Load(path, &why)) << c.name;
    EXPECT_TRUE(why.startsWith("Not a valid alignment file (")) << why.toStdString();
    EXPECT_TRUE(why.contains(c.en)) << c.name << ": " << why.toStdString();
    EXPECT_TRUE(why.endsWith("nothing was loaded.")) << why.toStdString();
    Lang_Flag = -1;
    EXPECT_FALSE(Adj_File_Load(path, &why));
    EXPECT_TRUE(why.startsWith(QString::fromUtf8("调整参数文件无效（"))) << why.toStdString();
    Lang_Flag = 0;
    EXPECT_EQ(Adj_Image, was) << c.name;
  }
}

TEST(AdjFile, OnlyARegularFileOfSensibleSizeIsRead) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("folder.adj");
  QByteArray padded = Adj_File_Text(Patterned());
  padded += QByteArray(Adj_File_Cap, ' ');
  Write(dir.filePath("padded.adj"), padded);
  Adj_Image = Patterned();
  const Adj_Table was = Adj_Image;
  for (const char* name : {"missing.adj", "folder.adj", "padded.adj"}) {
    QString why;
    EXPECT_FALSE(Adj_File_Load(dir.filePath(name), &why)) << name;
    EXPECT_TRUE(why.startsWith("The alignment file cannot be read (")) << why.toStdString();
    EXPECT_EQ(Adj_Image, was) << name;
  }
}

TEST(AdjFile, AFailedSaveIsReportedAndLeavesTheOldFile) {
  QTemporaryDir dir;
  QString why;
  EXPECT_FALSE(Adj_File_Save(dir.filePath("no/such/folder/x.adj"), Patterned(), &why));
  EXPECT_FALSE(why.isEmpty());
  QDir(dir.path()).mkdir("taken.adj");
  why.clear();
  EXPECT_FALSE(Adj_File_Save(dir.filePath("taken.adj"), Patterned(), &why));
  EXPECT_FALSE(why.isEmpty());
  // Saving over an existing file replaces it whole.
  const QString path = dir.filePath("old.adj");
  Write(path, "old contents");
  ASSERT_TRUE(Adj_File_Save(path, Patterned(), &why));
  EXPECT_EQ(Read(path), Adj_File_Text(Patterned()));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left behind";
}
