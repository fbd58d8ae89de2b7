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
  const std::string art = WorkDir + artFile, text = WorkDir + textFile;
  ExtractResFile(artName + Ascii, art);
  ExtractResFile(textName, text);
  TextColor(7);
  ClrScr();
  AnsiDisplay(art, Wait);
  ViewTextFile(text, 1, 5, 80, 17);
  DeleteOwnedFile(art);
  DeleteOwnedFile(text);
}

}  // namespace

void OpenAboutScreen() { OpenPage("about", "about.ans", "abouttxt", "about.txt"); }

void OpenEditorScreen() { OpenPage("edit", "edit.ans", "editorial", "editorial.txt"); }
