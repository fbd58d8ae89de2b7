// The benchmark's art: deterministic, coloured, block-drawn screens.
#pragma once
#include <cstddef>
#include <string>

inline constexpr char kEndMark[] = "BENCH-END";

// At least minBytes of CP437 art with SGR and cursor sequences, ending in kEndMark.
std::string MakeArt(size_t minBytes);

// The same art for a UTF-8 terminal: CP437 glyphs as UTF-8, sequences kept.
std::string ToUtf8(const std::string& art);
