#pragma once
// The user's default language as a Windows language identifier (LANGID: primary language in
// the low ten bits, sub-language above them), which is what the program's start-up compares:
// 1049 is Russian as used in Russia, 1033 English as used in the United States.

#include <cstdint>
#include <string_view>

namespace strikon {

// The identifier of a locale name such as "ru_RU", "ru_RU.UTF-8", "en-GB" or "de_DE@euro":
// language and territory decide, the encoding and modifier are ignored. A bare language
// ("ru") means its main territory (1049). Unknown names, unknown pairs ("ru_UA"), "C" and
// "POSIX" give 0.
uint16_t langIdForLocaleName(std::string_view name);

// The identifier of the locale that Qt reads for this process (QLocale::system(), from
// LC_ALL, LC_MESSAGES and LANG), or 0.
uint16_t userDefaultLangId();

}  // namespace strikon
