// What a setup file written from chosen values reads back as, field by field: the writer's unit
// tests and its fuzz target compare against it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "setupfile/SetupFormat.h"

namespace wisetup::test {

inline std::vector<std::uint16_t> ExpectedSetupFields(const SetupFileValues& v) {
  SetupFileContent c;
  c.VERSION = 1;
  c.CONTROLLER = static_cast<std::uint16_t>(v.controller);
  for (std::size_t w = 0; w < static_cast<std::size_t>(kWelders); ++w) {
    c.REGIST_WELDER[w] = static_cast<std::uint16_t>(v.registWelder[w]);
    c.WELDER[w] = static_cast<std::uint16_t>(v.modelCode[w]);
  }
  c.BAUDRATE_CAN2 = static_cast<std::uint16_t>(v.baudrateCan2);
  c.Rc = v.rc;
  c.Wps = v.wps;
  return c.Fields();
}

}  // namespace wisetup::test
