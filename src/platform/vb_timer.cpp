#include "vb_timer.h"

#include <QPointer>

Vb_Timer::Vb_Timer(QObject* parent) : QObject(parent) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &Vb_Timer::Tick);
}

void Vb_Timer::Set_Interval(int ms) {
  if (ms < 0) ms = 0;
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_) Restart();
}

void Vb_Timer::Set_Enabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (on)
    Restart();
  else
    timer_.stop();
}

void Vb_Timer::Restart() {
  if (interval_ > 0)
    timer_.start(interval_);
  else
    timer_.stop();
}

void Vb_Timer::Tick() {
  if (in_tick_ || !enabled_ || interval_ <= 0) return;
  in_tick_ = true;
  QPointer<Vb_Timer> self(this);
  if (On_Timer) On_Timer();
  if (self) in_tick_ = false;
}
