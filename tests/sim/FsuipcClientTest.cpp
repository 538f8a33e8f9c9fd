#include <gtest/gtest.h>

#include <cstring>

#include "SimTestKit.h"
#include "sim/FsuipcClient.h"
#include "sim/LittleEndian.h"

namespace wx {
namespace {

using standin::LoopbackIpcTransport;
using standin::SimSettings;
using test::LoopbackRig;

std::vector<uint8_t> le32(uint32_t value) {
    std::vector<uint8_t> bytes(4);
    storeLe32(bytes.data(), value);
    return bytes;
}

std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class FsuipcClientTest : public ::testing::Test {
protected:
    LoopbackRig rig;
    FsuipcClient client{rig.transport, rig.clock};
};

TEST_F(FsuipcClientTest, HandshakeReadsBothVersionWordsAndAnnouncesTheYearOnce) {
    ASSERT_TRUE(client.open(7)) << static_cast<int>(client.result());
    ASSERT_EQ(rig.transport->batches().size(), 1u);
    const std::vector<uint8_t> expected = join({
        le32(1), le32(0x3304), le32(4), le32(1), le32(0),     // read module version into destination 1
        le32(1), le32(0x3308), le32(4), le32(2), le32(0),     // read simulator version into destination 2
        le32(2), le32(0x330A), le32(2), {0xD2, 0x07},         // write 2002
        le32(0),                                              // end of batch
    });
    EXPECT_EQ(rig.transport->batches()[0], expected);
    EXPECT_EQ(client.moduleVersion(), 0x19980005u);
    EXPECT_EQ(client.simVersion(), 7u);
    EXPECT_EQ(rig.model->clientYear(), 2002);
    EXPECT_EQ(rig.clock->elapsed(), std::chrono::milliseconds(100));
}

TEST_F(FsuipcClientTest, BatchLaysOutRequestsAndDeliversReadsOnlyAfterProcess) {
    ASSERT_TRUE(client.open(0));
    rig.model->poke(0x0238, {14, 30});
    uint8_t clock[2] = {0xEE, 0xEE};
    const uint8_t control[4] = {0x64, 0x04, 0, 0};
    ASSERT_TRUE(client.read(0x0238, 2, clock));
    ASSERT_TRUE(client.write(0x3110, 4, control));
    ASSERT_TRUE(client.read(0x02A0, 2, nullptr));
    EXPECT_EQ(clock[0], 0xEE) << "nothing is delivered before process";
    ASSERT_TRUE(client.process());
    EXPECT_EQ(clock[0], 14);
    EXPECT_EQ(clock[1], 30);
    const std::vector<uint8_t> expected = join({
        le32(1), le32(0x0238), le32(2), le32(1), {0, 0},  // 2-byte read: 18 bytes
        le32(2), le32(0x3110), le32(4), le32(1124),       // 4-byte write: 16 bytes
        le32(1), le32(0x02A0), le32(2), le32(0), {0, 0},  // no destination
        le32(0),
    });
    EXPECT_EQ(rig.transport->batches().back(), expected);
}

struct CapacityCase {
    const char* name;
    int fourByteWritesBefore;
    uint32_t nextReadSize;
    bool fits;
};

class FsuipcCapacityTest : public FsuipcClientTest, public ::testing::WithParamInterface<CapacityCase> {};

TEST_P(FsuipcCapacityTest, RefusesARequestThatWouldEndBeyondTheQueueLimit) {
    const CapacityCase& c = GetParam();
    ASSERT_TRUE(client.open(0));
    const uint8_t word[4] = {1, 2, 3, 4};
    for (int i = 0; i < c.fourByteWritesBefore; ++i) {
        ASSERT_TRUE(client.write(0x4000, 4, word)) << i;
    }
    std::vector<uint8_t> destination(c.nextReadSize == 0xFFFFFFF8u ? 0 : c.nextReadSize);
    EXPECT_EQ(client.read(0x4000, c.nextReadSize, destination.data()), c.fits);
    EXPECT_EQ(client.result(), c.fits ? FsuipcResult::Ok : FsuipcResult::RequestTooLarge);
    if (c.fourByteWritesBefore == 0 && !c.fits) {
        return;
    }
    ASSERT_TRUE(client.process()) << "earlier requests stay queued";
    const size_t readBytes = c.fits ? 16 + c.nextReadSize : 0;
    EXPECT_EQ(rig.transport->batches().back().size(), c.fourByteWritesBefore * 16u + readBytes + 4);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FsuipcCapacityTest,
    ::testing::Values(CapacityCase{"WholeAreaInOneRead", 0, 32496, true},
                      CapacityCase{"OneByteTooMany", 0, 32497, false},
                      CapacityCase{"LastFourByteFits", 2030, 4, true},
                      CapacityCase{"NextFourByteCrossesTheLimit", 2031, 4, false},
                      CapacityCase{"SizeThatWouldWrapAround", 1, 0xFFFFFFF8u, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FsuipcClientTest, AFullNwiRecordWriteFitsInOneBatch) {
    ASSERT_TRUE(client.open(0));
    const uint8_t word[4] = {};
    for (int i = 0; i < 255; ++i) {
        ASSERT_TRUE(client.write(0xC804 + 4 * i, 4, word));
    }
    ASSERT_TRUE(client.write(0xC802, 2, word));
    ASSERT_TRUE(client.write(0xC800, 2, word));
    ASSERT_TRUE(client.process());
    EXPECT_EQ(rig.transport->batches().back().size(), 255u * 16 + 2 * 14 + 4);
}

TEST_F(FsuipcClientTest, OperationsOnAClosedClientGiveNotOpen) {
    uint8_t byte = 0;
    EXPECT_FALSE(client.read(0x0238, 1, &byte));
    EXPECT_EQ(client.result(), FsuipcResult::NotOpen);
    EXPECT_FALSE(client.write(0x0238, 1, &byte));
    EXPECT_EQ(client.result(), FsuipcResult::NotOpen);
    EXPECT_FALSE(client.process());
    EXPECT_EQ(client.result(), FsuipcResult::NotOpen);
    client.close();
    EXPECT_EQ(rig.transport->sendCount(), 0);
}

TEST_F(FsuipcClientTest, ProcessWithNothingQueuedSendsNothing) {
    ASSERT_TRUE(client.open(0));
    const int sends = rig.transport->sendCount();
    EXPECT_FALSE(client.process());
    EXPECT_EQ(client.result(), FsuipcResult::NothingQueued);
    uint8_t byte = 0;
    ASSERT_TRUE(client.read(0x0238, 1, &byte));
    ASSERT_TRUE(client.process());
    EXPECT_FALSE(client.process());
    EXPECT_EQ(client.result(), FsuipcResult::NothingQueued);
    EXPECT_EQ(rig.transport->sendCount(), sends + 1);
}

TEST_F(FsuipcClientTest, SecondOpenLeavesTheOpenClientAsItWas) {
    ASSERT_TRUE(client.open(7));
    EXPECT_FALSE(client.open(0));
    EXPECT_EQ(client.result(), FsuipcResult::AlreadyOpen);
    EXPECT_TRUE(client.isOpen());
    EXPECT_EQ(client.simVersion(), 7u);
    uint8_t byte = 0;
    EXPECT_TRUE(client.read(0x0238, 1, &byte) && client.process());
    EXPECT_EQ(rig.transport->areaNames().size(), 1u);
}

TEST_F(FsuipcClientTest, NamesEachAreaByProcessAndOpenCount) {
    rig.transport->setProcessId(0xBEEF);
    ASSERT_TRUE(client.open(0));
    client.close();
    ASSERT_TRUE(client.open(0));
    EXPECT_EQ(rig.transport->areaNames(), (std::vector<std::string>{"FsasmLib:IPC:BEEF:1", "FsasmLib:IPC:BEEF:2"}));

    // Another client of the process continues the count; an area whose name
    // is already taken is refused.
    const auto taken = rig.transport->createMapping("FsasmLib:IPC:BEEF:4", FsuipcClient::kAreaSize);
    FsuipcClient other(rig.transport, rig.clock);
    ASSERT_TRUE(other.open(0));
    EXPECT_EQ(rig.transport->areaNames().back(), "FsasmLib:IPC:BEEF:3");
    other.close();
    EXPECT_FALSE(other.open(0));
    EXPECT_EQ(other.result(), FsuipcResult::AreaNotCreated);
}

TEST_F(FsuipcClientTest, FindsTheWindowUnderEitherClass) {
    for (const char* windowClass : {"UIPCMAIN", "FS98MAIN"}) {
        SimSettings settings;
        settings.windowClass = windowClass;
        LoopbackRig other(settings);
        FsuipcClient otherClient(other.transport, other.clock);
        EXPECT_TRUE(otherClient.open(7)) << windowClass;
    }
    SimSettings settings;
    settings.windowClass = "SOMETHING";
    LoopbackRig nowhere(settings);
    FsuipcClient lost(nowhere.transport, nowhere.clock);
    EXPECT_FALSE(lost.open(0));
    EXPECT_EQ(lost.result(), FsuipcResult::NoWindow);
    EXPECT_TRUE(nowhere.transport->areaNames().empty());
}

struct OpenFailureCase {
    const char* name;
    void (*arrange)(LoopbackRig&);
    FsuipcResult expected;
    int expectedSends;
};

class FsuipcOpenFailureTest : public ::testing::TestWithParam<OpenFailureCase> {};

TEST_P(FsuipcOpenFailureTest, ReportsTheFailedStepAndReleasesEverything) {
    const OpenFailureCase& c = GetParam();
    LoopbackRig rig;
    c.arrange(rig);
    FsuipcClient client(rig.transport, rig.clock);
    EXPECT_FALSE(client.open(0));
    EXPECT_EQ(client.result(), c.expected);
    EXPECT_FALSE(client.isOpen());
    EXPECT_EQ(rig.transport->sendCount(), c.expectedSends);
    EXPECT_EQ(rig.transport->liveAreas(), 0u);
    EXPECT_EQ(rig.transport->liveAtoms(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FsuipcOpenFailureTest,
    ::testing::Values(
        OpenFailureCase{"NoWindow", [](LoopbackRig& r) { r.transport->setRunning(false); }, FsuipcResult::NoWindow, 0},
        OpenFailureCase{"NoMessage", [](LoopbackRig& r) { r.transport->faults().noMessage = true; },
                        FsuipcResult::MessageNotRegistered, 0},
        OpenFailureCase{"NoAtom", [](LoopbackRig& r) { r.transport->faults().noAtom = true; },
                        FsuipcResult::AtomNotAdded, 0},
        OpenFailureCase{"NoArea", [](LoopbackRig& r) { r.transport->faults().noMapping = true; },
                        FsuipcResult::AreaNotCreated, 0},
        OpenFailureCase{"NoView", [](LoopbackRig& r) { r.transport->faults().noView = true; },
                        FsuipcResult::AreaNotMapped, 0},
        OpenFailureCase{"NoReplyNoError", [](LoopbackRig& r) { r.transport->faults().unansweredSends = 9; },
                        FsuipcResult::NoReply, 9},
        OpenFailureCase{"NoReplyWithError",
                        [](LoopbackRig& r) {
                            r.transport->faults().unansweredSends = 9;
                            r.transport->faults().sendErrorCode = 1460;
                        },
                        FsuipcResult::NoReplySystemError, 9},
        OpenFailureCase{"ReplyOtherThanOne", [](LoopbackRig& r) { r.model->setReplyValue(0); },
                        FsuipcResult::BadReply, 1},
        OpenFailureCase{"OldModuleUnderFs98Main", [](LoopbackRig& r) { r.model->setModuleVersion(0x19980004); },
                        FsuipcResult::VersionCheckFs98Main, 1},
        OpenFailureCase{"VersionWordWithoutMark", [](LoopbackRig& r) { r.model->poke(0x3308, {7, 0, 0x34, 0x12}); },
                        FsuipcResult::VersionCheckFs98Main, 1},
        OpenFailureCase{"ModuleSilentForFiveRounds", [](LoopbackRig& r) { r.model->setModuleVersion(0); },
                        FsuipcResult::VersionCheckFs98Main, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FsuipcClientVersions, OldModuleUnderUipcMainGivesItsOwnCode) {
    SimSettings settings;
    settings.windowClass = "UIPCMAIN";
    settings.moduleVersion = 0x19980004;
    LoopbackRig rig(settings);
    FsuipcClient client(rig.transport, rig.clock);
    EXPECT_FALSE(client.open(0));
    EXPECT_EQ(client.result(), FsuipcResult::VersionCheckUipcMain);
}

TEST(FsuipcClientVersions, HandshakeRepeatsWhileAWordIsZeroAndAnnouncesTheYearOnlyFirst) {
    LoopbackRig rig;
    rig.model->setModuleVersion(0);
    FsuipcClient client(rig.transport, rig.clock);
    ASSERT_FALSE(client.open(0));
    const auto& batches = rig.transport->batches();
    ASSERT_EQ(batches.size(), 5u);
    EXPECT_EQ(batches[0].size(), 20u + 20 + 14 + 4);
    for (size_t i = 1; i < batches.size(); ++i) {
        EXPECT_EQ(batches[i].size(), 20u + 20 + 4) << i;
    }
    EXPECT_EQ(rig.clock->elapsed(), std::chrono::milliseconds(500));
}

TEST(FsuipcClientVersions, OtherSimulatorVersionIsRefusedOnlyWhenOneWasAskedFor) {
    SimSettings settings;
    settings.simVersion = 8;
    LoopbackRig rig(settings);
    FsuipcClient client(rig.transport, rig.clock);
    EXPECT_FALSE(client.open(7));
    EXPECT_EQ(client.result(), FsuipcResult::WrongSimVersion);
    EXPECT_FALSE(client.isOpen());
    EXPECT_EQ(client.simVersion(), 8u);
    EXPECT_EQ(rig.transport->liveAreas(), 0u);
    EXPECT_TRUE(client.open(0));
    EXPECT_EQ(client.simVersion(), 8u);
}

TEST_F(FsuipcClientTest, SendIsRetriedNineTimesAtMost) {
    ASSERT_TRUE(client.open(0));
    const auto before = rig.clock->elapsed();
    const int sends = rig.transport->sendCount();
    uint8_t byte = 0;
    rig.transport->faults().unansweredSends = 8;
    ASSERT_TRUE(client.read(0x0238, 1, &byte));
    EXPECT_TRUE(client.process());
    EXPECT_EQ(rig.transport->sendCount(), sends + 9);
    EXPECT_EQ(rig.clock->elapsed() - before, std::chrono::milliseconds(800));
}

// Neither a window that is gone nor one whose thread is hung answers a
// second try in time: the batch is given up after the first send.
TEST_F(FsuipcClientTest, AGoneOrHungWindowEndsTheTriesAtOnce) {
    ASSERT_TRUE(client.open(0));
    uint8_t byte = 0;
    rig.transport->faults().hungUntil = Clock::TimePoint::max();
    ASSERT_TRUE(client.read(0x0238, 1, &byte));
    const int sends = rig.transport->sendCount();
    EXPECT_FALSE(client.process());
    EXPECT_FALSE(client.windowGone());
    rig.transport->faults().hungUntil = {};
    rig.transport->setRunning(false);
    ASSERT_TRUE(client.read(0x0238, 1, &byte));
    EXPECT_FALSE(client.process());
    EXPECT_TRUE(client.windowGone());
    EXPECT_EQ(rig.transport->sendCount(), sends + 2);
}

TEST_F(FsuipcClientTest, FailedProcessDropsTheBatchAndLeavesDestinationsAlone) {
    ASSERT_TRUE(client.open(0));
    uint8_t hour = 0xAA;
    rig.transport->faults().unansweredSends = 9;
    ASSERT_TRUE(client.read(0x0238, 1, &hour));
    EXPECT_FALSE(client.process());
    EXPECT_EQ(client.result(), FsuipcResult::NoReply);
    EXPECT_EQ(hour, 0xAA);
    EXPECT_FALSE(client.process());
    EXPECT_EQ(client.result(), FsuipcResult::NothingQueued);
    rig.model->poke(0x0238, {9});
    ASSERT_TRUE(client.read(0x0238, 1, &hour));
    EXPECT_TRUE(client.process());
    EXPECT_EQ(hour, 9);
}

// A transport whose far side answers with a rewritten area: it points the
// first read at a destination the client never handed out and claims a
// size beyond the area for the second.
class TamperingTransport final : public IpcTransport {
public:
    IpcWindow findWindow(const std::string&) override { return 1; }
    uint32_t registerMessage(const std::string&) override { return 0xC000; }
    uint32_t processId() override { return 1; }
    uint32_t nextOpenCount() override { return 1; }
    std::unique_ptr<IpcAtom> addAtom(const std::string&) override { return std::make_unique<Atom>(); }
    std::unique_ptr<IpcMapping> createMapping(const std::string&, size_t size) override {
        area_.assign(size, 0);
        return std::make_unique<Mapping>(area_);
    }
    IpcSendResult send(IpcWindow, uint32_t, uintptr_t, intptr_t, uint32_t) override {
        if (tamper_) {
            storeLe32(&area_[12], 7);
            std::memset(&area_[16], 0x55, 4);
            storeLe32(&area_[20 + 8], 0xFFFFFF00u);
        } else {
            storeLe32(&area_[16], 0x19980005);
            storeLe32(&area_[36], 0xFADE0007);
        }
        return {true, 1, 0};
    }
    void startTampering() { tamper_ = true; }

private:
    struct Atom final : IpcAtom {
        uint16_t value() const override { return 0xC001; }
    };
    struct View final : IpcView {
        explicit View(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
        uint8_t* data() override { return bytes_.data(); }
        std::vector<uint8_t>& bytes_;
    };
    struct Mapping final : IpcMapping {
        explicit Mapping(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
        std::unique_ptr<IpcView> mapView() override { return std::make_unique<View>(bytes_); }
        std::vector<uint8_t>& bytes_;
    };

    std::vector<uint8_t> area_;
    bool tamper_ = false;
};

TEST(FsuipcClientSafety, CopiesOnlyIntoDestinationsItHandedOut) {
    auto transport = std::make_shared<TamperingTransport>();
    FsuipcClient client(transport, std::make_shared<test::ManualClock>());
    ASSERT_TRUE(client.open(7)) << static_cast<int>(client.result());
    transport->startTampering();
    uint8_t first[4] = {1, 1, 1, 1};
    uint8_t second[4] = {2, 2, 2, 2};
    ASSERT_TRUE(client.read(0x0238, 4, first));
    ASSERT_TRUE(client.read(0x023C, 4, second));
    EXPECT_TRUE(client.process());
    EXPECT_EQ(first[0], 1);
    EXPECT_EQ(second[0], 2);
}

}  // namespace
}  // namespace wx
