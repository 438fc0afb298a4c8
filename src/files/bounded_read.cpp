#include "bounded_read.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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
}  // namespace

bool Write_Whole_File(const QString& path, const QByteArray& text, QString* why) {
  QSaveFile f(path);
  errno = 0;
  if (!f.open(QIODevice::WriteOnly)) {
    const int err = errno;
    if (why) *why = QFileInfo(path).isDir() ? File_Error_Reason(EISDIR) : Save_Failure(path, 0, err);
    return false;
  }
  errno = 0;
  if (f.write(text) != text.size()) {
    const int err = errno;
    if (why) *why = Save_Failure(path, text.size(), err ? err : ENOSPC);
    f.cancelWriting();
    return false;
  }
  errno = 0;
  if (!f.commit()) {
    if (why) *why = Save_Failure(path, text.size(), errno);
    return false;
  }
  return true;
}

bool Read_Bounded_File(const QString& path, qint64 cap, QByteArray* out, QString* why) {
  auto fail = [why](const QString& reason) {
    if (why) *why = reason;
    return false;
  };
  auto fail2 = [&](const char* zh, const char* en) { return fail(Lang_Pick(zh, en)); };
  const QFileInfo info(path);
  if (!info.exists()) return fail2("文件不存在", "the file does not exist");
  if (!info.isFile()) return fail2("不是普通文件", "it is not a regular file");
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
    return fail2("不是普通文件", "it is not a regular file");
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
