#include "state.h"

std::string Dir;
std::string WorkDir;
std::string SaveDir;
std::string Ascii;
int32_t Wait = 30;
bool TrackBox = false;
std::string CurrentScreen;
