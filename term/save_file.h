// Saving under a name the reader typed: into the file the name leads to, never
// half-written.
#pragma once
#include <string>
#include <string_view>

// Makes bytes the whole content of path. An existing regular file (reached
// through links too) is written in place, so it keeps its permissions, owner
// and hard links; a new one is written whole beside its name, then renamed to
// it. Directories, devices, FIFOs, sockets, the magazine's own files and
// those another copy of it works with are refused. Empty on success, otherwise the reason; a failed save changes
// nothing on disk.
std::string SaveFile(const std::string& path, std::string_view bytes);
