#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "term/input.h"

namespace {

// The decoder reading from a pipe the test writes keys into.
class DecoderOnPipe {
 public:
  explicit DecoderOnPipe(bool utf8 = false) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) std::abort();
    read_ = fds[0];
    write_ = fds[1];
    decoder = std::make_unique<TInput>(TInputSetup{read_, utf8});
  }
  ~DecoderOnPipe() {
    close(read_);
    if (write_ >= 0) close(write_);
  }
  void Type(std::string_view bytes) { ASSERT_EQ(write(write_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  void Close() { close(write_); write_ = -1; }
  // Reads keys until none is waiting.
  std::vector<int> Keys() {
    std::vector<int> keys;
    do keys.push_back(static_cast<uint8_t>(decoder->ReadKey()));
    while (decoder->KeyPressed());
    return keys;
  }
  std::unique_ptr<TInput> decoder;

 private:
  int read_ = -1, write_ = -1;
};

struct Sequence {
  std::string bytes;
  std::vector<int> keys;
};

TEST(KeyDecoder, TurnsTerminalSequencesIntoPcKeys) {
  const Sequence table[] = {
      {"a", {'a'}}, {"\r", {13}}, {"\x7f", {8}}, {"\t", {9}},
      {"\x1b[A", {0, 72}}, {"\x1b[B", {0, 80}}, {"\x1b[C", {0, 77}}, {"\x1b[D", {0, 75}},
      {"\x1bOA", {0, 72}}, {"\x1bOD", {0, 75}}, {"\x1bOH", {0, 71}}, {"\x1bOF", {0, 79}},
      {"\x1b[H", {0, 71}}, {"\x1b[K", {0, 79}}, {"\x1b[F", {0, 79}}, {"\x1b[G", {'5'}},
      {"\x1b[U", {0, 81}}, {"\x1b[V", {0, 73}},
      {"\x1b[1~", {0, 71}}, {"\x1b[4~", {0, 79}}, {"\x1b[5~", {0, 73}}, {"\x1b[6~", {0, 81}},
      {"\x1b[2~", {0, 82}}, {"\x1b[3~", {0, 83}},
      {"\x1bOP", {0, 59}}, {"\x1bOS", {0, 62}}, {"\x1b[[A", {0, 59}}, {"\x1b[[E", {0, 63}},
      {"\x1b[15~", {0, 63}}, {"\x1b[17~", {0, 64}}, {"\x1b[19~", {0, 66}},
      {"\x1b[20~", {0, 67}}, {"\x1b[21~", {0, 68}}, {"\x1b[23~", {0, 133}}, {"\x1b[24~", {0, 134}},
      {"\x1b[25~", {0, 86}}, {"\x1b[29~", {0, 89}}, {"\x1b[31~", {0, 90}}, {"\x1b[34~", {0, 93}},
      {"\x1bx", {0, 45}}, {"\x1bq", {0, 16}}, {"\x1b" "1", {0, 120}}, {"\x1b=", {0, 131}},
      {"\x1bX", {'X', 27}}, {"\x1b\n", {10}},
      {"\x1b[Z", {'Z', '[', 27}},
      {"\x1b[", {0}},
      {"\x1b[1;5A", {0, 'A'}},  // the modifier is swallowed, the final byte stays for later
  };
  for (const Sequence& s : table) {
    DecoderOnPipe pipe;
    pipe.Type(s.bytes);
    EXPECT_EQ(pipe.Keys(), s.keys) << "bytes: " << s.bytes.substr(1);
  }
}

TEST(KeyDecoder, LoneEscWaitsItsTimeoutThenIsEsc) {
  DecoderOnPipe pipe;
  pipe.Type("\x1b");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(pipe.decoder->ReadKey(), 27);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(10));
}

TEST(KeyDecoder, ExtendedKeyComesFromTheQueueWithoutReadingAgain) {
  DecoderOnPipe pipe;
  pipe.Type("\x1b[Ab");
  EXPECT_EQ(pipe.decoder->ReadKey(), 0);
  EXPECT_EQ(pipe.decoder->ReadKey(), 72);
  EXPECT_EQ(pipe.decoder->ReadKey(), 'b');
}

TEST(KeyDecoder, QueueKeepsNineteenKeys) {
  TInput decoder;
  for (int i = 0; i < 20; ++i) decoder.PushKey(static_cast<char>('a' + i));
  std::string popped;
  for (char c; (c = decoder.PopKey()) != 0;) popped += c;
  EXPECT_EQ(popped, "abcdefghijklmnopqrs");
  EXPECT_EQ(TInput::FAltKey('m'), 50);
  EXPECT_EQ(TInput::FAltKey('!'), 0);
}

TEST(KeyDecoder, Utf8CharactersArriveAsTheirCp437Bytes) {
  DecoderOnPipe pipe(true);
  pipe.Type("\xc3\xa9" "\xe2\x96\x88" "\xe2\x86\x90" "\xe2\x99\xaa" "\xf0\x9f\x98\x80" "z");
  // é and █ have bytes above 0x7F; ← (0x1B) and ♪ (0x0D) must not act as Esc
  // and Enter; an emoji has no byte at all.
  std::vector<int> keys;
  for (int i = 0; i < 3; ++i) keys.push_back(static_cast<uint8_t>(pipe.decoder->ReadKey()));
  while (pipe.decoder->KeyPressed()) keys.push_back(static_cast<uint8_t>(pipe.decoder->ReadKey()));
  keys.erase(std::remove(keys.begin(), keys.end(), 0), keys.end());
  EXPECT_EQ(keys, (std::vector<int>{0x82, 0xDB, 'z'}));
}

TEST(KeyDecoder, EndOfInputCallsTheHangUp) {
  DecoderOnPipe pipe;
  int hangUps = 0;
  pipe.decoder->OnHangUp = [&] { ++hangUps; };
  pipe.Type("k");
  pipe.Close();
  EXPECT_EQ(pipe.decoder->ReadKey(), 'k');
  EXPECT_EQ(pipe.decoder->ReadKey(), 0);
  EXPECT_EQ(hangUps, 1);
}

TEST(KeyDecoder, DelayNoticesEndOfInputButKeepsTypedKeys) {
  DecoderOnPipe pipe;
  int hangUps = 0;
  pipe.decoder->OnHangUp = [&] { ++hangUps; };
  pipe.Type("q");
  pipe.decoder->DelayWatchingInput(20);
  EXPECT_EQ(hangUps, 0);
  EXPECT_EQ(pipe.decoder->ReadKey(), 'q');
  pipe.Close();
  pipe.decoder->DelayWatchingInput(20);
  EXPECT_EQ(hangUps, 1);
}

}  // namespace
