#pragma once
// Every refused key of the input fields sounds through this one function, so that tests can
// replace the sound with a counter (the system beep is silent and unobservable off screen).

#include <functional>

namespace strikon {

using BeepFunction = std::function<void()>;

// Sounds the refusal beep: the installed function, or QApplication::beep() by default.
void beep();

// Installs `sound` as the beep and returns the one it replaces; an empty function restores the
// system beep.
BeepFunction setBeepFunction(BeepFunction sound);

}  // namespace strikon
