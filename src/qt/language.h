// The language of the windows: the game's texts come from its catalogue (runtime/text.h) in the
// language chosen here; Qt's own dialogs follow it.
#pragma once

#include <QString>
#include <string_view>

#include "runtime/text.h"

class QCoreApplication;

namespace sky::qt {

using sky::Language;

// The locale that names the messages' language: LC_ALL, else LC_MESSAGES, else LANG.
std::string_view localeFromEnvironment();

// The game speaks the language from now on, and Qt's own texts (the standard dialogs) follow.
void installLanguage(QCoreApplication& app, Language l);

// A text the game made, already in the player's language, for a widget.
QString uiText(std::string_view text);
// A text of the catalogue in the player's language.
template <class... A>
QString uiText(TextId id, const A&... args) {
    return uiText(std::string_view(sky::text(id, args...)));
}

}  // namespace sky::qt
