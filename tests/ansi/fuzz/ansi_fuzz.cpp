// libFuzzer entry: arbitrary bytes and keys through the interpreter.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzOneInput(data, size);
  return 0;
}
