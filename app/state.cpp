#include "state.h"

std::string Dir;
std::string Ascii;
bool Silent = false;
bool NoMusic = false;
bool PlayingMusic = false;
int32_t Wait = 30;
bool TrackBox = false;
std::string CurrentScreen;
