// Writes a full set of values into an arbitrary existing setup file the way Create Files does: the
// values must read back, writing them twice must change nothing, and keys the writer does not own
// must keep their values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "SetupFields.h"
#include "catalogue/ModelTable.h"
#include "platform/PathMap.h"
#include "setupfile/SetupFormat.h"
#include "text/IniDocument.h"
#include "text/TextScan.h"

namespace {

using namespace wisetup;
using fuzz::Check;
using fuzz::Trim;

// Every key line of the document with the section it is written under, as a reader of the text
// would name them.
std::vector<std::pair<std::string, std::string>> KeyLines(std::string_view bytes) {
  constexpr std::string_view kBlanks = " \t";
  std::vector<std::pair<std::string, std::string>> keys;
  std::optional<std::string> section;
  while (!bytes.empty() && keys.size() < 64) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const std::string_view line = Trim(bytes.substr(0, end), kBlanks);
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      section = std::string(Trim(line.substr(1, line.find(']') - 1), kBlanks));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (section && equals != std::string_view::npos) {
      keys.emplace_back(*section, Trim(line.substr(0, equals), kBlanks));
    }
  }
  return keys;
}

// Values drawn from a seed, often at the edges of the 16- and 32-bit ranges.
class Values {
 public:
  explicit Values(std::uint64_t seed) : state_(seed) {}

  int Next() {
    const std::uint64_t r = Step();
    switch (r % 8) {
      case 0:
        return 0;
      case 1:
        return -1;
      case 2:
        return std::numeric_limits<int>::min();
      case 3:
        return std::numeric_limits<int>::max();
      case 4:
        return 65535;
      case 5:
        return 65536;
      case 6:
        return static_cast<int>((r >> 8) % 100);
      default:
        return static_cast<int>(static_cast<std::int32_t>(r >> 32));
    }
  }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Next()); }

 private:
  std::uint64_t Step() {  // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  std::uint64_t state_;
};

SetupFileValues MakeValues(std::uint64_t seed) {
  Values next(seed);
  SetupFileValues v;
  v.controller = next.Next();
  for (int w = 0; w < kWelders; ++w) {
    const auto i = static_cast<std::size_t>(w);
    v.registWelder[i] = next.Next();
    v.useRcWcd[i] = next.Next();
    v.modelCode[i] = next.Next();
    v.area[i] = next.Next();
    for (auto& mode : v.rc[i]) {
      mode = {next.Word(), next.Word(), next.Word(), next.Word(), next.Word()};
    }
    for (auto& mode : v.wps[i]) {
      mode = {next.Word(), next.Word(), next.Word(), next.Word(),
              next.Word(), next.Word(), next.Word(), next.Word()};
    }
  }
  v.baudrateCan2 = next.Next();
  return v;
}

void CheckReadsBack(const SetupFileRead& read, const SetupFileValues& v) {
  Check(read.content.Fields() == test::ExpectedSetupFields(v));
  for (std::size_t w = 0; w < kWelders; ++w) {
    Check(read.useRcWcd[w] == v.useRcWcd[w]);
    Check(read.area[w] == v.area[w]);
    const int model =
        Index(ModelIndexFromCode(read.content.WELDER[w], read.content.Wps[w][0].RATED_CURRENT));
    Check(model >= 0 && model < kModelCount);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first eight bytes choose the values, the rest is the file found on disk.
  std::uint64_t seed = 0;
  const std::size_t seedBytes = std::min<std::size_t>(size, 8);
  for (std::size_t i = 0; i < seedBytes; ++i) seed = seed << 8 | data[i];
  const std::string_view input(reinterpret_cast<const char*>(data) + seedBytes, size - seedBytes);
  // A UTF-16LE file on disk reads as its text; the key lines are those of that text.
  const std::string text = IsUtf16Le(input) ? Utf16LeToUtf8(input) : std::string(input);
  const std::string_view bytes = text;

  IniDocument doc = IniDocument::Parse(input);
  const auto keys = KeyLines(bytes);
  std::vector<std::optional<std::string>> old;
  for (const auto& [section, key] : keys) {
    old.push_back(doc.Get(section, key));
  }

  const SetupFileValues values = MakeValues(seed);
  doc.DropShadowedKeys(IsSetupFileKey);
  WriteSetupFile(doc, values);
  const std::string written = doc.Serialize();

  IniDocument reread = IniDocument::Parse(written);
  Check(reread.Serialize() == written);
  CheckReadsBack(ReadSetupFile(reread), values);
  Check(reread.Get("system", "controller") == std::to_string(values.controller));
  Check(reread.Get("SYSTEM", "AREA_WELDER4") == std::to_string(values.area[3]));

  for (std::size_t i = 0; i < keys.size(); ++i) {
    const auto& [section, key] = keys[i];
    if (!IsSetupFileKey(AsciiUpper(section), AsciiUpper(key))) {
      Check(reread.Get(section, key) == old[i]);
    }
  }

  // A file the tool wrote itself takes the same values without a byte changing.
  reread.DropShadowedKeys(IsSetupFileKey);
  WriteSetupFile(reread, values);
  Check(reread.Serialize() == written);
  return 0;
}
