#include "sign.h"

#include <string>

namespace gallery {

using artkit::Attr;

int SignWidth(std::string_view title, std::string_view author) {
  return static_cast<int>(title.size() + author.size()) + 5 + 6;
}

void SignRight(artkit::Canvas& c, int y, std::string_view title, std::string_view author, int accent, int margin) {
  int x = c.width() - margin - SignWidth(title, author);
  c.Put(x, y, " " + std::string(title) + " ", Attr(15, 0));
  x += static_cast<int>(title.size()) + 2;
  c.Put(x, y, "\xfa ", Attr(8, 0));  // · between the title and the artist
  c.Put(x + 2, y, std::string(author) + " ", Attr(7, 0));
  x += static_cast<int>(author.size()) + 3;
  c.Put(x, y, "\xde", Attr(accent, 0));  // ▐ soft left edge
  c.Put(x + 1, y, "rodi", Attr(15, accent));
  c.Put(x + 5, y, "\xdd", Attr(accent, 0));  // ▌ soft right edge
}

}  // namespace gallery
