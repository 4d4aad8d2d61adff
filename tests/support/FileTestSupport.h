// Raw file access for the tests that work on real files.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <string>

// Streams on the path's bytes, so that no name is re-encoded on the way.
inline QByteArray OnDisk(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    return in.is_open() ? QByteArray::fromStdString(bytes) : QByteArray("<unreadable>");
}

inline bool PutOnDisk(const std::string& path, const QByteArray& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return out.write(bytes.constData(), bytes.size()).flush().good();
}
