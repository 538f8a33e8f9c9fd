#include "app/win32/EngineBridge.h"

#include <utility>

namespace wx {

EngineBridge::EngineBridge(HWND window) : shared_(std::make_shared<Shared>()) { shared_->window = window; }

void EngineBridge::report(Shared& shared, WindowEvent event) {
    if (shared.queue.push(std::move(event)) && PostMessageW(shared.window, kEventsWaitingMessage, 0, 0) == 0) {
        shared.queue.wakeLost();
    }
}

void EngineBridge::report(WindowEvent event) const { report(*shared_, std::move(event)); }

std::vector<WindowEvent> EngineBridge::takeEvents() const {
    return shared_ ? shared_->queue.takeAll() : std::vector<WindowEvent>{};
}

LogFn EngineBridge::logAdapter() const {
    return [shared = shared_](const std::string& message, const std::string& level) {
        report(*shared, LogLineEvent{message, level});
    };
}

EngineCallbacks EngineBridge::engineCallbacks(UtcClock engineClock) const {
    EngineCallbacks callbacks;
    callbacks.onLog = logAdapter();
    callbacks.onStationWritten = [shared = shared_, engineClock](const StationEntry& station,
                                                                 const WeatherData& weather) {
        report(*shared, StationWeatherEvent{station.stationId, weather, station.distanceNm, station.role,
                                            utcNow(engineClock)});
    };
    callbacks.onStations = [shared = shared_](const std::vector<std::string>& stationIds) {
        report(*shared, StationsChosenEvent{stationIds});
    };
    callbacks.onReadBack = [shared = shared_](const ReadBack& readBack) { report(*shared, ReadBackEvent{readBack}); };
    callbacks.onCycleOverview = [shared = shared_](const CycleOverview& overview) {
        report(*shared, CycleOverviewEvent{overview});
    };
    callbacks.onBriefing = [shared = shared_](const Briefing& briefing) { report(*shared, BriefingEvent{briefing}); };
    callbacks.onStopped = [shared = shared_] { report(*shared, EngineStoppedEvent{}); };
    return callbacks;
}

}  // namespace wx
