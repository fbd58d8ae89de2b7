// The libFuzzer entry of every harness: built once per harness with
// -DRODI_FUZZ_TARGET=<its function>.
#include <cstddef>
#include <cstdint>

void RODI_FUZZ_TARGET(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RODI_FUZZ_TARGET(data, size);
  return 0;
}
