#pragma once

// The exit sequence every normal way out runs: farewell, then the leftovers.
void ExitApp();
