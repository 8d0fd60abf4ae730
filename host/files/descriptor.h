// A file descriptor closed at the end of its scope.
#pragma once

#include <unistd.h>

#include <utility>

namespace files {

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }

    int Get() const { return fd_; }
    // Closes now; the result of close, which reports late write errors.
    int Close() { return ::close(std::exchange(fd_, -1)); }

private:
    int fd_;
};

}  // namespace files
