#include "pace.h"

#include <utility>

#include "term/conio.h"

namespace {

PauseFn& Current() {
  static PauseFn pause;
  return pause;
}

}  // namespace

void Pause(int ms) {
  if (Current()) {
    Current()(ms);
  } else {
    Delay(static_cast<uint16_t>(ms));  // sends held output first, and notices a lost terminal
  }
}

PauseFn SetPause(PauseFn pause) { return std::exchange(Current(), std::move(pause)); }
