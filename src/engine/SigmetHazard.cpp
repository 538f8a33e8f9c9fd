#include "engine/SigmetHazard.h"

namespace wx {
namespace {

using nlohmann::json;

std::string upperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

SigmetHazard hazardClass(const std::string& hazard) {
    const struct {
        const char* word;
        SigmetHazard hazard;
    } kClasses[] = {{"TS", SigmetHazard::Thunderstorm},
                    {"TURB", SigmetHazard::Turbulence},
                    {"ICE", SigmetHazard::Icing},
                    {"VA", SigmetHazard::VolcanicAsh},
                    {"TC", SigmetHazard::Cyclone}};
    for (const auto& entry : kClasses) {
        if (hazard.find(entry.word) != std::string::npos) {
            return entry.hazard;
        }
    }
    return SigmetHazard::None;
}

}  // namespace

std::string sigmetText(const json& sigmet, const char* key, const std::string& fallback) {
    const auto it = sigmet.find(key);
    return it != sigmet.end() && it->is_string() ? it->get<std::string>() : fallback;
}

SigmetIdentity sigmetIdentity(const json& sigmet) {
    SigmetIdentity identity;
    if (!sigmet.is_object()) {
        identity.label = "?";
        return identity;
    }
    identity.hazard = upperCase(sigmetText(sigmet, "hazard"));
    identity.label = sigmetText(sigmet, "firId", sigmetText(sigmet, "firName", "?"));
    identity.hazardClass = hazardClass(identity.hazard);
    return identity;
}

}  // namespace wx
