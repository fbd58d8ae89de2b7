// The ALSA "default" PCM, opened nonblocking so that no call can wait on a stuck
// sound server for longer than the bounded waits below.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

struct _snd_pcm;

namespace rodi::player {

class AlsaOutput {
 public:
  // nullptr when the device cannot be opened or set to 16-bit stereo at this rate.
  static std::unique_ptr<AlsaOutput> Open(unsigned rate);
  ~AlsaOutput();
  AlsaOutput(const AlsaOutput&) = delete;
  AlsaOutput& operator=(const AlsaOutput&) = delete;

  struct WriteResult {
    std::size_t frames = 0;   // frames the device took
    bool pushedBack = false;  // the device was full at least once: it keeps the pace itself
    bool failed = false;      // the device is unusable until the next Prepare
  };
  // Writes interleaved stereo frames; gives up early when `cancel` becomes true.
  WriteResult Write(const std::int16_t* frames, std::size_t count, const std::atomic<bool>& cancel);
  // Makes the device ready for a new tune after Drop or a failure.
  bool Prepare();
  // Discards what is queued (never drains: that could wait on the device).
  void Drop();

 private:
  explicit AlsaOutput(_snd_pcm* pcm) : pcm_(pcm) {}
  _snd_pcm* pcm_;
};

}  // namespace rodi::player
