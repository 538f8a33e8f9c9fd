#pragma once

#include "support/ServicesSim.h"

namespace wx::test {

// Makes this test process's HTTP transports trust the web-services
// stand-in's certificate authority, as the program trusts the real
// services': natively every transport made from now on, in the Windows
// build every one of the process, which must call this before its first
// certificate check (Wine reads the root store once per process). False
// when that could not be done.
bool trustStandIn(const ServicesSim& sim);

}  // namespace wx::test
