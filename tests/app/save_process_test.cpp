// Saves that only a process of their own can show: one started under a
// file-size limit, and one run by a user who may not write the file. Each
// runs save_probe, which starts the way the program starts and saves
// through the windows, and reads the messages it printed.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/shared_state.h"
#include "files/adj_file.h"
#include "files/image_file.h"
#include "files/sig_file.h"
#include "support/full_disk.h"
#include "support/shared_file.h"

namespace {
// What the probe did: whether it ended by itself, its exit code, and the
// messages it gave for the save.
struct Probe_Result {
  bool normal_exit = false;
  int code = -1;
  QStringList messages;
  QString output;  // all of it, for the failure report
};

Probe_Result Run_Probe(const char* kind, const QString& folder, const QString& name,
                       std::function<void()> in_child, const QString& probe = CV_SAVE_PROBE) {
  QProcess p;
  p.setProcessChannelMode(QProcess::SeparateChannels);
  p.setWorkingDirectory(folder);
  // Runs in the child between fork and exec: async-signal-safe calls only.
  p.setChildProcessModifier(std::move(in_child));
  p.start(probe, {kind, folder, name});
  Probe_Result r;
  if (!p.waitForFinished(60000)) {
    p.kill();
    p.waitForFinished();
  }
  r.normal_exit = p.exitStatus() == QProcess::NormalExit;
  r.code = p.exitCode();
  r.output = QString::fromUtf8(p.readAllStandardOutput());
  const QStringList lines = r.output.split('\n', Qt::SkipEmptyParts);
  const qsizetype start = lines.indexOf("--- save");
  if (start >= 0) r.messages = lines.mid(start + 1);
  return r;
}

// One saver, reached the way a user reaches it; a good file of its kind is
// already on the disk.
struct Saver {
  const char* kind;
  const char* name;
  QByteArray old_text;
  QString failed_pre, failed_post;  // its failure message around the reason
  QString done;                     // its success message
};

std::vector<Saver> Savers() {
  Image_Table image{};
  for (auto& row : image) row.fill(7);
  Sig_Table sig{};
  for (auto& line : sig) line.fill(9);
  Adj_Table adj{};
  for (auto& row : adj) row.fill(11);
  return {
      {"image", "old.dat", Image_File_Text(image), "The parameters could not be stored: ", "",
       "Complete storing  parameter."},
      {"sig", "old.sig", Sig_File_Text(sig), "Storing Signal parameters failed (", ").",
       "Complete storing Signal parameters."},
      {"adj", "old.adj", Adj_File_Text(adj), "The alignment parameters could not be stored: ", "",
       "Complete storing optional parameters."},
  };
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

// Messages as the test output shows them.
std::string Lines(const QStringList& messages) { return messages.join('\n').toStdString(); }

// The build tree may lie where an unprivileged user cannot reach (under
// root's home, say): such a user runs a copy of the probe from a folder
// anyone may enter. Its path, or empty when it could not be copied.
QString Probe_For_Others(const QTemporaryDir& dir) {
  const QString probe = dir.filePath("save_probe");
  if (!QFile::copy(CV_SAVE_PROBE, probe) || ::chmod(QFile::encodeName(dir.path()).constData(), 0755) != 0 ||
      ::chmod(QFile::encodeName(probe).constData(), 0755) != 0)
    return {};
  return probe;
}

mode_t Mode_Of(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}
}  // namespace

// Under "ulimit -f" a save that needs more than the limit allows fails with
// its message, the program goes on, and the old file stays as it was with no
// temporary beside it. The probe keeps the signal's default disposition from
// its parent; only its own start-up can ignore it.
TEST(SaveInOwnProcess, AFileSizeLimitFailsTheSaveAndTheProgramGoesOn) {
  for (const Saver& s : Savers()) {
    SCOPED_TRACE(s.kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(s.name);
    Put(path, s.old_text);
    // Less than the file needs: 40 KiB ("ulimit -f 40") for the image, less
    // for the smaller files.
    const rlim_t limit = std::min<rlim_t>(40 * 1024, s.old_text.size() / 2);
    const Probe_Result r = Run_Probe(s.kind, dir.path(), s.name, [limit] {
      ::signal(SIGXFSZ, SIG_DFL);
      rlimit l{};
      ::getrlimit(RLIMIT_FSIZE, &l);
      l.rlim_cur = limit;
      ::setrlimit(RLIMIT_FSIZE, &l);
    });
    EXPECT_TRUE(r.normal_exit) << "the program was killed\n" << r.output.toStdString();
    EXPECT_EQ(r.code, 0) << r.output.toStdString();
    EXPECT_EQ(Lines(r.messages), Lines({s.failed_pre + "the file would grow beyond the size allowed" + s.failed_post}))
        << r.output.toStdString();
    EXPECT_TRUE(Bytes_On_Disk(path) == s.old_text) << "the old file was changed";
    EXPECT_EQ(Everything_In(dir.path()), s.name) << "a temporary was left behind";
  }
}

// A file the user may not write is not replaced, though the folder would let
// a new file take its place: the save says why and the file keeps its text
// and mode. Root may write any file, and its save goes through as before.
TEST(SaveInOwnProcess, AWriteProtectedFileIsRefusedAndKept) {
  const bool root = ::geteuid() == 0;
  constexpr uid_t kNobody = 65534;
  constexpr gid_t kNogroup = 65534;
  QTemporaryDir probe_dir;
  const QString probe = root ? Probe_For_Others(probe_dir) : QString(CV_SAVE_PROBE);
  ASSERT_FALSE(probe.isEmpty());
  for (const Saver& s : Savers()) {
    SCOPED_TRACE(s.kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(s.name);
    Put(path, s.old_text);
    const QByteArray folder_name = QFile::encodeName(dir.path()), file_name = QFile::encodeName(path);
    if (root) {
      // The unprivileged user owns the folder and the file, as a user's own
      // would be.
      ASSERT_EQ(::chown(folder_name.constData(), kNobody, kNogroup), 0);
      ASSERT_EQ(::chown(file_name.constData(), kNobody, kNogroup), 0);
    }
    ASSERT_EQ(::chmod(folder_name.constData(), 0755), 0);
    ASSERT_EQ(::chmod(file_name.constData(), 0444), 0);
    const Probe_Result r = Run_Probe(s.kind, dir.path(), s.name, [root] {
      if (!root) return;
      if (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0) ::_exit(97);
    }, probe);
    EXPECT_TRUE(r.normal_exit) << r.output.toStdString();
    EXPECT_EQ(r.code, 0) << r.output.toStdString();
    EXPECT_EQ(Lines(r.messages), Lines({s.failed_pre + "permission denied" + s.failed_post})) << r.output.toStdString();
    EXPECT_TRUE(Bytes_On_Disk(path) == s.old_text) << "the protected file was replaced";
    EXPECT_EQ(Mode_Of(path), 0444u);
    EXPECT_EQ(Everything_In(dir.path()), s.name) << "a temporary was left behind";

    if (!root) continue;
    const Probe_Result as_root = Run_Probe(s.kind, dir.path(), s.name, [] {});
    EXPECT_EQ(Lines(as_root.messages), Lines({s.done})) << as_root.output.toStdString();
    EXPECT_FALSE(Bytes_On_Disk(path) == s.old_text) << "root's save did not go through";
    EXPECT_EQ(shared_file::Owner_Group_Mode(path), "65534:65534:444") << "the replaced file keeps its owner and mode";
    EXPECT_EQ(Everything_In(dir.path()), s.name);
  }
}

// A folder and a file shared in a group, both the owner's and writable by
// the group: another user of the group saves over the file, through each
// saver. The file keeps its owner, group and mode (else the owner herself
// could no longer save it) and holds what the saver writes over a file of
// its own.
TEST(SaveInOwnProcess, AGroupMemberSavingASharedFileKeepsItsOwnerGroupAndMode) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give the file to another owner";
  QTemporaryDir probe_dir;
  const QString probe = Probe_For_Others(probe_dir);
  ASSERT_FALSE(probe.isEmpty());
  for (const Saver& s : Savers()) {
    SCOPED_TRACE(s.kind);
    // What the saver makes of the old file when it is the saver's own (the
    // signalling saver keeps part of the file it replaces).
    QTemporaryDir fresh;
    Put(fresh.filePath(s.name), s.old_text);
    const Probe_Result made = Run_Probe(s.kind, fresh.path(), s.name, [] {});
    ASSERT_EQ(Lines(made.messages), Lines({s.done})) << made.output.toStdString();
    const QByteArray written = Bytes_On_Disk(fresh.filePath(s.name));
    ASSERT_FALSE(written == s.old_text);

    QTemporaryDir dir;
    const QString path = dir.filePath(s.name);
    Put(path, s.old_text);
    ASSERT_TRUE(shared_file::Share(dir.path(), path));
    const Probe_Result r = Run_Probe(s.kind, dir.path(), s.name, [] {
      if (!shared_file::Become_Member()) ::_exit(97);
    }, probe);
    EXPECT_TRUE(r.normal_exit) << r.output.toStdString();
    EXPECT_EQ(r.code, 0) << r.output.toStdString();
    EXPECT_EQ(Lines(r.messages), Lines({s.done})) << r.output.toStdString();
    EXPECT_EQ(shared_file::Owner_Group_Mode(path), shared_file::Shared_Owner_Group_Mode());
    EXPECT_TRUE(Bytes_On_Disk(path) == written) << "the file does not hold the new text";
    EXPECT_EQ(Everything_In(dir.path()), s.name) << "a temporary was left behind";
  }
}
