#include "song_source.h"

#include <cctype>
#include <charconv>
#include <sstream>
#include <stdexcept>

namespace tracker {
namespace {

std::vector<std::string> Split(std::string_view line) {
  std::vector<std::string> out;
  std::istringstream in{std::string(line)};
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

bool ToInt(std::string_view s, int& out, int base = 10) {
  if (s.empty()) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out, base);
  return ec == std::errc() && p == s.data() + s.size();
}

// '#' opens a comment only at the start of a word, so "C#4" stays a note.
std::string_view StripComment(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i)
    if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1])))) return line.substr(0, i);
  return line;
}

int ParseNote(std::string_view s) {
  static const int offsets[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (s.size() != 3 || s[0] < 'A' || s[0] > 'G' || (s[1] != '-' && s[1] != '#') || s[2] < '0' || s[2] > '7')
    return 0;
  int semitone = offsets[s[0] - 'A'] + (s[1] == '#' ? 1 : 0);
  if (s[1] == '#' && (s[0] == 'E' || s[0] == 'B')) return 0;
  return (s[2] - '0') * 12 + semitone + 1;
}

class Parser {
 public:
  Parser(std::string_view text, const std::string& file) : text_(text) { song_.file = file; }

  SongSource Run() {
    std::size_t pos = 0;
    while (pos <= text_.size()) {
      std::size_t end = text_.find('\n', pos);
      if (end == std::string_view::npos) end = text_.size();
      ++line_;
      std::string_view raw = StripComment(text_.substr(pos, end - pos));
      auto words = Split(raw);
      if (!words.empty()) {
        if (std::isspace(static_cast<unsigned char>(raw[0]))) Continuation(words);
        else Directive(words, raw);
      }
      pos = end + 1;
    }
    return song_;
  }

 private:
  enum class Block { None, Inst, Track, Pattern, Order };

  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error(song_.file + ":" + std::to_string(line_) + ": " + what);
  }

  int Number(const std::string& s, int lo, int hi) const {
    int v;
    if (!ToInt(s, v) || v < lo || v > hi) Fail("expected a number " + std::to_string(lo) + ".." + std::to_string(hi) + ", got '" + s + "'");
    return v;
  }

  void Directive(const std::vector<std::string>& w, std::string_view raw) {
    const std::string& key = w[0];
    block_ = Block::None;
    auto one = [&](int lo, int hi) {
      if (w.size() != 2) Fail(key + " takes one value");
      return Number(w[1], lo, hi);
    };
    if (key == "title") {
      std::size_t at = raw.find("title") + 5;
      while (at < raw.size() && std::isspace(static_cast<unsigned char>(raw[at]))) ++at;
      std::string_view t = raw.substr(at);
      while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
      song_.title = std::string(t);
    } else if (key == "format") {
      if (w.size() != 2 || (w[1] != "xm" && w[1] != "mod")) Fail("format is xm or mod");
      song_.format = w[1] == "xm" ? Format::Xm : Format::Mod;
    } else if (key == "channels") {
      song_.channels = one(1, 32);
    } else if (key == "speed") {
      song_.speed = one(1, 31);
    } else if (key == "bpm") {
      song_.bpm = one(32, 255);
    } else if (key == "restart") {
      song_.restart = one(0, 255);
    } else if (key == "level") {
      song_.level = one(1, 100);
    } else if (key == "inst") {
      if (w.size() < 4) Fail("inst NUMBER NAME WAVE [key=value ...]");
      InstrumentSource ins;
      ins.number = Number(w[1], 1, 128);
      ins.name = w[2];
      ins.wave = w[3];
      ins.line = line_;
      for (const auto& i : song_.instruments)
        if (i.number == ins.number) Fail("instrument " + w[1] + " defined twice");
      song_.instruments.push_back(ins);
      block_ = Block::Inst;
      Continuation({w.begin() + 4, w.end()});
    } else if (key == "track") {
      if (w.size() < 2) Fail("track NAME [@INSTRUMENT] [rows ...]");
      if (song_.tracks.count(w[1])) Fail("track " + w[1] + " defined twice");
      TrackSource t;
      t.name = w[1];
      t.line = line_;
      std::size_t first = 2;
      if (w.size() > 2 && w[2][0] == '@') {
        t.instrument = Number(w[2].substr(1), 1, 128);
        first = 3;
      }
      track_ = &(song_.tracks[t.name] = t);
      block_ = Block::Track;
      Continuation({w.begin() + static_cast<long>(first), w.end()});
    } else if (key == "pattern") {
      if (w.size() < 2 || w.size() > 3) Fail("pattern NAME [ROWS]");
      for (const auto& p : song_.patterns)
        if (p.name == w[1]) Fail("pattern " + w[1] + " defined twice");
      PatternSource p;
      p.name = w[1];
      p.line = line_;
      if (w.size() == 3) p.rows = Number(w[2], 1, 256);
      song_.patterns.push_back(p);
      block_ = Block::Pattern;
    } else if (key == "order") {
      block_ = Block::Order;
      song_.orderLine = line_;
      Continuation({w.begin() + 1, w.end()});
    } else {
      Fail("unknown directive '" + key + "'");
    }
  }

  void Continuation(const std::vector<std::string>& w) {
    switch (block_) {
      case Block::None:
        if (!w.empty()) Fail("indented line outside a block");
        break;
      case Block::Inst:
        for (const auto& kv : w) InstrumentParam(song_.instruments.back(), kv);
        break;
      case Block::Track:
        for (const auto& tok : w) TrackToken(tok);
        break;
      case Block::Pattern:
        PatternChannel(w);
        break;
      case Block::Order:
        for (const auto& name : w) song_.order.push_back(name);
        break;
    }
  }

  void InstrumentParam(InstrumentSource& ins, const std::string& kv) {
    auto eq = kv.find('=');
    if (eq == std::string::npos || eq == 0) Fail("expected key=value, got '" + kv + "'");
    std::string key = kv.substr(0, eq), value = kv.substr(eq + 1);
    if (key == "env" || key == "penv") {
      ins.lists[key] = value;
      return;
    }
    double v;
    auto [p, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (ec != std::errc() || p != value.data() + value.size()) Fail("'" + key + "' needs a number");
    ins.params.Set(key, v);
  }

  void TrackToken(const std::string& tok) {
    if (tok == "|") return;  // a bar line, for the reader's eye
    int repeat = 1;
    if (tok.size() > 1 && tok[0] == '.' && std::isdigit(static_cast<unsigned char>(tok[1]))) {  // ".7": seven empty rows
      repeat = Number(tok.substr(1), 1, 256);
      track_->rows.insert(track_->rows.end(), static_cast<std::size_t>(repeat), Cell{});
      return;
    }
    Cell c;
    if (!ParseCell(tok, c)) Fail("bad row '" + tok + "'");
    if (c.note && c.note != kKeyOff && !c.instrument) c.instrument = static_cast<std::uint8_t>(track_->instrument);
    track_->rows.push_back(c);
  }

  void PatternChannel(const std::vector<std::string>& w) {
    PatternSource& p = song_.patterns.back();
    int ch = Number(w[0], 1, 32) - 1;
    if (p.channels.count(ch)) Fail("channel " + w[0] + " given twice");
    if (w.size() < 2) Fail("channel " + w[0] + " names no track");
    auto& column = p.channels[ch];
    std::size_t first = 1;
    if (w.size() > 2 && w[1][0] == '>') {  // ">3": the column starts three rows late (an echo)
      column.delay = Number(w[1].substr(1), 1, 255);
      first = 2;
    }
    for (std::size_t i = first; i < w.size(); ++i) {
      TrackRef r;
      std::string ref = w[i];
      if (std::size_t at = ref.find('@'); at != std::string::npos) {  // "lead@2": played by instrument 2
        r.instrument = Number(ref.substr(at + 1), 1, 128);
        ref.resize(at);
      }
      std::size_t sign = ref.find_first_of("+-", 1);
      r.name = ref.substr(0, sign);
      if (sign != std::string::npos) {
        int t;
        std::string_view num(ref);
        num.remove_prefix(sign + (ref[sign] == '+' ? 1 : 0));
        if (!ToInt(num, t) || t < -48 || t > 48) Fail("bad transposition in '" + w[i] + "'");
        r.transpose = t;
      }
      column.refs.push_back(r);
    }
  }

  std::string_view text_;
  SongSource song_;
  int line_ = 0;
  Block block_ = Block::None;
  TrackSource* track_ = nullptr;
};

}  // namespace

bool ParseCell(std::string_view token, Cell& out) {
  out = Cell{};
  std::size_t colon = token.find(':');
  std::string_view head = token.substr(0, colon);
  if (head == "^") out.note = kKeyOff;
  else if (head != ".") {
    int n = ParseNote(head);
    if (!n) return false;
    out.note = static_cast<std::uint8_t>(n);
  }
  while (colon != std::string_view::npos) {
    token.remove_prefix(colon + 1);
    colon = token.find(':');
    std::string_view mod = token.substr(0, colon);
    int v;
    if (mod.size() >= 2 && mod[0] == 'i') {
      if (!ToInt(mod.substr(1), v) || v < 1 || v > 128) return false;
      out.instrument = static_cast<std::uint8_t>(v);
    } else if (mod.size() >= 2 && mod[0] == 'v') {
      if (!ToInt(mod.substr(1), v) || v < 0 || v > 64) return false;
      out.volume = static_cast<std::uint8_t>(0x10 + v);
    } else if (mod.size() == 3 && (std::isdigit(static_cast<unsigned char>(mod[0])) || (mod[0] >= 'A' && mod[0] <= 'Z'))) {
      if (!ToInt(mod.substr(1), v, 16)) return false;
      out.effect = static_cast<std::uint8_t>(std::isdigit(static_cast<unsigned char>(mod[0])) ? mod[0] - '0' : mod[0] - 'A' + 10);
      out.param = static_cast<std::uint8_t>(v);
    } else {
      return false;
    }
  }
  return true;
}

std::vector<Cell> ExpandColumn(const SongSource& s, const PatternSource& p, const Column& column) {
  const auto& refs = column.refs;
  auto fail = [&](const std::string& what) {
    throw std::runtime_error(s.file + ":" + std::to_string(p.line) + ": pattern " + p.name + ": " + what);
  };
  std::vector<Cell> cells;
  for (const TrackRef& r : refs) {
    auto it = s.tracks.find(r.name);
    if (it == s.tracks.end()) fail("no track named " + r.name);
    for (Cell c : it->second.rows) {
      if (c.note && c.note != kKeyOff) {
        int n = c.note + r.transpose;
        if (n < 1 || n > 96) fail("track " + r.name + " transposed out of range");
        c.note = static_cast<std::uint8_t>(n);
        if (r.instrument) c.instrument = static_cast<std::uint8_t>(r.instrument);
      }
      cells.push_back(c);
    }
  }
  if (cells.empty() || p.rows % static_cast<int>(cells.size()))
    fail(std::to_string(cells.size()) + " rows of tracks do not tile " + std::to_string(p.rows) + " rows");
  std::vector<Cell> out;
  out.resize(static_cast<std::size_t>(column.delay));
  while (static_cast<int>(out.size()) < p.rows + column.delay) out.insert(out.end(), cells.begin(), cells.end());
  out.resize(static_cast<std::size_t>(p.rows));
  return out;
}

SongSource ParseSong(std::string_view text, const std::string& file) { return Parser(text, file).Run(); }

}  // namespace tracker
