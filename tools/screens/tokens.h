// Splitting one line of an art source into words and quoted strings.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace screens {

// Words are separated by blanks; "a quoted string" is one word (\" and \\ escape).
// A word starting with # outside quotes ends the line (a comment).
std::vector<std::string> Tokenize(std::string_view line);

// Reads a 1-based number; throws std::runtime_error naming what was expected.
int ParseInt(const std::string& word, const char* what);

}  // namespace screens
