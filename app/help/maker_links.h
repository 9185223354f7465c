#pragma once
// The maker's web site and mail address, as the About window shows and opens them and as the
// closing lines of both manuals print them (keep resources/manuals/*.rtf in step).

#include <QString>
#include <QUrl>

namespace strikon {

inline constexpr char kMakerSite[] = "www.velmora.example";
inline constexpr char kMakerEmail[] = "info@velmora.example";
// The mail subject names version 1.0 although the program is 1.1; it is the same in both
// languages.
inline constexpr char kMailSubject[] = "Стрикон v. 1.0";

QUrl makerHomePageUrl();
// "mailto:" with the subject as a query item, so that it travels percent-encoded as UTF-8 the
// way mail URLs require; mail programs decode it back to the Cyrillic text.
QUrl makerMailUrl();

}  // namespace strikon
