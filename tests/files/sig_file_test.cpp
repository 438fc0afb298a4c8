// The signalling file's text form: writing, parsing and the checks that keep
// a bad file out.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "data/shared_state.h"
#include "files/sig_file.h"

namespace {
Sig_Table Pattern() {
  Sig_Table t{};
  for (int l = 0; l < Sig_Lines; ++l)
    for (int c = 0; c < 16; ++c) t[l][c] = static_cast<int16_t>((l * 16 + c) % 256);
  t[200][3] = -5;      // outside lines 64..95 any 16-bit value may stand
  t[10][0] = 32767;
  t[11][0] = -32768;
  return t;
}
}  // namespace

TEST(SigFile, TextForm) {
  Sig_Table t{};
  t[0][0] = 189;
  t[0][1] = -2;
  const QByteArray text = Sig_File_Text(t);
  EXPECT_TRUE(text.startsWith(" 189 -2  0  0 "));
  EXPECT_EQ(text.count("\r\n"), 256);
  EXPECT_TRUE(text.endsWith(" 0 \r\n"));
}

TEST(SigFile, ParseGivesBackWhatWasWrittenWhateverTheLineEnds) {
  const Sig_Table t = Pattern();
  const QByteArray crlf = Sig_File_Text(t);
  QByteArray lf = crlf;
  lf.replace("\r\n", "\n");
  QByteArray commas = lf;
  commas.replace("  ", ",");
  QByteArray one_line = lf;
  one_line.replace('\n', ' ');
  for (const QByteArray& text : {crlf, lf, commas, one_line, crlf + " 1 2 3 junk"}) {
    Sig_Parse_Error e;
    const auto got = Sig_File_Parse(text, true, &e);
    ASSERT_TRUE(got.has_value()) << e.token.toStdString();
    EXPECT_EQ(*got, t);
  }
}

TEST(SigFile, RefusedTexts) {
  Lang_Flag = 0;
  // Without its last number: 4095 numbers.
  QByteArray few = Sig_File_Text(Pattern()).trimmed();
  few.truncate(few.lastIndexOf(' '));
  QByteArray token = Sig_File_Text(Pattern());
  token.replace(0, 4, " x  ");
  Sig_Table t70 = Pattern();
  t70[70][0] = 256;
  const QByteArray line70 = Sig_File_Text(t70);
  QByteArray wide = Sig_File_Text(Pattern());
  wide.replace(0, 4, " 40000 ");
  QByteArray frac = Sig_File_Text(Pattern());
  frac.replace(0, 4, " 1.5 ");
  Sig_Table neg = Pattern();
  neg[95][15] = -1;
  struct Case { QByteArray text; Sig_Parse_Error::Kind kind; int line; const char* reason; } cases[] = {
      {few, Sig_Parse_Error::Too_Few, 256, "the file holds only 4095 numbers instead of 4096"},
      {token, Sig_Parse_Error::Not_A_Number, 1, "\"x\" in line 1 is not a 16-bit integer"},
      {line70, Sig_Parse_Error::Not_A_Byte, 71, "the value 256 in line 71 is outside 0..255"},
      {wide, Sig_Parse_Error::Not_A_Number, 1, "\"40000\" in line 1 is not a 16-bit integer"},
      {frac, Sig_Parse_Error::Not_A_Number, 1, "\"1.5\" in line 1 is not a 16-bit integer"},
      {Sig_File_Text(neg), Sig_Parse_Error::Not_A_Byte, 96, "the value -1 in line 96 is outside 0..255"},
      {QByteArray(), Sig_Parse_Error::Too_Few, 1, "the file holds only 0 numbers instead of 4096"},
  };
  for (const auto& c : cases) {
    Sig_Parse_Error e;
    EXPECT_FALSE(Sig_File_Parse(c.text, true, &e).has_value()) << c.reason;
    EXPECT_EQ(e.kind, c.kind) << c.reason;
    EXPECT_EQ(e.line, c.line) << c.reason;
    EXPECT_EQ(Sig_Parse_Reason(e).toStdString(), c.reason);
  }
  // Without the byte check (a file whose lines 144..255 a save keeps), a
  // value outside 0..255 in lines 64..95 is no reason to refuse.
  EXPECT_TRUE(Sig_File_Parse(line70, false, nullptr).has_value());
  Lang_Flag = -1;
  Sig_Parse_Error e{Sig_Parse_Error::Not_A_Byte, 71, "256"};
  EXPECT_EQ(Sig_Parse_Reason(e).toStdString(), "第 71 行的数值 256 超出 0..255");
  Lang_Flag = 0;
}

TEST(SigFile, ReadAndWriteFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("a.sig");
  const Sig_Table t = Pattern();
  QString why;
  ASSERT_TRUE(Sig_File_Write(path, t, &why)) << why.toStdString();
  Sig_Table back{};
  ASSERT_TRUE(Sig_File_Read(path, true, &back, &why)) << why.toStdString();
  EXPECT_EQ(back, t);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.sig"}) << "no temporary left behind";

  // A file far larger than a signalling file, a folder and a missing file are
  // refused before anything is parsed; the output stays as it was.
  const QString huge = dir.filePath("huge.sig");
  {
    QFile f(huge);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray chunk(1024 * 1024, ' ');
    for (int i = 0; i < 10; ++i) f.write(chunk);
  }
  Sig_Table out = t;
  out[0][0] = 99;
  const Sig_Table keep = out;
  for (const QString& p : {huge, dir.path(), dir.filePath("none.sig")}) {
    EXPECT_FALSE(Sig_File_Read(p, true, &out, &why)) << p.toStdString();
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(out, keep);
  }
  // A folder cannot be replaced by a save; the failure is reported.
  EXPECT_FALSE(Sig_File_Write(dir.path(), t, &why));
  EXPECT_FALSE(why.isEmpty());
}
