#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "term/output.h"

namespace {

const std::string E = "\x1b";

// The engine writing into a pipe that the test reads back.
struct EngineOnPipe {
  explicit EngineOnPipe(TOutputSetup setup = {}) {
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) std::abort();
    setup.fd = fds[1];
    engine = std::make_unique<TOutput>(true, setup);
  }
  ~EngineOnPipe() {
    engine.reset();
    close(fds[0]);
    close(fds[1]);
  }
  // The bytes that reached the pipe so far (nothing is flushed here).
  std::string Take() {
    std::string out;
    char buf[4096];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
    return out;
  }
  int fds[2];
  std::unique_ptr<TOutput> engine;
};

TEST(OutputEngine, StartsWithCharsetResetWrapsAtColumn80AndGivesBackOnDestroy) {
  struct Case { TOutputSetup setup; std::string start, wrapped, end; };
  const Case cases[] = {
      {{0, Charset::Cp437}, E + "(U" + E + "[0m" + E + "[2J" + E + "[1;1H", "bcd", E + "[0m" + E + "(B"},
      // A wider terminal wraps where the screen does.
      {{0, Charset::Utf8, 100, 30}, E + "[0m" + E + "[1;25r" + E + "[2J" + E + "[1;1H", "bc\r\nd",
       E + "[0m" + E + "7" + E + "[r" + E + "8"},
  };
  for (const Case& c : cases) {
    EngineOnPipe pipe(c.setup);
    EXPECT_EQ(pipe.Take(), c.start);
    // ESC and the byte after it take no column: b and c fill 79 and 80.
    pipe.engine->WriteStr(std::string(78, 'a') + E + "xbcd");
    EXPECT_NE(pipe.Take().find(c.wrapped), std::string::npos);
    pipe.engine.reset();
    EXPECT_EQ(pipe.Take(), c.end);  // the console must not keep the PC font mapping or the region
  }
}

TEST(OutputEngine, GivesTheTerminalItsSettingsBack) {
  int master = -1, slave = -1;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  termios before{}, during{}, after{};
  tcgetattr(slave, &before);
  {
    TOutput engine(true, TOutputSetup{slave});
    tcgetattr(slave, &during);
  }
  tcgetattr(slave, &after);
  EXPECT_EQ(during.c_lflag & ICANON, 0u);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  close(slave);
  close(master);
}

}  // namespace
