// Entry point of every test binary that needs Qt widgets: a QApplication on the offscreen
// platform. CTest's discovery runs the binary without the tests' environment, so the default
// is set here, not only in CTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
