#include "platform/TextScan.h"

#include <cstdint>
#include <limits>

namespace wisetup {
namespace {

// Accumulates digits of `base` into a value that must stay within `limit`, checked digit by digit
// so that no length of input can overflow.
std::optional<std::uint32_t> ParseDigits(std::string_view digits, unsigned base,
                                         std::uint32_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a') + 10U;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A') + 10U;
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

constexpr auto kMax = static_cast<std::uint32_t>(std::numeric_limits<int>::max());

}  // namespace

bool IsBlank(char c, Blanks blanks) {
  switch (blanks) {
    case Blanks::SpaceTab:
      return c == ' ' || c == '\t';
    case Blanks::CSpace:
      return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    case Blanks::ControlOrSpace:
      return static_cast<unsigned char>(c) <= ' ';
  }
  return false;
}

std::string_view TrimBlanks(std::string_view text, Blanks blanks) {
  while (!text.empty() && IsBlank(text.front(), blanks)) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back(), blanks)) text.remove_suffix(1);
  return text;
}

std::optional<int> ParseInt(std::string_view text, IntSyntax syntax) {
  std::optional<std::string_view> hex;
  if (syntax.hex0x && (text.starts_with("0x") || text.starts_with("0X"))) hex = text.substr(2);
  if (syntax.hexDollar && text.starts_with("$")) hex = text.substr(1);
  if (hex) {
    const auto value = ParseDigits(*hex, 16, kMax);
    if (!value) return std::nullopt;
    return static_cast<int>(*value);
  }
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto magnitude = ParseDigits(text, 10, negative ? kMax + 1U : kMax);
  if (!magnitude) return std::nullopt;
  if (negative) return static_cast<int>(-static_cast<std::int64_t>(*magnitude));
  return static_cast<int>(*magnitude);
}

}  // namespace wisetup
