// A reader's visits to the magazine, run with --silent in an 80x25 pty and read
// through libvterm: every screen and way back, the global keys, the gallery's
// saves, and every way out leaving the terminal and the directory as they were.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "rodi_checks.h"
#include "term/pipe_code.h"

namespace rodi::e2e {
namespace {

namespace fs = std::filesystem;

const std::string kFaster = "++++++++++";  // pace 30 -> 230
constexpr std::string_view kCtrlY = "\x19";  // empties the line editor
const std::string kDown(keys::kDown), kUp(keys::kUp), kEnter(keys::kEnter), kEsc(keys::kEsc);
// End as xterm sends it in application mode; the decoder does not take ESC [ F.
const std::string kEnd = "\x1bOF";

// A lightbar list as the magazine places it: the first cell of every item and
// the colour the bar gives it.
struct List {
  int col, firstRow, count, onFg;
};
constexpr List kMainMenu{53, 10, 6, 15};
constexpr List kArticles{18, 14, 7, 10};
constexpr List kTutors{18, 14, 7, 12};
constexpr List kGallery{53, 8, 11, 11};

fs::path ResourceDir() { return fs::path(RODI_SOURCE_DIR) / "content/res"; }

// Lines of a text resource as the viewer shows them: pipe colour codes take no cell.
std::vector<std::string> ShownLines(const std::string& resource) {
  std::vector<std::string> lines;
  std::istringstream in(ReadFile(ResourceDir() / resource));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string shown;
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '|' && LoosePipeCode(std::string_view(line).substr(i + 1, 2))) {
        i += 2;
        continue;
      }
      shown += line[i];
    }
    shown.erase(shown.find_last_not_of(' ') + 1);
    lines.push_back(shown);
  }
  return lines;
}

// Writes the screen as ANSI (UTF-8) for the README's pictures, when asked to.
void Snap(const PtyRun& run, const std::string& name) {
  const char* dir = std::getenv("RODI_SCREENSHOTS");
  if (!dir || !*dir) return;
  static constexpr int kPcToAnsi[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  std::string out = "\x1b[0m\x1b[2J";
  int last = -1;
  for (int row = 1; row <= 25; ++row) {
    out += "\x1b[" + std::to_string(row) + ";1H";
    for (int col = 1; col <= (row == 25 ? 79 : 80); ++col) {  // a renderer would scroll at 80,25
      CellInfo c = run.Cell(col, row);
      int attr = c.Attr() < 0 ? 7 : c.Attr();
      if (attr != last) {
        out += "\x1b[0;" + std::to_string(30 + kPcToAnsi[attr & 7]) + ";" +
               std::to_string(40 + kPcToAnsi[(attr >> 4) & 7]) + (attr & 8 ? ";1" : "") +
               (attr & 128 ? ";5" : "") + "m";
        last = attr;
      }
      out += Utf8(c.ch);
    }
  }
  std::ofstream(fs::path(dir) / (name + ".utf8.ans"), std::ios::binary) << out << "\x1b[0m";
}

// Index of the item the bar is on; -1 when none is lit, -2 when several are.
int Bar(const Reader& r, const List& l) {
  int found = -1;
  for (int i = 0; i < l.count; ++i)
    if (r.run.Cell(l.col, l.firstRow + i).fg == l.onFg) {
      if (found >= 0) return -2;
      found = i;
    }
  return found;
}

// Logo, then the main menu with the bar on its first entry.
void Start(Reader& r) {
  ASSERT_TRUE(r.Sees("the rodi lair presents")) << "no logo";
  ASSERT_TRUE(r.Sees("a r t i c l e s"));
  ASSERT_EQ(Bar(r, kMainMenu), 0);
}

// Exit code 0, the terminal as it was, no file but keep.
void ExpectLeftCleanly(Reader& r, const std::vector<std::string>& keep = {}) {
  EXPECT_EQ(r.run.WaitExit(kShowMs), 0) << r.run.Screen();
  ExpectHandedBack(r.run, 25, keep);
}

// An entry's header carries title, author and category at column col, rows
// 2-4; its text fills rows 7-22 from column 1, the scroll bar in column 79.
void ExpectEntry(const Reader& r, int col, const std::string& title, const std::string& author,
                 const std::string& cat, const std::string& resource) {
  EXPECT_EQ(r.Cells(col, 2, static_cast<int>(title.size()) + 1), title + " ");
  EXPECT_EQ(r.Cells(col, 3, static_cast<int>(author.size()) + 1), author + " ");
  EXPECT_EQ(r.Cells(col, 4, static_cast<int>(cat.size()) + 1), cat + " ");
  const auto lines = ShownLines(resource);
  ASSERT_GE(lines.size(), 16u) << resource;
  for (int i : {0, 1, 15}) {
    std::string want = lines[static_cast<size_t>(i)].substr(0, 78);
    EXPECT_EQ(r.Cells(1, 7 + i, static_cast<int>(want.size())), want) << "text row " << 7 + i;
  }
  EXPECT_EQ(r.run.Cell(79, 7).bg, 7) << "scroll bar thumb at the top of column 79";
  EXPECT_NE(r.Cells(1, 23, 78), lines.size() > 16 ? lines[16].substr(0, 78) : "") << "text below row 22";
}

TEST(MagazineReading, EveryPageOpensInPlaceAndTheBarComesBackToWhereItWas) {
  Reader r;
  ASSERT_NO_FATAL_FAILURE(Start(r));
  Snap(r.run, "main-menu");
  EXPECT_EQ(r.run.FilesInDir(), std::vector<std::string>{"menu1.ans"});

  r.Keys(kDown + kEnter);
  ASSERT_TRUE(r.Sees("[ b a c k ]"));
  EXPECT_EQ(Bar(r, kArticles), 0);
  Snap(r.run, "articles");
  // Esc redraws the list with the bar where it was, and opens nothing.
  r.Keys(kDown + kEsc);
  r.run.Pump(1500);
  ASSERT_TRUE(r.Sees("[ b a c k ]"));
  EXPECT_EQ(Bar(r, kArticles), 1);
  EXPECT_EQ(r.run.FilesInDir(), (std::vector<std::string>{"articles.ans", "menu1.ans"}));

  r.Keys(kEnter);
  ASSERT_TRUE(r.Sees("why the crews of the nineties dissolved"));
  ExpectEntry(r, 30, "the fall of hacker groups", "glimmet", "community/groups", "ARTICLE1.txt");
  EXPECT_TRUE(r.Has("article1.txt") && r.Has("article1_hdr.ans"));
  Snap(r.run, "article");
  r.Keys(kEsc);
  ASSERT_TRUE(r.Sees("[ b a c k ]"));
  EXPECT_EQ(Bar(r, kArticles), 1) << "the bar is back on the entry read";
  EXPECT_EQ(r.run.FilesInDir(), (std::vector<std::string>{"articles.ans", "menu1.ans"}));

  // Back to the main menu, bar on "a r t i c l e s"; then the tutorials.
  r.Keys(kEnd + kEnter);
  ASSERT_TRUE(r.Sees("t u t o r s"));
  EXPECT_EQ(Bar(r, kMainMenu), 1);
  r.Keys(kDown + kDown + kEnter);
  ASSERT_TRUE(r.Sees("[bgn] hexeditors"));
  ASSERT_TRUE(r.Sees("[ b a c k ]"));
  EXPECT_EQ(Bar(r, kTutors), 0);
  r.Keys(kEnter);
  ASSERT_TRUE(r.Sees("seeing files as they are"));
  ExpectEntry(r, 30, "hex editor [basic]", "", "cracking/programming", "ARTICLE4.txt");
  EXPECT_EQ(r.Cells(30, 3, 32), std::string(32, ' ')) << "no author for the hex-editor tutorial";
  r.Keys(kEsc);
  ASSERT_TRUE(r.Sees("[ b a c k ]"));
  // The section lists keep their backgrounds; pages take theirs away.
  const std::vector<std::string> lists{"articles.ans", "menu1.ans", "tutors.ans"};
  EXPECT_EQ(r.run.FilesInDir(), lists);
  r.Keys(kEnd + kEnter);
  ASSERT_TRUE(r.Sees("e x i t"));
  EXPECT_EQ(Bar(r, kMainMenu), 3);

  // The editorial and about pages, quicker: text pages draw at the reader's pace.
  r.Keys(kFaster + kUp + kUp + kUp);
  r.Keys(kEnter);
  ASSERT_TRUE(r.Sees("Hello, reader."));
  EXPECT_EQ(r.Cells(1, 5, 27), " -=[ the editor's word ]=- ");
  EXPECT_EQ(r.run.Cell(80, 5).bg, 7) << "scroll bar in column 80";
  EXPECT_TRUE(r.Has("edit.ans") && r.Has("editorial.txt"));
  r.Keys(kEsc);
  ASSERT_TRUE(r.Sees("a r t i c l e s"));
  EXPECT_EQ(Bar(r, kMainMenu), 0);
  EXPECT_EQ(r.run.FilesInDir(), lists);

  r.Keys(kEnd + kUp + kEnter);
  ASSERT_TRUE(r.Sees("about rodi ]"));
  EXPECT_EQ(r.Cells(1, 5, 20), " -=[ about rodi ]=- ");
  EXPECT_TRUE(r.Has("about.ans") && r.Has("about.txt"));
  r.Keys(kEsc);
  ASSERT_TRUE(r.Sees("a r t i c l e s"));
  EXPECT_EQ(Bar(r, kMainMenu), 4);
  EXPECT_EQ(r.run.FilesInDir(), lists);

  // H shows the help over the menu; a key repaints the menu, bar in place.
  r.Keys("h");
  ASSERT_TRUE(r.Sees("any key returns to where you were"));
  EXPECT_EQ(r.run.Screen().find("a r t i c l e s"), std::string::npos) << "the menu shows through";
  Snap(r.run, "help");
  r.Keys(" ");
  ASSERT_TRUE(r.Sees("a r t i c l e s"));
  EXPECT_EQ(Bar(r, kMainMenu), 4);

  r.Keys(kDown + kEnter);  // "e x i t"
  ExpectLeftCleanly(r);
}

TEST(MagazineGallery, ShowsAndSavesPicturesAndSurvivesNamesThatCannotBeWritten) {
  RunOptions o = Silent();
  o.prepare = [](const std::string& dir) {
    fs::create_directory(dir + "/taken");
    std::ofstream(dir + "/taken/keep", std::ios::binary) << "mine";
  };
  Reader r(o);
  ASSERT_NO_FATAL_FAILURE(Start(r));
  r.Keys(kFaster);
  r.Keys(kDown + kDown + kEnter);
  ASSERT_TRUE(r.Sees("b b s  a r t  X"));
  EXPECT_TRUE(r.Has("menu3.ans"));
  r.Keys(kDown + kEsc);  // stays in the list
  r.run.Pump(1000);
  ASSERT_TRUE(r.Sees("b b s  a r t  X"));
  EXPECT_EQ(Bar(r, kGallery), 1);

  // The third picture, saved under the proposed name: the resource byte for byte.
  r.Keys(kDown + kEnter);
  ASSERT_TRUE(r.Sees("t o  c o n t i n u e"));
  EXPECT_TRUE(r.Sees("dusk over the ridges")) << "not the third picture";
  EXPECT_EQ(r.run.Cell(1, 25).Attr(), 0x70) << "prompt black on grey";
  Snap(r.run, "gallery-picture");
  r.Keys("e");
  ASSERT_TRUE(r.Sees("ansi_art3.ans"));
  r.Keys(kEnter);
  r.Keys("y");
  ASSERT_TRUE(r.Sees("[ b a c k ]"));
  EXPECT_EQ(Bar(r, kGallery), 2);
  const std::string art3 = ReadFile(ResourceDir() / "ART3.ans");
  ASSERT_FALSE(art3.empty());

  // A missing directory, then a directory's name: one line, a key, the gallery. NO, and YES to an empty name:
  // nothing saved.
  struct Attempt {
    std::string name, answer, reason;
  };
  const Attempt attempts[] = {{"nodir/x.ans", "y", "No such file or directory"},
                               {"taken", "y", "Is a directory"},
                               {"other.ans", "n", ""},
                               {"", "y", ""}};
  for (const Attempt& a : attempts) {
    SCOPED_TRACE(a.name);
    r.Keys(kEnter);
    ASSERT_TRUE(r.Sees("t o  c o n t i n u e"));
    r.Keys(a.reason.empty() ? "e" : "E");
    ASSERT_TRUE(r.Sees("ansi_art3.ans"));
    r.Keys(std::string(kCtrlY) + a.name + kEnter + a.answer);
    if (!a.reason.empty()) {
      ASSERT_TRUE(r.Sees(a.reason));
      const std::string row = r.run.Row(25);
      EXPECT_NE(row.find(a.name), std::string::npos) << row;
      EXPECT_NE(row.find(a.reason), std::string::npos) << row;
      EXPECT_EQ(r.run.Row(24).find(a.reason), std::string::npos) << "more than one line";
      r.Keys(" ");
    }
    ASSERT_TRUE(r.Sees("[ b a c k ]"));
    EXPECT_EQ(Bar(r, kGallery), 2);
  }
  EXPECT_EQ(r.run.FilesInDir(), (std::vector<std::string>{"ansi_art3.ans", "menu1.ans", "menu3.ans", "taken/"}));
  EXPECT_EQ(ReadFile(fs::path(r.run.Dir()) / "taken/keep"), "mine");
  EXPECT_TRUE(ReadFile(fs::path(r.run.Dir()) / "ansi_art3.ans") == art3) << "saved picture differs";

  // X from the gallery: no menu3.ans behind, only what the reader saved.
  r.Keys("x");
  ExpectLeftCleanly(r, {"ansi_art3.ans", "taken/"});
}

TEST(MagazineLooks, ASwitchesTheLookOfScreensOpenedLater) {
  Reader r;
  ASSERT_NO_FATAL_FAILURE(Start(r));
  r.Keys("a");  // plain ASCII from now on; the main menu keeps its look
  r.Keys(kDown + kDown + kEnter);
  ASSERT_TRUE(r.Sees("even if you access the menu, you can't see the ansi art :p"));
  EXPECT_EQ(r.Cells(12, 22, 5), "even ");
  EXPECT_EQ(r.run.Cell(12, 22).Attr(), 7);
  EXPECT_FALSE(r.Has("menu3.ans")) << "the gallery opened in the ASCII look";
  r.Keys(" ");
  ASSERT_TRUE(r.Sees("a r t i c l e s"));
  EXPECT_EQ(r.run.Screen().find("even if you access"), std::string::npos) << r.run.Screen();
  EXPECT_EQ(Bar(r, kMainMenu), 2);

  // The list and the header come from the plain twins: nothing but ASCII.
  r.Keys(kUp + kEnter);
  ASSERT_TRUE(r.Sees("[ b a c k ]"));
  for (int row = 1; row <= 25; ++row)
    for (int col = 1; col <= 80; ++col)
      ASSERT_LT(r.run.Cell(col, row).ch, 128u) << "cell " << col << "," << row << ":\n" << r.run.Screen();
  r.Keys(kEnter);
  ASSERT_TRUE(r.Sees("news from the scene"));
  ASSERT_TRUE(r.Sees("compiled by pomb"));
  ExpectEntry(r, 34, "news from the scene", "pomb", "info/gossip", "NEWS.txt");
  r.Keys(kEsc);
  ASSERT_TRUE(r.Sees("[ b a c k ]"));

  // A again: the section list comes back in its ANSI look.
  r.Keys("a");
  r.Keys(kEnd + kEnter);
  ASSERT_TRUE(r.Sees("e x i t"));
  EXPECT_EQ(Bar(r, kMainMenu), 1);
  r.Keys(kEnter);
  ASSERT_TRUE(r.Sees("[ b a c k ]"));
  EXPECT_GT(r.run.Cell(1, 1).ch, 127u) << "still the plain list";
  r.Keys(kEnd + kEnter);
  ASSERT_TRUE(r.Sees("e x i t"));
  r.Keys(kEsc);
  ASSERT_TRUE(r.Sees("thanks for reading rodi")) << "no exit screen";
  ExpectLeftCleanly(r);
}

}  // namespace
}  // namespace rodi::e2e
