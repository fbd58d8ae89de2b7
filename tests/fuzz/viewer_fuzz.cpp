// The text loader and the viewer's keys. The file's lines are what SplitLines
// makes of its bytes, none holds a line end, and the viewer, in the two places
// the magazine opens it, keeps the cursor and the image on the screen. Ctrl+S is
// left out: it saves under a typed name, anywhere.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "fuzz_console.h"
#include "term/conio.h"
#include "widgets/text_lines.h"
#include "widgets/text_viewer.h"

void FuzzTextViewer(const uint8_t* data, size_t size) {
  // The text lives in memory: nothing is left on disk.
  static const int fd = memfd_create("rodi-fuzz-text", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  FuzzBytes in(data, size);
  const bool article = in.Byte() & 1;
  const size_t textSize = in.Byte() * 16u + in.Byte();
  const std::string text = in.Take(textSize);
  std::string keys = in.Rest();
  keys.erase(std::remove(keys.begin(), keys.end(), '\x13'), keys.end());

  if (ftruncate(fd, 0) != 0 || pwrite(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) std::abort();
  const auto lines = LoadLines(path);
  if (!lines || *lines != SplitLines(text)) std::abort();
  for (const std::string& line : *lines)
    if (line.find_first_of("\r\n") != std::string::npos) std::abort();

  FuzzConsole(keys, true);
  TTextViewer viewer;
  viewer.FFg = 7;
  viewer.FBg = 16;
  viewer.FBarFg = 7;
  viewer.FBarBg = 0;
  viewer.FShadow = false;
  viewer.FX = 1;
  viewer.FY = article ? 7 : 5;
  viewer.FW = article ? 79 : 80;
  viewer.FH = article ? 15 : 17;
  viewer.OpenFile(path);
  UntilKeysRunOut([&] { viewer.Open(); });
  CheckConsole();
}
