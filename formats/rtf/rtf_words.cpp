#include "rtf_words.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace strikon::rtf {

namespace {

// Destinations that carry metadata, pictures, page furniture or field codes. Groups opened with
// \* are skipped whatever word follows; these are the ones writers emit without the \*.
// Sorted, for binary search.
constexpr std::array<std::string_view, 48> kHidden = {
    "aftncn",
    "aftnsep",
    "aftnsepc",
    "annotation",
    "atnauthor",
    "atnid",
    "author",
    "bkmkend",
    "bkmkstart",
    "buptim",
    "comment",
    "company",
    "creatim",
    "doccomm",
    "falt",
    "fldinst",
    "footer",
    "footerf",
    "footerl",
    "footerr",
    "footnote",
    "ftncn",
    "ftnsep",
    "ftnsepc",
    "header",
    "headerf",
    "headerl",
    "headerr",
    "info",
    "keywords",
    "listoverridetable",
    "listtable",
    "nonshppict",
    "object",
    "operator",
    "pict",
    "pn",
    "printim",
    "revtbl",
    "revtim",
    "rsidtbl",
    "shp",
    "stylesheet",
    "subject",
    "template",
    "title",
    "txe",
    "xmlnstbl",
};

}  // namespace

bool isHiddenDestination(QByteArrayView word) {
    const std::string_view key(word.data(), static_cast<size_t>(word.size()));
    return std::binary_search(kHidden.begin(), kHidden.end(), key);
}

bool isUnderlineWord(QByteArrayView word) {
    return word == "ul" || word == "uld" || word == "uldash" || word == "uldashd" ||
           word == "uldashdd" || word == "uldb" || word == "ulth" || word == "ulw" ||
           word == "ulwave" || word == "ulhwave" || word == "ulldash";
}

char16_t specialCharacter(QByteArrayView word) {
    struct Special {
        std::string_view word;
        char16_t character;
    };
    static constexpr std::array<Special, 13> kSpecials = {{
        {"tab", u'\t'},
        {"cell", u'\t'},   // tables are not laid out; a cell end separates like a tab
        {"line", 0x2028},  // line break inside the paragraph
        {"emdash", 0x2014},
        {"endash", 0x2013},
        {"bullet", 0x2022},
        {"lquote", 0x2018},
        {"rquote", 0x2019},
        {"ldblquote", 0x201C},
        {"rdblquote", 0x201D},
        {"emspace", 0x2003},
        {"enspace", 0x2002},
        {"qmspace", 0x2005},
    }};
    const std::string_view key(word.data(), static_cast<size_t>(word.size()));
    for (const Special& special : kSpecials) {
        if (special.word == key) {
            return special.character;
        }
    }
    return 0;
}

}  // namespace strikon::rtf
