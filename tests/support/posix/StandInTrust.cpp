#include "support/StandInTrust.h"

#include <filesystem>

#include "platform/PlatformDefaults.h"

namespace wx::test {

bool trustStandIn(const ServicesSim& sim) {
    return std::filesystem::is_regular_file(sim.authorityPath) &&
           trustOnlyCertificateAuthorities(sim.authorityPath);
}

}  // namespace wx::test
