// Key byte sequences as a terminal sends them, and how typed text splits into keys.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rodi::e2e::keys {

inline constexpr std::string_view kEsc = "\x1b";
inline constexpr std::string_view kEnter = "\r";
inline constexpr std::string_view kBackspace = "\x7f";
inline constexpr std::string_view kTab = "\t";
inline constexpr std::string_view kUp = "\x1b[A";
inline constexpr std::string_view kDown = "\x1b[B";
inline constexpr std::string_view kRight = "\x1b[C";
inline constexpr std::string_view kLeft = "\x1b[D";
inline constexpr std::string_view kHome = "\x1b[H";
inline constexpr std::string_view kEnd = "\x1b[F";
inline constexpr std::string_view kInsert = "\x1b[2~";
inline constexpr std::string_view kDelete = "\x1b[3~";
inline constexpr std::string_view kPgUp = "\x1b[5~";
inline constexpr std::string_view kPgDn = "\x1b[6~";
inline constexpr std::string_view kF1 = "\x1bOP";

// Splits typed bytes into the keys a terminal would send one at a time: an
// escape sequence (ESC [ ... final, ESC O x) is one key, a UTF-8 character is
// one key, and an ESC followed by anything else is a lone Esc key.
std::vector<std::string> SplitKeys(std::string_view bytes);

}  // namespace rodi::e2e::keys
