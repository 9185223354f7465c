#pragma once
// The current language code, "RUS" or "ENG": written only by the main window's SetLang, read by
// the help command and the About window when they are shown. Empty until the main window sets it.

#include <QString>

namespace strikon {

inline QString CurrentLang;

}  // namespace strikon
