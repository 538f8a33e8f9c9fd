#pragma once

#include <map>
#include <set>
#include <string>

#include "flight/PlanChoice.h"

namespace wx::cli {

// The flight options of `run`: plan, from, to, alternate.
const std::set<std::string>& flightOptionNames();

// The flight the command line asks for, given its flight options by name
// (without "--"), over the one a settings file held: --plan, --from and
// --to replace the file's plan and airports together, --alternate its
// alternate. The airports are upper-cased. Throws UsageError for --plan
// beside --from or --to, one of --from and --to without the other, an
// airport that is no ident, and an alternate without a plan or airports.
PlanChoice flightChoice(PlanChoice fromFile, const std::map<std::string, std::string>& given);

}  // namespace wx::cli
