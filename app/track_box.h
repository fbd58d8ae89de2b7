#pragma once

// The track box over the current screen: choose one of the five tunes; only
// "[ c l o s e ]" closes it, and the screen is drawn again.
void TrackSelection();
