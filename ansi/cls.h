// The animated clear transitions shown before a section screen is drawn.
#pragma once

enum class Wipe { VerticalLines = 1, HorizontalLines = 2, Quarters = 3 };

// Every wipe writes spaces in attribute 0. The vertical lines and the quarters
// leave the cursor where it was; the horizontal lines end with a full clear.
void RunWipe(Wipe wipe);

// One of the three wipes, chosen at random.
void Cls();
