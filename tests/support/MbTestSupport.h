// Byte patterns, broken frames and stale socket files shared by the messaging tests.
#pragma once

#include "dnc/MbFrame.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

Q_DECLARE_METATYPE(std::string)

// A runtime folder of the test's own, so that the endpoint folder inside it is fresh.
struct RuntimeFolder : QTemporaryDir {
    RuntimeFolder() { qputenv("XDG_RUNTIME_DIR", path().toLocal8Bit()); }
};

inline std::string AllBytes()
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes.push_back(static_cast<char>(i));
    return bytes;
}

// Overwrites bytes of a frame with a big-endian number, to break one field.
inline std::string Patched(std::string frame, std::size_t offset, std::uint32_t value, int size)
{
    for (int i = size - 1; i >= 0; --i, value >>= 8)
        frame[offset + static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
    return frame;
}

// Rows of a std::string column "stream" that every reader of frames must refuse.
inline void AddMalformedFrameRows()
{
    // "hello" from "me": L = 19 at offset 4, S = 2 at 12, T = 5 at 16.
    const std::string good = mb::EncodeFrame(7, "me", "hello").value();
    QTest::addColumn<std::string>("stream");
    QTest::newRow("bad magic") << "MBI2" + good.substr(4);
    QTest::newRow("L over 1 MiB") << Patched(good, 4, mb::kMaxFrameBody + 1, 4);
    QTest::newRow("L over 1 MiB, header alone") << Patched(good, 4, mb::kMaxFrameBody + 1, 4).substr(0, 8);
    QTest::newRow("L below 10") << Patched(good, 4, 9, 4);
    QTest::newRow("L above 10+S+T") << Patched(good, 4, 20, 4) + "x";
    QTest::newRow("L below 10+S+T") << Patched(good, 4, 18, 4);
    QTest::newRow("S larger than the rest") << Patched(good, 12, 10, 2);
}

// A socket file whose socket was closed without listening: connecting to it is refused.
inline bool MakeStaleSocket(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound;
}
