#pragma once

// The gallery: ten pictures shown full screen, each can be saved as a file.
void OpenAnsiScreen();
