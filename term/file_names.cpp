#include "file_names.h"

#include "conio.h"
#include "cp437.h"

namespace {

bool Utf8Terminal() { return Screen != nullptr && Screen->charset() == Charset::Utf8; }

// One code point from the front of s, which loses its bytes; -1 for bytes that
// are no UTF-8 (one byte is dropped).
long TakeCodePoint(std::string_view& s) {
  const auto lead = static_cast<uint8_t>(s[0]);
  const int length = Utf8Length(lead);
  if (length == 0 || s.size() < static_cast<size_t>(length)) {
    s.remove_prefix(1);
    return -1;
  }
  long code = static_cast<long>(Utf8LeadBits(lead, length));
  for (int i = 1; i < length; ++i) {
    const auto c = static_cast<uint8_t>(s[static_cast<size_t>(i)]);
    if ((c & 0xC0) != 0x80) {
      s.remove_prefix(1);
      return -1;
    }
    code = (code << 6) | (c & 0x3F);
  }
  s.remove_prefix(static_cast<size_t>(length));
  return code;
}

}  // namespace

std::string FileNameOf(std::string_view typed) {
  return Utf8Terminal() ? HighBytesToUtf8(typed) : std::string(typed);
}

std::string ShownFileName(std::string_view name) {
  if (!Utf8Terminal()) return std::string(name);
  std::string shown;
  while (!name.empty()) {
    const long code = TakeCodePoint(name);
    const int b = code < 0 ? -1 : UnicodeToCp437(static_cast<char32_t>(code));
    shown += b < 0 ? '?' : static_cast<char>(b);
  }
  return shown;
}
