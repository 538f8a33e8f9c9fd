#pragma once

namespace wx {

// Installs this platform's implementations of the core's seams as the
// process-wide defaults (HTTP transport, FSUIPC IPC transport, per-user
// folder lookup). Programs call it once at start-up, before anything else
// runs; tests install their own instead.
void installPlatformDefaults();

}  // namespace wx
