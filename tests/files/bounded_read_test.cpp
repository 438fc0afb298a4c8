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
#include <QtEndian>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "data/shared_state.h"
#include "files/adj_file.h"
#include "files/bounded_read.h"
#include "files/image_file.h"
#include "files/sig_file.h"
#include "platform/msg_box.h"
#include "support/full_disk.h"
#include "support/msg_recorder.h"
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
Table Patterned(int seed, int modulo = 256) {
  Table t{};
  for (std::size_t r = 0; r < t.size(); ++r)
    for (int c = 0; c < 16; ++c) t[r][c] = static_cast<int16_t>((r * 7 + c * 13 + seed) % modulo);
  return t;
}

using Saver = std::function<bool(const QString&, QString*)>;
// A load as the program does it: the text of what it took in (as its saver
// would write it), or nothing with the reason.
using Loader = std::function<std::optional<QByteArray>(const QString&, QString*)>;

// One way the program saves a file: the text it writes, and the save itself.
// The kinds of file the program loads have a newer text and a load too.
struct Save_Case {
  const char* name;
  QByteArray old_text;  // a good file of the same kind, already on the disk
  QByteArray new_text;
  Saver save;
  QByteArray newer_text = {};
  Saver save_newer = {};
  Loader load = {};
};

template <class Table, class Save>
Saver Saving(const Table& t, Save save) {
  return [t, save](const QString& p, QString* why) { return save(p, t, why); };
}

std::vector<Save_Case> Save_Cases() {
  // Each new text is shorter than the one before it: a save cut off
  // between its write and its cut leaves the new text over the old one's
  // start, the old one's end after it.
  const auto image = Patterned<Image_Table>(1, 100), newer_image = Patterned<Image_Table>(2, 10);
  // A signalling file is mostly zeros, which keeps its text under 16 KiB.
  Sig_Table sig{}, old_sig{}, newer_sig{};
  for (int l = 64; l < 96; ++l) {
    old_sig[l].fill(200);
    sig[l].fill(12);
    newer_sig[l].fill(3);
  }
  const auto adj = Patterned<Adj_Table>(3, 100), newer_adj = Patterned<Adj_Table>(4, 10);
  const QByteArray small(1000, 's'), large(40 * 1024, 'L');
  return {
      {"image.dat", Image_File_Text(Patterned<Image_Table>(4)), Image_File_Text(image), Saving(image, Image_File_Save),
       Image_File_Text(newer_image), Saving(newer_image, Image_File_Save),
       [](const QString& p, QString* why) -> std::optional<QByteArray> {
         if (!Image_File_Load(p, why)) return std::nullopt;
         return Image_File_Text(Radio_Image);
       }},
      {"signal.sig", Sig_File_Text(old_sig), Sig_File_Text(sig), Saving(sig, Sig_File_Write), Sig_File_Text(newer_sig),
       Saving(newer_sig, Sig_File_Write),
       [](const QString& p, QString* why) -> std::optional<QByteArray> {
         Sig_Table t{};
         if (!Sig_File_Read(p, true, &t, why)) return std::nullopt;
         return Sig_File_Text(t);
       }},
      {"align.adj", Adj_File_Text(Patterned<Adj_Table>(6)), Adj_File_Text(adj), Saving(adj, Adj_File_Save),
       Adj_File_Text(newer_adj), Saving(newer_adj, Adj_File_Save),
       [](const QString& p, QString* why) -> std::optional<QByteArray> {
         if (!Adj_File_Load(p, why)) return std::nullopt;
         return Adj_File_Text(Adj_Image);
       }},
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

// The temporaries of the file name in folder (paths).
QStringList Temporaries(const QString& folder, const QString& name) {
  QStringList found;
  for (const QString& e : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
    if (Is_Temporary_Of(e, name)) found << QDir(folder).filePath(e);
  return found;
}

// Who a child process runs as: root, or one of the users of the shared file.
enum class As { Root, Owner, Member, Named };

// Async-signal-safe.
bool Become(As who) {
  switch (who) {
    case As::Root: return true;
    case As::Owner: return shared_file::Become_Owner();
    case As::Member: return shared_file::Become_Member();
    case As::Named: return shared_file::Become_Named();
  }
  return false;
}

// A process of its own: how it ended.
struct Child_End {
  bool ran = false;     // it got as far as its work
  bool killed = false;  // stopped by the test's SIGKILL
  int code = -1;        // its exit code otherwise: 0 done, 1 refused
  QString out;          // what the work gave: a refusal's reason, or what a load took in
  QStringList messages;  // the message boxes it showed
};

// A unit of work for a child, which puts what it has to say in *out.
using Work = std::function<bool(QString*)>;

Work Save_Work(const Saver& save, const QString& path) {
  return [save, path](QString* out) { return save(path, out); };
}

Work Load_Work(const Loader& load, const QString& path) {
  return [load, path](QString* out) {
    const std::optional<QByteArray> text = load(path, out);
    if (text) *out = QString::fromLatin1(*text);
    return bool(text);
  };
}

// Where a traced child is killed: at a stop on its way into or out of a
// system call, counted from the start of its work; or on its way into the
// nth call (from 1) of one system call.
struct Kill_Point {
  int stop = -1;
  long call = -1;
  int nth = 0;
  bool Traced() const { return stop >= 0 || call >= 0; }
};

// Runs work in a child process of its own, as who, killed at kill when it
// is traced there (when it makes fewer calls, it ends by itself).
// Async-signal-safe calls only between fork and the work.
Child_End Run_In_Child(const Work& work, As who, Kill_Point kill) {
  Child_End end;
  // Not a pipe: what a load took in may be more than a pipe holds, and the
  // test reads only once the child has ended.
  FILE* report = std::tmpfile();
  if (!report) return end;
  struct Close_Report {
    FILE* f;
    ~Close_Report() { std::fclose(f); }
  } close_report{report};
  const int report_fd = ::fileno(report);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (kill.Traced() && ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) ::_exit(98);
    if (!Become(who)) ::_exit(97);
    QStringList shown;
    Msg_Set_Handler([&shown](const Msg_Call& c) {
      shown << c.text;
      return Msg_Answer::Ok;
    });
    if (kill.Traced()) ::raise(SIGSTOP);
    QString out;
    const bool done = work(&out);
    // The messages, each ended by a record separator, then what the work gave.
    QByteArray text;
    for (const QString& m : shown) text += m.toUtf8() + '\x1e';
    text += '\x1d' + out.toUtf8();
    for (qsizetype at = 0; at < text.size();) {
      const ssize_t n = ::pwrite(report_fd, text.constData() + at, static_cast<size_t>(text.size() - at), at);
      if (n <= 0) break;
      at += n;
    }
    ::_exit(done ? 0 : 1);
  }
  if (pid < 0) return end;
  int st = 0;
  if (kill.Traced()) {
    ::waitpid(pid, &st, 0);
    if (!WIFSTOPPED(st)) return end;  // no tracing here
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, reinterpret_cast<void*>(PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL));
    int stops = 0, pass = 0, calls = 0;
    for (;;) {
      if (stops == kill.stop || (kill.call >= 0 && calls == kill.nth)) {
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
      __ptrace_syscall_info info{};
      if (syscall_stop && kill.call >= 0 &&
          ::ptrace(PTRACE_GET_SYSCALL_INFO, pid, reinterpret_cast<void*>(sizeof info), &info) > 0 &&
          info.op == PTRACE_SYSCALL_INFO_ENTRY && info.entry.nr == static_cast<__uint64_t>(kill.call))
        ++calls;
    }
  } else {
    ::waitpid(pid, &st, 0);
  }
  end.ran = WIFEXITED(st) && WEXITSTATUS(st) < 97;
  end.code = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  QByteArray text;
  char buf[4096];
  for (ssize_t n; (n = ::pread(report_fd, buf, sizeof buf, text.size())) > 0;) text.append(buf, n);
  const qsizetype split = text.indexOf('\x1d');
  end.messages = QString::fromUtf8(text.left(std::max<qsizetype>(split, 0))).split('\x1e', Qt::SkipEmptyParts);
  end.out = QString::fromUtf8(text.mid(split + 1));
  return end;
}

// A folder for the tests that save hundreds of times: a tmpfs of its own
// where one can be mounted, for the syncs of every save cost nothing there
// and a lot on a disk; else a folder on the disk. Each case makes a folder
// of its own inside it.
class Quick_Folder {
public:
  Quick_Folder() {
    mounted_ = ::mount("tmpfs", QFile::encodeName(base_.path()).constData(), "tmpfs", 0, "mode=1777") == 0;
  }
  ~Quick_Folder() {
    if (mounted_) ::umount2(QFile::encodeName(base_.path()).constData(), MNT_DETACH);
  }
  Quick_Folder(const Quick_Folder&) = delete;
  Quick_Folder& operator=(const Quick_Folder&) = delete;
  QString Case_Template() const { return base_.filePath("case-XXXXXX"); }

private:
  QTemporaryDir base_;
  bool mounted_ = false;
};

// A folder and a file holding text: shared in the group (the owner's, the
// member saves into it), or the saver's own, mode 640.
void Put_Up(const QTemporaryDir& dir, const QString& path, const QByteArray& text, bool shared) {
  Write(path, text);
  if (shared) {
    ASSERT_TRUE(shared_file::Share(dir.path(), path));
  } else {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
  }
}

// What an open says of a file whose cut-off save it completed.
std::string Completed_Message(const char* name) {
  return std::string("The last save of \"") + name +
         "\" was cut off before it was complete; it has now been completed from the copy that save kept beside "
         "the file.";
}

// A member's save of the shared file cut off in the midst of its write into
// the file, which then holds neither text.
void Cut_Off_Mid_Write(const Save_Case& c, const QTemporaryDir& dir, const QString& path) {
  ASSERT_NO_FATAL_FAILURE(Put_Up(dir, path, c.old_text, true));
  // Killed on its way into the second ftruncate: the record's is the first,
  // the file's the second, once the new text is written over the old.
  const Child_End end = Run_In_Child(Save_Work(c.save, path), As::Member, Kill_Point{-1, SYS_ftruncate, 2});
  ASSERT_TRUE(end.killed);
  const QByteArray now = Bytes_On_Disk(path);
  ASSERT_TRUE(now != c.old_text && now != c.new_text);
  ASSERT_EQ(Temporaries(dir.path(), c.name).size(), 1);
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
// call in turn) leaves the file so that the next open gives the old text or
// the complete new one, never part of it; where the file holds neither, the
// open completes the write, says so, and the file holds the new text. The
// owner, group and mode stay, whether the file is the saver's own (replaced
// by a rename) or another owner's in a shared group (written in place). The
// next save puts the new text in place and clears what the killed one left.
TEST(WholeFileSave, AKilledSaveLeavesTheOldOrTheCompleteNewText) {
  const bool root = ::geteuid() == 0;
  const Quick_Folder quick;
  for (bool shared : {false, true}) {
    if (shared && !root) continue;
    for (const Save_Case& c : File_Savers()) {
      for (int kill_at = 0;; ++kill_at) {
        SCOPED_TRACE(std::string(c.name) + (shared ? " shared" : " own") + " killed at stop " +
                     std::to_string(kill_at));
        QTemporaryDir dir(quick.Case_Template());
        const QString path = dir.filePath(c.name);
        ASSERT_NO_FATAL_FAILURE(Put_Up(dir, path, c.old_text, shared));
        const std::string kept = shared_file::Owner_Group_Mode(path);
        const Child_End end = Run_In_Child(Save_Work(c.save, path), shared ? As::Member : As::Root, Kill_Point{kill_at});
        if (!end.ran && kill_at == 0) GTEST_SKIP() << "a process cannot be traced here";
        ASSERT_TRUE(end.ran);
        const QByteArray now = Bytes_On_Disk(path);
        if (!end.killed) {
          EXPECT_EQ(end.code, 0) << end.out.toStdString();
          EXPECT_TRUE(now == c.new_text);
          EXPECT_EQ(shared_file::Owner_Group_Mode(path), kept);
          EXPECT_EQ(Everything_In(dir.path()), c.name);
          break;
        }
        {
          Msg_Recorder rec;
          QString why;
          const std::optional<QByteArray> loaded = c.load(path, &why);
          ASSERT_TRUE(loaded) << "the next open refused the file: " << why.toStdString();
          EXPECT_TRUE(*loaded == c.old_text || *loaded == c.new_text) << "the open took in part of the new text";
          EXPECT_TRUE(now == c.old_text || *loaded == c.new_text) << "the open gave the old text of a changed file";
          EXPECT_TRUE(Bytes_On_Disk(path) == *loaded) << "the file does not hold what the open took in";
          EXPECT_EQ(rec.Texts().join('\n').toStdString(), now == *loaded ? "" : Completed_Message(c.name));
          EXPECT_EQ(shared_file::Owner_Group_Mode(path), kept);
        }
        const Child_End next = Run_In_Child(Save_Work(c.save, path), shared ? As::Member : As::Root, {});
        EXPECT_EQ(next.code, 0) << "the next save: " << next.out.toStdString();
        EXPECT_TRUE(next.messages.isEmpty()) << next.messages.join('\n').toStdString();
        EXPECT_TRUE(Bytes_On_Disk(path) == c.new_text);
        EXPECT_EQ(shared_file::Owner_Group_Mode(path), kept);
        EXPECT_EQ(Everything_In(dir.path()), c.name) << "the next save left what the killed one left";
        if (HasFailure()) return;
      }
    }
  }
}

// A member's save of a shared file cut off in the midst of its write, then
// the next save (of a newer text) or the next open cut off too, at each
// point in turn: the complete text of the first save is kept until the file
// holds it, or the newer text. Then an open gives one of the two, and a
// save of the newer text goes through and leaves nothing beside the file.
// The open is the same for every kind of file (the test above opens each
// kind); it is cut off with the image file only, to keep the test short.
TEST(WholeFileSave, TheCompleteTextIsKeptUntilTheFileHoldsIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give the file to another owner";
  const Quick_Folder quick;
  const std::vector<Save_Case> savers = File_Savers();
  for (const Save_Case& c : savers) {
    struct Next {
      const char* what;
      Saver save;  // else the open
      std::vector<QByteArray> then;
    };
    std::vector<Next> nexts = {{"save", c.save_newer, {c.new_text, c.newer_text}}};
    if (&c == &savers.front()) nexts.push_back({"open", {}, {c.new_text}});
    for (const Next& next : nexts) {
      for (int kill_at = 0;; ++kill_at) {
        SCOPED_TRACE(std::string(c.name) + ", the next " + next.what + " killed at stop " + std::to_string(kill_at));
        QTemporaryDir dir(quick.Case_Template());
        const QString path = dir.filePath(c.name);
        ASSERT_NO_FATAL_FAILURE(Cut_Off_Mid_Write(c, dir, path));
        const Child_End end =
            Run_In_Child(next.save ? Save_Work(next.save, path) : Load_Work(c.load, path), As::Member, Kill_Point{kill_at});
        ASSERT_TRUE(end.ran);
        if (!end.killed) {
          EXPECT_EQ(end.code, 0) << end.out.toStdString();
          EXPECT_EQ(end.messages.join('\n').toStdString(), Completed_Message(c.name));
          EXPECT_TRUE(Bytes_On_Disk(path) == next.then.back());
          if (!next.save) {
            EXPECT_TRUE(end.out.toLatin1() == c.new_text);
          }
          EXPECT_EQ(Everything_In(dir.path()), c.name);
          break;
        }
        {
          Msg_Recorder rec;
          QString why;
          const std::optional<QByteArray> loaded = c.load(path, &why);
          ASSERT_TRUE(loaded) << "the open refused the file: " << why.toStdString();
          EXPECT_TRUE(std::find(next.then.begin(), next.then.end(), *loaded) != next.then.end())
              << "the open took in neither complete text";
          EXPECT_TRUE(Bytes_On_Disk(path) == *loaded);
        }
        QString why;
        EXPECT_TRUE(c.save_newer(path, &why)) << why.toStdString();
        EXPECT_TRUE(Bytes_On_Disk(path) == c.newer_text);
        EXPECT_EQ(shared_file::Owner_Group_Mode(path), shared_file::Shared_Owner_Group_Mode());
        EXPECT_EQ(Everything_In(dir.path()), c.name);
        if (HasFailure()) return;
      }
    }
  }
}

// The record of a cut-off save is applied only to the file it was made for,
// as that save left it, and only when whoever made it may write the file: a
// file put in its place since, or written since, is newer, and an open
// takes it in as it is, the record left for the next save to clear; so
// does a file next to a record that a user who may not write the file
// made. A file that already holds the whole new text is taken in and the
// record removed, with nothing to say.
TEST(WholeFileSave, ARecordIsAppliedOnlyToTheFileItWasMadeFor) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give the file to another owner";
  const Save_Case c = File_Savers()[0];
  const struct {
    const char* what;
    std::function<void(const QString& path, const QString& record)> change;
    bool record_stays;
    bool whole = true;  // the file holds a whole text, else what the cut-off save left
  } cases[] = {
      {"replaced by a file with the old text",
       [&](const QString& path, const QString&) {
         Write(path + ".new", c.old_text);
         ASSERT_EQ(::rename(QFile::encodeName(path + ".new").constData(), QFile::encodeName(path).constData()), 0);
       },
       true},
      {"written over with a newer text", [&](const QString& path, const QString&) { Write(path, c.newer_text); },
       true},
      {"written over with the new text", [&](const QString& path, const QString&) { Write(path, c.new_text); },
       false},
      {"the record made by a user who may not write the file",
       [](const QString&, const QString& record) {
         ASSERT_EQ(::chown(QFile::encodeName(record).constData(), shared_file::kNamed, shared_file::kNamed_Own_Group),
                   0);
       },
       true, false},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    QTemporaryDir dir;
    const QString path = dir.filePath(c.name);
    ASSERT_NO_FATAL_FAILURE(Cut_Off_Mid_Write(c, dir, path));
    ASSERT_NO_FATAL_FAILURE(k.change(path, Temporaries(dir.path(), c.name).value(0)));
    const QByteArray now = Bytes_On_Disk(path);
    Msg_Recorder rec;
    QString why;
    const std::optional<QByteArray> loaded = c.load(path, &why);
    if (k.whole) {
      ASSERT_TRUE(loaded) << why.toStdString();
      EXPECT_TRUE(*loaded == now);
    } else {
      EXPECT_FALSE(loaded) << "the file was completed from the record";
    }
    EXPECT_TRUE(Bytes_On_Disk(path) == now);
    EXPECT_TRUE(rec.calls.empty()) << rec.Texts().join('\n').toStdString();
    EXPECT_EQ(Temporaries(dir.path(), c.name).size(), k.record_stays ? 1 : 0);
    const Child_End next = Run_In_Child(Save_Work(c.save_newer, path), As::Root, {});
    EXPECT_EQ(next.code, 0) << next.out.toStdString();
    EXPECT_TRUE(next.messages.isEmpty());
    EXPECT_TRUE(Bytes_On_Disk(path) == c.newer_text);
    EXPECT_EQ(Everything_In(dir.path()), c.name);
  }
}

// While another process holds the file's lock (a save writing into it) or
// the record's (the save that made it, still at work), an open takes the
// file in as it is and leaves both alone, and a save into the file is
// refused in words, the file as it was. Once they are let go, the next open
// completes the cut-off save.
TEST(WholeFileSave, ASaveAtWorkIsLeftAlone) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give the file to another owner";
  const Save_Case c = File_Savers()[0];
  for (const bool file_held : {true, false}) {
    SCOPED_TRACE(file_held ? "the file's lock held" : "the record's lock held");
    QTemporaryDir dir;
    const QString path = dir.filePath(c.name);
    ASSERT_NO_FATAL_FAILURE(Cut_Off_Mid_Write(c, dir, path));
    const QByteArray mixed = Bytes_On_Disk(path);
    const QString held = file_held ? path : Temporaries(dir.path(), c.name).value(0);
    const int fd = ::open(QFile::encodeName(held).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    {
      Msg_Recorder rec;
      QString why;
      EXPECT_FALSE(c.load(path, &why)) << "the open took in what the file holds neither of";
      EXPECT_TRUE(rec.calls.empty()) << rec.Texts().join('\n').toStdString();
    }
    if (file_held) {
      Lang_Flag = -1;
      const Child_End zh = Run_In_Child(Save_Work(c.save_newer, path), As::Member, {});
      Lang_Flag = 0;
      const Child_End en = Run_In_Child(Save_Work(c.save_newer, path), As::Member, {});
      EXPECT_EQ(en.code, 1);
      EXPECT_EQ(en.out.toStdString(), "another save is writing to the file just now");
      EXPECT_EQ(zh.code, 1);
      EXPECT_TRUE(Has_Han(zh.out)) << zh.out.toStdString();
    }
    EXPECT_TRUE(Bytes_On_Disk(path) == mixed);
    EXPECT_EQ(Temporaries(dir.path(), c.name).size(), 1);
    ::close(fd);
    Msg_Recorder rec;
    QString why;
    const std::optional<QByteArray> loaded = c.load(path, &why);
    ASSERT_TRUE(loaded) << why.toStdString();
    EXPECT_TRUE(*loaded == c.new_text);
    EXPECT_EQ(rec.Texts().join('\n').toStdString(), Completed_Message(c.name));
    EXPECT_EQ(Everything_In(dir.path()), c.name);
  }
}

// A user who may read but not write the file gets the complete text of its
// cut-off save from the record, in both languages told that the file
// itself could not be completed and why; file and record stay as they were.
// Once the user may write the file, the next open completes it.
TEST(WholeFileSave, AReaderWhoMayNotWriteTheFileGetsTheTextFromTheRecord) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give the file to another owner";
  const Save_Case c = File_Savers()[0];
  QTemporaryDir dir;
  const QString path = dir.filePath(c.name);
  ASSERT_NO_FATAL_FAILURE(Cut_Off_Mid_Write(c, dir, path));
  const QByteArray mixed = Bytes_On_Disk(path), name = QFile::encodeName(path);
  ASSERT_EQ(::chmod(name.constData(), 0644), 0);
  for (int lang : {0, -1}) {
    Lang_Flag = lang;
    const Child_End end = Run_In_Child(Load_Work(c.load, path), As::Member, {});
    const QString denied = File_Error_Reason(EACCES);
    Lang_Flag = 0;
    EXPECT_EQ(end.code, 0) << end.out.toStdString();
    EXPECT_TRUE(end.out.toLatin1() == c.new_text);
    ASSERT_EQ(end.messages.size(), 1);
    if (lang == 0) {
      EXPECT_EQ(end.messages[0].toStdString(),
                "The last save of \"image.dat\" was cut off before it was complete. What it saved was read from the "
                "copy it kept beside the file; the file itself could not be completed (permission denied).");
    } else {
      EXPECT_TRUE(Has_Han(end.messages[0]) && end.messages[0].contains(denied))
          << end.messages[0].toStdString();
    }
    EXPECT_TRUE(Bytes_On_Disk(path) == mixed);
    EXPECT_EQ(Temporaries(dir.path(), c.name).size(), 1);
  }
  ASSERT_EQ(::chmod(name.constData(), shared_file::kFile_Mode), 0);
  const Child_End end = Run_In_Child(Load_Work(c.load, path), As::Member, {});
  EXPECT_EQ(end.code, 0) << end.out.toStdString();
  EXPECT_EQ(end.messages.join('\n').toStdString(), Completed_Message(c.name));
  EXPECT_TRUE(Bytes_On_Disk(path) == c.new_text);
  EXPECT_EQ(Everything_In(dir.path()), c.name);
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
  const Child_End end = Run_In_Child(Save_Work(c.save, path), As::Member, {});
  EXPECT_EQ(end.code, 1);
  EXPECT_EQ(end.out, File_Error_Reason(ENOSPC));
  EXPECT_TRUE(Bytes_On_Disk(path) == old_text);
  EXPECT_EQ(shared_file::Owner_Group_Mode(path), shared_file::Shared_Owner_Group_Mode());
  EXPECT_EQ(Everything_In(dir.path()), "shared.dat");
}

// A name that leads to no file is refused with the reason a save would give
// (not "the file does not exist"), by each loader, in both languages.
TEST(BoundedRead, SaysWhyANameLeadsToNoFile) {
  QTemporaryDir dir;
  Write(dir.filePath("plain.dat"), "x");
  const struct {
    const char* what;
    QString path;
    int err;
  } cases[] = {
      {"a name too long", dir.filePath(QString(300, 'n') + ".dat"), ENAMETOOLONG},
      {"a path through a file", dir.filePath("plain.dat/inner.dat"), ENOTDIR},
  };
  for (const auto& k : cases) {
    for (int lang : {0, -1}) {
      SCOPED_TRACE(std::string(k.what) + " lang " + std::to_string(lang));
      Lang_Flag = lang;
      const QString reason = File_Error_Reason(k.err);
      QByteArray out;
      QString why;
      EXPECT_FALSE(Read_Bounded_File(k.path, 4096, &out, &why));
      EXPECT_EQ(why.toStdString(), reason.toStdString());
      for (const Save_Case& c : File_Savers()) {
        EXPECT_FALSE(c.load(k.path, &why)) << c.name;
        EXPECT_TRUE(why.contains(reason)) << c.name << ": " << why.toStdString();
      }
    }
  }
  Lang_Flag = 0;
}

namespace {
// An access list as the system keeps it (system.posix_acl_access): version
// 2, then each entry's tag, permissions and id, least significant byte
// first.
struct Acl_Entry {
  uint16_t tag, perm;
  uint32_t id;
};
constexpr uint16_t kAcl_User_Obj = 0x01, kAcl_User = 0x02, kAcl_Group_Obj = 0x04, kAcl_Mask = 0x10,
                   kAcl_Other = 0x20;
constexpr uint32_t kAcl_No_Id = 0xFFFFFFFFu;

QByteArray Access_List(std::initializer_list<Acl_Entry> entries) {
  QByteArray out;
  auto put = [&out](auto v) {
    char bytes[sizeof v];
    qToLittleEndian(v, bytes);
    out.append(bytes, sizeof v);
  };
  put(uint32_t{2});
  for (const Acl_Entry& e : entries) {
    put(e.tag);
    put(e.perm);
    put(e.id);
  }
  return out;
}

// The user and the group may do all of perm, the user the list names (the
// shared file's named user) may do named; others may read.
QByteArray Access_List_Naming(uint16_t perm, uint16_t group, uint16_t named, uint16_t others) {
  return Access_List({{kAcl_User_Obj, perm, kAcl_No_Id},
                      {kAcl_User, named, shared_file::kNamed},
                      {kAcl_Group_Obj, group, kAcl_No_Id},
                      {kAcl_Mask, static_cast<uint16_t>(group | named), kAcl_No_Id},
                      {kAcl_Other, others, kAcl_No_Id}});
}

// Sets an extended attribute; false with the system's reason in *why.
bool Set_Attribute(const QString& path, const char* name, const QByteArray& value, std::string* why) {
  if (::setxattr(QFile::encodeName(path).constData(), name, value.constData(), static_cast<size_t>(value.size()), 0) == 0)
    return true;
  *why = std::string(name) + ": " + std::strerror(errno);
  return false;
}

// Every extended attribute of the file, name to value.
std::map<std::string, QByteArray> Attributes_Of(const QString& path) {
  const QByteArray p = QFile::encodeName(path);
  std::map<std::string, QByteArray> out;
  char names[4096];
  const ssize_t n = ::listxattr(p.constData(), names, sizeof names);
  for (const QByteArray& name : QByteArray(names, std::max<ssize_t>(n, 0)).split('\0')) {
    if (name.isEmpty()) continue;
    char value[4096];
    const ssize_t got = ::getxattr(p.constData(), name.constData(), value, sizeof value);
    out[name.toStdString()] = got < 0 ? QByteArray("(unreadable)") : QByteArray(value, got);
  }
  return out;
}

std::string Shown(const std::map<std::string, QByteArray>& attributes) {
  std::string out;
  for (const auto& [name, value] : attributes) out += name + "=" + value.toHex().toStdString() + " ";
  return out;
}

ino_t Inode_Of(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}
}  // namespace

// A file with an access list (naming a user outside its group, who may
// write it) and an attribute of the user's own keeps both, with its owner,
// group and mode, whoever saves it: its owner and root (a new file put in
// its place), a member of its group (the text written into the file). The
// user the list names can save it afterwards, and it keeps them again; that
// user's save cut off, the owner's next open completes it. A
// folder that hands a list down to new files gives none to a file that had
// none. An attribute the owner may not set (a security one, set by root)
// keeps the owner's save in the file itself, which keeps the attribute.
TEST(WholeFileSave, AccessListsAndAttributesAreKept) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give the file to other users";
  const Save_Case c = File_Savers()[0];
  const struct {
    const char* what;
    As saver;
    uint16_t group;        // the group's permissions in the file's list; 0: the file has no list
    bool folder_default;   // the folder hands a list down to new files
    const char* security;  // a security attribute on the file
    bool in_place;         // the save writes into the file itself
  } cases[] = {
      {"its owner", As::Owner, 4, false, nullptr, false},
      {"root", As::Root, 4, false, nullptr, false},
      {"a member of its group", As::Member, 6, false, nullptr, true},
      {"its owner, the folder handing a list down", As::Owner, 0, true, nullptr, false},
      {"its owner, with a security attribute", As::Owner, 4, false, "security.cv-test", true},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string("saved by ") + k.what);
    QTemporaryDir dir;
    const QString path = dir.filePath(c.name);
    Write(path, c.old_text);
    ASSERT_TRUE(shared_file::Share(dir.path(), path));
    // The named user may make new files in the folder too, as a save needs.
    std::string why;
    ASSERT_TRUE(Set_Attribute(dir.path(), "system.posix_acl_access", Access_List_Naming(7, 7, 7, 5), &why))
        << "the file system here keeps no access lists (" << why << "): the test cannot run";
    if (k.folder_default) {
      ASSERT_TRUE(Set_Attribute(dir.path(), "system.posix_acl_default", Access_List_Naming(6, 6, 6, 4), &why)) << why;
    }
    if (k.group) {
      ASSERT_TRUE(Set_Attribute(path, "system.posix_acl_access", Access_List_Naming(6, k.group, 6, 4), &why)) << why;
    }
    ASSERT_TRUE(Set_Attribute(path, "user.origin", "bench 3", &why))
        << "the file system here keeps no extended attributes (" << why << "): the test cannot run";
    if (k.security) {
      ASSERT_TRUE(Set_Attribute(path, k.security, "label", &why)) << why;
    }
    const std::map<std::string, QByteArray> attributes = Attributes_Of(path);
    const std::string kept = shared_file::Owner_Group_Mode(path);
    ASSERT_EQ(kept, shared_file::Shared_Owner_Group_Mode()) << "the list changed the mode";
    const ino_t inode = Inode_Of(path);

    const Child_End end = Run_In_Child(Save_Work(c.save, path), k.saver, {});
    EXPECT_EQ(end.code, 0) << end.out.toStdString();
    EXPECT_TRUE(Bytes_On_Disk(path) == c.new_text);
    EXPECT_EQ(Shown(Attributes_Of(path)), Shown(attributes));
    EXPECT_EQ(shared_file::Owner_Group_Mode(path), kept);
    EXPECT_EQ(Inode_Of(path) == inode, k.in_place) << "written into the file itself";
    EXPECT_EQ(Everything_In(dir.path()), c.name);
    if (!k.group) continue;

    // The named user's save, cut off in the midst of its write: the owner's
    // next open completes it from the record the named user made.
    const Child_End cut = Run_In_Child(Save_Work(c.save_newer, path), As::Named, Kill_Point{-1, SYS_ftruncate, 2});
    ASSERT_TRUE(cut.killed);
    ASSERT_FALSE(Bytes_On_Disk(path) == c.new_text || Bytes_On_Disk(path) == c.newer_text);
    const Child_End opened = Run_In_Child(Load_Work(c.load, path), As::Owner, {});
    EXPECT_EQ(opened.messages.join('\n').toStdString(), Completed_Message(c.name)) << opened.out.toStdString();
    EXPECT_TRUE(Bytes_On_Disk(path) == c.newer_text);
    const Child_End named = Run_In_Child(Save_Work(c.save, path), As::Named, {});
    EXPECT_EQ(named.code, 0) << "the named user's save: " << named.out.toStdString();
    EXPECT_TRUE(Bytes_On_Disk(path) == c.new_text);
    EXPECT_EQ(Shown(Attributes_Of(path)), Shown(attributes));
    EXPECT_EQ(shared_file::Owner_Group_Mode(path), kept);
    EXPECT_EQ(Inode_Of(path) == inode, k.in_place);
    EXPECT_EQ(Everything_In(dir.path()), c.name);
  }
}
