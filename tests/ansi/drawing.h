// Drawing helpers of the interpreter tests.
#pragma once
#include <string>
#include <string_view>

// Draws art from memory through the interpreter, with the console's keyboard.
void Draw(std::string_view art, int pace = 0);
