// The gallery's ten pictures: who drew what, and how each is rendered.
#pragma once
#include <string>
#include <vector>

#include "artkit/canvas.h"

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
  artkit::Canvas (*draw)(const Sources&);
};

const std::vector<Picture>& Pictures();

// The picture's file: ANSI drawn on a cleared screen, SUB, SAUCE record.
std::string EncodePicture(const Picture& picture, const artkit::Canvas& canvas);

// The renderers, one per file art_*.cpp.
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
