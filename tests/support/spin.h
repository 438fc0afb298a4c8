#pragma once
// Waiting in a test while the event loop runs, as the program's own would.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>

// Runs the event loop until pred holds or ms pass; true when it held.
inline bool Spin_Until(const std::function<bool()>& pred, int ms) {
  QElapsedTimer t;
  t.start();
  while (!pred()) {
    if (t.elapsed() > ms) return false;
    QEventLoop loop;
    QTimer::singleShot(2, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

inline void Spin_For(int ms) {
  Spin_Until([] { return false; }, ms);
}
