// The gallery's ten pictures: who drew what, and how each is rendered.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "tools/artkit/canvas.h"

namespace gallery {

// Where the hand-made parts (lettering, fonts) are read from.
struct Sources {
  std::string dir;  // .../content/src/gallery
  std::string Read(const std::string& name) const;  // throws std::runtime_error when missing
};

struct Picture {
  std::string name;    // resource name: ART1 ... ART10
  std::string title;   // shown in the art and in the SAUCE record
  std::string author;
  std::string technique;
  artkit::Canvas (*draw)(const Sources&);  // the art, its second-last row's right end left for the caption
  int accent;                              // background (0-7) of the caption's "rodi" tag
};

const std::vector<Picture>& Pictures();

// The picture as shipped: its art with the caption (title, author, the
// magazine's tag) at the right of its second-last row, the last row the reader
// sees above the prompt the gallery writes over the bottom one.
artkit::Canvas Render(const Picture& picture, const Sources& sources);

// What stays on screen once the picture is drawn: its last 25 rows, `prompt`
// (black on grey) over the bottom one.
artkit::Canvas LastScreen(const artkit::Canvas& picture, std::string_view prompt);

// The picture's file: ANSI drawn on a cleared screen, SUB, SAUCE record.
std::string EncodePicture(const Picture& picture, const artkit::Canvas& canvas);

// The renderers, one per picture in content/src/gallery/, beside its hand-drawn parts.
artkit::Canvas DrawMandelbrot(const Sources&);
artkit::Canvas DrawSpheres(const Sources&);
artkit::Canvas DrawRidges(const Sources&);
artkit::Canvas DrawPlanet(const Sources&);
artkit::Canvas DrawPlasma(const Sources&);
artkit::Canvas DrawCity(const Sources&);
artkit::Canvas DrawJellyfish(const Sources&);
artkit::Canvas DrawMotto(const Sources&);
artkit::Canvas DrawCopper(const Sources&);
artkit::Canvas DrawTree(const Sources&);

}  // namespace gallery
