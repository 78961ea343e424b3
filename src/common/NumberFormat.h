#pragma once
// Numbers shown to the technician, formatted with patterns such as "##0.#0V", "###0.#####0",
// "0.00%", "###.#0'C" and "###0.##0":
//   "0" a digit always shown, "#" a digit shown only when significant, "." the decimal point,
//   anything else literal text. Before the point every digit of the whole part is shown, with
//   leading zeros up to the number of "0" placeholders there (none without a "0", so 0.5 with
//   "###.#0'C" begins with the point). After the point the value is rounded (half away from
//   zero, on its 15-digit decimal form) to as many places as there are placeholders; trailing
//   zeros are dropped only at "#" placeholders after the last "0". A "%" in the literal text
//   shows the value multiplied by 100, as a percentage pattern does everywhere.

#include <string>
#include <string_view>

namespace qxt::common {

std::string FormatNumber(double value, std::string_view pattern);

}  // namespace qxt::common
