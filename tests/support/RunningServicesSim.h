#pragma once

#include <optional>

#include "support/ServicesSim.h"

namespace wx::test {

// The stand-in this test program talks to: natively one started on free
// ports on first use and stopped at exit; in the Windows build the one the
// ctest fixture started. Absent when none could be had.
std::optional<ServicesSim> runningServicesSim();

}  // namespace wx::test
