// The magazine's music, heard through ALSA: a HOME of the test's own turns the
// "default" device into a file sink, and what lands there must be the chosen
// tune from its beginning, sample for sample (the player renders without dither).
#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>
#include <libopenmpt/libopenmpt.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

namespace fs = std::filesystem;
using Samples = std::vector<std::int16_t>;  // interleaved stereo, 44,100 frames a second

constexpr int kRate = 44100;
constexpr const char* kFarewell = "hmm... something went wrong. but who cares. c ya";
const char* const kTuneFiles[] = {"MUSIC1.xm", "MUSIC2.xm", "MUSIC3.xm", "MUSIC4.mod", "MUSIC5.mod"};

// A HOME outside the magazine's directory, so that the run directory holds only
// what the magazine writes.
class SinkHome {
 public:
  explicit SinkHome(const std::string& name, const fs::path& base = fs::path(RODI_BINARY_DIR) / "e2e-music")
      : home_(base / (name + "-" + std::to_string(getpid()))),
        sink_(home_ / "out.raw") {
    fs::remove_all(home_);
    fs::create_directories(home_);
    std::ofstream(home_ / ".asoundrc") << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \""
                                       << sink_.string() << "\"\n  format \"raw\"\n}\n";
  }
  ~SinkHome() { fs::remove_all(home_); }

  std::string Home() const { return home_.string(); }
  bool SinkExists() const { return fs::exists(sink_); }
  std::size_t Bytes() const {
    std::error_code ec;
    return fs::exists(sink_, ec) ? static_cast<std::size_t>(fs::file_size(sink_, ec)) : 0;
  }
  Samples Captured() const {  // whole frames only: the player may be mid-write
    std::ifstream in(sink_, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    Samples samples(bytes.size() / 4 * 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }

 private:
  fs::path home_, sink_;
};

// libopenmpt's own render of a tune file, set up as the player sets it up:
// looped, default ramping, no dither, in the player's blocks of 2048 frames (the
// last bit of a sample can depend on the block size). Reached through dlopen:
// this test target links only the harness.
Samples Render(const std::string& file, double seconds) {
  static void* lib = dlopen("libopenmpt.so.0", RTLD_NOW);
  if (lib == nullptr) {
    ADD_FAILURE() << "libopenmpt: " << dlerror();
    return {};
  }
#define RODI_SYM(name) reinterpret_cast<decltype(&name)>(dlsym(lib, #name))
  auto create = RODI_SYM(openmpt_module_create_from_memory2);
  auto silent = reinterpret_cast<openmpt_log_func>(dlsym(lib, "openmpt_log_func_silent"));
  auto repeat = RODI_SYM(openmpt_module_set_repeat_count);
  auto ctl = RODI_SYM(openmpt_module_ctl_set_integer);
  auto read = RODI_SYM(openmpt_module_read_interleaved_stereo);
  auto destroy = RODI_SYM(openmpt_module_destroy);
#undef RODI_SYM

  std::ifstream in(std::string(RODI_SOURCE_DIR) + "/content/res/" + file, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  openmpt_module* mod = create(bytes.data(), bytes.size(), silent, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr);
  if (mod == nullptr) {
    ADD_FAILURE() << file << " does not load";
    return {};
  }
  repeat(mod, -1);
  ctl(mod, "dither", 0);
  Samples out(static_cast<std::size_t>(seconds * kRate) * 2);
  for (std::size_t done = 0; done < out.size();) {
    const std::size_t frames = read(mod, kRate, std::min<std::size_t>(2048, (out.size() - done) / 2),
                                    out.data() + done);
    if (frames == 0) break;
    done += 2 * frames;
  }
  destroy(mod);
  return out;
}

// Where, at or after sample `from`, the capture holds the tune from its very
// beginning to the end of the capture (found by its first sound, then compared
// whole); npos when nowhere.
std::size_t TuneStartsAt(const Samples& capture, const Samples& tune, std::size_t from) {
  const auto sound = std::find_if(tune.begin(), tune.end(), [](std::int16_t s) { return s != 0; });
  const std::size_t lead = static_cast<std::size_t>(sound - tune.begin()) & ~std::size_t{1};
  const std::size_t head = std::min<std::size_t>(2 * kRate / 10, tune.size() - lead);
  for (auto at = capture.begin() + static_cast<std::ptrdiff_t>(std::min(from + lead, capture.size()));;
       ++at) {
    at = std::search(at, capture.end(), tune.begin() + static_cast<std::ptrdiff_t>(lead),
                     tune.begin() + static_cast<std::ptrdiff_t>(lead + head));
    if (at == capture.end()) return std::string::npos;
    const std::size_t start = static_cast<std::size_t>(at - capture.begin()) - lead;
    if (start % 2 != 0) continue;  // a left sample must start a frame
    const std::size_t n = std::min(capture.size() - start, tune.size());
    if (std::equal(capture.begin() + static_cast<std::ptrdiff_t>(start),
                   capture.begin() + static_cast<std::ptrdiff_t>(start + n), tune.begin()))
      return start;
  }
}

// What each cell shows, to tell whether a screen came back as it was. Letters
// are taken without case (a waiting menu's bar ripples between cases), and a
// blank by its background alone (a blank's foreground cannot be seen).
using Cells = std::vector<std::string>;

Cells CellsOf(const PtyRun& run) {
  Cells cells;
  for (int row = 1; row <= 25; ++row)
    for (int col = 1; col <= 80; ++col) {
      const CellInfo cell = run.Cell(col, row);
      if (cell.ch == U' ') {
        cells.push_back("blank on " + std::to_string(cell.bg));
        continue;
      }
      const char32_t ch = cell.ch >= U'A' && cell.ch <= U'Z' ? cell.ch + 32 : cell.ch;
      cells.push_back(Utf8(ch) + " attr " + std::to_string(cell.Attr()));
    }
  return cells;
}

// The first few cells that differ, for the failure message.
std::string Differences(const Cells& want, const Cells& got) {
  std::string out;
  for (std::size_t i = 0, shown = 0; i < want.size() && shown < 5; ++i)
    if (want[i] != got[i] && ++shown)
      out += "col " + std::to_string(i % 80 + 1) + " row " + std::to_string(i / 80 + 1) + ": want " +
             want[i] + ", got " + got[i] + "\n";
  return out;
}


RunOptions WithSink(const SinkHome& home, std::vector<std::string> args = {}) {
  RunOptions o;
  o.args = std::move(args);
  o.env = {{"HOME", home.Home()}};
  return o;
}

void WaitForMainMenu(PtyRun& run) {
  ASSERT_TRUE(run.WaitForText("e x i t", kShowMs)) << run.Screen();
  run.Pump(200);
}

// Pumps until the capture holds the tune from its beginning, at or after sample
// `from`, to its end; the start, or npos after kShowMs.
std::size_t WaitForTune(PtyRun& run, const SinkHome& home, const Samples& tune, std::size_t from) {
  std::size_t at = std::string::npos;
  for (int waited = 0; at == std::string::npos && waited < kShowMs; waited += 100) {
    run.Pump(100);
    at = TuneStartsAt(home.Captured(), tune, from);
  }
  return at;
}

// Pumps until the sink has not grown for 300 ms: the player has stopped.
std::size_t SinkSettled(PtyRun& run, const SinkHome& home) {
  std::size_t size = home.Bytes();
  for (int quiet = 0, waited = 0; quiet < 300 && waited < kShowMs; waited += 50) {
    run.Pump(50);
    const std::size_t now = home.Bytes();
    quiet = now == size ? quiet + 50 : 0;
    size = now;
  }
  return size;
}

// The track box's items sit at column 6 from row 2; the bar is yellow on red,
// the other items light red on red.
constexpr int kBarAttr = 14 + 16 * 4, kItemAttr = 12 + 16 * 4;

void ExpectBarOn(const PtyRun& run, int item) {
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(run.Cell(6, 2 + i).Attr(), i == item ? kBarAttr : kItemAttr) << "item " << i << "\n" << run.Screen();
}

void ExpectLeftCleanly(PtyRun& run, bool farewell) {
  ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
  EXPECT_EQ(run.RawOutput().find(kFarewell) != std::string::npos, farewell) << run.Screen();
  ExpectHandedBack(run);
}

TEST(Music, FirstTuneAtStartToggleRestartsItAndTheTrackBoxPlaysTheChosenTune) {
  RODI_REQUIRE_MAGAZINE();
  SinkHome home("music");
  PtyRun run(WithSink(home));
  WaitForMainMenu(run);
  const Cells menu = CellsOf(run);
  const Samples tune = Render(kTuneFiles[0], 8);
  const Samples atStart = home.Captured();
  ASSERT_GT(atStart.size(), std::size_t{kRate}) << "less than half a second played by the menu";
  EXPECT_EQ(TuneStartsAt(atStart, tune, 0), 0u) << "the capture does not begin with MUSIC1";

  run.Type("p");
  const std::size_t stoppedAt = SinkSettled(run, home);
  run.Pump(300);
  ASSERT_EQ(home.Bytes(), stoppedAt) << "still playing after P";
  run.Type("P");
  EXPECT_EQ(WaitForTune(run, home, tune, stoppedAt / 2), stoppedAt / 2)
      << "the second P does not start MUSIC1 from its beginning where the first stopped it";

  run.Type("t");
  ASSERT_TRUE(run.WaitForText("[ c l o s e ]", kShowMs)) << run.Screen();
  run.Pump(100);
  EXPECT_NE(run.Row(1).find("Tracks..."), std::string::npos) << run.Screen();
  EXPECT_NE(run.Row(2).find("r o d i   t h e m e"), std::string::npos) << run.Screen();
  ExpectBarOn(run, 0);
  const Cells box = CellsOf(run);
  // Esc, Left and Right leave the box as it is; H opens no help over it.
  run.Type("\x1b\x1b[D\x1b[Ch");
  run.Pump(400);
  EXPECT_EQ(Differences(box, CellsOf(run)), "") << run.Screen();

  // The bar stays where the last choice left it, so each Down picks the next tune.
  for (int n = 2; n <= 5; ++n) {
    const std::size_t before = home.Bytes() / 2;
    run.Type("\x1b[B\r");
    EXPECT_NE(WaitForTune(run, home, Render(kTuneFiles[n - 1], 8), before), std::string::npos)
        << "choosing item " << n << " does not play " << kTuneFiles[n - 1] << " from its beginning";
    ExpectBarOn(run, n - 1);
  }
  run.Type("\x1b[B\r");  // [ c l o s e ]
  for (int waited = 0; waited < kShowMs && CellsOf(run) != menu; waited += 50) run.Pump(50);
  EXPECT_EQ(Differences(menu, CellsOf(run)), "") << "the main menu is not repainted:\n" << run.Screen();

  // Open again while MUSIC5 plays: the bar starts on the first item; X leaves from here.
  run.Type("M");
  ASSERT_TRUE(run.WaitForText("[ c l o s e ]", kShowMs)) << run.Screen();
  run.Pump(100);
  ExpectBarOn(run, 0);
  run.Type("X");
  ExpectLeftCleanly(run, /*farewell=*/false);
}

TEST(Music, WithoutAWorkingDeviceInitFailsAndTheMagazineGoesOnSilently) {
  RODI_REQUIRE_MAGAZINE();
  SinkHome home("nodevice");
  const fs::path emptyConfig = fs::path(home.Home()) / "empty.conf";
  std::ofstream{emptyConfig};
  RunOptions o = WithSink(home);
  o.env.emplace_back("ALSA_CONFIG_PATH", emptyConfig.string());  // every ALSA open fails
  PtyRun run(o);
  EXPECT_TRUE(run.WaitForOutput("Init failed", kShowMs)) << run.Screen();
  WaitForMainMenu(run);
  // The library is unloaded by now: P, the track box or a choice there calling into it would end the magazine.
  run.Type("pt");
  ASSERT_TRUE(run.WaitForText("[ c l o s e ]", kShowMs)) << run.Screen();
  run.Type("\r\x1b[B\r");
  run.Pump(300);
  run.Type("x");
  ExpectLeftCleanly(run, /*farewell=*/true);
  EXPECT_EQ(run.Row(1), kFarewell) << "the farewell line does not stay on the cleared screen";
}

// Installed where the reader cannot write: the working files and the player go
// to a private directory, which goes on every way out, and the music plays from
// there; a save goes to the working directory and says where it went.
TEST(Music, FromAnUnwritableDirItPlaysFromAPrivateDirectoryThatGoesOnEveryWayOut) {
  RODI_REQUIRE_MAGAZINE();
  char install[] = "/tmp/rodi-e2e-install-XXXXXX", temp[] = "/tmp/rodi-e2e-tmp-XXXXXX";
  ASSERT_NE(mkdtemp(install), nullptr);
  const RemovedAtEnd installGone{install};
  ASSERT_NE(mkdtemp(temp), nullptr);
  const RemovedAtEnd tempGone{temp};
  chmod(install, 0755);
  chmod(temp, 01777);
  fs::copy_file(MagazinePath(), fs::path(install) / "rodi");
  SinkHome home("unwritable", "/tmp/rodi-e2e-music");  // where an unprivileged run can reach it
  for (const fs::path& p : {fs::path(home.Home()), fs::path(home.Home()) / ".asoundrc"})
    ASSERT_EQ(chown(p.c_str(), 65534, 65534), 0);
  auto privateFiles = [&temp] {
    std::vector<std::string> names;
    for (const auto& d : fs::directory_iterator(temp))
      for (const auto& f : fs::directory_iterator(d.path())) names.push_back(f.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  RunOptions o = WithSink(home);
  o.unprivileged = true;
  o.program = std::string(install) + "/rodi";
  o.env.emplace_back("TMPDIR", temp);
  o.prepare = [](const std::string& dir) { ASSERT_EQ(chown(dir.c_str(), 65534, 65534), 0); };

  PtyRun run(o);
  WaitForMainMenu(run);
  EXPECT_EQ(privateFiles(), (std::vector<std::string>{"bassmod.so", "menu1.ans", "music.mod"}));
  EXPECT_EQ(fs::status(fs::directory_iterator(temp)->path()).permissions(), fs::perms::owner_all);
  EXPECT_EQ(WaitForTune(run, home, Render(kTuneFiles[0], 4), 0), 0u) << "MUSIC1 does not play";
  run.Type("\r");  // the editorial, saved with Ctrl+S
  ASSERT_TRUE(run.WaitForText("Hello, reader.", kShowMs)) << run.Screen();
  run.Pump(300);
  run.Type("\x13t.txt\ry");
  ASSERT_TRUE(run.WaitForText("Saved " + run.Dir() + "/t.txt", kShowMs)) << run.Screen();
  run.Type(" \x1b");
  WaitForMainMenu(run);
  run.Type("x");
  ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
  ExpectHandedBack(run, 25, {"t.txt"});
  EXPECT_TRUE(fs::is_empty(temp)) << "the private directory stays after X";

  PtyRun hungUp(o);
  WaitForMainMenu(hungUp);
  hungUp.Signal(SIGHUP);
  EXPECT_EQ(hungUp.WaitExit(kLeaveMs), 128 + SIGHUP) << hungUp.Screen();
  EXPECT_TRUE(fs::is_empty(temp)) << "the private directory stays after SIGHUP";
  EXPECT_EQ(fs::directory_iterator(install)->path().filename(), "rodi");
}

}  // namespace
}  // namespace rodi::e2e
