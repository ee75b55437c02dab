#pragma once

#include <sys/resource.h>
#include <csignal>

// While alive, no file of this process may grow past `byte`: writes beyond
// fail as on a full disk. It works for root too, unlike read-only folders.
class LimiteFile {
 public:
  explicit LimiteFile(rlim_t byte) {
    std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    getrlimit(RLIMIT_FSIZE, &prima_);
    rlimit nuovo{byte, prima_.rlim_max};
    ok_ = setrlimit(RLIMIT_FSIZE, &nuovo) == 0;
  }
  ~LimiteFile() { setrlimit(RLIMIT_FSIZE, &prima_); }
  bool ok() const { return ok_; }

 private:
  rlimit prima_{};
  bool ok_ = false;
};
