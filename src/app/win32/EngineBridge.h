#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/EngineSettings.h"
#include "weather/LogFn.h"
#include "weather/WeatherData.h"

namespace wx {

// Engine events as messages posted to the main window (never sent), wParam
// 0, lParam a heap payload or 0.
inline constexpr UINT kLogLineMessage = WM_APP + 1;
inline constexpr UINT kStationWeatherMessage = WM_APP + 2;
inline constexpr UINT kEngineStoppedMessage = WM_APP + 3;
inline constexpr UINT kStationsChosenMessage = WM_APP + 4;

struct LogLinePayload {
    std::string message;
    std::string level;
};

struct StationWeatherPayload {
    std::string stationId;
    WeatherData weather;
    double distanceNm = 0.0;
};

struct StationListPayload {
    std::vector<std::string> stationIds;
};

// Posts a payload to the window. Once the post succeeded the window owns it
// (and frees it when its handler returns); when it fails, because the
// window is gone, the payload is freed here.
template <typename Payload>
void postPayload(HWND window, UINT message, std::unique_ptr<Payload> payload) {
    if (PostMessageW(window, message, 0, reinterpret_cast<LPARAM>(payload.get())) != 0) {
        payload.release();
    }
}

// The window's side: takes ownership of a posted payload (null for none).
template <typename Payload>
std::unique_ptr<Payload> takePayload(LPARAM lParam) {
    return std::unique_ptr<Payload>(reinterpret_cast<Payload*>(lParam));
}

// The callbacks handed to the engine and the airport database. Each holds
// only the window handle and does nothing but copy its arguments and post
// them, so they may run on any thread.
LogFn makeLogAdapter(HWND window);
EngineCallbacks makeEngineCallbacks(HWND window);

}  // namespace wx
