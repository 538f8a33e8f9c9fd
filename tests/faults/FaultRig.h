#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/TimedLine.h"

namespace wx::test {

// What a fault case needs from the platform it runs on: the simulator
// (served, absent, killed, commanded), nubiro-cli run as a process of its
// own, and the program's airport cache folder. Natively the simulator is
// the stand-in inside nubiro-cli; on Windows it is fsuipc-sim.exe.
class FaultRig {
public:
    virtual ~FaultRig() = default;

    // "native" or "Windows".
    virtual std::string platform() const = 0;
    // The program's airport cache folder, emptied (natively a scratch
    // folder the program is pointed at, under Wine the prefix's own); empty
    // when this platform cannot offer one.
    virtual std::string freshCacheFolder() = 0;
    // Makes nubiro-cli trust the certificate authority in a PEM file, as it
    // trusts the real services' (natively an option, under Wine the
    // prefix's root store while the rig lives); false when that failed.
    virtual bool trust(const std::string& authorityPath) = 0;
    // Starts the simulator with the stand-in's options (none when absent)
    // and nubiro-cli with these words after "run"; a failure, saying what
    // came instead, when either did not start.
    virtual testing::AssertionResult launch(std::optional<std::vector<std::string>> simulator, const std::vector<std::string>& runArgs) = 0;
    // A stand-in command ("reply 0"), and the end of its process.
    virtual void simulatorCommand(const std::string& line) = 0;
    virtual void killSimulator() = 0;
    // Starts the simulator again, with the options it was first started with.
    virtual void restartSimulator() = 0;

    virtual void sendToCli(const std::string& line) = 0;
    virtual std::vector<TimedLine> cliLines() = 0;
    // nubiro-cli's exit status; empty while it runs after the time-out.
    virtual std::optional<int> waitForCliExit(std::chrono::milliseconds timeout) = 0;
};

std::unique_ptr<FaultRig> makeFaultRig();

}  // namespace wx::test
