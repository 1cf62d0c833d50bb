// The two binary record formats exchanged with the robot controller and the power source catalogue:
// RobotWeldTable (148-byte short form, 224-byte long form) and WpsModeRecord (992 bytes). Records
// are fixed-size byte arrays with named little-endian accessors; bytes that are not named are
// carried unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wisetup {

enum class TableForm { Short, Long };

class RobotWeldTable {
 public:
  static constexpr std::size_t kShortSize = 148;
  static constexpr std::size_t kLongSize = 224;

  explicit RobotWeldTable(TableForm form = TableForm::Long) : form_(form) {}

  TableForm Form() const { return form_; }
  std::size_t Size() const { return form_ == TableForm::Long ? kLongSize : kShortSize; }
  int ConditionCount() const { return form_ == TableForm::Long ? 10 : 5; }

  // The record's bytes (Size() of them).
  std::span<const std::uint8_t> Bytes() const { return {bytes_.data(), Size()}; }
  std::span<std::uint8_t> MutableBytes() { return {bytes_.data(), Size()}; }

  std::uint16_t Word(std::size_t offset) const;
  void SetWord(std::size_t offset, std::uint16_t value);

  // Offsets of the coded words from the start of their block (offset 74 short, 112 long).
  static constexpr std::size_t kMethodAt = 0, kWireDiameterAt = 2, kGasKindAt = 4, kWireKindAt = 6,
                               kSpecialAt = 10, kRatedCurrentAt = 12, kRatedVoltageAt = 14;

  std::uint16_t Method() const { return Word(FieldBase() + kMethodAt); }
  std::uint16_t WireDiameter() const { return Word(FieldBase() + kWireDiameterAt); }
  std::uint16_t GasKind() const { return Word(FieldBase() + kGasKindAt); }
  std::uint16_t WireKind() const { return Word(FieldBase() + kWireKindAt); }
  std::uint16_t Special() const { return Word(FieldBase() + kSpecialAt); }
  std::uint16_t RatedCurrent() const { return Word(FieldBase() + kRatedCurrentAt); }
  std::uint16_t RatedVoltage() const { return Word(FieldBase() + kRatedVoltageAt); }
  void SetMethod(std::uint16_t v) { SetWord(FieldBase() + kMethodAt, v); }
  void SetWireDiameter(std::uint16_t v) { SetWord(FieldBase() + kWireDiameterAt, v); }
  void SetGasKind(std::uint16_t v) { SetWord(FieldBase() + kGasKindAt, v); }
  void SetWireKind(std::uint16_t v) { SetWord(FieldBase() + kWireKindAt, v); }
  void SetSpecial(std::uint16_t v) { SetWord(FieldBase() + kSpecialAt, v); }
  void SetRatedCurrent(std::uint16_t v) { SetWord(FieldBase() + kRatedCurrentAt, v); }
  void SetRatedVoltage(std::uint16_t v) { SetWord(FieldBase() + kRatedVoltageAt, v); }

  // Condition groups are numbered from 1 (1..5 short, 1..10 long). Groups 3 (both forms) and 7
  // (long form) are 12 bytes with two uninterpreted words; the offsets account for that.
  struct GroupOffsets {
    std::size_t current, currentCmd, charValue, charValue2;
  };
  GroupOffsets Group(int group) const;
  std::uint16_t CondCurrent(int g) const { return Word(Group(g).current); }
  std::uint16_t CondCurrentCmd(int g) const { return Word(Group(g).currentCmd); }
  std::uint16_t CondCharValue(int g) const { return Word(Group(g).charValue); }
  std::uint16_t CondCharValue2(int g) const { return Word(Group(g).charValue2); }
  void SetCondCurrent(int g, std::uint16_t v) { SetWord(Group(g).current, v); }
  void SetCondCurrentCmd(int g, std::uint16_t v) { SetWord(Group(g).currentCmd, v); }
  void SetCondCharValue(int g, std::uint16_t v) { SetWord(Group(g).charValue, v); }
  void SetCondCharValue2(int g, std::uint16_t v) { SetWord(Group(g).charValue2, v); }

  bool operator==(const RobotWeldTable& other) const;

  // A named word of the record: "METHOD" ... "RATED_VOLTAGE", "CONDITIONg.COND_CURRENT" ...
  struct NamedField {
    std::string name;
    std::size_t offset;
  };
  // Every named word of a record of `form`, in ascending order of offset.
  static std::vector<NamedField> NamedFields(TableForm form);

 private:
  static constexpr std::size_t FieldBaseOf(TableForm form) {
    return form == TableForm::Long ? 112 : 74;
  }
  std::size_t FieldBase() const { return FieldBaseOf(form_); }

  TableForm form_;
  std::array<std::uint8_t, kLongSize> bytes_{};  // a short-form record uses the first 148
};

class WpsModeRecord {
 public:
  static constexpr std::size_t kSize = 992;
  static constexpr int kRows = 31;
  static constexpr int kPoints = 14;
  static constexpr int kCurrentPointsRow = 0;

  std::span<const std::uint8_t> Bytes() const { return bytes_; }
  std::span<std::uint8_t> MutableBytes() { return bytes_; }

  std::uint16_t Word(std::size_t offset) const;
  void SetWord(std::size_t offset, std::uint16_t value);

  // POINT `point` (0..13) of row `row` (0..30), at offset 32*row + 4 + 2*point.
  std::uint16_t Point(int row, int point) const;
  void SetPoint(int row, int point, std::uint16_t value);
  std::uint16_t CurrentPoint(int point) const { return Point(kCurrentPointsRow, point); }

  bool operator==(const WpsModeRecord& other) const = default;

 private:
  std::array<std::uint8_t, kSize> bytes_{};
};

}  // namespace wisetup
