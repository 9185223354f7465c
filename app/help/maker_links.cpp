#include "maker_links.h"

#include <QUrlQuery>

namespace strikon {

QUrl makerHomePageUrl() {
    return QUrl(QStringLiteral("http://") + QLatin1String(kMakerSite));
}

QUrl makerMailUrl() {
    QUrl url(QStringLiteral("mailto:") + QLatin1String(kMakerEmail));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromUtf8(kMailSubject));
    url.setQuery(query);
    return url;
}

}  // namespace strikon
