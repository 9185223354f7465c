// Start-up: the application, its title, the main window (which picks the language), then the
// hidden About and help windows, then the event loop until the main window closes.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/main_form.h"
#include "app/windows.h"
#include "platform/version.h"

namespace {

constexpr char kUsage[] =
    "Usage: strikon [Qt options]\n"
    "\n"
    "Opens the Strikon window, which draws EAN-13, EAN-8, UPC-A, UPC-E and ITF-14\n"
    "barcodes at their exact physical size. The window has a manual under Help.\n"
    "To draw symbols from a script or a CSV batch, use strikon-render.\n"
    "\n"
    "Options:\n"
    "  --help, -h   Show this text and exit.\n"
    "  --version    Show the program's version and exit.\n"
    "Qt's own options, such as -platform NAME and -style NAME, are accepted too.\n";

// --help and --version answer on standard output and end the program before any window or
// display is needed, as a terminal user or a script expects.
bool answeredCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("strikon %s\n", strikon::kVersion);
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (answeredCommandLine(argc, argv)) {
        return 0;
    }
    QApplication application(argc, argv);
    // The application's name, the same in both languages: X11 desktops take the window class
    // from it and match it with the desktop entry's StartupWMClass. (A display name would be
    // appended to every window caption, which must stay as the windows set them.)
    QCoreApplication::setApplicationName(QStringLiteral("Strikon"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/strikon.svg")));
    // The installed desktop entry's name: Wayland and the docks tie the window to it by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.velmora.Strikon"));

    strikon::TMainForm mainForm;
    strikon::TAboutForm aboutForm;
    strikon::THelpForm helpForm;
    strikon::AboutForm = &aboutForm;
    strikon::HelpForm = &helpForm;
    // The program ends with its main window, whatever else is open.
    aboutForm.setAttribute(Qt::WA_QuitOnClose, false);
    helpForm.setAttribute(Qt::WA_QuitOnClose, false);

    mainForm.show();
    return application.exec();
}
