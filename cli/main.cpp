// strikon-render: the barcode symbols of the Strikon window, drawn from a command line.
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <new>

#include "cli/freed_memory.h"
#include "cli/run.h"

namespace {

// The program's own messages are the only ones a script should see; Qt's notices (a missing
// runtime folder, font cache remarks) would read as faults.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "strikon-render: %s\n", qPrintable(message));
    }
}

}  // namespace

int main(int argc, char** argv) {
    strikon::cli::keepFreedMemoryForReuse();
    // Drawing needs a GUI application but never a screen: it always runs on the offscreen
    // platform, so that the program works over ssh and in cron jobs, and a desktop's choice
    // (a display that cannot be opened, a platform not installed) cannot abort it.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQt);
    QGuiApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    QTextStream messages(stderr);
    try {
        return strikon::cli::run(arguments, messages, stdout);
    } catch (const std::bad_alloc&) {
        // Whatever ran out (a huge picture, a huge batch): one plain message, never an abort.
        // Written without allocating.
        std::fputs("strikon-render: out of memory\n", stderr);
        return strikon::cli::kRefused;
    }
}
