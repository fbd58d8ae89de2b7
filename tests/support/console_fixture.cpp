#include "console_fixture.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>

ConsoleOnPipes::ConsoleOnPipes(Charset charset) {
  int keys[2], out[2];
  if (pipe2(keys, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) std::abort();
  keysRead_ = keys[0];
  keysWrite_ = keys[1];
  outRead_ = out[0];
  outWrite_ = out[1];
  drain_ = std::thread([this] {
    char buf[4096];
    for (;;) {
      ssize_t n = read(outRead_, buf, sizeof buf);
      if (n <= 0) return;
      std::lock_guard lock(mutex_);
      received_.append(buf, static_cast<size_t>(n));
    }
  });
  ConsoleInit(ConsoleSetup{keysRead_, outWrite_, charset});
  // A test reads end of input as key 0 instead of leaving the process.
  Keyboard->OnHangUp = nullptr;
  Screen->OnHangUp = nullptr;
}

ConsoleOnPipes::~ConsoleOnPipes() {
  ConsoleDone();
  close(outWrite_);
  drain_.join();
  close(outRead_);
  close(keysRead_);
  if (keysWrite_ >= 0) close(keysWrite_);
}

void ConsoleOnPipes::Type(std::string_view bytes) {
  ssize_t ignored = write(keysWrite_, bytes.data(), bytes.size());
  (void)ignored;
}

void ConsoleOnPipes::CloseInput() {
  close(keysWrite_);
  keysWrite_ = -1;
}

std::string ConsoleOnPipes::TakeOutput() {
  Screen->BufFlush();
  // Everything before this mark has been written; wait until the drain has it.
  static constexpr std::string_view kMark = "\x01\x02end-of-output\x03";
  ssize_t ignored = write(outWrite_, kMark.data(), kMark.size());
  (void)ignored;
  for (int i = 0; i < 5000; ++i) {
    {
      std::lock_guard lock(mutex_);
      if (size_t at = received_.find(kMark); at != std::string::npos) {
        std::string out = received_.substr(0, at);
        received_.erase(0, at + kMark.size());
        return out;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return "<output lost>";
}

std::string ConsoleOnPipes::Row(int y) const {
  std::string row;
  for (const TCharInfo& cell : Screen->Buffer[y - 1]) row += static_cast<char>(cell.UnicodeChar);
  return row;
}

uint8_t ConsoleOnPipes::Attr(int x, int y) const { return Screen->Buffer[y - 1][x - 1].Attributes; }
