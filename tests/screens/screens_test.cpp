// The screen resources: each exactly what its source draws, shown by an ordinary
// terminal (libvterm) as drawn and leaving colour 7; the plain twins printable
// ASCII whose rows never reach column 80 (the wrap plus the LF would skip a row).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/artkit/vterm_view.h"
#include "tools/artkit/ansi_encoder.h"
#include "tools/screens/screen.h"

namespace {

TEST(Screens, EachIsWhatItsSourceDrawsAndATerminalShowsIt) {
  const std::filesystem::path src = RODI_SOURCE_DIR "/content/src/screens";
  const screens::Library lib = screens::LoadLibrary(src);
  for (const auto& file : screens::ScreenSources(src)) {
    const screens::Screen s = screens::LoadScreen(file, lib);
    SCOPED_TRACE(screens::OutputName(s));
    std::ifstream in(RODI_SOURCE_DIR "/content/res/" + screens::OutputName(s), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_TRUE(screens::Render(s) == bytes) << "differs from its source: run the screens target";
    EXPECT_EQ(artkit::FindPipeCode(bytes), std::string::npos);

    if (s.plain) {
      ASSERT_EQ(bytes[0], '\f');
      int rows = 1, width = 0;
      for (const char c : bytes.substr(1)) {
        EXPECT_TRUE(c == '\n' || (c >= 0x20 && c <= 0x7E)) << "byte " << int(c);
        width = c == '\n' ? 0 : width + 1;
        rows += c == '\n';
        EXPECT_LE(width, 79) << "row " << rows;
      }
      EXPECT_EQ(rows, s.canvas.height());
      continue;
    }
    const std::string body = bytes.substr(0, bytes.find('\x1a'));
    EXPECT_TRUE(body.starts_with("\x1b[0m\x1b[H") || body.starts_with("\x1b[0m\x1b[2J"));
    const auto sauce = artkit::ReadSauce(bytes);
    ASSERT_TRUE(sauce);
    EXPECT_EQ(body.size() + 1 + 128, bytes.size()) << "SUB right before SAUCE";
    EXPECT_EQ(sauce->fileSize, body.size());
    EXPECT_EQ(sauce->tinfo[1], s.canvas.height());
    EXPECT_EQ(sauce->flags, 0) << "iCE colour off";

    const artkit::Canvas view = artkit_test::TerminalView(bytes);
    for (int y = 0, wrong = 0; y < 25; ++y)
      for (int x = 0; x < 80; ++x) {
        const artkit::Cell want = y < s.canvas.height() ? s.canvas.at(x, y) : artkit::Cell{};
        if (!artkit::SameLook(view.at(x, y), want) && wrong++ < 5)
          ADD_FAILURE() << "differs at column " << x + 1 << ", row " << y + 1;
      }
    // Whatever comes next is drawn in the colour the screen left: probe it with one letter.
    EXPECT_EQ(artkit_test::TerminalView(body + "\x1b[HX").at(0, 0), (artkit::Cell{'X', 0x07}));
  }
}

}  // namespace
