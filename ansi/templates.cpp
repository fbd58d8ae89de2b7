#include "templates.h"

#include <string>

#include "term/conio.h"
#include "term/strutil.h"

std::vector<TCoord> TemplatePos;

namespace {
// The padding of WriteTemplate: never assigned, so always the zero byte.
constexpr char CC = '\0';
}  // namespace

void GetTemplateSimple(char tc, char rep) {
  TemplatePos.clear();
  bool inRun = false;
  for (int y = 1; y <= kScreenRows; ++y) {
    for (int x = 1; x <= kScreenCols; ++x) {
      if (GetCharAt(x, y) != tc) {
        inRun = false;
        continue;
      }
      if (inRun) {
        ++TemplatePos.back().W;
      } else {
        inRun = true;
        TemplatePos.push_back(TCoord{static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                     GetAttrAt(x, y), 1});
      }
      WriteXY(x, y, TemplatePos.back().A, std::string(1, rep));
    }
  }
}

void WriteTemplate(uint8_t p, std::string_view s) {
  const TCoord& field = TemplatePos[p];
  if (field.W == 1) {
    WriteXY(field.X, field.Y, field.A, s);
  } else {
    WriteXY(field.X, field.Y, field.A, StrPadR(s, field.W, CC));
  }
}

void FreeTemplate() { TemplatePos.clear(); }
