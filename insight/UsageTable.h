#pragma once

#include "insight/Findings.h"

#include <optional>
#include <string_view>

// The usage table both tool families print after writing the .bsp:
//   Object names  Objects/Maxobjs  Memory / Maxmem  Fullness
//   ------------  ---------------  ---------------  --------
//   clipnodes       14489/32767     115912/262136   (44.2%)
//   texdata          [variable]         48/33554432 ( 0.0%)
namespace insight {

bool isUsageTableHeading(std::string_view line);

// A row of the table; nothing for anything else (the rule under the heading, the lines after the table).
std::optional<Limit> parseUsageRow(std::string_view line);

} // namespace insight
