#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "files/number_text.h"

TEST(NumberScanner, TokensAndLinesWhateverTheSeparators) {
  static const char raw[] = "\xEF\xBB\xBF 1,2\t3\r\n4\n5\r6 \r\n\x1A\x1A\r\n";
  const QByteArray text(raw, sizeof raw - 1);
  Number_Scanner scan(text);
  QByteArray tok;
  std::vector<std::pair<QByteArray, int>> got;
  while (scan.Next(&tok)) got.push_back({tok, scan.Line()});
  const std::vector<std::pair<QByteArray, int>> want{{"1", 1}, {"2", 1}, {"3", 1},
                                                      {"4", 2}, {"5", 3}, {"6", 4}};
  EXPECT_EQ(got, want);
}

TEST(NumberScanner, AnEndMarkInsideTheTextIsAToken) {
  Number_Scanner scan(QByteArray("1 \x1A 2"));
  QByteArray tok;
  ASSERT_TRUE(scan.Next(&tok));
  ASSERT_TRUE(scan.Next(&tok));
  EXPECT_EQ(tok, "\x1A");
  EXPECT_EQ(Shown_Token(tok), "\\x1A");
}

TEST(IntegerToken, OnlySignAndDigits) {
  struct Case {
    QByteArray tok;
    bool ok;
    long v;
  } cases[] = {
      {"0", true, 0},        {"255", true, 255},  {"-1", true, -1},     {"+7", true, 7},
      {"007", true, 7},      {"", false, 0},      {"-", false, 0},      {"3.7", false, 0},
      {"x", false, 0},       {"1e3", false, 0},   {QByteArray("3\0" "7", 3), false, 0},
      {"99999999999999999999", false, 0},
  };
  for (const Case& c : cases) {
    long v = -99;
    EXPECT_EQ(Integer_Token(c.tok, &v), c.ok) << c.tok.toStdString();
    if (c.ok) {
      EXPECT_EQ(v, c.v) << c.tok.toStdString();
    }
  }
}

TEST(PutNumber, TheFilesNumberForm) {
  QByteArray out;
  Put_Number(out, 12);
  Put_Number(out, -3);
  Put_Number(out, 0);
  EXPECT_EQ(out, " 12 -3  0 ");
}

// A long token is cut with an ellipsis, never inside the \xNN of a byte,
// so that the message it stands in keeps its closing quote in view.
TEST(ShownToken, ALongTokenIsCutWithAnEllipsis) {
  const QString ellipsis(QChar(0x2026));
  struct Case {
    QByteArray tok;
    QString shown;
  } cases[] = {
      {QByteArray(Shown_Token_Chars, '7'), QString(Shown_Token_Chars, '7')},
      {QByteArray(Shown_Token_Chars + 1, '7'), QString(Shown_Token_Chars, '7') + ellipsis},
      {QByteArray(4096, '\0'), QString("\\x00").repeated(Shown_Token_Chars / 4) + ellipsis},
      {"abc" + QByteArray(100, '\x01'), "abc" + QString("\\x01").repeated((Shown_Token_Chars - 3) / 4) + ellipsis},
  };
  for (const Case& c : cases) EXPECT_EQ(Shown_Token(c.tok).toStdString(), c.shown.toStdString()) << c.tok.size();
}
