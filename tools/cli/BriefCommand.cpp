// `brief`: the briefing of a flight once, from the services, as JSON.

#include <chrono>
#include <map>
#include <ostream>

#include "BriefingJson.h"
#include "CliOptions.h"
#include "Commands.h"
#include "FlightOptions.h"
#include "JsonLine.h"
#include "SourceLog.h"
#include "airports/AirportDb.h"
#include "engine/PlanBriefing.h"
#include "engine/SigmetSelection.h"
#include "engine/StationSelection.h"
#include "flight/PlanChoice.h"
#include "sources/SourceRegistry.h"

namespace wx::cli {
namespace {

std::map<std::string, std::string> flightOptions(const CliOptions& options) {
    std::map<std::string, std::string> given;
    for (const std::string& name : flightOptionNames()) {
        if (options.has(name)) {
            given[name] = options.text(name, "");
        }
    }
    return given;
}

}  // namespace

int runBrief(const std::vector<std::string>& args, CliStreams io) {
    const CliOptions options(args, {"plan", "from", "to", "alternate", "eta", "clock", "airports", "source"});
    if (!options.positional().empty()) {
        throw UsageError("brief takes options only");
    }
    const PlanChoice flight = flightChoice({}, flightOptions(options));
    if (!asksForPlan(flight)) {
        throw UsageError("brief needs --plan FILE, or --from ICAO and --to ICAO");
    }
    const UtcMillis now = options.has("clock")
                              ? parseUtcOption("clock", options.text("clock", ""))
                              : std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
    const LogFn log = streamLog(io.err);
    AirportDb airports(log);
    const bool loaded = options.has("airports") ? airports.loadFile(options.text("airports", "")) : airports.load();
    if (!loaded) {
        io.err << "nubiro-cli brief: no airport list could be loaded\n";
        return 1;
    }
    const TakenPlan taken = takePlan(flight, [&](const std::string& id) { return airports.findAirport(id); });
    if (!taken.plan) {
        io.err << "nubiro-cli brief: " << taken.warning << "\n";
        return 1;
    }
    EngineSettings settings;
    settings.plan = taken.plan;
    settings.alternateId = flight.alternateId;
    if (options.has("eta")) {
        settings.typedArrival = parseUtcOption("eta", options.text("eta", ""));
    }
    const auto source = makeSource(options.text("source", settings.source), log, {.clock = [now] { return now; }});
    std::vector<std::string> ids;
    for (const PlanAirport& airport : planAirports(settings)) {
        ids.push_back(airport.ident);
    }
    const MetarMap reports = source->fetchMetars(ids).reports;
    const SigmetList sigmets = sigmetsToApply(source->fetchSigmets(), now);
    const std::vector<Taf> tafs = source->fetchTafs(ids).value_or(std::vector<Taf>{});
    const auto tafOf = [&](const std::string& id) -> std::optional<Taf> {
        for (const Taf& taf : tafs) {
            if (taf.stationId == id) {
                return taf;
            }
        }
        log("[" + id + "] TAF missing", "WARN");
        return std::nullopt;
    };
    const UtcMillis eta = arrivalTime(arrivalInputs(settings, std::nullopt, now));
    const std::optional<Briefing> briefing =
        buildBriefing(settings, airports, {now, eta, reports, tafOf, sigmets.applicable});
    io.out << jsonLine(briefingToJson(*briefing)) << '\n';
    return 0;
}

}  // namespace wx::cli
