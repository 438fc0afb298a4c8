#pragma once
// A file shared in a group: its owner is one user, and another user of its
// group saves over it. The ids need no entries in the system's user list;
// the tests that use them run as root and give the ids away.

#include <QFile>
#include <QString>
#include <grp.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace shared_file {
constexpr uid_t kOwner = 1001;   // owns the folder and the file
constexpr gid_t kGroup = 2001;   // the group they are shared in
constexpr uid_t kMember = 1002;  // another user of that group
constexpr gid_t kMember_Own_Group = 1002;
constexpr uid_t kNamed = 1003;   // in no group of theirs; an access list may name them
constexpr gid_t kNamed_Own_Group = 1003;
constexpr mode_t kFolder_Mode = 0775, kFile_Mode = 0664;

// Gives the folder and the file to the owner and the group, writable by the
// group. False when it could not (not root).
inline bool Share(const QString& folder, const QString& file) {
  const QByteArray d = QFile::encodeName(folder), f = QFile::encodeName(file);
  return ::chown(d.constData(), kOwner, kGroup) == 0 && ::chmod(d.constData(), kFolder_Mode) == 0 &&
         ::chown(f.constData(), kOwner, kGroup) == 0 && ::chmod(f.constData(), kFile_Mode) == 0;
}

// Makes this process the user uid with the group gid, and the groups as
// supplementary ones. Async-signal-safe (it runs between fork and exec).
inline bool Become(uid_t uid, gid_t gid, const gid_t* groups, size_t count) {
  return ::setgroups(count, groups) == 0 && ::setresgid(gid, gid, gid) == 0 && ::setresuid(uid, uid, uid) == 0;
}

// The member: its own group first, the shared one as a supplementary group.
inline bool Become_Member() {
  const gid_t groups[] = {kGroup};
  return Become(kMember, kMember_Own_Group, groups, 1);
}

// The owner, in the shared group.
inline bool Become_Owner() { return Become(kOwner, kGroup, nullptr, 0); }

// The user no group of the file holds.
inline bool Become_Named() { return Become(kNamed, kNamed_Own_Group, nullptr, 0); }

// The owner, group and permission bits of path, as "uid:gid:mode" (octal),
// or "missing".
inline std::string Owner_Group_Mode(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return "missing";
  return std::to_string(st.st_uid) + ":" + std::to_string(st.st_gid) + ":" +
         QString::number(st.st_mode & 07777, 8).toStdString();
}

inline std::string Shared_Owner_Group_Mode() {
  return std::to_string(kOwner) + ":" + std::to_string(kGroup) + ":" + QString::number(kFile_Mode, 8).toStdString();
}
}  // namespace shared_file
