#include <gtest/gtest.h>

#include "services/DemoTimer.h"
#include "tests/support/FakeClock.h"

TEST(DemoTimer, RoundsHalfAwayFromZero) {
  FakeClock clock(3);
  DemoTimer timer(&clock);
  timer.Start();
  EXPECT_EQ(timer.ElapsedMs(), 0);
  clock.counter = 1;
  EXPECT_EQ(timer.ElapsedMs(), 333);
  clock.counter = 2;
  EXPECT_EQ(timer.ElapsedMs(), 667);
  EXPECT_EQ(DemoTimer::TicksToMs(1, 2000), 1);    // 0.5 ms rounds up
  EXPECT_EQ(DemoTimer::TicksToMs(-1, 2000), -1);  // -0.5 ms rounds away from zero
  EXPECT_EQ(DemoTimer::TicksToMs(3, 8000), 0);    // 0.375 ms
}

TEST(DemoTimer, ZeroFrequencyAndOverflowGiveMinusOne) {
  FakeClock clock(0);
  DemoTimer timer(&clock);
  timer.Start();
  clock.counter = 12345;
  EXPECT_EQ(timer.ElapsedMs(), -1);
  EXPECT_EQ(DemoTimer::TicksToMs(std::int64_t{1} << 40, 1), -1);  // does not fit 32 bits
}

TEST(DemoTimer, PauseResumeSkipsThePausedTime) {
  FakeClock clock(1000);
  DemoTimer timer(&clock);
  clock.counter = 500;
  timer.Start();
  clock.counter = 500 + 12345;
  EXPECT_EQ(timer.ElapsedMs(), 12345);
  timer.Pause();
  clock.counter += 60000;  // any wait
  timer.Resume();
  EXPECT_EQ(timer.ElapsedMs(), 12345);
  clock.counter += 10;
  EXPECT_EQ(timer.ElapsedMs(), 12355);
}

TEST(DemoTimer, StartAgainRestartsAtZero) {
  FakeClock clock(1000);
  DemoTimer timer(&clock);
  timer.Start();
  clock.counter = 5000;
  EXPECT_EQ(timer.ElapsedMs(), 5000);
  timer.Start();
  EXPECT_EQ(timer.ElapsedMs(), 0);
  clock.counter = 5007;
  EXPECT_EQ(timer.ElapsedMs(), 7);
}

TEST(DemoTimer, CounterWhoseLow32BitsWrap) {
  FakeClock clock(10000000);  // 10 MHz
  DemoTimer timer(&clock);
  clock.counter = 0xFFFFFF00ll;
  timer.Start();
  clock.counter = 0xFFFFFF00ll + 20000000;  // 2 s later, past a 32-bit wrap
  EXPECT_EQ(timer.ElapsedMs(), 2000);
}

TEST(DemoTimer, NanosecondCounterOverTheWholeDemo) {
  FakeClock clock(1000000000);  // 1 GHz: 32-bit tick arithmetic would fail after 2.1 s
  DemoTimer timer(&clock);
  clock.counter = 987654321012345ll;
  timer.Start();
  for (std::int64_t ms : {1, 2148, 4295, 100000, 195000, 195001}) {
    clock.counter = 987654321012345ll + ms * 1000000;
    EXPECT_EQ(timer.ElapsedMs(), ms);
  }
  clock.counter = 987654321012345ll + 195000 * 1000000ll + 499999;
  EXPECT_EQ(timer.ElapsedMs(), 195000);
  clock.counter += 1;  // exactly half a millisecond more
  EXPECT_EQ(timer.ElapsedMs(), 195001);
}
