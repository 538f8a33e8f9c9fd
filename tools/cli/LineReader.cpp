#include "LineReader.h"

#include <iostream>

#include "util/LineInput.h"

namespace wx::cli {

LineReader::LineReader(std::istream& in) : in_(in) {
    // Standard input is tied to standard output: each read would flush it
    // from this thread, outside the lock its writers hold, and a line being
    // printed could come out cut or twice. The stream stays untied, since
    // the thread may outlive this reader.
    in.tie(nullptr);
    thread_ = std::thread([queue = queue_, &in] {
        std::string line;
        while (readLine(in, line)) {
            std::lock_guard lock(queue->mutex);
            queue->lines.push_back(line);
            queue->arrived.notify_all();
        }
        std::lock_guard lock(queue->mutex);
        queue->ended = true;
        queue->arrived.notify_all();
    });
}

LineReader::~LineReader() {
    bool ended = false;
    {
        std::lock_guard lock(queue_->mutex);
        ended = queue_->ended;
    }
    if (!ended && &in_ == &std::cin) {
        thread_.detach();
    } else {
        thread_.join();
    }
}

LineReader::Next LineReader::waitForLine(std::chrono::milliseconds timeout) {
    std::unique_lock lock(queue_->mutex);
    queue_->arrived.wait_for(lock, timeout, [this] { return !queue_->lines.empty() || queue_->ended; });
    Next next;
    if (!queue_->lines.empty()) {
        next.line = std::move(queue_->lines.front());
        queue_->lines.pop_front();
    }
    next.ended = queue_->lines.empty() && queue_->ended && !next.line;
    return next;
}

}  // namespace wx::cli
