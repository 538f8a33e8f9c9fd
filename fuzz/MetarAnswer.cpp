// A METAR answer body in any form the service or a proxy may send (JSON
// array or object, plain report lines, an HTML page, a byte-order mark),
// through both decoding variants. The reports taken from it are the METAR
// report target's business.

#include <memory>
#include <optional>
#include <vector>

#include "sources/MetarOnlySource.h"
#include "sources/OpenMeteoSource.h"
#include "support/FuzzInput.h"
#include "support/ScriptedTransport.h"

namespace {

using namespace wx;
using Answers = std::vector<std::optional<std::string>>;

void fetch(IWeatherSource& source) {
    for (const auto& [id, report] : source.fetchMetars({"EGLL", "KJFK", "EDDF"}).reports) {
        fuzz::require(!id.empty() && !report.empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string body = fuzz::inputText(data, size);
    const LogFn log = [](const std::string&, const std::string&) {};
    // The full variant asks the plain-text endpoint when the first answer is
    // empty; it gets the same body.
    OpenMeteoSource full(log, std::make_shared<test::ScriptedTransport>(Answers{body, body}));
    fetch(full);
    MetarOnlySource reduced(log, std::make_shared<test::ScriptedTransport>(Answers{body}));
    fetch(reduced);
    return 0;
}
