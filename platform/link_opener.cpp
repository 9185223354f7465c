#include "link_opener.h"

#include <QDesktopServices>

namespace strikon {

bool openWithDesktop(const QUrl& url) {
    // QDesktopServices honours handlers registered with setUrlHandler, which is how tests
    // catch the addresses without starting a browser or a mail program.
    return QDesktopServices::openUrl(url);
}

}  // namespace strikon
