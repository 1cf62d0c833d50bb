#include "text/TextScan.h"

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

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

bool IsUtf16Le(std::string_view bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xFE;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  if (IsUtf16Le(bytes)) bytes.remove_prefix(2);
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&bytes](std::size_t i) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const char16_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      const char16_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? kReplacement : u);
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacement);
  return out;
}

std::string QuotedValue(std::string_view value, std::size_t limit) {
  std::size_t characters = 0;
  std::size_t i = 0;
  while (i < value.size()) {
    if (characters == limit) return std::string(value.substr(0, i)) + "…";
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(value[i]);
    if (lead >= 0xC0) length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    // A sequence cut short or broken counts as single bytes.
    for (std::size_t k = 1; k < length; ++k) {
      if (i + k >= value.size() || (static_cast<unsigned char>(value[i + k]) & 0xC0) != 0x80) {
        length = 1;
        break;
      }
    }
    i += length;
    ++characters;
  }
  return std::string(value);
}

std::string QuoteC(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '"') {
      out += "\\\"";
    } else if (byte < 0x20) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace wisetup
