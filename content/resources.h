// The magazine issue carried inside the executable: named resources used in
// place, found without regard to ASCII case.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a resource, or nothing when no resource has that name.
std::optional<std::span<const uint8_t>> FindResource(std::string_view name);

// Every resource name, as stored (upper case).
std::vector<std::string> ResourceNames();

// Writes the resource into path through a new file in the same directory,
// created exclusively and renamed over path, so a reader (or a second copy of
// the magazine that has the old file mapped) never sees a half-written file and
// a planted link is replaced, not followed. An error text on failure; on
// success the new file stays open with its descriptor in kept, when given.
std::optional<std::string> WriteResource(std::string_view name, const std::string& path,
                                         int* kept = nullptr);

// Writes the resource into a new file of dir created exclusively (never an
// existing file of the reader's), owned like a working file; returns its path.
std::string ExtractResTempFile(std::string_view resName, const std::string& dir);

// The magazine's own working file: written as above, deleted on every way out
// while it is still the file written.
// A missing resource or a file that cannot be written ends the magazine with a report.
void ExtractResFile(std::string_view resName, const std::string& fileName);
