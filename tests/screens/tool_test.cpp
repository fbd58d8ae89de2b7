// The art-source reader: a mistake in a source must stop the build with its place,
// never quietly draw something else.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "screens/library.h"
#include "screens/screen.h"

namespace {
namespace fs = std::filesystem;

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

TEST_F(ScreensTool, PixelLettersPackTwoRowsIntoHalfBlocksAndCentre) {
  const auto s = Load("T", "sauce \"t\" \"a\" \"g\" 20261201\nrows 1\nletters c 1 px W \"ab\"\n");
  // "ab" is 2 + 1 + 2 columns wide, so it starts at column 38.
  const auto& c = s.canvas;
  EXPECT_EQ(c.height(), 1);
  EXPECT_EQ(c.at(37, 0).ch, 0xDB);  // a: both pixels lit
  EXPECT_EQ(c.at(38, 0).ch, 0xDC);  // lower only
  EXPECT_EQ(c.at(39, 0).ch, ' ');   // the spacing column stays untouched
  EXPECT_EQ(c.at(40, 0).ch, 0xDF);  // b: upper only
  EXPECT_EQ(c.at(41, 0).ch, 0xDB);
  EXPECT_EQ(c.at(41, 0).attr, 15);
}

TEST_F(ScreensTool, PixelRampsPutTheLowerColourInTheBackground) {
  const auto s = Load("T", "sauce \"t\" \"a\" \"g\" 20261201\nletters 1 1 px x pxramp=Wb \"a\"\n");
  EXPECT_EQ(s.canvas.at(1, 0).ch, 0xDC);                       // lower pixel only: its own colour
  EXPECT_EQ(s.canvas.at(1, 0).attr, 1);
  EXPECT_EQ(s.canvas.at(0, 0).ch, 0xDF);                       // both lit, white over blue
  EXPECT_EQ(s.canvas.at(0, 0).attr, 15 + 16 * 1);
}

TEST_F(ScreensTool, GridsPaintOnlyWhereAColourIsGiven) {
  const auto s = Load("T", "sauce \"t\" \"a\" \"g\" 20261201\nfill 1 1 3 1 x b\ngrid 1 1\n|┌ ┐\npaint\n|W b\nend\n");
  EXPECT_EQ(s.canvas.at(0, 0), (artkit::Cell{0xDA, 15}));
  EXPECT_EQ(s.canvas.at(1, 0), (artkit::Cell{'x', 1}));  // transparent: the fill shows through
  EXPECT_EQ(s.canvas.at(2, 0), (artkit::Cell{0xBF, 1}));
}

TEST_F(ScreensTool, MistakesAreReportedWithTheirPlace) {
  const std::string sauce = "sauce \"t\" \"a\" \"g\" 20261201\n";
  EXPECT_NE(LoadError("T", sauce + "text 1 1 W \"\xe2\x98\x85\"\n").find("T.scr:2"), std::string::npos)
      << "a glyph code page 437 lacks";
  EXPECT_NE(LoadError("T", sauce + "text 1 1 W \"\xe2\x99\xaa\"\n").find("drawable"), std::string::npos)
      << "a glyph that only a control byte shows";
  EXPECT_NE(LoadError("T", sauce + "text 79 1 W \"abc\"\n").find("off the screen"), std::string::npos);
  EXPECT_NE(LoadError("T", sauce + "rows 2\ntext 1 3 W \"a\"\n").find("below the last row"), std::string::npos);
  EXPECT_NE(LoadError("T", sauce + "text 1 1 Q \"a\"\n").find("no palette key"), std::string::npos);
  EXPECT_NE(LoadError("T", sauce + "grid 1 1\n|ab\npaint\n|W\nend\n").find("without colour"), std::string::npos);
  EXPECT_NE(LoadError("T", sauce + "grid 1 1\n|ab\n").find("without end"), std::string::npos);
  EXPECT_NE(LoadError("T", "text 1 1 W \"a\"\n").find("sauce"), std::string::npos) << "an ANSI screen without SAUCE";
  EXPECT_NE(LoadError("T_ASC", "text 1 1 . \"\xe2\x96\x88\"\n").find("ASCII"), std::string::npos)
      << "a block in a plain twin";
}

}  // namespace
