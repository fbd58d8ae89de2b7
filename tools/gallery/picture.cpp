#include "gallery/picture.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "artkit/ansi_encoder.h"
#include "artkit/sauce.h"

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
      {"ART1", "mandelbrot deep", "ferrund", "half-block pixels, escape-time fractal", DrawMandelbrot},
      {"ART2", "chrome and checkers", "ferrund", "half-block pixels, ray tracer", DrawSpheres},
      {"ART3", "dusk over the ridges", "glimmet", "half-block pixels, noise landscape", DrawRidges},
      {"ART4", "the ringed wanderer", "quoddel", "half-block pixels, lit sphere and rings", DrawPlanet},
      {"ART5", "plasma bloom", "tarvelo", "shade-character colour mixing", DrawPlasma},
      {"ART6", "night city", "mibrask", "shading characters", DrawCity},
      {"ART7", "medusa drift", "glimmet", "line art and shading", DrawJellyfish},
      {"ART8", "constraints breed style", "pomb", "shaded block lettering", DrawMotto},
      {"ART9", "copper bars forever", "tarvelo", "copper bars, chrome logo", DrawCopper},
      {"ART10", "the last leaves", "quoddel", "half-block pixels, recursive tree", DrawTree},
  };
  return kAll;
}

std::string EncodePicture(const Picture& p, const artkit::Canvas& c) {
  return artkit::WithSauce(artkit::EncodeAnsi(c, artkit::Home::Clear), {p.title, p.author, "rodi", "20261206"},
                           c.width(), c.height());
}

}  // namespace gallery
