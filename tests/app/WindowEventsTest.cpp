#include <gtest/gtest.h>

#include <vector>

#include "app/WindowEvents.h"

namespace wx {
namespace {

TEST(WindowEvents, OnlyTheFirstEventAfterATakeWakesTheWindow) {
    WindowEventQueue queue;
    EXPECT_TRUE(queue.push(LogLineEvent{"one", "INFO"}));
    EXPECT_FALSE(queue.push(EngineStoppedEvent{}));
    const std::vector<WindowEvent> taken = queue.takeAll();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(std::get<LogLineEvent>(taken[0]).message, "one");
    EXPECT_TRUE(std::holds_alternative<EngineStoppedEvent>(taken[1]));
    EXPECT_TRUE(queue.takeAll().empty());

    EXPECT_TRUE(queue.push(WeatherTextShownEvent{true}));
    queue.wakeLost();
    EXPECT_TRUE(queue.push(WeatherTextShownEvent{false}));
}

}  // namespace
}  // namespace wx
