#include "pipe_code.h"

#include "strutil.h"

std::optional<uint8_t> StrictPipeCode(std::string_view two) {
  const auto code = static_cast<uint8_t>(Str2Int(two));
  if (two == "00") return code;
  if (code >= 1 && code <= 23 && two[0] != '&' && two[0] != '$') return code;
  return std::nullopt;
}

std::optional<uint8_t> LoosePipeCode(std::string_view two) {
  const auto code = static_cast<uint8_t>(Str2Int(two));
  if (two == "00" || code >= 1) return code;
  return std::nullopt;
}

std::optional<uint8_t> TwoDigitPipeCode(std::string_view two) {
  if (two.size() != 2) return std::nullopt;
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (!digit(two[0]) || !digit(two[1])) return std::nullopt;
  const int n = (two[0] - '0') * 10 + (two[1] - '0');
  if (n > 23) return std::nullopt;
  return static_cast<uint8_t>(n);
}
