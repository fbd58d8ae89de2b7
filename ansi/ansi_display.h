// Draws an ANSI art file onto the console, byte by byte, at a pace that
// imitates a modem line; keys pressed meanwhile change the pace or stop it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "ansi/ansi_source.h"

// Where the drawing loop takes its keys from: the console, or a test's list.
struct DisplayKeys {
  std::function<bool()> pressed;
  std::function<char()> read;
};

// The keyboard, asked cheaply enough to be asked once per byte.
DisplayKeys ConsoleKeys();

// Draws from the cursor, in the current attribute. Every byte of a position
// that is a multiple of baudEmu within its 4,096-byte block pauses 6 ms; keys:
// Esc stops, "*" sets the pace to 20, "+" and "-" change it by 3, "/" resets
// it to the program's second argument.
void DrawAnsi(AnsiSource& source, int32_t baudEmu, const DisplayKeys& keys);

// DrawAnsi of a file, or the line "File NAME not found." when it cannot be opened.
void AnsiDisplay(const std::string& fileName, int32_t baudEmu);
