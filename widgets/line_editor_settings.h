// Settings of the one-line editor, shared with the application that sets them.
#pragma once
#include <string>

extern std::string LoChars;  // keys that end the editor
extern std::string HiChars;  // extended keys that end the editor
extern bool Changed;         // the text was edited
extern char ExitCode;        // the key that ended the editor
