#include "app/win32/EngineBridge.h"

namespace wx {

LogFn makeLogAdapter(HWND window) {
    return [window](const std::string& message, const std::string& level) {
        postPayload(window, kLogLineMessage, std::make_unique<LogLinePayload>(LogLinePayload{message, level}));
    };
}

EngineCallbacks makeEngineCallbacks(HWND window) {
    EngineCallbacks callbacks;
    callbacks.onLog = makeLogAdapter(window);
    callbacks.onStationWeather = [window](const std::string& stationId, const WeatherData& weather,
                                          double distanceNm) {
        postPayload(window, kStationWeatherMessage,
                    std::make_unique<StationWeatherPayload>(StationWeatherPayload{stationId, weather, distanceNm}));
    };
    callbacks.onStations = [window](const std::vector<std::string>& stationIds) {
        postPayload(window, kStationsChosenMessage, std::make_unique<StationListPayload>(StationListPayload{stationIds}));
    };
    callbacks.onStopped = [window] { PostMessageW(window, kEngineStoppedMessage, 0, 0); };
    return callbacks;
}

}  // namespace wx
