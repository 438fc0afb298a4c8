#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <vector>

#include "platform/vb_timer.h"

namespace {
// Runs the event loop for ms milliseconds.
void Spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Runs the event loop until pred holds or ms pass; true when it held.
bool Spin_Until(const std::function<bool()>& pred, int ms) {
  QElapsedTimer t;
  t.start();
  while (!pred()) {
    if (t.elapsed() > ms) return false;
    Spin(2);
  }
  return true;
}

// The ticks' times, in ms from the log's creation. The tests read the clock
// when they act and compare the ticks with those readings, so a loaded
// machine that runs the event loop late does not change their verdict.
struct Tick_Log {
  QElapsedTimer clock;
  std::vector<qint64> at;
  explicit Tick_Log(Vb_Timer& t) {
    clock.start();
    t.On_Timer = [this] { at.push_back(clock.elapsed()); };
  }
  qint64 Now() const { return clock.elapsed(); }
};
}  // namespace

TEST(VbTimer, IntervalZeroNeverFiresEvenWhenEnabled) {
  Vb_Timer t;
  Tick_Log log(t);
  t.Set_Enabled(true);
  Spin(80);
  EXPECT_TRUE(log.at.empty());
  t.Set_Interval(20);  // now it runs
  EXPECT_TRUE(Spin_Until([&] { return !log.at.empty(); }, 2000));
  t.Set_Interval(0);
  log.at.clear();
  Spin(60);
  EXPECT_TRUE(log.at.empty());
}

TEST(VbTimer, ChangingTheIntervalRestartsTheCount) {
  Vb_Timer t;
  Tick_Log log(t);
  t.Arm(600);
  Spin(100);
  ASSERT_TRUE(log.at.empty());
  const qint64 changed = log.Now();
  t.Set_Interval(601);  // a different value: the count starts again from now
  ASSERT_TRUE(Spin_Until([&] { return !log.at.empty(); }, 3000));
  EXPECT_GE(log.at[0], changed + 600) << "the old count (600 ms from the start) was dropped";
}

TEST(VbTimer, SameIntervalOrReEnableKeepsTheCount) {
  Vb_Timer t;
  Tick_Log log(t);
  t.Arm(400);
  Spin(150);
  ASSERT_TRUE(log.at.empty());
  const qint64 touched = log.Now();
  t.Set_Interval(400);  // same value: no restart
  t.Set_Enabled(true);  // already enabled: no restart
  ASSERT_TRUE(Spin_Until([&] { return !log.at.empty(); }, 3000));
  EXPECT_LT(log.at[0], touched + 400) << "the count from the start ran on";
}

TEST(VbTimer, DisableStopsAndEnableStartsAFreshCount) {
  Vb_Timer t;
  Tick_Log log(t);
  t.Arm(300);
  Spin(50);
  t.Set_Enabled(false);
  ASSERT_TRUE(log.at.empty());
  Spin(400);  // past the first count's end
  EXPECT_TRUE(log.at.empty()) << "a disabled timer stays quiet";
  const qint64 enabled = log.Now();
  t.Set_Enabled(true);  // a fresh count of 300 from here
  ASSERT_TRUE(Spin_Until([&] { return !log.at.empty(); }, 3000));
  EXPECT_GE(log.at[0], enabled + 299);
}

TEST(VbTimer, ATickDoesNotReEnterItsHandler) {
  Vb_Timer t;
  int depth = 0, max_depth = 0, ticks = 0;
  t.On_Timer = [&] {
    ++ticks;
    ++depth;
    max_depth = std::max(max_depth, depth);
    if (ticks == 1) Spin(120);  // like a modal message box inside the handler
    --depth;
  };
  t.Arm(20);
  EXPECT_TRUE(Spin_Until([&] { return ticks >= 2; }, 3000));
  EXPECT_EQ(max_depth, 1);
}

TEST(VbTimer, AHandlerMayDeleteItsOwnTimer) {
  auto* t = new Vb_Timer;
  bool fired = false;
  t->On_Timer = [&] {
    fired = true;
    delete t;
  };
  t->Arm(10);
  EXPECT_TRUE(Spin_Until([&] { return fired; }, 2000));
}
