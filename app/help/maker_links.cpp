#include "maker_links.h"

#include <QUrlQuery>

#include "platform/version.h"

namespace strikon {

QUrl makerHomePageUrl() {
    return QUrl(QStringLiteral("http://") + QLatin1String(kMakerSite));
}

QUrl makerMailUrl() {
    QUrl url(QStringLiteral("mailto:") + QLatin1String(kMakerEmail));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"),
                       QString::fromUtf8(kMailSubjectName) + QLatin1String(kVersion));
    url.setQuery(query);
    return url;
}

}  // namespace strikon
