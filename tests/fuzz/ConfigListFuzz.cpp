// Feeds arbitrary bytes to the comma lists of the arc welder configuration and to both integer
// conversions: every list must survive being written back in quoted form, and every number must
// agree with an independent reading of its digits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "backup/ConfigList.h"
#include "text/IniDocument.h"

namespace {

using wisetup::ParseDecimalInt;
using wisetup::ParseSettingsInt;
using wisetup::SplitConfigList;
using wisetup::fuzz::Check;
using wisetup::fuzz::Digits;

std::optional<int> ReferenceDecimal(std::string_view text) {
  constexpr std::int64_t kMax = std::numeric_limits<int>::max();
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  const auto magnitude = Digits(text, 10, negative ? kMax + 1 : kMax);
  if (!magnitude) return std::nullopt;
  return static_cast<int>(negative ? -*magnitude : *magnitude);
}

std::optional<int> ReferenceSettings(std::string_view text) {
  std::size_t prefix = 0;
  if (text.starts_with("0x") || text.starts_with("0X")) prefix = 2;
  if (text.starts_with('$')) prefix = 1;
  if (prefix == 0) return ReferenceDecimal(text);
  const auto value = Digits(text.substr(prefix), 16, std::numeric_limits<int>::max());
  if (!value) return std::nullopt;
  return static_cast<int>(*value);
}

void CheckNumber(std::string_view text) {
  const std::optional<int> decimal = ParseDecimalInt(text);
  Check(decimal == ReferenceDecimal(text));
  Check(ParseSettingsInt(text) == ReferenceSettings(text));
  if (decimal) Check(ParseDecimalInt(std::to_string(*decimal)) == decimal);
}

std::string Quoted(std::string_view item) {
  std::string out = "\"";
  for (const char c : item) {
    out += c;
    if (c == '"') out += '"';
  }
  out += '"';
  return out;
}

bool HasQuote(std::string_view text) {
  return text.find('"') != std::string_view::npos;
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> items = SplitConfigList(bytes);

  std::size_t itemBytes = 0;
  for (const std::string& item : items) itemBytes += item.size();
  Check(itemBytes <= size && items.size() <= size);

  // Without quotes an item is a run of the input that holds no separator.
  if (!HasQuote(bytes)) {
    for (const std::string& item : items) {
      for (const char c : item) Check(c != ',' && !IsBlank(c));
      Check(item.empty() || bytes.find(item) != std::string_view::npos);
    }
  }

  // Every item in quotes, joined by commas (with blanks around some of them), reads back the same.
  std::string joined;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) joined += (i % 3 == 0) ? " , " : (i % 3 == 1 ? "," : "\t,");
    joined += Quoted(items[i]);
  }
  Check(SplitConfigList(joined) == items);
  Check(SplitConfigList(" " + joined + " \r\n") == items);

  for (const std::string& item : items) CheckNumber(item);
  CheckNumber(bytes);
  return 0;
}
