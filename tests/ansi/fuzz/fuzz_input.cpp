// The interpreter's libFuzzer harness: a start position, attribute and pace,
// keys pressed while drawing, then the art. It aborts when the drawing leaves
// the cursor off the screen or touches the image rows 26-50, or when the engine
// writes more than its buffer at once (linked with --wrap=write).
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "term/conio.h"
#include "term/output.h"
#include "tests/ansi/drawing.h"
#include "tests/support/console_fixture.h"

namespace {

// Header bytes: column, row, attribute, pace, key count, key spacing.
constexpr size_t kHeader = 6;
constexpr int kOutFd = 90;  // the engine writes here (/dev/null)

void CheckConsole() {
  if (WhereX() < 1 || WhereX() > 80 || WhereY() < 1 || WhereY() > 25) std::abort();
  const TCharInfo first = Screen->Buffer[25][0];
  for (size_t y = 25; y < Screen->Buffer.size(); ++y)
    for (const TCharInfo& cell : Screen->Buffer[y])
      if (cell.UnicodeChar != ' ' || cell.Attributes != first.Attributes) std::abort();
}

}  // namespace

extern "C" ssize_t __real_write(int fd, const void* buf, size_t n);

extern "C" ssize_t __wrap_write(int fd, const void* buf, size_t n) {
  if (fd == kOutFd && n > static_cast<size_t>(TOutput::ConBufSize)) __builtin_trap();
  return __real_write(fd, buf, n);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeader) return 0;
  // The drawing's pauses would otherwise set the pace of fuzzing.
  static FakeTime time;
  time.waits.clear();
  if (!Screen) {
    if (dup2(open("/dev/null", O_WRONLY | O_CLOEXEC), kOutFd) != kOutFd) std::abort();
    // The keys come from the input itself; the decoder's ended input must not
    // end the drawing at its first pause.
    ConsoleInit(ConsoleSetup{open("/dev/null", O_RDONLY | O_CLOEXEC), kOutFd, Charset::Utf8});
    Screen->OnHangUp = nullptr;
    Keyboard->OnHangUp = nullptr;
  }
  Screen->HoldFlushes(false);
  SetTextAttr(7);
  ClrScr();
  GotoXY(data[0] % 80 + 1, data[1] % 25 + 1);
  SetTextAttr(data[2]);
  const size_t keyCount = std::min<size_t>(data[4] % 16, size - kHeader), keySpacing = data[5] % 8 + 1;
  size_t nextKey = 0, asked = 0;
  DisplayKeys typed{[&] { return nextKey < keyCount && asked++ % keySpacing == 0; },
                    [&] { return static_cast<char>(data[kHeader + nextKey++]); }};
  const char* art = reinterpret_cast<const char*>(data) + kHeader + keyCount;
  Draw({art, size - kHeader - keyCount}, static_cast<int8_t>(data[3]), typed);
  CheckConsole();
  return 0;
}
