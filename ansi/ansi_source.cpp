#include "ansi_source.h"

// Given-back bytes first, then a new block when this one is used up.
uint8_t AnsiSource::NextSlow() {
  if (againCount_ > 0) {
    const Delivered d = again_[2 - againCount_--];
    pos_ = d.pos;
    return d.byte;
  }
  if (!ended_) {
    filled_ = read_(block_, kBlockSize);
    next_ = 0;
    pos_ = 0;
    if (filled_ > 0) return Next();
    filled_ = 0;
    ended_ = true;
  }
  ++pos_;
  return kSub;
}

void AnsiSource::GiveBack(Delivered first, Delivered second) {
  again_[0] = first;
  again_[1] = second;
  againCount_ = 2;
}
