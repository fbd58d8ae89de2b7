#include "alsa_output.h"

#include <alsa/asoundlib.h>

#include <cerrno>
#include <chrono>
#include <mutex>
#include <thread>

namespace rodi::player {
namespace {

constexpr unsigned kLatencyUs = 100000;
// How long a full device may hold the thread before it looks at `cancel` again.
constexpr int kWaitMs = 20;

// ALSA reports failures as "ALSA lib ..." lines on standard error, which is the
// magazine's screen.
void Silent(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsa() {
  static std::once_flag once;
  std::call_once(once, [] { snd_lib_error_set_handler(Silent); });
}

}  // namespace

std::unique_ptr<AlsaOutput> AlsaOutput::Open(unsigned rate) {
  SilenceAlsa();
  snd_pcm_t* pcm = nullptr;
  if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return nullptr;
  if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 2, rate, 1,
                         kLatencyUs) < 0) {
    snd_pcm_close(pcm);
    return nullptr;
  }
  return std::unique_ptr<AlsaOutput>(new AlsaOutput(pcm));
}

AlsaOutput::~AlsaOutput() {
  snd_pcm_drop(pcm_);
  snd_pcm_close(pcm_);
}

AlsaOutput::WriteResult AlsaOutput::Write(const std::int16_t* frames, std::size_t count,
                                          const std::atomic<bool>& cancel) {
  WriteResult result;
  int readyButFull = 0;
  while (result.frames < count && !cancel.load(std::memory_order_relaxed)) {
    const snd_pcm_sframes_t n =
        snd_pcm_writei(pcm_, frames + 2 * result.frames, count - result.frames);
    if (n > 0) {
      result.frames += static_cast<std::size_t>(n);
      readyButFull = 0;
    } else if (n == 0 || n == -EAGAIN) {
      result.pushedBack = true;
      // A device that claims to be ready but still refuses data must not spin a core.
      if (snd_pcm_wait(pcm_, kWaitMs) > 0 && ++readyButFull > 1)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } else if (n == -ESTRPIPE) {
      // snd_pcm_recover would sleep in whole seconds until a suspended device resumes.
      const int resumed = snd_pcm_resume(pcm_);
      if (resumed == -EAGAIN) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kWaitMs));
      } else if (resumed < 0 && snd_pcm_prepare(pcm_) < 0) {
        result.failed = true;
        break;
      }
    } else if (snd_pcm_recover(pcm_, static_cast<int>(n), 1) < 0) {
      result.failed = true;
      break;
    }
  }
  return result;
}

bool AlsaOutput::Prepare() { return snd_pcm_prepare(pcm_) >= 0; }

void AlsaOutput::Drop() { snd_pcm_drop(pcm_); }

}  // namespace rodi::player
