#include "ConnectionDrop.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace wx::sim {
namespace {

int portOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET) {
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    }
    if (address.ss_family == AF_INET6) {
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    }
    return -1;
}

// The descriptor of the connection between the two ports; -1 when none.
int findConnection(int localPort, int remotePort) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const int fd = std::atoi(entry.path().filename().c_str());
        sockaddr_storage local{};
        sockaddr_storage peer{};
        socklen_t length = sizeof local;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
            continue;
        }
        length = sizeof peer;
        if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0) {
            continue;
        }
        if (portOf(local) == localPort && portOf(peer) == remotePort) {
            return fd;
        }
    }
    return -1;
}

}  // namespace

bool dropConnection(int localPort, int remotePort) {
    const int fd = findConnection(localPort, remotePort);
    return fd >= 0 && shutdown(fd, SHUT_RDWR) == 0;
}

bool clientLeft(int localPort, int remotePort) {
    const int fd = findConnection(localPort, remotePort);
    if (fd < 0) {
        return true;
    }
    pollfd watched{fd, POLLRDHUP, 0};
    return poll(&watched, 1, 0) > 0 && (watched.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

}  // namespace wx::sim
