#include "sources/MetarOnlySource.h"

#include <utility>

#include "sources/AviationWeather.h"

namespace wx {

MetarOnlySource::MetarOnlySource(LogFn log, std::shared_ptr<HttpTransport> transport,
                                 std::shared_ptr<HttpCancel> cancel)
    : log_(log), http_(std::move(log), std::move(transport), std::move(cancel)) {}

MetarMap MetarOnlySource::fetchMetars(const std::vector<std::string>& stationIds) {
    return fetchMetarsJsonOnly(http_, log_, stationIds);
}

std::vector<nlohmann::json> MetarOnlySource::fetchSigmets() { return fetchSigmetList(http_); }

}  // namespace wx
