#include "sources/HttpTransport.h"

#include "util/ProcessDefault.h"

namespace wx {
namespace {

class OfflineTransport final : public HttpTransport {
public:
    std::optional<std::string> send(const HttpRequest&, const LogFn&) override { return std::nullopt; }
};

std::shared_ptr<HttpTransport> offlineTransport() { return std::make_shared<OfflineTransport>(); }

ProcessDefault<std::shared_ptr<HttpTransport>>& slot() {
    static ProcessDefault<std::shared_ptr<HttpTransport>> instance(offlineTransport);
    return instance;
}

}  // namespace

std::shared_ptr<HttpTransport> defaultHttpTransport() { return slot().get(); }

void setDefaultHttpTransport(std::shared_ptr<HttpTransport> transport) { slot().set(std::move(transport)); }

}  // namespace wx
