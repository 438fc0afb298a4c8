#pragma once
// A serial line the test can hang up: a pseudo-terminal whose far (master)
// end the test holds. The program opens the near end as its serial device;
// Hang_Up closes the far end, and the program's end then reads as a line
// whose cable was pulled (end of file, EIO, POLLHUP).
//
// Given the device of a simulated radio, the line carries bytes both ways
// between the program and the radio until it is hung up, so a transfer can
// be cut off part-way.

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

class Pty_Line {
public:
  explicit Pty_Line(const std::string& radio_device = {}) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) return;
    path_ = name;
    // Held open by the line itself, so the far end sees no hang-up of its own
    // while the program has the device closed; raw, so nothing is echoed.
    near_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (near_ < 0) return;
    termios t{};
    ::tcgetattr(near_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(near_, TCSANOW, &t);
    if (!radio_device.empty()) {
      radio_ = ::open(radio_device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
      if (radio_ < 0 || ::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) return;
      ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
      relay_ = std::thread([this] { Relay(); });
    }
    ok_ = true;
  }
  ~Pty_Line() {
    Hang_Up();
    for (int fd : {near_, radio_, wake_[0], wake_[1]})
      if (fd >= 0) ::close(fd);
  }
  Pty_Line(const Pty_Line&) = delete;
  Pty_Line& operator=(const Pty_Line&) = delete;

  bool Ok() const { return ok_; }
  std::string Device() const { return path_; }  // the program's end, e.g. /dev/pts/9
  int Far_End() const { return master_; }       // -1 once hung up

  // Closes the far end (from any thread; once).
  void Hang_Up() {
    if (relay_.joinable()) {
      stop_ = true;
      [[maybe_unused]] const ssize_t n = ::write(wake_[1], "x", 1);
      relay_.join();
    }
    if (master_ >= 0) ::close(master_);
    master_ = -1;
    hung_up_ = true;
  }
  bool Hung_Up() const { return hung_up_; }

private:
  void Relay() {
    char buf[512];
    while (!stop_) {
      pollfd fds[3] = {{master_, POLLIN, 0}, {radio_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
      if (::poll(fds, 3, -1) < 0) continue;
      if (fds[0].revents & POLLIN) Pass(master_, radio_, buf, sizeof buf);
      if (fds[1].revents & POLLIN) Pass(radio_, master_, buf, sizeof buf);
    }
  }
  static void Pass(int from, int to, char* buf, size_t size) {
    const ssize_t n = ::read(from, buf, size);
    for (ssize_t done = 0; n > 0 && done < n;) {
      const ssize_t w = ::write(to, buf + done, static_cast<size_t>(n - done));
      if (w > 0) done += w;
      else if (w < 0 && errno != EAGAIN && errno != EINTR) return;
    }
  }

  int master_ = -1, near_ = -1, radio_ = -1;
  int wake_[2] = {-1, -1};
  std::string path_;
  bool ok_ = false;
  std::atomic<bool> stop_{false}, hung_up_{false};
  std::thread relay_;
};

// The processor time the calling thread has used, in seconds: what the
// window's own thread spends, whatever other threads (the simulated radio)
// and the rest of the machine do.
inline double Thread_Cpu_Seconds() {
  rusage u{};
  ::getrusage(RUSAGE_THREAD, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
