// The fault matrix's native platform: nubiro-cli serves the simulator with
// its in-process stand-in, which stdin commands change or make go away; the
// airport cache lives in a scratch folder named by XDG_CACHE_HOME.

#include <optional>

#include "faults/FaultRig.h"
#include "support/Environment.h"
#include "support/ScratchDir.h"
#include "support/posix/ChildProcess.h"

namespace wx::test {
namespace {

class NativeFaultRig final : public FaultRig {
public:
    std::string platform() const override { return "native"; }

    std::string freshCacheFolder() override {
        if (!scratch_) {
            scratch_.emplace();
            cacheHome_.emplace("XDG_CACHE_HOME", scratch_->path());
        }
        return scratch_->path(".nubiro");
    }

    bool trust(const std::string& authorityPath) override {
        authorityPath_ = authorityPath;
        return true;
    }

    testing::AssertionResult launch(std::optional<std::vector<std::string>> simulator,
                                    const std::vector<std::string>& runArgs) override {
        std::vector<std::string> words{"--ca-file", authorityPath_, "run", "--sim", simulator ? "standin" : "fsuipc"};
        if (simulator) {
            words.insert(words.end(), simulator->begin(), simulator->end());
        }
        words.insert(words.end(), runArgs.begin(), runArgs.end());
        cli_.emplace(NUBIRO_CLI_PATH, words, "nubiro-cli");
        return cli_->launched() ? testing::AssertionSuccess()
                                : testing::AssertionFailure() << "nubiro-cli could not be started";
    }

    void simulatorCommand(const std::string& line) override { cli_->sendLine(line); }
    void killSimulator() override { cli_->sendLine("kill"); }
    void restartSimulator() override { cli_->sendLine("restart"); }
    void sendToCli(const std::string& line) override { cli_->sendLine(line); }
    std::vector<TimedLine> cliLines() override { return cli_->linesSoFar(); }
    std::optional<int> waitForCliExit(std::chrono::milliseconds timeout) override {
        return cli_->waitForExit(timeout);
    }

private:
    std::string authorityPath_;
    std::optional<ScratchDir> scratch_;
    std::optional<EnvironmentScope> cacheHome_;
    std::optional<ChildProcess> cli_;
};

}  // namespace

std::unique_ptr<FaultRig> makeFaultRig() { return std::make_unique<NativeFaultRig>(); }

}  // namespace wx::test
