#pragma once

namespace wx::sim {

// Shuts down the loopback TCP connection between localPort and remotePort
// of this process, so that the client sees it closed without an answer.
// False when no such connection is open.
bool dropConnection(int localPort, int remotePort);

}  // namespace wx::sim
