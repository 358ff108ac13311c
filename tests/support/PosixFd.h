// Owner of a descriptor in test helpers: closed exactly once.
#pragma once

#include <unistd.h>

#include <utility>

namespace test_support {

class PosixFd {
 public:
  PosixFd() = default;
  explicit PosixFd(int fd) : fd_(fd) {}
  ~PosixFd() { Reset(); }
  PosixFd(PosixFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  PosixFd& operator=(PosixFd&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  PosixFd(const PosixFd&) = delete;
  PosixFd& operator=(const PosixFd&) = delete;

  int Get() const { return fd_; }
  bool IsValid() const { return fd_ >= 0; }
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

}  // namespace test_support
