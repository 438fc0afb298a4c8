#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <climits>

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

// The line of a device keeps, across the port controls that open it, when
// a byte last went over it, either way; a closed control finds no line.
TEST(CommPort, TheLinesQuietTimeOutlivesTheControl) {
  Pty_Line line;
  ASSERT_TRUE(line.Ok());
  Port_Table_Set(7, QString::fromStdString(line.Device()));
  Comm_Port first, second;
  first.Set_Port_Number(7);
  second.Set_Port_Number(7);
  EXPECT_EQ(first.Line_Quiet_Ms(), INT_MAX) << "closed";
  ASSERT_TRUE(first.Open());
  QElapsedTimer clock;
  clock.start();
  first.Output_Byte(0x42);
  first.Close();
  ASSERT_TRUE(second.Open());
  EXPECT_LE(second.Line_Quiet_Ms(), clock.elapsed() + 1) << "the byte the other control sent";
  ASSERT_TRUE(Spin_Until([&] { return second.Line_Quiet_Ms() >= 20; }, 5000));
  clock.restart();
  ASSERT_EQ(::write(line.Far_End(), "A", 1), 1);
  ASSERT_TRUE(Spin_Until([&] { return second.In_Buffer_Count() == 1; }, 5000));
  EXPECT_LE(second.Line_Quiet_Ms(), clock.elapsed() + 1) << "the byte received";
  second.Close();
  Port_Table_Clear();
}

// A hold released delivers the receive events it held back from the event
// loop at once, not when it would have ended.
TEST(CommPort, AReleasedHoldDeliversWhatItHeldBack) {
  Pty_Line line;
  ASSERT_TRUE(line.Ok());
  Port_Table_Set(7, QString::fromStdString(line.Device()));
  Comm_Port port;
  port.Set_Port_Number(7);
  ASSERT_TRUE(port.Open());
  int events = 0;
  port.On_Comm = [&] { ++events; };
  port.Hold_Receive(60000);
  ASSERT_EQ(::write(line.Far_End(), "AB", 2), 2);
  ASSERT_TRUE(Spin_Until([&] { return port.In_Buffer_Count() == 2; }, 5000));
  EXPECT_EQ(events, 0) << "held";
  port.Release_Hold();
  EXPECT_FALSE(port.Holding());
  EXPECT_TRUE(Spin_Until([&] { return events == 2; }, 5000));
  EXPECT_EQ(port.Discard_Input(), 2) << "the bytes dropped";
  Port_Table_Clear();
}
