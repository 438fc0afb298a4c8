#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <vector>

#include "platform/vb_timer.h"

namespace {
// Runs the event loop for ms milliseconds.
void Spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

struct Tick_Log {
  QElapsedTimer clock;
  std::vector<qint64> at;
  explicit Tick_Log(Vb_Timer& t) {
    clock.start();
    t.On_Timer = [this] { at.push_back(clock.elapsed()); };
  }
};
}  // namespace

TEST(VbTimer, IntervalZeroNeverFiresEvenWhenEnabled) {
  Vb_Timer t;
  Tick_Log log(t);
  t.Set_Enabled(true);
  Spin(80);
  EXPECT_TRUE(log.at.empty());
  t.Set_Interval(20);  // now it runs
  Spin(70);
  EXPECT_FALSE(log.at.empty());
  t.Set_Interval(0);
  log.at.clear();
  Spin(60);
  EXPECT_TRUE(log.at.empty());
}

TEST(VbTimer, ChangingTheIntervalRestartsTheCount) {
  Vb_Timer t;
  Tick_Log log(t);
  t.Arm(200);
  Spin(120);
  t.Set_Interval(201);  // a different value: the count starts again from now
  Spin(150);            // 270 ms after the start; 200 ms would have fired by now
  EXPECT_TRUE(log.at.empty());
  Spin(120);
  ASSERT_EQ(log.at.size(), 1u);
  EXPECT_GE(log.at[0], 315);
}

TEST(VbTimer, SameIntervalOrReEnableKeepsTheCount) {
  Vb_Timer t;
  Tick_Log log(t);
  t.Arm(200);
  Spin(120);
  t.Set_Interval(200);  // same value: no restart
  t.Set_Enabled(true);  // already enabled: no restart
  Spin(140);
  ASSERT_EQ(log.at.size(), 1u);
  EXPECT_LT(log.at[0], 250);
}

TEST(VbTimer, DisableStopsAndEnableStartsAFreshCount) {
  Vb_Timer t;
  Tick_Log log(t);
  t.Arm(100);
  Spin(60);
  t.Set_Enabled(false);
  Spin(80);
  EXPECT_TRUE(log.at.empty());
  t.Set_Enabled(true);  // fresh count of 100 from here (t = 140)
  Spin(70);
  EXPECT_TRUE(log.at.empty());
  Spin(60);
  EXPECT_EQ(log.at.size(), 1u);
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
  Spin(200);
  EXPECT_EQ(max_depth, 1);
  EXPECT_GE(ticks, 2);
}

TEST(VbTimer, AHandlerMayDeleteItsOwnTimer) {
  auto* t = new Vb_Timer;
  bool fired = false;
  t->On_Timer = [&] {
    fired = true;
    delete t;
  };
  t->Arm(10);
  Spin(50);
  EXPECT_TRUE(fired);
}
