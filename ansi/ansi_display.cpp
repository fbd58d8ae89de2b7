#include "ansi_display.h"

#include <cstdio>
#include <memory>

#include "ansi/ansi_machine.h"
#include "term/conio.h"
#include "term/keys.h"
#include "term/pipe_code.h"
#include "term/program_args.h"
#include "term/strutil.h"

namespace {

constexpr int kPauseMs = 6;

// Merges the engine's per-character flushes while the drawing runs; the
// held bytes still leave before every pause and every key read.
class HeldFlushes {
 public:
  HeldFlushes() { Screen->HoldFlushes(true); }
  ~HeldFlushes() { Screen->HoldFlushes(false); }
  HeldFlushes(const HeldFlushes&) = delete;
  HeldFlushes& operator=(const HeldFlushes&) = delete;
};

}  // namespace

DisplayKeys ConsoleKeys() {
  return {[] { return Keyboard->KeyPressedCheap(); }, [] { return ReadKey(); }};
}

void DrawAnsi(AnsiSource& source, int32_t baudEmu, const DisplayKeys& keys) {
  int64_t pace = baudEmu;  // wide enough that no run of "+" or "-" overflows
  HeldFlushes held;
  AnsiMachine machine;
  bool done = false;
  while (!done) {
    const uint8_t ch = source.Next();
    if (keys.pressed()) {
      switch (keys.read()) {
        case keys::Esc: done = true; break;
        case '*': pace = 20; break;
        case '+': pace += 3; break;
        case '-': pace -= 3; break;
        case '/': pace = Str2Int(ParamStr(2)); break;
        default: break;
      }
    }
    if (pace > 0 && source.Position() % pace == 0) Delay(kPauseMs);
    if (ch == AnsiSource::kSub) break;
    if (ch == '|') {
      const AnsiSource::Delivered a{source.Next(), source.Position()};
      const AnsiSource::Delivered b{source.Next(), source.Position()};
      const char two[] = {static_cast<char>(a.byte), static_cast<char>(b.byte)};
      if (const auto pipe = TwoDigitPipeCode(std::string_view(two, 2))) {
        machine.PipeColor(*pipe);
      } else {
        machine.Process(ch);
        source.GiveBack(a, b);
      }
    } else {
      machine.Process(ch);
    }
    done = done || source.Ended();
  }
}

void AnsiDisplay(const std::string& fileName, int32_t baudEmu) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(fileName.c_str(), "rb"), std::fclose);
  if (!file) {
    WriteLn("File " + fileName + " not found.");
    return;
  }
  // A read error ends the drawing as the end of the file would.
  AnsiSource source([f = file.get()](uint8_t* buf, int cap) {
    return static_cast<int>(std::fread(buf, 1, static_cast<size_t>(cap), f));
  });
  DrawAnsi(source, baudEmu, ConsoleKeys());
}
