#include "line_editor_settings.h"

std::string LoChars;
std::string HiChars;
bool Changed = false;
char ExitCode = 0;
