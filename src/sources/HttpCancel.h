#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace wx {

// A switch that ends requests from another thread. cancel() marks it and
// runs what the transports registered for their requests in flight; every
// request that starts afterwards fails at once, until reset(). Shared by
// the clients of one owner (the engine) and used from any thread.
class HttpCancel {
public:
    // Keeps an action registered while a request runs; the action is never
    // running once this is destroyed.
    class Watch {
    public:
        Watch(Watch&& other) noexcept : owner_(other.owner_), id_(other.id_) { other.owner_ = nullptr; }
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;
        Watch& operator=(Watch&&) = delete;
        ~Watch();

    private:
        friend class HttpCancel;
        Watch(HttpCancel* owner, uint64_t id) : owner_(owner), id_(id) {}
        HttpCancel* owner_;
        uint64_t id_;
    };

    HttpCancel() = default;
    HttpCancel(const HttpCancel&) = delete;
    HttpCancel& operator=(const HttpCancel&) = delete;

    void cancel();
    void reset();
    bool cancelled() const;

    // Registers action for cancel(). The action runs on the cancelling
    // thread with this object's lock held, so it must be quick and must not
    // call back into it (wake a wait, signal an event). When the switch is
    // already on the action is not run: the caller checks cancelled() after
    // registering.
    [[nodiscard]] Watch watch(std::function<void()> action);

private:
    void forget(uint64_t id);

    mutable std::mutex mutex_;
    bool cancelled_ = false;
    uint64_t nextId_ = 1;
    std::map<uint64_t, std::function<void()>> actions_;
};

// A request's way to ask whether it was cancelled; no switch means never.
inline bool isCancelled(const HttpCancel* cancel) { return cancel != nullptr && cancel->cancelled(); }

}  // namespace wx
