#include "line_editor.h"

#include <algorithm>

#include "term/conio.h"
#include "term/keys.h"

namespace {

// One edit: the text, the position the cursor stands on (StrPos), the first
// shown position (Junk) and the cursor's cell in the field (CurPos), all from 1.
class LineEditor {
 public:
  LineEditor(uint8_t x, uint8_t y, uint8_t field, uint8_t len, uint8_t mode, uint8_t attr,
             uint8_t fillAttr, char fillChar, const MyString& text)
      : x_(x), y_(y), field_(field), len_(std::min<int>(len, kMyStringMax)), mode_(mode),
        attr_(attr), fillAttr_(fillAttr), fillChar_(fillChar), str_(text) {}

  // Runs until an ending key and returns it.
  char Run();
  const MyString& Text() const { return str_; }

 private:
  int Length() const { return static_cast<int>(str_.size()); }
  // Past the end counts as "not a space".
  bool SpaceAt(int pos) const { return pos >= 1 && pos <= Length() && str_[pos - 1] == ' '; }
  void PlaceCursor() { GotoXY(x_ + curPos_ - 1, y_); }
  void Redraw();
  void RedrawFromCursor();
  void ScrollLeft();
  void ScrollRight();
  void StepLeft();
  void StepRight();
  void ToEnd();
  void Add(char ch);
  void Type(uint8_t ch);
  void WordLeft();
  void WordRight();
  bool Extended(uint8_t code);  // true: the key ends editing
  bool Ordinary(char ch);

  const int x_, y_, field_, len_, mode_;
  const uint8_t attr_, fillAttr_;
  const char fillChar_;
  MyString str_;
  int strPos_ = 1, junk_ = 1, curPos_ = 1;
};

void LineEditor::Redraw() {
  GotoXY(x_, y_);
  const MyString shown = str_.substr(std::min<size_t>(junk_ - 1, str_.size()), field_);
  SetTextAttr(attr_);
  Write(shown);
  SetTextAttr(fillAttr_);
  Write(std::string(field_ - shown.size(), fillChar_));
  SetTextAttr(attr_);
  PlaceCursor();
}

void LineEditor::RedrawFromCursor() {
  const int room = std::max(0, field_ - curPos_ + 1);
  const MyString shown = str_.substr(std::min<size_t>(strPos_ - 1, str_.size()), room);
  SetTextAttr(attr_);
  Write(shown);
  SetTextAttr(fillAttr_);
  Write(std::string(room - shown.size(), fillChar_));
  SetTextAttr(attr_);
  PlaceCursor();
}

void LineEditor::ScrollLeft() {
  if (junk_ <= 1) return;
  --junk_;
  curPos_ = strPos_ - junk_ + 1;
  Redraw();
}

void LineEditor::ScrollRight() {
  junk_ = std::max(1, std::min({junk_ + 1, Length(), len_}));
  curPos_ = strPos_ - junk_ + 1;
  Redraw();
}

void LineEditor::StepLeft() {
  if (curPos_ == 1) ScrollLeft();
  --strPos_;
  --curPos_;
}

void LineEditor::StepRight() {
  if (curPos_ == field_ && Length() > strPos_) ScrollRight();
  ++strPos_;
  ++curPos_;
}

void LineEditor::ToEnd() {
  strPos_ = Length() + 1;
  junk_ = std::max(1, Length() - field_ + 1);
  curPos_ = strPos_ - junk_ + 1;
}

void LineEditor::Add(char ch) {
  if (Length() >= len_) return;
  if (curPos_ >= field_ && field_ != len_) ScrollRight();
  str_.insert(str_.begin() + (strPos_ - 1), ch);
  if (strPos_ < Length()) RedrawFromCursor();
  ++strPos_;
  ++curPos_;
  SetTextAttr(attr_);
  Write(std::string(1, ch));
}

void LineEditor::Type(uint8_t ch) {
  const bool digit = ch >= '0' && ch <= '9';
  switch (mode_) {
    case kModeNumber:
      if (digit || ch == '-') Add(static_cast<char>(ch));
      break;
    case kModeText: Add(static_cast<char>(ch)); break;
    case kModeUpper: Add(static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch)); break;
    case kModeDate:
      if (!digit) break;
      // The separators of mm/dd/yy come by themselves.
      if (strPos_ == 3 || strPos_ == 6) Add('/');
      Add(static_cast<char>(ch));
      if (strPos_ == 3 || strPos_ == 6) Add('/');
      break;
    default: break;
  }
}

void LineEditor::WordLeft() {
  if (strPos_ > 1 && (SpaceAt(strPos_) || SpaceAt(strPos_ - 1))) {
    StepLeft();
    while (strPos_ > 1 && SpaceAt(strPos_)) StepLeft();
  }
  while (strPos_ > 1 && !SpaceAt(strPos_)) StepLeft();
  if (SpaceAt(strPos_) && strPos_ > 1) {
    ++strPos_;
    ++curPos_;
  }
  Redraw();
}

void LineEditor::WordRight() {
  while (strPos_ <= Length()) {
    StepRight();
    if (SpaceAt(strPos_)) {
      if (strPos_ <= Length()) StepRight();
      break;
    }
  }
  PlaceCursor();
}

bool LineEditor::Extended(uint8_t code) {
  switch (code) {
    case keys::Home:
      if (strPos_ > 1) {
        strPos_ = junk_ = curPos_ = 1;
        Redraw();
      }
      return false;
    case keys::Left:
      if (strPos_ > 1) {
        StepLeft();
        PlaceCursor();
      }
      return false;
    case keys::Right:
      if (strPos_ <= Length()) {
        StepRight();
        PlaceCursor();
      }
      return false;
    case keys::End:
      ToEnd();
      Redraw();
      return false;
    case keys::Delete:
      if (strPos_ <= Length()) {
        str_.erase(strPos_ - 1, 1);
        RedrawFromCursor();
      }
      return false;
    case keys::CtrlLeft: WordLeft(); return false;
    case keys::CtrlRight: WordRight(); return false;
    default: return HiChars.find(static_cast<char>(code)) != std::string::npos;
  }
}

bool LineEditor::Ordinary(char ch) {
  const uint8_t code = static_cast<uint8_t>(ch);
  if (ch == keys::Backspace) {
    if (strPos_ > 1) {
      --strPos_;
      str_.erase(strPos_ - 1, 1);
      if (curPos_ == 1) {
        ScrollLeft();
      } else {
        --curPos_;
        PlaceCursor();
        RedrawFromCursor();
      }
    }
    return false;
  }
  if (ch == keys::CtrlY) {
    str_.clear();
    strPos_ = junk_ = curPos_ = 1;
    Redraw();
    return false;
  }
  if (code >= 32 && code <= 254) {
    Type(code);
    return false;
  }
  return LoChars.find(ch) != std::string::npos;
}

char LineEditor::Run() {
  ToEnd();
  GotoXY(x_, y_);
  SetTextAttr(attr_);
  Redraw();
  for (;;) {
    char ch = ReadKey();
    if (ch == 0) {
      ch = ReadKey();
      if (Extended(static_cast<uint8_t>(ch))) return ch;
    } else if (Ordinary(ch)) {
      return ch;
    }
  }
}

}  // namespace

MyString GetStr(uint8_t x, uint8_t y, uint8_t field, uint8_t len, uint8_t mode, uint8_t attr,
                uint8_t fillAttr, char fillChar, MyString defaultText) {
  Changed = false;
  defaultText.resize(std::min(defaultText.size(), kMyStringMax));
  LineEditor editor(x, y, field, len, mode, attr, fillAttr, fillChar, defaultText);
  ExitCode = editor.Run();
  Changed = editor.Text() != defaultText;
  return editor.Text();
}
