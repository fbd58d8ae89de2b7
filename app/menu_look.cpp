#include "app/menu_look.h"

#include "app/state.h"
#include "widgets/bar_menu.h"

namespace {

constexpr MenuLook kPlainLook{0, 7, "|15|16", "|07|16", 15};

}  // namespace

const MenuLook& ForCurrentLook(const MenuLook& ansi) { return Ascii.empty() ? ansi : kPlainLook; }

void ApplyMenuLook(TBar& menu, const MenuLook& look) {
  menu.FBarBgCl = look.barBg;
  menu.FBarFgCl = look.barFg;
  menu.FBarOnC = look.onColour;
  menu.FBarOffC = look.offColour;
  menu.FBarOnAt = menu.FBarOffAt = look.rippleAttr;
}
