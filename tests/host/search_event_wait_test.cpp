#include <gtest/gtest.h>

#include <cstdint>

#include "app/app.h"
#include "search/event_wait.h"
#include "tests/fake/fake_platform.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;
using testing::kQuitMessage;

constexpr unsigned kPaint = 0x000F;

class EventWait : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.on_dispatch = [this](const Message& message) {
      if (message.id == kPaint) ++painted;
    };
  }

  FakePlatform fake;
  App app{fake};
  int painted = 0;
};

TEST_F(EventWait, ReturnsAtTheFirstReadingMoreThanTheLimitPastTheStart) {
  struct Case {
    const char* name;
    std::uint32_t start;
    std::uint32_t step;
    std::uint32_t elapsed;  // at the reading that ends the wait
  };
  const Case cases[] = {
      {"one millisecond per reading", 5000, 1, 1001},
      {"exactly the limit is not enough", 5000, 500, 1500},
      {"across the wrap of the tick count", 0xFFFFFF00u, 1, 1001},
      {"time already up at the first look", 5000, 4000, 4000},
  };
  for (const auto& c : cases) {
    fake.clock = c.start;
    fake.clock_step = c.step;
    event_serving_wait(app.window(), 1000);
    const std::uint32_t last_reading = fake.clock - c.step;
    EXPECT_EQ(last_reading - c.start, c.elapsed) << c.name;
  }
}

TEST_F(EventWait, ZeroOrLessReturnsAtOnceWithoutServing) {
  for (const int milliseconds : {0, -5}) {
    fake.post(kPaint);
    event_serving_wait(app.window(), milliseconds);
    EXPECT_EQ(fake.clock, 5000u) << milliseconds;
    EXPECT_EQ(painted, 0) << milliseconds;
    fake.queue.clear();
  }
}

TEST_F(EventWait, HandlesEveryWaitingMessageEvenWhenTimeIsAlreadyUp) {
  fake.clock_step = 4000;
  for (int i = 0; i < 3; ++i) fake.post(kPaint);
  event_serving_wait(app.window(), 1000);
  EXPECT_EQ(painted, 3);
  EXPECT_TRUE(fake.queue.empty());
}

TEST_F(EventWait, LeavesQuitAndWhatFollowsItForTheEventLoop) {
  fake.post(kPaint);
  fake.post(kQuitMessage, 0, WindowRef{});
  fake.post(kPaint);
  event_serving_wait(app.window(), 1000);
  EXPECT_EQ(painted, 1);
  ASSERT_EQ(fake.queue.size(), 2u);
  EXPECT_EQ(fake.queue.front().id, kQuitMessage);
  EXPECT_GT(fake.clock - 5000u, 1000u);  // the quit does not cut the wait short
}

}  // namespace
}  // namespace kestrafil
