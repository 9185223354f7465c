// Start-up: the application, its title, the main window (which picks the language), then the
// hidden About and help windows, then the event loop until the main window closes.
#include <QApplication>

#include "app/main_form.h"
#include "app/windows.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The application title: the name the desktop shows for the program. (A display name would
    // be appended to every window caption, which must stay as the windows set them.)
    QCoreApplication::setApplicationName(QStringLiteral("Стрикон"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/strikon.svg")));
    // The installed desktop entry's name: Wayland and the docks tie the window to it by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.velmora.Strikon"));

    strikon::TMainForm mainForm;
    strikon::TAboutForm aboutForm;
    strikon::THelpForm helpForm;
    strikon::AboutForm = &aboutForm;
    strikon::HelpForm = &helpForm;

    mainForm.show();
    return application.exec();
}
