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
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
    // Halves (fuel burns in half units) take the short way: at most fourteen digits before the
    // point, so the general form below would give exactly these.
    if (std::fabs(v) < 1e14 && v * 2 == std::floor(v * 2)) {
        char* p = buf;
        if (v < 0) *p++ = '-';
        auto r = std::to_chars(p, buf + sizeof buf, static_cast<long long>(std::fabs(v)));
        return std::string(buf, r.ptr) + ".5";
    }
    // Fifteen significant digits, as a double carries, trailing zeros dropped. printf's %.15g is
    // the general form to_chars gives for this precision, and every C library the game is built
    // with has it (the browser build's C++ library has no floating-point to_chars). printf writes
    // the locale's decimal point ("2229,5" in Slovak): whatever it wrote there becomes '.'.
    const int n = std::snprintf(buf, sizeof buf, "%.15g", v);
    std::string s;
    for (int i = 0; i < n && i < static_cast<int>(sizeof buf); ++i) {
        const char c = buf[i];
        if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e')
            s += c;
        else if (s.empty() || s.back() != '.')
            s += '.';
    }
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
    const double v = parseNumber(t).value_or(0);
    double r = std::nearbyint(v);  // the default rounding mode: halves to even
    if (!(r >= -32768 && r <= 32767)) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<double> parseNumber(std::string_view t) {
    // [+|-] digits [. digits] [e [+|-] digits], with a digit before the exponent.
    std::size_t i = 0;
    const bool negative = !t.empty() && t[0] == '-';
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) ++i;
    const std::size_t from = i;
    auto digits = [&] {
        std::size_t n = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++n;
        return n;
    };
    std::size_t mantissa = digits();
    if (i < t.size() && t[i] == '.') ++i, mantissa += digits();
    if (mantissa == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (digits() == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    double v = 0;
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    const auto r = std::from_chars(t.data() + from, t.data() + t.size(), v);
    if (r.ec == std::errc::result_out_of_range) return std::nullopt;
#else
    // A C++ library without from_chars for fractions (the browser's): its C library has no
    // locales, so strtod reads '.' there.
    v = std::strtod(std::string(t.substr(from)).c_str(), nullptr);
#endif
    return negative ? -v : v;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace sky
