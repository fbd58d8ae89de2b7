// Checks that a program's output leaves the terminal as a shell expects it.
#pragma once

#include <string>
#include <string_view>

namespace rodi::e2e {

// Empty when the output, read as a whole, ends with: a reset rendition, the
// ASCII set in G0 if another set was ever designated, the full-screen scrolling
// region (ESC[1;<rows>r counts) if one was ever set, and every DEC private mode
// that was changed back at its default. Otherwise one line per problem.
std::string HandBackProblems(std::string_view raw, int rows);

}  // namespace rodi::e2e
