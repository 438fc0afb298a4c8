// Loading refuses anything that is not a regular file, at once, and never
// reads more than its cap; saving puts every byte on the disk or leaves the
// old file as it was. Reasons come in the interface's language.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <functional>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/shared_state.h"
#include "files/adj_file.h"
#include "files/bounded_read.h"
#include "files/image_file.h"
#include "files/sig_file.h"
#include "support/full_disk.h"
#include "support/shared_file.h"

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

// The savers of the three kinds of file the program writes.
std::vector<Save_Case> File_Savers() {
  std::vector<Save_Case> all = Save_Cases();
  all.resize(3);
  return all;
}

bool Is_Temporary_Of(const QString& entry, const QString& name) {
  static const QRegularExpression pattern("^\\.(.*)\\.[0-9a-f]{8}\\.tmp$");
  const QRegularExpressionMatch m = pattern.match(entry);
  return m.hasMatch() && m.captured(1) == name;
}

// The temporaries of the file name in folder, with their bytes.
std::vector<QByteArray> Temporaries(const QString& folder, const QString& name) {
  std::vector<QByteArray> found;
  for (const QString& e : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
    if (Is_Temporary_Of(e, name)) found.push_back(Bytes_On_Disk(QDir(folder).filePath(e)));
  return found;
}

// A save's own process: how it ended.
struct Child_End {
  bool ran = false;     // it got as far as the save
  bool killed = false;  // stopped by the test's SIGKILL
  int code = -1;        // its exit code otherwise: 0 saved, 1 refused
  QString why;          // the reason of a refusal
};

// Saves in a child process of its own, as the group's member where member
// is set. With kill_at >= 0 the child is traced and killed at that stop on
// its way into or out of a system call, counted from the start of the save
// (when it makes fewer, it ends by itself). Async-signal-safe calls only
// between fork and the save.
Child_End Save_In_Child(const Save_Case& c, const QString& path, bool member, int kill_at) {
  Child_End end;
  int reason[2];
  if (::pipe(reason) != 0) return end;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(reason[0]);
    if (kill_at >= 0 && ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) ::_exit(98);
    if (member && !shared_file::Become_Member()) ::_exit(97);
    if (kill_at >= 0) ::raise(SIGSTOP);
    QString why;
    const bool saved = c.save(path, &why);
    const QByteArray text = why.toUtf8();
    [[maybe_unused]] const ssize_t told = ::write(reason[1], text.constData(), static_cast<size_t>(text.size()));
    ::_exit(saved ? 0 : 1);
  }
  ::close(reason[1]);
  struct Close_Reason {
    int fd;
    ~Close_Reason() { ::close(fd); }
  } close_reason{reason[0]};
  if (pid < 0) return end;
  int st = 0;
  if (kill_at >= 0) {
    ::waitpid(pid, &st, 0);
    if (!WIFSTOPPED(st)) return end;  // no tracing here
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, reinterpret_cast<void*>(PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL));
    int stops = 0, pass = 0;
    for (;;) {
      if (stops == kill_at) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &st, 0);
        end.ran = end.killed = true;
        return end;
      }
      ::ptrace(PTRACE_SYSCALL, pid, nullptr, reinterpret_cast<void*>(static_cast<long>(pass)));
      if (::waitpid(pid, &st, 0) != pid || !WIFSTOPPED(st)) break;
      const bool syscall_stop = WSTOPSIG(st) == (SIGTRAP | 0x80);
      pass = syscall_stop ? 0 : WSTOPSIG(st);
      if (syscall_stop) ++stops;
    }
  } else {
    ::waitpid(pid, &st, 0);
  }
  end.ran = WIFEXITED(st) && WEXITSTATUS(st) < 97;
  end.code = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  QByteArray text;
  char buf[512];
  for (ssize_t n; (n = ::read(reason[0], buf, sizeof buf)) > 0;) text.append(buf, n);
  end.why = QString::fromUtf8(text);
  return end;
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

// A save killed at any point (each stop on the way into or out of a system
// call in turn) leaves the old text in the file or the complete new text,
// in the file or in a temporary beside it; never only part of it. The owner,
// group and mode stay, whether the file is the saver's own (replaced by a
// rename) or another owner's in a shared group (written in place). The next
// save puts the new text in place and clears what the killed one left.
TEST(WholeFileSave, AKilledSaveLeavesTheOldOrTheCompleteNewText) {
  const bool root = ::geteuid() == 0;
  for (bool shared : {false, true}) {
    if (shared && !root) continue;
    for (const Save_Case& c : File_Savers()) {
      for (int kill_at = 0;; ++kill_at) {
        SCOPED_TRACE(std::string(c.name) + (shared ? " shared" : " own") + " killed at stop " +
                     std::to_string(kill_at));
        QTemporaryDir dir;
        const QString path = dir.filePath(c.name);
        Write(path, c.old_text);
        if (shared) {
          ASSERT_TRUE(shared_file::Share(dir.path(), path));
        } else {
          ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
        }
        const std::string kept = shared_file::Owner_Group_Mode(path);
        const Child_End end = Save_In_Child(c, path, shared, kill_at);
        if (!end.ran && kill_at == 0) GTEST_SKIP() << "a process cannot be traced here";
        ASSERT_TRUE(end.ran);
        const QByteArray now = Bytes_On_Disk(path);
        const std::vector<QByteArray> temps = Temporaries(dir.path(), c.name);
        const bool whole_beside = std::find(temps.begin(), temps.end(), c.new_text) != temps.end();
        EXPECT_TRUE(now == c.old_text || now == c.new_text || whole_beside)
            << "only part of the new text is on the disk: " << now.size() << " bytes";
        EXPECT_EQ(shared_file::Owner_Group_Mode(path), kept);
        if (!end.killed) {
          EXPECT_EQ(end.code, 0);
          EXPECT_TRUE(now == c.new_text);
          EXPECT_EQ(Everything_In(dir.path()), c.name);
          break;
        }
        const Child_End next = Save_In_Child(c, path, shared, -1);
        EXPECT_EQ(next.code, 0) << "the next save";
        EXPECT_TRUE(Bytes_On_Disk(path) == c.new_text);
        EXPECT_EQ(shared_file::Owner_Group_Mode(path), kept);
        EXPECT_EQ(Everything_In(dir.path()), c.name) << "the next save left what the killed one left";
        if (HasFailure()) return;
      }
    }
  }
}

// A save removes only what earlier saves of the same file left behind:
// names of exactly its own pattern, regular files, and none that a save at
// work holds locked.
TEST(WholeFileSave, TheNextSaveRemovesOnlyItsOwnLeftTemporaries) {
  QTemporaryDir dir;
  const QString path = dir.filePath("old.dat");
  Write(path, "old");
  const QStringList left = {".old.dat.0123abcd.tmp", ".old.dat.ffffffff.tmp"};
  const QStringList kept_files = {
      ".old.dat.0123ABCD.tmp",      // not the program's digits
      ".old.dat.0123abc.tmp",       // seven digits
      ".old.dat.0123abcde.tmp",     // nine
      ".old.dat.0123abcd.tmp.bak",  // something else's
      "old.dat.0123abcd.tmp",       // not hidden
      ".other.dat.0123abcd.tmp",    // another file's
      ".xold.dat.0123abcd.tmp",
      ".old.dat.00000001.tmp",      // at work: locked
  };
  for (const QString& n : left + kept_files) Write(dir.filePath(n), "tmp");
  ASSERT_TRUE(QDir(dir.path()).mkdir(".old.dat.0000000a.tmp"));
  ASSERT_TRUE(QFile::link(dir.filePath(".other.dat.0123abcd.tmp"), dir.filePath(".old.dat.0000000b.tmp")));
  const int busy = ::open(QFile::encodeName(dir.filePath(".old.dat.00000001.tmp")).constData(), O_RDONLY);
  ASSERT_GE(busy, 0);
  ASSERT_EQ(::flock(busy, LOCK_EX), 0);
  QString why;
  ASSERT_TRUE(Write_Whole_File(path, "new", &why)) << why.toStdString();
  ::close(busy);
  QStringList want = kept_files;
  want << "old.dat" << ".old.dat.0000000a.tmp" << ".old.dat.0000000b.tmp";
  want.sort();
  EXPECT_EQ(Everything_In(dir.path()), want.join(' ').toStdString());
  EXPECT_EQ(Bytes_On_Disk(path), "new");
}

// A file mounted over the name cannot be replaced by a rename (EBUSY): the
// save writes the new text into the mounted file itself, which keeps its
// mode, and leaves nothing beside it.
TEST(WholeFileSave, AFileMountedOverTheNameIsWrittenInPlace) {
  QTemporaryDir dir;
  const QString a = dir.filePath("a.dat"), b = dir.filePath("b.dat");
  Write(a, "a");
  Write(b, "under the mount");
  ASSERT_EQ(::chmod(QFile::encodeName(a).constData(), 0640), 0);
  if (::mount(QFile::encodeName(a).constData(), QFile::encodeName(b).constData(), nullptr, MS_BIND, nullptr) != 0)
    GTEST_SKIP() << "no bind mount here: " << std::strerror(errno);
  struct Unmount {
    QByteArray at;
    ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
  } unmount{QFile::encodeName(b)};
  for (const Save_Case& c : File_Savers()) {
    SCOPED_TRACE(c.name);
    Write(a, c.old_text);
    QString why;
    EXPECT_TRUE(c.save(b, &why)) << why.toStdString();
    EXPECT_TRUE(Bytes_On_Disk(a) == c.new_text);
    EXPECT_EQ(shared_file::Owner_Group_Mode(a).substr(shared_file::Owner_Group_Mode(a).rfind(':')), ":640");
    EXPECT_EQ(Everything_In(dir.path()), "a.dat b.dat");
  }
  ASSERT_EQ(::umount2(QFile::encodeName(b).constData(), 0), 0);
  unmount.at.clear();
  EXPECT_EQ(Bytes_On_Disk(b), "under the mount");
}

// Every error a save or a load can meet has words in both languages, and no
// error at all is shown as its number (the system's own words where the
// program has none, "an unknown system error" where the system has none).
TEST(FileErrorReason, NoErrorIsShownAsANumber) {
  const int met[] = {ENOSPC, EDQUOT, EFBIG, EACCES, EPERM, EROFS, ENOENT, ENOTDIR, EISDIR, ENAMETOOLONG, EIO,
                     EMFILE, ENFILE, EBUSY, EXDEV, ETXTBSY, ELOOP, EEXIST, EMLINK, EINVAL, EOPNOTSUPP, ENXIO,
                     ENODEV, ENOMEM, EAGAIN, EINTR, EOVERFLOW, EBADF, ETIMEDOUT, ESTALE, ENOLCK};
  for (int err : met) {
    Lang_Flag = -1;
    const QString zh = File_Error_Reason(err);
    Lang_Flag = 0;
    EXPECT_TRUE(Has_Han(zh)) << err << " " << zh.toStdString();
    EXPECT_FALSE(Has_Han(File_Error_Reason(err))) << err;
  }
  for (int err = 1; err < 300; ++err) {
    for (int lang : {0, -1}) {
      Lang_Flag = lang;
      const QString why = File_Error_Reason(err);
      EXPECT_FALSE(why.isEmpty()) << err;
      EXPECT_FALSE(QRegularExpression("\\b" + QString::number(err) + "\\b").match(why).hasMatch())
          << err << ": " << why.toStdString();
    }
  }
  Lang_Flag = 0;
  EXPECT_EQ(File_Error_Reason(EBUSY), "the file is in use by the system");
  EXPECT_EQ(File_Error_Reason(12345), "an unknown system error");
}

// Another owner's file on a disk with room for the temporary but not for the
// file to grow by as much: the in-place write is refused before it touches
// the file, which keeps its text, owner, group and mode, with nothing left
// beside it.
TEST(WholeFileSave, AFullDiskFailsAnInPlaceSaveBeforeItTouchesTheFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give the file to another owner";
  QTemporaryDir dir;
  const QByteArray old_text(100, 'o'), new_text(10 * 4096, 'n');
  // A page for the old file, ten for the temporary, three to spare.
  if (::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=56k") != 0)
    GTEST_SKIP() << "no tmpfs here: " << std::strerror(errno);
  struct Unmount {
    QByteArray at;
    ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
  } unmount{QFile::encodeName(dir.path())};
  const QString path = dir.filePath("shared.dat");
  Write(path, old_text);
  ASSERT_TRUE(shared_file::Share(dir.path(), path));
  const Save_Case c{"shared.dat", old_text, new_text,
                    [&](const QString& p, QString* why) { return Write_Whole_File(p, new_text, why); }};
  const Child_End end = Save_In_Child(c, path, true, -1);
  EXPECT_EQ(end.code, 1);
  EXPECT_EQ(end.why, File_Error_Reason(ENOSPC));
  EXPECT_TRUE(Bytes_On_Disk(path) == old_text);
  EXPECT_EQ(shared_file::Owner_Group_Mode(path), shared_file::Shared_Owner_Group_Mode());
  EXPECT_EQ(Everything_In(dir.path()), "shared.dat");
}
