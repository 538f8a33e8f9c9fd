#include "sources/HttpTransport.h"

#include "util/ProcessDefault.h"

namespace wx {
namespace {

class OfflineTransport final : public HttpTransport {
public:
    HttpResult send(const HttpRequest&, const LogFn&) override { return HttpResult::failure(HttpOutcome::Failed); }
};

HttpTransportFactory offlineFactory() {
    return [] { return std::make_shared<OfflineTransport>(); };
}

ProcessDefault<HttpTransportFactory>& slot() {
    static ProcessDefault<HttpTransportFactory> instance(offlineFactory);
    return instance;
}

}  // namespace

std::shared_ptr<HttpTransport> makeDefaultHttpTransport() { return slot().get()(); }

HttpTransportFactory defaultHttpTransportFactory() { return slot().get(); }

void setDefaultHttpTransportFactory(HttpTransportFactory factory) { slot().set(std::move(factory)); }

void setDefaultHttpTransport(std::shared_ptr<HttpTransport> transport) {
    if (!transport) {
        slot().set(nullptr);
        return;
    }
    slot().set([transport] { return transport; });
}

}  // namespace wx
