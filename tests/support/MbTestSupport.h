// The runtime folder, broken frames and raw sockets of the messaging tests.
#pragma once

#include "mb/MbFrame.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A runtime folder of the test's own, so that the endpoint folder inside it is fresh.
struct RuntimeFolder : QTemporaryDir {
    RuntimeFolder() { qputenv("XDG_RUNTIME_DIR", path().toLocal8Bit()); }
};

// Overwrites bytes of a frame with a big-endian number, to break one field.
inline std::string Patched(std::string frame, std::size_t offset, std::uint32_t value, int size)
{
    for (int i = size - 1; i >= 0; --i, value >>= 8)
        frame[offset + static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
    return frame;
}

// A stream socket (with the socket flags given) that call (::bind or ::connect) has given the
// address path; -1 when that failed.
inline int UnixSocket(const std::string& path, int (*call)(int, const sockaddr*, socklen_t), int flags = 0)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
    sockaddr_un address{AF_UNIX, {}};
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    return call(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? fd : (::close(fd), -1);
}

// A socket file whose socket was closed without listening: connecting to it is refused.
inline bool MakeStaleSocket(const std::string& path) { return ::close(UnixSocket(path, ::bind)) == 0; }
