#include "sources/MetarOnlySource.h"

#include <utility>

#include "sources/AviationWeather.h"
#include "sources/TafFetch.h"

namespace wx {

MetarOnlySource::MetarOnlySource(LogFn log, std::shared_ptr<HttpTransport> transport, SourceContext context)
    : log_(log),
      http_(std::move(log), std::move(transport), std::move(context.cancel), std::move(context.pauses),
            std::move(context.clock)) {}

MetarFetch MetarOnlySource::fetchMetars(const std::vector<std::string>& stationIds) {
    return fetchMetarsJsonOnly(http_, log_, stationIds);
}

std::vector<nlohmann::json> MetarOnlySource::fetchSigmets() { return fetchSigmetList(http_); }

std::optional<std::vector<Taf>> MetarOnlySource::fetchTafs(const std::vector<std::string>& stationIds) {
    return fetchTafList(http_, log_, stationIds);
}

}  // namespace wx
