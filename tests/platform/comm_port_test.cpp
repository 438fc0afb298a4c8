#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "platform/comm_port.h"

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
