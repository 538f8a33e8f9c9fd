#include "sources/HttpTransport.h"

#include <mutex>

namespace wx {
namespace {

class OfflineTransport final : public HttpTransport {
public:
    std::optional<std::string> send(const HttpRequest&, const LogFn&) override { return std::nullopt; }
};

struct DefaultSlot {
    std::mutex mutex;
    std::shared_ptr<HttpTransport> transport = std::make_shared<OfflineTransport>();
};

DefaultSlot& slot() {
    static DefaultSlot instance;
    return instance;
}

}  // namespace

std::shared_ptr<HttpTransport> defaultHttpTransport() {
    std::lock_guard lock(slot().mutex);
    return slot().transport;
}

void setDefaultHttpTransport(std::shared_ptr<HttpTransport> transport) {
    std::lock_guard lock(slot().mutex);
    slot().transport = transport ? std::move(transport) : std::make_shared<OfflineTransport>();
}

}  // namespace wx
