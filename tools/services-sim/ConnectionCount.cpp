#include "ConnectionCount.h"

#include <utility>

namespace wx::sim {
namespace {

constexpr size_t kServingThreads = 32;

// The server hands each accepted connection to its task queue once.
class CountingQueue final : public httplib::TaskQueue {
public:
    explicit CountingQueue(std::atomic<int>& counter) : counter_(counter), pool_(kServingThreads) {}
    void enqueue(std::function<void()> task) override {
        ++counter_;
        pool_.enqueue(std::move(task));
    }
    void shutdown() override { pool_.shutdown(); }

private:
    std::atomic<int>& counter_;
    httplib::ThreadPool pool_;
};

}  // namespace

void countConnections(httplib::Server& server, std::atomic<int>& counter) {
    server.new_task_queue = [&counter] { return new CountingQueue(counter); };
}

}  // namespace wx::sim
