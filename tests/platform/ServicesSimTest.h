#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/PlatformDefaults.h"
#include "support/RunningServicesSim.h"
#include "support/StandInTrust.h"

namespace wx::test {

// Tests against the running web-services stand-in through this platform's
// real HTTP transport, trusting the stand-in's certificate authority as the
// program trusts the real services'. Faults are cleared before each test,
// since in the Windows build all tests share one stand-in.
class ServicesSimTest : public testing::Test {
protected:
    void SetUp() override {
        installPlatformDefaults();
        const auto sim = runningServicesSim();
        ASSERT_TRUE(sim) << "the web-services stand-in is not running";
        sim_ = *sim;
        ASSERT_TRUE(trustStandIn(sim_));
        transport_ = makeDefaultHttpTransport();
        ASSERT_TRUE(sim_.resetFaults(*transport_));
    }

    void TearDown() override {
        if (transport_ && !sim_.httpUrl.empty()) {
            sim_.resetFaults(*transport_);
        }
    }

    // The GET requests the stand-in logged after the first skip requests.
    // (Under Wine a refused certificate is told from a failed handshake by
    // a HEAD request without the checks.)
    std::vector<nlohmann::json> requestsSince(size_t skip) const {
        const auto all = sim_.requests();
        std::vector<nlohmann::json> gets;
        for (size_t i = skip; i < all.size(); ++i) {
            if (all[i]["method"] == "GET") {
                gets.push_back(all[i]);
            }
        }
        return gets;
    }

    std::shared_ptr<HttpTransport> transport_;
    ServicesSim sim_;
};

}  // namespace wx::test
