// The player thread. From Init to Free it owns the ALSA device and the module that
// plays; the calling thread hands tunes over and never touches either. Every wait of
// the caller is bounded: if ALSA holds the thread, the caller returns anyway and the
// thread cleans up by itself when ALSA lets it go.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>

#include "alsa_output.h"
#include "module.h"

namespace rodi::player {

struct PlayerShared;

class Player {
 public:
  Player(std::unique_ptr<AlsaOutput> output, unsigned rate, int volume);
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Stops whatever plays and starts `module` from its beginning.
  void Play(std::unique_ptr<Module> module);
  // Stops and releases the tune. False when the thread did not confirm within `bound`.
  bool Stop(std::chrono::milliseconds bound);
  // Ends the thread and closes the device. False when the thread was left to finish alone.
  bool Shutdown(std::chrono::milliseconds bound);
  // 0..100, applied to the samples (never to the system mixer).
  void SetVolume(int volume);

 private:
  std::shared_ptr<PlayerShared> shared_;
  std::thread thread_;
  std::uint64_t unanswered_ = 0;  // a stop request the thread did not answer in time
};

}  // namespace rodi::player
