// One screen resource: its source read into a canvas, and the bytes it becomes.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "tools/artkit/canvas.h"
#include "tools/artkit/sauce.h"
#include "tools/screens/library.h"

namespace screens {

struct Screen {
  std::string name;          // resource name: the source's file stem, e.g. MENU or MENU_ASC
  bool plain = false;        // an _ASC twin: form feed, LF line ends, no colour, no SAUCE
  artkit::Canvas canvas{80, 25};
  artkit::Sauce sauce;
};

// Draws the source file (NAME.scr) with the shared pieces of lib.
// Throws std::runtime_error("file:line: why") on a malformed source or art that breaks the
// byte rules (a glyph CP437 lacks, a control byte, non-ASCII in a twin, art below the last row).
Screen LoadScreen(const std::filesystem::path& file, const Library& lib);

// The resource's bytes, and the file name it is stored under (MENU.ans, MENU_ASC.txt).
std::string Render(const Screen& screen);
std::string OutputName(const Screen& screen);

// The screen sources directly under root, sorted by name.
std::vector<std::filesystem::path> ScreenSources(const std::filesystem::path& root);

}  // namespace screens
