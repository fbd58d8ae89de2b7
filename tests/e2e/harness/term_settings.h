// Terminal settings the harness puts on the pseudo-terminal, and their comparison.
#pragma once

#include <termios.h>

#include <string>

namespace rodi::e2e {

// A typical interactive shell's cooked mode, fixed so that runs are comparable.
termios KnownCookedSettings(bool utf8);

// Empty when the fields a program must give back (c_iflag, c_oflag, c_cflag,
// c_lflag, c_cc) are equal; otherwise one readable line per difference.
std::string SettingsDiff(const termios& before, const termios& now);

}  // namespace rodi::e2e
