// The output engine writing into a pipe that the test reads back.
#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "term/output.h"

class EngineOnPipe {
 public:
  explicit EngineOnPipe(TOutputSetup setup = {}, bool active = true, bool dropGreeting = true) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) std::abort();
    fcntl(fds[1], F_SETPIPE_SZ, 1 << 20);
    read_ = fds[0];
    write_ = fds[1];
    setup.fd = write_;
    engine = std::make_unique<TOutput>(active, setup);
    if (dropGreeting) Take();
  }
  ~EngineOnPipe() {
    engine.reset();
    close(read_);
    close(write_);
  }
  // The bytes that reached the terminal so far (nothing is flushed here).
  std::string Take() {
    std::string out;
    char buf[4096];
    for (ssize_t n; (n = read(read_, buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
    return out;
  }
  std::unique_ptr<TOutput> engine;

 private:
  int read_ = -1, write_ = -1;
};
