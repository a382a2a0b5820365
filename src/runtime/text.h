// The game's texts, by name, in the player's language. Every text lives in the catalogue
// (runtime/texts.po: its Slovak and its English), which the build turns into a table; nothing is
// read at run time. A text with numbers in it names them %1, %2...: the caller gives the numbers
// as numbers, and they are written the same way in every language and every locale.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "runtime/textids.h"

namespace sky {

enum class Language : unsigned char { Slovak, English };

// "sk" or "en"; anything else is none.
std::optional<Language> parseLanguage(std::string_view code);
const char* languageCode(Language l);
// The player's choice (the command line, the page's switch) wins, then the one remembered ("sk",
// "en" or empty), then the locale: English for en, en_GB.UTF-8, en-US and the like, else Slovak.
Language chooseLanguage(std::optional<Language> choice, std::string_view remembered, std::string_view locale);

// The language the game speaks from now on; Slovak until set. Texts already on the screen stay
// as they were made.
void setLanguage(Language l);
Language language();

// One argument of a text: a whole number, a number with a fraction (written as numText writes
// it), or a word taken as it is.
class TextArg {
public:
    template <class I>
    requires std::is_integral_v<I> TextArg(I v) : v_(static_cast<std::int64_t>(v)) {}
    TextArg(double v) : v_(v) {}
    TextArg(std::string_view v) : v_(v) {}
    TextArg(const char* v) : v_(std::string_view(v)) {}
    TextArg(const std::string& v) : v_(std::string_view(v)) {}
    void appendTo(std::string& out) const;

private:
    std::variant<std::int64_t, double, std::string_view> v_;
};

// The text in the given language with its arguments in place of %1, %2...
std::string text(Language l, TextId id, std::initializer_list<TextArg> args = {});
// The text in the game's language.
template <class... A>
std::string text(TextId id, const A&... args) {
    return text(language(), id, {TextArg(args)...});
}
// The name the catalogue gives a text ("Pause"), and the text of a name (none for a stranger):
// for the page, which asks for its texts by name.
const char* textName(TextId id);
std::optional<TextId> textByName(std::string_view name);

namespace detail {
struct CatalogueEntry {
    const char* name;
    const char* slovak;
    const char* english;
    int args;  // the highest %N
};
extern const CatalogueEntry kCatalogue[kTextCount];
}  // namespace detail

}  // namespace sky
