// Loading refuses anything that is not a regular file, at once, and never
// reads more than its cap; reasons come in the interface's language.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <sys/stat.h>
#include <sys/types.h>

#include "data/shared_state.h"
#include "files/bounded_read.h"
#include "files/image_file.h"

namespace {
bool Has_Han(const QString& s) {
  for (QChar ch : s)
    if (ch.unicode() >= 0x4E00 && ch.unicode() <= 0x9FFF) return true;
  return false;
}
}  // namespace

TEST(BoundedRead, RefusesWhatIsNotARegularFileWithoutBlocking) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath("x.dat"), zero = dir.filePath("zero.dat"), folder = dir.filePath("f.dat");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", zero));
  ASSERT_TRUE(QDir(dir.path()).mkdir("f.dat"));
  for (const QString& path : {fifo, zero, folder, QString("/dev/zero")}) {
    SCOPED_TRACE(path.toStdString());
    for (int lang : {0, -1}) {
      Lang_Flag = lang;
      QElapsedTimer t;
      t.start();
      QByteArray out = "untouched";
      QString why;
      EXPECT_FALSE(Read_Bounded_File(path, 4096, &out, &why));
      EXPECT_LT(t.elapsed(), 2000) << "returned at once";
      EXPECT_EQ(out, "untouched");
      EXPECT_EQ(Has_Han(why), lang != 0) << why.toStdString();
      if (lang == 0) {
        EXPECT_EQ(why, "it is not a regular file");
      }
      // The image loader goes through it too, and leaves the image alone.
      Radio_Image[3][4] = 0x42;
      EXPECT_FALSE(Image_File_Load(path, &why));
      EXPECT_EQ(Radio_Image[3][4], 0x42);
    }
  }
  Lang_Flag = 0;
}

TEST(BoundedRead, ReadsUpToTheCapAndRefusesMore) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.dat");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(100, 'a'));
  f.close();
  QByteArray out;
  QString why;
  EXPECT_TRUE(Read_Bounded_File(path, 100, &out, &why)) << why.toStdString();
  EXPECT_EQ(out, QByteArray(100, 'a'));
  out.clear();
  EXPECT_FALSE(Read_Bounded_File(path, 99, &out, &why));
  EXPECT_TRUE(out.isEmpty());
  EXPECT_EQ(why, "the file is too large");
  EXPECT_FALSE(Read_Bounded_File(dir.filePath("missing.dat"), 100, &out, &why));
  EXPECT_EQ(why, "the file does not exist");
  // A file the user may not read: the reason in the interface's language.
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
  if (!QFile(path).open(QIODevice::ReadOnly)) {  // root reads anything
    Lang_Flag = -1;
    EXPECT_FALSE(Read_Bounded_File(path, 100, &out, &why));
    EXPECT_EQ(why, File_Error_Reason(EACCES));
    EXPECT_TRUE(Has_Han(why));
    Lang_Flag = 0;
  }
}

TEST(FileErrorReason, BothLanguagesForTheCommonCauses) {
  for (int err : {ENOSPC, EACCES, EROFS, ENOENT, EISDIR, EIO, 12345}) {
    Lang_Flag = 0;
    const QString en = File_Error_Reason(err);
    Lang_Flag = -1;
    const QString zh = File_Error_Reason(err);
    Lang_Flag = 0;
    EXPECT_FALSE(en.isEmpty()) << err;
    EXPECT_FALSE(Has_Han(en)) << err;
    EXPECT_TRUE(Has_Han(zh)) << err;
  }
  EXPECT_EQ(File_Error_Reason(ENOSPC), "there is no space left on the disk");
}
