#include "support/StandInTrust.h"

#include <filesystem>
#include <string>

#include "platform/native/CurlTransport.h"

namespace wx::test {

struct StandInTrust::State {
    std::string authorityPath;
};

StandInTrust::StandInTrust(const ServicesSim& sim) : state_(std::make_unique<State>(State{sim.authorityPath})) {}

StandInTrust::~StandInTrust() = default;

bool StandInTrust::ok() const { return std::filesystem::is_regular_file(state_->authorityPath); }

std::shared_ptr<HttpTransport> StandInTrust::transport() const {
    return std::make_shared<CurlTransport>(state_->authorityPath);
}

}  // namespace wx::test
