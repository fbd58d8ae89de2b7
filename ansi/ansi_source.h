// The bytes of an ANSI file as the interpreter takes them: read in blocks of
// 4,096, each known by its position within its block (the pace counts on it),
// the end read as SUB, and the two bytes after a "|" that starts no colour code
// handed back to be read again.
#pragma once
#include <cstdint>
#include <functional>
#include <utility>

class AnsiSource {
 public:
  static constexpr int kBlockSize = 4096;
  static constexpr uint8_t kSub = 26;

  // Fills buf with up to cap bytes and answers how many; 0 at the end.
  using ReadBlock = std::function<int(uint8_t* buf, int cap)>;

  explicit AnsiSource(ReadBlock read) : read_(std::move(read)) {}

  // The next byte; SUB once a block read has found nothing more.
  uint8_t Next() {
    if (againCount_ == 0 && next_ < filled_) {
      pos_ = next_ + 1;
      return block_[next_++];
    }
    return NextSlow();
  }
  // The block position (1-4096) of the byte Next delivered last.
  int Position() const { return pos_; }
  // True once a block read has found nothing more.
  bool Ended() const { return ended_; }

  struct Delivered {
    uint8_t byte;
    int pos;
  };
  // Two bytes Next delivered, in their order, to be delivered again.
  void GiveBack(Delivered first, Delivered second);

 private:
  uint8_t NextSlow();

  ReadBlock read_;
  uint8_t block_[kBlockSize]{};
  int filled_ = 0;  // bytes the last block read delivered
  int next_ = 0;    // index in block_ of the next unread byte
  int pos_ = 0;
  bool ended_ = false;
  Delivered again_[2]{};
  int againCount_ = 0;
};
