#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "sim/IpcTransport.h"
#include "weather/WeatherData.h"

namespace wx {

// Shows a station's weather as text in the simulator without the engine,
// through a short-lived link of its own on a thread of its own, so that a
// slow or silent simulator never holds up the window. The FSUIPC client is
// one per process, so while a job runs no other link may be opened; the
// job closes its link before it reports, and its owner treats it as busy
// until it has collected the ended thread.
class WeatherTextJob {
public:
    // Told on the job's thread, after the link is closed: whether the
    // simulator took the text.
    using DoneFn = std::function<void(bool shown)>;

    WeatherTextJob() = default;
    // Waits for a job still running; its owner lets it go only once
    // finished() said so, or ends the process instead.
    ~WeatherTextJob();
    WeatherTextJob(const WeatherTextJob&) = delete;
    WeatherTextJob& operator=(const WeatherTextJob&) = delete;

    // Starts showing the weather's full summary for 20 seconds; false, and
    // nothing done, while a job is busy.
    bool start(const WeatherData& weather, DoneFn done,
               std::shared_ptr<IpcTransport> transport = defaultIpcTransport());
    // True from start until the ended thread was collected.
    bool busy() const { return thread_.joinable(); }
    // True when no job holds a link: none started, or the running one has
    // closed its link and is only reporting.
    bool finished() const { return finished_.load(); }
    // Joins the thread of a job that reported; nothing when none runs.
    void collect();

private:
    std::thread thread_;
    std::atomic<bool> finished_{true};
};

}  // namespace wx
