// The prompt dialog: the wide frame, a prompt, a text field and YES / NO.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// First the text is edited (Input holds the initial text and gets the edited
// one; Enter ends the edit), then YES or NO is chosen, starting on YES. The
// frame is always 55x5 at (X1, Y1); X2 and Y2 only place the field and the
// buttons. The title is not drawn. The dialog stays on screen; the cursor and
// the attribute are put back. True for YES.
bool InputBox(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2, std::string_view title,
              std::string_view prompt, std::string& input);
