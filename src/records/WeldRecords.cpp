#include "records/WeldRecords.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace wisetup {

namespace {

std::uint16_t ReadLe16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (offset >= bytes.size() || bytes.size() - offset < 2) {
    throw std::out_of_range("record word offset " + std::to_string(offset));
  }
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

void WriteLe16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
  if (offset >= bytes.size() || bytes.size() - offset < 2) {
    throw std::out_of_range("record word offset " + std::to_string(offset));
  }
  bytes[offset] = static_cast<std::uint8_t>(value & 0xFFu);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Groups 3 (both forms) and 7 (long form) carry two extra words, and not in the same place:
// the controller firmware fixes these offsets, so they are listed rather than computed.
constexpr RobotWeldTable::GroupOffsets kShortGroups[5] = {
    {90, 92, 94, 96},     {98, 100, 102, 104},  {106, 112, 114, 116},
    {118, 120, 122, 124}, {126, 128, 130, 132},
};

constexpr RobotWeldTable::GroupOffsets kLongGroups[10] = {
    {128, 130, 132, 134}, {136, 138, 140, 142}, {144, 150, 152, 154}, {156, 158, 160, 162},
    {164, 166, 168, 170}, {172, 174, 176, 178}, {180, 182, 188, 190}, {192, 194, 196, 198},
    {200, 202, 204, 206}, {208, 210, 212, 214},
};

}  // namespace

std::uint16_t RobotWeldTable::Word(std::size_t offset) const {
  return ReadLe16(Bytes(), offset);
}

void RobotWeldTable::SetWord(std::size_t offset, std::uint16_t value) {
  WriteLe16(MutableBytes(), offset, value);
}

RobotWeldTable::GroupOffsets RobotWeldTable::Group(int group) const {
  if (group < 1 || group > ConditionCount()) {
    throw std::out_of_range("condition group " + std::to_string(group));
  }
  const auto index = static_cast<std::size_t>(group - 1);
  return form_ == TableForm::Long ? kLongGroups[index] : kShortGroups[index];
}

std::vector<RobotWeldTable::NamedField> RobotWeldTable::NamedFields(TableForm form) {
  const std::size_t base = FieldBaseOf(form);
  std::vector<NamedField> fields = {
      {"METHOD", base + kMethodAt},
      {"WIRE_DIAMETER", base + kWireDiameterAt},
      {"GAS_KIND", base + kGasKindAt},
      {"WIRE_KIND", base + kWireKindAt},
      {"SPECIAL", base + kSpecialAt},
      {"RATED_CURRENT", base + kRatedCurrentAt},
      {"RATED_VOLTAGE", base + kRatedVoltageAt},
  };
  const RobotWeldTable table(form);
  for (int g = 1; g <= table.ConditionCount(); ++g) {
    const std::string group = "CONDITION" + std::to_string(g) + ".";
    const GroupOffsets at = table.Group(g);
    fields.push_back({group + "COND_CURRENT", at.current});
    fields.push_back({group + "COND_CURRENT_CMD", at.currentCmd});
    fields.push_back({group + "COND_CHAR_VALUE", at.charValue});
    fields.push_back({group + "COND_CHAR_VALUE_2", at.charValue2});
  }
  std::sort(fields.begin(), fields.end(),
            [](const NamedField& a, const NamedField& b) { return a.offset < b.offset; });
  return fields;
}

bool RobotWeldTable::operator==(const RobotWeldTable& other) const {
  if (form_ != other.form_) return false;
  const auto a = Bytes();
  const auto b = other.Bytes();
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

std::uint16_t WpsModeRecord::Word(std::size_t offset) const {
  return ReadLe16(Bytes(), offset);
}

void WpsModeRecord::SetWord(std::size_t offset, std::uint16_t value) {
  WriteLe16(MutableBytes(), offset, value);
}

namespace {

std::size_t PointOffset(int row, int point) {
  if (row < 0 || row >= WpsModeRecord::kRows || point < 0 || point >= WpsModeRecord::kPoints) {
    throw std::out_of_range("characteristic point " + std::to_string(row) + "/" +
                            std::to_string(point));
  }
  return static_cast<std::size_t>(32 * row + 4 + 2 * point);
}

}  // namespace

std::uint16_t WpsModeRecord::Point(int row, int point) const {
  return Word(PointOffset(row, point));
}

void WpsModeRecord::SetPoint(int row, int point, std::uint16_t value) {
  SetWord(PointOffset(row, point), value);
}

}  // namespace wisetup
