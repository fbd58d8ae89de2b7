// The files around a visit: the reader's own files in the magazine's directory
// survive it, saves go into the file the typed name leads to or are refused,
// and two copies started in one directory never touch each other's files.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "harness/installed.h"
#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

namespace fs = std::filesystem;
const std::string kEnter(keys::kEnter), kDown(keys::kDown), kEsc(keys::kEsc);
const std::string kSave = "\x13";  // Ctrl+S in the viewer

TEST(Files, SavesWriteWhereTheNameLeadsRefuseWhatIsNoFileAndTheReadersFilesStay) {
  RunOptions o = Silent();
  o.prepare = [](const std::string& dir) {
    // Names the visit writes (its main menu, the editorial) and one it does not.
    for (const char* name : {"/menu1.ans", "/editorial.txt", "/menu3.ans"}) std::ofstream(dir + name) << "mine";
    std::ofstream(dir + "/mine.txt") << "old";
    ASSERT_EQ(chmod((dir + "/mine.txt").c_str(), 0600), 0);
    ASSERT_EQ(link((dir + "/mine.txt").c_str(), (dir + "/twin.txt").c_str()), 0);
    ASSERT_EQ(symlink("mine.txt", (dir + "/link").c_str()), 0);
    ASSERT_EQ(symlink("made.txt", (dir + "/later").c_str()), 0);  // leads nowhere yet
    ASSERT_EQ(mkfifo((dir + "/pipe").c_str(), 0644), 0);
    ASSERT_EQ(symlink("/dev/null", (dir + "/dev").c_str()), 0);
    ASSERT_EQ(mkdir((dir + "/sub").c_str(), 0755), 0);
  };
  Reader r(o);
  PtyRun& run = r.run;
  ASSERT_TRUE(r.Sees("e x i t"));
  r.Keys(kEnter);  // the editorial
  ASSERT_TRUE(r.Sees("Hello, reader."));
  // Through a link into a file with a second name, and one to a file not there yet; a typed UTF-8 name; the
  // library's name, which --silent does not write. What is no regular file is refused, saying why.
  const struct {
    const char *name, *reason;
  } saves[] = {{"link", nullptr}, {"later", nullptr}, {"caf\xC3\xA9.txt", nullptr}, {"bassmod.so", nullptr},
               {"pipe", "not a regular file"}, {"dev", "not a regular file"}, {"sub", "Is a directory"}};
  for (const auto& save : saves) {
    SCOPED_TRACE(save.name);
    run.Type(kSave + save.name + kEnter + "y");
    if (!save.reason) {
      run.Pump(300);
      EXPECT_EQ(run.Screen().find("Cannot save"), std::string::npos) << run.Screen();
      continue;
    }
    ASSERT_TRUE(r.Sees(save.reason));
    EXPECT_NE(run.Row(14).find(std::string("Cannot save ") + save.name + ": " + save.reason), std::string::npos)
        << run.Row(14);
    run.Type(" ");
    ASSERT_TRUE(r.Sees("Hello, reader."));
  }
  run.Type(kEsc);
  ASSERT_TRUE(r.Sees("e x i t"));
  run.Type("x");
  ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();

  const fs::path dir = run.Dir();
  ExpectHandedBack(run, 25, {"bassmod.so", "caf\xC3\xA9.txt", "dev", "editorial.txt", "later", "link", "made.txt",
                             "menu1.ans", "menu3.ans", "mine.txt", "pipe", "sub/", "twin.txt"});
  for (const char* name : {"menu1.ans", "editorial.txt", "menu3.ans"})
    EXPECT_EQ(ReadFile(dir / name), "mine") << "the reader's own " << name;
  const std::string saved = ReadFile(dir / "mine.txt");
  EXPECT_NE(saved.find("Hello, reader."), std::string::npos) << saved.substr(0, 80);
  for (const char* name : {"twin.txt", "bassmod.so", "caf\xC3\xA9.txt", "made.txt"})
    EXPECT_EQ(ReadFile(dir / name), saved) << name << " does not hold the saved text";
  EXPECT_TRUE(fs::is_symlink(dir / "link") && fs::is_symlink(dir / "later") && fs::is_symlink(dir / "dev"));
  EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
  EXPECT_EQ(fs::status(dir / "mine.txt").permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

// The first copy keeps the names in its directory; the second, started there
// too, works in a private directory that goes when it leaves, and cannot save
// over the first one's files.
TEST(Files, TwoCopiesInOneDirectoryKeepTheirFilesWhateverTheOtherDoes) {
  const RemovedAtEnd scratch{ScratchDir("rodi-e2e-tmp", 0755, 0)};
  const std::string& temp = scratch.path;
  Reader one;
  PtyRun& first = one.run;
  ASSERT_TRUE(one.Sees("e x i t"));
  RunOptions o = Silent();
  o.program = first.Dir() + "/rodi";
  o.env = {{"TMPDIR", temp}};
  Reader two(o);
  PtyRun& second = two.run;
  ASSERT_TRUE(two.Sees("e x i t"));
  EXPECT_EQ(first.FilesInDir(), std::vector<std::string>{"menu1.ans"});
  ASSERT_EQ(Entries(temp).size(), 1u);
  // A save from the second into the first one's background is refused.
  second.Type(kEnter);
  ASSERT_TRUE(two.Sees("Hello, reader."));
  second.Type(kSave + "../" + fs::path(first.Dir()).filename().string() + "/menu1.ans" + kEnter + "y");
  ASSERT_TRUE(two.Sees("in use by the magazine"));
  second.Type(" " + kEsc);
  ASSERT_TRUE(two.Sees("e x i t"));

  first.Type("x");
  ASSERT_EQ(first.WaitExit(kShowMs), 0) << first.Screen();
  EXPECT_EQ(first.FilesInDir(), std::vector<std::string>{});
  // The second copy's sections and main menu still draw from its own files.
  second.Type(kDown + kEnter);
  ASSERT_TRUE(two.Sees("[ b a c k ]"));
  EXPECT_EQ(first.FilesInDir(), std::vector<std::string>{}) << "the second copy wrote where the first one works";
  second.Type(std::string("\x1bOF") + kEnter);  // End, "[ b a c k ]"
  ASSERT_TRUE(two.Sees("a r t i c l e s"));
  EXPECT_EQ(second.RawOutput().find("not found"), std::string::npos) << second.Screen();
  second.Type("x");
  ASSERT_EQ(second.WaitExit(kShowMs), 0) << second.Screen();
  ExpectHandedBack(second);
  EXPECT_TRUE(fs::is_empty(temp)) << "the private directory stays";
}

}  // namespace
}  // namespace rodi::e2e
