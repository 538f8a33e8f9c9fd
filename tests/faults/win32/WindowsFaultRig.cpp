// The fault matrix under Wine: nubiro-cli.exe talks to fsuipc-sim.exe, a
// process of its own that gets the stand-in's commands and is terminated to
// stand for a crash; the airport cache is the Wine prefix's own, emptied
// before and after a case.

#include <windows.h>

#include <filesystem>
#include <memory>

#include "faults/FaultRig.h"
#include "platform/PlatformDefaults.h"
#include "platform/win32/LocalAppDataFolder.h"
#include "support/win32/RootStoreEntry.h"
#include "support/win32/StandInProcess.h"
#include "util/Utf8Path.h"

namespace wx::test {
namespace {

// Emptying the user's cache folder is only acceptable in the throw-away
// prefix of a Wine test run.
bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class WindowsFaultRig final : public FaultRig {
public:
    ~WindowsFaultRig() override {
        cli_.reset();
        standIn_.reset();
        if (!cacheFolder_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(cacheFolder_, ignored);
        }
    }

    std::string platform() const override { return "Windows"; }

    std::string freshCacheFolder() override {
        if (!runningUnderWine()) {
            return {};
        }
        installPlatformDefaults();
        const auto folder = shellLocalAppDataFolder();
        if (!folder) {
            return {};
        }
        cacheFolder_ = utf8Path(*folder) / ".nubiro";
        std::error_code ignored;
        std::filesystem::remove_all(cacheFolder_, ignored);
        return utf8String(cacheFolder_);
    }

    bool trust(const std::string& authorityPath) override {
        trusted_ = std::make_unique<RootStoreEntry>(authorityPath);
        return trusted_->added();
    }

    testing::AssertionResult launch(std::optional<std::vector<std::string>> simulator,
                                    const std::vector<std::string>& runArgs) override {
        if (simulator) {
            simulatorOptions_ = *simulator;
            standIn_ = std::make_unique<StandInProcess>(*simulator);
            if (!standIn_->started()) {
                return standIn_->started();
            }
        }
        std::vector<std::string> words{"run", "--sim", "fsuipc"};
        words.insert(words.end(), runArgs.begin(), runArgs.end());
        cli_ = std::make_unique<ChildProcess>(NUBIRO_CLI_EXE, words, "nubiro-cli");
        return cli_->launched() ? testing::AssertionSuccess()
                                : testing::AssertionFailure() << "nubiro-cli.exe could not be started";
    }

    void simulatorCommand(const std::string& line) override {
        if (standIn_) {
            standIn_->sendLine(line);
        }
    }
    void killSimulator() override {
        if (standIn_) {
            standIn_->kill();
        }
    }
    void restartSimulator() override {
        standIn_.reset();
        standIn_ = std::make_unique<StandInProcess>(simulatorOptions_);
    }
    void sendToCli(const std::string& line) override { cli_->sendLine(line); }
    std::vector<TimedLine> cliLines() override { return cli_->timedLinesSoFar(); }
    std::optional<int> waitForCliExit(std::chrono::milliseconds timeout) override {
        const auto code = cli_->waitForExit(timeout);
        return code ? std::optional<int>(static_cast<int>(*code)) : std::nullopt;
    }

private:
    std::unique_ptr<RootStoreEntry> trusted_;
    std::filesystem::path cacheFolder_;
    std::vector<std::string> simulatorOptions_;
    std::unique_ptr<StandInProcess> standIn_;
    std::unique_ptr<ChildProcess> cli_;
};

}  // namespace

std::unique_ptr<FaultRig> makeFaultRig() { return std::make_unique<WindowsFaultRig>(); }

}  // namespace wx::test
