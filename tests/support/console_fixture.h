// A console on pipes: the real engine and key decoder, with the keys a test
// types and the bytes the engine sends kept in memory.
#pragma once
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "term/conio.h"

class ConsoleOnPipes {
 public:
  explicit ConsoleOnPipes(Charset charset = Charset::Cp437);
  ~ConsoleOnPipes();

  // Queues bytes for the decoder as if typed.
  void Type(std::string_view bytes);
  // Ends the input as a hung-up terminal would.
  void CloseInput();

  // Every byte sent so far (after flushing the engine), and forgets them.
  std::string TakeOutput();

  // The image row y (1-25) as CP437 bytes, and one cell's attribute.
  std::string Row(int y) const;
  uint8_t Attr(int x, int y) const;

 private:
  int keysWrite_ = -1, keysRead_ = -1, outWrite_ = -1, outRead_ = -1;
  std::thread drain_;
  mutable std::mutex mutex_;
  std::string received_;
};
