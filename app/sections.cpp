#include "app/sections.h"

#include "ansi/ansi_display.h"
#include "ansi/cls.h"
#include "ansi/templates.h"
#include "app/global_keys.h"
#include "app/issue_tables.h"
#include "app/state.h"
#include "content/resources.h"
#include "term/conio.h"
#include "term/fileutil.h"
#include "widgets/bar_menu.h"
#include "widgets/text_viewer.h"

namespace {

struct SectionLook {
  const char* background;  // resource, before the look's suffix
  const char* file;
  const char* onColour;    // highlighted item, ANSI look
  const char* offColour;
  uint8_t onAttr;          // ripple, ANSI look
};

void RunSection(const std::array<SectionEntry, 6>& entries, const SectionLook& look) {
  int32_t mPos = 0;
  bool done = false;
  TBar menu;
  for (const SectionEntry& e : entries) menu.Add(e.caption);
  menu.Add(kBack);
  const bool ansi = Ascii.empty();
  menu.FBarBgCl = 0;
  menu.FBarFgCl = ansi ? 8 : 7;
  menu.FBarOnC = ansi ? look.onColour : "|15|16";
  menu.FBarOffC = ansi ? look.offColour : "|07|16";
  menu.FBarOnAt = menu.FBarOffAt = ansi ? look.onAttr : 15;
  menu.OnOtherKey = GlobalKeys;
  const std::string background = WorkDir + look.file;
  ExtractResFile(look.background + Ascii, background);
  CurrentScreen = background;
  while (!done) {
    Cls();
    AnsiDisplay(background, 500);
    const int32_t r = menu.DrawMenu(18, 14, 44, 7, mPos);
    mPos = menu.BarPos;
    if (r >= 0 && r <= 5) {
      const SectionEntry& e = entries[r];
      ExtractArticle(e.name, e.title, e.author, e.category);
    }
    if (r == 6) done = true;
  }
  // The background stays until the exit sequence deletes it.
}

}  // namespace

void OpenArticlesScreen() {
  RunSection(kArticles, {"articles", "articles.ans", "|10|16", "|02|16", 10});
  TextColor(7);
}

void OpenTutorsScreen() { RunSection(kTutorials, {"tutors", "tutors.ans", "|12|16", "|04|16", 12}); }

void ExtractArticle(const std::string& name, const std::string& title, const std::string& author,
                    const std::string& cat) {
  const std::string text = WorkDir + name + ".txt", header = WorkDir + name + "_hdr.ans";
  ExtractResFile(name, text);
  ExtractResFile("article_hdr" + Ascii, header);
  TextColor(7);
  ClrScr();
  AnsiDisplay(header, 1000);
  GetTemplateSimple('!', ' ');
  // A header with fewer markers still opens: missing fields are skipped and
  // the viewer takes the usual area.
  const std::string fields[3] = {title, author, cat};
  for (uint8_t p = 0; p < 3; ++p) {
    if (p < TemplatePos.size()) WriteTemplate(p, fields[p]);
  }
  if (TemplatePos.size() >= 5) {
    const TCoord& from = TemplatePos[3];
    const TCoord& to = TemplatePos[4];
    ViewTextFile(text, from.X, from.Y, to.X, to.Y - from.Y);
  } else {
    ViewTextFile(text, 1, 7, 79, 15);
  }
  DeleteOwnedFile(text);
  DeleteOwnedFile(header);
}

void ViewTextFile(const std::string& fileNm, int32_t x1, int32_t y1, int32_t w, int32_t h) {
  TTextViewer viewer;
  viewer.FFg = 7;
  viewer.FBg = 16;
  viewer.FBarFg = 7;
  viewer.FBarBg = 0;
  viewer.FShadow = false;
  viewer.FBar = true;
  viewer.FX = static_cast<uint8_t>(x1);
  viewer.FY = static_cast<uint8_t>(y1);
  viewer.FW = static_cast<uint8_t>(w);
  viewer.FH = static_cast<uint8_t>(h);
  viewer.FTellSaved = SaveDir != Dir;  // the reader's working directory, not the magazine's
  viewer.OpenFile(fileNm);
  viewer.Open();
}
