#include "backup/CharacteristicTransfer.h"

#include <stdexcept>

#include "records/ModelIndex.h"
#include "records/WelderKinds.h"

namespace wisetup {

namespace {

constexpr int kCommandRow = 1;
constexpr int kMethod34Row = 2;
constexpr int kDefaultCharRow = 11;
constexpr int kPulseRow = 30;

const RobotWeldTable& Require(const RobotWeldTable* table, const char* what) {
  if (table == nullptr) throw std::invalid_argument(what);
  return *table;
}

const WpsModeRecord& Require(const WpsModeRecord* record, const char* what) {
  if (record == nullptr) throw std::invalid_argument(what);
  return *record;
}

void CopyRatedValues(RobotWeldTable& r, const RobotWeldTable& e) {
  r.SetRatedCurrent(e.RatedCurrent());
  r.SetRatedVoltage(e.RatedVoltage());
}

void CommandFromCurrent(RobotWeldTable& r) {
  for (int g = 1; g <= r.ConditionCount(); ++g) r.SetCondCurrentCmd(g, r.CondCurrent(g));
}

void CommandFromRow(RobotWeldTable& r, const WpsModeRecord& p, int row) {
  for (int g = 1; g <= r.ConditionCount(); ++g) {
    if (const auto value = LookupCharacteristic(p, row, r.CondCurrent(g))) {
      r.SetCondCurrentCmd(g, static_cast<std::uint16_t>(*value));
    }
  }
}

// The catalogue stores characteristic values ten times finer than the robot does.
void CharValueFromRow(RobotWeldTable& r, const WpsModeRecord& p, int row) {
  for (int g = 1; g <= r.ConditionCount(); ++g) {
    if (const auto value = LookupCharacteristic(p, row, r.CondCurrent(g))) {
      const auto word = static_cast<std::uint16_t>(*value / 10);
      r.SetCondCharValue(g, word);
      r.SetCondCharValue2(g, word);
    }
  }
}

int PulseAwareRow(std::uint16_t method) {
  switch (method) {
    case 1:
    case 2:
      return kPulseRow;
    case 3:
    case 4:
      return kMethod34Row;
    default:
      return kDefaultCharRow;
  }
}

}  // namespace

std::optional<std::int64_t> LookupCharacteristic(const WpsModeRecord& record, int row,
                                                 std::uint16_t current) {
  if (row < 0 || row >= WpsModeRecord::kRows) throw std::out_of_range("characteristic row");
  const std::int64_t m = static_cast<std::int64_t>(current) * 10;
  for (int j = 1; j < WpsModeRecord::kPoints; ++j) {
    const std::int64_t x1 = record.CurrentPoint(j);
    if (x1 <= m) continue;
    const std::int64_t x0 = record.CurrentPoint(j - 1);
    const std::int64_t y0 = record.Point(row, j - 1);
    const std::int64_t y1 = record.Point(row, j);
    if (x1 == x0) return y0;
    return y0 + ((m - x0) * (y1 - y0)) / (x1 - x0);
  }
  return std::nullopt;
}

bool HasTransferRecipe(int welderKind) {
  return WelderKindOf(welderKind).recipe != TransferRecipe::None;
}

bool UsesModeRecord(int welderKind, bool useRcWcd) {
  switch (WelderKindOf(welderKind).recipe) {
    case TransferRecipe::None:
    case TransferRecipe::RatedByModel:
      return false;
    case TransferRecipe::TemplateOrMethodRows:
      return useRcWcd;
    case TransferRecipe::CommandAndCharFromMode:
    case TransferRecipe::RatedAndMethodRow:
    case TransferRecipe::CharFromMode:
      return true;
  }
  return true;
}

std::optional<RobotWeldTable> BuildRevisedTable(const TransferInputs& in) {
  const TransferRecipe recipe = WelderKindOf(in.welderKind).recipe;
  if (recipe == TransferRecipe::None) return std::nullopt;
  const RobotWeldTable& t = Require(in.robotTable, "robot table missing");

  switch (recipe) {
    case TransferRecipe::None:
      return std::nullopt;
    case TransferRecipe::CommandAndCharFromMode: {
      const WpsModeRecord& p = Require(in.modeRecord, "mode record missing");
      RobotWeldTable r = t;
      CommandFromRow(r, p, kCommandRow);
      CharValueFromRow(r, p, kDefaultCharRow);
      return r;
    }
    case TransferRecipe::RatedAndMethodRow: {
      const WpsModeRecord& p = Require(in.modeRecord, "mode record missing");
      const RobotWeldTable& e = Require(in.catalogueTemplate, "catalogue template missing");
      RobotWeldTable r = t;
      CopyRatedValues(r, e);
      CommandFromCurrent(r);
      CharValueFromRow(r, p, r.Method() == 0 ? kDefaultCharRow : kPulseRow);
      return r;
    }
    case TransferRecipe::RatedByModel: {
      RobotWeldTable r = t;
      r.SetRatedCurrent(static_cast<std::uint16_t>(UModelRatedCurrent(ModelIndexOf(in.wpsModel))));
      return r;
    }
    case TransferRecipe::CharFromMode: {
      const WpsModeRecord& p = Require(in.modeRecord, "mode record missing");
      RobotWeldTable r = t;
      CommandFromCurrent(r);
      CharValueFromRow(r, p, kDefaultCharRow);
      return r;
    }
    case TransferRecipe::TemplateOrMethodRows: {
      const RobotWeldTable& e = Require(in.catalogueTemplate, "catalogue template missing");
      if (!in.useRcWcd) {
        // The template's conditions replace the robot's; the robot keeps the wire, gas and
        // special bits it is actually set up for.
        RobotWeldTable r = e;
        r.SetWireDiameter(t.WireDiameter());
        r.SetGasKind(t.GasKind());
        r.SetWireKind(t.WireKind());
        r.SetSpecial(t.Special());
        return r;
      }
      const WpsModeRecord& p = Require(in.modeRecord, "mode record missing");
      RobotWeldTable r = t;
      CopyRatedValues(r, e);
      CommandFromCurrent(r);
      CharValueFromRow(r, p, PulseAwareRow(r.Method()));
      return r;
    }
  }
  return std::nullopt;
}

}  // namespace wisetup
