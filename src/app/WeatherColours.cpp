#include "app/WeatherColours.h"

namespace wx {
namespace {

struct CategoryEntry {
    FlightCategory category;
    Rgb colour;
};
constexpr CategoryEntry kCategories[] = {
    {FlightCategory::Vfr, {0, 140, 48}},
    {FlightCategory::Mvfr, {0, 90, 230}},
    {FlightCategory::Ifr, {214, 0, 0}},
    {FlightCategory::Lifr, {190, 0, 190}},
};

}  // namespace

Rgb categoryColour(FlightCategory category) {
    for (const CategoryEntry& entry : kCategories) {
        if (entry.category == category) {
            return entry.colour;
        }
    }
    return kCategories[0].colour;
}

std::optional<FlightCategory> categoryNamed(std::string_view name) {
    for (const CategoryEntry& entry : kCategories) {
        if (name == flightCategoryName(entry.category)) {
            return entry.category;
        }
    }
    return std::nullopt;
}

Rgb hazardColour(SigmetHazard hazard) {
    switch (hazard) {
    case SigmetHazard::Thunderstorm:
    case SigmetHazard::Cyclone:
        return {255, 64, 64};
    case SigmetHazard::Turbulence:
        return {255, 150, 20};
    case SigmetHazard::Icing:
        return {80, 170, 255};
    case SigmetHazard::VolcanicAsh:
    case SigmetHazard::None:
        break;
    }
    return {170, 170, 170};
}

}  // namespace wx
