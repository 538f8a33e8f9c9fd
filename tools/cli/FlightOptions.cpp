#include "FlightOptions.h"

#include "CliOptions.h"
#include "flight/PlanText.h"

namespace wx::cli {
namespace {

std::string airportOption(const std::map<std::string, std::string>& given, const std::string& name) {
    const auto it = given.find(name);
    if (it == given.end()) {
        return {};
    }
    if (!isAirportIdent(it->second)) {
        throw UsageError("--" + name + " needs an airport ident such as EGLL, not \"" + it->second + "\"");
    }
    return upperAscii(it->second);
}

}  // namespace

const std::set<std::string>& flightOptionNames() {
    static const std::set<std::string> kNames{"plan", "from", "to", "alternate"};
    return kNames;
}

PlanChoice flightChoice(PlanChoice fromFile, const std::map<std::string, std::string>& given) {
    const bool plan = given.count("plan") != 0;
    const bool from = given.count("from") != 0;
    const bool to = given.count("to") != 0;
    if (plan && (from || to)) {
        throw UsageError("--plan names its own airports: give it without --from and --to");
    }
    if (from != to) {
        throw UsageError("--from and --to go together");
    }
    PlanChoice choice = std::move(fromFile);
    if (plan || from) {
        choice.planPath = plan ? given.at("plan") : "";
        choice.departureId = airportOption(given, "from");
        choice.destinationId = airportOption(given, "to");
    }
    if (given.count("alternate") != 0) {
        choice.alternateId = airportOption(given, "alternate");
        if (!asksForPlan(choice)) {
            throw UsageError("--alternate needs --plan, or --from and --to");
        }
    }
    return choice;
}

}  // namespace wx::cli
