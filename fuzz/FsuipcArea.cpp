// The FSUIPC shared area as the simulator's process may leave it: each send
// of the link's conversation finds the next piece of the input written over
// the answered batch, and an answer (or none) chosen by the input.

#include <memory>
#include <string_view>

#include "support/FuzzInput.h"
#include "support/ManualClock.h"
#include "support/ScriptedIpcTransport.h"
#include "support/SimSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wx;
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    fuzz::runSimSession(std::make_shared<fuzz::ScriptedIpcTransport>(script), std::make_shared<test::ManualClock>(),
                        [](const std::string&, const std::string&) {});
    return 0;
}
