#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "term/input.h"
#include "tests/support/console_fixture.h"

namespace {

TEST(KeyDecoder, TurnsTerminalBytesIntoPcKeys) {
  const struct {
    std::string bytes;
    std::vector<int> keys;
    Charset charset = Charset::Cp437;
  } table[] = {
      {"a", {'a'}}, {"\r", {13}}, {"\x7f", {8}}, {"\x1b", {27}}, {"\x1b[A", {0, 72}}, {"\x1bOD", {0, 75}},
      {"\x1b[H", {0, 71}}, {"\x1b[K", {0, 79}}, {"\x1b[G", {'5'}}, {"\x1b[6~", {0, 81}}, {"\x1bOP", {0, 59}},
      {"\x1b[[E", {0, 63}}, {"\x1b[24~", {0, 134}}, {"\x1bx", {0, 45}}, {"\x1b" "1", {0, 120}},
      {"\x1bX", {'X', 27}}, {"\x1b\n", {10}}, {"\x1b[Z", {'Z', '[', 27}}, {"\x1b[", {0}},
      {"\x1b[1;5A", {0, 'A'}},  // the modifier is swallowed, the final byte stays for later
      // é and █ have bytes above 0x7F; ← (0x1B) and ♪ (0x0D) must not act as Esc and Enter, an emoji
      // has no byte, and a lead byte cut short by a plain one loses only itself: these four read as 0.
      {"\xc3\xa9" "\xe2\x96\x88" "\xe2\x86\x90" "\xe2\x99\xaa" "\xf0\x9f\x98\x80" "\xc3" "q" "z",
       {0x82, 0xDB, 0, 0, 0, 0, 'q', 'z'}, Charset::Utf8},
  };
  for (const auto& s : table) {
    ConsoleOnPipes console(s.charset);
    FakeTime time;  // the waits for the rest of a sequence pass without sleeping
    console.Type(s.bytes);
    std::vector<int> keys;
    do keys.push_back(static_cast<uint8_t>(Keyboard->ReadKey()));
    while (Keyboard->KeyPressed());
    EXPECT_EQ(keys, s.keys) << "bytes: " << testing::PrintToString(s.bytes);
  }
}

TEST(KeyDecoder, EndOfInputCallsTheHangUpAfterTheTypedKeys) {
  for (bool delay : {false, true}) {
    ConsoleOnPipes console;
    FakeTime time;
    int hangUps = 0;
    Keyboard->OnHangUp = [&] { ++hangUps; };
    console.Type("q");
    if (delay) Keyboard->DelayWatchingInput(20);
    EXPECT_EQ(hangUps, 0);
    errno = EAGAIN;  // left by an earlier call: a read that got bytes must still count
    EXPECT_EQ(Keyboard->ReadKey(), 'q');
    console.CloseInput();
    if (delay) Keyboard->DelayWatchingInput(20);
    else EXPECT_EQ(Keyboard->ReadKey(), 0);
    EXPECT_EQ(hangUps, 1) << (delay ? "in a delay" : "in ReadKey");
  }
}

}  // namespace
