// One loaded tracker module: libopenmpt's C API behind a small owner class.
// Not thread-safe (neither is libopenmpt's module): one thread uses it at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct openmpt_module;

namespace rodi::player {

class Module {
 public:
  // nullptr when the bytes are no module libopenmpt knows. Never logs anything.
  static std::unique_ptr<Module> FromMemory(const void* data, std::size_t size,
                                            std::uint32_t flags);
  // length 0 reads to the end of the file.
  static std::unique_ptr<Module> FromFile(const char* path, std::uint32_t offset,
                                          std::uint32_t length, std::uint32_t flags);
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // Interleaved 16-bit stereo; returns the frames rendered, 0 at the end of the tune.
  std::size_t Render(int rate, std::size_t frames, std::int16_t* out);

 private:
  explicit Module(openmpt_module* mod) : mod_(mod) {}
  openmpt_module* mod_;
};

}  // namespace rodi::player
