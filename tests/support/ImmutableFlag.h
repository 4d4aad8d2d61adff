// Makes a file immutable for a test: writes are refused even to root.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>

#include "base/FileDescriptor.h"

// Cleared again when it goes, so that the folder can be removed.
class ImmutableFlag {
public:
    explicit ImmutableFlag(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), set_(Change(FS_IMMUTABLE_FL))
    {}
    ~ImmutableFlag() { Change(0); }
    bool isSet() const { return set_; }

private:
    bool Change(int flag)
    {
        int flags = 0;
        return ::ioctl(fd_.get(), FS_IOC_GETFLAGS, &flags) == 0 &&
               ::ioctl(fd_.get(), FS_IOC_SETFLAGS, &(flags = (flags & ~FS_IMMUTABLE_FL) | flag)) == 0;
    }

    FileDescriptor fd_;
    const bool set_;
};
