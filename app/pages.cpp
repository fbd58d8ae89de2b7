#include "app/pages.h"

#include "ansi/ansi_display.h"
#include "app/sections.h"
#include "app/state.h"
#include "content/resources.h"
#include "term/conio.h"
#include "term/fileutil.h"

namespace {

void OpenPage(const std::string& artName, const std::string& artFile, const std::string& textName,
              const std::string& textFile) {
  const std::string art = ExtractResFile(artName + Ascii, WorkDir + artFile);
  const std::string text = ExtractResFile(textName, WorkDir + textFile);
  TextColor(7);
  ClrScr();
  AnsiDisplay(art, Wait);
  ViewTextFile(text, 1, 5, kScreenCols, 17);
  DeleteOwnedFile(art);
  DeleteOwnedFile(text);
}

}  // namespace

void OpenAboutScreen() { OpenPage("about", "about.ans", "abouttxt", "about.txt"); }

void OpenEditorScreen() { OpenPage("edit", "edit.ans", "editorial", "editorial.txt"); }
