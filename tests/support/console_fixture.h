// A console for tests: the real engine and key decoder, with the keys a test
// types on a pipe and the bytes the engine sends kept in a memory file.
#pragma once
#include <string>
#include <string_view>

#include "term/conio.h"

class ConsoleOnPipes {
 public:
  explicit ConsoleOnPipes(Charset charset = Charset::Cp437);
  ~ConsoleOnPipes();

  // Queues bytes for the decoder as if typed.
  void Type(std::string_view bytes);
  // Ends the input as a hung-up terminal would.
  void CloseInput();

  // Every byte sent since the last call (after flushing the engine).
  std::string TakeOutput();

  // The image row y (1-25) as CP437 bytes, and one cell's attribute.
  std::string Row(int y) const;
  uint8_t Attr(int x, int y) const;

 private:
  int keysWrite_ = -1, keysRead_ = -1, out_ = -1;
  off_t taken_ = 0;
};
