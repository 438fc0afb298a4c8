#include "bounded_read.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <QCryptographicHash>
#include <QList>
#include <QMap>
#include <QRandomGenerator>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

#include "data/shared_state.h"
#include "platform/msg_box.h"

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
  QByteArray file;    // the target's own name
  QByteArray prefix;  // "." + the name (or the cut name) + "."
  bool exact;         // the prefix holds the whole name
};

Temp_Names Temp_Names_For(const QFileInfo& target) {
  const qsizetype room = kLongest_Name - 2 - kTemp_Digits - qsizetype(sizeof kTemp_End - 1);
  QString stem = target.fileName();
  const bool exact = QFile::encodeName(stem).size() <= room;
  while (QFile::encodeName(stem).size() > room) stem.chop(1);
  return {QFile::encodeName(target.absolutePath()), QFile::encodeName(target.fileName()),
          "." + QFile::encodeName(stem) + ".", exact};
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

// The names in the folder that have the pattern of the file's temporaries.
QList<QByteArray> Temporaries_Of(const Temp_Names& names) {
  QList<QByteArray> found;
  DIR* dir = ::opendir(names.folder.constData());
  if (!dir) return found;
  while (const dirent* e = ::readdir(dir))
    if (Is_Temp_Name(e->d_name, names.prefix)) found << QByteArray(e->d_name);
  ::closedir(dir);
  return found;
}

// Closes a descriptor when it goes, unless it was closed before (-1).
struct Fd_Closer {
  int fd;
  ~Fd_Closer() { Close(); }
  void Close() {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
};

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

// Takes the lock that a save holds on a file while it writes into the file
// itself, and a reader while it completes a cut-off save there: false when
// another process holds it. A file system without locks lets everyone on.
bool Lock_File(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK; }

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

// Reads the file from its start into *out, at most max bytes. 0, or the
// errno of the failure.
int Read_Up_To(int fd, qint64 max, QByteArray* out) {
  struct stat st {};
  const qint64 expected = ::fstat(fd, &st) == 0 ? std::min<qint64>(qint64(st.st_size) + 1, max) : 0;
  QByteArray data(static_cast<qsizetype>(std::max<qint64>(expected, 1)), Qt::Uninitialized);
  qint64 got = 0;
  while (got < max) {
    if (got == data.size()) data.resize(static_cast<qsizetype>(std::min<qint64>(max, qint64(data.size()) * 2)));
    const ssize_t n = ::pread(fd, data.data() + got, static_cast<size_t>(data.size() - got), static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) break;
    got += n;
  }
  data.truncate(static_cast<qsizetype>(got));
  *out = std::move(data);
  return 0;
}

// Waits until what was written is on the disk. A file system that cannot
// sync a file (EINVAL) has nothing to flush.
int Sync(int fd) { return ::fsync(fd) != 0 && errno != EINVAL ? errno : 0; }

// Writes the text into the file, cuts the file to its length and syncs it.
// 0, or the errno of the failure.
int Put_Text(int fd, const QByteArray& text) {
  int err = Put_All(fd, text);
  if (err == 0 && ::ftruncate(fd, static_cast<off_t>(text.size())) != 0) err = errno;
  if (err == 0) err = Sync(fd);
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

// An answer of the system whose size is not known beforehand: call(nullptr,
// 0) gives the size, call(buffer, size) the bytes; asked again when it grew
// in between (ERANGE). Nothing, with errno set, when the system refuses.
template <class Call>
std::optional<QByteArray> Sized_Answer(Call call) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const ssize_t size = call(nullptr, 0);
    if (size < 0) return std::nullopt;
    QByteArray buf(static_cast<qsizetype>(size), Qt::Uninitialized);
    const ssize_t got = size == 0 ? 0 : call(buf.data(), static_cast<size_t>(buf.size()));
    if (got >= 0) {
      buf.truncate(static_cast<qsizetype>(got));
      return buf;
    }
    if (errno != ERANGE) return std::nullopt;
  }
  return std::nullopt;
}

// A file's extended attributes, name to value: its access list
// (system.posix_acl_access) is one of them, as are the user's own (user.*)
// and security labels. A file system without them gives none.
using Attributes = QMap<QByteArray, QByteArray>;

template <class List, class Get>
std::optional<Attributes> Read_Attributes(List list, Get get) {
  const std::optional<QByteArray> names = Sized_Answer(list);
  if (!names) {
    if (errno == ENOTSUP || errno == EOPNOTSUPP) return Attributes{};
    return std::nullopt;
  }
  Attributes out;
  for (const QByteArray& name : names->split('\0')) {
    if (name.isEmpty()) continue;
    const std::optional<QByteArray> value =
        Sized_Answer([&](char* buf, size_t size) { return get(name.constData(), buf, size); });
    if (!value && errno == ENODATA) continue;  // removed meanwhile
    if (!value) return std::nullopt;
    out.insert(name, *value);
  }
  return out;
}

std::optional<Attributes> Attributes_Of(const QByteArray& path) {
  return Read_Attributes(
      [&](char* buf, size_t size) { return ::listxattr(path.constData(), buf, size); },
      [&](const char* name, char* buf, size_t size) { return ::getxattr(path.constData(), name, buf, size); });
}

std::optional<Attributes> Attributes_Of(int fd) {
  return Read_Attributes([&](char* buf, size_t size) { return ::flistxattr(fd, buf, size); },
                         [&](const char* name, char* buf, size_t size) { return ::fgetxattr(fd, name, buf, size); });
}

// Gives the temporary exactly the extended attributes of the file it
// replaces: those the file has, with their values, and none the file lacks
// (an access list inherited from the folder, say). True when it now carries
// just those; one the user may not set (another's security label) makes it
// false.
bool Carry_Attributes(const QByteArray& target, int fd) {
  const std::optional<Attributes> want = Attributes_Of(target), have = Attributes_Of(fd);
  if (!want || !have) return false;
  if (*want == *have) return true;
  for (auto it = have->cbegin(); it != have->cend(); ++it)
    if (!want->contains(it.key())) ::fremovexattr(fd, it.key().constData());
  for (auto it = want->cbegin(); it != want->cend(); ++it)
    if (!have->contains(it.key()) || have->value(it.key()) != it.value())
      ::fsetxattr(fd, it.key().constData(), it.value().constData(), static_cast<size_t>(it.value().size()), 0);
  const std::optional<Attributes> now = Attributes_Of(fd);
  return now && *now == *want;
}

// Gives the temporary the owner, group, permissions and extended attributes
// (the access list among them) of the file it replaces, as far as the
// system lets us: only root may give a file away, and only to a group of its
// own may anyone else. True when it now carries all of them. A temporary
// that does not still gets what it can, so that as the record of a save
// into the file it may be read by whoever may read the file.
bool Carries(int fd, const struct stat& old, const QByteArray& target) {
  if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
    [[maybe_unused]] const int group_given = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  }
  // After the owner: a change of owner clears the set-id bits. The access
  // list comes after the mode, which it keeps in step with itself.
  ::fchmod(fd, old.st_mode & 07777);
  const bool attributes = Carry_Attributes(target, fd);
  struct stat now {};
  return attributes && ::fstat(fd, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid &&
         (now.st_mode & 07777) == (old.st_mode & 07777);
}

// ---- the record of a save into the file itself ----
//
// A save into the existing file cannot be done at one stroke: while it
// writes, the file holds part of the new text over the old. So before it
// touches the file the save puts a record of itself into its temporary and
// syncs it: the file's name and inode, the text the file held and the text
// it is to hold. Cut off at any point, it leaves the file with the old text,
// the new, or bytes of both, and the record beside it, from which the next
// open or save of the file completes the write.
//
// A record fits its file only while the file is the one the save wrote into
// (the same inode: a file put in its place since is newer) and holds only
// what the save could have left there: the old or the new length, each byte
// the old or the new text's; and only when whoever made it could have
// written the file. A record that does not fit is never applied;
// the next save that succeeds removes it with the other leftovers. A save
// takes the file's lock (Lock_File) before it reads what the file holds,
// writes its record only while it holds the lock, and removes the record
// before it lets go; so a whole record found while holding the lock is that
// of a save that was cut off.
struct Save_Record {
  QByteArray file;  // the file's name in its folder
  quint64 inode = 0;
  QByteArray old_text, new_text;
};

// Its layout: the mark, the inode, the lengths of the name and of the two
// texts (each in 8 bytes, least significant first), the name, the two
// texts, and the SHA-256 of all that. A record cut short has no good sum.
constexpr char kRecord_Mark[] = "\x89in-place save\r\n";
constexpr qsizetype kMark_Size = sizeof kRecord_Mark - 1;
constexpr qsizetype kRecord_Head = kMark_Size + 4 * 8;
constexpr qsizetype kRecord_Sum = 32;

QByteArray Record_Bytes(const Save_Record& r) {
  QByteArray out;
  out.reserve(kRecord_Head + r.file.size() + r.old_text.size() + r.new_text.size() + kRecord_Sum);
  out.append(kRecord_Mark, kMark_Size);
  for (const quint64 v : {r.inode, quint64(r.file.size()), quint64(r.old_text.size()), quint64(r.new_text.size())}) {
    char bytes[8];
    qToLittleEndian(v, bytes);
    out.append(bytes, 8);
  }
  out += r.file;
  out += r.old_text;
  out += r.new_text;
  out += QCryptographicHash::hash(out, QCryptographicHash::Sha256);
  return out;
}

// The unsigned number of n bytes at at, least significant first; the caller
// has checked that they are there.
quint64 Little_At(const QByteArray& bytes, qsizetype at, int n) {
  quint64 v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | static_cast<uchar>(bytes[at + i]);
  return v;
}

// The lengths of the name and of the two texts that a record's head gives,
// or nothing when head does not begin a record of total bytes.
std::optional<std::array<quint64, 3>> Record_Lengths(const QByteArray& head, qint64 total) {
  if (head.size() < kRecord_Head || total < kRecord_Head + kRecord_Sum ||
      !head.startsWith(QByteArrayView(kRecord_Mark, kMark_Size)))
    return std::nullopt;
  std::array<quint64, 3> len{};
  for (int i = 0; i < 3; ++i) len[i] = Little_At(head, kMark_Size + 8 * (i + 1), 8);
  const quint64 body = static_cast<quint64>(total - kRecord_Head - kRecord_Sum);
  if (len[0] > body || len[1] > body - len[0] || len[2] != body - len[0] - len[1]) return std::nullopt;
  return len;
}

std::optional<Save_Record> Parse_Record(const QByteArray& bytes) {
  const auto len = Record_Lengths(bytes, bytes.size());
  if (!len) return std::nullopt;
  const qsizetype summed = bytes.size() - kRecord_Sum;
  if (QCryptographicHash::hash(QByteArrayView(bytes).first(summed), QCryptographicHash::Sha256) != bytes.mid(summed))
    return std::nullopt;
  Save_Record r;
  r.inode = Little_At(bytes, kMark_Size, 8);
  qsizetype at = kRecord_Head;
  QByteArray* parts[] = {&r.file, &r.old_text, &r.new_text};
  for (int i = 0; i < 3; ++i) {
    *parts[i] = bytes.mid(at, static_cast<qsizetype>((*len)[i]));
    at += static_cast<qsizetype>((*len)[i]);
  }
  return r;
}

// Whether the file's bytes are what the record's save could have left.
bool Fits(const Save_Record& r, const QByteArray& now) {
  if (now.size() != r.old_text.size() && now.size() != r.new_text.size()) return false;
  for (qsizetype i = 0; i < now.size(); ++i) {
    const bool as_old = i < r.old_text.size() && now[i] == r.old_text[i];
    const bool as_new = i < r.new_text.size() && now[i] == r.new_text[i];
    if (!as_old && !as_new) return false;
  }
  return true;
}

// The record named name in the folder open as dir, read only when its head
// suits a file of now_size bytes and neither text is longer than limit. The
// descriptor is left in *fd, for the record's lock.
std::optional<Save_Record> Read_Record(int dir, const QByteArray& name, qint64 now_size, qint64 limit, int* fd) {
  *fd = ::openat(dir, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  struct stat st {};
  QByteArray head;
  if (*fd < 0 || ::fstat(*fd, &st) != 0 || !S_ISREG(st.st_mode) || Read_Up_To(*fd, kRecord_Head, &head) != 0)
    return std::nullopt;
  const auto len = Record_Lengths(head, st.st_size);
  const quint64 now = static_cast<quint64>(now_size), most = static_cast<quint64>(limit);
  QByteArray bytes;
  if (!len || ((*len)[1] != now && (*len)[2] != now) || (*len)[1] > most || (*len)[2] > most ||
      Read_Up_To(*fd, st.st_size, &bytes) != 0)
    return std::nullopt;
  return Parse_Record(bytes);
}

// Whether the user or the group that owns a record could have written the
// file (open as fd) themselves, so that the record is nobody's way into a
// file they may not write: root, the reader, the file's owner, a group or
// user its access list or mode lets write it (a record takes the file's
// group only from a member of it, or from root).
bool Made_By_A_Writer(int fd, const struct stat& file, const struct stat& record) {
  if (record.st_uid == 0 || record.st_uid == ::geteuid() || record.st_uid == file.st_uid ||
      (file.st_mode & S_IWOTH))
    return true;
  const std::optional<QByteArray> list = Sized_Answer(
      [&](char* buf, size_t size) { return ::fgetxattr(fd, "system.posix_acl_access", buf, size); });
  if (!list || list->size() < 4) return (file.st_mode & S_IWGRP) && record.st_gid == file.st_gid;
  // The list: a 4-byte version, then entries of a 2-byte tag, 2-byte
  // permissions and a 4-byte id. Every entry but the owner's and others'
  // counts only as far as the mask lets it.
  constexpr quint16 kUser = 0x02, kGroup_Obj = 0x04, kGroup = 0x08, kMask = 0x10, kWrite = 2;
  bool writes = false, mask = true;
  for (qsizetype at = 4; at + 8 <= list->size(); at += 8) {
    const quint64 tag = Little_At(*list, at, 2);
    const bool w = Little_At(*list, at + 2, 2) & kWrite;
    const quint64 id = Little_At(*list, at + 4, 4);
    if (tag == kMask) mask = w;
    else if ((tag == kUser && id == record.st_uid) || (tag == kGroup_Obj && record.st_gid == file.st_gid) ||
             (tag == kGroup && id == record.st_gid))
      writes = writes || w;
  }
  return writes && mask;
}

// What became of a cut-off save of a file.
struct Cut_Off {
  enum Kind {
    None,       // no record fits the file
    Completed,  // the file now holds the text the cut-off save was writing
    Unwritten,  // that text was read from the record; the file could not take it (err)
  } kind = None;
  int err = 0;
};

// With the file's lock held: looks for the record of a cut-off save that
// fits the file (open as fd, holding *now) and completes the write, through
// fd when it was opened for writing, else through a descriptor of its own.
// A record another process holds locked is left alone, and so is one with a
// text longer than limit. *now becomes what the file is to hold; a record
// whose text the file already holds in full is only removed.
Cut_Off Finish_Cut_Off_Save(const Temp_Names& names, const QByteArray& target, int fd, bool writable, qint64 limit,
                            QByteArray* now) {
  Cut_Off result;
  struct stat file {};
  const QList<QByteArray> found = Temporaries_Of(names);
  if (found.isEmpty() || ::fstat(fd, &file) != 0) return result;
  const int dir = ::open(names.folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return result;
  Fd_Closer close_dir{dir};
  for (const QByteArray& name : found) {
    int record_fd = -1;
    const std::optional<Save_Record> r = Read_Record(dir, name, now->size(), limit, &record_fd);
    Fd_Closer close_record{record_fd};
    struct stat st {}, named {};
    if (!r || r->file != names.file || r->inode != static_cast<quint64>(file.st_ino) || !Fits(*r, *now) ||
        ::flock(record_fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(record_fd, &st) != 0 || st.st_nlink == 0 ||
        ::fstatat(dir, name.constData(), &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_ino != st.st_ino ||
        !Made_By_A_Writer(fd, file, st))
      continue;
    if (*now == r->new_text) {
      ::unlinkat(dir, name.constData(), 0);
      continue;
    }
    Fd_Closer own{-1};
    int out = fd;
    if (!writable) {
      out = own.fd = ::open(target.constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
      result.err = out < 0 ? errno : 0;
      struct stat same {};
      if (out >= 0 && (::fstat(out, &same) != 0 || same.st_dev != file.st_dev || same.st_ino != file.st_ino)) {
        out = -1;
        result.err = ESTALE;  // the name was given to another file meanwhile
      }
    }
    if (out >= 0) result.err = Put_Text(out, r->new_text);
    *now = r->new_text;
    if (result.err != 0) {
      result.kind = Cut_Off::Unwritten;
      return result;
    }
    ::unlinkat(dir, name.constData(), 0);
    Sync_Folder(names.folder);
    result.kind = Cut_Off::Completed;
    return result;
  }
  return result;
}

// Tells the user that the last save of the file had been cut off, and what
// became of it.
void Tell_Cut_Off(const Cut_Off& c, const QString& path) {
  if (c.kind == Cut_Off::None) return;
  const QString name = QFileInfo(path).fileName();
  QString text;
  if (c.kind == Cut_Off::Completed) {
    text = Lang_Pick(QString::fromUtf8("上次保存“%1”时在完成之前被中断，现已用该次保存留在文件旁的副本补写完整。").arg(name),
                     QString("The last save of \"%1\" was cut off before it was complete; it has now been completed "
                             "from the copy that save kept beside the file.")
                         .arg(name));
  } else {
    const QString reason = File_Error_Reason(c.err);
    text = Lang_Pick(QString::fromUtf8("上次保存“%1”时在完成之前被中断。已从该次保存留在文件旁的副本读出所保存的内容，"
                                       "但文件本身无法补写（%2）。")
                         .arg(name, reason),
                     QString("The last save of \"%1\" was cut off before it was complete. What it saved was read "
                             "from the copy it kept beside the file; the file itself could not be completed (%2).")
                         .arg(name, reason));
  }
  Msg_Box(text, Msg_Icon::Exclamation, Lang_Pick("操作提示", "Operate prompt"));
}

// Puts text into the existing file itself, which keeps its owner, group,
// permissions, attributes and links. With the file locked, a cut-off save
// of it is completed first; then the record of this save goes into its
// temporary (open as temp_fd, named temp) and is synced before the file is
// touched. The room the file grows by is taken first, where the system
// allows, so that a full disk or quota fails before the file is touched; a
// write that fails later puts the old bytes back. The record is removed
// once the file holds the whole text, or the old one again; only a file
// left damaged keeps it. 0, or the errno of the failure (EWOULDBLOCK:
// another process holds the file's lock).
int Save_In_Place(const Temp_Names& names, const QByteArray& target, int temp_fd, const QByteArray& temp,
                  const QByteArray& text, Cut_Off* cut_off) {
  const int fd = ::open(target.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    ::unlink(temp.constData());
    return err;
  }
  // Declared first, gone last: the record is removed before the lock goes.
  Fd_Closer close_file{fd};
  bool keep_record = false;
  struct Remove_Record {
    const QByteArray& temp;
    const bool& keep;
    ~Remove_Record() {
      if (!keep) ::unlink(temp.constData());
    }
  } remove_record{temp, keep_record};
  struct stat st {};
  if (::fstat(fd, &st) != 0) return errno;
  if (!S_ISREG(st.st_mode)) return EINVAL;
  if (!Lock_File(fd)) return EWOULDBLOCK;
  QByteArray before;
  if (const int err = Read_Up_To(fd, std::numeric_limits<qint64>::max(), &before); err != 0) return err;
  *cut_off = Finish_Cut_Off_Save(names, target, fd, true, std::numeric_limits<qint64>::max(), &before);
  if (cut_off->kind == Cut_Off::Unwritten) {
    // The reason is this save's: it fails, the record stays for later.
    cut_off->kind = Cut_Off::None;
    return cut_off->err;
  }
  if (const int err = Put_Text(temp_fd, Record_Bytes({names.file, quint64(st.st_ino), before, text})); err != 0)
    return err;
  Sync_Folder(names.folder);
#ifdef __linux__
  if (text.size() > before.size() && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(text.size())) != 0 &&
      (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
    return errno;
#endif
  const int err = Put_Text(fd, text);
  // The file left damaged keeps the record, with both texts.
  if (err != 0) keep_record = Put_Text(fd, before) != 0;
  return err;
}

// Removes what earlier saves of this file left behind (killed, or the
// record of a save that no longer fits the file): only names of exactly the
// program's own pattern for this file, only regular files, and only those
// no save holds locked. A cut name may be another file's: its temporaries
// are left alone.
void Remove_Left_Temporaries(const Temp_Names& names) {
  if (!names.exact) return;
  const QList<QByteArray> found = Temporaries_Of(names);
  if (found.isEmpty()) return;
  const int dir = ::open(names.folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  Fd_Closer close_dir{dir};
  for (const QByteArray& name : found) {
    const int fd = ::openat(dir, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    Fd_Closer close_temp{fd};
    struct stat st {}, named {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(dir, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == st.st_dev &&
        named.st_ino == st.st_ino)
      ::unlinkat(dir, name.constData(), 0);
  }
}

// The reason given when another process holds the file's lock.
QString Busy_Reason() { return Lang_Pick("另一次保存正在写入此文件", "another save is writing to the file just now"); }
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
  Fd_Closer temp_fd{Create_Temporary(names, &temp)};
  if (temp_fd.fd < 0) return fail(Save_Failure(target, 0, errno));
  // A file that the new one cannot stand in for (another owner's, which
  // only root may give away; one with an attribute the user may not set; a
  // file mounted over a name, which no rename can replace) gets the new text
  // itself, the record of the save beside it until all of it is there.
  bool in_place = replacing && !Carries(temp_fd.fd, old, target_name);
  int err = 0;
  if (!in_place) {
    err = Put_All(temp_fd.fd, text);
    if (err == 0) err = Sync(temp_fd.fd);
    if (err == 0 && ::rename(temp.constData(), target_name.constData()) != 0) {
      err = errno;
      in_place = replacing && (err == EBUSY || err == EXDEV);
      if (in_place) err = 0;
    }
    if (err != 0) ::unlink(temp.constData());
  }
  Cut_Off cut_off;
  if (in_place) err = Save_In_Place(names, target_name, temp_fd.fd, temp, text, &cut_off);
  temp_fd.Close();
  Tell_Cut_Off(cut_off, path);
  if (err == EWOULDBLOCK) return fail(Busy_Reason());
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
#ifdef Q_OS_UNIX
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  // A name that leads to no file says why: none there, a name too long, a
  // path through a file.
  if (::stat(name.constData(), &st) != 0)
    return errno == ENOENT ? fail2("文件不存在", "the file does not exist") : fail(File_Error_Reason(errno));
  if (!S_ISREG(st.st_mode)) return fail(Not_Regular_Reason());
  if (st.st_size > cap) return fail2("文件太大", "the file is too large");
  // Opened without blocking and checked again on the open descriptor: a name
  // swapped for a FIFO or a device after the check above is still refused.
  Fd_Closer file{::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
  if (file.fd < 0) return fail(File_Error_Reason(errno));
  if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) return fail(Not_Regular_Reason());
  // A save cut off while it wrote into the file left its record beside it:
  // with the file's lock the write is completed before the text is taken.
  // Without the lock another save is at work, and the file is read as it is.
  const QString target = Save_Target(path);
  const Temp_Names names = Temp_Names_For(QFileInfo(target));
  const bool look = !Temporaries_Of(names).isEmpty() && Lock_File(file.fd);
  QByteArray data;
  if (const int err = Read_Up_To(file.fd, cap + 1, &data); err != 0)
    return fail(Lang_Pick(QString::fromUtf8("文件读取失败：") + File_Error_Reason(err),
                          "the file cannot be read: " + File_Error_Reason(err)));
  if (data.size() > cap) return fail2("文件太大", "the file is too large");
  Cut_Off cut_off;
  if (look) cut_off = Finish_Cut_Off_Save(names, QFile::encodeName(target), file.fd, false, cap, &data);
  file.Close();
  Tell_Cut_Off(cut_off, path);
  *out = std::move(data);
  return true;
#else
  const QFileInfo info(path);
  if (!info.exists()) return fail2("文件不存在", "the file does not exist");
  if (!info.isFile()) return fail(Not_Regular_Reason());
  if (info.size() > cap) return fail2("文件太大", "the file is too large");
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return fail2("文件无法打开", "the file cannot be opened");
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
#endif
}
