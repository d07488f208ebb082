// The small pieces of text handling a Touchstone file's reading shares:
// blanks, words, lower case and a word quoted in a message.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace vorda::rf::touchstone_text {

inline std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

inline bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

inline std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// The next blank-separated word of s, removed from it.
inline std::string_view Word(std::string_view& s) {
  s = Trim(s);
  std::size_t n = 0;
  while (n < s.size() && !IsSpace(s[n])) ++n;
  const std::string_view w = s.substr(0, n);
  s.remove_prefix(n);
  return w;
}

inline std::string Quote(std::string_view w) {
  std::string q = "\"";
  for (const char c : w.substr(0, 40)) q += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
  return q + (w.size() > 40 ? "...\"" : "\"");
}

}  // namespace vorda::rf::touchstone_text
