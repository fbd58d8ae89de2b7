// The keys every menu of the magazine hands over before acting on them itself.
#pragma once
#include <cstdint>

// X leaves, T and M the track box, P music on and off, H help, A the look,
// + and - the drawing pace. Compared upper-cased.
void GlobalKeys(char c, int32_t index);

// The help art over the current screen, until a key; then the screen again.
void ShowHelpScreen();
