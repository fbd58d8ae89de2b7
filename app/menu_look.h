// A menu's look: the colours of its TBar. Each menu has its own in the ANSI
// look; in the plain-ASCII look they all share one.
#pragma once
#include <cstdint>

class TBar;

struct MenuLook {
  uint8_t barBg, barFg;   // FBarBgCl, FBarFgCl
  const char* onColour;   // FBarOnC: the highlighted item
  const char* offColour;  // FBarOffC
  uint8_t rippleAttr;     // FBarOnAt and FBarOffAt: both passes of the ripple
};

// `ansi` while the ANSI look is on, otherwise the plain one.
const MenuLook& ForCurrentLook(const MenuLook& ansi);

void ApplyMenuLook(TBar& menu, const MenuLook& look);
