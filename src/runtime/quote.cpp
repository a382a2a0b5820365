// Outside text made safe to show.
#include "runtime/quote.h"

#include <cstdio>

namespace sky {

namespace {

// The length of the UTF-8 sequence at text[i] and its code point, or 0 for a byte that starts none.
std::size_t decode(std::string_view text, std::size_t i, char32_t& cp) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char c = b(0);
    std::size_t n = 0;
    char32_t min = 0;
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    if (c >= 0xC2 && c <= 0xDF) n = 2, cp = c & 0x1F, min = 0x80;
    if (c >= 0xE0 && c <= 0xEF) n = 3, cp = c & 0x0F, min = 0x800;
    if (c >= 0xF0 && c <= 0xF4) n = 4, cp = c & 0x07, min = 0x10000;
    if (n == 0 || i + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (b(k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

// Characters that act on the terminal or on the line rather than show.
bool acts(char32_t cp) {
    return cp < 0x20 || cp == '\\' || (cp >= 0x7F && cp <= 0x9F) || cp == 0x2028 || cp == 0x2029 ||
           (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069) || cp == 0x200E || cp == 0x200F ||
           cp == 0x061C;
}

}  // namespace

std::string quoted(std::string_view text, std::size_t length) {
    std::string q;
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const std::size_t n = decode(text, i, cp);
        if (i + (n ? n : 1) > length) break;
        char esc[16];
        if (n == 0)
            std::snprintf(esc, sizeof esc, "\\x%02x", static_cast<unsigned char>(text[i]));
        else if (n == 1 && acts(cp))
            std::snprintf(esc, sizeof esc, "\\x%02x", static_cast<unsigned>(cp));
        else if (acts(cp))
            std::snprintf(esc, sizeof esc, "\\u%04x", static_cast<unsigned>(cp));
        if (n == 0 || acts(cp))
            q += esc;
        else
            q.append(text, i, n);
        i += n ? n : 1;
    }
    if (i < text.size()) q += "...";
    return q;
}

}  // namespace sky
