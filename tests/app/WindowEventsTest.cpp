#include <gtest/gtest.h>

#include <thread>
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

TEST(WindowEvents, EventsFromManyThreadsAllArriveInTheirThreadsOrder) {
    WindowEventQueue queue;
    constexpr int kThreads = 4;
    constexpr int kEach = 500;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&queue, t] {
            for (int i = 0; i < kEach; ++i) {
                queue.push(LogLineEvent{std::to_string(i), std::to_string(t)});
            }
        });
    }
    std::vector<int> next(kThreads, 0);
    int received = 0;
    while (received < kThreads * kEach) {
        for (const WindowEvent& event : queue.takeAll()) {
            const auto& line = std::get<LogLineEvent>(event);
            const int thread = std::stoi(line.level);
            EXPECT_EQ(std::stoi(line.message), next[thread]++);
            ++received;
        }
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

}  // namespace
}  // namespace wx
