// The language of the windows: Slovak, the game's own, or English. The game core always speaks
// Slovak; the windows put every text through uiText() on its way to the screen.
#pragma once

#include <QString>
#include <optional>
#include <string_view>

class QCoreApplication;

namespace sky::qt {

enum class Language { Slovak, English };

// "sk" or "en"; anything else is none.
std::optional<Language> parseLanguage(std::string_view code);
const char* languageCode(Language l);

// The player's choice on the command line wins, then the one remembered in the settings
// ("sk", "en" or empty), then the locale: English for en, en_GB.UTF-8 and the like, else Slovak.
Language chooseLanguage(std::optional<Language> option, std::string_view setting, std::string_view locale);
// The locale that names the messages' language: LC_ALL, else LC_MESSAGES, else LANG.
std::string_view localeFromEnvironment();

// Installs the translations for the language: the game's own (built from i18n/*.ts) and Qt's,
// so that the standard buttons of the message boxes read Áno/Nie or Yes/No.
void installLanguage(QCoreApplication& app, Language l);
Language currentLanguage();

// A text of the game as the player reads it. Texts the game composes with numbers ("Naj skóre:
// 12") are looked up with the numbers as %1, %2... and the numbers put back into the translation.
// A text without a translation, and every text in Slovak, comes back unchanged.
QString uiText(std::string_view slovak);
// A front-end text written in Slovak in the code (the help page, the pause caption).
QString uiText(const char* slovak);

}  // namespace sky::qt
