#pragma once
// A list or spin box takes the mouse wheel only when it has the focus. Otherwise one notch under
// a pointer that only rests there switches the code type (which resets the typed number) or
// the size, with no way back.

class QWidget;

namespace strikon {

// Gives the widget strong focus (Tab and a click, not the wheel) and makes it ignore wheel
// events while it lacks the focus.
void takeWheelOnlyWithFocus(QWidget* widget);

}  // namespace strikon
