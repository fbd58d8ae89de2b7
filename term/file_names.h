// File names between the screen and the file system. The line editor holds
// what the reader types as CP437 bytes; on a UTF-8 terminal the file system
// must get the UTF-8 the reader typed ("café.txt"), not those bytes.
#pragma once
#include <string>
#include <string_view>

// A typed name as the file system takes it.
std::string FileNameOf(std::string_view typed);

// A name from the file system as the screen shows it (CP437; '?' where CP437
// has no glyph or the bytes are no UTF-8).
std::string ShownFileName(std::string_view name);
