#include <memory>

#include "support/RunningServicesSim.h"
#include "support/ServicesSimProcess.h"
#include "support/TestData.h"

namespace wx::test {

std::optional<ServicesSim> runningServicesSim() {
    static const auto process =
        std::make_unique<ServicesSimProcess>(std::vector<std::string>{"--airports", testDataPath("airports.csv")});
    if (!process->started()) {
        return std::nullopt;
    }
    return process->sim();
}

}  // namespace wx::test
