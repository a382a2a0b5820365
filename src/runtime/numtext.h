// Numbers as the game writes and reads them: the general number-to-text form and the numeric
// conversion of progress-file lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sky {

// Integers in plain decimal ("0", "-20", "1400"), fractions with as many decimals as they need
// ("2291.5", "454.4"), '.' as the decimal point.
std::string numText(double v);

// A text as a 16-bit signed integer: blanks around it ignored, a fraction rounded to the nearest
// whole number (halves to even), an optional sign; nothing for a text that is not a number or
// lies outside -32768..32767.
std::optional<std::int16_t> toInt16(std::string_view text);

// A decimal number as the game's files write it: an optional sign, digits with an optional
// fraction ('.', whatever the locale) and exponent. Nothing for anything else, or out of range.
std::optional<double> parseNumber(std::string_view text);

// ASCII lower case, for the unlock test.
std::string lower(std::string_view s);

}  // namespace sky
