#include "app/display_res.h"

#include "ansi/ansi_display.h"
#include "app/state.h"
#include "content/resources.h"
#include "term/conio.h"
#include "term/fileutil.h"

void DisplayRes(const std::string& resName) {
  TextColor(7);
  ClrScr();
  // Never "tmp.ans" in the reader's working directory: that may be the
  // reader's own file, and the directory may not be writable.
  const std::string copy = ExtractResTempFile(resName, WorkDir);
  AnsiDisplay(copy, Wait);
  DeleteOwnedFile(copy);
}
