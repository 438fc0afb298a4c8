#include <gtest/gtest.h>

#include "platform/code_page.h"

TEST(CodePage, GbkConverterIsAvailable) {
  // Chinese channel names cannot be shown or stored without it.
  ASSERT_TRUE(Ansi_Available()) << "Qt's GBK converter is missing (Qt built without ICU?)";
}

TEST(CodePage, RoundTripsChineseAndAscii) {
  const QString text = QString::fromUtf8("信道A1");
  const QByteArray bytes = Ansi_Encode(text);
  EXPECT_EQ(bytes, QByteArray("\xD0\xC5\xB5\xC0" "A1"));
  EXPECT_EQ(Ansi_Decode(bytes), text);
}

TEST(CodePage, CodesOfSingleAndDoubleByteCharacters) {
  EXPECT_EQ(Ansi_Code(QString("A")), 65);
  EXPECT_EQ(Ansi_Code(QString::fromUtf8("中")), 0xD6D0);
  EXPECT_EQ(Ansi_Char(0xD6D0), QString::fromUtf8("中"));
  EXPECT_EQ(Ansi_Char(48), QString("0"));
}
