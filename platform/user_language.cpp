#include "user_language.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace strikon {

namespace {

struct LangEntry {
    std::string_view locale;  // language_TERRITORY as POSIX names it
    uint16_t id;
};

// Windows language identifiers (MAKELANGID(primary, sub) = sub << 10 | primary) of the
// common locales. The first entry of each language is its main territory (sub-language 1),
// which a bare language name maps to; Spanish of Spain is the modern-sort 0x0C0A that Windows
// reports for it.
constexpr std::array kLangIds = {
    LangEntry{"ar_SA", 0x0401}, LangEntry{"ar_EG", 0x0C01}, LangEntry{"bg_BG", 0x0402},
    LangEntry{"ca_ES", 0x0403}, LangEntry{"zh_TW", 0x0404}, LangEntry{"zh_CN", 0x0804},
    LangEntry{"zh_HK", 0x0C04}, LangEntry{"zh_SG", 0x1004}, LangEntry{"cs_CZ", 0x0405},
    LangEntry{"da_DK", 0x0406}, LangEntry{"de_DE", 0x0407}, LangEntry{"de_CH", 0x0807},
    LangEntry{"de_AT", 0x0C07}, LangEntry{"de_LU", 0x1007}, LangEntry{"de_LI", 0x1407},
    LangEntry{"el_GR", 0x0408}, LangEntry{"en_US", 0x0409}, LangEntry{"en_GB", 0x0809},
    LangEntry{"en_AU", 0x0C09}, LangEntry{"en_CA", 0x1009}, LangEntry{"en_NZ", 0x1409},
    LangEntry{"en_IE", 0x1809}, LangEntry{"en_ZA", 0x1C09}, LangEntry{"en_IN", 0x4009},
    LangEntry{"en_SG", 0x4809}, LangEntry{"es_ES", 0x0C0A}, LangEntry{"es_MX", 0x080A},
    LangEntry{"es_CO", 0x240A}, LangEntry{"es_AR", 0x2C0A}, LangEntry{"es_US", 0x540A},
    LangEntry{"fi_FI", 0x040B}, LangEntry{"fr_FR", 0x040C}, LangEntry{"fr_BE", 0x080C},
    LangEntry{"fr_CA", 0x0C0C}, LangEntry{"fr_CH", 0x100C}, LangEntry{"fr_LU", 0x140C},
    LangEntry{"he_IL", 0x040D}, LangEntry{"hu_HU", 0x040E}, LangEntry{"is_IS", 0x040F},
    LangEntry{"it_IT", 0x0410}, LangEntry{"it_CH", 0x0810}, LangEntry{"ja_JP", 0x0411},
    LangEntry{"ko_KR", 0x0412}, LangEntry{"nl_NL", 0x0413}, LangEntry{"nl_BE", 0x0813},
    LangEntry{"nb_NO", 0x0414}, LangEntry{"nn_NO", 0x0814}, LangEntry{"pl_PL", 0x0415},
    LangEntry{"pt_BR", 0x0416}, LangEntry{"pt_PT", 0x0816}, LangEntry{"ro_RO", 0x0418},
    LangEntry{"ro_MD", 0x0818}, LangEntry{"ru_RU", 0x0419}, LangEntry{"ru_MD", 0x0819},
    LangEntry{"hr_HR", 0x041A}, LangEntry{"sk_SK", 0x041B}, LangEntry{"sq_AL", 0x041C},
    LangEntry{"sv_SE", 0x041D}, LangEntry{"sv_FI", 0x081D}, LangEntry{"th_TH", 0x041E},
    LangEntry{"tr_TR", 0x041F}, LangEntry{"ur_PK", 0x0420}, LangEntry{"id_ID", 0x0421},
    LangEntry{"uk_UA", 0x0422}, LangEntry{"be_BY", 0x0423}, LangEntry{"sl_SI", 0x0424},
    LangEntry{"et_EE", 0x0425}, LangEntry{"lv_LV", 0x0426}, LangEntry{"lt_LT", 0x0427},
    LangEntry{"tg_TJ", 0x0428}, LangEntry{"fa_IR", 0x0429}, LangEntry{"vi_VN", 0x042A},
    LangEntry{"hy_AM", 0x042B}, LangEntry{"az_AZ", 0x042C}, LangEntry{"eu_ES", 0x042D},
    LangEntry{"mk_MK", 0x042F}, LangEntry{"af_ZA", 0x0436}, LangEntry{"ka_GE", 0x0437},
    LangEntry{"hi_IN", 0x0439}, LangEntry{"ms_MY", 0x043E}, LangEntry{"kk_KZ", 0x043F},
    LangEntry{"ky_KG", 0x0440}, LangEntry{"sw_KE", 0x0441}, LangEntry{"uz_UZ", 0x0443},
    LangEntry{"tt_RU", 0x0444}, LangEntry{"bn_IN", 0x0445}, LangEntry{"mn_MN", 0x0450},
    LangEntry{"gl_ES", 0x0456},
};

// "ru-ru.UTF-8@x" -> "ru_RU"; "ru" stays "ru".
std::string normalise(std::string_view name) {
    name = name.substr(0, name.find_first_of(".@"));
    std::string out;
    bool territory = false;
    for (char c : name) {
        if (c == '-' || c == '_') {
            territory = true;
            out += '_';
            continue;
        }
        const auto u = static_cast<unsigned char>(c);
        out += static_cast<char>(territory ? std::toupper(u) : std::tolower(u));
    }
    return out;
}

}  // namespace

uint16_t langIdForLocaleName(std::string_view name) {
    const std::string wanted = normalise(name);
    if (wanted.empty()) {
        return 0;
    }
    const bool bareLanguage = wanted.find('_') == std::string::npos;
    const auto match = [&](const LangEntry& e) {
        if (!bareLanguage) {
            return e.locale == wanted;
        }
        return e.locale.substr(0, e.locale.find('_')) == wanted;
    };
    const auto it = std::find_if(kLangIds.begin(), kLangIds.end(), match);
    return it == kLangIds.end() ? 0 : it->id;
}

uint16_t userDefaultLangId() {
    return langIdForLocaleName(QLocale::system().name().toStdString());
}

}  // namespace strikon
