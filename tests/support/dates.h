#pragma once

#include "env/packed_date.h"

namespace testsupport {

// D(17, 12) is 17.12.2026, the year most test histories are set in.
constexpr PackedDate D(int d, int m, int y = 2026) { return PackedDate(d, m, y); }

}  // namespace testsupport
