// Makes a file immutable for a test: writes are refused even to root.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>

#include "base/FileDescriptor.h"

// The immutable flag refuses writes even to root; cleared again so the folder can be removed.
class ImmutableFlag {
public:
    explicit ImmutableFlag(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        int flags = 0;
        if (fd_.get() < 0 || ::ioctl(fd_.get(), FS_IOC_GETFLAGS, &flags) != 0)
            return;
        flags |= FS_IMMUTABLE_FL;
        set_ = ::ioctl(fd_.get(), FS_IOC_SETFLAGS, &flags) == 0;
    }
    ~ImmutableFlag()
    {
        int flags = 0;
        if (set_ && ::ioctl(fd_.get(), FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd_.get(), FS_IOC_SETFLAGS, &flags);
        }
    }
    ImmutableFlag(const ImmutableFlag&) = delete;
    ImmutableFlag& operator=(const ImmutableFlag&) = delete;
    bool isSet() const { return set_; }

private:
    FileDescriptor fd_;
    bool set_ = false;
};
