// Key byte sequences as a terminal sends them, and how typed text splits into keys.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rodi::e2e::keys {

inline constexpr std::string_view kEsc = "\x1b";
inline constexpr std::string_view kEnter = "\r";
inline constexpr std::string_view kUp = "\x1b[A";
inline constexpr std::string_view kDown = "\x1b[B";

// Splits typed bytes into the keys a terminal would send one at a time: an
// escape sequence (ESC [ ... final, ESC O x) is one key, a UTF-8 character is
// one key, and an ESC followed by anything else is a lone Esc key.
std::vector<std::string> SplitKeys(std::string_view bytes);

}  // namespace rodi::e2e::keys
