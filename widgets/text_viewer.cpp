#include "text_viewer.h"

#include <algorithm>

#include "term/conio.h"
#include "term/file_names.h"
#include "term/fileutil.h"
#include "term/keys.h"
#include "term/pipe_code.h"
#include "term/strutil.h"
#include "widgets/frames.h"
#include "widgets/input_box.h"
#include "widgets/text_lines.h"

namespace {

// The dialog every prompt of the viewer uses, and the row of its text field.
constexpr uint8_t kBoxX1 = 15, kBoxY1 = 12, kBoxX2 = 67, kBoxY2 = 17;
constexpr int kBoxWidth = 55, kFieldRow = kBoxY1 + 2;
constexpr uint8_t kFailureAttr = 0x4F, kSavedAttr = 0x3F;

// Full screen: the 80x25 frame the engine works in, whatever the terminal.
constexpr uint8_t kFullW = kScreenCols, kFullH = kScreenRows - 1;

// Upper-cases ASCII letters of a text of any length.
std::string AsciiUpper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return s;
}

// Reads one key, both bytes of an extended one, so none is left over.
void SwallowKey() {
  if (ReadKey() == 0) ReadKey();
}

}  // namespace

// A search hit: the line, its 1-based position in the line and its length.
struct TTextViewer::Match {
  bool shown = false;
  int32_t line = 0;
  int32_t pos = 0;
  size_t length = 0;
};

TTextViewer::TTextViewer() { BufFlush(); }

void TTextViewer::OpenFile(const std::string& fileName) {
  std::optional<std::vector<std::string>> lines;
  if (FileExist(fileName)) lines = LoadLines(fileName);
  SL = lines ? std::move(*lines) : std::vector<std::string>{" "};
  IY = 0;
  IX = 0;
}

void TTextViewer::Clear() {
  for (int y = FY; y <= FY + FH; ++y) WriteXY(FX, y, 0, std::string(FW, ' '));
}

void TTextViewer::UpdateBar() {
  if (SL.empty()) return;
  const double count = Count();
  const int col = FX + FW - 1;
  const int thumb = std::clamp(static_cast<int>(FH * FH / count), 1, static_cast<int>(FH));
  const int offset = static_cast<int>(IY / count * FH);
  const uint8_t track = static_cast<uint8_t>(FBarBg * 16 + FBarFg);
  const uint8_t thumbAttr = static_cast<uint8_t>(FBarFg * 16 + FBarBg);
  for (int k = 0; k < FH; ++k) WriteXY(col, FY + k, track, " ");
  for (int k = 0; k <= thumb; ++k) WriteXY(col, FY + offset + k, thumbAttr, " ");
}

void TTextViewer::LimitTop() { IY = std::max(0, std::min(IY, Count() - 1 - FH)); }

std::string TTextViewer::Piece(int32_t line) const {
  const std::string& text = SL[line];
  if (static_cast<size_t>(IX) >= text.size()) return "";
  return text.substr(IX, FW - 1);
}

void TTextViewer::DrawLines() {
  for (int32_t i = 0; i <= FH && IY + i < Count(); ++i) {
    const std::string piece = Piece(IY + i);
    WriteXYPipe(FX, FY + i, TextAttr(), StrPadR(piece, StrFMciLen(piece, FW), ' '));
  }
}

// Marks the hit where it is drawn: its own row, and columns counted in cells,
// since colour codes before it take none.
void TTextViewer::Highlight(const Match& match) {
  const int32_t row = match.line - IY;
  if (row < 0 || row > FH) return;
  const std::string piece = Piece(match.line);
  const std::string drawn = StrPadR(piece, StrFMciLen(piece, FW), ' ');
  std::vector<int> cellOf(piece.size(), -1);  // -1: part of a colour code
  int cell = 0;
  for (size_t i = 0; i < drawn.size(); ++i) {
    if (drawn[i] == '|' && LoosePipeCode(std::string_view(drawn).substr(i + 1, 2))) {
      i += 2;
    } else if (i < piece.size()) {
      cellOf[i] = cell++;
    }
  }
  for (size_t m = 0; m < match.length; ++m) {
    const int32_t k = match.pos - 1 + static_cast<int32_t>(m) - IX;
    if (k < 0 || k >= static_cast<int32_t>(piece.size()) || cellOf[k] < 0) continue;
    const int x = FX + cellOf[k], y = FY + row;
    if (x > kScreenCols) continue;
    const uint8_t attr = static_cast<uint8_t>(GetAttrAt(x, y) - FBg * 16 + 64);
    WriteXY(x, y, attr, std::string(1, GetCharAt(x, y)));
  }
}

void TTextViewer::FindFrom(int32_t line, const std::string& word, Match& match) {
  const std::string wanted = AsciiUpper(word);
  for (int32_t i = line; i < Count(); ++i) {
    const size_t at = wanted.empty() ? std::string::npos : AsciiUpper(SL[i]).find(wanted);
    if (at == std::string::npos) {
      match.shown = false;
      continue;
    }
    IY = i;
    match = Match{true, i, static_cast<int32_t>(at + 1), word.size()};
    if (match.pos > FW) IX = match.pos - 1;  // the hit then starts at the left edge
    return;
  }
}

void TTextViewer::Find(std::string& word, Match& match) {
  if (InputBox(kBoxX1, kBoxY1, kBoxX2, kBoxY2, " Find... ", "Enter word to find:", word)) {
    FindFrom(IY, word, match);
  } else {
    match.shown = false;
  }
}

void TTextViewer::Save() {
  std::string name;
  if (!InputBox(kBoxX1, kBoxY1, kBoxX2, kBoxY2, " Save Article ", "Enter Filename:", name) ||
      name.empty()) {
    return;
  }
  const std::string path = FileNameOf(name);
  const std::string reason = SaveLines(path, SL);
  // A name the reader typed may be refused; say so and go on viewing.
  if (!reason.empty()) {
    WriteXY(kBoxX1, kFieldRow, kFailureAttr,
            FitName(" Cannot save ", name, ": " + reason + " ", kBoxWidth));
  } else if (FTellSaved) {
    WriteXY(kBoxX1, kFieldRow, kSavedAttr,
            FitName(" Saved ", ShownFileName(FullPath(path)), " ", kBoxWidth));
  } else {
    return;
  }
  SwallowKey();
}

void TTextViewer::HelpBox() {
  WinBoxBorder(FX + 5, FY + 2, FX + FW - 10, FY + 14, 0);
  WriteXY(FX + 7, FY + 3, 31, "Help");
  static constexpr const char* kLines[] = {
      "+-       : Change Font Color",     "/*       : Change Background Color",
      "CTRL + R : Resets Viewer",         "CTRL + F : Search",
      "CTRL + G : Repeat Search",         "CTRL + S : Save file to disk",
  };
  for (int i = 0; i < 6; ++i) WriteXY(FX + 9, FY + 5 + i, 112, kLines[i]);
  WriteXY(FX + 9, FY + 12, 112, "Press any key...");
  SwallowKey();
}

void TTextViewer::ToggleFullScreen() {
  FullScreen = !FullScreen;
  Hide();
  if (FullScreen) {
    TFX = FX, TFY = FY, TFW = FW, TFH = FH;
    FX = 1, FY = 1, FW = kFullW, FH = kFullH;
  } else {
    FX = TFX, FY = TFY, FW = TFW, FH = TFH;
  }
  Show();
}

void TTextViewer::Hide() {
  HideImage = std::make_unique<TConsoleImageRec>();
  SaveScreen(*HideImage);
  RestoreScreen(Image);
}

void TTextViewer::Show() {
  if (!HideImage) return;
  RestoreScreen(*HideImage);
  HideImage.reset();
}

void TTextViewer::Extended(uint8_t code, Match& match) {
  const int32_t lastTop = Count() - 1 - FH;
  switch (code) {
    case keys::F1: HelpBox(); return;
    case keys::F10: ToggleFullScreen(); return;
    case keys::Up: IY = std::max(0, IY - 1); break;
    case keys::Down: IY = IY + 1 > lastTop ? lastTop : IY + 1; break;
    case keys::PgUp: IY = std::max(0, IY - FH); break;
    case keys::PgDn: IY = IY + FH > lastTop ? lastTop : IY + FH; break;
    case keys::Left: IX = std::max(0, IX - 1); break;
    case keys::Right: ++IX; break;
    case keys::Home: IX = 0; break;
    case keys::End: {
      size_t longest = 0;
      for (const std::string& line : SL) longest = std::max(longest, line.size());
      IX = std::max<int32_t>(0, static_cast<int32_t>(longest) - FW - 1);
      break;
    }
    default: return;
  }
  match.shown = false;  // every scrolling key drops the highlight
}

void TTextViewer::Open() {
  std::string findW;
  Match match;
  Clear();
  if (SL.empty()) return;
  for (;;) {
    LimitTop();
    DrawLines();
    if (FBar) UpdateBar();
    if (match.shown) Highlight(match);
    const char key = ReadKey();
    switch (key) {
      case 0: Extended(static_cast<uint8_t>(ReadKey()), match); break;
      case '+': FFg = std::min(15, FFg + 1); break;
      case '-': FFg = FFg > 0 ? FFg - 1 : 0; break;
      case '/': FBg = std::min(15, FBg + 1); break;
      case '*': FBg = std::max(9, FBg - 1); break;
      case keys::CtrlR:
        FFg = 15, FBg = 1, IX = 0, IY = 0;
        break;
      case keys::CtrlF: Find(findW, match); break;
      case keys::CtrlG:
        if (!findW.empty()) FindFrom(IY + 1, findW, match);
        break;
      case keys::CtrlS: Save(); break;
      case keys::CtrlY:
        match.shown = false;
        findW.clear();
        break;
      case keys::Tab: case keys::Enter: case keys::Esc: return;
      default: break;
    }
  }
}
