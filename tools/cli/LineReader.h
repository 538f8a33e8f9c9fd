#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace wx::cli {

// Reads a stream line by line on a thread of its own, so that its owner can
// wait for a line, the end of input or something else at once. Standard
// input may block for ever: when the reader is destroyed while it still
// waits there, the thread is left to end with the process; it holds only
// the shared queue then. Any other stream is read to its end first. The
// stream is untied from any output stream, which only its writers flush.
class LineReader {
public:
    explicit LineReader(std::istream& in);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    struct Next {
        std::optional<std::string> line;
        bool ended = false;  // no line will come any more
    };
    // The next line if one arrives within the time-out.
    Next waitForLine(std::chrono::milliseconds timeout);

private:
    struct Queue {
        std::mutex mutex;
        std::condition_variable arrived;
        std::deque<std::string> lines;
        bool ended = false;
    };

    std::istream& in_;
    std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
    std::thread thread_;
};

}  // namespace wx::cli
