#include "app/gallery.h"

#include <algorithm>

#include "ansi/ansi_display.h"
#include "ansi/cls.h"
#include "app/display_res.h"
#include "app/global_keys.h"
#include "app/menu_look.h"
#include "app/state.h"
#include "content/resources.h"
#include "term/conio.h"
#include "term/file_names.h"
#include "term/fileutil.h"
#include "term/save_file.h"
#include "term/strutil.h"
#include "widgets/bar_menu.h"
#include "widgets/input_box.h"

namespace {

constexpr MenuLook kGalleryLook{16, 8, "|11|16", "|03|16", 11};

constexpr const char* kPrompt =
    "p r e s s  e  t o  e x t r a c t. a n y  o t h e r  k e y  t o  c o n t i n u e";

// Saves under the reader's name. A refusal shows on the bottom row with the
// name as typed (a full path would push the reason off the 79 columns); a save
// that went to the reader's working directory instead of Dir shows where.
void OfferSave(int n) {
  std::string fileNm = "ansi_art" + Int2Str(n) + ".ans";
  if (!InputBox(15, 12, 67, 17, " s a v e   a n s i ", "f i l e n a m e :", fileNm)) return;
  if (fileNm.empty()) return;
  const auto art = FindResource("art" + Int2Str(n));
  const std::string path = SaveDir + FileNameOf(fileNm);
  const std::string error =
      SaveFile(path, std::string_view(reinterpret_cast<const char*>(art->data()), art->size()));
  if (!error.empty()) {
    WriteXY(1, kScreenRows, 112,
            FitName("cannot save \"", fileNm, "\": " + error, kScreenCols - 1));
  } else if (SaveDir != Dir) {
    WriteXY(1, kScreenRows, 112,
            FitName("saved ", ShownFileName(FullPath(path)), "", kScreenCols - 1));
  } else {
    return;
  }
  ReadKey();
}

}  // namespace

void OpenAnsiScreen() {
  int32_t mPos = 0;
  bool done = false;
  TBar menu;
  for (int n = 1; n <= 9; ++n) menu.Add("b b s  a r t  " + Int2Str(n));
  menu.Add("b b s  a r t  X");
  menu.Add("[ b a c k ]");
  menu.OnOtherKey = GlobalKeys;
  ApplyMenuLook(menu, ForCurrentLook(kGalleryLook));
  const std::string background = ExtractResFile("ansi" + Ascii, WorkDir + "menu3.ans");
  CurrentScreen = background;
  while (!done) {
    Cls();
    AnsiDisplay(background, Wait);
    const int32_t r = menu.DrawMenu(53, 8, 18, 11, mPos);
    mPos = menu.BarPos;
    if (r >= 0 && r <= 9) {
      const int n = r + 1;
      DisplayRes("art" + Int2Str(n));
      WriteXY(1, kScreenRows, 112, kPrompt);
      if (Upper(std::string(1, ReadKey())) == "E") OfferSave(n);
    }
    if (r == 10) done = true;
  }
  DeleteOwnedFile(background);
}
