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

// Saves every line followed by LF (SaveFile of term/save_file.h). Empty on
// success, otherwise the reason.
std::string SaveLines(const std::string& path, const std::vector<std::string>& lines);
