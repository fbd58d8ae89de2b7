#include "bar_menu.h"

#include <algorithm>

#include "term/conio.h"
#include "term/keys.h"
#include "term/strutil.h"

namespace {

constexpr uint16_t kRippleStepMs = 60;
constexpr char kUpMark = '\xF4', kDownMark = '\xF5';

}  // namespace

TBar::TBar() : Sleep(Delay) {}

void TBar::Add(std::string_view s) {
  Items.push_back(TBItem{std::string(s), ""});
  FTotal = static_cast<int32_t>(Items.size());
}

void TBar::Place(int32_t bar) {
  if (bar < 0 || bar > FTotal - 1) {
    topPage_ = 0;
    BarPos = 0;
  } else if (bar > FTotal - h_) {
    topPage_ = std::max(0, FTotal - h_);
    BarPos = bar;
  } else {
    topPage_ = BarPos = bar;
  }
}

void TBar::DrawItem(int32_t i, const std::string& prefix) {
  const std::string& text = Items[i].Text;
  const std::string row =
      prefix + StrPadR(text, StrFMciLen(text, static_cast<uint8_t>(w_)), ' ');
  WriteXYPipe(x_, y_ + i - topPage_, 7, std::string_view(row).substr(0, kMaxStr));
}

void TBar::BarOn(int32_t i) {
  DrawItem(i, FBarOnC);
  if (OnSelect) OnSelect(BarPos);
}

void TBar::DrawPage() {
  for (int r = 0; r < h_; ++r) {
    if (topPage_ + r < FTotal) {
      BarOff(topPage_ + r);
    } else {
      WriteXY(x_, y_ + r, 7, std::string(w_, ' '));
    }
  }
  BarOn(BarPos);
}

void TBar::DrawMore() {
  const bool above = topPage_ > 0, below = topPage_ + h_ < FTotal;
  const int state = (above ? 1 : 0) + (below ? 2 : 0);
  if (state == moreShown_) return;
  moreShown_ = state;
  GotoXY(FMoreX, FMoreY);
  WritePipe(FMoreCol + (above ? kUpMark : ' ') + (below ? kDownMark : ' ') + " more");
}

void TBar::DrawBar() {
  const int col = x_ + w_ - 1;
  for (int d = 0; d < h_; ++d) WriteXY(col, y_ + d, FBarBgCl, std::string(1, FBarBgC));
  int d = (h_ * BarPos) / FTotal;
  if (BarPos == 0) d = 0;
  if (BarPos == FTotal - 1) d = h_ - 1;
  WriteXY(col, y_ + d, FBarFgCl, std::string(1, FBarFgC));
}

void TBar::Ripple() {
  const std::string& text = Items[BarPos].Text;
  if (text.empty()) return;
  const int row = y_ + BarPos - topPage_;
  size_t p = 0;
  bool lowerPass = true;
  while (!KeyPressed()) {
    const std::string_view ch = std::string_view(text).substr(p, 1);
    if (lowerPass) {
      WriteXY(x_ + static_cast<int>(p), row, FBarOnAt, Lower(ch));
    } else {
      WriteXY(x_ + static_cast<int>(p), row, FBarOffAt, Upper(ch));
    }
    Sleep(kRippleStepMs);
    if (++p == text.size()) {
      p = 0;
      lowerPass = !lowerPass;
    }
  }
}

void TBar::MakeSearch() {
  if (FSearch.empty()) return;
  for (int32_t i = std::max(0, Search_Idx); i < FTotal; ++i) {
    if (Upper(Items[i].Text).find(FSearch) != std::string::npos) {
      topPage_ = BarPos = Search_Idx = i;
      DrawPage();
      return;
    }
  }
}

std::optional<int32_t> TBar::Extended(uint8_t code) {
  switch (code) {
    case keys::Home:
      topPage_ = BarPos = Search_Idx = 0;
      DrawPage();
      break;
    case keys::End:
      if (h_ < FTotal) topPage_ = FTotal - h_;
      BarPos = FTotal - 1;
      Search_Idx = 0;
      DrawPage();
      break;
    case keys::Left:
      Search_Idx = 0;
      return rLeft;
    case keys::Right:
      Search_Idx = 0;
      return rRight;
    case keys::Up:
      Search_Idx = 0;
      if (BarPos > topPage_) {
        BarOff(BarPos);
        BarOn(--BarPos);
      } else if (topPage_ > 0) {
        --topPage_;
        --BarPos;
        DrawPage();
      }
      break;
    case keys::Down:
      Search_Idx = 0;
      if (BarPos < FTotal - 1) {
        if (BarPos < topPage_ + h_ - 1) {
          BarOff(BarPos);
          BarOn(++BarPos);
        } else {
          ++topPage_;
          ++BarPos;
          DrawPage();
        }
      }
      break;
    case keys::PgUp:
      if (FKey) {
        if (OnOtherKey) {
          OnOtherKey('[', BarPos);
          DrawPage();
        }
        break;
      }
      Search_Idx = 0;
      if (topPage_ - h_ >= 0) {
        topPage_ -= h_;
        BarPos -= h_;
      } else {
        topPage_ = BarPos = 0;
      }
      DrawPage();
      break;
    case keys::PgDn:
      if (FKey) {
        if (OnOtherKey) {
          OnOtherKey(']', BarPos);
          DrawPage();
        }
        break;
      }
      Search_Idx = 0;
      if (h_ < FTotal) {
        if (topPage_ + h_ < FTotal - 1) {
          topPage_ += h_;
          BarPos = topPage_;  // the next page may end in blank rows
        } else {
          topPage_ = FTotal - h_;
          BarPos = FTotal - 1;
        }
        DrawPage();
      }
      break;
    default: break;
  }
  return std::nullopt;
}

std::optional<int32_t> TBar::Ordinary(char key) {
  std::optional<int32_t> result;
  if (key == keys::Esc) result = rEsc;
  if (key == keys::Enter) {
    result = BarPos;
    if (OnEnter) OnEnter(BarPos);
  }
  // The application's global keys see every ordinary key first.
  if (OnOtherKey) {
    OnOtherKey(key, BarPos);
    DrawPage();
  }
  if (result) return result;
  if (FKey) {
    switch (key) {
      case '+': return rPlus;
      case '*': return rAsterisk;
      case '-': return rMinus;
      case '/': return rDiv;
      case keys::Backspace: return rBackspace;
      default: return std::nullopt;
    }
  }
  Search(key);
  return std::nullopt;
}

void TBar::Search(char key) {
  const uint8_t code = static_cast<uint8_t>(key);
  if (key == keys::CtrlA) {
    Search_Idx = Search_Idx + 1 > FTotal - 1 ? 0 : Search_Idx + 1;
    MakeSearch();
  } else if (code >= 32 && code <= 128) {
    if (FSearch.size() < kMaxStr) FSearch += Upper(std::string_view(&key, 1));
    Search_Idx = 0;
    MakeSearch();
  } else if (key == keys::Backspace) {
    if (!FSearch.empty()) FSearch.pop_back();
    if (FSearchX != 0) WriteXY(FSearchX, FSearchY, FSearchA, Upper(FSearch) + " ");
    Search_Idx = 0;
    MakeSearch();
  } else if (key == keys::CtrlY) {
    if (FSearchX != 0) {
      GotoXY(FSearchX, FSearchY);
      Write(std::string(FSearch.size(), ' '));
    }
    FSearch.clear();
    Search_Idx = 0;
  }
}

int32_t TBar::DrawMenu(uint8_t x, uint8_t y, uint8_t w, uint8_t h, int32_t bar) {
  if (FTotal == 0) return rNoItems;
  x_ = x;
  y_ = y;
  w_ = w;
  h_ = h;
  moreShown_ = 0;
  Place(bar);
  DrawPage();
  for (;;) {
    if (FMore) DrawMore();
    if (FSearchX != 0) WriteXY(FSearchX, FSearchY, FSearchA, FSearch);
    if (FDoBar) DrawBar();
    Ripple();
    const char key = ReadKey();
    const std::optional<int32_t> result =
        key == 0 ? Extended(static_cast<uint8_t>(ReadKey())) : Ordinary(key);
    if (result) return *result;
  }
}
