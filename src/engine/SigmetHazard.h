#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace wx {

// The hazards the SIGMET evaluation acts on; None for any other.
enum class SigmetHazard { None, Thunderstorm, Turbulence, Icing, VolcanicAsh, Cyclone };

// What names a SIGMET: its hazard words upper-cased, its area label (the
// "firId", else the "firName", else "?") and the hazard class the words
// give: the first of "TS", "TURB", "ICE", "VA" and "TC" they contain.
struct SigmetIdentity {
    std::string hazard;
    std::string label;
    SigmetHazard hazardClass = SigmetHazard::None;

    // The tag an applied SIGMET leaves: hazard, "@", label (TS@KZNY).
    std::string tag() const { return hazard + "@" + label; }
};

// Members absent or of another type take their defaults; never throws.
SigmetIdentity sigmetIdentity(const nlohmann::json& sigmet);

// A member of a SIGMET object that is text; `fallback` when it is absent or
// of another type.
std::string sigmetText(const nlohmann::json& sigmet, const char* key, const std::string& fallback = {});

}  // namespace wx
