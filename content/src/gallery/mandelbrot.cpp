// ART1: a zoom into the Mandelbrot set told in three panels, top to bottom,
// each deeper than the last; smooth escape-time colouring, 3x3 supersampling.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/artkit/halfblock.h"
#include "tools/gallery/picture.h"
#include "tools/gallery/raster.h"

namespace gallery {

namespace {

using artkit::Attr;

struct View {
  double cx, cy, width;  // centre and width in the complex plane
  int iterations;
  float gamma;  // above 1: more of the picture dark
  const char* label;
};

// Smooth iteration count, or -1 inside the set.
double Escape(double cr, double ci, int maxIter) {
  double zr = 0, zi = 0;
  for (int i = 0; i < maxIter; ++i) {
    double zr2 = zr * zr, zi2 = zi * zi;
    if (zr2 + zi2 > 256.0) return i + 1 - std::log2(std::log2(zr2 + zi2) / 2);
    zi = 2 * zr * zi + ci;
    zr = zr2 - zi2 + cr;
  }
  return -1;
}

// Colours by rank among the panel's escape values (histogram equalisation), so
// every zoom depth spreads over the whole ramp; the boundary glows brightest.
artkit::Canvas Panel(const View& v, int rows) {
  static const std::vector<Rgb> kRamp = {Hex(0x000008), Hex(0x000060), Hex(0x0000b0), Hex(0x3050ff),
                                         Hex(0x40e0ff), Hex(0xe0ffff), Hex(0xffffa0)};
  const int kSub = 3;
  int w = 80 * kSub, h = rows * 2 * kSub;
  double step = v.width / w;
  std::vector<double> n(static_cast<size_t>(w * h));
  std::vector<double> sorted;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      double e = Escape(v.cx + (x - w / 2 + 0.5) * step, v.cy + (y - h / 2 + 0.5) * step, v.iterations);
      n[static_cast<size_t>(y * w + x)] = e;
      if (e >= 0) sorted.push_back(e);
    }
  }
  std::sort(sorted.begin(), sorted.end());
  auto rank = [&](double e) {
    return static_cast<float>(std::lower_bound(sorted.begin(), sorted.end(), e) - sorted.begin()) /
           static_cast<float>(sorted.size());
  };
  artkit::Pixels px(80, rows * 2);
  for (int y = 0; y < px.height(); ++y) {
    for (int x = 0; x < 80; ++x) {
      Rgb sum;
      for (int s = 0; s < kSub * kSub; ++s) {
        double e = n[static_cast<size_t>((y * kSub + s / kSub) * w + x * kSub + s % kSub)];
        if (e >= 0) sum = artkit::Add(sum, Ramp(kRamp, std::pow(rank(e), v.gamma)));
      }
      px.at(x, y) = artkit::Scale(sum, 1.0f / (kSub * kSub));
    }
  }
  return artkit::PackPixels(px, 1.0f);
}

void Caption(artkit::Canvas& c, int y, const View& v) {
  char text[80];
  std::snprintf(text, sizeof text, " %s  re %.9f  im %.9f ", v.label, v.cx, v.cy);
  c.Fill(0, y, 80, 1, artkit::Cell{0xC4, Attr(1, 0)});
  c.Put(3, y, "\xb4", Attr(1, 0));
  c.Put(4, y, text, Attr(3, 0));
  c.Put(4 + static_cast<int>(std::string(text).size()), y, "\xc3", Attr(1, 0));
}

}  // namespace

artkit::Canvas DrawMandelbrot(const Sources&) {
  const View views[] = {
      {-0.72, 0.0, 3.0, 300, 2.2f, "zoom x1"},
      {-0.7445, 0.115, 0.1, 800, 1.6f, "zoom x30"},
      {-1.768, 0.0, 0.075, 1500, 1.8f, "zoom x40: a baby set"},
  };
  // The deepest panel, its caption and the rule under it fill the last 24 rows,
  // which stay on screen; the last row stays free for the prompt.
  const int kPanelRows[] = {34, 34, 21};
  artkit::Canvas c(80, 3 + kPanelRows[0] + kPanelRows[1] + kPanelRows[2] + 3);
  int y = 0;
  for (int i = 0; i < 3; ++i) {
    Caption(c, y, views[i]);
    c.Blit(0, y + 1, Panel(views[i], kPanelRows[i]));
    y += kPanelRows[i] + 1;
  }
  c.Fill(0, y, 80, 1, artkit::Cell{0xC4, Attr(1, 0)});
  return c;
}

}  // namespace gallery
