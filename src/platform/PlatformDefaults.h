#pragma once

#include <string>

namespace wx {

// Installs this platform's implementations of the core's seams as the
// process-wide defaults (HTTP transport, FSUIPC IPC transport, per-user
// folder lookup). Programs call it once at start-up, before anything else
// runs; tests install their own instead.
void installPlatformDefaults();

// Makes the HTTP transports of new clients trust the certificate
// authorities of a PEM file instead of the system's, for runs against the
// web-services stand-in. False where the platform has no such choice: the
// Windows build always trusts the system's certificate store.
bool trustOnlyCertificateAuthorities(const std::string& pemFile);

// Standard input, output and error carry bytes as they are. On Windows they
// otherwise turn line ends into CR LF, and a write to a pipe that is full at
// that moment can then be repeated in part, garbling a line.
void useBinaryStandardStreams();

}  // namespace wx
