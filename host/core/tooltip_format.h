// The host's numbered-insert formatter for tooltip texts, in the manner of the
// Windows message formatter: "%N!format!" takes argument record N (from 1);
// an "s" format shows the text of its string callback, any other format the
// result of its numeric callback. "%N" alone is a string insert and "%%" a
// percent sign.
//
// Whole-number formats ("d", "i", "u", "x", "X", "o") truncate the callback's
// double toward zero, saturating at the ends of the 32-bit range; NaN gives 0.
// An insert whose number is beyond the argument count, or whose format the
// host does not know, is shown as written. The output is cut to fit the
// buffer and always ends with a NUL.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "module/records.h"

namespace korvel::host {

std::string_view format_tooltip(const char* text, const TooltipArgument* arguments, std::uint32_t count,
                                GaugeHeader* gauge, std::span<char> out);

}  // namespace korvel::host
