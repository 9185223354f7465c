#pragma once
// Opens an address (a web page, a mail message, a local file) with the desktop's default
// handler. Returns false when nothing could open it.

#include <QUrl>

namespace strikon {

bool openWithDesktop(const QUrl& url);

}  // namespace strikon
