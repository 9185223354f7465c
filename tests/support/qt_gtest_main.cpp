// Entry point of every test binary that needs Qt widgets: a QApplication on the offscreen
// platform. CTest's discovery runs the binary without the tests' environment, so the default
// is set here, not only in CTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <cstring>

namespace {

// --qt-scale-factor=F runs the tests on a screen scaled by F (CTest registers some tests at
// several factors); it must be in the environment before the QApplication exists.
void takeScaleFactorArgument(int argc, char** argv) {
    constexpr const char* kOption = "--qt-scale-factor=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kOption, std::strlen(kOption)) == 0) {
            qputenv("QT_SCALE_FACTOR", argv[i] + std::strlen(kOption));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    takeScaleFactorArgument(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
