#pragma once

#include "weather/WeatherData.h"

namespace wx {

// Finishes a record's clouds before it is written: caps icing (CAVOK, cirrus),
// gives precipitation a carrying layer and the generic layers above it, and
// joins layers closer than 100 m. Changes only `clouds`.
void finalizeClouds(WeatherData& weather);

// Sorts layers by base; layers with equal bases keep their order.
void sortByBase(std::vector<CloudLayer>& clouds);

// Sorts `clouds` by base and folds every layer into the first earlier kept
// layer whose base is less than 100 m away.
void mergeCloudLayers(WeatherData& weather);

// The highest `icing` over `clouds`; 0 without clouds.
int32_t highestIcing(const WeatherData& weather);

}  // namespace wx
