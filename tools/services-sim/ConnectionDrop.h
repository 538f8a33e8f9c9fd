#pragma once

namespace wx::sim {

// The serving library does not hand its sockets to request handlers, so a
// connection is found among this process's descriptors by its two ports.

// Shuts down the loopback TCP connection between localPort and remotePort
// of this process, so that the client sees it closed without an answer.
// False when no such connection is open.
bool dropConnection(int localPort, int remotePort);

// True when the client of that connection has closed its side, or the
// connection is gone.
bool clientLeft(int localPort, int remotePort);

}  // namespace wx::sim
