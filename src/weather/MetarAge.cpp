#include "weather/MetarAge.h"

#include <algorithm>

#include "weather/MetarDecoder.h"

namespace wx {
namespace {

using namespace std::chrono;

constexpr int kMonthsLookedBack = 3;

}  // namespace

std::optional<int32_t> reportAgeMinutes(const std::string& raw, system_clock::time_point now) {
    const auto stamp = parseObservationStamp(raw);
    if (!stamp || stamp->day < 1 || stamp->day > 31) {
        return std::nullopt;
    }
    const year_month_day today{floor<days>(now)};
    year_month month = today.year() / today.month();
    for (int tries = 0; tries < kMonthsLookedBack; ++tries, month -= months{1}) {
        const year_month_day date = month / day{static_cast<unsigned>(stamp->day)};
        if (!date.ok()) {
            continue;
        }
        const auto observed = sys_days{date} + hours{stamp->time.hour} + minutes{stamp->time.minute};
        if (observed <= now + minutes{1}) {
            return static_cast<int32_t>(std::max<int64_t>(0, duration_cast<minutes>(now - observed).count()));
        }
    }
    return std::nullopt;
}

}  // namespace wx
