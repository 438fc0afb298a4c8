#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "platform/comm_port.h"
#include "platform/port_table.h"
#include "support/pty_line.h"
#include "support/spin.h"

TEST(CommPort, AHoldTellsHowLongItStillRuns) {
  Comm_Port port;
  EXPECT_FALSE(port.Holding());
  EXPECT_EQ(port.Hold_Left_Ms(), 0);
  QElapsedTimer clock;
  clock.start();
  port.Hold_Receive(300);
  const int left = port.Hold_Left_Ms();
  EXPECT_TRUE(port.Holding() || clock.elapsed() >= 300);
  EXPECT_LE(left, 300);
  EXPECT_GE(left, 300 - clock.elapsed() - 1);
  // A shorter hold does not cut a running one short.
  port.Hold_Receive(10);
  EXPECT_GE(port.Hold_Left_Ms(), 300 - clock.elapsed() - 1);
  while (clock.elapsed() < 320) {
    QEventLoop loop;
    QTimer::singleShot(5, &loop, &QEventLoop::quit);
    loop.exec();
  }
  EXPECT_FALSE(port.Holding());
  EXPECT_EQ(port.Hold_Left_Ms(), 0);
}

// A line that hangs up (the cable pulled, the adapter unplugged) leaves the
// device unreadable for good. The port closes at once and says so, once; it
// is not polled on, so the window's thread stays idle.
TEST(CommPort, AHungUpLineClosesThePortAtOnceAndIsNotPolled) {
  Pty_Line line;
  ASSERT_TRUE(line.Ok());
  Port_Table_Set(7, QString::fromStdString(line.Device()));
  Comm_Port port;
  port.Set_Port_Number(7);
  QString why;
  ASSERT_TRUE(port.Open(&why)) << why.toStdString();
  int lost = 0, events = 0;
  port.On_Lost = [&] { ++lost; };
  port.On_Comm = [&] { ++events; };
  ASSERT_EQ(::write(line.Far_End(), "AB", 2), 2);
  ASSERT_TRUE(Spin_Until([&] { return events == 2; }, 5000)) << "the line works before it hangs up";

  const double cpu_before = Thread_Cpu_Seconds();
  line.Hang_Up();
  ASSERT_TRUE(Spin_Until([&] { return lost > 0; }, 5000)) << "the hang-up was never reported";
  EXPECT_FALSE(port.Is_Open());
  // The loop runs on as the program's would; a port still polled would keep
  // this thread busy all along.
  Spin_For(500);
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(events, 2);
  EXPECT_LT(Thread_Cpu_Seconds() - cpu_before, 0.25) << "the dead port kept the thread busy";
  Port_Table_Clear();
}
