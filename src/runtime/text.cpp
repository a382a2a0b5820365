// The game's texts from the compiled-in catalogue.
#include "runtime/text.h"

#include <charconv>

#include "runtime/numtext.h"

namespace sky {

namespace {
Language current = Language::Slovak;
}

std::optional<Language> parseLanguage(std::string_view code) {
    if (code == "sk") return Language::Slovak;
    if (code == "en") return Language::English;
    return std::nullopt;
}

const char* languageCode(Language l) {
    return l == Language::English ? "en" : "sk";
}

Language chooseLanguage(std::optional<Language> choice, std::string_view remembered, std::string_view locale) {
    if (choice) return *choice;
    if (auto r = parseLanguage(remembered)) return *r;
    const bool english = locale.substr(0, 2) == "en" &&
                         (locale.size() == 2 || std::string_view("_.@-").find(locale[2]) != std::string_view::npos);
    return english ? Language::English : Language::Slovak;
}

void setLanguage(Language l) {
    current = l;
}

Language language() {
    return current;
}

void TextArg::appendTo(std::string& out) const {
    if (auto* i = std::get_if<std::int64_t>(&v_)) {
        char buf[24];
        out.append(buf, std::to_chars(buf, buf + sizeof buf, *i).ptr);
    } else if (auto* d = std::get_if<double>(&v_)) {
        out += numText(*d);
    } else {
        out += std::get<std::string_view>(v_);
    }
}

std::string text(Language l, TextId id, std::initializer_list<TextArg> args) {
    const auto n = static_cast<std::size_t>(id);
    if (n >= static_cast<std::size_t>(kTextCount)) return {};
    const detail::CatalogueEntry& e = detail::kCatalogue[n];
    const std::string_view t = l == Language::English ? e.english : e.slovak;
    std::string out;
    out.reserve(t.size() + 8 * args.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        // %1 to %9 take the arguments; a % before anything else is itself.
        if (t[i] == '%' && i + 1 < t.size() && t[i + 1] >= '1' && t[i + 1] <= '9') {
            const auto k = static_cast<std::size_t>(t[i + 1] - '1');
            if (k < args.size()) {
                args.begin()[k].appendTo(out);
                ++i;
                continue;
            }
        }
        out += t[i];
    }
    return out;
}

const char* textName(TextId id) {
    const auto n = static_cast<std::size_t>(id);
    return n < static_cast<std::size_t>(kTextCount) ? detail::kCatalogue[n].name : "";
}

std::optional<TextId> textByName(std::string_view name) {
    for (int i = 0; i < kTextCount; ++i)
        if (name == detail::kCatalogue[i].name) return static_cast<TextId>(i);
    return std::nullopt;
}

}  // namespace sky
