// What every fuzz harness shares: the bytes of one input taken from the front,
// and the console the harness drives, as the widget tests do: the real engine
// (writing to kFuzzOutFd, which is /dev/null) and a fresh key decoder per input
// that reads the input's keys from a pipe, on time that passes without
// sleeping. When the keys run out the decoder throws KeysRunOut, which leaves
// the widget under test.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "term/types.h"

inline constexpr int kFuzzOutFd = 90;

struct KeysRunOut {};

class FuzzBytes {
 public:
  FuzzBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::string Take(size_t n);
  std::string Rest() { return Take(size_ - at_); }

 private:
  const uint8_t* data_;
  size_t size_, at_ = 0;
};

// A cleared screen in colour 7 and a decoder with these keys queued.
void FuzzConsole(std::string_view keys, bool utf8 = false);

template <class F>
void UntilKeysRunOut(F&& f) {
  try {
    f();
  } catch (const KeysRunOut&) {
  }
}

// Aborts when the cursor is off 1..80 x 1..25 or rows 26-50 of the image,
// which only a full clear touches, are not uniform.
void CheckConsole();
