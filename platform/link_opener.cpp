#include "link_opener.h"

#include <QDesktopServices>
#include <QProcess>

namespace strikon {

bool openWithDesktop(const QUrl& url) {
    // QDesktopServices honours handlers registered with setUrlHandler, which is how tests
    // catch the addresses without starting a browser or a mail program.
    return QDesktopServices::openUrl(url);
}

OpenOutcome openFileWithDesktop(const QString& path, const QString& opener, int waitMs) {
    // On the heap: a QProcess destroyed while its program runs would kill it.
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments({path});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(waitMs)) {
        delete process;
        return OpenOutcome::Failed;
    }
    if (!process->waitForFinished(waitMs)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return OpenOutcome::Unconfirmed;
    }
    const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return opened ? OpenOutcome::Opened : OpenOutcome::Failed;
}

}  // namespace strikon
