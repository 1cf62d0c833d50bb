// Reads arbitrary bytes as a selections file: the reader never fails in any other way than by
// refusing, what it accepts is within its ranges and reads back the same after being written, and
// matching it against a catalogue of its own entry names never selects an item that is not there.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "selections/Selections.h"

namespace {

using namespace wisetup;
using fuzz::Check;

bool LowerHexDigest(const std::string& text) {
  if (text.size() != 64) return false;
  for (const char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const SelectionsRead read = ParseSelections(bytes);
  if (!read.selections) return 0;
  const Selections& s = *read.selections;
  Check(s.controller == 0 || s.controller == 1);
  for (std::size_t w = 0; w < s.welders.size(); ++w) {
    const auto& welder = s.welders[w];
    if (!welder) continue;
    Check(welder->model >= 0 && welder->model <= 9);
    Check(welder->area >= 0 && welder->area <= 3);
    ListedCatalogue catalogue;
    std::array<int, kRegistrations> tables{};
    for (const auto& choice : welder->registrations) {
      if (!choice) continue;
      Check(IsSafeEntryName(choice->entry));
      Check(LowerHexDigest(choice->sha256));
      catalogue.names.push_back(choice->entry);
      catalogue.hashes.push_back(choice->sha256);
    }
    const RegistrationMatch match =
        MatchRegistrations(static_cast<int>(w), *welder, tables, catalogue);
    for (const int mode : match.modes) {
      Check(mode >= -1 && mode < static_cast<int>(catalogue.names.size()));
    }
  }

  const std::string written = FormatSelections(s);
  const SelectionsRead again = ParseSelections(written);
  Check(again.selections.has_value());
  Check(*again.selections == s);
  Check(FormatSelections(*again.selections) == written);
  return 0;
}
