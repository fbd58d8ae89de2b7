// The art-source reader: a mistake in a source must stop the build with its place,
// never quietly draw something else.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "screens/library.h"
#include "screens/screen.h"

namespace {
namespace fs = std::filesystem;
const std::string kSauce = "sauce \"t\" \"a\" \"g\" 20261201\n";

class ScreensTool : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(RODI_BINARY_DIR) / "screens_tool_test";
    fs::remove_all(root_);
    fs::create_directories(root_ / "fonts");
    Write("palette.txt", ". 7 0\nW 15 0\nb 1 0\n");
    Write("frames.txt", "single \"┌─┐││└─┘\"\n");
    Write("fonts/px.font", "pixels yes\nheight 2\nspacing 1\nglyph a\n|#.\n|##\nglyph b\n|##\n|.#\n");
  }
  void Write(const std::string& name, const std::string& text) { std::ofstream(root_ / name) << text; }
  screens::Screen Load(const std::string& name, const std::string& text) {
    Write(name + ".scr", text);
    return screens::LoadScreen(root_ / (name + ".scr"), screens::LoadLibrary(root_));
  }
  std::string LoadError(const std::string& name, const std::string& text) {
    try {
      Load(name, text);
    } catch (const std::runtime_error& e) {
      return e.what();
    }
    return "";
  }
  fs::path root_;
};

TEST_F(ScreensTool, PixelLettersPackIntoHalfBlocksCentredAndRampsFillTheBackground) {
  const auto s = Load("T", kSauce + "rows 1\nletters c 1 px W \"ab\"\n");
  // "ab" is 2 + 1 + 2 columns wide, so it starts at column 38; the spacing column stays untouched.
  EXPECT_EQ(s.canvas.height(), 1);
  std::string cols;
  for (int x = 37; x <= 41; ++x) cols += static_cast<char>(s.canvas.at(x, 0).ch);
  EXPECT_EQ(cols, "\xDB\xDC \xDF\xDB");
  EXPECT_EQ(s.canvas.at(41, 0).attr, 15);
  const auto r = Load("T", kSauce + "letters 1 1 px x pxramp=Wb \"a\"\n");
  EXPECT_EQ(r.canvas.at(1, 0), (artkit::Cell{0xDC, 1}));        // lower pixel only: its own colour
  EXPECT_EQ(r.canvas.at(0, 0), (artkit::Cell{0xDF, 15 + 16}));  // both lit: white over blue
}

TEST_F(ScreensTool, GridsPaintOnlyWhereAColourIsGiven) {
  const auto s = Load("T", kSauce + "fill 1 1 3 1 x b\ngrid 1 1\n|┌ ┐\npaint\n|W b\nend\n");
  EXPECT_EQ(s.canvas.at(0, 0), (artkit::Cell{0xDA, 15}));
  EXPECT_EQ(s.canvas.at(1, 0), (artkit::Cell{'x', 1}));  // transparent: the fill shows through
  EXPECT_EQ(s.canvas.at(2, 0), (artkit::Cell{0xBF, 1}));
}

TEST_F(ScreensTool, MistakesAreReportedWithTheirPlace) {
  const std::pair<std::string, const char*> cases[] = {
      {kSauce + "text 1 1 W \"\xe2\x98\x85\"\n", "T.scr:2"},      // a glyph code page 437 lacks
      {kSauce + "text 1 1 W \"\xe2\x99\xaa\"\n", "drawable"},     // only a control byte shows it
      {kSauce + "text 79 1 W \"abc\"\n", "off the screen"},
      {kSauce + "rows 2\ntext 1 3 W \"a\"\n", "below the last row"},
      {kSauce + "text 1 1 Q \"a\"\n", "no palette key"},
      {kSauce + "grid 1 1\n|ab\npaint\n|W\nend\n", "without colour"},
      {kSauce + "grid 1 1\n|ab\n", "without end"},
      {"text 1 1 W \"a\"\n", "sauce"},  // an ANSI screen without SAUCE
  };
  for (const auto& [text, want] : cases) EXPECT_NE(LoadError("T", text).find(want), std::string::npos) << text;
  EXPECT_NE(LoadError("T_ASC", "text 1 1 . \"\xe2\x96\x88\"\n").find("ASCII"), std::string::npos)
      << "a block in a plain twin";
}

}  // namespace
