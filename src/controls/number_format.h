#pragma once

#include <string>
#include <string_view>

namespace tq370 {

// printf-style formatting of one number with a format that comes from tables and string
// entries ("%0.1f dBu", "读取设备参数:%5.0f %%"). The first conversion (f, e, g, or d
// and i for the value truncated toward zero) takes the value; "%%" gives "%". A format
// without a conversion comes back unchanged, and anything that is not a conversion
// this understands is copied as it stands, so no format text can read past the value.
std::string formatNumber(std::string_view format, double value);

}  // namespace tq370
