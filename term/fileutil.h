// File helpers, and the registry of the files and directories this run has
// written and not yet deleted, so that every way out deletes them and nothing else.
#pragma once
#include <string>

// True when the path can be queried and is not a directory.
bool FileExist(const std::string& name);

// True when writing a file of that name would write into the program itself or
// one of this run's working files (through a link too, as saves follow links).
bool IsMagazineFile(const std::string& path);

// The path as the reader's own tools would name it: a relative one joined to
// the working directory.
std::string FullPath(const std::string& path);

// Records the file this run wrote at path, open as fd and known by its device
// and inode (taken from the open file, so no one else's can slip in between).
// The descriptor is kept, with a shared lock on the file, until the file is
// deleted: a save from another copy of the magazine then leaves it alone.
void OwnFile(const std::string& path, int fd);
// Records the directory this run made at path; it goes, when empty, after its files.
void OwnDirectory(const std::string& path);
// Deletes the file only if it is still the one this run wrote, and forgets it.
void DeleteOwnedFile(const std::string& path);
// The same for everything recorded, the newest first.
void DeleteOwnedFiles();
