// Reads arbitrary bytes as a setup file into the content image: every value the reader takes must
// agree with an independent reading of its text, and only the first section of a name counts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "platform/PathMap.h"
#include "setupfile/SetupFormat.h"
#include "text/IniDocument.h"
#include "text/TextScan.h"

namespace {

using namespace wisetup;
using fuzz::Check;
using fuzz::Digits;
using fuzz::Trim;

// An independent reading of a setup value: 0 whenever it is not a usable 32-bit number.
std::int64_t ReferenceValue(std::string_view text) {
  text = Trim(text, std::string_view(" \t\r\n\v\f"));
  int base = 10;
  bool negative = false;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + negative;
  const auto value = Digits(text, base, limit);
  if (!value) return 0;
  return negative ? -*value : *value;
}

bool HasSystemSection(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const std::string_view line = Trim(bytes.substr(0, end), " \t");
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    if (line.starts_with('[') &&
        EqualsIgnoreCase(Trim(line.substr(1, line.find(']') - 1), " \t"), "SYSTEM")) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // A UTF-16LE file reads as its text; every property below is one of that text.
  const std::string text = IsUtf16Le(input) ? Utf16LeToUtf8(input) : std::string(input);
  const std::string_view bytes = text;
  Check(ParseSetupValue(std::string(bytes)) == ReferenceValue(bytes));

  IniDocument doc = IniDocument::Parse(input);
  const SetupFileRead read = ReadSetupFile(doc);
  const auto word = [&doc](const std::string& section, const char* key) {
    const auto text = doc.Get(section, key);
    return static_cast<std::uint16_t>(text ? ReferenceValue(*text) : 0);
  };
  const auto full = [&doc](const char* key) {
    const auto text = doc.Get("SYSTEM", key);
    return text ? ReferenceValue(*text) : 0;
  };
  Check(read.content.VERSION == word("System", "Version"));
  Check(read.content.CONTROLLER == word("SYSTEM", "CONTROLLER"));
  for (int w = 1; w <= kWelders; ++w) {
    const auto i = static_cast<std::size_t>(w - 1);
    const std::string n = std::to_string(w);
    Check(read.content.WELDER[i] == word("SYSTEM", ("WELDER" + n).c_str()));
    Check(read.useRcWcd[i] == full(("USERCWCD_WELDER" + n).c_str()));
    Check(read.area[i] == full(("AREA_WELDER" + n).c_str()));
    Check(read.content.DETAIL_PRAM_SET[i] == word(ControlSectionName(w), "DETAIL_PRAM_SET"));
    for (int m = 1; m <= kRegistrations; ++m) {
      const auto j = static_cast<std::size_t>(m - 1);
      Check(read.content.Rc[i][j].SPECIAL == word(RcSectionName(w, m), "special"));
      Check(read.content.Wps[i][j].RATED_CURRENT == word(WpsSectionName(w, m), "RATED_CURRENT"));
    }
  }

  // Only the first section of a name is read: a later "[SYSTEM]" changes nothing when there is one.
  const IniDocument extended = IniDocument::Parse(std::string(bytes) + "\n[SYSTEM]\nVERSION=7\n");
  Check(ReadSetupFile(extended).content.VERSION ==
        (HasSystemSection(bytes) ? read.content.VERSION : 7));
  return 0;
}
