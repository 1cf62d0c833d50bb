// Small helpers shared by the fuzz targets: a check that stops the run, and the independent
// scanning pieces the reference readers are built from (kept apart from the code under test).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace wisetup::fuzz {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

inline std::string_view Trim(std::string_view text, std::string_view blanks = " \t") {
  while (!text.empty() && blanks.find(text.front()) != std::string_view::npos) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blanks.find(text.back()) != std::string_view::npos) {
    text.remove_suffix(1);
  }
  return text;
}

// Digits of `base` as a value, or nothing once it passes `limit`; the length of the text is no
// limit of its own.
inline std::optional<std::int64_t> Digits(std::string_view text, int base, std::int64_t limit) {
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace wisetup::fuzz
