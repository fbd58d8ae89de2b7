#include "sauce.h"

#include <stdexcept>

namespace artkit {

namespace {

void Field(std::string& out, const std::string& text, size_t size, const char* name) {
  if (text.size() > size) throw std::invalid_argument(std::string("artkit: SAUCE ") + name + " too long");
  out += text;
  out.append(size - text.size(), ' ');
}

void Le(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t ReadLe(std::string_view s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(s[at + i])) << (8 * i);
  return v;
}

std::string Trimmed(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\0')) --n;
  return std::string(s.substr(0, n));
}

}  // namespace

std::string WithSauce(std::string body, const Sauce& s, int width, int lines) {
  if (s.date.size() != 8 || s.date.find_first_not_of("0123456789") != std::string::npos) {
    throw std::invalid_argument("artkit: SAUCE date must be CCYYMMDD");
  }
  std::string rec = "SAUCE00";
  Field(rec, s.title, 35, "title");
  Field(rec, s.author, 20, "author");
  Field(rec, s.group, 20, "group");
  rec += s.date;
  Le(rec, static_cast<uint32_t>(body.size()), 4);
  rec += '\x01';  // DataType: character
  rec += '\x01';  // FileType: ANSi
  Le(rec, static_cast<uint32_t>(width), 2);
  Le(rec, static_cast<uint32_t>(lines), 2);
  Le(rec, 0, 4);  // TInfo3, TInfo4
  rec += '\0';    // comments
  rec += '\0';    // TFlags: iCE colour off
  rec.append(22, '\0');
  body += '\x1a';
  body += rec;
  return body;
}

std::optional<SauceRecord> ReadSauce(std::string_view f) {
  if (f.size() < 129 || f[f.size() - 129] != '\x1a') return std::nullopt;
  std::string_view r = f.substr(f.size() - 128);
  if (r.substr(0, 7) != "SAUCE00") return std::nullopt;
  SauceRecord out;
  out.sauce = {Trimmed(r.substr(7, 35)), Trimmed(r.substr(42, 20)), Trimmed(r.substr(62, 20)),
               std::string(r.substr(82, 8))};
  out.fileSize = ReadLe(r, 90, 4);
  out.dataType = static_cast<uint8_t>(r[94]);
  out.fileType = static_cast<uint8_t>(r[95]);
  for (int i = 0; i < 4; ++i) out.tinfo[i] = static_cast<int>(ReadLe(r, 96 + 2 * i, 2));
  out.comments = static_cast<uint8_t>(r[104]);
  out.flags = static_cast<uint8_t>(r[105]);
  out.tinfosZero = r.substr(106).find_first_not_of('\0') == std::string_view::npos;
  return out;
}

}  // namespace artkit
