#include "bounded_read.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <QList>
#include <QRandomGenerator>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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
  // Every error a save or a load can meet on the usual systems has words of
  // the program's own, in both languages.
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
      {ENFILE, "系统打开的文件太多", "too many files are open in the system"},
      {EBUSY, "文件正被系统占用", "the file is in use by the system"},
      {EXDEV, "文件不能跨磁盘移动", "the file cannot be moved to another disk"},
      {ETXTBSY, "文件是正在运行的程序", "the file is a program that is running"},
      {ELOOP, "链接太多或链接成环", "the path has too many links or a loop of links"},
      {EEXIST, "文件已存在", "the file already exists"},
      {EMLINK, "链接太多", "the file has too many links"},
      {EINVAL, "文件系统不允许此操作", "the file system does not allow this"},
      {EOPNOTSUPP, "文件系统不支持此操作", "the file system does not support this"},
#if defined(ENOTSUP) && ENOTSUP != EOPNOTSUPP
      {ENOTSUP, "文件系统不支持此操作", "the file system does not support this"},
#endif
      {ENXIO, "设备不存在", "no such device"},
      {ENODEV, "设备不存在", "no such device"},
      {ENOMEM, "内存不足", "there is not enough memory"},
      {EAGAIN, "资源暂时不可用", "the resource is busy for the moment"},
#if defined(EWOULDBLOCK) && EWOULDBLOCK != EAGAIN
      {EWOULDBLOCK, "资源暂时不可用", "the resource is busy for the moment"},
#endif
      {EINTR, "操作被中断", "the operation was interrupted"},
      {EOVERFLOW, "文件太大", "the file is too large"},
      {EBADF, "文件已被关闭", "the file was closed"},
      {ETIMEDOUT, "操作超时", "the operation timed out"},
#ifdef ESTALE
      {ESTALE, "网络文件已失效", "the network file is no longer valid"},
#endif
#ifdef ENOLCK
      {ENOLCK, "无法锁定文件", "the file cannot be locked"},
#endif
  };
  for (const Reason& r : kReasons)
    if (r.err == err) return Lang_Pick(r.zh, r.en);
  // Otherwise the system's own words (in English only), unless all it has
  // is the number itself ("Unknown error 16").
  const QString system = QString::fromLocal8Bit(std::strerror(err));
  if (!system.isEmpty() && !system.contains(QString::number(err))) return system;
  return Lang_Pick("未知的系统错误", "an unknown system error");
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

// The temporaries of a save are named "." + the file's name + "." + eight
// hexadecimal digits + ".tmp", beside the file, so that one a crash leaves
// behind says where it came from. A name too long to take all that is cut;
// its temporaries may then share their names with another file's.
constexpr int kTemp_Digits = 8;
constexpr char kTemp_End[] = ".tmp";
constexpr qsizetype kLongest_Name = 255;  // bytes, as most file systems allow

struct Temp_Names {
  QByteArray folder;  // the target's folder
  QByteArray prefix;  // "." + the name (or the cut name) + "."
  bool exact;         // the prefix holds the whole name
};

Temp_Names Temp_Names_For(const QFileInfo& target) {
  const qsizetype room = kLongest_Name - 2 - kTemp_Digits - qsizetype(sizeof kTemp_End - 1);
  QString stem = target.fileName();
  const bool exact = QFile::encodeName(stem).size() <= room;
  while (QFile::encodeName(stem).size() > room) stem.chop(1);
  return {QFile::encodeName(target.absolutePath()), "." + QFile::encodeName(stem) + ".", exact};
}

bool Is_Temp_Name(const QByteArray& name, const QByteArray& prefix) {
  const qsizetype end = qsizetype(sizeof kTemp_End - 1);
  if (name.size() != prefix.size() + kTemp_Digits + end || !name.startsWith(prefix) || !name.endsWith(kTemp_End))
    return false;
  for (qsizetype i = prefix.size(); i < prefix.size() + kTemp_Digits; ++i) {
    const char ch = name[i];
    if (!((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f'))) return false;
  }
  return true;
}

// Creates a new, empty temporary and locks it for as long as the descriptor
// is open: a lock nobody holds is how a later save knows that a temporary
// was left behind and is no other save's at work. The descriptor, or -1
// with errno set.
int Create_Temporary(const Temp_Names& names, QByteArray* path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    *path = names.folder + "/" + names.prefix +
            QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(kTemp_Digits, '0') +
            kTemp_End;
    const int fd = ::open(path->constData(), O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return -1;
    // A file system without locks saves all the same; its temporaries are
    // then never taken for left behind.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
      ::close(fd);  // another save is clearing it away just now
      continue;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_nlink == 0) {
      ::close(fd);  // cleared away before the lock was taken
      continue;
    }
    return fd;
  }
  errno = EEXIST;
  return -1;
}

// Writes all of bytes from the start of the file. 0, or the errno of the
// failure (ENOSPC for a write that takes nothing).
int Put_All(int fd, const QByteArray& bytes) {
  const char* at = bytes.constData();
  qint64 done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, at + done, static_cast<size_t>(bytes.size() - done), static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    done += n;
  }
  return 0;
}

// Waits until what was written is on the disk. A file system that cannot
// sync a file (EINVAL) has nothing to flush.
int Sync(int fd) { return ::fsync(fd) != 0 && errno != EINVAL ? errno : 0; }

// Gives the temporary the owner, group and permissions of the file it
// replaces, as far as the system lets us: only root may give a file away,
// and only to a group of its own may anyone else. True when it now carries
// all three.
bool Carries(int fd, const struct stat& old) {
  if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
    [[maybe_unused]] const int given = ::fchown(fd, old.st_uid, old.st_gid);
  }
  // After the owner: a change of owner clears the set-id bits.
  ::fchmod(fd, old.st_mode & 07777);
  struct stat now {};
  return ::fstat(fd, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid &&
         (now.st_mode & 07777) == (old.st_mode & 07777);
}

// Puts text into the existing file itself, which keeps its owner, group,
// permissions and links. Only called with the complete new text already
// synced in a temporary beside it. The room the file grows by is taken
// first, where the system allows, so that a full disk or quota fails
// before the file is touched; a write that fails later puts the old bytes
// back (*restored says whether that worked). 0, or the errno of the failure.
int Write_In_Place(const QByteArray& target, const QByteArray& text, bool* restored) {
  *restored = true;
  const int fd = ::open(target.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int err = errno;
    ::close(fd);
    return S_ISREG(st.st_mode) ? err : EINVAL;
  }
  // The old bytes, to put back should the write fail half-way.
  QByteArray before(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
  int err = 0;
  qint64 got = 0;
  while (err == 0 && got < before.size()) {
    const ssize_t n = ::pread(fd, before.data() + got, static_cast<size_t>(before.size() - got), static_cast<off_t>(got));
    if (n < 0 && errno != EINTR) err = errno;
    else if (n == 0) before.truncate(got);
    else if (n > 0) got += n;
  }
#ifdef __linux__
  if (err == 0 && text.size() > before.size() &&
      ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(text.size())) != 0 &&
      (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
    err = errno;
#endif
  const bool untouched = err != 0;
  if (err == 0) err = Put_All(fd, text);
  if (err == 0 && ::ftruncate(fd, static_cast<off_t>(text.size())) != 0) err = errno;
  if (err == 0) err = Sync(fd);
  if (err != 0 && !untouched)
    *restored = Put_All(fd, before) == 0 && ::ftruncate(fd, static_cast<off_t>(before.size())) == 0 && Sync(fd) == 0;
  // Once synced, the text is on the disk: what closing says adds nothing.
  ::close(fd);
  return err;
}

// Makes the folder's entries (a rename, a new or a removed file) reach the
// disk too. The file itself is on the disk whatever this returns, so a
// failure here changes nothing.
void Sync_Folder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Removes what earlier saves of this file left behind (killed, or a copy of
// the new text kept because the file itself could not be put back): only
// names of exactly the program's own pattern for this file, only regular
// files, and only those no save holds locked. A cut name may be another
// file's: its temporaries are left alone.
void Remove_Left_Temporaries(const Temp_Names& names) {
  if (!names.exact) return;
  DIR* dir = ::opendir(names.folder.constData());
  if (!dir) return;
  QList<QByteArray> found;
  while (const dirent* e = ::readdir(dir))
    if (Is_Temp_Name(e->d_name, names.prefix)) found << QByteArray(e->d_name);
  const int dfd = ::dirfd(dir);
  for (const QByteArray& name : found) {
    const int fd = ::openat(dfd, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {}, named {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(dfd, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == st.st_dev &&
        named.st_ino == st.st_ino)
      ::unlinkat(dfd, name.constData(), 0);
    ::close(fd);
  }
  ::closedir(dir);
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
  const QByteArray target_name = QFile::encodeName(target);
  const Temp_Names names = Temp_Names_For(QFileInfo(target));
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
  const int fd = Create_Temporary(names, &temp);
  if (fd < 0) return fail(Save_Failure(target, 0, errno));
  // A file that the new one cannot stand in for (another owner's, which
  // only root may give away; a file mounted over a name, which no rename can
  // replace) gets the new text itself, once all of it is on the disk in the
  // temporary. Until the file is synced the temporary stays: whenever the
  // save stops, the disk holds the old text in the file or the complete new
  // one in the file or beside it.
  bool in_place = replacing && !Carries(fd, old);
  int err = Put_All(fd, text);
  if (err == 0) err = Sync(fd);
  if (err == 0 && !in_place && ::rename(temp.constData(), target_name.constData()) != 0) {
    err = errno;
    in_place = replacing && (err == EBUSY || err == EXDEV);
    if (in_place) err = 0;
  }
  bool keep_temp = false;
  if (err == 0 && in_place) {
    Sync_Folder(names.folder);
    bool restored = true;
    err = Write_In_Place(target_name, text, &restored);
    // The file was left damaged: the complete new text stays beside it.
    keep_temp = !restored;
  }
  if ((err != 0 || in_place) && !keep_temp) ::unlink(temp.constData());
  ::close(fd);
  if (err != 0) return fail(Save_Failure(target, text.size(), err));
  Sync_Folder(names.folder);
  Remove_Left_Temporaries(names);
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
