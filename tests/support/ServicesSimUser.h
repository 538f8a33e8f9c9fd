#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/PlatformDefaults.h"
#include "sources/HttpTransport.h"
#include "support/Environment.h"
#include "support/RunningServicesSim.h"

namespace wx::test {

// A test that runs against the running web-services stand-in: the
// platform's defaults installed, a transport for the stand-in's control
// routes, and the faults a test set cleared after it, since a test program
// shares one stand-in. `Base` is testing::Test or a TestWithParam.
template <typename Base = testing::Test>
class ServicesSimUser : public Base {
protected:
    void SetUp() override {
        installPlatformDefaults();
        control_ = makeDefaultHttpTransport();
        const auto sim = runningServicesSim();
        ASSERT_TRUE(sim) << "the web-services stand-in is not running";
        sim_ = *sim;
    }

    void TearDown() override {
        if (control_ && !sim_.httpUrl.empty()) {
            sim_.resetFaults(*control_);
        }
    }

    // The weather services' hosts, those of the past included, point at
    // `url` until the test ends.
    void pointServicesAt(const std::string& url) {
        for (const char* name : {"NUBIRO_AWC_URL", "NUBIRO_OPENMETEO_URL", "NUBIRO_OPENMETEO_HISTORY_URL", "NUBIRO_IEM_URL"}) {
            hosts_.push_back(std::make_unique<EnvironmentScope>(name, url));
        }
    }

    ServicesSim sim_;
    std::shared_ptr<HttpTransport> control_;  // made once the platform's transport is installed

private:
    std::vector<std::unique_ptr<EnvironmentScope>> hosts_;
};

}  // namespace wx::test
