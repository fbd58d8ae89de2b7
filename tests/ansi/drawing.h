// Drawing helpers of the interpreter tests.
#pragma once
#include <string_view>

#include "ansi/ansi_display.h"

// Draws art from memory through the interpreter, reading the console's keys unless others are given.
void Draw(std::string_view art, int pace = 0, const DisplayKeys& keys = ConsoleKeys());
