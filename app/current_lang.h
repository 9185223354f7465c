#pragma once
// The current language code, "RUS" or "ENG": written only by the main window's SetLang, read by
// the help command and the About window when they are shown. Empty until the main window sets it.

#include <QString>

#include "app/language.h"

namespace strikon {

inline QString CurrentLang;

// The language the windows speak: Russian for "RUS", English for any other code.
inline Language currentLanguage() {
    return CurrentLang == QLatin1String("RUS") ? Language::Russian : Language::English;
}

}  // namespace strikon
