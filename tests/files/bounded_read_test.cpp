// Loading refuses anything that is not a regular file, at once, and never
// reads more than its cap; saving puts every byte on the disk or leaves the
// old file as it was. Reasons come in the interface's language.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "data/shared_state.h"
#include "files/adj_file.h"
#include "files/bounded_read.h"
#include "files/image_file.h"
#include "files/sig_file.h"
#include "support/full_disk.h"

namespace {
bool Has_Han(const QString& s) {
  for (QChar ch : s)
    if (ch.unicode() >= 0x4E00 && ch.unicode() <= 0x9FFF) return true;
  return false;
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

template <class Table>
Table Patterned(int seed) {
  Table t{};
  for (std::size_t r = 0; r < t.size(); ++r)
    for (int c = 0; c < 16; ++c) t[r][c] = static_cast<int16_t>((r * 7 + c * 13 + seed) % 256);
  return t;
}

// One way the program saves a file: the text it writes, and the save itself.
struct Save_Case {
  const char* name;
  QByteArray old_text;  // a good file of the same kind, already on the disk
  QByteArray new_text;
  std::function<bool(const QString&, QString*)> save;
};

std::vector<Save_Case> Save_Cases() {
  const auto image = Patterned<Image_Table>(1);
  // A signalling file is mostly zeros, which keeps its text under 16 KiB.
  Sig_Table sig{}, old_sig{};
  for (int l = 64; l < 96; ++l) sig[l].fill(12);
  old_sig[0].fill(5);
  const auto adj = Patterned<Adj_Table>(3);
  const QByteArray small(1000, 's'), large(40 * 1024, 'L');
  return {
      {"image.dat", Image_File_Text(Patterned<Image_Table>(4)), Image_File_Text(image),
       [image](const QString& p, QString* why) { return Image_File_Save(p, image, why); }},
      {"signal.sig", Sig_File_Text(old_sig), Sig_File_Text(sig),
       [sig](const QString& p, QString* why) { return Sig_File_Write(p, sig, why); }},
      {"align.adj", Adj_File_Text(Patterned<Adj_Table>(6)), Adj_File_Text(adj),
       [adj](const QString& p, QString* why) { return Adj_File_Save(p, adj, why); }},
      // Either side of the 16 KiB a file stream buffers before it writes.
      {"small.txt", "old small text\r\n", small,
       [small](const QString& p, QString* why) { return Write_Whole_File(p, small, why); }},
      {"large.txt", "old large text\r\n", large,
       [large](const QString& p, QString* why) { return Write_Whole_File(p, large, why); }},
  };
}
}  // namespace

// A disk that takes no more bytes, at the start, half-way or at the last
// byte: the save says why, in the interface's language, and the file being
// replaced stays byte for byte as it was, with no temporary beside it.
TEST(WholeFileSave, AFailedWriteKeepsTheOldFileAndSaysWhy) {
  for (const Save_Case& c : Save_Cases()) {
    ASSERT_NE(c.old_text, c.new_text) << c.name;
    for (qint64 limit : {qint64(0), c.new_text.size() / 2, c.new_text.size() - 1}) {
      for (int lang : {0, -1}) {
        SCOPED_TRACE(std::string(c.name) + " limit " + std::to_string(limit) + " lang " + std::to_string(lang));
        QTemporaryDir dir;
        const QString path = dir.filePath(c.name);
        Write(path, c.old_text);
        Lang_Flag = lang;
        QString why;
        bool saved;
        {
          File_Size_Limit full(static_cast<rlim_t>(limit));
          ASSERT_TRUE(full.Active());
          saved = c.save(path, &why);
        }
        EXPECT_FALSE(saved) << "a save that did not reach the disk reports success";
        EXPECT_EQ(why.toStdString(), File_Error_Reason(EFBIG).toStdString());
        EXPECT_EQ(Has_Han(why), lang != 0) << why.toStdString();
        const QByteArray now = Bytes_On_Disk(path);
        EXPECT_TRUE(now == c.old_text) << "the old file was damaged: " << now.size() << " bytes now";
        EXPECT_EQ(Everything_In(dir.path()), c.name) << "a temporary was left behind";
      }
    }
    // With room enough the same save goes through.
    QTemporaryDir dir;
    const QString path = dir.filePath(c.name);
    Write(path, c.old_text);
    QString why;
    {
      File_Size_Limit room(static_cast<rlim_t>(c.new_text.size()));
      ASSERT_TRUE(room.Active());
      EXPECT_TRUE(c.save(path, &why)) << c.name << ": " << why.toStdString();
    }
    EXPECT_TRUE(Bytes_On_Disk(path) == c.new_text) << c.name;
    EXPECT_EQ(Everything_In(dir.path()), c.name);
  }
  Lang_Flag = 0;
}

// Replacing a file keeps what the user set on it: its permissions, and a
// link stays a link to the file that now holds the new text. What cannot be
// replaced by a file is refused before anything is written.
TEST(WholeFileSave, KeepsPermissionsAndLinksAndRefusesWhatIsNoFile) {
  QTemporaryDir dir;
  const QString real = dir.filePath("real.dat"), link = dir.filePath("link.dat");
  Write(real, "old");
  ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
  ASSERT_TRUE(QFile::link(real, link));
  QString why;
  ASSERT_TRUE(Write_Whole_File(link, "new", &why)) << why.toStdString();
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(Bytes_On_Disk(real), "new");
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  // A new file gets what the user's mask allows, as any other file would.
  const mode_t mask = ::umask(022);
  const bool made = Write_Whole_File(dir.filePath("new.dat"), "x", &why);
  ::umask(mask);
  ASSERT_TRUE(made) << why.toStdString();
  ASSERT_EQ(::stat(QFile::encodeName(dir.filePath("new.dat")).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);

  const QString fifo = dir.filePath("fifo.dat");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_FALSE(Write_Whole_File(fifo, "x", &why));
  EXPECT_EQ(why.toStdString(), "it is not a regular file");
  EXPECT_FALSE(QFileInfo(fifo).isFile()) << "the FIFO is still there";
  EXPECT_EQ(Everything_In(dir.path()), "fifo.dat link.dat new.dat real.dat");

  // A folder the user may not write in (root writes anywhere).
  const QString locked = dir.filePath("locked");
  ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
  Write(locked + "/old.sig", "old");
  ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0555), 0);
  if (::geteuid() != 0) {
    Lang_Flag = -1;
    EXPECT_FALSE(Write_Whole_File(locked + "/old.sig", "new", &why));
    EXPECT_EQ(why, File_Error_Reason(EACCES));
    Lang_Flag = 0;
    EXPECT_EQ(Bytes_On_Disk(locked + "/old.sig"), "old");
    EXPECT_EQ(Everything_In(locked), "old.sig");
  }
  ::chmod(QFile::encodeName(locked).constData(), 0755);
}

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
