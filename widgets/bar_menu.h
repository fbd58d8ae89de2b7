// The lightbar list menu: a list of items in a rectangle, one of them marked by
// a coloured bar that the cursor keys, paging and incremental search move. The
// highlighted item ripples while the menu waits for a key.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What DrawMenu returns besides an item index (0 or more).
inline constexpr int32_t rNoItems = -1000;  // the menu has no items
inline constexpr int32_t rEnter = -999;     // unused: Enter returns the index
inline constexpr int32_t rEsc = -998;
inline constexpr int32_t rBackspace = -997;  // code-key mode
inline constexpr int32_t rLeft = -996;
inline constexpr int32_t rRight = -995;
inline constexpr int32_t rPlus = -994;  // code-key mode, as are the two below and rDiv
inline constexpr int32_t rMinus = -993;
inline constexpr int32_t rAsterisk = -992;
inline constexpr int32_t rDiv = -991;

struct TBItem {
  std::string Text;  // as shown; may hold pipe colour codes
  std::string Field1;
};

class TBar {
 public:
  TBar();
  virtual ~TBar() = default;

  void Add(std::string_view s);
  // Shows the list in columns X..X+W-1, rows Y..Y+H-1 with the bar on item Bar,
  // and runs until Enter (the index), Esc, Left, Right or a code key.
  int32_t DrawMenu(uint8_t x, uint8_t y, uint8_t w, uint8_t h, int32_t bar);

  int32_t BarPos = 0;  // the highlighted item; still valid after DrawMenu
  std::string FBarOnC = "|23|00";
  std::string FBarOffC = "|07|16";
  uint8_t FX = 1, FY = 1;  // DrawMenu takes its place from its parameters
  int32_t FTotal = 0;
  bool FMore = false;
  uint8_t FMoreX = 1, FMoreY = 1;
  std::string FMoreCol = "|08|16";
  bool FKey = false;  // code-key mode: + - * / Backspace end the menu, no search
  std::string FSearch;  // upper case
  bool FDoBar = false;
  char FBarBgC = '\xB0';
  char FBarFgC = '\xB2';
  uint8_t FBarBgCl = 8;
  uint8_t FBarFgCl = 15;
  uint8_t FBarOnAt = 15;   // ripple, lower-case pass
  uint8_t FBarOffAt = 15;  // ripple, upper-case pass
  uint8_t FSearchX = 0, FSearchY = 0;  // FSearchX 0: the search text is not shown
  uint8_t FSearchA = 7;
  int32_t Search_Idx = 0;
  std::vector<TBItem> Items;
  std::function<void(int32_t index)> OnSelect;
  std::function<void(int32_t index)> OnEnter;
  // Ordinary keys, before the menu acts on them; PgUp and PgDn as '[' and ']'
  // in code-key mode.
  std::function<void(char key, int32_t index)> OnOtherKey;
  // How the ripple waits between steps (milliseconds); the console's Delay.
  std::function<void(uint16_t ms)> Sleep;

 private:
  void Place(int32_t bar);
  void DrawItem(int32_t i, const std::string& prefix);
  void BarOff(int32_t i) { DrawItem(i, FBarOffC); }
  void BarOn(int32_t i);
  void DrawPage();
  void DrawMore();
  void DrawBar();
  void Ripple();
  void MakeSearch();
  // The menu's result when the key ends it.
  std::optional<int32_t> Extended(uint8_t code);
  std::optional<int32_t> Ordinary(char key);
  void Search(char key);

  // State of one DrawMenu call.
  int x_ = 1, y_ = 1, w_ = 1, h_ = 1;
  int32_t topPage_ = 0;
  int moreShown_ = 0;
};
