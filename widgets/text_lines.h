// Reading a text into lines and writing lines out safely.
#pragma once
#include <optional>
#include <string>
#include <vector>

// The lines of a file: a line ends at LF, CR or CR LF; a last line without an
// ending counts; an empty file has none. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> LoadLines(const std::string& path);

// Splits text by the same rule.
std::vector<std::string> SplitLines(const std::string& text);

// Writes every line followed by LF into a new file beside Path and renames it
// into place, so a failed save leaves any earlier file untouched. Empty on
// success, otherwise the reason the file system gave.
std::string SaveLines(const std::string& path, const std::vector<std::string>& lines);
