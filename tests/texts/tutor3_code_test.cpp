// The 3D tutorial's code as a reader gets it: cut out of the framed boxes of
// TUTOR3 (code page 437, as the viewer saves it), cube.c must build without a
// warning and draw frames until Ctrl+C, and the fixed-point example must print
// what the text says.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "widgets/text_lines.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The code of the box holding `text`: its lines without the frame and the
// padding. A line that breaks the frame's width is reported, since a reader's
// cut would fail.
std::string BoxWith(const std::vector<std::string>& lines, const std::string& text) {
  const std::string side = "\xB3";
  for (size_t n = 0; n < lines.size(); ++n) {
    if (lines[n].empty() || lines[n][0] != '\xDA') continue;  // a box's top left corner
    const size_t width = lines[n].size();
    std::string code;
    for (++n; n < lines.size() && lines[n][0] != '\xC0'; ++n) {  // to its bottom left corner
      const std::string& l = lines[n];
      EXPECT_TRUE(l.size() == width && l.starts_with(side + " ") && l.ends_with(" " + side))
          << "TUTOR3.txt line " << n + 1 << " leaves the frame: " << l;
      std::string inner = l.size() > 4 ? l.substr(2, l.size() - 4) : "";
      code += inner.erase(inner.find_last_not_of(' ') + 1) + "\n";
    }
    if (code.find(text) != std::string::npos) return code;
  }
  ADD_FAILURE() << "no code box with " << text;
  return "";
}

TEST(Tutor3Code, CubeBuildsCleanlyAndDrawsAndTheFixedPointExamplePrintsItsLine) {
  const auto lines = SplitLines(Read(fs::path(RODI_SOURCE_DIR) / "content/res/TUTOR3.txt"));
  std::string dir = (fs::temp_directory_path() / "rodi-cube-XXXXXX").string();
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  std::ofstream(dir + "/cube.c", std::ios::binary) << BoxWith(lines, "/* cube.c");
  std::ofstream(dir + "/fixed.c", std::ios::binary) << BoxWith(lines, "sintab");
  // Runs a command in dir: its exit status, its output in `out`. Builds: the text's line, warnings as errors.
  std::string out;
  const auto run = [&](const std::string& command) {
    const int status = std::system(("cd '" + dir + "' && " + command + " >out.txt 2>&1").c_str());
    out = Read(dir + "/out.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  const std::string gcc = "gcc -Wall -Wextra -Werror -O2 -o ";

  EXPECT_EQ(run(gcc + "cube cube.c -lm"), 0) << out;
  // Ctrl+C ends the loop: the program puts the cursor back and leaves with 0.
  EXPECT_EQ(run("timeout -s INT --preserve-status 0.5 ./cube"), 0);
  EXPECT_NE(out.find("\033[H"), out.rfind("\033[H")) << "fewer than two frames drawn";
  EXPECT_TRUE(out.ends_with("\033[?25h\033[0m\n")) << "the cursor is not given back";

  EXPECT_EQ(run(gcc + "fixed fixed.c -lm && ./fixed"), 0) << out;
  EXPECT_EQ(out, "0 -100\n");
  fs::remove_all(dir);
}

}  // namespace
