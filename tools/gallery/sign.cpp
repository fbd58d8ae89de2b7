#include "gallery/sign.h"

#include <string>

namespace gallery {

using artkit::Attr;

int SignWidth(std::string_view title) { return static_cast<int>(title.size()) + 2 + 6; }

void Sign(artkit::Canvas& c, int x, int y, std::string_view title, int accent) {
  c.put(x, y, " " + std::string(title) + " ", Attr(7, 0));
  x += static_cast<int>(title.size()) + 2;
  c.put(x, y, "\xde", Attr(accent, 0));  // ▐ soft left edge
  c.put(x + 1, y, "rodi", Attr(15, accent));
  c.put(x + 5, y, "\xdd", Attr(accent, 0));  // ▌ soft right edge
}

void SignRight(artkit::Canvas& c, int y, std::string_view title, int accent, int margin) {
  Sign(c, c.width() - margin - SignWidth(title), y, title, accent);
}

}  // namespace gallery
