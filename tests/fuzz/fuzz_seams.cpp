// Link-time seams of the fuzz binaries (linked with --wrap=write and
// --wrap=_Z7SleepMsi): every write to the console's output is at most the
// engine's 1024-byte buffer, and sleeps are skipped, since all of an input's
// keys are queued before it runs (the decoder's 10 ms waits for the rest of an
// escape sequence would otherwise set the pace of fuzzing).
#include <sys/types.h>

#include <cstddef>

#include "fuzz_console.h"
#include "term/output.h"

extern "C" ssize_t __real_write(int fd, const void* buf, size_t n);

extern "C" ssize_t __wrap_write(int fd, const void* buf, size_t n) {
  if (fd == kFuzzOutFd && n > static_cast<size_t>(TOutput::ConBufSize)) __builtin_trap();
  return __real_write(fd, buf, n);
}

extern "C" void __wrap__Z7SleepMsi(int) {}
