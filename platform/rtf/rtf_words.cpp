#include "rtf_destinations.h"

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

}  // namespace strikon::rtf
