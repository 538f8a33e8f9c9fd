#include "sources/MetarOnlySource.h"

#include <utility>

#include "sources/AviationWeather.h"
#include "sources/TafFetch.h"

namespace wx {

MetarOnlySource::MetarOnlySource(LogFn log, std::shared_ptr<HttpTransport> transport, SourceContext context)
    : log_(log),
      http_(log, std::move(transport), context.cancel, std::move(context.pauses), servicesClock(context)) {
    if (context.present) {
        past_.emplace(log_, std::move(context.clock), *context.present, std::move(context.cancel));
    }
}

MetarFetch MetarOnlySource::fetchMetars(const std::vector<std::string>& stationIds) {
    return past_ ? past_->fetchMetars(http_, stationIds) : fetchMetarsJsonOnly(http_, log_, stationIds);
}

std::vector<nlohmann::json> MetarOnlySource::fetchSigmets() {
    return past_ ? past_->fetchSigmets(http_) : fetchSigmetList(http_);
}

void MetarOnlySource::beginCycle(const CycleOptions&) {
    if (past_) {
        past_->beginCycle();
    }
}

void MetarOnlySource::endCycle() {
    if (past_) {
        past_->endCycle(false);
    }
}

std::optional<std::vector<Taf>> MetarOnlySource::fetchTafs(const std::vector<std::string>& stationIds) {
    return past_ ? past_->fetchTafs(http_, stationIds) : fetchTafList(http_, log_, stationIds);
}

}  // namespace wx
