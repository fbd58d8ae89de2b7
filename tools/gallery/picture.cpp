#include "picture.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tools/artkit/ansi_encoder.h"
#include "tools/artkit/sauce.h"
#include "tools/gallery/sign.h"

namespace gallery {

std::string Sources::Read(const std::string& name) const {
  std::ifstream in(dir + "/" + name, std::ios::binary);
  if (!in) throw std::runtime_error("gallery: cannot read " + dir + "/" + name);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

const std::vector<Picture>& Pictures() {
  static const std::vector<Picture> kAll = {
      {"ART1", "mandelbrot deep", "ferrund", "half-block pixels, escape-time fractal", DrawMandelbrot, 1},
      {"ART2", "chrome and checkers", "ferrund", "half-block pixels, ray tracer", DrawSpheres, 1},
      {"ART3", "dusk over the ridges", "glimmet", "half-block pixels, noise landscape", DrawRidges, 4},
      {"ART4", "the ringed wanderer", "quoddel", "half-block pixels, lit sphere and rings", DrawPlanet, 5},
      {"ART5", "plasma bloom", "tarvelo", "shade-character colour mixing", DrawPlasma, 5},
      {"ART6", "night city", "mibrask", "shading characters", DrawCity, 1},
      {"ART7", "medusa drift", "glimmet", "line art and shading", DrawJellyfish, 5},
      {"ART8", "constraints breed style", "pomb", "shaded block lettering", DrawMotto, 5},
      {"ART9", "copper bars forever", "tarvelo", "copper bars, chrome logo", DrawCopper, 1},
      {"ART10", "the last leaves", "quoddel", "half-block pixels, recursive tree", DrawTree, 4},
  };
  return kAll;
}

artkit::Canvas Render(const Picture& p, const Sources& src) {
  artkit::Canvas c = p.draw(src);
  SignRight(c, c.height() - 2, p.title, p.author, p.accent);
  return c;
}

artkit::Canvas LastScreen(const artkit::Canvas& picture, std::string_view prompt) {
  artkit::Canvas screen(picture.width(), 25);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < picture.width(); ++x) screen.at(x, y) = picture.at(x, picture.height() - 25 + y);
  screen.Fill(0, 24, screen.width(), 1, artkit::Cell{' ', artkit::Attr(0, 7)});
  screen.Put(0, 24, prompt, artkit::Attr(0, 7));
  return screen;
}

std::string EncodePicture(const Picture& p, const artkit::Canvas& c) {
  return artkit::WithSauce(artkit::EncodeAnsi(c, artkit::Home::Clear), {p.title, p.author, "rodi", "20261206"},
                           c.width(), c.height());
}

}  // namespace gallery
