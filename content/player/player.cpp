#include "player.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "pacer.h"

namespace rodi::player {

namespace {
// 46 ms at 44.1 kHz: few wake-ups, and still a small share of the lead.
constexpr std::size_t kBlockFrames = 2048;
constexpr auto kLead = std::chrono::milliseconds(250);
constexpr auto kHeldBound = std::chrono::milliseconds(5);
constexpr auto kDestroyBound = std::chrono::milliseconds(80);
}  // namespace

// Everything the thread needs; kept alive by the thread itself when the caller gives up waiting.
struct PlayerShared {
  PlayerShared(std::unique_ptr<AlsaOutput> out, unsigned r, int v)
      : output(std::move(out)), rate(r), volume(v) {}

  std::mutex mutex;
  std::condition_variable changed;  // both directions: requests to the thread, answers from it
  // Requests, under `mutex`; `pending` is also read without it to cut writes and waits short.
  std::atomic<bool> pending{false};
  bool quit = false;
  bool stop = false;
  std::unique_ptr<Module> incoming;
  std::uint64_t requested = 0;
  // Answers, under `mutex`.
  std::uint64_t handled = 0;
  bool closed = false;

  std::unique_ptr<AlsaOutput> output;  // the thread's alone
  const unsigned rate;
  std::atomic<int> volume;
};

namespace {

// Scales by the volume, moving from `from` to `to` across the block so a change never clicks.
void ApplyVolume(std::int16_t* samples, std::size_t frames, int from, int to) {
  if (from == 100 && to == 100) return;
  const std::int64_t n = static_cast<std::int64_t>(frames);
  for (std::int64_t f = 0; f < n; ++f) {
    const std::int64_t scaled = from * n + (to - from) * f;  // volume times n
    for (int c = 0; c < 2; ++c) {
      std::int16_t& s = samples[2 * f + c];
      s = static_cast<std::int16_t>(s * scaled / (100 * n));
    }
  }
}

void Run(std::shared_ptr<PlayerShared> s) {
  using Clock = Pacer::Clock;
  std::unique_ptr<Module> current;
  // The tune ended or the device failed: nothing to render until the next tune.
  bool silent = false;
  int volume = s->volume.load();
  Pacer pacer(s->rate, kLead);
  std::vector<std::int16_t> block(kBlockFrames * 2);
  const auto woken = [&s] { return s->pending.load() || s->quit; };

  std::unique_lock lock(s->mutex);
  while (!s->quit) {
    if (s->pending) {
      const bool stop = std::exchange(s->stop, false);
      std::unique_ptr<Module> next = std::move(s->incoming);
      const std::uint64_t request = s->requested;
      s->pending = false;
      lock.unlock();
      if ((stop || next) && current) {
        s->output->Drop();
        current.reset();
      }
      if (next) {
        current = std::move(next);
        silent = !s->output->Prepare();
        volume = s->volume.load();
        pacer.Start(Clock::now());
      }
      lock.lock();
      s->handled = request;
      s->changed.notify_all();
      continue;
    }
    if (!current || silent) {
      s->changed.wait(lock, woken);
      continue;
    }
    const auto wait = pacer.WaitFor(Clock::now(), kBlockFrames);
    if (wait > Clock::duration::zero()) {
      s->changed.wait_for(lock, wait, woken);
      continue;
    }
    lock.unlock();
    const std::size_t frames =
        current->Render(static_cast<int>(s->rate), kBlockFrames, block.data());
    if (frames == 0) {
      silent = true;  // the tail already queued plays out
    } else {
      const int target = s->volume.load(std::memory_order_relaxed);
      ApplyVolume(block.data(), frames, volume, target);
      volume = target;
      const AlsaOutput::WriteResult written = s->output->Write(block.data(), frames, s->pending);
      pacer.Wrote(static_cast<std::int64_t>(written.frames), written.pushedBack, Clock::now());
      silent = written.failed;
    }
    lock.lock();
  }
  lock.unlock();
  current.reset();
  s->output.reset();  // drops what is queued and closes the device
  lock.lock();
  s->closed = true;
  s->changed.notify_all();
}

}  // namespace

Player::Player(std::unique_ptr<AlsaOutput> output, unsigned rate, int volume)
    : shared_(std::make_shared<PlayerShared>(std::move(output), rate, volume)),
      thread_(Run, shared_) {}

Player::~Player() { Shutdown(kDestroyBound); }

void Player::Play(std::unique_ptr<Module> module) {
  std::lock_guard lock(shared_->mutex);
  shared_->incoming = std::move(module);
  ++shared_->requested;
  shared_->pending = true;
  shared_->changed.notify_all();
}

bool Player::Stop(std::chrono::milliseconds bound) {
  std::unique_lock lock(shared_->mutex);
  shared_->incoming.reset();  // never seen by the thread, so this thread may free it
  shared_->stop = true;
  const std::uint64_t request = ++shared_->requested;
  shared_->pending = true;
  shared_->changed.notify_all();
  const bool answered = shared_->changed.wait_for(
      lock, bound, [&] { return shared_->handled >= request || shared_->closed; });
  unanswered_ = answered ? 0 : request;
  return answered;
}

bool Player::Shutdown(std::chrono::milliseconds bound) {
  if (!thread_.joinable()) return true;
  bool closed;
  {
    std::unique_lock lock(shared_->mutex);
    shared_->incoming.reset();
    shared_->quit = true;
    shared_->pending = true;
    shared_->changed.notify_all();
    // A thread that has not even answered the last stop is held by ALSA: waiting again is in vain.
    if (unanswered_ != 0 && shared_->handled < unanswered_) bound = kHeldBound;
    closed = shared_->changed.wait_for(lock, bound, [&] { return shared_->closed; });
  }
  // A closed thread is past its last ALSA call. One that is not may finish later: the
  // library is never unloaded (linked with -z nodelete).
  if (closed)
    thread_.join();
  else
    thread_.detach();
  return closed;
}

void Player::SetVolume(int volume) { shared_->volume.store(volume, std::memory_order_relaxed); }

}  // namespace rodi::player
