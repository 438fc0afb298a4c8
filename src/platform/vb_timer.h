#pragma once
// A timer control with the semantics the radio link relies on:
//  - an enabled flag and an interval in milliseconds;
//  - changing the interval of an enabled timer restarts its count;
//  - enabling a timer that is already enabled, or assigning the interval it
//    already has, leaves the running count alone;
//  - an interval of 0 never fires, whatever the enabled flag says.
// A tick never re-enters its own handler: while On_Timer runs (for example
// with a modal message box open inside it) further ticks are dropped.

#include <QObject>
#include <QTimer>
#include <functional>

class Vb_Timer : public QObject {
  Q_OBJECT
public:
  explicit Vb_Timer(QObject* parent = nullptr);

  std::function<void()> On_Timer;

  void Set_Interval(int ms);
  int Interval() const { return interval_; }
  void Set_Enabled(bool on);
  bool Enabled() const { return enabled_; }

  // Shorthand for the common "interval := ms; enabled := true" pair, in that order.
  void Arm(int ms) {
    Set_Interval(ms);
    Set_Enabled(true);
  }

private:
  void Restart();
  void Tick();

  QTimer timer_;
  int interval_ = 0;
  bool enabled_ = false;
  bool in_tick_ = false;
};
