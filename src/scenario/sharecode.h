// A recording in a web address: its text squeezed (each line's clock time written as the time
// since the line before, then a small context-mixing coder that knows what recordings look like)
// and written in the 64 characters a URL carries as they are (A-Z a-z 0-9 - _). The desktop makes
// the address (`skyrend --share`), the page reads it back; both run this code.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sky::share {

// The longest recording text an address carries, and the longest code read: a browser takes
// addresses of two million characters at most, and nothing longer is decoded.
constexpr std::size_t kLongestText = 4u << 20;
constexpr std::size_t kLongestCode = 2'000'000;
// What follows the page's address.
constexpr std::string_view kWatchMark = "#watch=";

// The recording's text as a code; nullopt when it is longer than kLongestText or its code longer
// than kLongestCode.
std::optional<std::string> encode(std::string_view text);

// Why a code cannot be read.
enum class Fault {
    None,
    Empty,    // nothing after the mark
    TooLong,  // longer than any code this game makes
    BadChar,  // a character no code holds (the address was changed on the way)
    Damaged,  // cut short, or not made by this game
    Version,  // made by a newer game
};

// The recording's text again; on garbage nullopt and fault says why. Never more than
// kLongestText bytes come out, and the work is bounded by the code's length.
std::optional<std::string> decode(std::string_view code, Fault& fault);

// The code in an address (what follows "#watch=", or the whole text when it holds no mark).
std::string_view codeOf(std::string_view address);

}  // namespace sky::share
