#pragma once
// The maker's web site and mail address, as the About window shows and opens them and as the
// closing lines of both manuals print them (keep resources/manuals/*.rtf in step).

#include <QString>
#include <QUrl>

namespace strikon {

inline constexpr char kMakerSite[] = "www.velmora.example";
inline constexpr char kMakerEmail[] = "info@velmora.example";
// The mail subject, the same in both languages: "Стрикон v. " and the program's version.
inline constexpr char kMailSubjectName[] = "Стрикон v. ";

QUrl makerHomePageUrl();
// "mailto:" with the subject as a query item, so that it travels percent-encoded as UTF-8 the
// way mail URLs require; mail programs decode it back to the Cyrillic text.
QUrl makerMailUrl();

}  // namespace strikon
