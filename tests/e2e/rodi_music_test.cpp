// The magazine's music, heard through ALSA: a HOME of the test's own turns the "default" device into a file
// sink, and what lands there must be the chosen tune from its beginning, sample for sample (no dither).
#include <libopenmpt/libopenmpt.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <fstream>

#include "harness/installed.h"
#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

namespace fs = std::filesystem;
using Samples = std::vector<std::int16_t>;  // interleaved stereo, 44,100 frames a second
constexpr int kRate = 44100;
const char* const kTuneFiles[] = {"MUSIC1.xm", "MUSIC2.xm", "MUSIC3.xm", "MUSIC4.mod", "MUSIC5.mod"};

// A HOME outside the run directory, so that the run directory holds only what the magazine writes; the
// unprivileged magazine writes the sink there.
struct SinkHome {
  SinkHome() {
    std::ofstream(home / ".asoundrc") << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \""
                                      << sink.string() << "\"\n  format \"raw\"\n}\n";
  }
  RunOptions Options() const {
    RunOptions o;
    o.env = {{"HOME", home.string()}};
    return o;
  }
  Samples Captured() const {  // whole frames only: the player may be mid-write
    const std::string bytes = ReadFile(sink);
    Samples samples(bytes.size() / 4 * 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }
  const RemovedAtEnd dir{ScratchDir("rodi-e2e-music", 0755, 65534)};
  const fs::path home = dir.path, sink = home / "out.raw";
};

// libopenmpt's own render, set up as the player's: looped, no dither, in blocks of 2048 frames (the last bit
// of a sample can depend on the block size).
Samples Render(const std::string& file, double seconds) {
  const std::string bytes = ReadFile(std::string(RODI_SOURCE_DIR) + "/content/res/" + file);
  openmpt_module* mod = openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent,
                                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  if (mod == nullptr) return ADD_FAILURE() << file << " does not load", Samples{};
  openmpt_module_set_repeat_count(mod, -1);
  openmpt_module_ctl_set_integer(mod, "dither", 0);
  Samples out(static_cast<std::size_t>(seconds * kRate) * 2);
  for (std::size_t done = 0, frames = 1; done < out.size() && frames != 0; done += 2 * frames)
    frames = openmpt_module_read_interleaved_stereo(mod, kRate, std::min<std::size_t>(2048, (out.size() - done) / 2),
                                                    out.data() + done);
  openmpt_module_destroy(mod);
  return out;
}

void WaitForMainMenu(PtyRun& run) {
  ASSERT_TRUE(run.WaitForText("e x i t", kShowMs)) << run.Screen();
  run.Pump(200);
}

// Pumps until the capture holds the tune from its beginning to the capture's end, starting at or after sample
// `from` (found by the tune's first sound, then compared whole); the start, or npos after kShowMs.
std::size_t WaitForTune(PtyRun& run, const SinkHome& home, const Samples& tune, std::size_t from) {
  const auto lead = static_cast<std::ptrdiff_t>(
      (std::find_if(tune.begin(), tune.end(), [](std::int16_t s) { return s != 0; }) - tune.begin()) & ~1);
  const auto head = std::min<std::ptrdiff_t>(2 * kRate / 10, std::ssize(tune) - lead);
  for (int waited = 0; waited < kShowMs; waited += 100, run.Pump(100)) {
    const Samples capture = home.Captured();
    for (auto at = capture.begin() + static_cast<std::ptrdiff_t>(std::min(from + lead, capture.size()));; ++at) {
      at = std::search(at, capture.end(), tune.begin() + lead, tune.begin() + lead + head);
      if (at == capture.end()) break;
      const auto start = at - capture.begin() - lead;
      const auto n = std::min(std::ssize(capture) - start, std::ssize(tune));
      if (start % 2 == 0 && std::equal(capture.begin() + start, capture.begin() + start + n, tune.begin()))
        return static_cast<std::size_t>(start);  // a left sample must start a frame
    }
  }
  return std::string::npos;
}

// The track box's items sit at column 6 from row 2: the bar yellow on red, the others light red on red.
void ExpectBoxWithBarOn(PtyRun& run, int item) {
  ASSERT_TRUE(run.WaitForText("[ c l o s e ]", kShowMs)) << run.Screen();
  run.Pump(100);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(run.Cell(6, 2 + i).Attr(), i == item ? 14 + 16 * 4 : 12 + 16 * 4) << "item " << i << run.Screen();
}

// Installed where the reader cannot write, the working files and the player go to a private directory under
// $XDG_RUNTIME_DIR; the music plays from there, and the directory goes when the magazine does.
TEST(Music, FirstTuneAtStartToggleRestartsItAndTheTrackBoxPlaysTheChosenTune) {
  const RemovedAtEnd install{ScratchDir("rodi-e2e-install", 0755, 0)};
  const RemovedAtEnd runtime{ScratchDir("rodi-e2e-runtime", 0700, 65534)};
  fs::copy_file(MagazinePath(), install.path + "/rodi");
  SinkHome home;
  RunOptions o = home.Options();
  o.unprivileged = true;
  o.program = install.path + "/rodi";
  o.env.emplace_back("XDG_RUNTIME_DIR", runtime.path);
  PtyRun run(o);
  WaitForMainMenu(run);
  const std::vector<std::string> made = Entries(runtime.path);
  ASSERT_EQ(made.size(), 1u);
  const std::string own = runtime.path + "/" + made[0];
  EXPECT_EQ(Entries(own), (std::vector<std::string>{"bassmod.so", "menu1.ans", "music.mod"}));
  struct stat st {};
  ASSERT_EQ(stat(own.c_str(), &st), 0);
  EXPECT_TRUE((st.st_mode & 0777) == 0700 && st.st_uid == 65534) << std::oct << st.st_mode << " uid " << st.st_uid;
  const auto menu = Picture(run);
  const Samples tune = Render(kTuneFiles[0], 8);
  ASSERT_GT(home.Captured().size(), std::size_t{kRate}) << "less than half a second played by the menu";
  EXPECT_EQ(WaitForTune(run, home, tune, 0), 0u) << "the capture does not begin with MUSIC1";

  run.Type("p");
  std::size_t stoppedAt = home.Captured().size();  // settled once the sink has not grown for 300 ms
  for (int quiet = 0, waited = 0; quiet < 300 && waited < kShowMs; waited += 50) {
    run.Pump(50);
    const std::size_t now = home.Captured().size();
    quiet = now == stoppedAt ? quiet + 50 : 0;
    stoppedAt = now;
  }
  run.Pump(300);
  ASSERT_EQ(home.Captured().size(), stoppedAt) << "still playing after P";
  run.Type("P");
  EXPECT_EQ(WaitForTune(run, home, tune, stoppedAt), stoppedAt)
      << "the second P does not start MUSIC1 from its beginning where the first stopped it";

  run.Type("t");
  ExpectBoxWithBarOn(run, 0);
  EXPECT_NE(run.Row(1).find("Tracks..."), std::string::npos) << run.Screen();
  EXPECT_NE(run.Row(2).find("r o d i   t h e m e"), std::string::npos) << run.Screen();
  const auto box = Picture(run);
  run.Type("\x1b\x1b[D\x1b[Ch");  // Esc, Left and Right leave the box as it is; H opens no help over it
  run.Pump(400);
  EXPECT_TRUE(Picture(run) == box) << run.Screen();

  // The bar stays where the last choice left it, so each Down picks the next tune.
  for (int n = 1; n < 5; ++n) {
    const std::size_t before = home.Captured().size();
    run.Type("\x1b[B\r");
    EXPECT_NE(WaitForTune(run, home, Render(kTuneFiles[n], 8), before), std::string::npos)
        << "choosing item " << n + 1 << " does not play " << kTuneFiles[n] << " from its beginning";
    ExpectBoxWithBarOn(run, n);
  }
  run.Type("\x1b[B\r");  // [ c l o s e ]
  for (int waited = 0; waited < kShowMs && Picture(run) != menu; waited += 50) run.Pump(50);
  EXPECT_TRUE(Picture(run) == menu) << "the main menu is not repainted:\n" << run.Screen();

  run.Type("M");  // open again while MUSIC5 plays: the bar starts on the first item; X leaves from here
  ExpectBoxWithBarOn(run, 0);
  run.Type("X");
  ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
  ExpectHandedBack(run);
  EXPECT_TRUE(fs::is_empty(runtime.path)) << "the private directory stays";
  EXPECT_EQ(Entries(install.path), std::vector<std::string>{"rodi"});
}

}  // namespace
}  // namespace rodi::e2e
