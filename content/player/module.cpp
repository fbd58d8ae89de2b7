#include "module.h"

#include <libopenmpt/libopenmpt.h>

#include <fstream>
#include <vector>

#include "bassmod_api.h"

namespace rodi::player {
namespace {

void ApplyFlags(openmpt_module* mod, std::uint32_t flags) {
  openmpt_module_set_repeat_count(mod, (flags & bassmod::kMusicLoop) ? -1 : 0);
  // Ramping stays at libopenmpt's default for both ramping flags and without them:
  // switching it off clicks.
  openmpt_module_set_render_param(mod, OPENMPT_MODULE_RENDER_VOLUMERAMPING_STRENGTH, -1);
  if (flags & bassmod::kMusicNoInterpolation)
    openmpt_module_set_render_param(mod, OPENMPT_MODULE_RENDER_INTERPOLATIONFILTER_LENGTH, 1);
  // ProTracker 1 sound means the Amiga resampler; FastTracker 2 sound means without it.
  if (flags & bassmod::kMusicPt1Mod)
    openmpt_module_ctl_set_boolean(mod, "render.resampler.emulate_amiga", 1);
  else if (flags & bassmod::kMusicFt2Mod)
    openmpt_module_ctl_set_boolean(mod, "render.resampler.emulate_amiga", 0);
  // libopenmpt's default dither is random noise: without it the output is reproducible
  // and silence is exactly zero.
  openmpt_module_ctl_set_integer(mod, "dither", 0);
  // Surround, position reset, stop on backwards jump and length calculation have no
  // counterpart in libopenmpt: accepted and ignored.
}

}  // namespace

std::unique_ptr<Module> Module::FromMemory(const void* data, std::size_t size,
                                           std::uint32_t flags) {
  if (data == nullptr || size == 0) return nullptr;
  int error = 0;
  openmpt_module* mod = openmpt_module_create_from_memory2(data, size, openmpt_log_func_silent,
                                                           nullptr, openmpt_error_func_ignore,
                                                           nullptr, &error, nullptr, nullptr);
  if (mod == nullptr) return nullptr;
  ApplyFlags(mod, flags);
  return std::unique_ptr<Module>(new Module(mod));
}

std::unique_ptr<Module> Module::FromFile(const char* path, std::uint32_t offset,
                                         std::uint32_t length, std::uint32_t flags) {
  if (path == nullptr) return nullptr;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return nullptr;
  const std::streamoff size = in.tellg();
  if (size < 0 || offset >= static_cast<std::uint64_t>(size)) return nullptr;
  const std::streamoff rest = size - offset;
  const std::streamoff want =
      (length == 0 || length > rest) ? rest : static_cast<std::streamoff>(length);
  std::vector<char> bytes(static_cast<std::size_t>(want));
  in.seekg(offset);
  if (!in.read(bytes.data(), want)) return nullptr;
  return FromMemory(bytes.data(), bytes.size(), flags);
}

Module::~Module() { openmpt_module_destroy(mod_); }

std::size_t Module::Render(int rate, std::size_t frames, std::int16_t* out) {
  return openmpt_module_read_interleaved_stereo(mod_, rate, frames, out);
}

}  // namespace rodi::player
