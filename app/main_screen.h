#pragma once

// The logo, drawn once at start-up.
void OpenLogoScreen();

// The main menu loop, until "e x i t" or Esc.
void OpenMainScreen();
