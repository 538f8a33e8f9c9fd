#include "weather/Clouds.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unordered_map>

namespace wx {
namespace {

int typeRank(const std::string& type) {
    static const std::unordered_map<std::string, int> kTypeRank = {
        {"CB", 5}, {"TCU", 4}, {"CU", 3}, {"SC", 3}, {"ST", 2}, {"AC", 2}, {"CI", 1}, {"", 0},
    };
    const auto it = kTypeRank.find(type);
    return it == kTypeRank.end() ? 0 : it->second;
}

CloudLayer precipLayer(int32_t baseM, int32_t coverOktas) {
    CloudLayer layer;
    layer.baseM = baseM;
    layer.coverOktas = coverOktas;
    layer.type = "ST";
    layer.source = "PRECIP";
    return layer;
}

}  // namespace

void sortByBase(std::vector<CloudLayer>& clouds) {
    std::stable_sort(clouds.begin(), clouds.end(),
                     [](const CloudLayer& a, const CloudLayer& b) { return a.baseM < b.baseM; });
}

void mergeCloudLayers(WeatherData& weather) {
    sortByBase(weather.clouds);
    std::vector<CloudLayer> merged;
    merged.reserve(weather.clouds.size());
    for (const CloudLayer& layer : weather.clouds) {
        const auto near = std::find_if(merged.begin(), merged.end(), [&](const CloudLayer& kept) {
            return std::abs(static_cast<int64_t>(kept.baseM) - layer.baseM) < 100;
        });
        if (near == merged.end()) {
            merged.push_back(layer);
            continue;
        }
        near->coverOktas = std::max(near->coverOktas, layer.coverOktas);
        if (typeRank(layer.type) > typeRank(near->type)) {
            near->type = layer.type;
        }
        near->icing = std::max(near->icing, layer.icing);
        near->turbulence = std::max(near->turbulence, layer.turbulence);
        if (layer.source == "PRECIP") {
            near->source = "PRECIP";
        }
    }
    weather.clouds = std::move(merged);
}

void finalizeClouds(WeatherData& weather) {
    auto& clouds = weather.clouds;
    if (weather.cavok) {
        for (CloudLayer& layer : clouds) {
            layer.icing = 0;
        }
    }
    for (CloudLayer& layer : clouds) {
        if (layer.type == "CI") {
            layer.icing = std::min(layer.icing, 1);
        }
    }
    if (weather.precipType == 0) {
        mergeCloudLayers(weather);
        return;
    }

    int32_t minBase = -1;
    int32_t maxBase = 0;
    bool anyLayer = false;
    for (const CloudLayer& layer : clouds) {
        if (layer.type == "CI") {
            continue;
        }
        minBase = anyLayer ? std::min(minBase, layer.baseM) : layer.baseM;
        maxBase = anyLayer ? std::max(maxBase, layer.baseM) : layer.baseM;
        anyLayer = true;
    }

    // The bases above were taken before any layer is appended below.
    if (minBase >= 250 && minBase <= 500) {
        const auto carrier = std::find_if(clouds.begin(), clouds.end(), [&](const CloudLayer& layer) {
            return layer.type != "CI" && layer.baseM == minBase;
        });
        carrier->source = "PRECIP";
        carrier->coverOktas = std::max(carrier->coverOktas, 6);
        if (carrier->type.empty()) {
            carrier->type = "ST";
        }
    } else {
        clouds.push_back(precipLayer(400, 6));
    }
    if (minBase < 0 || minBase > 1000) {
        clouds.push_back(precipLayer(1500, 5));
    }
    if (maxBase > 2000 || !anyLayer) {
        clouds.push_back(precipLayer(3000, 4));
    }
    if (maxBase > 3500) {
        clouds.push_back(precipLayer(5000, 4));
    }

    for (CloudLayer& layer : clouds) {
        if ((layer.type == "CB" || layer.type == "TCU") && layer.source == "METAR") {
            layer.source = "PRECIP";
        }
        if (layer.source == "PRECIP" && layer.type.empty()) {
            layer.type = "ST";
        }
    }
    mergeCloudLayers(weather);
    sortByBase(clouds);
}

int32_t highestIcing(const WeatherData& weather) {
    int32_t highest = 0;
    for (const CloudLayer& layer : weather.clouds) {
        highest = std::max(highest, layer.icing);
    }
    return highest;
}

}  // namespace wx
