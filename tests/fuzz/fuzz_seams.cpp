// The link-time seam of the fuzz binaries (linked with --wrap=write): every
// write to the console's output is at most the engine's 1024-byte buffer.
#include <sys/types.h>

#include <cstddef>

#include "tests/ansi/fuzz/fuzz_input.h"
#include "term/output.h"

extern "C" ssize_t __real_write(int fd, const void* buf, size_t n);

extern "C" ssize_t __wrap_write(int fd, const void* buf, size_t n) {
  if (fd == kFuzzOutFd && n > static_cast<size_t>(TOutput::ConBufSize)) __builtin_trap();
  return __real_write(fd, buf, n);
}
