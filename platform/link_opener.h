#pragma once
// Opens an address (a web page, a mail message) or a local file with the desktop's default
// handler.

#include <QString>
#include <QUrl>

namespace strikon {

// Returns false when nothing could open it.
bool openWithDesktop(const QUrl& url);

enum class OpenOutcome {
    Opened,       // the opener said so: it ended with status 0
    Failed,       // it could not start, or ended with another status
    Unconfirmed,  // it had not ended when the wait was over
};

// Opens a local file through `opener` (xdg-open by default) and waits up to `waitMs` for its
// exit status. A desktop opener hands the file over and ends; only its status tells whether a
// program took it (Qt's own call counts the start of xdg-open as success). An opener still
// running at the end of the wait is left to finish on its own.
OpenOutcome openFileWithDesktop(const QString& path,
                                const QString& opener = QStringLiteral("xdg-open"),
                                int waitMs = 5000);

}  // namespace strikon
