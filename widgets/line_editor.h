// The one-line text editor: a field that scrolls horizontally, insert-only
// typing, word jumps and four input modes. It ends on a key of LoChars or
// HiChars (line_editor_settings.h) and sets ExitCode and Changed.
#pragma once
#include <cstdint>
#include <string>

#include "widgets/line_editor_settings.h"

// At most 80 characters.
using MyString = std::string;
inline constexpr size_t kMyStringMax = 80;

// Input modes.
enum : uint8_t {
  kModeNumber = 0,  // digits and "-"
  kModeText = 1,    // anything
  kModeUpper = 2,   // anything, letters upper-cased
  kModeDate = 3,    // digits, with the "/" of a date added as they are typed
};

// Edits DefaultText in a field of Field cells at (X, Y), the text at most Len
// (<= 80) characters, drawn in Attr, the empty cells as FillChar in FillAttr.
// Blocks until an ending key; the field stays on screen as drawn.
MyString GetStr(uint8_t x, uint8_t y, uint8_t field, uint8_t len, uint8_t mode, uint8_t attr,
                uint8_t fillAttr, char fillChar, MyString defaultText);
