#include "support/RunningServicesSim.h"

namespace wx::test {

std::optional<ServicesSim> runningServicesSim() { return servicesSimFromFixture(); }

}  // namespace wx::test
