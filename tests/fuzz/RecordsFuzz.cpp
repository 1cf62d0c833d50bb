// Builds the binary records from arbitrary bytes and runs every reader over them: the accessors,
// the condition texts of every kind, form and language, the characteristic lookup and the transfer
// recipe of every welder kind. A recipe may change only the words it is meant to revise.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "backup/CharacteristicTransfer.h"
#include "catalogue/ConditionText.h"
#include "records/WeldRecords.h"
#include "records/WelderKinds.h"

namespace {

using namespace wisetup;
using fuzz::Check;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  void Fill(std::span<std::uint8_t> bytes) {
    for (std::uint8_t& b : bytes) b = Byte();
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead >= 0x80 && lead < 0xC2) return false;
    if (lead > 0xF4 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

template <typename Record>
bool Throws(const Record& record, std::size_t offset) {
  try {
    static_cast<void>(record.Word(offset));
  } catch (const std::out_of_range&) {
    return true;
  }
  return false;
}

void CheckAccessors(const RobotWeldTable& table, std::size_t offset, std::uint16_t value) {
  Check(table.Bytes().size() == table.Size());
  Check(Throws(table, table.Size() - 1) && Throws(table, table.Size()));
  for (const int bad : {0, table.ConditionCount() + 1}) {
    bool threw = false;
    try {
      static_cast<void>(table.Group(bad));
    } catch (const std::out_of_range&) {
      threw = true;
    }
    Check(threw);
  }
  std::set<std::size_t> used;
  for (int g = 1; g <= table.ConditionCount(); ++g) {
    const auto o = table.Group(g);
    for (const std::size_t at : {o.current, o.currentCmd, o.charValue, o.charValue2}) {
      Check(at + 2 <= table.Size() && used.insert(at).second);
    }
  }

  offset %= table.Size() - 1;
  RobotWeldTable changed = table;
  changed.SetWord(offset, value);
  Check(changed.Word(offset) == value);
  for (std::size_t i = 0; i < table.Size(); ++i) {
    if (i != offset && i != offset + 1) Check(changed.Bytes()[i] == table.Bytes()[i]);
  }
}

// The text depends on the kind only for 9 and 17; the input picks one more.
void CheckConditionTexts(const RobotWeldTable& table, int chosenKind) {
  for (const int kind : {chosenKind, 9, 17}) {
    for (const bool low : {false, true}) {
      const std::string japanese = MakeConditionText(table, kind, low, 0);
      const std::string english = MakeConditionText(table, kind, low, 1);
      Check(IsUtf8(japanese) && IsAscii(english));
      Check(MakeConditionText(table, kind, low, 2) == english);
    }
  }
}

// The first point strictly above current*10 closes the segment; between two points in order the
// value lies between theirs.
void CheckLookup(const WpsModeRecord& record, int row, std::uint16_t current) {
  const std::optional<std::int64_t> value = LookupCharacteristic(record, row, current);
  const std::int64_t m = std::int64_t{current} * 10;
  int closing = 0;
  for (int j = 1; j < WpsModeRecord::kPoints && closing == 0; ++j) {
    if (record.CurrentPoint(j) > m) closing = j;
  }
  Check(value.has_value() == (closing != 0));
  if (closing == 0 || record.CurrentPoint(closing - 1) > m) return;
  const std::int64_t y0 = record.Point(row, closing - 1);
  const std::int64_t y1 = record.Point(row, closing);
  Check(*value >= std::min(y0, y1) && *value <= std::max(y0, y1));
}

using ByteMask = std::array<bool, RobotWeldTable::kLongSize>;

void Allow(ByteMask& mask, std::initializer_list<std::size_t> wordOffsets) {
  for (const std::size_t at : wordOffsets) mask[at] = mask[at + 1] = true;
}

// The words a recipe may write into the robot table: the rated values and, per condition, the
// command and both characteristic values.
ByteMask RevisedBytes(const RobotWeldTable& table) {
  const std::size_t base = table.Form() == TableForm::Long ? 112 : 74;
  ByteMask mask{};
  Allow(mask, {base + 12, base + 14});
  for (int g = 1; g <= table.ConditionCount(); ++g) {
    const auto o = table.Group(g);
    Allow(mask, {o.currentCmd, o.charValue, o.charValue2});
  }
  return mask;
}

// Only `allowed` bytes of `result` may differ from `from`.
void CheckOnlyChanged(const RobotWeldTable& result, const RobotWeldTable& from,
                      const ByteMask& allowed) {
  Check(result.Form() == from.Form());
  for (std::size_t i = 0; i < result.Size(); ++i) {
    if (!allowed[i]) Check(result.Bytes()[i] == from.Bytes()[i]);
  }
}

void CheckTransfer(const TransferInputs& in, const RobotWeldTable& t, const RobotWeldTable& e) {
  const std::optional<RobotWeldTable> r = BuildRevisedTable(in);
  Check(r.has_value() == HasTransferRecipe(in.welderKind));
  if (!r) return;
  const int kind = in.welderKind;
  if ((kind == 13 || kind == 19) && !in.useRcWcd) {
    const std::size_t base = e.Form() == TableForm::Long ? 112 : 74;
    ByteMask robotOwned{};
    Allow(robotOwned, {base + 2, base + 4, base + 6, base + 10});
    CheckOnlyChanged(*r, e, robotOwned);
    Check(r->WireDiameter() == t.WireDiameter() && r->GasKind() == t.GasKind() &&
          r->WireKind() == t.WireKind() && r->Special() == t.Special());
    return;
  }
  CheckOnlyChanged(*r, t, RevisedBytes(t));
  if (kind == 10) {
    Check(r->RatedCurrent() == (in.wpsModel == 8 ? 350 : 500));
  } else if (kind != 5 && kind != 14) {
    for (int g = 1; g <= r->ConditionCount(); ++g) {
      Check(r->CondCurrentCmd(g) == t.CondCurrent(g));
    }
  }
  if (kind == 9 || kind == 13 || kind == 19) {
    Check(r->RatedCurrent() == e.RatedCurrent() && r->RatedVoltage() == e.RatedVoltage());
  }
}

// Kinds whose recipe needs an input that is missing must refuse, never read through nothing.
void CheckMissingInputs(const TransferInputs& full) {
  for (int drop = 0; drop < 3; ++drop) {
    TransferInputs in = full;
    if (drop == 0) in.robotTable = nullptr;
    if (drop == 1) in.modeRecord = nullptr;
    if (drop == 2) in.catalogueTemplate = nullptr;
    try {
      static_cast<void>(BuildRevisedTable(in));
    } catch (const std::invalid_argument&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t options = input.Byte();
  const std::uint16_t current = static_cast<std::uint16_t>(input.Byte() | input.Byte() << 8);
  const std::size_t offset = input.Byte();

  RobotWeldTable longTable(TableForm::Long);
  input.Fill(longTable.MutableBytes());
  RobotWeldTable shortTable(TableForm::Short);
  std::copy_n(longTable.Bytes().begin(), RobotWeldTable::kShortSize,
              shortTable.MutableBytes().begin());
  RobotWeldTable catalogueTemplate(TableForm::Long);
  input.Fill(catalogueTemplate.MutableBytes());
  WpsModeRecord mode;
  input.Fill(mode.MutableBytes());

  // The input picks one welder kind (-1..20) for the texts and the refusals.
  const int chosenKind = options % 22 - 1;
  for (const RobotWeldTable* table : {&shortTable, &longTable, &catalogueTemplate}) {
    CheckConditionTexts(*table, chosenKind);
    for (int g = 1; g <= table->ConditionCount(); ++g) {
      for (const int row : {0, 1, 2, 11, 30}) CheckLookup(mode, row, table->CondCurrent(g));
    }
  }
  CheckAccessors(options & 0x80 ? longTable : shortTable, offset, current);
  CheckLookup(mode, options % WpsModeRecord::kRows, current);
  Check(Throws(mode, WpsModeRecord::kSize - 1));

  const int wpsModel = options % 4 == 0 ? 8 : options % 4 == 1 ? 9 : options % 16;
  for (const int kind : {5, 9, 10, 11, 12, 13, 14, 17, 19, chosenKind}) {
    for (const bool useRcWcd : {true, false}) {
      // The table in the form the kind reads, and also in the other one.
      for (const bool matching : {true, false}) {
        const bool longForm = IsLongRcTableKind(kind) == matching;
        const RobotWeldTable& t = longForm ? longTable : shortTable;
        CheckTransfer({kind, &t, &mode, &catalogueTemplate, wpsModel, useRcWcd}, t,
                      catalogueTemplate);
      }
    }
  }
  const RobotWeldTable& t = IsLongRcTableKind(chosenKind) ? longTable : shortTable;
  CheckMissingInputs({chosenKind, &t, &mode, &catalogueTemplate, wpsModel, options % 2 == 0});
  return 0;
}
