// Numbers to text and back.
#include "runtime/numtext.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sky {

std::string numText(double v) {
    if (v == 0) return "0";  // also for -0
    char buf[64];
    if (std::fabs(v) < 1e15 && v == std::floor(v)) {
        auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
        return std::string(buf, r.ptr);
    }
    // Fifteen significant digits, as a double carries, trailing zeros dropped. printf's %.15g is
    // the general form to_chars gives for this precision, and every C library the game is built
    // with has it (the browser build's C++ library has no floating-point to_chars).
    const int n = std::snprintf(buf, sizeof buf, "%.15g", v);
    std::string s(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
    auto e = s.find('e');
    std::string mant = e == std::string::npos ? s : s.substr(0, e);
    std::string exp = e == std::string::npos ? "" : s.substr(e);
    if (mant.find('.') != std::string::npos) {
        while (!mant.empty() && mant.back() == '0') mant.pop_back();
        if (!mant.empty() && mant.back() == '.') mant.pop_back();
    }
    return mant + exp;
}

std::optional<std::int16_t> toInt16(std::string_view t) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!t.empty() && blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && blank(t.back())) t.remove_suffix(1);
    if (t.empty() || t.size() > 64) return std::nullopt;
    // Sign, digits, an optional fraction; nothing else.
    std::size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    std::size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    }
    if (i != t.size() || digits == 0) return std::nullopt;
    std::string s(t);
    double v = std::strtod(s.c_str(), nullptr);
    double r = std::nearbyint(v);  // the default rounding mode: halves to even
    if (!(r >= -32768 && r <= 32767)) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace sky
