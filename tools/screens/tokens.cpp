#include "tokens.h"

#include <charconv>
#include <stdexcept>

namespace screens {

std::vector<std::string> Tokenize(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      std::string word;
      ++i;
      while (i < line.size() && line[i] != '"') {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        word += line[i++];
      }
      if (i >= line.size()) throw std::runtime_error("unterminated string");
      ++i;
      words.push_back(word);
    } else {
      const size_t start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
      words.emplace_back(line.substr(start, i - start));
    }
  }
  return words;
}

int ParseInt(const std::string& word, const char* what) {
  int value = 0;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size()) {
    throw std::runtime_error(std::string("expected ") + what + ", got \"" + word + "\"");
  }
  return value;
}

}  // namespace screens
