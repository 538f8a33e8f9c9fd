#include "app/WeatherTextJob.h"

#include <utility>

#include "sim/SimLink.h"
#include "weather/WeatherSummary.h"

namespace wx {
namespace {

// The simulator's whole text field, shown for 20 seconds.
constexpr int32_t kSummaryMaxLength = 127;
constexpr int32_t kTextSeconds = 20;

}  // namespace

WeatherTextJob::~WeatherTextJob() { collect(); }

bool WeatherTextJob::start(const WeatherData& weather, DoneFn done, std::shared_ptr<IpcTransport> transport) {
    if (busy()) {
        return false;
    }
    finished_.store(false);
    thread_ = std::thread([this, text = formatWeatherSummary(weather, true, kSummaryMaxLength, ""),
                           done = std::move(done), transport = std::move(transport)] {
        bool shown = false;
        {
            // A text the simulator did not take counts as no simulator,
            // never as shown.
            SimLink link(LogFn{}, transport);
            shown = link.connected() && link.showText(text, kTextSeconds);
        }
        finished_.store(true);
        done(shown);
    });
    return true;
}

void WeatherTextJob::collect() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace wx
