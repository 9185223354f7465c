#include "beep.h"

#include <QApplication>
#include <utility>

namespace strikon {

namespace {

BeepFunction& installedBeep() {
    static BeepFunction sound;
    return sound;
}

}  // namespace

void beep() {
    if (const BeepFunction& sound = installedBeep()) {
        sound();
    } else {
        QApplication::beep();
    }
}

BeepFunction setBeepFunction(BeepFunction sound) {
    return std::exchange(installedBeep(), std::move(sound));
}

}  // namespace strikon
