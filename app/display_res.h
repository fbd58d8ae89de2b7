#pragma once
#include <string>

// Shows a resource as a full screen: clears, draws it at the current pace
// from a temporary copy among the working files, deletes the copy.
void DisplayRes(const std::string& resName);
