// The 3D tutorial's code as a reader gets it: cut out of the framed boxes of
// TUTOR3 (code page 437, as the viewer saves it), cube.c must build without a
// warning and draw frames until Ctrl+C, its hidden-face test must see the face
// nearest the eye at rest and no other, and the fixed-point example must print
// what the text says. Skipped without gcc.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "widgets/text_lines.h"

namespace {

namespace fs = std::filesystem;

constexpr char kTopLeft = '\xDA', kBottomLeft = '\xC0', kSide = '\xB3';

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The code of every box: its lines without the frame and the padding. A line
// that breaks the frame's width is reported, since a reader's cut would fail.
std::vector<std::string> Boxes(const std::vector<std::string>& lines) {
  std::vector<std::string> boxes;
  for (size_t n = 0; n < lines.size(); ++n) {
    if (lines[n].empty() || lines[n][0] != kTopLeft) continue;
    const size_t width = lines[n].size();
    std::string code;
    for (++n; n < lines.size() && lines[n][0] != kBottomLeft; ++n) {
      const std::string& l = lines[n];
      const bool framed = l.size() == width && l.substr(0, 2) == std::string(1, kSide) + " " &&
                          l.substr(width - 2) == " " + std::string(1, kSide);
      EXPECT_TRUE(framed)
          << "TUTOR3.txt line " << n + 1 << " leaves the frame: " << l;
      std::string inner = l.size() > 4 ? l.substr(2, l.size() - 4) : "";
      inner.erase(inner.find_last_not_of(' ') + 1);
      code += inner + "\n";
    }
    boxes.push_back(code);
  }
  return boxes;
}

const std::string* BoxWith(const std::vector<std::string>& boxes, const std::string& text) {
  for (const auto& b : boxes) {
    if (b.find(text) != std::string::npos) return &b;
  }
  return nullptr;
}

// Runs a shell command in dir; answers its exit status, its output in *out.
int Shell(const fs::path& dir, const std::string& command, std::string* out) {
  const fs::path log = dir / "out.txt";
  const int status = std::system(("cd '" + dir.string() + "' && " + command + " >out.txt 2>&1").c_str());
  *out = Read(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Built into the cube's own code: the faces box's test on the corners that
// the cube's own projection gives at rest, one digit per face, 1 for seen.
constexpr char kFacesAtRest[] = R"(#define main cube_main
#include "cube.c"
#undef main
#include "faces.c"
int main(void)
{
    double m[3][3], pz[8];
    int px[8], py[8];
    matrix(m, 0, 0, 0);
    project(m, px, py, pz);
    for (int f = 0; f < 6; f++)
        putchar(visible(face[f], px, py) ? '1' : '0');
    return 0;
}
)";

TEST(Tutor3Code, CubeBuildsCleanlyDrawsAndSeesOnlyTheNearFaceAtRest) {
  const auto boxes = Boxes(SplitLines(Read(fs::path(RODI_SOURCE_DIR) / "content/res/TUTOR3.txt")));
  const std::string* cube = BoxWith(boxes, "/* cube.c");
  const std::string* faces = BoxWith(boxes, "visible(");
  const std::string* fixed = BoxWith(boxes, "sintab");
  ASSERT_TRUE(cube && faces && fixed) << "a code box is gone";
  if (std::system("gcc --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no gcc";

  std::string made = (fs::temp_directory_path() / "rodi-cube-XXXXXX").string();
  ASSERT_NE(mkdtemp(made.data()), nullptr);
  const struct RemovedAtEnd {
    fs::path path;
    ~RemovedAtEnd() { fs::remove_all(path); }
  } dir{made};
  std::ofstream(dir.path / "cube.c", std::ios::binary) << *cube;
  std::ofstream(dir.path / "faces.c", std::ios::binary) << *faces;
  std::ofstream(dir.path / "rest.c", std::ios::binary) << kFacesAtRest;
  std::ofstream(dir.path / "fixed.c", std::ios::binary) << *fixed;
  // The text's build line, with every warning an error.
  const std::string gcc = "gcc -Wall -Wextra -Werror -O2 -o ";
  std::string out;

  ASSERT_EQ(Shell(dir.path, gcc + "cube cube.c -lm", &out), 0) << out;
  // Ctrl+C ends the loop: the program puts the cursor back and leaves with 0.
  ASSERT_EQ(Shell(dir.path, "timeout -s INT --preserve-status 0.5 ./cube", &out), 0);
  size_t frames = 0;
  for (size_t i = out.find("\033[H"); i != std::string::npos; i = out.find("\033[H", i + 1)) ++frames;
  EXPECT_GE(frames, 2u) << "frames drawn";
  EXPECT_EQ(out.rfind("\033[?25h\033[0m\n"), out.size() - 11) << "the cursor is not given back";

  ASSERT_EQ(Shell(dir.path, gcc + "rest rest.c -lm", &out), 0) << out;
  ASSERT_EQ(Shell(dir.path, "./rest", &out), 0);
  EXPECT_EQ(out, "100000") << "faces seen at rest: front, back, left, right, top, bottom";

  ASSERT_EQ(Shell(dir.path, gcc + "fixed fixed.c -lm", &out), 0) << out;
  ASSERT_EQ(Shell(dir.path, "./fixed", &out), 0);
  EXPECT_EQ(out, "0 -100\n");
}

}  // namespace
