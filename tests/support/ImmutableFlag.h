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
    explicit ImmutableFlag(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        set_ = Change(true);
    }
    ~ImmutableFlag()
    {
        if (set_)
            Change(false);
    }
    ImmutableFlag(const ImmutableFlag&) = delete;
    ImmutableFlag& operator=(const ImmutableFlag&) = delete;
    bool isSet() const { return set_; }

private:
    bool Change(bool on)
    {
        int flags = 0;
        if (fd_.get() < 0 || ::ioctl(fd_.get(), FS_IOC_GETFLAGS, &flags) != 0)
            return false;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        return ::ioctl(fd_.get(), FS_IOC_SETFLAGS, &flags) == 0;
    }

    FileDescriptor fd_;
    bool set_ = false;
};
