// The ten gallery pictures as shipped: exactly what their sources render, with a
// SAUCE record that names them; the magazine's interpreter and engine draw each
// as its canvas says, a terminal shows the same last screenful, and the rows
// above the gallery's prompt name the picture and its artist.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "term/conio.h"
#include "term/cp437.h"
#include "tests/ansi/drawing.h"
#include "tests/e2e/harness/vt_screen.h"
#include "tests/support/console_fixture.h"
#include "tools/artkit/sauce.h"
#include "tools/gallery/picture.h"

namespace gallery {
namespace {

class Shipped : public ::testing::TestWithParam<size_t> {};

TEST_P(Shipped, RegenerateByteForByteAndShowAsDrawn) {
  const Picture& picture = Pictures()[GetParam()];
  const artkit::Canvas canvas = Render(picture, Sources{RODI_SOURCE_DIR "/content/src/gallery"});
  std::ifstream in(RODI_SOURCE_DIR "/content/res/" + picture.name + ".ans", std::ios::binary);
  const std::string file{std::istreambuf_iterator<char>(in), {}};
  ASSERT_TRUE(EncodePicture(picture, canvas) == file)
      << picture.name << ".ans differs from what rodi-gallery renders: run the gallery-art target";
  const auto sauce = artkit::ReadSauce(file);
  ASSERT_TRUE(sauce);
  EXPECT_EQ(file.find('\x1a'), sauce->fileSize) << "the first SUB must come right before the record";
  EXPECT_EQ(sauce->sauce.title, picture.title);
  EXPECT_EQ(sauce->sauce.author, picture.author);
  EXPECT_EQ(sauce->tinfo[1], canvas.height());
  EXPECT_GT(canvas.height(), 25) << "the picture must scroll";
  EXPECT_EQ(sauce->flags, 0) << "iCE colour must be off";

  ConsoleOnPipes console{Charset::Utf8};
  Draw(file);
  EXPECT_EQ(GetTextAttr(), 7) << "the picture must leave attribute 7 behind";
  // The image does not scroll: rows 1-24 keep the picture's first rows and row
  // 25 holds whatever of the later rows was drawn there last.
  for (int y = 1; y <= 25; ++y) {
    const std::string row = console.Row(y);
    for (int x = 1; x <= 80; ++x) {
      const artkit::Cell shown{static_cast<uint8_t>(row[static_cast<size_t>(x - 1)]), console.Attr(x, y)};
      bool found = shown.ch == ' ' && artkit::Bg(shown.attr) == 0;
      for (int r = y - 1; r < (y < 25 ? y : canvas.height()) && !found; ++r)
        found = artkit::SameLook(canvas.at(x - 1, r), shown);
      ASSERT_TRUE(found) << "image cell " << x << "," << y << ": " << int(shown.ch) << "/" << int(shown.attr);
    }
  }
  // A terminal scrolled to the end shows the picture's last 25 rows.
  rodi::e2e::VtScreen vt(80, 25, true);
  vt.Feed(console.TakeOutput());
  std::string rows;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 80; ++x) {
      const rodi::e2e::CellInfo c = vt.Cell(x + 1, y + 1);
      const artkit::Cell last{static_cast<uint8_t>(UnicodeToCp437(c.ch)), static_cast<uint8_t>(c.Attr())};
      ASSERT_TRUE(artkit::SameLook(canvas.at(x, canvas.height() - 25 + y), last))
          << "last screen row " << y + 1 << " col " << x + 1;
      if (y < 24) rows += static_cast<char>(last.ch);
    }
  EXPECT_NE(rows.find(picture.title), std::string::npos) << "title not on the last screen";
  EXPECT_NE(rows.find(picture.author), std::string::npos) << "artist not on the last screen";
}

INSTANTIATE_TEST_SUITE_P(Gallery, Shipped, ::testing::Range<size_t>(0, 10),
                         [](const auto& info) { return Pictures()[info.param].name; });

}  // namespace
}  // namespace gallery
