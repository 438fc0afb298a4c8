#pragma once
// A disk that takes no more bytes, for testing saves, and what a test looks
// at afterwards.
//
// While a File_Size_Limit lives, a write that would take any file of this process past
// `limit` bytes fails with EFBIG, as a write onto a full disk fails: the
// process's file-size limit is lowered and the signal such a write raises is
// ignored. Both are put back when it goes. No root and no real full disk are
// needed, and only regular files are limited (the test's own output, a pipe
// or a terminal, is not).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <signal.h>
#include <sys/resource.h>

class File_Size_Limit {
public:
  explicit File_Size_Limit(rlim_t limit) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    have_signal_ = ::sigaction(SIGXFSZ, &ignore, &old_signal_) == 0;
    have_limit_ = ::getrlimit(RLIMIT_FSIZE, &old_limit_) == 0;
    if (!have_signal_ || !have_limit_) return;
    rlimit lower = old_limit_;
    lower.rlim_cur = limit;
    active_ = ::setrlimit(RLIMIT_FSIZE, &lower) == 0;
  }
  ~File_Size_Limit() {
    if (have_limit_) ::setrlimit(RLIMIT_FSIZE, &old_limit_);
    if (have_signal_) ::sigaction(SIGXFSZ, &old_signal_, nullptr);
  }
  File_Size_Limit(const File_Size_Limit&) = delete;
  File_Size_Limit& operator=(const File_Size_Limit&) = delete;

  // False when the limit could not be set (the test should not go on).
  bool Active() const { return active_; }

private:
  struct sigaction old_signal_ {};
  rlimit old_limit_{};
  bool have_signal_ = false, have_limit_ = false, active_ = false;
};

// The file's bytes as they are on the disk.
inline QByteArray Bytes_On_Disk(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

// Every name in the folder, hidden ones too (so a temporary left behind
// shows), sorted and joined by spaces.
inline std::string Everything_In(const QString& folder) {
  return QDir(folder)
      .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)
      .join(' ')
      .toStdString();
}
