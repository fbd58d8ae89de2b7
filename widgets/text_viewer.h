// The text viewer: a text file in a rectangle of the screen, scrolled with the
// cursor keys, recoloured, searched, saved under a typed name, with a help box
// and a full-screen mode. Pipe colour codes in the text reach the screen.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "term/types.h"

class TTextViewer {
 public:
  TTextViewer();
  virtual ~TTextViewer() = default;

  // Loads the text; a file that is missing or cannot be read shows as one
  // blank line. Back to the top left.
  void OpenFile(const std::string& fileName);
  // Blanks the rectangle in attribute 0.
  void Clear();
  void UpdateBar();
  // Runs until Tab, Enter or Esc and leaves the last text drawn.
  void Open();
  // Saves the screen and puts Image back (an empty Image changes nothing).
  void Hide();
  // Puts back what Hide saved, once.
  void Show();

  TConsoleImageRec Image{};
  std::unique_ptr<TConsoleImageRec> HideImage;
  std::string FTitle;
  bool FShadow = true;
  uint8_t ShadowAttr = 8;
  bool WasOpened = false;
  uint8_t FFg = 0;  // text colour 0-15
  uint8_t FBg = 0;  // background value: attribute = FBg * 16 + FFg, mod 256
  uint8_t FSelFg = 0, FSelBg = 0;
  std::vector<std::string> SL;  // the text, one string per line
  int32_t IY = 0;  // the line on the top row
  int32_t IX = 0;  // characters scrolled off to the left
  bool FBar = true;
  uint8_t FBarFg = 14;
  uint8_t FBarBg = 4;
  uint8_t FX = 1, FY = 1;
  uint8_t FW = kScreenCols;  // the scroll bar column included
  uint8_t FH = kScreenRows - 1;  // the text covers rows FY to FY + FH
  uint8_t TFX = 0, TFY = 0, TFW = 0, TFH = 0;  // the rectangle kept during full screen
  std::string FFile;
  bool FullScreen = false;
  bool FTellSaved = false;  // a save names the full path of the file written

 private:
  struct Match;
  int32_t Count() const { return static_cast<int32_t>(SL.size()); }
  uint8_t TextAttr() const { return static_cast<uint8_t>(FBg * 16 + FFg); }
  void LimitTop();
  // The part of a line shown at the current offset, at most FW - 1 characters.
  std::string Piece(int32_t line) const;
  void DrawLines();
  void Highlight(const Match& match);
  // Scans from Line on for Word; moves the top line to the first hit.
  void FindFrom(int32_t line, const std::string& word, Match& match);
  void Find(std::string& word, Match& match);
  void Save();
  void HelpBox();
  void ToggleFullScreen();
  void Extended(uint8_t code, Match& match);
};
