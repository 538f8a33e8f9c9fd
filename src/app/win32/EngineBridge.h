#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/WindowEvents.h"
#include "engine/EngineSettings.h"
#include "weather/LogFn.h"

namespace wx {

// The message that wakes the window for its queued events. It carries
// nothing: the window takes the events from the queue, so a message of
// this number posted by anyone else only makes the window look into its
// queue.
inline constexpr UINT kEventsWaitingMessage = WM_APP + 1;

// How the engine, the airport database and the weather-text job reach the
// window: each reports through callbacks that put an event into the queue
// the window owns and wake the window, so they may run on any thread. The
// window takes the events on its own thread. Events still queued when the
// window has gone are freed with the queue.
class EngineBridge {
public:
    EngineBridge() = default;
    explicit EngineBridge(HWND window);

    LogFn logAdapter() const;
    // The engine's callbacks; a station's record carries the time on
    // `engineClock` (the engine's own) at which it was written.
    EngineCallbacks engineCallbacks(UtcClock engineClock) const;
    // Reports one event, from any thread.
    void report(WindowEvent event) const;

    // Every event reported since the last take, oldest first.
    std::vector<WindowEvent> takeEvents() const;

private:
    struct Shared {
        HWND window = nullptr;
        WindowEventQueue queue;
    };
    static void report(Shared& shared, WindowEvent event);

    std::shared_ptr<Shared> shared_;
};

}  // namespace wx
