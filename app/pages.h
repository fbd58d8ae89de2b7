#pragma once

// The about page and the editorial: a background art and a text in the viewer.
void OpenAboutScreen();
void OpenEditorScreen();
