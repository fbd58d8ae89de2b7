// File helpers, and the registry of files the magazine has written and not yet
// deleted, so that every way out can delete them.
#pragma once
#include <string>

// True when the path can be queried and is not a directory.
bool FileExist(const std::string& name);

// True when writing a file of that name would replace the program itself or
// one of its working files (a link of that name is replaced, not followed).
bool IsMagazineFile(const std::string& path);

void OwnFile(const std::string& path);
// Deletes the file (if it exists) and forgets it.
void DeleteOwnedFile(const std::string& path);
void DeleteOwnedFiles();
