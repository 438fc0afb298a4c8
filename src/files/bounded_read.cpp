#include "bounded_read.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <QRandomGenerator>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

#include "data/shared_state.h"

QString File_Error_Reason(int err) {
  struct Reason {
    int err;
    const char* zh;
    const char* en;
  };
  static const Reason kReasons[] = {
      {ENOSPC, "磁盘空间不足", "there is no space left on the disk"},
#ifdef EDQUOT
      {EDQUOT, "磁盘配额已满", "the disk quota is used up"},
#endif
      {EFBIG, "文件超出允许的大小", "the file would grow beyond the size allowed"},
      {EACCES, "没有访问权限", "permission denied"},
      {EPERM, "没有访问权限", "permission denied"},
      {EROFS, "磁盘只读", "the disk is read-only"},
      {ENOENT, "文件或文件夹不存在", "no such file or folder"},
      {ENOTDIR, "路径中有一项不是文件夹", "a part of the path is not a folder"},
      {EISDIR, "这是一个文件夹", "it is a folder"},
      {ENAMETOOLONG, "文件名太长", "the name is too long"},
      {EIO, "磁盘读写错误", "the disk reported an input/output error"},
      {EMFILE, "打开的文件太多", "too many files are open"},
  };
  for (const Reason& r : kReasons)
    if (r.err == err) return Lang_Pick(r.zh, r.en);
  return Lang_Pick(QString::fromUtf8("系统错误 %1").arg(err), QString("system error %1").arg(err));
}

namespace {
// Why a save failed. errno as the failing call left it; a short write
// without an error, or a disk with less room than the file needs, means the
// disk is full.
QString Save_Failure(const QString& path, qint64 needed, int err) {
  const QStorageInfo disk(QFileInfo(path).absolutePath());
  if (err == ENOSPC || (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < needed))
    return File_Error_Reason(ENOSPC);
  if (err != 0) return File_Error_Reason(err);
  return Lang_Pick("文件无法写入", "the file cannot be written");
}

QString Not_Regular_Reason() { return Lang_Pick("不是普通文件", "it is not a regular file"); }

#ifdef Q_OS_UNIX
// The file a save replaces. A symbolic link is followed, so that the link
// stays and the file it names gets the new text.
QString Save_Target(const QString& path) {
  QFileInfo fi(path);
  for (int depth = 0; depth < 40 && fi.isSymLink(); ++depth) fi.setFile(fi.symLinkTarget());
  return fi.isSymLink() ? path : fi.filePath();
}

// Creates a new, empty temporary beside target; its name starts with a dot
// and the target's name, so that one a crash leaves behind says where it
// came from. The descriptor, or -1 with errno set.
int Create_Temporary(const QFileInfo& target, QByteArray* name) {
  const QString stem = QFileInfo(target.absolutePath(), "." + target.fileName().left(32)).filePath();
  for (int attempt = 0; attempt < 100; ++attempt) {
    *name = QFile::encodeName(stem + QString(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0')));
    const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Gives the temporary the permissions and, where the system lets us, the
// owner of the file it replaces; writes every byte and waits until they are
// on the disk. Closes fd. 0, or the errno of the first failure.
int Fill_Temporary(int fd, const struct stat* old, const QByteArray& text) {
  if (old) {
    // Both as far as the system allows: only root may give a file away, and
    // a file system without permissions keeps its own. Neither is a reason
    // to keep the old text.
    if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
      [[maybe_unused]] const int given = ::fchown(fd, old->st_uid, old->st_gid);
    }
    ::fchmod(fd, old->st_mode & 0777);
  }
  int err = 0;
  const char* at = text.constData();
  qint64 left = text.size();
  while (err == 0 && left > 0) {
    const ssize_t n = ::write(fd, at, static_cast<size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) err = errno;
    else if (n == 0) err = ENOSPC;
    else {
      at += n;
      left -= n;
    }
  }
  // A file system that cannot sync a file (EINVAL) has nothing to flush.
  if (err == 0 && ::fsync(fd) != 0 && errno != EINVAL) err = errno;
  // A network file system reports a failed write as late as here.
  if (::close(fd) != 0 && err == 0 && errno != EINTR) err = errno;
  return err;
}

// After the rename, the folder's entry reaches the disk too. The new file is
// in place whatever this returns, so a failure here changes nothing.
void Sync_Folder(const QFileInfo& target) {
  const int fd = ::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
#endif
}  // namespace

bool Write_Whole_File(const QString& path, const QByteArray& text, QString* why) {
  auto fail = [why](const QString& reason) {
    if (why) *why = reason;
    return false;
  };
#ifdef Q_OS_UNIX
  // Not QSaveFile: its commit can report success after its last buffered
  // write failed, with the empty temporary already renamed over the old
  // file. Every call here is checked, and the old file is replaced only once
  // the whole new text is on the disk.
  const QString target = Save_Target(path);
  const QFileInfo info(target);
  const QByteArray target_name = QFile::encodeName(target);
  struct stat old {};
  const bool replacing = ::stat(target_name.constData(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) return fail(File_Error_Reason(EISDIR));
  if (replacing && !S_ISREG(old.st_mode)) return fail(Not_Regular_Reason());
  // The rename below needs leave to write the folder, not the file: a file
  // the user has made read-only would be replaced all the same. Whoever may
  // not write the file may not replace it either (root may write any file,
  // and still does).
  if (replacing && ::faccessat(AT_FDCWD, target_name.constData(), W_OK, AT_EACCESS) != 0)
    return fail(File_Error_Reason(errno));
  QByteArray temp;
  const int fd = Create_Temporary(info, &temp);
  if (fd < 0) return fail(Save_Failure(target, 0, errno));
  int err = Fill_Temporary(fd, replacing ? &old : nullptr, text);
  if (err == 0 && ::rename(temp.constData(), target_name.constData()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.constData());
    return fail(Save_Failure(target, text.size(), err));
  }
  Sync_Folder(info);
  return true;
#else
  QSaveFile f(path);
  errno = 0;
  if (!f.open(QIODevice::WriteOnly)) {
    const int err = errno;
    return fail(QFileInfo(path).isDir() ? File_Error_Reason(EISDIR) : Save_Failure(path, 0, err));
  }
  errno = 0;
  // flush() pushes out what write() only buffered; commit() alone may not
  // report that it failed.
  if (f.write(text) != text.size() || !f.flush()) {
    const int err = errno;
    f.cancelWriting();
    return fail(Save_Failure(path, text.size(), err ? err : ENOSPC));
  }
  errno = 0;
  if (!f.commit()) return fail(Save_Failure(path, text.size(), errno));
  return true;
#endif
}

bool Read_Bounded_File(const QString& path, qint64 cap, QByteArray* out, QString* why) {
  auto fail = [why](const QString& reason) {
    if (why) *why = reason;
    return false;
  };
  auto fail2 = [&](const char* zh, const char* en) { return fail(Lang_Pick(zh, en)); };
  const QFileInfo info(path);
  if (!info.exists()) return fail2("文件不存在", "the file does not exist");
  if (!info.isFile()) return fail(Not_Regular_Reason());
  if (info.size() > cap) return fail2("文件太大", "the file is too large");
  QFile f;
#ifdef Q_OS_UNIX
  // Opened without blocking and checked again on the open descriptor: a name
  // swapped for a FIFO or a device after the check above is still refused.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return fail(File_Error_Reason(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return fail(Not_Regular_Reason());
  }
  // A regular file reads the same without O_NONBLOCK; clear it for clarity.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return fail2("文件无法打开", "the file cannot be opened");
  }
#else
  f.setFileName(path);
  if (!f.open(QIODevice::ReadOnly)) return fail2("文件无法打开", "the file cannot be opened");
#endif
  errno = 0;
  QByteArray data = f.read(cap + 1);
  if (f.error() != QFile::NoError) {
    if (errno == 0) return fail2("文件读取失败", "the file cannot be read");
    return fail(Lang_Pick(QString::fromUtf8("文件读取失败：") + File_Error_Reason(errno),
                          "the file cannot be read: " + File_Error_Reason(errno)));
  }
  if (data.size() > cap) return fail2("文件太大", "the file is too large");
  *out = std::move(data);
  return true;
}
