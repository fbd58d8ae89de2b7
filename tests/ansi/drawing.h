// Drawing helpers of the interpreter tests.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ansi/pace.h"

// Draws art from memory through the interpreter, with the console's keyboard.
void Draw(std::string_view art, int pace = 0);

// Writes art to a scratch file of the build; answers its path.
std::string ArtFile(const std::string& name, std::string_view art);

// Counts the pauses (their lengths in ms) while it lives.
class PauseLog {
 public:
  PauseLog();
  ~PauseLog();
  std::vector<int> ms;

 private:
  PauseFn previous_;
};
