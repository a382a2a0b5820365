// Text from outside the game (a file's name, a line of a file the player handed over) shown on a
// line of its own: nothing in it may move the cursor, recolour the terminal or run on for pages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sky {

// The most of an outside text a line shows, in bytes.
inline constexpr std::size_t kQuotedLength = 80;

// text as a message may show it: valid UTF-8 letters pass unchanged; control characters (C0, DEL,
// C1), the backslash, the marks that reorder or split lines and bytes that are not UTF-8 become
// \xHH (a byte) or \uHHHH (a character); after `length` bytes the rest is "...".
std::string quoted(std::string_view text, std::size_t length = kQuotedLength);

}  // namespace sky
