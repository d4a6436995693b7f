// A full disk for the tests: while a FileSizeLimit lives, every file this process writes ends
// at `bytes`, and a write past it fails with EFBIG as on a full disk (SIGXFSZ, which would
// end the process, is ignored meanwhile). Both are restored when the object goes, also when
// an assertion ends the test early.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace vantrel::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    if (::getrlimit(RLIMIT_FSIZE, &previous_) != 0) return;
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    applied_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
  }
  ~FileSizeLimit() {
    if (applied_) ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  /// Whether the limit holds (the test cannot simulate a full disk otherwise).
  bool Applied() const { return applied_; }

 private:
  void (*previousHandler_)(int);
  rlimit previous_{};
  bool applied_ = false;
};

}  // namespace vantrel::testing
