#include "support/StandInTrust.h"

#include "platform/win32/WinHttpTransport.h"
#include "support/win32/RootStoreEntry.h"

namespace wx::test {

struct StandInTrust::State {
    explicit State(const std::string& authorityPath) : entry(authorityPath) {}
    RootStoreEntry entry;
};

StandInTrust::StandInTrust(const ServicesSim& sim) : state_(std::make_unique<State>(sim.authorityPath)) {}

StandInTrust::~StandInTrust() = default;

bool StandInTrust::ok() const { return state_->entry.added(); }

std::shared_ptr<HttpTransport> StandInTrust::transport() const { return std::make_shared<WinHttpTransport>(); }

}  // namespace wx::test
